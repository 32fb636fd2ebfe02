// The month closing screen.
#include "app/closing/GetujiSime.h"

#include "app/closing/Texts.h"
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
#include "app/frame/TableCell.h"
#include "platform/jet/Error.h"
#include "platform/text/Format.h"
#include "platform/widgets/BannerLabel.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/MessageService.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tamsel {

namespace t = closing::texts;
using plat::widgets::MessageService;

GetujiSime::GetujiSime(QWidget* parent) : Screen(parent) {
    setWindowTitle(tr8(t::kCaption));

    acLbl_ = new plat::widgets::BannerLabel(tr8(t::kBanner), this);
    acLbl_->setObjectName(QStringLiteral("AcLbl"));
    rule_ = new plat::widgets::Label(tr8(t::kRule), this);

    grid_ = new QTableWidget(0, ColumnCount, this);
    grid_->setObjectName(QStringLiteral("DGrid"));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setVisible(false);
    grid_->setHorizontalHeaderLabels({tr8(t::kMonthHeading), tr8(t::kHoursHeading),
                                      tr8(t::kAmountHeading), tr8(t::kStateHeading),
                                      tr8(t::kClosedAtHeading)});
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int widths[ColumnCount] = {130, 90, 120, 90, 150};
    int total = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        grid_->setColumnWidth(c, widths[c]);
        total += widths[c];
    }
    grid_->setMinimumSize(total + 24, 360);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] { updateButtons(); });

    msg_ = new QLabel(this);
    msg_->setObjectName(QStringLiteral("MSG"));

    comFunc_ = new plat::widgets::ButtonArray(this);
    comFunc_->setObjectName(QStringLiteral("comFunc"));
    comFunc_->add(CloseMonth, tr8(t::kCloseButton), this)->setFixedWidth(100);
    comFunc_->add(OpenMonth, tr8(t::kOpenButton), this)->setFixedWidth(100);
    comFunc_->add(End, tr8(tamsel::texts::kCloseButton), this)->setFixedWidth(100);
    connect(comFunc_, &plat::widgets::ButtonArray::clicked, this, &GetujiSime::comFunc_Click);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(comFunc_->button(CloseMonth));
    bottom->addWidget(comFunc_->button(OpenMonth));
    bottom->addStretch();
    bottom->addWidget(comFunc_->button(End));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(acLbl_);
    layout->addWidget(rule_);
    layout->addWidget(grid_, 1);
    layout->addWidget(msg_);
    layout->addLayout(bottom);
    adjustSize();
}

void GetujiSime::onLoad() {
    if (!openDatabase())
        return;
    placeCentered();
    ShowMonths();
}

void GetujiSime::onUnload() {
    RoumuM().RoumuDb.reset();
}

bool GetujiSime::ShowMonths(const plat::text::DateTime& month) {
    bool read = true;
    try {
        if (!RoumuM().RoumuDb)
            throw plat::jet::Error(plat::jet::err::ObjectClosed);
        months_ = closing::monthSummaries(*RoumuM().RoumuDb);
    } catch (const plat::jet::Error& e) {
        months_.clear();
        MessageService::error(tr8(e.description()), tr8(t::kTitleRead), this);
        read = false;
    }
    {
        const QSignalBlocker block(grid_);
        grid_->clearContents();
        grid_->setRowCount(static_cast<int>(months_.size()));
        for (int r = 0; r < grid_->rowCount(); ++r) {
            const closing::MonthSummary& m = months_[static_cast<std::size_t>(r)];
            grid_->setItem(r, MonthColumn,
                           readOnlyCell(tr8(closing::monthTitle(m.month)), Qt::AlignCenter));
            grid_->setItem(r, HoursColumn,
                           readOnlyCell(tr8(plat::text::formatNumber(m.hours, "#,##0.0"))));
            grid_->setItem(r, AmountColumn,
                           readOnlyCell(tr8(
                               plat::text::formatNumber(static_cast<double>(m.amount), "#,##0"))));
            QTableWidgetItem* state =
                readOnlyCell(tr8(m.closedAt ? t::kClosed : t::kOpen), Qt::AlignCenter);
            if (m.closedAt)
                state->setBackground(QColor(255, 224, 178));
            grid_->setItem(r, StateColumn, state);
            grid_->setItem(
                r, ClosedAtColumn,
                readOnlyCell(m.closedAt ? tr8(plat::text::toCanonical(*m.closedAt).substr(0, 16))
                                        : QString(),
                             Qt::AlignCenter));
        }
    }
    msg_->setText(months_.empty() && read ? tr8(t::kNoMonths) : QString());
    if (!selectMonth(month) && grid_->rowCount() > 0) {
        // The month a clerk closes next: the newest one before the current month.
        const plat::text::DateTime today = plat::text::nowLocal();
        int row = 0;
        while (row + 1 < grid_->rowCount() &&
               !closing::canClose(months_[static_cast<std::size_t>(row)].month, today))
            ++row;
        grid_->setCurrentCell(row, MonthColumn);
    }
    updateButtons();
    return read;
}

bool GetujiSime::selectMonth(const plat::text::DateTime& month) {
    for (std::size_t r = 0; r < months_.size(); ++r) {
        if (months_[r].month == plat::text::firstOfMonth(month)) {
            grid_->setCurrentCell(static_cast<int>(r), MonthColumn);
            return true;
        }
    }
    return false;
}

const closing::MonthSummary* GetujiSime::selected() const {
    const int row = grid_->currentRow();
    if (row < 0 || row >= static_cast<int>(months_.size()))
        return nullptr;
    return &months_[static_cast<std::size_t>(row)];
}

void GetujiSime::updateButtons() {
    const closing::MonthSummary* m = selected();
    comFunc_->button(CloseMonth)
        ->setEnabled(m && !m->closedAt && closing::canClose(m->month, plat::text::nowLocal()));
    comFunc_->button(OpenMonth)->setEnabled(m && m->closedAt);
}

void GetujiSime::comFunc_Click(int index) {
    switch (index) {
    case CloseMonth:
        runBusy([this] { closeSelected(); });
        break;
    case OpenMonth:
        runBusy([this] { openSelected(); });
        break;
    case End:
        close();
        break;
    default:
        break;
    }
}

void GetujiSime::closeSelected() {
    const closing::MonthSummary* m = selected();
    if (!m || m->closedAt || !RoumuM().RoumuDb)
        return;
    const plat::text::DateTime month = m->month;
    const plat::text::DateTime now = plat::text::nowLocal();
    if (!closing::canClose(month, now)) {
        MessageService::error(tr8(t::kNotBeforeCurrent), tr8(t::kTitleClose), this);
        return;
    }
    if (!MessageService::askYesNo(tr8(t::kCloseQuestion).arg(tr8(closing::monthTitle(month))),
                                  tr8(t::kTitleClose), this))
        return;
    try {
        const closing::CloseResult result = closing::closeMonth(*RoumuM().RoumuDb, month, now);
        if (result == closing::CloseResult::NotBeforeCurrent)
            MessageService::error(tr8(closing::refusalText(result)), tr8(t::kTitleClose), this);
    } catch (const plat::jet::Error& e) {
        MessageService::error(failureText(e), tr8(t::kTitleClose), this);
    }
    ShowMonths(month);
}

void GetujiSime::openSelected() {
    const closing::MonthSummary* m = selected();
    if (!m || !m->closedAt || !RoumuM().RoumuDb)
        return;
    const plat::text::DateTime month = m->month;
    plat::widgets::MessageRequest question;
    question.text = tr8(t::kOpenQuestion);
    question.title = tr8(t::kTitleOpen);
    question.icon = plat::widgets::MsgIcon::Warning;
    question.buttons = plat::widgets::MsgButtons::YesNo;
    question.defaultButton = plat::widgets::MsgResult::No;
    if (MessageService::show(question, this) != plat::widgets::MsgResult::Yes)
        return;
    try {
        closing::openMonth(*RoumuM().RoumuDb, month);
    } catch (const plat::jet::Error& e) {
        MessageService::error(failureText(e), tr8(t::kTitleOpen), this);
    }
    ShowMonths(month);
}

} // namespace tamsel
