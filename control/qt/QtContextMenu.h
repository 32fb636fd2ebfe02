// The control's popup menu on a QMenu.
#pragma once

#include "control/core/PopupItem.h"

#include <QPoint>

#include <optional>
#include <span>

class QWidget;

namespace vantil {

// Shows `items` as a popup menu at `at` (coordinates of `owner`) and returns when it closes:
// the chosen line's command, nullopt when the menu was dismissed.
std::optional<int> execContextMenu(QWidget& owner, std::span<const PopupItem> items, QPoint at);

} // namespace vantil
