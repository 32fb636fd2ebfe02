// Drag and drop of the control's plain text at run time. As a drag source it offers the
// selected text (OLEDragMode 1 or the OLEDrag method) and deletes it after a move to another
// window; as a drop target (OLEDropMode 1 or 2) it reports the drag to the host or inserts the
// dropped text at the character under the pointer. The window system runs the drag loop and
// delivers the target's notifications; the events and the edits happen here.
#pragma once

#include "control/core/Enums.h"
#include "control/core/edit/EditServices.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vantil {

class CVantilCtrl;

// A drag over the control's window as the window system reports it.
struct DropPoint {
    std::optional<std::string> text; // the plain text dragged (code page 932); nullopt: none
    KeyModifiers mods;
    std::int16_t buttons = 0; // 1 left, 2 right, 4 middle
    float x = 0;              // client pixels of the control's window
    float y = 0;
    std::int32_t charIndex = 0; // the character position under the pointer
};

// The State argument of OLEDragOver.
enum class DragState : std::int16_t { Enter = 0, Leave = 1, Over = 2 };

class DragDrop {
public:
    explicit DragDrop(CVantilCtrl& control) : control_(control) {}

    // ---- Source ----
    // True when a left-button press at character `charIndex` makes a drag pending: run time,
    // OLEDragMode 1 and the press on the selected text.
    bool pressStartsDrag(std::int32_t charIndex) const;
    // Drags the selected text: OLEStartDrag, the drag loop, OLECompleteDrag, and after a move
    // to another window the dragged text is deleted.
    void startDrag();
    // One feedback request of the drag loop; false when the handler set the cursor itself.
    bool giveFeedback(std::int32_t effect);

    // ---- Target ----
    // Drops are taken at run time while OLEDropMode is not 0.
    bool acceptsDrops() const;
    // Enter and move: the drop effect the control would take (0: refused).
    std::int32_t dragOver(const DropPoint& at, DragState state);
    void dragLeave();
    // The drop: the effect taken (0: refused).
    std::int32_t drop(const DropPoint& at);

private:
    OLEDropModeConstants dropMode() const;
    std::int32_t proposedEffect(const DropPoint& at) const;

    CVantilCtrl& control_;
    bool dragging_ = false;
    bool droppedOnSelf_ = false;
    std::optional<DropPoint> last_; // the last point of a drag over the window
};

} // namespace vantil
