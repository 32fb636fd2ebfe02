// Common routines many screens call: date text for SQL, window placement in twips, employee and
// site look-ups, cutting text by display width, and the database-file routines of compaction
// and backup. Their message boxes go through the message service.
#pragma once

#include "app/frame/FileOps.h"
#include "platform/jet/Value.h"
#include "platform/text/DateTime.h"

#include <QString>
#include <QVariant>

#include <cstdint>

class QWidget;

namespace tamsel {

// "yyyy/mm/dd" (the text between the # of a SQL date literal).
QString FormatSqlDate(const plat::text::DateTime& date);

// Twips per inch; a screen's logical resolution converts twips to pixels.
inline constexpr double kTwipsPerInch = 1440.0;

struct TwipsPoint {
    double left = 0;
    double top = 0;
};
// Left and top that centre a window on the screen, raised by 1000 twips; rounded to four
// decimals. A window taller than the screen gets a negative top.
TwipsPoint centerPositionTwips(double screenWidth, double screenHeight, double windowWidth,
                               double windowHeight);
// The same for a real window on its screen.
void CenterPosition(const QWidget& window, double& left, double& top);
// Moves window to a position in twips; the top is kept on the screen so the title bar stays
// within reach (a window taller than the screen starts at the top edge).
void moveToTwips(QWidget& window, double left, double top);

// Takes characters from text while their display width (double-byte characters of the
// Japanese code page count 2, others 1) stays within maxWidth; returns how many were taken.
int LeftByWidth(const QString& text, std::int16_t maxWidth, QString& leading);
// Null gives two empty texts; otherwise the first part fits width 30 and the rest follows.
void SplitByWidth(const QVariant& value, QString& first, QString& remainder);

// Reads SName and TMony of an employee from RoumuDb. No row leaves the outputs unchanged;
// a database error is shown (titled as the employee look-up) and gives false.
bool GetSyainInfo(std::int64_t syainId, QString& name, plat::jet::Currency& wage);
// Reads GName of a site from RoumuDb (errors titled as the site look-up).
bool GetGenbaName(std::int64_t genbaId, QString& name);

// Compacts the database file at path in place through the work file path + "wk"; refused, with
// nothing changed, while another user has the file open (DbFiles.h).
bool CompactDb(const QString& path, QWidget* parent = nullptr, const FileOps& ops = realFileOps());
// Compacts the database and copies it to backupPath, replacing an existing copy.
bool BackupDb(const QString& path, const QString& backupPath, QWidget* parent = nullptr,
              const FileOps& ops = realFileOps());
// Creates folder (one level) unless it exists.
bool EnsureFolder(const QString& folder, QWidget* parent = nullptr,
                  const FileOps& ops = realFileOps());

} // namespace tamsel
