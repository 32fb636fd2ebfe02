// The ledger grid screen, the site column: the nine site lists from the site master, and the
// look-up of a picked or typed site number for its line.
#include "app/frame/RoumuM.h"
#include "app/frame/ScreenText.h"
#include "app/ledger/LedgerRules.h"
#include "app/ledger/RoumuEntrySub2.h"
#include "app/ledger/Texts.h"
#include "platform/jet/Error.h"
#include "platform/widgets/MessageService.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

namespace tamsel {

namespace t = ledger::texts;
using ledger::kDays;
using ledger::kLines;
using plat::widgets::indexedField;
using plat::widgets::MessageService;

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

} // namespace tamsel
