// Coalescing rules of the one-level undo.
#include "control/core/edit/UndoRecord.h"

#include <cstdlib>
#include <utility>

namespace vantil {

bool UndoRecord::coalesces(EditKind kind, std::int32_t pos) const {
    if (afterUndo_) {
        return false;
    }
    const std::int32_t back = lastPosition_ - pos;
    switch (kind) {
    case EditKind::Insertion:
    case EditKind::Overwrite:
        // Typing goes on at the character after the last one, or at the same place.
        return std::abs(back) <= 1;
    case EditKind::Backspace:
        return (back == 1 || back == 0) && !lastForwardDelete_;
    case EditKind::ForwardDelete:
        return (back == 0 || back == 2) && !lastForwardDelete_;
    case EditKind::SelectionDelete:
        // Replacing a selection always keeps what was selected.
        return false;
    }
    return false;
}

void UndoRecord::take(const std::string& text, std::int32_t caret, std::int32_t anchor) {
    savedText_ = text;
    savedCaret_ = caret;
    savedAnchor_ = anchor;
    hasSnapshot_ = true;
    afterUndo_ = false;
}

void UndoRecord::beforeEdit(EditKind kind, std::int32_t pos, const std::string& text,
                            std::int32_t caret, std::int32_t anchor) {
    if (skipNextSnapshot_) {
        skipNextSnapshot_ = false;
    } else if (!coalesces(kind, pos)) {
        take(text, caret, anchor);
    }
    lastPosition_ = pos;
    lastForwardDelete_ = kind == EditKind::ForwardDelete;
}

void UndoRecord::snapshot(const std::string& text, std::int32_t caret, std::int32_t anchor) {
    take(text, caret, anchor);
    skipNextSnapshot_ = true;
}

bool UndoRecord::undo(std::string& text, std::int32_t& caret, std::int32_t& anchor) {
    if (!hasSnapshot_) {
        return false;
    }
    std::swap(text, savedText_);
    std::swap(caret, savedCaret_);
    std::swap(anchor, savedAnchor_);
    afterUndo_ = true;
    skipNextSnapshot_ = false;
    if (text.empty()) {
        savedAnchor_ = 0;
    }
    return true;
}

} // namespace vantil
