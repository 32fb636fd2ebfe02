// Registry of screen factories and their single instances.
#include "app/frame/ScreenRegistry.h"

#include "app/frame/Screen.h"

#include <QPointer>

#include <map>

namespace tamsel {

namespace {
struct Entry {
    ScreenFactory factory;
    QPointer<QWidget> instance;
};

std::map<int, Entry>& entries() {
    static std::map<int, Entry> map;
    return map;
}
} // namespace

bool registerScreen(int index, ScreenFactory factory) {
    entries()[index].factory = std::move(factory);
    return true;
}

bool hasScreen(int index) {
    auto it = entries().find(index);
    return it != entries().end() && it->second.factory;
}

QWidget* screenInstance(int index) {
    auto it = entries().find(index);
    return it == entries().end() ? nullptr : it->second.instance.data();
}

QWidget* openScreen(int index) {
    auto it = entries().find(index);
    if (it == entries().end() || !it->second.factory)
        return nullptr;
    Entry& entry = it->second;
    if (!entry.instance)
        entry.instance = entry.factory();
    QWidget* w = entry.instance;
    if (!w)
        return nullptr;
    if (auto* screen = qobject_cast<Screen*>(w)) {
        screen->open();
    } else {
        w->show();
        w->raise();
        w->activateWindow();
    }
    return w;
}

void resetScreens() {
    for (auto& [index, entry] : entries())
        delete entry.instance.data();
    entries().clear();
}

} // namespace tamsel
