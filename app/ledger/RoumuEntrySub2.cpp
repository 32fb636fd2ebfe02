// The ledger grid screen: layout, loading and showing the stored month, the buttons and the
// dirty flag, focus handling and closing. The grid's editing and totals are in
// RoumuEntrySub2Grid.cpp, the site look-up in RoumuEntrySub2Sites.cpp, saving, deleting and
// copying the month in RoumuEntrySub2Save.cpp.
#include "app/ledger/RoumuEntrySub2.h"

#include "app/closing/ClosedMonths.h"
#include "app/closing/Texts.h"
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
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
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace tamsel {

namespace t = ledger::texts;
using ledger::kDays;
using ledger::kLines;
using plat::widgets::indexedField;
using plat::widgets::MessageService;

namespace {
constexpr double kTopTwips = 1800;
const QColor kSunday(255, 0, 0);
} // namespace

RoumuEntrySub2::RoumuEntrySub2(ledger::PickBoxFactory boxes, QWidget* selection, QWidget* parent)
    : Screen(parent), boxes_(std::move(boxes)), selection_(selection) {
    setObjectName(QStringLiteral("RoumuEntrySub2"));
    setOpenedFromMenu(false);

    acLbl_ = new plat::widgets::BannerLabel(QString(), this);
    acLbl_->setObjectName(QStringLiteral("AcLbl"));

    makeGrid();
    QVBoxLayout* sites = makeSiteBoxes();
    makeWageBox();

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

    rememberFocus();

    overtime_ = new plat::widgets::Label(QString(), this);
    overtime_->setObjectName(QStringLiteral("OvertimeLine"));

    layOutScreen(sites);
}

void RoumuEntrySub2::makeGrid() {
    grid_ = new plat::widgets::SlipGrid(ledger::ledgerGridLayout(), this);
    grid_->setObjectName(QStringLiteral("DGrid"));
    // A refused entry stays open with its text, so the clerk corrects it in place.
    grid_->setKeepsRefusedEntry(true);
    connect(grid_, &plat::widgets::SlipGrid::valueChanged, this, &RoumuEntrySub2::DGrid_Change);
    connect(grid_, &plat::widgets::SlipGrid::committing, this,
            [this](int, const QString&, plat::widgets::SlipValue& v) { DGrid_Committing(v); });
    connect(grid_, &plat::widgets::SlipGrid::validating, this,
            [this](int, const QString&, const plat::widgets::SlipValue& v, bool& refuse) {
                DGrid_Validating(v, refuse);
            });

    // An entry being typed is a change "保存" must be able to take, before it is committed.
    connect(grid_, &plat::widgets::SlipGrid::editingStarted, this,
            [this] { comFunc_->button(Save)->setEnabled(true); });
    connect(grid_, &plat::widgets::SlipGrid::typingRefused, this,
            [this] { showStatus(t::kHoursRefused); });
    connect(grid_, &plat::widgets::SlipGrid::keyDown, this, [this](int& keyCode, int shift) {
        if (keyCode == 13 && shift == 0 && enterAtLineEnd())
            keyCode = 0;
    });
    auto* saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, [this] { comFunc_->press(Save); });
}

QVBoxLayout* RoumuEntrySub2::makeSiteBoxes() {
    // The site boxes stand beside the grid's lines, under a blank as high as its heading.
    auto* sites = new QVBoxLayout;
    sites->setSpacing(0);
    sites->addSpacing(grid_->geometry().headingHeight());
    for (int i = 0; i < kLines; ++i) {
        auto& box = genbaId_[static_cast<size_t>(i)];
        box = boxes_(this, QStringLiteral("GenbaID(%1)").arg(i));
        box->widget()->setFixedSize(84, grid_->geometry().rowHeight());
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
    return sites;
}

void RoumuEntrySub2::makeWageBox() {
    tMony_ = new plat::widgets::NumericBox(this);
    tMony_->setObjectName(QStringLiteral("TMony"));
    tMony_->setDisplayFormat(QStringLiteral("#,##0"));
    tMony_->setFixedWidth(90);
    tMony_->setRange(0, 922337203685477.0);
    connect(tMony_, &QLineEdit::textEdited, this,
            [this] { comFunc_->button(Save)->setEnabled(true); });
    connect(tMony_, &plat::widgets::NumericBox::refused, this,
            [this] { showStatus(t::kWageRefused); });
    connect(tMony_, &plat::widgets::NumericBox::valueChanged, this, [this] {
        if (state() == Ready && quiet_ == 0)
            markDirty();
    });
    // Every exit of the wage box brings the money totals up to date.
    connect(tMony_, &plat::widgets::NumericBox::exited, this, [this] { allTotals(); });
}

// The box, the grid or the site box that last had the focus takes it back on activation.
void RoumuEntrySub2::rememberFocus() {
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
}

void RoumuEntrySub2::layOutScreen(QVBoxLayout* sites) {
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
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(acLbl_);
    layout->addLayout(middle, 1);
    layout->addWidget(overtime_);
    layout->addLayout(bottom);
    // The whole month shows without scrolling where the screen has room for it; on a smaller
    // screen the window is made to fit and the grid scrolls.
    resize(sizeHint());
}

RoumuEntrySub2::~RoumuEntrySub2() {
    // The grid is destroyed after this screen's own part, and losing the focus then commits an
    // entry still open (a refused one stays open): nothing it signals may reach the screen.
    disconnect(grid_, nullptr, this, nullptr);
}

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
    if (!openDatabase())
        return;
    try {
        fitGridToScreen();
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
        grid_->setCurrentCell(0, QStringLiteral("D0"));
        for (int i = 0; i < kLines; ++i)
            GenbaID(i).setText(QString());
        readAs_.reset();
        storedLines_ = 0;
        clearStatus();
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

// The whole month without scrolling where the screen has room for the window at its full
// size; otherwise the window takes the screen's free area and the grid scrolls.
void RoumuEntrySub2::fitGridToScreen() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize whole = sizeHint(); // with the grid at its full size
    const QSize room = s ? s->availableGeometry().size() - QSize(8, 32) : whole;
    // Too narrow: the grid scrolls sideways and keeps all nine lines (the site boxes stand
    // beside them), room for its scroll bar added; too low as well: it scrolls both ways.
    const bool wide = whole.width() <= room.width();
    const int bar = wide ? 0 : grid_->horizontalScrollBar()->sizeHint().height();
    const bool high = whole.height() + bar <= room.height();
    const QSize full = grid_->sizeHint();
    const QSize least = grid_->minimumSizeHint();
    grid_->setMinimumSize(wide ? full.width() : least.width(),
                          high ? full.height() + bar : least.height());
    resize(whole);
    fitIntoScreen();
}

void RoumuEntrySub2::setTitles() {
    const plat::text::DateTime month = RoumuM().LedgerKey.Nengetu;
    const QString caption = tr8(t::kGridCaption).arg(month.year).arg(month.month);
    setWindowTitle(caption);
    acLbl_->setCaption(
        tr8(t::kGridBanner)
            .arg(closed_ ? caption + QChar(0x3000) + tr8(closing::texts::kClosed) : caption));
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
    closed_ = false;
    try {
        stored = ledger::readMonth(*RoumuM().RoumuDb, key.Nengetu, key.SyainID);
        readAs_ = stored.stamp;
        closed_ = closing::isClosed(*RoumuM().RoumuDb, key.Nengetu);
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
        storedLines_ = lineCount_;
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
    // A closed month only shows: hours, sites and wage stay as stored.
    setTitles();
    tMony_->setEnabled(!closed_);
    for (int f : {DeleteLine, DeleteMonth})
        comFunc_->button(f)->setEnabled(!closed_);
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
        grid_->setFieldEnabled(line, indexedField("D", d), on && d < daysInMonth_ && !closed_);
}

void RoumuEntrySub2::enableBox(int line, bool on) {
    GenbaID(line).widget()->setEnabled(on && !closed_);
}

QString RoumuEntrySub2::boxText(int line) const {
    return GenbaID(line).Text();
}

// Buttons and flags -------------------------------------------------------------------------

void RoumuEntrySub2::comFunc_Click(int index) {
    // What is being typed belongs to the ledger before any button acts on it.
    if (!isBusy() && !commitTyping())
        return;
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

// Takes what is being typed into a day cell or the wage box as entered, as leaving it would.
// False when the entry is refused: the status line says why and the focus stays on it.
bool RoumuEntrySub2::commitTyping() {
    if (grid_->isEditing() && !grid_->commitEdit()) {
        grid_->setFocus();
        return false;
    }
    const std::int64_t wage = tMony_->currency();
    if (!tMony_->commit()) {
        tMony_->setFocus();
        return false;
    }
    if (tMony_->currency() != wage)
        allTotals();
    return true;
}

void RoumuEntrySub2::showStatus(const char* text) {
    showMessage(text, false);
    statusShown_ = true;
}

void RoumuEntrySub2::clearStatus() {
    if (statusShown_)
        showMessage(nullptr, false);
    statusShown_ = false;
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

// Copying the month before is offered only on a month without lines, as stored and as typed.
void RoumuEntrySub2::updateCopyButton() {
    comFunc_->button(CopyPrevious)->setEnabled(monthIsEmpty() && !closed_);
}

bool RoumuEntrySub2::monthIsEmpty() const {
    if (storedLines_ > 0)
        return false;
    for (int l = 0; l < kLines; ++l) {
        if (!boxText(l).isEmpty())
            return false;
        for (int d = 0; d < kDays; ++d)
            if (grid_->number(l, indexedField("D", d)) != 0)
                return false;
    }
    return true;
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

// Closing -----------------------------------------------------------------------------------

bool RoumuEntrySub2::onQueryUnload() {
    if (!commitTyping())
        return false;
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
