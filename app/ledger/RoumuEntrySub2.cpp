// The ledger grid screen: layout, loading, picking sites, typing hours, totals, line deletion,
// copying the month before, and focus handling.
#include "app/ledger/RoumuEntrySub2.h"

#include "app/frame/ProgramFolder.h"
#include "app/frame/RoumuM.h"
#include "app/frame/Std_1.h"
#include "app/ledger/LedgerGridLayout.h"
#include "app/ledger/LedgerRules.h"
#include "app/ledger/LedgerStore.h"
#include "app/ledger/Texts.h"
#include "app/overtime/CapCheck.h"
#include "app/overtime/LedgerHours.h"
#include "app/overtime/OvertimeSettings.h"
#include "platform/jet/Error.h"
#include "platform/text/Format.h"
#include "platform/widgets/BannerLabel.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/MessageService.h"
#include "platform/widgets/NumericBox.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

namespace tamsel {

namespace t = ledger::texts;
using ledger::kDays;
using ledger::kLines;
using plat::widgets::indexedField;
using plat::widgets::MessageService;

namespace {
QString tr8(const char* utf8) {
    return QString::fromUtf8(utf8);
}
constexpr double kTopTwips = 1800;
const QColor kSunday(255, 0, 0);
const QColor kOverDay(255, 0, 0);
} // namespace

RoumuEntrySub2::RoumuEntrySub2(ledger::PickBoxFactory boxes, QWidget* selection, QWidget* parent)
    : Screen(parent), boxes_(std::move(boxes)), selection_(selection) {
    setObjectName(QStringLiteral("RoumuEntrySub2"));
    setOpenedFromMenu(false);

    acLbl_ = new plat::widgets::BannerLabel(QString(), this);
    acLbl_->setObjectName(QStringLiteral("AcLbl"));

    grid_ = new plat::widgets::SlipGrid(ledger::ledgerGridLayout(), this);
    grid_->setObjectName(QStringLiteral("DGrid"));
    connect(grid_, &plat::widgets::SlipGrid::valueChanged, this, &RoumuEntrySub2::DGrid_Change);
    connect(grid_, &plat::widgets::SlipGrid::committing, this,
            [this](int, const QString&, plat::widgets::SlipValue& v) { DGrid_Committing(v); });
    connect(grid_, &plat::widgets::SlipGrid::validating, this,
            [this](int, const QString&, const plat::widgets::SlipValue& v, bool& refuse) {
                DGrid_Validating(v, refuse);
            });

    connect(grid_, &plat::widgets::SlipGrid::keyDown, this, [this](int& keyCode, int shift) {
        if (keyCode == 13 && shift == 0 && enterAtLineEnd())
            keyCode = 0;
    });
    auto* saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, [this] { comFunc_->press(Save); });

    // The site boxes stand beside the grid's lines, under a blank as high as its heading.
    auto* sites = new QVBoxLayout;
    sites->setSpacing(0);
    sites->addSpacing(grid_->geometry().headingHeight());
    for (int i = 0; i < kLines; ++i) {
        auto& box = genbaId_[static_cast<size_t>(i)];
        box = boxes_(this, QStringLiteral("GenbaID(%1)").arg(i));
        box->widget()->setFixedSize(110, grid_->geometry().rowHeight());
        box->ChangeText = [this] { GenbaID_ChangeText(); };
        box->CloseUp = [this, i] {
            const int index = GenbaID(i).ListIndex();
            if (index >= 0)
                takeSite(i, GenbaID(i).ItemText(index), true);
        };
        box->KeyDown = [this, i](int keyCode, int) {
            if (keyCode == 13 && !GenbaID(i).Text().isEmpty())
                takeSite(i, GenbaID(i).Text(), false);
        };
        auto* row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(new plat::widgets::Label(tr8(t::kSiteLabels[i]), this));
        row->addWidget(box->widget());
        sites->addLayout(row);
    }
    sites->addStretch();

    tMony_ = new plat::widgets::NumericBox(this);
    tMony_->setObjectName(QStringLiteral("TMony"));
    tMony_->setDisplayFormat(QStringLiteral("#,##0"));
    tMony_->setFixedWidth(90);
    connect(tMony_, &plat::widgets::NumericBox::valueChanged, this, [this] {
        if (state() == Ready && quiet_ == 0)
            markDirty();
    });
    // Every exit of the wage box brings the money totals up to date.
    connect(tMony_, &plat::widgets::NumericBox::exited, this, [this] { allTotals(); });

    msg_ = new plat::widgets::Label(QString(), this);
    msg_->setObjectName(QStringLiteral("MSG"));
    msg_->setAutoFillBackground(true);
    showMessage(nullptr, false);

    comFunc_ = new plat::widgets::ButtonArray(this);
    comFunc_->setObjectName(QStringLiteral("comFunc"));
    comFunc_->add(Save, tr8(t::kSave), this);
    comFunc_->add(DeleteLine, tr8(t::kDeleteLine), this);
    comFunc_->add(Close, tr8(texts::kCloseButton), this);
    comFunc_->add(DeleteMonth, tr8(t::kDeleteMonth), this);
    comFunc_->add(CopyPrevious, tr8(t::kCopyPrevious), this);
    connect(comFunc_, &plat::widgets::ButtonArray::clicked, this, &RoumuEntrySub2::comFunc_Click);

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || state() == ClosingConfirmed)
            return;
        QWidget* remembered = nullptr;
        if (now == tMony_)
            remembered = tMony_;
        else if (now == grid_ || grid_->isAncestorOf(now))
            remembered = grid_;
        for (auto& box : genbaId_)
            if (now == box->widget() || box->widget()->isAncestorOf(now))
                remembered = box->widget();
        if (remembered)
            lastFocused_ = remembered;
    });

    overtime_ = new plat::widgets::Label(QString(), this);
    overtime_->setObjectName(QStringLiteral("OvertimeLine"));

    auto* middle = new QHBoxLayout;
    middle->addLayout(sites);
    middle->addWidget(grid_, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new plat::widgets::Label(tr8(texts::kWageLabel), this));
    bottom->addWidget(tMony_);
    bottom->addSpacing(12);
    bottom->addWidget(msg_, 1);
    for (int f : {CopyPrevious, DeleteLine, DeleteMonth, Save, Close})
        bottom->addWidget(comFunc_->button(f));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addWidget(acLbl_);
    layout->addLayout(middle, 1);
    layout->addWidget(overtime_);
    layout->addLayout(bottom);
    // The whole month shows without scrolling.
    grid_->setMinimumSize(grid_->sizeHint());
    resize(sizeHint());
}

RoumuEntrySub2::~RoumuEntrySub2() = default;

// Load -------------------------------------------------------------------------------------

void RoumuEntrySub2::onLoad() {
    if (selection_)
        selection_->setEnabled(false);
    dirty_ = false;
    lineCount_ = 0;
    for (auto& box : genbaId_) {
        if (!box->loadError().isEmpty()) {
            failLoad(box->loadError());
            return;
        }
    }
    try {
        RoumuM().RoumuDb = plat::jet::Database::open(databasePath().toStdString());
        double left = 0;
        double top = 0;
        CenterPosition(*this, left, top);
        moveToTwips(*this, left, kTopTwips);
        Quiet quiet(*this);
        setTitles();
        tMony_->setCurrency(RoumuM().LedgerKey.TMony.scaled);
        setDayHeadings();
        fillSiteLists();
        // The screen is reused: nothing of the ledger shown before stays.
        grid_->clearAllRows();
        for (int i = 0; i < kLines; ++i)
            GenbaID(i).setText(QString());
        for (int c = 0; c <= kDays; ++c) {
            grid_->blankTotal(indexedField("TTime", c));
            grid_->blankTotal(indexedField("Total", c));
        }
        clearDirty();
        firstShowPending_ = true;
    } catch (const plat::jet::Error& e) {
        failLoad(QString::fromStdString(e.description()));
    }
}

void RoumuEntrySub2::setTitles() {
    const plat::text::DateTime month = RoumuM().LedgerKey.Nengetu;
    const QString caption = tr8(t::kGridCaption).arg(month.year).arg(month.month);
    setWindowTitle(caption);
    acLbl_->setCaption(tr8(t::kGridBanner).arg(caption));
}

void RoumuEntrySub2::setDayHeadings() {
    const plat::text::DateTime first = RoumuM().LedgerKey.Nengetu;
    daysInMonth_ = plat::text::lastDayOfMonth(first).day;
    for (int i = 0; i < kDays; ++i) {
        const plat::text::DateTime date = plat::text::addDays(first, i);
        const QString day = indexedField("lD", i);
        const QString weekday = indexedField("a", i);
        grid_->setHeadingText(day,
                              QString::fromStdString(plat::text::formatDate(date, t::kDayFormat)) +
                                  tr8(t::kDaySuffix));
        grid_->setHeadingText(
            weekday, QString::fromStdString(plat::text::formatDate(date, t::kWeekdayFormat)));
        const QColor colour = plat::text::weekday(date) == 0 ? kSunday : QColor();
        grid_->setHeadingColor(day, colour);
        grid_->setHeadingColor(weekday, colour);
    }
}

void RoumuEntrySub2::fillSiteLists() {
    std::vector<std::pair<QString, QString>> sites;
    plat::jet::Recordset rs = RoumuM().RoumuDb->openRecordset(ledger::siteListSql());
    for (; !rs.eof(); rs.moveNext())
        sites.emplace_back(QString::fromStdString(rs["GenbaID"].toText()),
                           QString::fromStdString(rs["GName"].toText()));
    for (auto& box : genbaId_) {
        box->ClearItem();
        for (int row = 0; row < static_cast<int>(sites.size()); ++row) {
            box->AddItem(row, sites[static_cast<size_t>(row)].first);
            box->AddSubItem(row, 1, sites[static_cast<size_t>(row)].second);
        }
    }
}

void RoumuEntrySub2::onActivate() {
    if (!firstShowPending_)
        return;
    firstShowPending_ = false;
    showLedger();
}

// Reads the stored month and shows it; a month without lines, or one that cannot be read,
// starts as an empty ledger with its first site box as the input line.
void RoumuEntrySub2::showLedger() {
    readOvertimeBasis();
    LedgerKeyData& key = RoumuM().LedgerKey;
    ledger::StoredMonth stored;
    try {
        stored = ledger::readMonth(*RoumuM().RoumuDb, key.Nengetu, key.SyainID);
    } catch (const plat::jet::Error& e) {
        MessageService::error(QString::fromStdString(e.description()), tr8(t::kTitleRead), this);
        stored = {};
    } catch (const ledger::TooManyLines& e) {
        MessageService::error(QString::fromUtf8(e.what()), tr8(t::kTitleRead), this);
        stored = {};
    }
    {
        Quiet quiet(*this);
        lineCount_ = static_cast<int>(stored.lines.size());
        if (stored.wage) {
            key.TMony = *stored.wage;
            tMony_->setCurrency(key.TMony.scaled);
        }
        for (int i = 0; i < kLines; ++i) {
            const bool filled = i < lineCount_;
            if (filled)
                putLine(i, stored.lines[static_cast<size_t>(i)]);
            enableBox(i, filled || i == lineCount_);
            enableDays(i, filled);
        }
        allTotals();
        clearDirty();
    }
    updateCopyButton();
    focusBox(0);
    setState(Ready);
}

void RoumuEntrySub2::putLine(int line, const ledger::LedgerLine& l) {
    GenbaID(line).setText(QString::number(l.GenbaID));
    grid_->setText(line, QStringLiteral("GName"), QString::fromStdString(l.GName));
    for (int d = 0; d < kDays; ++d)
        grid_->setNumber(line, indexedField("D", d),
                         ledger::shownHours(l.hours[static_cast<size_t>(d)]));
    lineTotal(line);
}

void RoumuEntrySub2::enableDays(int line, bool on) {
    for (int d = 0; d < kDays; ++d)
        grid_->setFieldEnabled(line, indexedField("D", d), on && d < daysInMonth_);
}

void RoumuEntrySub2::enableBox(int line, bool on) {
    GenbaID(line).widget()->setEnabled(on);
}

QString RoumuEntrySub2::boxText(int line) const {
    return GenbaID(line).Text();
}

// Sites ------------------------------------------------------------------------------------

void RoumuEntrySub2::GenbaID_ChangeText() {
    if (state() == Ready && quiet_ == 0)
        markDirty();
    updateCopyButton();
}

// Checks the site number of a pick or of Enter on typed text and, when it is a registered site
// not used on another line, takes it for the line.
void RoumuEntrySub2::takeSite(int line, const QString& text, bool picked) {
    auto refuse = [&] {
        if (picked)
            GenbaID(line).setText(QString());
        focusBox(line);
    };
    const auto number = ledger::parseWholeNumber(text.toStdString());
    if (!number) {
        MessageService::error(tr8(t::kSiteNotNumber).arg(line + 1), tr8(t::kTitleSiteError), this);
        refuse();
        return;
    }
    std::optional<QString> name;
    try {
        plat::jet::Recordset rs = RoumuM().RoumuDb->openRecordset(ledger::siteNameSql(*number));
        if (!rs.eof())
            name = QString::fromStdString(rs["GName"].toText());
    } catch (const plat::jet::Error& e) {
        MessageService::error(QString::fromStdString(e.description()), tr8(texts::kTitleGenbaName),
                              this);
        refuse();
        return;
    }
    if (!name) {
        refuse();
        return;
    }
    const std::string mine = std::to_string(*number);
    for (int j = 0; j < kLines; ++j) {
        if (j != line && !boxText(j).isEmpty() &&
            ledger::sameSite(boxText(j).toStdString(), mine)) {
            MessageService::error(tr8(t::kDuplicateSite), tr8(t::kTitleSiteCheck), this);
            refuse();
            return;
        }
    }
    if (boxText(line) != QString::fromStdString(mine))
        GenbaID(line).setText(QString::fromStdString(mine));
    grid_->setText(line, QStringLiteral("GName"), *name);
    // A pick sets the box's text without a change event; taking a site is a change all the same.
    if (state() == Ready && quiet_ == 0)
        markDirty();
    if (line < kLines - 1)
        enableBox(line + 1, true);
    enableDays(line, true);
    grid_->setCurrentCell(line, QStringLiteral("D0"));
    grid_->setFocus();
}

// Hours -----------------------------------------------------------------------------------

void RoumuEntrySub2::DGrid_Change(int row, const QString& field) {
    if (state() != Ready || quiet_ > 0 || field == QLatin1String("GName"))
        return;
    const int column = QStringView(field).mid(1).toInt();
    columnTotal(column);
    if (column < kDays)
        lineTotal(row);
    showOvertime();
    markDirty();
}

void RoumuEntrySub2::DGrid_Committing(plat::widgets::SlipValue& value) {
    if (value.isEmpty())
        value = plat::widgets::SlipValue::number(0);
}

void RoumuEntrySub2::DGrid_Validating(const plat::widgets::SlipValue& value, bool& refuse) {
    if (value.isNumber() && (value.toNumber() > ledger::kHoursPerDay || value.toNumber() < 0))
        refuse = true;
}

// Enter on the last day of a line whose next line has no site yet goes on to that line's
// site box, so a month is typed without leaving the keyboard. True when it did.
bool RoumuEntrySub2::enterAtLineEnd() {
    const int row = grid_->currentRow();
    if (row < 0 || row + 1 >= kLines ||
        grid_->currentField() != indexedField("D", daysInMonth_ - 1))
        return false;
    if (!GenbaID(row + 1).widget()->isEnabled() || !boxText(row + 1).isEmpty())
        return false;
    if (grid_->commitEdit())
        focusBox(row + 1);
    return true;
}

// Totals ----------------------------------------------------------------------------------

void RoumuEntrySub2::lineTotal(int line) {
    float sum = 0;
    for (int d = 0; d < kDays; ++d)
        sum += static_cast<float>(grid_->number(line, indexedField("D", d)));
    grid_->setNumber(line, QStringLiteral("D31"), ledger::shownHours(sum));
}

// The lines down to the first empty site box count; column 31 sums the line totals, so the
// month's money is the wage times the month's hours, cut once.
void RoumuEntrySub2::columnTotal(int column) {
    const QString field = indexedField("D", column);
    float sum = 0;
    for (int l = 0; l < kLines && !boxText(l).isEmpty(); ++l)
        sum += static_cast<float>(grid_->number(l, field));
    const double hours = ledger::shownHours(sum);
    const QString hoursField = indexedField("TTime", column);
    grid_->setTotal(hoursField, hours);
    grid_->setTotal(indexedField("Total", column),
                    static_cast<double>(
                        ledger::moneyOf(plat::jet::Currency::fromDouble(tMony_->value()), hours)));
    if (column < kDays)
        grid_->setHeadingColor(hoursField, ledger::isOverDay(hours) ? kOverDay : QColor());
}

void RoumuEntrySub2::allTotals() {
    for (int l = 0; l < kLines; ++l)
        lineTotal(l);
    for (int c = 0; c <= kDays; ++c)
        columnTotal(c);
    showOvertime();
}

void RoumuEntrySub2::readOvertimeBasis() {
    const LedgerKeyData& key = RoumuM().LedgerKey;
    previousLines_.clear();
    holidayWeekday_ = 0;
    try {
        holidayWeekday_ = overtime::loadSettings(*RoumuM().RoumuDb).holidayWeekday;
        previousLines_ = overtime::readMonthLines(*RoumuM().RoumuDb, key.SyainID,
                                                  plat::text::addMonths(key.Nengetu, -1));
    } catch (const plat::jet::Error&) {
        // The line is a help, not part of the ledger: without the month before it counts this
        // month's weeks from the first of the month.
    }
}

// Counted over the same lines as the day totals, so it follows every typed hour.
void RoumuEntrySub2::showOvertime() {
    std::vector<overtime::LineHours> lines;
    for (int l = 0; l < kLines && !boxText(l).isEmpty(); ++l) {
        overtime::LineHours& h = lines.emplace_back();
        for (int d = 0; d < kDays; ++d)
            h[static_cast<size_t>(d)] = grid_->number(l, indexedField("D", d));
    }
    const overtime::MonthFigures f = overtime::monthFiguresOfLines(
        RoumuM().LedgerKey.Nengetu, lines, previousLines_, holidayWeekday_);
    const auto hours = [](overtime::Tenths t) {
        return QString::number(static_cast<double>(t) / overtime::kTenthsPerHour, 'f', 1);
    };
    overtime_->setText(tr8(t::kOvertimeLine).arg(hours(f.overtime), hours(f.holiday)));
    QPalette p = overtime_->palette();
    p.setColor(QPalette::WindowText, f.overtime > overtime::kMonthPrinciple
                                         ? kOverDay
                                         : palette().color(QPalette::WindowText));
    overtime_->setPalette(p);
}

// Buttons and flags -------------------------------------------------------------------------

void RoumuEntrySub2::comFunc_Click(int index) {
    const bool ran = runBusy([&] {
        switch (index) {
        case Save:
            if (dirty_)
                saveLedger();
            break;
        case DeleteLine:
            deleteLine();
            showMessage(nullptr, false);
            grid_->setFocus();
            break;
        case Close:
            break;
        case DeleteMonth:
            deleteMonth();
            break;
        case CopyPrevious:
            copyPreviousMonth();
            break;
        default:
            break;
        }
    });
    if (!ran) {
        if (lastFocused_)
            grid_->setFocus();
        return;
    }
    // Closing runs outside the busy flag, which refuses closing the window.
    if (index == Close)
        close();
}

void RoumuEntrySub2::markDirty() {
    if (!dirty_) {
        comFunc_->button(Save)->setEnabled(true);
        dirty_ = true;
    }
}

void RoumuEntrySub2::clearDirty() {
    dirty_ = false;
    comFunc_->button(Save)->setEnabled(false);
}

// Copying the month before only makes sense on a month that has no lines yet.
void RoumuEntrySub2::updateCopyButton() {
    comFunc_->button(CopyPrevious)->setEnabled(boxText(0).isEmpty());
}

void RoumuEntrySub2::focusLast() {
    if (lastFocused_)
        lastFocused_->setFocus();
}

void RoumuEntrySub2::focusBox(int line) {
    GenbaID(line).widget()->setFocus();
}

void RoumuEntrySub2::showMessage(const char* text, bool shown) {
    QPalette p = msg_->palette();
    // &H80FFFF while working, grey (12632256) otherwise.
    p.setColor(QPalette::Window, shown ? QColor(255, 255, 128) : QColor(192, 192, 192));
    msg_->setPalette(p);
    msg_->setText(text ? tr8(text) : QString());
}

// Line deletion -----------------------------------------------------------------------------

void RoumuEntrySub2::clearLine(int line) {
    Quiet quiet(*this);
    GenbaID(line).setText(QString());
    grid_->clearRow(line);
}

void RoumuEntrySub2::deleteLine() {
    const int d = grid_->currentRow();
    if (d < 0 || d >= kLines)
        return;
    showMessage(t::kDeletingLine, true);
    // Removing a site is a change to save even though the clearing itself raises none.
    if (!boxText(d).isEmpty() && state() == Ready)
        markDirty();
    clearLine(d);
    if (d == kLines - 1) {
        enableDays(d, false);
    } else if (boxText(d + 1).isEmpty()) {
        enableDays(d, false);
        enableBox(d + 1, false);
    } else {
        moveLineUp(d);
    }
    allTotals();
    updateCopyButton();
}

// Moves the lines below `to` up by one; the line that ends up empty is the input line.
void RoumuEntrySub2::moveLineUp(int to) {
    for (int a = to; a < kLines - 1; ++a) {
        const int from = a + 1;
        GenbaID(a).setText(boxText(from));
        grid_->setValue(a, QStringLiteral("GName"), grid_->value(from, QStringLiteral("GName")));
        for (int d = 0; d < kDays; ++d) {
            const QString field = indexedField("D", d);
            grid_->setValue(a, field, grid_->value(from, field));
        }
        if (boxText(from).isEmpty()) {
            enableDays(a, false);
            enableBox(from, false);
            return;
        }
        clearLine(from);
    }
    // The last line moved up: line 8 is the new input line, without hours until it has a site.
    enableDays(kLines - 1, false);
}

// Copying the month before --------------------------------------------------------------------

void RoumuEntrySub2::copyPreviousMonth() {
    if (!boxText(0).isEmpty())
        return;
    const LedgerKeyData& key = RoumuM().LedgerKey;
    std::vector<ledger::SiteRef> sites;
    try {
        sites = ledger::monthSites(*RoumuM().RoumuDb, plat::text::addMonths(key.Nengetu, -1),
                                   key.SyainID);
    } catch (const plat::jet::Error& e) {
        MessageService::error(QString::fromStdString(e.description()), tr8(t::kTitleRead), this);
        return;
    }
    if (sites.empty()) {
        MessageService::notice(tr8(t::kNoPreviousMonth), tr8(t::kCopyPrevious), this);
        return;
    }
    const int count = static_cast<int>(sites.size());
    for (int i = 0; i < kLines; ++i) {
        {
            Quiet quiet(*this);
            grid_->clearRow(i);
        }
        if (i < count) {
            GenbaID(i).setText(QString::number(sites[static_cast<size_t>(i)].GenbaID));
            grid_->setText(i, QStringLiteral("GName"),
                           QString::fromStdString(sites[static_cast<size_t>(i)].GName));
        }
        enableBox(i, i <= count);
        enableDays(i, i < count);
    }
    allTotals();
    markDirty();
    updateCopyButton();
    grid_->setCurrentCell(0, QStringLiteral("D0"));
    grid_->setFocus();
}

// Closing -----------------------------------------------------------------------------------

bool RoumuEntrySub2::onQueryUnload() {
    if (dirty_ &&
        !MessageService::askYesNo(tr8(t::kUnsavedQuestion), tr8(t::kEntryCaption), this)) {
        focusLast();
        return false;
    }
    setState(ClosingConfirmed);
    return true;
}

void RoumuEntrySub2::onUnload() {
    if (selection_)
        selection_->setEnabled(true);
}

} // namespace tamsel
