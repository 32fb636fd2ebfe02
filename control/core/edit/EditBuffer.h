// The edit area's text model: the text (code page 932, counted in characters), caret, anchor,
// insert mode and the undo record, with one primitive per kind of edit. Every primitive asks
// the undo record for a snapshot first and then changes the text through replace(); callers
// compare the text before and after to notify once. No window system, no events.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/edit/UndoRecord.h"

#include <string>
#include <string_view>

namespace vantil {

class EditBuffer {
public:
    // Works on the control's text and edit state, which persistence and the list also read.
    EditBuffer(std::string& text, EditState& state) : text_(text), state_(state) {}

    const std::string& text() const { return text_; }
    std::int32_t count() const { return state_.charCount; }
    std::int32_t caret() const { return state_.caret; }
    std::int32_t anchor() const { return state_.anchor; }
    std::int32_t selectionStart() const { return std::min(state_.caret, state_.anchor); }
    std::int32_t selectionEnd() const { return std::max(state_.caret, state_.anchor); }
    bool hasSelection() const { return state_.caret != state_.anchor; }
    std::string_view selectedBytes() const;

    // Caret to `pos` (clipped); with `extend` the anchor stays, else it follows the caret.
    void moveCaret(std::int32_t pos, bool extend);
    void select(std::int32_t anchor, std::int32_t caret);
    void toggleInsertMode() { state_.insertMode = !state_.insertMode; }

    // A typed character: replaces the selection, then inserts (or overwrites in overwrite mode).
    void typeChar(unsigned code);
    // Replaces the selection with `bytes` and puts caret and anchor after them (paste, SelText).
    void insertText(std::string_view bytes);
    void backspace();
    void deleteForward();
    void deleteSelection();
    // An explicit undo snapshot ahead of a paste or cut.
    void snapshot() { undo_.snapshot(text_, state_.caret, state_.anchor); }
    void undo();
    bool canUndo() const { return undo_.canUndo(); }

    // The text was replaced from outside (Text set, load): caret and anchor at 0, no undo.
    void textReplaced();
    void resetUndo() { undo_.reset(); }

private:
    // The one mutation: characters [from, to) become `bytes`.
    void replace(std::int32_t from, std::int32_t to, std::string_view bytes);
    void before(EditKind kind, std::int32_t pos);

    std::string& text_;
    EditState& state_;
    UndoRecord undo_;
};

} // namespace vantil
