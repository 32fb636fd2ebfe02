// Pointer feedback of the control at run time: the caption's pointed colour while the pointer
// is over the control, watched by a 50 ms timer, and the pointer shape by position.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/paint/Layout.h"
#include "control/core/paint/SystemPalette.h"

namespace vantil {

// The interval of the timer that watches for the pointer to leave the control.
inline constexpr int kPointerWatchMs = 50;

// One repeating timer of the control's window; its ticks are routed to PointerFeedback::tick.
class TimerService {
public:
    virtual ~TimerService() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
};

// Pointer shapes; the values 1..15 are those of MousePointer.
enum class CursorShape {
    HostDefault = 0,
    Arrow = 1,
    Cross = 2,
    IBeam = 3,
    Icon = 4,
    SizeAll = 5,
    SizeNESW = 6,
    SizeNS = 7,
    SizeNWSE = 8,
    SizeWE = 9,
    UpArrow = 10,
    Wait = 11,
    NoDrop = 12,
    ArrowWait = 13,
    ArrowQuestion = 14,
    SizeAllDirections = 15,
    Custom = 99, // MouseIcon
};

// The shape over `at`: the arrow while a drag of the selection is pending; over the input
// area MousePointer when it is set, else the I-beam except over the button; elsewhere the
// host's default.
CursorShape cursorFor(const ControlProperties& p, const ControlLayout& layout, Point at,
                      bool dragPending);

class PointerFeedback {
public:
    explicit PointerFeedback(TimerService& timer) : timer_(timer) {}

    // The pointer moved over the control. True when the caption must be repainted because
    // the control became pointed.
    bool pointerMoved(const ControlProperties& p, const SystemPalette& palette,
                      bool inActiveWindow);
    // A tick of the watch timer. True when the pointer has left and the caption must be
    // repainted in its normal colour.
    bool tick(bool pointerInside);
    bool pointed() const { return pointed_; }

private:
    TimerService& timer_;
    bool pointed_ = false;
};

} // namespace vantil
