// Common routines: SQL date text, placement, look-ups, width cutting, compaction and backup.
#include "app/frame/Std_1.h"

#include "app/frame/DbFiles.h"
#include "app/frame/LongTask.h"
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
#include "app/frame/Texts.h"
#include "platform/jet/Error.h"
#include "platform/text/Cp932.h"
#include "platform/widgets/MessageService.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <optional>
#include <string>

namespace tamsel {

using plat::widgets::MessageService;
using plat::widgets::MsgButtons;
using plat::widgets::MsgIcon;
using plat::widgets::MsgResult;

namespace {

double roundCurrency(double v) {
    return std::round(v * 10000.0) / 10000.0;
}

QScreen* screenOf(const QWidget& w) {
    QScreen* s = w.screen();
    return s ? s : QGuiApplication::primaryScreen();
}

int displayWidth(QStringView ch) {
    const std::u16string_view units(reinterpret_cast<const char16_t*>(ch.utf16()),
                                    static_cast<std::size_t>(ch.size()));
    return plat::text::cp932::fromUtf16(units).size() >= 2 ? 2 : 1;
}

void showDbError(const QString& description, const QString& title) {
    MessageService::error(description, title);
}

// Long steps of the database-file routines run behind a progress dialog over parent.
WorkRunner withProgress(QWidget* parent) {
    return [parent](const QString& label,
                    const std::function<void(const plat::jet::ProgressCallback&)>& work) {
        return runWithProgress(parent, label, work);
    };
}

void showFileFailure(const DbFailure& failure, const char* workFileTitle, QWidget* parent) {
    if (failure.number == plat::jet::err::DatabaseExists)
        MessageService::show({failure.description, tr8(workFileTitle), MsgIcon::Error,
                              MsgButtons::Ok, MsgResult::Ok},
                             parent);
    else
        MessageService::notice(failure.description, tr8(texts::kCompact), parent);
}
} // namespace

QString FormatSqlDate(const plat::text::DateTime& date) {
    return QStringLiteral("%1/%2/%3")
        .arg(date.year, 4, 10, QLatin1Char('0'))
        .arg(date.month, 2, 10, QLatin1Char('0'))
        .arg(date.day, 2, 10, QLatin1Char('0'));
}

TwipsPoint centerPositionTwips(double screenWidth, double screenHeight, double windowWidth,
                               double windowHeight) {
    return {roundCurrency(screenWidth / 2 - windowWidth / 2),
            roundCurrency(screenHeight / 2 - windowHeight / 2 - 1000)};
}

void CenterPosition(const QWidget& window, double& left, double& top) {
    const QScreen* screen = screenOf(window);
    const double twipsX = kTwipsPerInch / screen->logicalDotsPerInchX();
    const double twipsY = kTwipsPerInch / screen->logicalDotsPerInchY();
    const QSize screenSize = screen->geometry().size();
    const QSize windowSize = window.frameGeometry().size();
    const TwipsPoint p =
        centerPositionTwips(screenSize.width() * twipsX, screenSize.height() * twipsY,
                            windowSize.width() * twipsX, windowSize.height() * twipsY);
    left = p.left;
    top = p.top;
}

void moveToTwips(QWidget& window, double left, double top) {
    const QScreen* screen = screenOf(window);
    const QRect area = screen->geometry();
    int x = area.left() + qRound(left * screen->logicalDotsPerInchX() / kTwipsPerInch);
    int y = area.top() + qRound(top * screen->logicalDotsPerInchY() / kTwipsPerInch);
    // The whole window stays on the screen's free area: moved in from the right and bottom
    // edges, never above or left of it.
    const QRect free = screen->availableGeometry();
    const QSize frame = window.frameGeometry().size();
    x = std::max(std::min(x, free.right() + 1 - frame.width()), free.left());
    y = std::max(std::min(y, free.bottom() + 1 - frame.height()), free.top());
    window.move(x, y);
}

int LeftByWidth(const QString& text, std::int16_t maxWidth, QString& leading) {
    leading.clear();
    int width = 0;
    qsizetype taken = 0;
    while (taken < text.size() && width < maxWidth) {
        const qsizetype units = text[taken].isHighSurrogate() && taken + 1 < text.size() ? 2 : 1;
        const QStringView ch = QStringView(text).mid(taken, units);
        width += displayWidth(ch);
        if (width > maxWidth)
            break;
        leading += ch;
        taken += units;
    }
    return static_cast<int>(taken);
}

void SplitByWidth(const QVariant& value, QString& first, QString& remainder) {
    if (value.isNull() || !value.isValid()) {
        first.clear();
        remainder.clear();
        return;
    }
    const QString text = value.toString();
    const int taken = LeftByWidth(text, 30, first);
    remainder = text.mid(taken);
}

bool GetSyainInfo(std::int64_t syainId, QString& name, plat::jet::Currency& wage) {
    const QString title = tr8(texts::kTitleSyainInfo);
    try {
        auto& db = RoumuM().RoumuDb;
        if (!db)
            throw plat::jet::Error(plat::jet::err::ObjectClosed);
        plat::jet::Recordset rs = db->openRecordset(
            "SELECT SNAME,TMONY FROM SYAIN_MT WHERE SYAINID=" + std::to_string(syainId));
        if (!rs.eof()) {
            const QString n = QString::fromStdString(rs["SName"].toText());
            const plat::jet::Currency w = rs["TMony"].toCurrency();
            name = n;
            wage = w;
        }
        return true;
    } catch (...) {
        showDbError(failureOf(std::current_exception()).description, title);
        return false;
    }
}

bool GetGenbaName(std::int64_t genbaId, QString& name) {
    const QString title = tr8(texts::kTitleGenbaName);
    try {
        auto& db = RoumuM().RoumuDb;
        if (!db)
            throw plat::jet::Error(plat::jet::err::ObjectClosed);
        plat::jet::Recordset rs = db->openRecordset("SELECT GNAME FROM GENBA_MT WHERE GENBAID=" +
                                                    std::to_string(genbaId));
        if (!rs.eof())
            name = QString::fromStdString(rs["GName"].toText());
        return true;
    } catch (...) {
        showDbError(failureOf(std::current_exception()).description, title);
        return false;
    }
}

bool CompactDb(const QString& path, QWidget* parent, const FileOps& ops) {
    const std::optional<DbFailure> failure = compactFile(path, ops, withProgress(parent));
    if (failure)
        showFileFailure(*failure, texts::kCompact, parent);
    return !failure;
}

bool BackupDb(const QString& path, const QString& backupPath, QWidget* parent, const FileOps& ops) {
    const std::optional<DbFailure> failure =
        backupFile(path, backupPath, ops, withProgress(parent));
    if (failure)
        showFileFailure(*failure, texts::kTitleBackupAbort, parent);
    return !failure;
}

bool EnsureFolder(const QString& folder, QWidget* parent, const FileOps& ops) {
    const std::optional<DbFailure> failure = ensureFolder(folder, ops);
    if (failure)
        MessageService::notice(failure->description, tr8(texts::kTitleBackup), parent);
    return !failure;
}

} // namespace tamsel
