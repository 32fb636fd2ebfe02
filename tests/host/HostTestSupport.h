// Shared by the host tests: the control's class identifier, reading a sub-item through the
// control's item objects, and the build's registry (VANTIL_REGISTRY, where the freshly built
// control library registers itself).
#pragma once

#include "control/core/ClassIdentity.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"
#include "platform/host/HostedControl.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <QString>

namespace hosttest {

inline plat::automation::Guid controlClass() {
    return *plat::automation::Guid::parse(vantil::identity::kControlClassId);
}

inline QString subItem(plat::host::HostedControl& c, int row, int column) {
    using namespace plat::automation;
    const Variant items = c.get(u"ListItems");
    const Variant item = getProperty(*items.asObject(), u"Item", {Variant(std::int32_t(row))});
    return QString::fromStdU16String(
        getProperty(*item.asObject(), u"SubItems", {Variant(std::int16_t(column))}).toString());
}

} // namespace hosttest
