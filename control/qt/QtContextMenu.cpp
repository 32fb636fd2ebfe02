// The control's popup menu on a QMenu.
#include "control/qt/QtContextMenu.h"

#include "control/qt/QtConvert.h"

#include <QMenu>

namespace vantil {

std::optional<int> execContextMenu(QWidget& owner, std::span<const PopupItem> items, QPoint at) {
    QMenu menu(&owner);
    for (const PopupItem& item : items) {
        if (item.kind == PopupItem::Kind::Separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(qtconv::textToQt(item.caption));
        action->setEnabled(item.enabled);
        action->setData(item.command);
    }
    const QAction* chosen = menu.exec(owner.mapToGlobal(at));
    if (chosen == nullptr) {
        return std::nullopt;
    }
    return chosen->data().toInt();
}

} // namespace vantil
