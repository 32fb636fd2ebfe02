// Choosing the registry store that knows a class.
#include "platform/host/RegistryChain.h"

namespace plat::host {

plat::automation::ComponentRegistry
RegistryChain::registryFor(const plat::automation::Guid& clsid) const {
    for (const std::string& path : stores_) {
        plat::automation::ComponentRegistry registry(path);
        if (registry.findClass(clsid))
            return registry;
    }
    return plat::automation::ComponentRegistry(
        stores_.empty() ? plat::automation::ComponentRegistry::defaultPath() : stores_.front());
}

} // namespace plat::host
