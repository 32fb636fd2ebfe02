// The employee labour-cost statement screen.
#include "app/reports/PrtSyainRoumu.h"

#include "app/closing/ClosedMonths.h"
#include "app/frame/FormControls.h"
#include "app/frame/ProgramFolder.h"
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
#include "app/frame/Std_1.h"
#include "app/reports/PrintReport.h"
#include "app/reports/PrintRun.h"
#include "app/reports/ReportData.h"
#include "app/reports/ReportQueries.h"
#include "app/reports/RptSRoumuMA4.h"
#include "app/reports/Texts.h"
#include "platform/host/HostedControl.h"
#include "platform/host/LoadError.h"
#include "platform/jet/Error.h"
#include "platform/report/ReportError.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CheckBox.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/MessageService.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tamsel {

namespace t = reports::texts;

namespace {
constexpr char kFormName[] = "PrtSyainRoumu";
} // namespace

PrtSyainRoumu::PrtSyainRoumu(QWidget* parent) : Screen(parent) {
    setWindowTitle(tr8(t::kPrtSyainRoumuCaption));

    auto* employeeLabel = new plat::widgets::Label(tr8(t::kEmployeeLabel), this);
    sName_ = new plat::widgets::Label(QString(), this);
    sName_->setObjectName(QStringLiteral("SName"));
    sName_->setMinimumWidth(180);

    const reports::MonthChooser monthChooser = reports::MonthChooser::make(this);
    nengetu_ = monthChooser.box;
    comUD_ = monthChooser.buttons;
    connect(comUD_, &plat::widgets::ButtonArray::clicked, this, &PrtSyainRoumu::comUD_Click);

    comPrt_ = new plat::widgets::ButtonArray(this);
    comPrt_->setObjectName(QStringLiteral("comPrt"));
    comPrt_->add(PrintChosen, tr8(t::kPrintChosen), this)->setFixedWidth(100);
    comPrt_->add(PrintAll, tr8(t::kPrintAll), this)->setFixedWidth(100);
    connect(comPrt_, &plat::widgets::ButtonArray::clicked, this, &PrtSyainRoumu::comPrt_Click);

    prtPreview_ = new plat::widgets::CheckBox(tr8(t::kPreview), this);
    prtPreview_->setObjectName(QStringLiteral("PrtPreview"));
    comEnd_ = new plat::widgets::CommandButton(tr8(t::kClose), this);
    comEnd_->setObjectName(QStringLiteral("comEnd"));
    comEnd_->setFixedWidth(100);
    connect(comEnd_, &QPushButton::clicked, this, &QWidget::close);

    employeeRow_ = new QHBoxLayout;
    employeeRow_->addWidget(employeeLabel);
    employeeRow_->addSpacing(8);
    employeeRow_->addWidget(sName_, 1);
    auto* month = new QHBoxLayout;
    monthChooser.addTo(month);
    month->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(prtPreview_);
    buttons->addStretch();
    buttons->addWidget(comPrt_->button(PrintChosen));
    buttons->addWidget(comPrt_->button(PrintAll));
    buttons->addSpacing(16);
    buttons->addWidget(comEnd_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(14);
    layout->addLayout(employeeRow_);
    layout->addLayout(month);
    layout->addLayout(buttons);
    setMinimumWidth(460);
    adjustSize();
}

plat::text::DateTime PrtSyainRoumu::today() const {
    return today_.year > 1899 ? today_ : plat::text::nowLocal();
}

void PrtSyainRoumu::onLoad() {
    if (!openDatabase())
        return;
    if (!syainId_) {
        const QString name = QStringLiteral("SyainID");
        plat::automation::AutomationError error;
        syainId_ = createFormControl(this, kFormName, name, error);
        if (!syainId_) {
            failLoad(plat::host::loadErrorText(error, name));
            return;
        }
        syainId_->setMinimumWidth(syainId_->sizeHint().width());
        employeeRow_->insertWidget(1, syainId_);
        connect(syainId_, &plat::host::HostedControl::closeUp, this,
                &PrtSyainRoumu::SyainID_CloseUp);
        adjustSize();
    }
    placeCentered();
    nengetu_->setValue(plat::text::firstOfMonth(today()));
    sName_->clear();
    FillEmployeeList();
}

bool PrtSyainRoumu::FillEmployeeList() {
    try {
        plat::jet::Recordset rs = RoumuM().RoumuDb->openRecordset(reports::kEmployeeListSql);
        syainId_->clearItems();
        syainId_->setText(QString());
        for (; !rs.eof(); rs.moveNext()) {
            const int row = syainId_->addItem(QString::number(rs.field("SyainID").toLong()));
            const plat::jet::Value name = rs.field("SName");
            syainId_->addSubItem(row, 1,
                                 name.isNull() ? QString() : QString::fromStdString(name.toText()));
        }
        return true;
    } catch (const plat::jet::Error& e) {
        failLoad(QString::fromStdString(e.description()));
    } catch (const plat::automation::AutomationException& e) {
        failLoad(QString::fromStdString(e.error().descriptionUtf8()));
    }
    return false;
}

void PrtSyainRoumu::SyainID_CloseUp() {
    const int index = syainId_->listIndex();
    if (index < 0)
        return;
    const QString text = syainId_->itemText(index);
    bool isNumber = false;
    const qlonglong number = text.toLongLong(&isNumber);
    if (text.isEmpty() || !isNumber)
        return;
    QString name;
    plat::jet::Currency wage;
    if (GetSyainInfo(number, name, wage))
        sName_->setText(name);
}

void PrtSyainRoumu::onUnload() {
    RoumuM().RoumuDb.reset();
}

QString PrtSyainRoumu::employeeText() const {
    return syainId_ ? syainId_->text() : QString();
}

void PrtSyainRoumu::comUD_Click(int index) {
    runBusy([&] { reports::stepMonth(*nengetu_, index, today()); });
}

void PrtSyainRoumu::comPrt_Click(int index) {
    runBusy([&] {
        HasPrintData = false;
        monthClosed_ = RoumuM().RoumuDb && closing::isClosed(*RoumuM().RoumuDb, nengetu_->value());
        reports::PrintRun run;
        if (index == PrintChosen) {
            const QString text = employeeText().trimmed();
            if (text.isEmpty())
                return;
            bool isNumber = false;
            const qlonglong syainId = text.toLongLong(&isNumber);
            if (!isNumber) {
                plat::widgets::MessageService::notice(tr8(t::kEmployeeNotNumber),
                                                      tr8(t::kPrintChosen), this);
                return;
            }
            CopyEmployeeMonth(run, syainId);
        } else {
            if (!plat::widgets::MessageService::askYesNo(tr8(t::kPrintAllQuestion),
                                                         tr8(t::kPrintAll), this))
                return;
            CopyAllEmployeesMonth(run);
        }
        if (HasPrintData)
            PrintStatement(run);
    });
}

void PrtSyainRoumu::CopyEmployeeMonth(reports::PrintRun& run, std::int64_t syainId) {
    copyLines(run, reports::employeeMonthCopySql(syainId, nengetu_->value()));
}

void PrtSyainRoumu::CopyAllEmployeesMonth(reports::PrintRun& run) {
    copyLines(run, reports::allEmployeesMonthCopySql(nengetu_->value()));
}

void PrtSyainRoumu::copyLines(reports::PrintRun& run, const std::string& copySql) {
    try {
        if (!RoumuM().RoumuDb)
            throw plat::jet::Error(plat::jet::err::ObjectClosed);
        if (!run.active())
            run.begin(*RoumuM().RoumuDb);
        HasPrintData = reports::copyStatementLines(run.db(), copySql) > 0;
    } catch (const plat::jet::Error& e) {
        HasPrintData = false;
        run.commit();
        reports::showPrintError(e.number(), e.description(), this);
    }
}

void PrtSyainRoumu::PrintStatement(reports::PrintRun& run) {
    try {
        reports::RptSRoumuMA4 report(programFolder());
        report.ChgPrinter();
        report.monthClosed = monthClosed_;
        run.layOut(report);
        reports::previewOrPrint(report, prtPreview_->isChecked(), this);
    } catch (const plat::report::ReportError& e) {
        reports::showPrintError(e.number(), e.description(), this);
    }
}

} // namespace tamsel
