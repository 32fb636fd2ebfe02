// Building, greying and running the control's context menu.
#include "control/core/ContextMenu.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/EventTable.h"

namespace vantil {

using plat::automation::Variant;

namespace {

enum BuiltIn : int { Undo = 0, Cut = 1, Copy = 2, Paste = 3, Delete = 4, SelectAll = 5 };

bool greyed(int entry, const EditCommandState& s) {
    switch (entry) {
    case Undo:
        return !s.canUndo || s.locked;
    case Cut:
    case Delete:
        return !s.hasSelection || s.locked;
    case Copy:
        return !s.hasSelection;
    case Paste:
        return s.locked || !s.clipboardHasText;
    case SelectAll:
        return s.textEmpty;
    default:
        return false;
    }
}

} // namespace

std::vector<PopupItem> ContextMenu::lines(const MenuTable& table, const EditCommandState& state) {
    std::vector<PopupItem> out;
    bool addedSinceSeparator = false;
    for (int i = 0; i < kMenuEntryCount; ++i) {
        const MenuEntry& e = table[static_cast<std::size_t>(i)];
        if (!e.hidden) {
            if (e.separator) {
                out.push_back(PopupItem{PopupItem::Kind::Separator, i, {}, true});
                addedSinceSeparator = false;
            } else {
                out.push_back(PopupItem{PopupItem::Kind::Command, i, e.caption,
                                        e.enabled && !greyed(i, state)});
                addedSinceSeparator = true;
            }
        }
        if ((i == Undo || i == Delete) && addedSinceSeparator) {
            out.push_back(PopupItem{PopupItem::Kind::Separator, -1, {}, true});
            addedSinceSeparator = false;
        }
    }
    return out;
}

EditCommandState ContextMenu::editState() const {
    const EditBuffer& b = control_.editArea().buffer();
    ControlPlatform* platform = controlPlatform();
    Clipboard* clipboard = platform ? platform->clipboard() : nullptr;
    const std::optional<std::string> pasted = clipboard ? clipboard->text() : std::nullopt;
    EditCommandState s;
    s.canUndo = b.canUndo();
    s.locked = control_.properties().locked;
    s.hasSelection = b.hasSelection();
    s.clipboardHasText = pasted && !pasted->empty();
    s.textEmpty = b.count() == 0;
    return s;
}

void ContextMenu::open(int x, int y) {
    ControlView* view = control_.view();
    if (open_ || view == nullptr || !control_.editArea().focused() ||
        control_.properties().loadedVersion < kVersion40) {
        return;
    }
    Variant cancel(false);
    Variant args[] = {Variant::ref(cancel)};
    if (!control_.fireEvent(events::BeforePopup, args) || cancel.toBool()) {
        return;
    }
    const std::vector<PopupItem> items = lines(control_.properties().menu, editState());
    open_ = true;
    std::optional<int> chosen;
    // The menu loop runs host code (timers, other windows) that may destroy the control.
    const CVantilCtrl::LifeWatch watch(control_);
    try {
        chosen = view->showContextMenu(items, x, y);
    } catch (...) {
        if (watch.survived()) {
            open_ = false;
        }
        throw;
    }
    if (!watch.survived()) {
        return;
    }
    open_ = false;
    if (chosen && *chosen >= 0 && *chosen < kMenuEntryCount) {
        (void)control_.editArea().menuCommand(*chosen); // the last step
    }
}

} // namespace vantil
