// The registry stores a host looks in for a control's class, in order. A program lists the
// user's registry first and then a store installed beside itself, so it finds its own control
// library even when the user's registry file is missing or lacks the class.
#pragma once

#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Guid.h"

#include <string>
#include <vector>

namespace plat::host {

class RegistryChain {
public:
    explicit RegistryChain(std::vector<std::string> stores) : stores_(std::move(stores)) {}

    // The first store that registers `clsid`; when none does, the first store, whose
    // creation then reports the class as not registered.
    plat::automation::ComponentRegistry registryFor(const plat::automation::Guid& clsid) const;
    const std::vector<std::string>& stores() const { return stores_; }

private:
    std::vector<std::string> stores_;
};

} // namespace plat::host
