// Japanese font names as report layouts give them, resolved to the fonts installed here.
#pragma once

#include "platform/report/Layout.h"

#include <QFont>
#include <QString>

namespace plat::report {

// The installed family for a layout's font name: the proportional and fixed-pitch Mincho and
// Gothic faces map to the IPA fonts of the same kind; a name already installed stays; anything
// else falls back to the proportional Mincho face.
QString resolveFontFamily(const QString& layoutName);

// A font sized in twips, for a painter whose unit is the twip.
QFont twipsFont(const FontChoice& face);

} // namespace plat::report
