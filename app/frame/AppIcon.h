// The program's icon (a ledger sheet with a clock on a blue tile), drawn in code so the window
// icon, the version dialog and the installed desktop icon are one drawing.
#pragma once

#include <QIcon>
#include <QImage>

namespace tamsel {

QImage appIconImage(int size);
QIcon appIcon();

} // namespace tamsel
