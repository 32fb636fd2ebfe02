// The console host's command language: one command a line (get, set, call, save, load, on,
// off, mode, and the window commands key, type, focus, blur, clip, click), arguments separated by
// commas with omitted ones left empty, literals for numbers, strings, booleans, Empty, Null,
// Nothing, &H/&O numbers, #dates# and LoadPicture("file"); and the one-line text of a value. Pure
// functions, except that LoadPicture reads its file.
#pragma once

#include "platform/automation/Variant.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantil_host {

using plat::automation::Variant;

struct Command {
    enum class Kind {
        None, // blank line or comment: no output
        Get,  // get NAME [args]
        Set,  // set NAME [args] = VALUE
        Call, // call NAME [args]
        Save, // save FILE
        Load, // load FILE
        On,   // on EVENT ARGUMENT = VALUE: the handler assigns VALUE to that argument
        Off,  // off EVENT: forget the handler's assignments
        Mode, // mode design | mode run
        // Window commands (vantil-host --window):
        Key,     // key NAME [shift] [ctrl] [alt]: key down, its character, key up
        Type,    // type "text": one key per character
        Focus,   // focus
        Blur,    // blur
        Clip,    // clip: the clipboard's text
        ClipSet, // clip = "text"
        Click,   // click X Y: the left button pressed and released there
        Dropped, // dropped: whether the drop-down list is open
        Menu,    // menu X Y [KEY]: the right button there; the popup's lines, then KEY chosen
        Wait,    // wait EVENT [ARG]: runs the event loop (window-system input included) until
                 // EVENT comes (with ARG as its first argument when given)
        Where,   // where: the control window's screen rectangle "x y width height"
    };
    Kind kind = Kind::None;
    std::u16string name;                           // member, or event for On/Off
    std::vector<std::optional<Variant>> args;      // nullopt = omitted argument
    std::optional<Variant> value;                  // Set, On
    std::u16string argument;                       // On: the event argument's name
    std::string file;                              // Save, Load
    bool design = false;                           // Mode
    std::string key;                               // Key: the key's name; Menu: access key
    bool shift = false, ctrl = false, alt = false; // Key
    int x = 0, y = 0;                              // Click, Menu
};

struct ParseResult {
    Command command;
    std::string error; // empty when the line parsed
    bool ok() const { return error.empty(); }
};

ParseResult parseCommand(std::string_view line);

// One literal; nullopt and `error` set when the text is none.
std::optional<Variant> parseLiteral(std::string_view text, std::string* error = nullptr);

// Comma-separated arguments; an empty slot is an omitted argument. "" gives no arguments.
std::optional<std::vector<std::optional<Variant>>> parseArguments(std::string_view text,
                                                                  std::string* error = nullptr);

// The value as one line, in literal form where there is one: 12, 1.5, "a ""b""", True,
// Empty, Null, #2004/04/01#, Object(IListItem), Nothing; control characters inside strings
// appear as " & Chr(n) & ".
std::string formatValue(const Variant& v);

} // namespace vantil_host
