// The annual cumulative report screen.
#include "app/reports/PrtRuikei.h"

#include "app/frame/LongTask.h"
#include "app/frame/ProgramFolder.h"
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
#include "app/reports/PrintReport.h"
#include "app/reports/PrintRun.h"
#include "app/reports/ReportData.h"
#include "app/reports/RptRuikei.h"
#include "app/reports/Texts.h"
#include "platform/jet/Error.h"
#include "platform/report/ReportError.h"
#include "platform/widgets/CheckBox.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/MessageService.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tamsel {

namespace t = reports::texts;

PrtRuikei::PrtRuikei(QWidget* parent) : Screen(parent) {
    setWindowTitle(tr8(t::kPrtRuikeiCaption));

    nengetu_ = new plat::widgets::DateBox(this);
    nengetu_->setObjectName(QStringLiteral("Nengetu"));
    nengetu_->setMode(plat::widgets::DateBox::Mode::Year);
    nengetu_->setFixedWidth(80);
    auto* label = new plat::widgets::Label(tr8(t::kYearLabel), this);
    label->setBuddy(nengetu_);

    prtPreview_ = new plat::widgets::CheckBox(tr8(t::kPreview), this);
    prtPreview_->setObjectName(QStringLiteral("PrtPreview"));
    comPrt_ = new plat::widgets::CommandButton(tr8(t::kPrint), this);
    comPrt_->setObjectName(QStringLiteral("comPrt"));
    comPrt_->setFixedWidth(90);
    connect(comPrt_, &QPushButton::clicked, this, &PrtRuikei::comPrt_Click);
    comEnd_ = new plat::widgets::CommandButton(tr8(t::kClose), this);
    comEnd_->setObjectName(QStringLiteral("comEnd"));
    comEnd_->setFixedWidth(90);
    connect(comEnd_, &QPushButton::clicked, this, &QWidget::close);

    auto* year = new QHBoxLayout;
    year->addWidget(label);
    year->addWidget(nengetu_);
    year->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(prtPreview_);
    buttons->addStretch();
    buttons->addWidget(comPrt_);
    buttons->addWidget(comEnd_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(14);
    layout->addLayout(year);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    adjustSize();
}

void PrtRuikei::onLoad() {
    if (!openDatabase())
        return;
    placeCentered();
    nengetu_->setValue(plat::text::firstOfMonth(plat::text::nowLocal()));
}

void PrtRuikei::onUnload() {
    RoumuM().RoumuDb.reset();
}

void PrtRuikei::comPrt_Click() {
    runBusy([&] {
        reports::PrintRun run;
        if (ExtractYear(run))
            PrintYearReport(run);
    });
}

bool PrtRuikei::ExtractYear(reports::PrintRun& run) {
    const int year = nengetu_->value().year;
    std::exception_ptr failure;
    if (!RoumuM().RoumuDb) {
        failure = std::make_exception_ptr(plat::jet::Error(plat::jet::err::ObjectClosed));
    } else {
        plat::jet::Database db = *RoumuM().RoumuDb;
        failure = runWithProgress(this, tr8(t::kAggregating), [&](const ProgressSink& progress) {
            run.begin(db);
            reports::fillYear(run.db(), year, [&](int done, int total) {
                progress(total > 0 ? done * 100 / total : 100);
            });
        });
    }
    if (!failure)
        return true;
    run.commit();
    try {
        std::rethrow_exception(failure);
    } catch (const plat::jet::Error& e) {
        plat::widgets::MessageService::error(QString::fromStdString(e.description()),
                                             tr8(t::kTitleExtract), this);
    }
    return false;
}

void PrtRuikei::PrintYearReport(reports::PrintRun& run) {
    try {
        reports::RptRuikei report(programFolder());
        report.ChgPrinter();
        run.layOut(report);
        reports::previewOrPrint(report, prtPreview_->isChecked(), this);
    } catch (const plat::report::ReportError& e) {
        reports::showPrintError(e.number(), e.description(), this);
    }
}

} // namespace tamsel
