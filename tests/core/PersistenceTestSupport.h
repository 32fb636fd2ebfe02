// Persistence test helpers: give every persisted item a value other than its default, and
// compare two property sets item by item through the member table.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/MemberTable.h"
#include "control/core/PropertyPersistence.h"

namespace vantil::test {

// Every persisted property, three columns and all 20 menu entries set to values other than
// their defaults (captions of the built-in entries excepted: they are never loaded).
void fillNonDefault(ControlProperties& p);

// Every persisted item, the columns and the menu table are equal.
void expectSamePersisted(const ControlProperties& expected, const ControlProperties& actual);

// Every ranged persisted item lies inside its range (DefHeight after the load rules).
void expectWithinRanges(const ControlProperties& p);

} // namespace vantil::test
