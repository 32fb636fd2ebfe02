// The control's popup menu on a QMenu.
#include "control/qt/QtContextMenu.h"

#include "control/qt/QtConvert.h"

#include <QMenu>

#include <memory>

namespace vantil {

std::optional<int> execContextMenu(QWidget& owner, std::span<const PopupItem> items, QPoint at) {
    // Not a child of the owner: a host that destroys the control while the menu runs deletes
    // the control's window, which must not take the menu with it.
    const auto menuOwned = std::make_unique<QMenu>();
    QMenu& menu = *menuOwned;
    const QPoint global = owner.mapToGlobal(at);
    for (const PopupItem& item : items) {
        if (item.kind == PopupItem::Kind::Separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(qtconv::textToQt(item.caption));
        action->setEnabled(item.enabled);
        action->setData(item.command);
    }
    const QAction* chosen = menu.exec(global);
    if (chosen == nullptr) {
        return std::nullopt;
    }
    return chosen->data().toInt();
}

} // namespace vantil
