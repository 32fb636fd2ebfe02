// The window-system layer's services for every control of the process: the control's window,
// the clipboard, timers, the wait cursor and the about box. Installed once when libvantil.so is
// loaded.
#pragma once

#include "control/core/ControlPlatform.h"
#include "control/qt/DesktopPalette.h"
#include "control/qt/QtClipboard.h"

namespace vantil {

class QtControlPlatform final : public ControlPlatform, public AboutBoxService {
public:
    AboutBoxService* aboutBox() override { return this; }
    Clipboard* clipboard() override;
    // nullptr when the process has no Qt application to run timers.
    std::unique_ptr<RepeatingTimer> createTimer(std::function<void()> onTick) override;
    void showWaitCursor() override;
    void restoreCursor() override;
    // nullptr when the process has no QApplication: the control then stays windowless.
    std::unique_ptr<ControlView> createView(CVantilCtrl& control, void* parentWindow, int x, int y,
                                            int widthPx, int heightPx) override;
    void showModal(const AboutBoxContent& content) override;

private:
    DesktopPalette palette_;
    QtClipboard clipboard_;
};

// The process's one instance.
QtControlPlatform& qtControlPlatform();

} // namespace vantil
