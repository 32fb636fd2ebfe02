// What the edit area needs of the window system, as plain data: the clipboard's plain text,
// the input method of the control's window, and the keys and modifiers of keyboard input.
// The window-system layer implements the services; tests use recording fakes.
#pragma once

#include "platform/automation/FontObject.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantil {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's plain text in code page 932; nullopt when it holds none or cannot be
    // opened.
    virtual std::optional<std::string> text() = 0;
    // Places `cp932` on the clipboard as plain text; false when it cannot be opened.
    virtual bool setText(std::string_view cp932) = 0;
};

// Conversion-mode bits of the input method.
namespace imeconv {
inline constexpr std::uint32_t Native = 0x01; // kana rather than alphanumeric
inline constexpr std::uint32_t Katakana = 0x02;
inline constexpr std::uint32_t FullShape = 0x08;
inline constexpr std::uint32_t Roman = 0x10; // romaji input
} // namespace imeconv

// The input method as seen from the control's window: its open state and conversion mode,
// whether an input context is attached to the window (a detached window cannot open it) and
// the composition font. The composition window follows the caret the window reports.
class InputMethodContext {
public:
    virtual ~InputMethodContext() = default;
    virtual bool isOpen() const = 0;
    virtual void setOpen(bool open) = 0;
    virtual std::uint32_t conversion() const = 0;
    virtual void setConversion(std::uint32_t mode) = 0;
    virtual bool attached() const = 0;
    virtual void setAttached(bool attached) = 0;
    virtual void setCompositionFont(const plat::automation::FontDesc& font) = 0;
};

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    // The Shift argument of KeyDown and KeyUp: Shift 1, Ctrl 2, Alt 4.
    std::int16_t eventMask() const {
        return static_cast<std::int16_t>((shift ? 1 : 0) | (ctrl ? 2 : 0) | (alt ? 4 : 0));
    }
};

// Character codes of the key-press handler that are not text.
namespace chars {
inline constexpr unsigned CtrlA = 1, CtrlC = 3, Backspace = 8, Tab = 9, Return = 13, CtrlV = 22,
                          CtrlX = 24, CtrlZ = 26, Escape = 27;
} // namespace chars

} // namespace vantil
