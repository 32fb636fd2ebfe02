// What the keyboard and drop-down logic needs of the list window and of the control's window.
// The window-system layer implements both; tests record them.
#pragma once

#include "control/core/Geometry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vantil {

// One step of the highlight, as the list's own keys move it (disabled and masked rows are
// passed over).
enum class HighlightMove { Up, Down, PageUp, PageDown };

// The drop-down list window and the rows it shows.
class DropDownList {
public:
    virtual ~DropDownList() = default;
    virtual bool visible() const = 0;
    // Makes the window top-most, moves it to `screen` and shows it.
    virtual void showAt(const Rect& screen) = 0;
    // Moves the window without showing or hiding it.
    virtual void moveTo(const Rect& screen) = 0;
    virtual void hide() = 0;
    virtual int headerHeight() const = 0;
    virtual std::int32_t itemCount() const = 0;
    virtual std::int32_t columnCount() const = 0;
    // The highlighted item, -1 for none.
    virtual std::int32_t highlighted() const = 0;
    // Highlights item `index` (-1 none) and scrolls it into view.
    virtual void setHighlighted(std::int32_t index) = 0;
    // Highlights the first item whose column-0 text matches typed `cp932`; its index or -1.
    virtual std::int32_t matchText(std::string_view cp932) = 0;
    virtual void moveHighlight(HighlightMove move) = 0;
    // Column 0 of item `index` (code page 932).
    virtual std::string itemText(std::int32_t index) const = 0;
    // The list window stops tracking the pointer.
    virtual void releaseCapture() = 0;
};

// The control's window as the keyboard logic uses it.
class KeyboardWindow {
public:
    virtual ~KeyboardWindow() = default;
    // The input area in screen coordinates, and the desktop's area available to windows.
    virtual Rect inputAreaOnScreen() const = 0;
    virtual Rect availableDesktop() const = 0;
    virtual bool ownsFocus() const = 0;
    virtual void takeFocus() = 0;
    // Moves focus to the next (or previous) control as Tab (or Shift+Tab) would; false when
    // the host does not let focus move now.
    virtual bool moveFocus(bool forward) = 0;
    // While on, a left-button press anywhere in the program is first offered to the control.
    virtual void setMouseHook(bool on) = 0;
    // Calls firstMoveTick() after `ms` milliseconds.
    virtual void startFirstMoveTimer(int ms) = 0;
    virtual void repaintControl() = 0;
    // The context menu at the control's centre (Applications key, Shift+F10).
    virtual void requestContextMenu() = 0;
};

} // namespace vantil
