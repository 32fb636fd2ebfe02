// Editing primitives of the edit area.
#include "control/core/edit/EditBuffer.h"

#include "platform/text/Cp932.h"

#include <algorithm>

namespace vantil {

namespace cp932 = plat::text::cp932;

namespace {

std::size_t at(std::string_view text, std::int32_t chars) {
    return cp932::byteOffset(text, static_cast<std::size_t>(std::max(0, chars)));
}

} // namespace

std::string_view EditBuffer::selectedBytes() const {
    const std::size_t from = at(text_, selectionStart());
    const std::size_t to = at(text_, selectionEnd());
    return std::string_view(text_).substr(from, to - from);
}

void EditBuffer::moveCaret(std::int32_t pos, bool extend) {
    state_.caret = std::clamp(pos, 0, count());
    if (!extend) {
        state_.anchor = state_.caret;
    }
}

void EditBuffer::select(std::int32_t anchor, std::int32_t caret) {
    state_.anchor = std::clamp(anchor, 0, count());
    state_.caret = std::clamp(caret, 0, count());
}

void EditBuffer::before(EditKind kind, std::int32_t pos) {
    undo_.beforeEdit(kind, pos, text_, state_.caret, state_.anchor);
}

void EditBuffer::replace(std::int32_t from, std::int32_t to, std::string_view bytes) {
    const std::size_t b0 = at(text_, from);
    const std::size_t b1 = at(text_, to);
    text_.replace(b0, b1 - b0, bytes);
    state_.charCount = static_cast<std::int32_t>(cp932::charCount(text_));
}

void EditBuffer::deleteSelection() {
    if (!hasSelection()) {
        return;
    }
    const std::int32_t from = selectionStart();
    before(EditKind::SelectionDelete, from);
    replace(from, selectionEnd(), {});
    state_.caret = state_.anchor = from;
}

void EditBuffer::typeChar(unsigned code) {
    deleteSelection();
    std::string bytes;
    cp932::appendChar(bytes, code);
    const std::int32_t p = state_.caret;
    if (state_.insertMode || p >= count()) {
        before(state_.insertMode ? EditKind::Insertion : EditKind::Overwrite, p);
        replace(p, p, bytes);
    } else {
        before(EditKind::Overwrite, p);
        replace(p, p + 1, bytes);
    }
    state_.caret = state_.anchor = p + 1;
}

void EditBuffer::insertText(std::string_view bytes) {
    deleteSelection();
    const std::int32_t p = state_.caret;
    before(EditKind::Insertion, p);
    replace(p, p, bytes);
    state_.caret = state_.anchor =
        std::min(count(), p + static_cast<std::int32_t>(cp932::charCount(bytes)));
}

void EditBuffer::backspace() {
    if (hasSelection()) {
        deleteSelection();
        return;
    }
    if (state_.caret <= 0) {
        return;
    }
    const std::int32_t p = state_.caret - 1;
    before(EditKind::Backspace, p);
    replace(p, p + 1, {});
    state_.caret = state_.anchor = p;
}

void EditBuffer::deleteForward() {
    if (hasSelection()) {
        deleteSelection();
        return;
    }
    const std::int32_t p = state_.caret;
    if (p >= count()) {
        return;
    }
    before(EditKind::ForwardDelete, p);
    replace(p, p + 1, {});
    state_.anchor = p;
}

void EditBuffer::undo() {
    if (undo_.undo(text_, state_.caret, state_.anchor)) {
        state_.charCount = static_cast<std::int32_t>(cp932::charCount(text_));
        state_.caret = std::clamp(state_.caret, 0, count());
        state_.anchor = std::clamp(state_.anchor, 0, count());
    }
}

void EditBuffer::textReplaced() {
    state_.caret = 0;
    state_.anchor = 0;
    state_.charCount = static_cast<std::int32_t>(cp932::charCount(text_));
    undo_.reset();
}

} // namespace vantil
