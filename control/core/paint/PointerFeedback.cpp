// Pointer shapes and the pointed state of the caption.
#include "control/core/paint/PointerFeedback.h"

#include "control/core/paint/CaptionPainter.h"

namespace vantil {

CursorShape cursorFor(const ControlProperties& p, const ControlLayout& layout, Point at,
                      bool dragPending) {
    if (dragPending) {
        return CursorShape::Arrow;
    }
    if (!layout.inputRect.contains(at)) {
        return CursorShape::HostDefault;
    }
    using enum MousePointerConstants;
    const MousePointerConstants mp = p.mousePointer;
    if (mp == kStoredCustomPointer || mp == lxmp_ユーザー定義) {
        return p.mouseIcon && p.mouseIcon->usableAsPointer() ? CursorShape::Custom
                                                             : CursorShape::HostDefault;
    }
    // The standard pointers, arrow to size-all, are the cursor shapes of the same numbers.
    if (mp >= lxmp_矢印 && mp <= lxmp_サイズ_全方向) {
        return static_cast<CursorShape>(mp);
    }
    return layout.buttonRect.contains(at) ? CursorShape::HostDefault : CursorShape::IBeam;
}

bool PointerFeedback::pointerMoved(const ControlProperties& p, const SystemPalette& palette,
                                   bool inActiveWindow) {
    if (pointed_ || !p.enabled) {
        return false;
    }
    // Data of format 3.x shows the pointed colour only in the active window.
    if (p.loadedVersion < kVersion40 && !inActiveWindow) {
        return false;
    }
    const Rgb pointedColour = resolveColor(effectiveCaptionPointedColor(p), palette);
    if (pointedColour == resolveColor(effectiveCaptionColor(p), palette)) {
        return false;
    }
    pointed_ = true;
    timer_.start(kPointerWatchMs);
    return true;
}

bool PointerFeedback::tick(bool pointerInside) {
    if (!pointed_) {
        timer_.stop();
        return false;
    }
    if (pointerInside) {
        return false;
    }
    pointed_ = false;
    timer_.stop();
    return true;
}

} // namespace vantil
