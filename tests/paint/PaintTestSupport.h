// The control's properties as a new control has them, for painting tests.
#pragma once

#include "control/core/CVantilCtrl.h"

namespace vantil::test {

inline ControlProperties defaultProperties() {
    CVantilCtrl ctrl;
    ctrl.initNew();
    ControlProperties p = ctrl.properties();
    return p;
}

} // namespace vantil::test
