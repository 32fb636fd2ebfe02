// The control's class factory and the living-object count behind DllCanUnloadNow.
#include "control/core/ClassFactory.h"

#include "control/core/CVantilCtrl.h"

#include <new>

namespace vantil {

plat::automation::LiveObjectCount& liveObjects() {
    static plat::automation::LiveObjectCount count;
    return count;
}

plat::automation::Status
VantilClassFactory::createInstance(std::shared_ptr<plat::automation::Dispatch>& object) {
    try {
        object = std::make_shared<CVantilCtrl>();
        return plat::automation::status::Ok;
    } catch (const std::bad_alloc&) {
        return plat::automation::status::OutOfMemory;
    }
}

VantilClassFactory& controlClassFactory() {
    static VantilClassFactory factory;
    return factory;
}

} // namespace vantil
