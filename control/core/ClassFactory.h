// The class factory of the control class and the library's count of living objects.
#pragma once

#include "platform/automation/ClassFactory.h"

namespace vantil {

// Objects of the library that are alive (controls and the objects they hand out); the
// library may be unloaded when it is zero and no factory lock is held.
plat::automation::LiveObjectCount& liveObjects();

// Creates one CVantilCtrl per request.
class VantilClassFactory final : public plat::automation::ClassFactory {
public:
    plat::automation::Status
    createInstance(std::shared_ptr<plat::automation::Dispatch>& object) override;
};

// The factory the library hands out; lives as long as the library is loaded.
VantilClassFactory& controlClassFactory();

} // namespace vantil
