// The application's shared state, in this one place: the open database handle of the screens
// that work with SQL (RoumuDb), the employee-month being edited (LedgerKey) and the main menu
// that opened the current screen (MenuForm).
#pragma once

#include "platform/jet/Database.h"
#include "platform/jet/Value.h"
#include "platform/text/DateTime.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>

namespace tamsel {

struct LedgerKeyData {
    plat::text::DateTime Nengetu; // first day of the month
    std::int64_t SyainID = 0;
    QString SName;
    plat::jet::Currency TMony;
};

struct RoumuMState {
    // Replaced (and so released) by each screen that opens the database in its load step.
    std::optional<plat::jet::Database> RoumuDb;
    LedgerKeyData LedgerKey;
    QPointer<QWidget> MenuForm;
};

RoumuMState& RoumuM();

} // namespace tamsel
