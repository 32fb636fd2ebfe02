// The control's window as the host's window commands drive it: keys, typed text, focus,
// the clipboard and pointer clicks. The windowed host implements it on Qt; without a window
// the commands answer an error.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace vantil_host {

struct KeyChord {
    std::string name; // as Qt's key sequences write it: Return, Escape, Left, F4, A ...
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

class WindowDriver {
public:
    virtual ~WindowDriver() = default;
    // Each answers an empty string on success, else the reason (shown after "error").
    virtual std::string key(const KeyChord& chord) = 0;
    virtual std::string type(const std::u16string& text) = 0;
    virtual std::string focus() = 0;
    virtual std::string blur() = 0;
    // A click inside the open drop-down list goes to the list.
    virtual std::string click(int x, int y) = 0;
    // True while the control's drop-down list is open.
    virtual bool dropped() = 0;
    // The right button pressed and released at (x, y): `lines` gets the popup menu's lines
    // ("-" a separator, a greyed entry in brackets, "(none)" when no menu opened), then the
    // access key `key` chooses an entry (empty: the menu is dismissed).
    virtual std::string menu(int x, int y, const std::string& key, std::string& lines) = 0;
    // Runs the event loop, window-system input included, until `done` answers true.
    virtual void runUntil(const std::function<bool()>& done) = 0;
    // The control window's rectangle on the screen: "x y width height".
    virtual std::string where() = 0;
    virtual std::optional<std::u16string> clipboardText() = 0;
    virtual void setClipboardText(const std::u16string& text) = 0;
};

} // namespace vantil_host
