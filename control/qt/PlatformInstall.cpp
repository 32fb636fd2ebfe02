// Built into libvantil.so itself: installs the Qt window-system layer when the library is
// loaded, and removes it again when the library is unloaded.
#include "control/qt/QtControlPlatform.h"

namespace {

struct Installer {
    Installer() { vantil::installControlPlatform(&vantil::qtControlPlatform()); }
    ~Installer() {
        if (vantil::controlPlatform() == &vantil::qtControlPlatform()) {
            vantil::installControlPlatform(nullptr);
        }
    }
};

const Installer installer;

} // namespace
