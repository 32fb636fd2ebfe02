// The Japanese user-interface font every form and control of the program uses.
#pragma once

#include <QFont>

class QApplication;

namespace plat::widgets {

// The proportional Gothic face when it is installed, else the desktop's default face;
// pointSize in points.
QFont uiFont(double pointSize = 10.5);

// Makes uiFont() the application's default font.
void applyUiFont(QApplication& app);

} // namespace plat::widgets
