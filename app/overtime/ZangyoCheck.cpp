// The overtime check screen.
#include "app/overtime/ZangyoCheck.h"

#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
#include "app/frame/TableCell.h"
#include "app/overtime/BreachWords.h"
#include "app/overtime/RptZangyo.h"
#include "app/overtime/Texts.h"
#include "app/reports/PrintReport.h"
#include "app/reports/Texts.h"
#include "platform/jet/Error.h"
#include "platform/report/ReportError.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CheckBox.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/MessageService.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tamsel {

namespace t = overtime::texts;
namespace rt = reports::texts;

QColor ZangyoCheck::over45Colour() {
    return QColor(255, 241, 118);
}

QColor ZangyoCheck::brokenColour() {
    return QColor(239, 83, 80);
}

ZangyoCheck::ZangyoCheck(QWidget* parent) : Screen(parent) {
    setWindowTitle(tr8(t::kCaption));
    // Created in the order the tab key visits them.
    QHBoxLayout* top = createYearAndSettings();
    QWidget* legend = createCapsAndGrid();
    QHBoxLayout* bottom = createPrintButtons();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(caps_);
    layout->addWidget(legend);
    layout->addWidget(grid_, 1);
    layout->addWidget(msg_);
    layout->addLayout(bottom);
    adjustSize();
}

// The year with previous/next and the firm's settings, in one row.
QHBoxLayout* ZangyoCheck::createYearAndSettings() {
    nengetu_ = new plat::widgets::DateBox(this);
    nengetu_->setObjectName(QStringLiteral("Nengetu"));
    nengetu_->setMode(plat::widgets::DateBox::Mode::Year);
    nengetu_->setFixedWidth(80);
    auto* yearLabel = new plat::widgets::Label(tr8(rt::kYearLabel), this);
    yearLabel->setBuddy(nengetu_);
    connect(nengetu_, &plat::widgets::DateBox::valueChanged, this, [this] {
        if (isLoaded() && state() == Ready)
            ShowYear();
    });
    comUD_ = new plat::widgets::ButtonArray(this);
    comUD_->setObjectName(QStringLiteral("comUD"));
    comUD_->add(PreviousYear, tr8(t::kPrevYear), this)->setFixedWidth(72);
    comUD_->add(NextYear, tr8(t::kNextYear), this)->setFixedWidth(72);
    connect(comUD_, &plat::widgets::ButtonArray::clicked, this, &ZangyoCheck::comUD_Click);
    period_ = new plat::widgets::Label({}, this);

    houteiKyujitu_ = new QComboBox(this);
    houteiKyujitu_->setObjectName(QStringLiteral("HouteiKyujitu"));
    for (const char* day : t::kWeekdays)
        houteiKyujitu_->addItem(tr8(day));
    auto* holidayLabel = new plat::widgets::Label(tr8(t::kHolidayLabel), this);
    holidayLabel->setBuddy(houteiKyujitu_);
    tokubetuJoko_ = new plat::widgets::CheckBox(tr8(t::kSpecialClause), this);
    tokubetuJoko_->setObjectName(QStringLiteral("TokubetuJoko"));
    nendoKaisi_ = new QComboBox(this);
    nendoKaisi_->setObjectName(QStringLiteral("NendoKaisi"));
    for (int m = 1; m <= 12; ++m)
        nendoKaisi_->addItem(QString::number(m) + tr8(t::kMonthSuffix));
    auto* startLabel = new plat::widgets::Label(tr8(t::kYearStartLabel), this);
    startLabel->setBuddy(nendoKaisi_);
    connect(houteiKyujitu_, &QComboBox::currentIndexChanged, this, &ZangyoCheck::settingsChanged);
    connect(nendoKaisi_, &QComboBox::currentIndexChanged, this, &ZangyoCheck::settingsChanged);
    connect(tokubetuJoko_, &QCheckBox::toggled, this, &ZangyoCheck::settingsChanged);

    auto* top = new QHBoxLayout;
    top->addWidget(yearLabel);
    top->addWidget(nengetu_);
    top->addWidget(comUD_->button(PreviousYear));
    top->addWidget(comUD_->button(NextYear));
    top->addWidget(period_);
    top->addStretch();
    top->addWidget(holidayLabel);
    top->addWidget(houteiKyujitu_);
    top->addWidget(tokubetuJoko_);
    top->addWidget(startLabel);
    top->addWidget(nendoKaisi_);
    return top;
}

// The caps that apply, the legend of the colours, the grid and the breaches under it; returns
// the legend.
QWidget* ZangyoCheck::createCapsAndGrid() {
    caps_ = new plat::widgets::Label({}, this);
    caps_->setWordWrap(true);
    auto* legend = new plat::widgets::Label(tr8(t::kLegend), this);

    grid_ = new QTableWidget(0, CountColumn + 1, this);
    grid_->setObjectName(QStringLiteral("DGrid"));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setVisible(false);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->setColumnWidth(NameColumn, 150);
    for (int c = FirstMonthColumn; c <= CountColumn; ++c)
        grid_->setColumnWidth(c, c == YearColumn ? 76 : 62);
    grid_->setMinimumSize(150 + 12 * 62 + 76 + 62 + 24, 360);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] { showBreaches(); });

    msg_ = new QLabel(this);
    msg_->setObjectName(QStringLiteral("MSG"));
    msg_->setWordWrap(true);
    msg_->setMinimumHeight(40);
    return legend;
}

// Preview check box, print and close, in one row.
QHBoxLayout* ZangyoCheck::createPrintButtons() {
    prtPreview_ = new plat::widgets::CheckBox(tr8(rt::kPreview), this);
    prtPreview_->setObjectName(QStringLiteral("PrtPreview"));
    comPrt_ = new plat::widgets::CommandButton(tr8(rt::kPrint), this);
    comPrt_->setObjectName(QStringLiteral("comPrt"));
    comPrt_->setFixedWidth(90);
    connect(comPrt_, &QPushButton::clicked, this, [this] { runBusy([this] { PrintCheck(); }); });
    comEnd_ = new plat::widgets::CommandButton(tr8(rt::kClose), this);
    comEnd_->setObjectName(QStringLiteral("comEnd"));
    comEnd_->setFixedWidth(90);
    connect(comEnd_, &QPushButton::clicked, this, &QWidget::close);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(prtPreview_);
    bottom->addStretch();
    bottom->addWidget(comPrt_);
    bottom->addWidget(comEnd_);
    return bottom;
}

void ZangyoCheck::onLoad() {
    if (!openDatabase())
        return;
    try {
        settings_ = overtime::loadSettings(*RoumuM().RoumuDb);
    } catch (const plat::jet::Error& e) {
        failLoad(QString::fromStdString(e.description()));
        return;
    }
    placeCentered();
    showSettings();
    const plat::text::DateTime today = plat::text::nowLocal();
    const QSignalBlocker block(nengetu_);
    nengetu_->setValue({overtime::agreementYearOf(settings_, today.year, today.month), 12, 1});
    ShowYear();
}

void ZangyoCheck::onUnload() {
    RoumuM().RoumuDb.reset();
}

void ZangyoCheck::comUD_Click(int index) {
    nengetu_->step(index == PreviousYear ? -1 : 1);
}

void ZangyoCheck::showSettings() {
    const QSignalBlocker b1(houteiKyujitu_);
    const QSignalBlocker b2(tokubetuJoko_);
    const QSignalBlocker b3(nendoKaisi_);
    houteiKyujitu_->setCurrentIndex(settings_.holidayWeekday);
    tokubetuJoko_->setChecked(settings_.specialClause);
    nendoKaisi_->setCurrentIndex(settings_.yearStartMonth - 1);
    caps_->setText(tr8(settings_.specialClause ? t::kCapsSpecial : t::kCapsPrinciple));
}

void ZangyoCheck::settingsChanged() {
    overtime::Settings wanted;
    wanted.holidayWeekday = houteiKyujitu_->currentIndex();
    wanted.specialClause = tokubetuJoko_->isChecked();
    wanted.yearStartMonth = nendoKaisi_->currentIndex() + 1;
    if (wanted == settings_ || !RoumuM().RoumuDb)
        return;
    try {
        overtime::saveSettings(*RoumuM().RoumuDb, wanted);
        settings_ = wanted;
    } catch (const plat::jet::Error& e) {
        plat::widgets::MessageService::error(failureText(e),
                                             tr8(t::kTitleSettings), this);
    }
    showSettings();
    ShowYear();
}

bool ZangyoCheck::ShowYear() {
    const int year = nengetu_->value().year;
    const int first = overtime::firstMonthOfYear(settings_, year);
    const int last = first + overtime::kMonthsInYear - 1;
    period_->setText(tr8(overtime::fillIn(
        t::kPeriodFormat,
        {std::to_string(overtime::yearOf(first)), std::to_string(overtime::monthOf(first)),
         std::to_string(overtime::yearOf(last)), std::to_string(overtime::monthOf(last))})));
    try {
        if (!RoumuM().RoumuDb)
            throw plat::jet::Error(plat::jet::err::ObjectClosed);
        check_ = overtime::runYearCheck(*RoumuM().RoumuDb, year, settings_);
    } catch (const plat::jet::Error& e) {
        check_ = {};
        fillGrid();
        plat::widgets::MessageService::error(QString::fromStdString(e.description()),
                                             tr8(rt::kTitleExtract), this);
        return false;
    }
    fillGrid();
    return true;
}

void ZangyoCheck::fillGrid() {
    const QSignalBlocker block(grid_);
    grid_->setUpdatesEnabled(false);
    grid_->clearContents();
    grid_->setRowCount(static_cast<int>(check_.employees.size()));
    QStringList headings{tr8(tamsel::texts::kEmployeeNameLabel)};
    for (int m = 0; m < overtime::kMonthsInYear; ++m)
        headings << QString::number(check_.monthNumber(m)) + tr8(t::kMonthSuffix);
    headings << tr8(t::kYearTotalHeading) << tr8(t::kOver45Heading);
    grid_->setHorizontalHeaderLabels(headings);

    int firstBroken = -1;
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const overtime::EmployeeCheck& e = check_.employees[static_cast<std::size_t>(r)];
        const overtime::EmployeeYear& y = e.year;
        grid_->setItem(r, NameColumn, readOnlyCell(tr8(e.name), Qt::AlignLeft | Qt::AlignVCenter));
        for (int m = 0; m < overtime::kMonthsInYear; ++m) {
            const auto at = static_cast<std::size_t>(m);
            const overtime::MonthFigures& f = y.months[at];
            QTableWidgetItem* item = readOnlyCell(tr8(overtime::hoursText(f.overtime)));
            item->setToolTip(tr8(overtime::fillIn(
                t::kCellTip,
                {overtime::hoursText(f.total), overtime::hoursText(f.overtime),
                 overtime::hoursText(f.holiday), overtime::hoursText(f.overtimeAndHoliday()),
                 overtime::averageText(y.worstAverage[at]),
                 std::to_string(y.worstAverage[at].span)})));
            if (y.broken[at])
                item->setBackground(brokenColour());
            else if (y.over45[at])
                item->setBackground(over45Colour());
            grid_->setItem(r, FirstMonthColumn + m, item);
        }
        QTableWidgetItem* total = readOnlyCell(tr8(overtime::hoursText(y.yearOvertime)));
        QTableWidgetItem* count = readOnlyCell(QString::number(y.monthsOver45));
        for (const overtime::Breach& b : y.breaches) {
            if (b.rule == overtime::Rule::Year360 || b.rule == overtime::Rule::Year720)
                total->setBackground(brokenColour());
            if (b.rule == overtime::Rule::SixMonths)
                count->setBackground(brokenColour());
        }
        grid_->setItem(r, YearColumn, total);
        grid_->setItem(r, CountColumn, count);
        if (firstBroken < 0 && !y.breaches.empty())
            firstBroken = r;
    }
    grid_->setUpdatesEnabled(true);
    if (grid_->rowCount() > 0)
        grid_->setCurrentCell(firstBroken < 0 ? 0 : firstBroken, NameColumn);
    showBreaches();
}

void ZangyoCheck::showBreaches() {
    const int row = grid_->currentRow();
    if (check_.employees.empty()) {
        msg_->setText(tr8(t::kNoData));
        return;
    }
    if (row < 0 || row >= static_cast<int>(check_.employees.size())) {
        msg_->clear();
        return;
    }
    const overtime::EmployeeCheck& e = check_.employees[static_cast<std::size_t>(row)];
    msg_->setText(tr8(e.name + t::kNameSeparator + overtime::breachLine(check_, e.year)));
}

void ZangyoCheck::PrintCheck() {
    try {
        overtime::RptZangyo report(check_);
        report.ChgPrinter();
        reports::previewOrPrint(report, prtPreview_->isChecked(), this);
    } catch (const plat::report::ReportError& e) {
        reports::showPrintError(e.number(), e.description(), this);
    }
}

} // namespace tamsel
