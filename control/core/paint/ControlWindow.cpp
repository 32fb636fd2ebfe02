// Window events of the control and what they repaint.
#include "control/core/paint/ControlWindow.h"

#include "control/core/paint/EditPainter.h"

namespace vantil {

namespace {

// Properties that only change how the caption looks.
bool captionOnly(plat::automation::DispId id) {
    switch (id) {
    case dispids::Caption:
    case dispids::CaptionFont:
    case dispids::CaptionColor:
    case dispids::CaptionFocusColor:
    case dispids::CaptionDisabledColor:
    case dispids::CaptionPointedColor:
    case dispids::CaptionAccelerator:
    case dispids::CaptionAlignmentH:
    case dispids::CaptionAlignmentV:
    case dispids::CaptionFocusBorder:
    case dispids::CaptionFont3D:
    case dispids::CaptionDirection:
    case dispids::CaptionMultiLine:
        return true;
    default:
        return false;
    }
}

} // namespace

ControlWindow::ControlWindow(CVantilCtrl& control, const SystemPalette& palette,
                             TimerService& timer)
    : control_(control), palette_(palette), pointer_(timer) {}

void ControlWindow::resize(int widthPx, int heightPx) {
    width_ = widthPx;
    height_ = heightPx;
    layout_ = computeLayout(control_.properties(), Rect{0, 0, width_, height_});
}

PaintState ControlWindow::state() const {
    PaintState st;
    st.focused = focused_;
    st.designMode = control_.designMode();
    st.pointed = pointer_.pointed();
    st.buttonPressed = pressed_;
    st.caretVisible = focused_ && caretShown_ && !st.designMode;
    st.composition = control_.editArea().composition();
    return st;
}

void ControlWindow::paint(Surface& s) {
    control_.windowPainted();
    const PaintState st = state();
    if (st.focused && !st.designMode) {
        scrollToCaret(s, control_.properties(), layout_, st.composition);
    }
    paintControl(s, control_.properties(), layout_, st, palette_);
}

Rect ControlWindow::caret(Surface& s) const {
    return caretRect(s, control_.properties(), layout_, control_.editArea().composition());
}

std::int32_t ControlWindow::charIndexAt(Surface& s, Point at) const {
    return vantil::charIndexAt(s, control_.properties(), layout_, at.x);
}

std::optional<Rect> ControlWindow::captionArea() const {
    if (layout_.captionRect.empty()) {
        return std::nullopt;
    }
    return layout_.captionRect;
}

std::optional<Rect> ControlWindow::propertyChanged(plat::automation::DispId id) {
    const bool enabled = control_.properties().enabled;
    // Colours of a state the control is not in show nothing until it is.
    if ((id == dispids::CaptionDisabledColor && enabled) ||
        (id == dispids::CaptionPointedColor && !(enabled && pointer_.pointed()))) {
        return std::nullopt;
    }
    if (captionOnly(id)) {
        return captionArea();
    }
    // Every other property may move the rectangles; recomputing is cheap.
    resize(width_, height_);
    return layout_.client;
}

std::optional<Rect> ControlWindow::pointerMoved(bool inActiveWindow) {
    if (control_.designMode()) {
        return std::nullopt;
    }
    if (pointer_.pointerMoved(control_.properties(), palette_, inActiveWindow)) {
        return captionArea();
    }
    return std::nullopt;
}

std::optional<Rect> ControlWindow::timerTick(bool pointerInside) {
    if (pointer_.tick(pointerInside)) {
        return captionArea();
    }
    return std::nullopt;
}

CursorShape ControlWindow::cursorAt(Point at, bool dragPending) const {
    return cursorFor(control_.properties(), layout_, at, dragPending);
}

bool ControlWindow::pressAt(Point at) {
    if (!control_.properties().enabled || !layout_.buttonRect.contains(at)) {
        return false;
    }
    pressed_ = true;
    return true;
}

bool ControlWindow::release() {
    const bool was = pressed_;
    pressed_ = false;
    return was;
}

std::optional<int> ControlWindow::heightForDefHeight() const {
    const int def = control_.properties().defHeight;
    if (control_.designMode() || def < 9 || layout_.inputRect.empty() ||
        layout_.inputRect.height() == def) {
        return std::nullopt;
    }
    return vantil::heightForDefHeight(layout_, def);
}

} // namespace vantil
