// The edit area's one-level undo: one saved (text, caret, anchor) and the rules that decide
// whether an edit takes a new snapshot or coalesces with the edits before it, so that a run of
// typing or of Backspace is undone as one step. Undo swaps, so a second undo redoes.
#pragma once

#include <cstdint>
#include <string>

namespace vantil {

// What an editing primitive is about to do, for the coalescing rules.
enum class EditKind : std::uint8_t {
    Insertion,
    Backspace,
    ForwardDelete,
    SelectionDelete,
    Overwrite,
};

class UndoRecord {
public:
    // Called by every primitive before it changes the text at character position `pos`:
    // snapshots (text, caret, anchor) unless the edit coalesces with the previous one, and
    // records `pos` as the last position.
    void beforeEdit(EditKind kind, std::int32_t pos, const std::string& text, std::int32_t caret,
                    std::int32_t anchor);
    // An explicit snapshot (paste, cut): the next primitive's own snapshot is skipped.
    void snapshot(const std::string& text, std::int32_t caret, std::int32_t anchor);
    // Swaps the current state with the saved one; false (nothing changed) before any snapshot.
    bool undo(std::string& text, std::int32_t& caret, std::int32_t& anchor);
    // Forgets everything: the next edit takes a fresh snapshot.
    void reset() { *this = UndoRecord(); }

    bool canUndo() const { return hasSnapshot_; }

private:
    bool coalesces(EditKind kind, std::int32_t pos) const;
    void take(const std::string& text, std::int32_t caret, std::int32_t anchor);

    std::string savedText_;
    std::int32_t savedCaret_ = 0;
    std::int32_t savedAnchor_ = 0;
    // No edit yet: far enough from every position that the first edit always snapshots.
    static constexpr std::int32_t kNoPosition = -1000;
    std::int32_t lastPosition_ = kNoPosition;
    bool hasSnapshot_ = false;
    bool afterUndo_ = false;
    bool skipNextSnapshot_ = false;
    bool lastForwardDelete_ = false;
};

} // namespace vantil
