// The monthly inquiry screen.
#include "app/reports/RefRoumu.h"

#include "app/closing/ClosedMonths.h"
#include "app/closing/Texts.h"
#include "app/frame/ProgramFolder.h"
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
#include "app/reports/BackgroundWork.h"
#include "app/reports/MonthChooser.h"
#include "app/reports/PrintReport.h"
#include "app/reports/ReportQueries.h"
#include "app/reports/RptRoumuG.h"
#include "app/reports/Texts.h"
#include "platform/jet/Error.h"
#include "platform/report/ReportError.h"
#include "platform/text/Format.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CheckBox.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/MessageService.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tamsel {

namespace t = reports::texts;
using plat::widgets::indexedField;

namespace {

// The load step places the screen this much lower than CenterPosition would.
constexpr double kExtraTopTwips = 400;

plat::widgets::SlipGridLayout inquiryLayout() {
    using namespace plat::widgets;
    SlipGridLayout l;
    l.rowHeight = 20;
    l.frozenColumns = 1;
    l.columns.push_back(textColumn(QStringLiteral("GName"), 170, false));
    for (int d = 0; d <= 30; ++d)
        l.columns.push_back(numberColumn(indexedField("D", d), 52, "#,##0.0", false));
    l.columns.push_back(numberColumn(QStringLiteral("D31"), 70, "#,###,##0.0", false));
    l.heading.lineHeights = {22};
    l.heading.cells.push_back(
        areaField(QStringLiteral("lG"), 0, 0, 1, 1, {}, tr8(t::kSiteHeading)));
    for (int d = 0; d <= 30; ++d)
        l.heading.cells.push_back(areaField(indexedField("lD", d), 0, 1 + d));
    l.heading.cells.push_back(
        areaField(QStringLiteral("lD31"), 0, 32, 1, 1, {}, tr8(t::kTotalHeading)));
    l.totals.lineHeights = {22};
    l.totals.cells.push_back(areaCaption(tr8(t::kTotalsCaption), 0, 0));
    for (int d = 0; d <= 31; ++d)
        l.totals.cells.push_back(areaField(indexedField("TTime", d), 0, 1 + d, 1, 1,
                                           d == 31 ? "###,##0.0" : "##,##0.0"));
    return l;
}

} // namespace

RefRoumu::RefRoumu(QWidget* parent) : Screen(parent) {
    setWindowTitle(tr8(t::kRefRoumuCaption));

    const reports::MonthChooser monthChooser = reports::MonthChooser::make(this);
    nengetu_ = monthChooser.box;
    comUD_ = monthChooser.buttons;
    connect(comUD_, &plat::widgets::ButtonArray::clicked, this, &RefRoumu::comUD_Click);

    comDisp_ = new plat::widgets::CommandButton(tr8(t::kDisplay), this);
    comDisp_->setObjectName(QStringLiteral("comDisp"));
    connect(comDisp_, &QPushButton::clicked, this, &RefRoumu::comDisp_Click);

    grid_ = new plat::widgets::SlipGrid(inquiryLayout(), this);
    grid_->setObjectName(QStringLiteral("DGrid"));
    grid_->setMinimumSize(1000, 360);
    // The inquiry only shows: the Delete key does nothing here.
    connect(grid_, &plat::widgets::SlipGrid::keyDown, this, [](int& keyCode, int) {
        if (keyCode == 46)
            keyCode = 0;
    });

    msg_ = new plat::widgets::Label(QString(), this);
    msg_->setObjectName(QStringLiteral("MSG"));
    prtPreview_ = new plat::widgets::CheckBox(tr8(t::kPreview), this);
    prtPreview_->setObjectName(QStringLiteral("PrtPreview"));
    comPrt_ = new plat::widgets::CommandButton(tr8(t::kPrintWide), this);
    comPrt_->setObjectName(QStringLiteral("comPrt"));
    connect(comPrt_, &QPushButton::clicked, this, &RefRoumu::comPrt_Click);
    comEnd_ = new plat::widgets::CommandButton(tr8(t::kClose), this);
    comEnd_->setObjectName(QStringLiteral("comEnd"));
    connect(comEnd_, &QPushButton::clicked, this, &QWidget::close);

    auto* top = new QHBoxLayout;
    monthChooser.addTo(top);
    top->addSpacing(16);
    top->addWidget(comDisp_);
    sime_ = new plat::widgets::Label(QString(), this);
    top->addWidget(sime_);
    top->addStretch();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(msg_, 1);
    bottom->addWidget(prtPreview_);
    bottom->addWidget(comPrt_);
    bottom->addSpacing(16);
    bottom->addWidget(comEnd_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    layout->addLayout(bottom);
    adjustSize();
}

plat::text::DateTime RefRoumu::today() const {
    return today_.year > 1899 ? today_ : plat::text::nowLocal();
}

void RefRoumu::onLoad() {
    if (!openDatabase())
        return;
    placeCentered(kExtraTopTwips);
    nengetu_->setValue(plat::text::firstOfMonth(today()));
    // A screen opened again from the menu starts as fresh as the first time: nothing of the
    // month shown at the last visit stays behind.
    ClearRows();
    SetDayHeadings();
    ClearDayTotals();
    msg_->setText(QString());
}

void RefRoumu::onUnload() {
    RoumuM().RoumuDb.reset();
}

void RefRoumu::ClearRows() {
    if (grid_->rowCount() >= 1)
        grid_->removeAllRows();
}

void RefRoumu::SetDayHeadings() {
    plat::text::DateTime day = nengetu_->value();
    for (int n = 0; n <= 30; ++n) {
        const QString field = indexedField("lD", n);
        grid_->setHeadingText(
            field, QString::fromStdString(plat::text::formatDate(day, t::kDayHeadingFormat)));
        grid_->setHeadingColor(field,
                               plat::text::weekday(day) == 0 ? QColor(255, 0, 0) : QColor(0, 0, 0));
        day = plat::text::addDays(day, 1);
    }
}

void RefRoumu::ClearDayTotals() {
    for (int n = 0; n <= 31; ++n)
        grid_->blankTotal(indexedField("TTime", n));
}

void RefRoumu::ShowMonth() {
    ClearRows();
    SetDayHeadings();
    ClearDayTotals();
    std::vector<reports::InquiryRow> rows;
    const plat::text::DateTime month = nengetu_->value();
    std::exception_ptr failure;
    bool closed = false;
    if (!RoumuM().RoumuDb) {
        failure = std::make_exception_ptr(plat::jet::Error(plat::jet::err::ObjectClosed));
    } else {
        plat::jet::Database db = *RoumuM().RoumuDb;
        failure = reports::runInBackground([&] {
            rows = reports::readInquiry(db, month);
            closed = closing::isClosed(db, month);
        });
    }
    sime_->setText(closed ? tr8(closing::texts::kClosed) : QString());
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const plat::jet::Error& e) {
            plat::widgets::MessageService::error(QString::fromStdString(e.description()),
                                                 tr8(t::kTitleExtract), this);
        }
        return;
    }
    if (rows.empty())
        return;
    FillRows(rows);
    SumDays();
    grid_->setFocus();
}

void RefRoumu::FillRows(const std::vector<reports::InquiryRow>& rows) {
    int r = 0;
    float grand = 0;
    for (const reports::InquiryRow& row : rows) {
        grid_->appendRow();
        grid_->setText(r, QStringLiteral("GName"), row.gName);
        float sum = 0;
        for (int n = 0; n <= 30; ++n) {
            const float v = row.days[static_cast<std::size_t>(n)];
            grid_->setNumber(r, indexedField("D", n), reports::singleAsShown(v));
            sum += v;
        }
        grid_->setNumber(r, QStringLiteral("D31"), reports::singleAsShown(sum));
        grand += sum;
        ++r;
    }
    grid_->setTotal(QStringLiteral("TTime31"), reports::singleAsShown(grand));
}

void RefRoumu::SumDays() {
    for (int n = 0; n <= 30; ++n) {
        const QString field = indexedField("D", n);
        float sum = 0;
        for (int r = 0; r < grid_->rowCount(); ++r)
            sum += static_cast<float>(grid_->number(r, field));
        grid_->setTotal(indexedField("TTime", n), reports::singleAsShown(sum));
    }
}

void RefRoumu::display() {
    msg_->setText(tr8(t::kAggregating));
    msg_->repaint();
    ShowMonth();
    msg_->setText(QString());
    msg_->repaint();
}

void RefRoumu::comUD_Click(int index) {
    runBusy([&] {
        reports::stepMonth(*nengetu_, index, today());
        display();
    });
}

void RefRoumu::comDisp_Click() {
    runBusy([&] { display(); });
}

void RefRoumu::comPrt_Click() {
    runBusy([&] {
        if (BuildSiteReportQuery())
            PrintSiteReport();
    });
}

bool RefRoumu::BuildSiteReportQuery() {
    try {
        if (!RoumuM().RoumuDb)
            throw plat::jet::Error(plat::jet::err::ObjectClosed);
        reports::buildSiteReportQuery(*RoumuM().RoumuDb, nengetu_->value());
        return true;
    } catch (const plat::jet::Error& e) {
        reports::showPrintError(e.number(), e.description(), this);
        return false;
    }
}

void RefRoumu::PrintSiteReport() {
    try {
        if (!RoumuM().RoumuDb)
            throw plat::jet::Error(plat::jet::err::ObjectClosed);
        reports::RptRoumuG report(programFolder(), *RoumuM().RoumuDb);
        report.ChgPrinter();
        reports::previewOrPrint(report, prtPreview_->isChecked(), this);
    } catch (const plat::report::ReportError& e) {
        reports::showPrintError(e.number(), e.description(), this);
    } catch (const plat::jet::Error& e) {
        reports::showPrintError(e.number(), e.description(), this);
    }
}

} // namespace tamsel
