// The one place that holds the process-wide seams of the control: the window-system platform
// and the list engine factory.
#include "control/core/ControlPlatform.h"

namespace vantil {
namespace {
ControlPlatform* installedPlatform = nullptr;
ListEngineFactory installedListFactory = nullptr;
} // namespace

ControlPlatform* controlPlatform() {
    return installedPlatform;
}
void installControlPlatform(ControlPlatform* platform) {
    installedPlatform = platform;
}

ListEngineFactory listEngineFactory() {
    return installedListFactory;
}
void installListEngineFactory(ListEngineFactory factory) {
    installedListFactory = factory;
}

} // namespace vantil
