// The state of the control's window that painting and pointer feedback need — focus, the
// pointed caption, the pressed button and the layout — and what each window event changes.
// The window-system layer forwards its events here and repaints what is returned.
#pragma once

#include "control/core/CVantilCtrl.h"
#include "control/core/paint/ControlPainter.h"
#include "control/core/paint/PointerFeedback.h"

#include <optional>

namespace vantil {

class ControlWindow {
public:
    ControlWindow(CVantilCtrl& control, const SystemPalette& palette, TimerService& timer);

    void resize(int widthPx, int heightPx);
    const ControlLayout& layout() const { return layout_; }
    PaintState state() const;

    // Brings the caret into view when focused, then paints.
    void paint(Surface& s);
    void paint(Surface&& s) { paint(s); }

    // Property `id` changed: recomputes the layout when it is a layout property. The
    // rectangle to repaint: the caption area for a caption-only property, else the whole
    // control; nullopt when nothing shows the change.
    std::optional<Rect> propertyChanged(plat::automation::DispId id);

    // Focus came or went: the whole control repaints.
    void setFocused(bool focused) {
        focused_ = focused;
        caretShown_ = focused;
    }
    bool focused() const { return focused_; }
    // The caret's blink phase.
    void setCaretShown(bool shown) { caretShown_ = shown; }
    bool caretShown() const { return caretShown_; }
    // The input area, which a change of the text, caret or selection repaints.
    Rect inputArea() const { return layout_.inputRect; }
    // The caret's rectangle and the character under `at`, measured on `s`.
    Rect caret(Surface& s) const;
    std::int32_t charIndexAt(Surface& s, Point at) const;

    // The pointer moved to `at`; the caption area to repaint when it became pointed.
    std::optional<Rect> pointerMoved(bool inActiveWindow);
    // A tick of the watch timer; the caption area to repaint when the pointer has left.
    std::optional<Rect> timerTick(bool pointerInside);
    CursorShape cursorAt(Point at, bool dragPending = false) const;

    // A button press at `at`; true when it hit the drop-down button (which then shows pressed).
    bool pressAt(Point at);
    // The button is released; true when it was pressed.
    bool release();

    // With DefHeight changed at run time: the control height that makes the input area
    // DefHeight pixels high; nullopt when no resize is needed.
    std::optional<int> heightForDefHeight() const;

private:
    std::optional<Rect> captionArea() const;

    CVantilCtrl& control_;
    const SystemPalette& palette_;
    PointerFeedback pointer_;
    ControlLayout layout_;
    int width_ = 0;
    int height_ = 0;
    bool focused_ = false;
    bool caretShown_ = false;
    bool pressed_ = false;
};

} // namespace vantil
