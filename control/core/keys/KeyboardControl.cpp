// The drop-down list's opening and closing, the key-down table, hot keys and focus movement.
#include "control/core/keys/KeyboardControl.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/EventTable.h"
#include "control/core/edit/KeyCodes.h"
#include "platform/automation/Variant.h"

namespace vantil {

using plat::automation::Variant;

KeyboardControl::KeyboardControl(CVantilCtrl& control, DropDownList& list, KeyboardWindow& window)
    : control_(control), list_(list), window_(window) {}

std::int32_t KeyboardControl::listIndex() const {
    return control_.properties().listIndex;
}

bool KeyboardControl::defaultKeys() const {
    return control_.properties().enableDefaultDropCloseKeys;
}

// ---- Opening and closing ------------------------------------------------------------------

void KeyboardControl::place(bool show) {
    const ControlProperties& p = control_.properties();
    const DropDownSizes sizes{p.droppedWidth,      p.droppedRows,       p.defHeight,
                              list_.itemCount(),   list_.columnCount(), list_.headerHeight()};
    const Rect r = dropDownRect(window_.inputAreaOnScreen(), window_.availableDesktop(), sizes);
    if (show) {
        list_.showAt(r);
    } else {
        list_.moveTo(r);
    }
}

bool KeyboardControl::open() {
    if (list_.visible()) {
        return true;
    }
    control_.editArea().clearEscape();
    if (!control_.fireEvent(events::DropDown)) {
        return false;
    }
    if (list_.visible()) {
        return true; // the handler opened it already
    }
    place(true);
    if (window_.ownsFocus()) {
        control_.editArea().selectAll(true);
    }
    if (focusFlag_) {
        focusFlag_ = false;
        window_.startFirstMoveTimer(kFirstMoveMs);
    }
    const std::int32_t before = listIndex();
    matchTypedText();
    commit();
    if (listIndex() != before && !selectionCommitted()) {
        return false;
    }
    arrowState_ = 0;
    savedIndex_ = listIndex();
    window_.setMouseHook(true);
    return true;
}

bool KeyboardControl::close() {
    if (!list_.visible()) {
        return true;
    }
    if (list_.highlighted() != listIndex()) {
        // A row only pointed at is not taken: the list goes back to the committed row.
        savedIndex_ = listIndex();
        return cancel();
    }
    list_.releaseCapture();
    window_.setMouseHook(false);
    if (!control_.fireEvent(events::CloseUp)) {
        return false;
    }
    list_.hide();
    return true;
}

bool KeyboardControl::cancel() {
    if (!list_.visible()) {
        return true;
    }
    // A row removed while the list was open cannot come back.
    if (savedIndex_ >= list_.itemCount()) {
        savedIndex_ = -1;
    }
    list_.setHighlighted(savedIndex_);
    control_.properties().listIndex = savedIndex_;
    place(false);
    list_.hide();
    list_.releaseCapture();
    window_.setMouseHook(false);
    window_.repaintControl();
    return control_.fireEvent(events::CloseUp);
}

bool KeyboardControl::toggle() {
    return list_.visible() ? close() : open();
}

void KeyboardControl::commit() {
    if (list_.itemCount() == 0) {
        return;
    }
    const std::int32_t row = list_.highlighted();
    control_.properties().listIndex = row;
    EditArea& edit = control_.editArea();
    if (row >= 0) {
        edit.takeRowText(list_.itemText(row));
    } else {
        edit.selectAll(true);
    }
}

void KeyboardControl::matchTypedText() {
    ControlProperties& p = control_.properties();
    p.matchedWithList = list_.matchText(p.text) >= 0;
}

bool KeyboardControl::selectionCommitted() {
    control_.refreshBoundText();
    return control_.fireEvent(events::Click);
}

// ---- Keyboard -------------------------------------------------------------------------------

bool KeyboardControl::keyDown(int key, KeyModifiers mods) {
    EditArea& edit = control_.editArea();
    edit.clearEscape();
    if (const std::optional<bool> answer = listKey(key, mods)) {
        return *answer;
    }
    return edit.keyDown(key, mods); // the editing keys, then KeyDown
}

std::optional<bool> KeyboardControl::listKey(int key, KeyModifiers mods) {
    switch (key) {
    case vk::Return:
        return returnKey();
    case vk::F4:
        return defaultKeys() ? toggle() : true;
    case vk::F10:
        if (mods.shift && !mods.ctrl && !mods.alt) {
            window_.requestContextMenu();
            return true;
        }
        return std::nullopt;
    case vk::Escape:
        return escapeKey();
    case vk::PageUp:
    case vk::PageDown:
        return pageKey(key == vk::PageUp);
    case vk::Left:
    case vk::Right:
        return horizontalArrow(key == vk::Right, mods);
    case vk::Up:
    case vk::Down:
        return verticalArrow(key == vk::Down, mods);
    default:
        return std::nullopt;
    }
}

std::optional<bool> KeyboardControl::returnKey() {
    if (list_.visible() && control_.properties().treatEnterAsTab &&
        list_.highlighted() != listIndex()) {
        commit();
        return close() && selectionCommitted();
    }
    if (defaultKeys()) {
        return close();
    }
    return true; // Return never raises KeyDown
}

std::optional<bool> KeyboardControl::escapeKey() {
    if (defaultKeys()) {
        const std::int32_t before = listIndex();
        if (!cancel()) {
            return false;
        }
        if (listIndex() != before) {
            commit();
            window_.repaintControl();
            if (!selectionCommitted()) {
                return false;
            }
        }
    }
    return std::nullopt;
}

std::optional<bool> KeyboardControl::pageKey(bool up) {
    if (list_.visible()) {
        place(false);
    }
    const std::int32_t before = list_.highlighted();
    list_.moveHighlight(up ? HighlightMove::PageUp : HighlightMove::PageDown);
    if (list_.highlighted() != before) {
        commit();
        if (!selectionCommitted()) {
            return false;
        }
    }
    return std::nullopt;
}

std::optional<bool> KeyboardControl::horizontalArrow(bool right, KeyModifiers mods) {
    const EditBuffer& b = control_.editArea().buffer();
    if (!mods.ctrl && !mods.shift &&
        horizontalArrowMovesFocus(right, control_.properties().lostFocusAtHorzArrow, b.caret(),
                                  b.count())) {
        return moveFocus(right, right ? FocusCause::Right : FocusCause::Left) !=
               FocusMove::Destroyed;
    }
    return std::nullopt;
}

std::optional<bool> KeyboardControl::verticalArrow(bool down, KeyModifiers mods) {
    const bool plain = !mods.shift && !mods.ctrl && !mods.alt;
    if (plain && verticalArrowMovesFocus(down, control_.properties().lostFocusAtVertArrow,
                                         list_.highlighted(), list_.itemCount())) {
        return moveFocus(down, down ? FocusCause::Down : FocusCause::Up) != FocusMove::Destroyed;
    }
    if (mods.alt) {
        // Alt+Up and Alt+Down only open and close the list.
        if (defaultKeys()) {
            return toggle();
        }
        return std::nullopt;
    }
    if (!verticalKey(down, mods)) {
        return false;
    }
    return std::nullopt;
}

bool KeyboardControl::verticalKey(bool down, KeyModifiers) {
    const std::int32_t before = listIndex();
    if (arrowState_ == 1 && !list_.visible()) {
        matchTypedText();
    } else {
        list_.moveHighlight(down ? HighlightMove::Down : HighlightMove::Up);
    }
    commit();
    arrowState_ = 2;
    if (listIndex() != before) {
        return selectionCommitted();
    }
    return true;
}

bool KeyboardControl::keyPress(unsigned code, KeyModifiers mods) {
    EditArea& edit = control_.editArea();
    if (code == chars::Return) {
        edit.clearEscape();
        if (control_.properties().treatEnterAsTab) {
            return moveFocus(!mods.shift, FocusCause::Return) != FocusMove::Destroyed;
        }
        return true; // no KeyPress for Return
    }
    if (list_.visible()) {
        // Typing leaves the row the list pointed at: the text no longer is that row's.
        list_.setHighlighted(-1);
        control_.properties().listIndex = -1;
    }
    if (code >= 0x20 && !mods.ctrl) {
        arrowState_ = 1;
    }
    return edit.keyPress(code, mods);
}

bool KeyboardControl::keyUp(int key, KeyModifiers mods) {
    if (!control_.editArea().keyUp(key, mods)) {
        return false;
    }
    if (key == vk::Apps) {
        window_.requestContextMenu();
    }
    return true;
}

// ---- Hot keys -------------------------------------------------------------------------------

void KeyboardControl::hotKeysChanged() {
    const ControlProperties& p = control_.properties();
    dropKey_ = p.dropDownVKeyCode;
    dropMods_ = hotKeyModifiers(p.dropDownModifierFlags);
    closeKey_ = p.closeUpVKeyCode;
    closeMods_ = hotKeyModifiers(p.closeUpModifierFlags);
}

int KeyboardControl::hotKeyFor(int key, int modifiers) const {
    if (!hotKeysOn_ || key == 0) {
        return 0;
    }
    if (key == dropKey_ && modifiers == dropMods_) {
        return kDropDownHotKey;
    }
    if (key == closeKey_ && modifiers == closeMods_) {
        return kCloseUpHotKey;
    }
    return 0;
}

bool KeyboardControl::hotKey(int id) {
    if (!window_.ownsFocus()) {
        return true;
    }
    const ControlProperties& p = control_.properties();
    const HotKeyAction action = hotKeyAction(id, list_.visible(), p);
    if (action == HotKeyAction::None) {
        return true;
    }
    const bool drop = id == kDropDownHotKey;
    const std::int16_t code = drop ? p.dropDownVKeyCode : p.closeUpVKeyCode;
    const std::int16_t shift = keyDownShift(drop ? p.dropDownModifierFlags : p.closeUpModifierFlags);
    Variant keyCode(code);
    Variant args[] = {Variant::ref(keyCode), Variant(shift)};
    if (!control_.fireEvent(events::KeyDown, args)) {
        return false;
    }
    const std::int16_t changed = keyCode.toShort();
    if (changed == code) {
        return action == HotKeyAction::Open ? open() : close();
    }
    if (changed != 0) {
        // The handler turned the hot key into another key.
        return keyDown(changed,
                       KeyModifiers{(shift & 1) != 0, (shift & 2) != 0, (shift & 4) != 0});
    }
    return true;
}

// ---- Focus ----------------------------------------------------------------------------------

bool KeyboardControl::focusIn() {
    ControlProperties& p = control_.properties();
    focusFlag_ = true;
    p.lostFocusCause = 0;
    if (!control_.designMode() && p.dropDownAtGotFocus && !list_.visible() && !open()) {
        return false;
    }
    hotKeysOn_ = true;
    hotKeysChanged();
    control_.editArea().focusIn();
    window_.repaintControl();
    return true;
}

bool KeyboardControl::focusOut() {
    hotKeysOn_ = false;
    EditArea& edit = control_.editArea();
    const bool ended = list_.highlighted() != listIndex() && edit.escapeFlag() ? cancel() : close();
    if (!ended) {
        return false;
    }
    edit.focusOut();
    window_.repaintControl();
    return true;
}

FocusMove KeyboardControl::focusMoveAsked() {
    if (!control_.properties().causesFocusMovement) {
        return FocusMove::Allowed;
    }
    Variant cancel(false);
    Variant args[] = {Variant::ref(cancel)};
    if (!control_.fireEvent(events::FocusMove, args)) {
        return FocusMove::Destroyed;
    }
    return cancel.toBool() ? FocusMove::Vetoed : FocusMove::Allowed;
}

FocusMove KeyboardControl::moveFocus(bool forward, FocusCause cause) {
    const FocusMove asked = focusMoveAsked();
    if (asked != FocusMove::Allowed) {
        return asked;
    }
    if (!window_.ownsFocus()) {
        return FocusMove::Allowed;
    }
    // Set before focus leaves, so that the handlers of the focus change already read it.
    control_.properties().lostFocusCause = static_cast<std::int16_t>(cause);
    window_.moveFocus(forward);
    return FocusMove::Allowed;
}

// ---- Pointer --------------------------------------------------------------------------------

bool KeyboardControl::buttonPressed() {
    if (!window_.ownsFocus()) {
        window_.takeFocus();
        if (control_.properties().dropDownAtGotFocus) {
            return true; // gaining focus opened the list
        }
    }
    return toggle();
}

bool KeyboardControl::pick(bool overRow) {
    if (overRow) {
        const std::int32_t before = listIndex();
        commit();
        if (listIndex() != before && !selectionCommitted()) {
            return false;
        }
    }
    return close();
}

bool KeyboardControl::outsidePress() {
    if (!control_.editArea().escapeFlag()) {
        savedIndex_ = listIndex();
    }
    return cancel();
}

void KeyboardControl::firstMoveTick() {
    if (list_.visible()) {
        place(false);
    }
}

} // namespace vantil
