// Shared behaviour of the master screens.
#include "app/masters/MasterScreen.h"

#include "app/frame/ProgramFolder.h"
#include "app/frame/ScreenText.h"
#include "app/masters/AmountInput.h"
#include "app/masters/Texts.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/MessageService.h"
#include "platform/widgets/NumericBox.h"
#include "platform/widgets/TextBox.h"
#include "platform/widgets/datactl/DBGrid.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace tamsel {

namespace t = masters::texts;
using plat::widgets::DBCtl;
using plat::widgets::MessageService;
using plat::widgets::NumericBox;
using plat::widgets::TextBox;

namespace {

// comMove indexes.
enum Move { Previous = 0, Next = 1, Add = 2, First = 3, Last = 4, Delete = 5 };
} // namespace

MasterScreen::MasterScreen(const QString& caption, const QString& recordSource,
                           const QString& controlCaption, QWidget* parent)
    : Screen(parent), recordSource_(recordSource) {
    setWindowTitle(caption);

    ctl_ = new DBCtl(this);
    ctl_->setObjectName(QStringLiteral("DBCtl"));
    ctl_->setCaption(controlCaption);
    ctl_->setRecordSource(recordSource);
    connect(ctl_, &DBCtl::errorOccurred, this, &MasterScreen::showDataError);

    fieldLayout_ = new QGridLayout;
    fieldLayout_->setHorizontalSpacing(10);
    fieldLayout_->setVerticalSpacing(8);
    fieldLayout_->setColumnStretch(1, 1); // fields start right after the widest label

    comMove_ = new plat::widgets::ButtonArray(this);
    comMove_->setObjectName(QStringLiteral("comMove"));
    grid_ = nullptr;
    comEnd_ = nullptr;
}

void MasterScreen::addField(const QString& label, QWidget* field, const QString& column,
                            bool enterSteps, int width) {
    auto* numeric = qobject_cast<NumericBox*>(field);
    if (numeric) {
        ctl_->bind(numeric, column);
        numeric->setEnterMovesFocus(false);
        // The box takes the typed text on leaving; only then is the value to store known.
        connect(numeric, &NumericBox::exited, this, [this, numeric] {
            if (const Field* f = fieldOf(numeric))
                leaveField(*f);
        });
    } else {
        ctl_->bind(static_cast<TextBox*>(field), column);
    }
    field->setFixedWidth(width);
    const int row = static_cast<int>(fields_.size());
    auto* caption = new plat::widgets::Label(label, this);
    caption->setBuddy(field);
    fieldLayout_->addWidget(caption, row, 0);
    fieldLayout_->addWidget(field, row, 1, Qt::AlignLeft);
    fields_.push_back({field, column, enterSteps, numeric != nullptr});
}

void MasterScreen::setGridColumns(std::vector<plat::widgets::DBGridColumn> columns) {
    // Built after the fields so that the tab order runs fields, buttons, grid.
    comEnd_ = nullptr;
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    for (int index : {First, Previous, Next, Last, Add, Delete}) {
        auto* b = comMove_->add(index, tr8(t::kMoveCaptions[index]), this);
        b->setFixedWidth(64);
        buttons->addWidget(b);
        if (index == Last)
            buttons->addSpacing(14);
    }
    connect(comMove_, &plat::widgets::ButtonArray::clicked, this, &MasterScreen::comMove_Click);
    buttons->addStretch();
    comEnd_ = new plat::widgets::CommandButton(tr8(t::kEnd), this);
    comEnd_->setObjectName(QStringLiteral("comEnd"));
    comEnd_->setFixedWidth(90);
    connect(comEnd_, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(comEnd_);

    grid_ = new plat::widgets::DBGrid(this);
    grid_->setObjectName(QStringLiteral("DBGrid"));
    int width = 24;
    for (const auto& c : columns)
        width += c.width;
    grid_->setColumns(std::move(columns));
    grid_->setDataControl(ctl_);
    grid_->setMinimumSize(width + 20, 300);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(10);
    layout->addWidget(ctl_);
    layout->addWidget(grid_, 1);
    layout->addLayout(fieldLayout_);
    layout->addLayout(buttons);
    adjustSize();
}

void MasterScreen::onLoad() {
    placeCentered();
    ctl_->setDatabaseName(databasePath());
    if (ctl_->refresh())
        startNewWhenEmpty();
}

void MasterScreen::onActivate() {
    startNewWhenEmpty();
}

// An empty record set opens ready for the first entry.
void MasterScreen::startNewWhenEmpty() {
    if (ctl_->isOpen() && ctl_->recordCount() == 0 && !ctl_->isAddingNew())
        ctl_->addNew();
}

bool MasterScreen::onQueryUnload() {
    if (const Field* f = fieldOf(focusWidget()); f && f->numeric && !commitAmount(*f))
        return false;
    if (ctl_->updateRecord())
        return true;
    if (!MessageService::askYesNo(tr8(t::kAskDiscardOnClose), tr8(t::kEnd), this))
        return false;
    ctl_->cancelUpdate();
    return true;
}

void MasterScreen::onUnload() {
    ctl_->close();
}

void MasterScreen::GoPrevious() {
    if (!ctl_->updateRecord() || ctl_->bof())
        return;
    if (ctl_->movePrevious() && ctl_->bof())
        ctl_->moveFirst();
}

void MasterScreen::GoNext() {
    if (!ctl_->updateRecord() || ctl_->eof())
        return;
    if (ctl_->moveNext() && ctl_->eof())
        ctl_->moveLast();
}

void MasterScreen::comMove_Click(int index) {
    runBusy([&] {
        switch (index) {
        case Previous:
            GoPrevious();
            break;
        case Next:
            GoNext();
            break;
        case Add:
            ctl_->addNew();
            break;
        case First:
            if (ctl_->recordCount() >= 1)
                ctl_->moveFirst();
            break;
        case Last:
            if (ctl_->recordCount() >= 1)
                ctl_->moveLast();
            break;
        case Delete:
            // No confirmation; a failed delete keeps the set as it was.
            if (ctl_->recordCount() >= 1 && ctl_->deleteCurrent() && ctl_->requery() &&
                ctl_->recordCount() >= 1)
                ctl_->moveLast();
            break;
        default:
            break;
        }
    });
    if (!fields_.empty())
        fields_.front().widget->setFocus();
}

const MasterScreen::Field* MasterScreen::fieldOf(QObject* watched) const {
    for (const Field& f : fields_)
        if (f.widget == watched)
            return &f;
    return nullptr;
}

bool MasterScreen::fieldChanged(const Field& f) const {
    return f.numeric ? static_cast<NumericBox*>(f.widget)->dataChanged()
                     : static_cast<TextBox*>(f.widget)->dataChanged();
}

bool MasterScreen::commitAmount(const Field& f) {
    auto* box = static_cast<NumericBox*>(f.widget);
    const AmountInput in = checkAmountInput(box->text(), box->decimals());
    switch (in.kind) {
    case AmountInput::Kind::Empty:
        box->setNull();
        return true;
    case AmountInput::Kind::Accepted:
        box->setCurrency(in.scaled);
        return true;
    case AmountInput::Kind::Refused:
        break;
    }
    // The old value comes back. It is still a pending change when it differs from the record
    // (an earlier store failed); otherwise the refused typing leaves nothing to store.
    const std::optional<std::int64_t> old =
        box->isNull() ? std::nullopt : std::optional<std::int64_t>(box->currency());
    const plat::jet::Value stored = ctl_->field(f.column);
    const bool differs = stored.isNull() ? old.has_value()
                                         : !old || *old != stored.toCurrency().scaled;
    box->fill(old);
    box->setDataChanged(ctl_->isAddingNew() ? old.has_value() : differs);
    MessageService::error(tr8(t::kWageRefused), tr8(t::kWageRefusedTitle), this);
    return false;
}

// A changed field that loses the focus is stored and the record set rebuilt. The row just
// stored, new or old, stays current, so whatever the clerk types next (the wage after the
// name) goes into that row and never into the first one.
void MasterScreen::leaveField(const Field& f) {
    if (!isLoaded() || !fieldChanged(f))
        return;
    if (!fields_.empty())
        fields_.front().widget->update();
    if (!ctl_->refresh())
        return;
    ctl_->moveToKey(ctl_->lastStoredKey());
}

bool MasterScreen::eventFilter(QObject* watched, QEvent* event) {
    const Field* f = isLoaded() ? fieldOf(watched) : nullptr;
    if (f && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool down = key->key() == Qt::Key_Down || (enter && f->enterSteps);
        const bool up = key->key() == Qt::Key_Up;
        if (down || up) {
            if (f->numeric && !commitAmount(*f))
                return true;
            runBusy([&] { down ? GoNext() : GoPrevious(); });
            return true;
        }
    } else if (f && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            // A wage box is checked before it takes its text, and stored once it has
            // (NumericBox::exited); a text box is stored at once.
            if (f->numeric)
                commitAmount(*f);
            else
                leaveField(*f);
        }
    }
    return Screen::eventFilter(watched, event);
}

void MasterScreen::showDataError(DBCtl::Step step, int number, const QString& description) {
    if (step == DBCtl::Step::Open) {
        failLoad(description);
        return;
    }
    const char* title = t::kTitleStore;
    if (step == DBCtl::Step::Move)
        title = t::kTitleMove;
    else if (step == DBCtl::Step::Delete)
        title = t::kTitleDelete;
    else if (step == DBCtl::Step::Requery)
        title = t::kTitleRequery;
    MessageService::error(failureText(number, description), tr8(title),
                          this);
}

} // namespace tamsel
