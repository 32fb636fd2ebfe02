// The control as drag source and drop target.
#include "control/core/DragDrop.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/DataObject.h"
#include "control/core/EventTable.h"

namespace vantil {

using plat::automation::Variant;

namespace {

constexpr std::int32_t kEffects = dropeffect::Copy | dropeffect::Move;

} // namespace

// ---- Source ---------------------------------------------------------------------------------

bool DragDrop::pressStartsDrag(std::int32_t charIndex) const {
    const EditBuffer& b = control_.editArea().buffer();
    return !control_.designMode() &&
           control_.properties().oleDragMode == OLEDragModeConstants::lxodrag_自動 &&
           b.hasSelection() && charIndex >= b.selectionStart() && charIndex <= b.selectionEnd();
}

void DragDrop::startDrag() {
    ControlView* view = control_.view();
    EditArea& edit = control_.editArea();
    const EditBuffer& b = edit.buffer();
    if (dragging_ || view == nullptr || control_.designMode() || !b.hasSelection()) {
        return;
    }
    auto data = std::make_shared<DataObject>();
    data->setText(std::string(b.selectedBytes()));
    Variant allowed(data->allowedEffects());
    Variant start[] = {Variant(data), Variant::ref(allowed)};
    if (!control_.fireEvent(events::OLEStartDrag, start)) {
        return;
    }
    // Either the argument or the data object's own setting may narrow the effects.
    const std::int32_t effects = allowed.toLong() & data->allowedEffects() & kEffects;
    if (effects == dropeffect::None) {
        return;
    }
    // The dragged characters, so that a move removes them even when the pointer moved the
    // caret while passing over this window.
    const std::int32_t from = b.selectionStart();
    const std::int32_t to = b.selectionEnd();
    const std::string before = b.text();
    dragging_ = true;
    droppedOnSelf_ = false;
    std::int32_t effect = dropeffect::None;
    // The drag loop runs host code (drop targets, feedback handlers) that may destroy the
    // control: after it nothing of the control is touched unless it came through.
    const CVantilCtrl::LifeWatch watch(control_);
    try {
        effect = view->runDrag(data->hasText() ? data->text() : std::string(), effects);
    } catch (...) {
        if (watch.survived()) {
            dragging_ = false;
        }
        throw;
    }
    if (!watch.survived()) {
        return;
    }
    dragging_ = false;
    Variant complete[] = {Variant(effect)};
    if (!control_.fireEvent(events::OLECompleteDrag, complete)) {
        return;
    }
    if (effect == dropeffect::Move && !droppedOnSelf_ && b.text() == before) {
        (void)edit.removeRange(from, to); // the last step
    }
}

bool DragDrop::giveFeedback(std::int32_t effect) {
    Variant eff(effect);
    Variant defaultCursors(true);
    Variant args[] = {Variant::ref(eff), Variant::ref(defaultCursors)};
    (void)control_.fireEvent(events::OLEGiveFeedback, args); // only locals are read after it
    return defaultCursors.toBool();
}

// ---- Target ---------------------------------------------------------------------------------

OLEDropModeConstants DragDrop::dropMode() const {
    return control_.designMode() ? OLEDropModeConstants::lxodrop_なし
                                 : control_.properties().oleDropMode;
}

bool DragDrop::acceptsDrops() const {
    return dropMode() != OLEDropModeConstants::lxodrop_なし;
}

std::int32_t DragDrop::proposedEffect(const DropPoint& at) const {
    return at.mods.ctrl ? dropeffect::Copy : dropeffect::Move;
}

namespace {

// OLEDragOver and OLEDragDrop: the data object with the text and the by-reference arguments;
// the effect the handler left.
std::int32_t raiseDropEvent(CVantilCtrl& control, plat::automation::DispId id, const DropPoint& at,
                            std::int32_t effect, std::optional<DragState> state) {
    auto data = std::make_shared<DataObject>();
    if (at.text) {
        data->setText(*at.text);
    }
    Variant dataArg(data);
    Variant eff(effect);
    Variant button(at.buttons);
    Variant shift(at.mods.eventMask());
    Variant x(at.x);
    Variant y(at.y);
    Variant args[] = {Variant::ref(dataArg),
                      Variant::ref(eff),
                      Variant::ref(button),
                      Variant::ref(shift),
                      Variant::ref(x),
                      Variant::ref(y),
                      Variant(static_cast<std::int16_t>(state.value_or(DragState::Over)))};
    // Only the event's own arguments are read after it, so a handler may destroy the control.
    (void)control.fireEvent(id, std::span(args, state ? 7 : 6));
    return eff.toLong() & kEffects;
}

} // namespace

std::int32_t DragDrop::dragOver(const DropPoint& at, DragState state) {
    if (!acceptsDrops() || !at.text) {
        last_.reset();
        return dropeffect::None;
    }
    last_ = at;
    const std::int32_t effect = proposedEffect(at);
    if (dropMode() == OLEDropModeConstants::lxodrop_手動) {
        return raiseDropEvent(control_, events::OLEDragOver, at, effect, state);
    }
    if (control_.properties().locked) {
        return dropeffect::None;
    }
    control_.editArea().placeCaret(at.charIndex, false);
    return effect;
}

void DragDrop::dragLeave() {
    const std::optional<DropPoint> last = std::move(last_);
    last_.reset();
    if (last && dropMode() == OLEDropModeConstants::lxodrop_手動) {
        raiseDropEvent(control_, events::OLEDragOver, *last, proposedEffect(*last),
                       DragState::Leave);
    }
}

std::int32_t DragDrop::drop(const DropPoint& at) {
    last_.reset();
    if (!acceptsDrops() || !at.text) {
        return dropeffect::None;
    }
    const std::int32_t effect = proposedEffect(at);
    if (dropMode() == OLEDropModeConstants::lxodrop_手動) {
        return raiseDropEvent(control_, events::OLEDragDrop, at, effect, std::nullopt);
    }
    if (dropMode() != OLEDropModeConstants::lxodrop_自動 || control_.properties().locked) {
        return dropeffect::None;
    }
    droppedOnSelf_ = dragging_;
    (void)control_.editArea().dropText(at.charIndex, *at.text); // the last step
    return effect;
}

} // namespace vantil
