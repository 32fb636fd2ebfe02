// The one place that holds the process-wide window-system platform of the control.
#include "control/core/ControlPlatform.h"

namespace vantil {
namespace {
ControlPlatform* installedPlatform = nullptr;
} // namespace

ControlPlatform* controlPlatform() { return installedPlatform; }
void installControlPlatform(ControlPlatform* platform) { installedPlatform = platform; }

} // namespace vantil
