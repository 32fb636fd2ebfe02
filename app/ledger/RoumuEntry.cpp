// The ledger selection screen.
#include "app/ledger/RoumuEntry.h"

#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
#include "app/frame/Std_1.h"
#include "app/ledger/LedgerRules.h"
#include "app/ledger/LedgerSql.h"
#include "app/ledger/LedgerStore.h"
#include "app/ledger/RoumuEntrySub2.h"
#include "app/ledger/Texts.h"
#include "platform/jet/Error.h"
#include "platform/widgets/BannerLabel.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/MessageService.h"
#include "platform/widgets/NumericBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tamsel {

namespace t = ledger::texts;
using plat::widgets::MessageService;

namespace {
enum UD { Previous = 0, Next = 1 };
} // namespace

RoumuEntry::RoumuEntry(ledger::PickBoxFactory boxes, QWidget* parent)
    : Screen(parent), boxes_(std::move(boxes)) {
    setObjectName(QStringLiteral("RoumuEntry"));
    setWindowTitle(tr8(t::kEntryCaption));

    acLbl_ = new plat::widgets::BannerLabel(tr8(t::kEntryBanner), this);
    acLbl_->setObjectName(QStringLiteral("AcLbl"));

    syainId_ = boxes_(this, QStringLiteral("SyainID"));
    syainId_->widget()->setMinimumWidth(220);
    syainId_->CloseUp = [this] { SyainID_CloseUp(); };

    nengetu_ = new plat::widgets::DateBox(this);
    nengetu_->setObjectName(QStringLiteral("Nengetu"));
    nengetu_->setMode(plat::widgets::DateBox::Mode::YearMonth);
    nengetu_->setFixedWidth(90);

    comUD_ = new plat::widgets::ButtonArray(this);
    comUD_->setObjectName(QStringLiteral("comUD"));
    comUD_->add(Previous, tr8(texts::kPrevMonth), this)->setFixedWidth(64);
    comUD_->add(Next, tr8(texts::kNextMonth), this)->setFixedWidth(64);
    connect(comUD_, &plat::widgets::ButtonArray::clicked, this, &RoumuEntry::comUD_Click);

    sName_ = new plat::widgets::Label(QString(), this);
    sName_->setObjectName(QStringLiteral("SName"));
    sName_->setMinimumWidth(200);
    sName_->setFrameShape(QFrame::Panel);
    sName_->setFrameShadow(QFrame::Sunken);
    tMony_ = new plat::widgets::NumericBox(this);
    tMony_->setObjectName(QStringLiteral("TMony"));
    tMony_->setDisplayFormat(QStringLiteral("#,##0"));
    tMony_->setFixedWidth(100);
    tMony_->setRange(0, 922337203685477.0);

    comOpen_ = new plat::widgets::CommandButton(tr8(t::kOpen), this);
    comOpen_->setObjectName(QStringLiteral("comOpen"));
    connect(comOpen_, &QPushButton::clicked, this,
            [this] { runBusy([this] { comOpen_Click(); }); });
    comEnd_ = new plat::widgets::CommandButton(tr8(texts::kCloseButton), this);
    comEnd_->setObjectName(QStringLiteral("comEnd"));
    connect(comEnd_, &QPushButton::clicked, this, &QWidget::close);

    auto* fields = new QGridLayout;
    fields->addWidget(new plat::widgets::Label(tr8(t::kEmployeeLabel), this), 0, 0);
    fields->addWidget(syainId_->widget(), 0, 1, 1, 3);
    fields->addWidget(new plat::widgets::Label(tr8(texts::kMonthLabel), this), 1, 0);
    fields->addWidget(nengetu_, 1, 1);
    fields->addWidget(comUD_->button(Previous), 1, 2);
    fields->addWidget(comUD_->button(Next), 1, 3);
    fields->addWidget(new plat::widgets::Label(tr8(texts::kEmployeeNameLabel), this), 2, 0);
    fields->addWidget(sName_, 2, 1, 1, 3);
    fields->addWidget(new plat::widgets::Label(tr8(texts::kWageLabel), this), 3, 0);
    fields->addWidget(tMony_, 3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(comOpen_);
    buttons->addWidget(comEnd_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addWidget(acLbl_);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    adjustSize();
}

RoumuEntry::~RoumuEntry() = default;

void RoumuEntry::setToday(const plat::text::DateTime& today) {
    today_ = today;
    nengetu_->setMaximum(plat::text::addMonths(plat::text::firstOfMonth(today), 3));
}

plat::text::DateTime RoumuEntry::today() const {
    return today_ ? *today_ : plat::text::nowLocal();
}

void RoumuEntry::onLoad() {
    if (!syainId_->loadError().isEmpty()) {
        failLoad(syainId_->loadError());
        return;
    }
    if (!openDatabase())
        return;
    try {
        double left = 0;
        double top = 0;
        CenterPosition(*this, left, top);
        moveToTwips(*this, left, 0);
        nengetu_->setValue(plat::text::firstOfMonth(today()));
        // The screen is reused: nothing of the employee chosen last time stays.
        syainId_->setText(QString());
        sName_->clear();
        tMony_->setNull();
        shownEmployee_.reset();
        fillEmployees();
    } catch (const plat::jet::Error& e) {
        failLoad(QString::fromStdString(e.description()));
    }
}

void RoumuEntry::fillEmployees() {
    syainId_->ClearItem();
    plat::jet::Recordset rs = RoumuM().RoumuDb->openRecordset(ledger::employeeListSql());
    for (int row = 0; !rs.eof(); ++row, rs.moveNext()) {
        syainId_->AddItem(row, QString::fromStdString(rs["SyainID"].toText()));
        syainId_->AddSubItem(row, 1, QString::fromStdString(rs["SName"].toText()));
    }
}

void RoumuEntry::SyainID_CloseUp() {
    const int index = syainId_->ListIndex();
    if (index < 0)
        return;
    const QString text = syainId_->ItemText(index);
    const auto number = ledger::parseWholeNumber(text.toStdString());
    if (!number)
        return;
    showEmployee(*number);
    acLbl_->Refresh();
    comOpen_->setFocus();
}

// An employee without a master row, or a failing look-up, shows an empty name and wage 0.
void RoumuEntry::showEmployee(std::int64_t syainId) {
    QString name;
    plat::jet::Currency wage;
    GetSyainInfo(syainId, name, wage);
    sName_->setText(name);
    tMony_->setCurrency(wage.scaled);
    shownEmployee_ = syainId;
}

void RoumuEntry::comUD_Click(int index) {
    runBusy([&] { nengetu_->step(index == Previous ? -1 : 1); });
}

void RoumuEntry::comOpen_Click() {
    const QString text = syainId_->Text();
    if (text.isEmpty())
        return;
    const auto number = ledger::parseWholeNumber(text.toStdString());
    if (!number) {
        MessageService::error(tr8(t::kEmployeeNotNumber), tr8(t::kEntryCaption), this);
        syainId_->widget()->setFocus();
        return;
    }
    // The employee is read again from the master: a number typed after a pick, or a wage
    // changed in the master meanwhile, opens the ledger with the master's name and wage.
    std::optional<ledger::EmployeeRow> employee;
    try {
        employee = ledger::findEmployee(*RoumuM().RoumuDb, *number);
    } catch (const plat::jet::Error& e) {
        MessageService::error(QString::fromStdString(e.description()),
                              tr8(texts::kTitleSyainInfo), this);
        return;
    }
    if (!employee) {
        MessageService::error(tr8(t::kEmployeeNotInMaster), tr8(t::kEntryCaption), this);
        syainId_->widget()->setFocus();
        return;
    }
    sName_->setText(QString::fromStdString(employee->SName));
    tMony_->setCurrency(employee->TMony.scaled);
    shownEmployee_ = *number;
    LedgerKeyData& key = RoumuM().LedgerKey;
    key.Nengetu = nengetu_->value();
    key.SyainID = *number;
    key.SName = sName_->text();
    key.TMony = employee->TMony;
    if (!grid_)
        grid_ = std::make_unique<RoumuEntrySub2>(boxes_, this);
    grid_->open();
}

bool RoumuEntry::onQueryUnload() {
    const plat::widgets::MsgResult answer = MessageService::show(
        {tr8(t::kQuitQuestion), tr8(t::kEntryCaption), plat::widgets::MsgIcon::None,
         plat::widgets::MsgButtons::YesNo, plat::widgets::MsgResult::Yes},
        this);
    if (answer != plat::widgets::MsgResult::Yes)
        return false;
    // An open ledger grid decides: while it stays open (its unsaved changes kept), this screen
    // and the database handle stay too.
    if (grid_ && grid_->isVisible() && !grid_->close())
        return false;
    setState(ClosingConfirmed);
    return true;
}

void RoumuEntry::onUnload() {
    if (grid_)
        grid_->close();
    RoumuM().RoumuDb.reset();
}

} // namespace tamsel
