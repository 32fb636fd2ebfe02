// The seams of the drop-down list window's logic: the window-system services it asks for
// (repainting, moving pixels, scroll bars, pointer capture and confinement, cursors, the
// auto-scroll timer, the title tip), the user's wheel setting, and the notifications it sends
// to the control. The window-system layer implements the port; tests record it.
#pragma once

#include "control/core/Geometry.h"
#include "control/core/paint/PointerFeedback.h"
#include "control/core/paint/Surface.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantil {

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

enum class ScrollAxis { Horizontal, Vertical };

// What a scroll bar shows: its range 0..maximum, the page and the position.
struct ScrollBarState {
    bool exists = false;
    int maximum = 0;
    int page = 0;
    int position = 0;
    friend bool operator==(const ScrollBarState&, const ScrollBarState&) = default;
};

// The title tip: the cell it covers (list window coordinates), the text drawn in it (already
// padded) and the tip's width.
struct TipRequest {
    Rect cell;
    std::string text;
    int width = 0;
    friend bool operator==(const TipRequest&, const TipRequest&) = default;
};

class ListWindowPort {
public:
    virtual ~ListWindowPort() = default;
    // The client area, without scroll bars.
    virtual Size clientSize() const = 0;
    virtual void invalidate(const Rect& r) = 0;
    // Moves the pixels of `area` by (dx, dy) and repaints only the strip that became visible.
    virtual void scrollPixels(int dx, int dy, const Rect& area) = 0;
    virtual void setScrollBar(ScrollAxis axis, const ScrollBarState& state) = 0;
    virtual void capturePointer(bool on) = 0;
    // Keeps the pointer inside `r` (client coordinates); nullopt releases it.
    virtual void confinePointer(const std::optional<Rect>& r) = 0;
    virtual void setCursor(CursorShape shape) = 0;
    virtual void startAutoScroll(int intervalMs) = 0;
    virtual void stopAutoScroll() = 0;
    // A point of the list window's client area in the control's client coordinates, and back.
    virtual Point mapToControl(Point p) const = 0;
    virtual Point mapFromControl(Point p) const = 0;
    // Pixels per inch of the host's window, vertically.
    virtual int hostPixelsPerInch() const = 0;
    // Advance width of `text` (code page 932) in `font`.
    virtual int textWidth(const FontRequest& font, std::string_view text) = 0;
    // Wheel setting and the range recomputation are read lazily: a changed list asks for one
    // later recomputation instead of one per inserted row.
    virtual void scheduleRangeUpdate() = 0;
    // The title tip window.
    virtual bool tipVisible() const = 0;
    virtual bool anyWindowFocused() const = 0;
    virtual void showTip(const TipRequest& tip) = 0;
    virtual void hideTip() = 0;
};

// The user's desktop settings the list reads.
class ListSettings {
public:
    virtual ~ListSettings() = default;
    // Lines per wheel notch (-1: one page per notch); nullopt when the setting cannot be read.
    virtual std::optional<int> wheelScrollLines() const = 0;
};

// Pointer messages of the list window passed on to the control as its own.
enum class ListMouse {
    Move,
    LeftDown,
    LeftUp,
    LeftDouble,
    RightDown,
    RightDouble,
    MiddleDown,
    MiddleUp,
    MiddleDouble,
};

// What the list window tells the control.
// The answers of the calls that raise the control's events are false when a handler destroyed
// or closed the control: the list window then returns at once, touching nothing it shows.
class ListWindowListener {
public:
    virtual ~ListWindowListener() = default;
    // The user picked: released the left button over an item row or outside the list window.
    virtual bool listPicked() = 0;
    // A column's width changed through the header.
    virtual void listHeaderChanged() = 0;
    // A pointer message, `at` in the control's client coordinates.
    virtual bool listMouse(ListMouse message, Point at) = 0;
    // The left button went down and up on the header cell of `column`.
    virtual bool listColumnClicked(std::int32_t column) {
        (void)column;
        return true;
    }
};

} // namespace vantil
