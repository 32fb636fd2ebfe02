// The control's input area at run time: the key-press handler and the editing keys, clipboard
// commands, undo, the selection members, focus with its input-method modes, the composition
// text shown at the caret, and the one notification chain every text change ends in.
#pragma once

#include "control/core/edit/EditBuffer.h"
#include "control/core/edit/EditServices.h"
#include "control/core/edit/ImeModes.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantil {

class CVantilCtrl;

// The built-in entries of the context menu, by their place in the menu table.
enum class MenuCommand : int { Undo = 0, Cut = 1, Copy = 2, Paste = 3, Delete = 4, SelectAll = 5 };

class EditArea {
public:
    explicit EditArea(CVantilCtrl& control);

    const EditBuffer& buffer() const { return buffer_; }

    // ---- Keyboard (run time) ----
    // The key-press handler; `code` is the character, a double-byte one as lead * 256 + trail.
    // Each handler that raises events answers whether the control came through them.
    bool keyPress(unsigned code, KeyModifiers mods);
    // Key down: the editing keys, then the KeyDown event (never for Return and F4).
    bool keyDown(int key, KeyModifiers mods);
    [[nodiscard]] bool keyUp(int key, KeyModifiers mods);
    // Set when the last character typed was Escape.
    bool escapeFlag() const { return escape_; }
    void clearEscape() { escape_ = false; }

    // ---- Commands ----
    void copy();
    // Inserts `cp932` (the clipboard's text, read by the caller) at the caret.
    bool paste(const std::string& cp932);
    bool undo();
    // Runs context-menu entry `entry` (a MenuCommand for the built-in entries; the host's own
    // entries change nothing). Raises MenuClicked, then ChangeText when the text changed.
    [[nodiscard]] bool menuCommand(int entry);
    // Dropped text: the caret goes to character `pos` and non-empty text is inserted there.
    [[nodiscard]] bool dropText(std::int32_t pos, std::string_view cp932);
    // Removes characters [start, end) (the text a move dragged away).
    [[nodiscard]] bool removeRange(std::int32_t start, std::int32_t end);

    // ---- Members ----
    // Text was stored at run time: caret and anchor to 0, no undo across it.
    void textReplaced() { buffer_.textReplaced(); }
    void setSelStart(std::int32_t value);
    void setSelLength(std::int32_t value);
    [[nodiscard]] bool setSelText(std::string_view cp932);
    void selectAll(bool whole);
    // A list row was committed: the text becomes the row's text without ChangeText, all of it
    // selected and scrolled to its start.
    void takeRowText(std::string_view cp932);

    // ---- Focus, input method and pointer ----
    void focusIn();
    void focusOut();
    bool focused() const { return focused_; }
    void imeModeChanged();
    // The composition text shown at the caret while the input method composes (code page 932).
    void setComposition(std::string cp932);
    const std::string& composition() const { return composition_; }
    // Text the input method committed: typed at the caret like keys, one character each.
    [[nodiscard]] bool commitComposition(std::string_view cp932);
    // The pointer placed the caret at character `pos`; `extend` keeps the anchor.
    void placeCaret(std::int32_t pos, bool extend);

    // The properties were reset or loaded.
    void reset();

private:
    enum class Notify : std::uint8_t { Text, TextAndListIndex };
    // The one shape of every edit: remember the text, mutate through the buffer, run
    // `beforeNotify` (false: the control did not come through it), finish once.
    template <class Mutate, class BeforeNotify = bool (*)()>
    bool edit(
        Notify notify, Mutate mutate, BeforeNotify beforeNotify = [] { return true; });
    bool finish(const std::string& before, Notify notify);
    void repaint();
    bool locked() const;
    bool editFunction() const;
    InputMethodContext* inputMethod() const;

    CVantilCtrl& control_;
    EditBuffer buffer_;
    bool escape_ = false;
    bool focused_ = false;
    std::optional<ImeState> imeSaved_;
    std::string composition_;
};

} // namespace vantil
