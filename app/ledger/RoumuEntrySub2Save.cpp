// The ledger grid screen, saving and deleting the month: the check of the site column, the
// question about days above 24 hours, the replacement of the employee-month in one
// transaction, the deletion of the month, and copying the sites of the month before.
#include "app/closing/Texts.h"
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
#include "app/ledger/LedgerRules.h"
#include "app/ledger/LedgerStore.h"
#include "app/ledger/RoumuEntrySub2.h"
#include "app/ledger/Texts.h"
#include "platform/jet/Error.h"
#include "platform/widgets/BannerLabel.h"
#include "platform/widgets/MessageService.h"
#include "platform/widgets/NumericBox.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

#include <QCoreApplication>
#include <QStringList>

namespace tamsel {

namespace t = ledger::texts;
using ledger::kDays;
using ledger::kLines;
using plat::widgets::indexedField;
using plat::widgets::MessageService;

void RoumuEntrySub2::saveLedger() {
    std::vector<ledger::LedgerLine> lines;
    if (!checkSites(lines) || !confirmLongDays(lines))
        return;
    if (writeLedger(lines))
        clearDirty();
}

// The site column as the save takes it: no site twice, no empty line above a filled one,
// numbers only, and every site registered in the master. Collects the lines on success.
bool RoumuEntrySub2::checkSites(std::vector<ledger::LedgerLine>& lines) {
    std::array<std::string, kLines> texts;
    for (int i = 0; i < kLines; ++i)
        texts[static_cast<size_t>(i)] = GenbaID(i).Text().toStdString();
    const ledger::SiteColumnProblem problem = ledger::checkSiteColumn(texts);
    using Kind = ledger::SiteColumnProblem::Kind;
    switch (problem.kind) {
    case Kind::Duplicate:
        MessageService::error(tr8(t::kDuplicateSite), tr8(t::kTitleSiteCheck), this);
        break;
    case Kind::Missing:
        MessageService::error(tr8(t::kMissingSite).arg(problem.line), tr8(t::kTitleSiteError),
                              this);
        break;
    case Kind::NotWholeNumber:
        MessageService::error(tr8(t::kSiteNotNumber).arg(problem.line), tr8(t::kTitleSiteError),
                              this);
        break;
    case Kind::None:
        break;
    }
    if (problem.kind != Kind::None) {
        focusBox(problem.focus);
        return false;
    }

    for (int b = 0; b < kLines; ++b) {
        if (!GenbaID(b).widget()->isEnabled() || texts[static_cast<size_t>(b)].empty())
            break;
        ledger::LedgerLine line;
        line.GenbaID = *ledger::parseWholeNumber(texts[static_cast<size_t>(b)]);
        try {
            plat::jet::Recordset rs =
                RoumuM().RoumuDb->openRecordset(ledger::siteNameSql(line.GenbaID));
            if (rs.eof()) {
                MessageService::error(tr8(t::kSiteNotInMaster).arg(b + 1), tr8(t::kTitleSiteError),
                                      this);
                focusBox(b);
                return false;
            }
            line.GName = rs["GName"].toText();
        } catch (const plat::jet::Error& e) {
            MessageService::error(QString::fromStdString(e.description()),
                                  tr8(texts::kTitleGenbaName), this);
            return false;
        }
        for (int d = 0; d < kDays; ++d)
            line.hours[static_cast<size_t>(d)] =
                static_cast<float>(grid_->number(b, indexedField("D", d)));
        lines.push_back(std::move(line));
    }
    lineCount_ = static_cast<int>(lines.size());
    return true;
}

// A day above 24 hours over all lines is most likely a typing slip: asked once per save.
bool RoumuEntrySub2::confirmLongDays(const std::vector<ledger::LedgerLine>& lines) {
    QStringList days;
    for (int d = 0; d < kDays; ++d) {
        float sum = 0;
        for (const ledger::LedgerLine& line : lines)
            sum += line.hours[static_cast<size_t>(d)];
        if (ledger::isOverDay(ledger::shownHours(sum)))
            days << QString::number(d + 1);
    }
    if (days.isEmpty())
        return true;
    if (MessageService::askYesNo(tr8(t::kOverDayQuestion).arg(days.join(QStringLiteral(","))),
                                 tr8(t::kTitleHoursCheck), this))
        return true;
    grid_->setFocus();
    return false;
}

// One save: the checks against the stored month and the replacement run in one transaction
// (ledger::saveMonth); a save they refuse writes nothing and is turned into its message here.
bool RoumuEntrySub2::writeLedger(const std::vector<ledger::LedgerLine>& lines) {
    LedgerKeyData& key = RoumuM().LedgerKey;
    key.TMony = plat::jet::Currency::fromDouble(tMony_->value());
    showMessage(t::kSaving, true);
    QCoreApplication::processEvents();
    bool saved = false;
    try {
        ledger::MonthToSave save;
        save.month = key.Nengetu;
        save.syainId = key.SyainID;
        save.sName = key.SName.toStdString();
        save.wage = key.TMony;
        save.lines = lines;
        ledger::SaveGuard guard{readAs_, false};
        for (bool asking = true; asking;) {
            const ledger::SaveResult result = ledger::saveMonth(*RoumuM().RoumuDb, save, guard);
            asking = false;
            switch (result.outcome) {
            case ledger::SaveOutcome::Saved:
                saved = true;
                readAs_ = result.stamp;
                storedLines_ = static_cast<int>(lines.size());
                acLbl_->Refresh();
                break;
            case ledger::SaveOutcome::MonthClosed:
                MessageService::error(tr8(closing::texts::kLedgerClosed), tr8(t::kTitleSave), this);
                break;
            case ledger::SaveOutcome::ChangedElsewhere:
                asking = changedElsewhere(guard);
                break;
            case ledger::SaveOutcome::EmployeeUnknown:
                MessageService::error(tr8(t::kEmployeeNotInMaster), tr8(t::kTitleSave), this);
                break;
            }
        }
    } catch (const plat::jet::Error& e) {
        showSaveError(e.number(), e.description(), true);
    }
    showMessage(nullptr, false);
    QCoreApplication::processEvents();
    if (!saved)
        grid_->setFocus();
    return saved;
}

// Another copy saved the month after this screen read it: replacing it is the clerk's choice
// (No keeps the grid and its changes). True when the save is to go ahead.
bool RoumuEntrySub2::changedElsewhere(ledger::SaveGuard& guard) {
    if (!MessageService::askYesNo(tr8(t::kChangedElsewhere), tr8(t::kEntryCaption), this))
        return false;
    guard.overwrite = true;
    return true;
}

void RoumuEntrySub2::showSaveError(int number, const std::string& description, bool notSaved) {
    QString text = failureText(number, description);
    if (notSaved)
        text += QLatin1Char('\n') + tr8(t::kNotSaved);
    MessageService::error(text, tr8(t::kTitleSave), this);
}

// The deletion runs the same checks against the stored month as a save, in its transaction: a
// month another copy saved after this screen read it is deleted only when the clerk says so
// (No keeps the grid and deletes nothing). True when the month is deleted.
bool RoumuEntrySub2::removeStoredMonth() {
    const LedgerKeyData& key = RoumuM().LedgerKey;
    ledger::SaveGuard guard{readAs_, false};
    for (;;) {
        ledger::SaveOutcome outcome = ledger::SaveOutcome::Saved;
        try {
            outcome = ledger::deleteMonth(*RoumuM().RoumuDb, key.Nengetu, key.SyainID, guard);
        } catch (const plat::jet::Error& e) {
            showSaveError(e.number(), e.description(), false);
            return false;
        }
        switch (outcome) {
        case ledger::SaveOutcome::Saved:
            return true;
        case ledger::SaveOutcome::MonthClosed:
            MessageService::error(tr8(closing::texts::kLedgerClosed), tr8(t::kTitleSave), this);
            return false;
        case ledger::SaveOutcome::EmployeeUnknown:
            MessageService::error(tr8(t::kEmployeeNotInMaster), tr8(t::kTitleDelete), this);
            return false;
        case ledger::SaveOutcome::ChangedElsewhere:
            if (!MessageService::askYesNo(tr8(t::kDeleteChangedElsewhere), tr8(t::kTitleDelete),
                                          this))
                return false;
            guard.overwrite = true;
            break;
        }
    }
}

void RoumuEntrySub2::deleteMonth() {
    if (boxText(0).isEmpty()) {
        focusBox(0);
        return;
    }
    if (!MessageService::askYesNo(tr8(t::kDeleteQuestion), tr8(t::kTitleDelete), this)) {
        grid_->setFocus();
        return;
    }
    if (!removeStoredMonth()) {
        grid_->setFocus();
        return;
    }
    {
        Quiet quiet(*this);
        grid_->clearAllRows();
        for (int i = 0; i < kLines; ++i) {
            GenbaID(i).setText(QString());
            enableBox(i, i == 0);
            enableDays(i, false);
        }
        for (int c = 0; c < kDays; ++c) {
            grid_->blankTotal(indexedField("TTime", c));
            grid_->blankTotal(indexedField("Total", c));
            grid_->setHeadingColor(indexedField("TTime", c), QColor());
        }
        grid_->setTotal(QStringLiteral("TTime31"), 0);
        grid_->setTotal(QStringLiteral("Total31"), 0);
    }
    lineCount_ = 0;
    storedLines_ = 0;
    readAs_ = ledger::MonthStamp{};
    showOvertime();
    acLbl_->Refresh();
    clearDirty();
    updateCopyButton();
    focusBox(0);
}

// Copying the month before --------------------------------------------------------------------

void RoumuEntrySub2::copyPreviousMonth() {
    if (!monthIsEmpty())
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

} // namespace tamsel
