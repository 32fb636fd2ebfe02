// The drop-down list's opening and closing, the key-down table, hot keys and focus movement.
#include "control/core/keys/KeyboardControl.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/EventTable.h"
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

void KeyboardControl::open() {
    if (list_.visible()) {
        return;
    }
    control_.editArea().clearEscape();
    control_.fireEvent(events::DropDown);
    if (list_.visible()) {
        return; // the handler opened it already
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
    if (listIndex() != before) {
        selectionCommitted();
    }
    arrowState_ = 0;
    savedIndex_ = listIndex();
    window_.setMouseHook(true);
}

void KeyboardControl::close() {
    if (!list_.visible()) {
        return;
    }
    if (list_.highlighted() != listIndex()) {
        // A row only pointed at is not taken: the list goes back to the committed row.
        savedIndex_ = listIndex();
        cancel();
        return;
    }
    closed();
    list_.hide();
}

void KeyboardControl::cancel() {
    if (!list_.visible()) {
        return;
    }
    list_.setHighlighted(savedIndex_);
    control_.properties().listIndex = savedIndex_;
    place(false);
    list_.hide();
    closed();
    window_.repaintControl();
}

void KeyboardControl::closed() {
    list_.releaseCapture();
    window_.setMouseHook(false);
    control_.fireEvent(events::CloseUp);
}

void KeyboardControl::toggle() {
    if (list_.visible()) {
        close();
    } else {
        open();
    }
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

void KeyboardControl::selectionCommitted() {
    control_.refreshBoundText();
    control_.fireEvent(events::Click);
}

// ---- Keyboard -------------------------------------------------------------------------------

void KeyboardControl::keyDown(int key, KeyModifiers mods) {
    EditArea& edit = control_.editArea();
    edit.clearEscape();
    const ControlProperties& p = control_.properties();
    const bool plain = !mods.shift && !mods.ctrl && !mods.alt;
    switch (key) {
    case vk::Return:
        if (list_.visible() && p.treatEnterAsTab && list_.highlighted() != listIndex()) {
            commit();
            close();
            selectionCommitted();
        } else if (defaultKeys()) {
            close();
        }
        return; // Return never raises KeyDown
    case vk::F4:
        if (defaultKeys()) {
            toggle();
        }
        return;
    case vk::F10:
        if (mods.shift && !mods.ctrl && !mods.alt) {
            window_.requestContextMenu();
            return;
        }
        break;
    case vk::Escape:
        if (defaultKeys()) {
            const std::int32_t before = listIndex();
            cancel();
            if (listIndex() != before) {
                commit();
                window_.repaintControl();
                selectionCommitted();
            }
        }
        break;
    case vk::PageUp:
    case vk::PageDown: {
        if (list_.visible()) {
            place(false);
        }
        const std::int32_t before = list_.highlighted();
        list_.moveHighlight(key == vk::PageUp ? HighlightMove::PageUp : HighlightMove::PageDown);
        if (list_.highlighted() != before) {
            commit();
            selectionCommitted();
        }
        break;
    }
    case vk::Left:
    case vk::Right: {
        const bool right = key == vk::Right;
        const EditBuffer& b = edit.buffer();
        if (!mods.ctrl && !mods.shift &&
            horizontalArrowMovesFocus(right, p.lostFocusAtHorzArrow, b.caret(), b.count())) {
            moveFocus(right, right ? FocusCause::Right : FocusCause::Left);
            return;
        }
        break;
    }
    case vk::Up:
    case vk::Down: {
        const bool down = key == vk::Down;
        if (plain && verticalArrowMovesFocus(down, p.lostFocusAtVertArrow, list_.highlighted(),
                                             list_.itemCount())) {
            moveFocus(down, down ? FocusCause::Down : FocusCause::Up);
            return;
        }
        if (mods.alt) {
            // Alt+Up and Alt+Down only open and close the list.
            if (defaultKeys()) {
                toggle();
                return;
            }
            break;
        }
        verticalKey(down, mods);
        break;
    }
    default:
        break;
    }
    edit.keyDown(key, mods); // the editing keys, then KeyDown
}

void KeyboardControl::verticalKey(bool down, KeyModifiers) {
    const std::int32_t before = listIndex();
    if (arrowState_ == 1 && !list_.visible()) {
        matchTypedText();
    } else {
        list_.moveHighlight(down ? HighlightMove::Down : HighlightMove::Up);
    }
    commit();
    if (listIndex() != before) {
        selectionCommitted();
    }
    arrowState_ = 2;
}

void KeyboardControl::keyPress(unsigned code, KeyModifiers mods) {
    if (code == chars::Return) {
        if (control_.properties().treatEnterAsTab) {
            moveFocus(!mods.shift, FocusCause::Return);
        }
        return; // no KeyPress for Return
    }
    if (code >= 0x20 && !mods.ctrl) {
        arrowState_ = 1;
    }
    control_.editArea().keyPress(code, mods);
}

void KeyboardControl::keyUp(int key, KeyModifiers mods) {
    control_.editArea().keyUp(key, mods);
    if (key == vk::Apps) {
        window_.requestContextMenu();
    }
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

void KeyboardControl::hotKey(int id) {
    if (!window_.ownsFocus()) {
        return;
    }
    const ControlProperties& p = control_.properties();
    const HotKeyAction action = hotKeyAction(id, list_.visible(), p);
    if (action == HotKeyAction::None) {
        return;
    }
    const bool drop = id == kDropDownHotKey;
    const std::int16_t code = drop ? p.dropDownVKeyCode : p.closeUpVKeyCode;
    const std::int16_t shift = keyDownShift(drop ? p.dropDownModifierFlags : p.closeUpModifierFlags);
    Variant keyCode(code);
    Variant args[] = {Variant::ref(keyCode), Variant(shift)};
    control_.fireEvent(events::KeyDown, args);
    const std::int16_t changed = keyCode.toShort();
    if (changed == code) {
        if (action == HotKeyAction::Open) {
            open();
        } else {
            close();
        }
    } else if (changed != 0) {
        // The handler turned the hot key into another key.
        keyDown(changed, KeyModifiers{(shift & 1) != 0, (shift & 2) != 0, (shift & 4) != 0});
    }
}

// ---- Focus ----------------------------------------------------------------------------------

void KeyboardControl::focusIn() {
    ControlProperties& p = control_.properties();
    focusFlag_ = true;
    p.lostFocusCause = 0;
    if (!control_.designMode() && p.dropDownAtGotFocus && !list_.visible()) {
        open();
    }
    hotKeysOn_ = true;
    hotKeysChanged();
    control_.editArea().focusIn();
    window_.repaintControl();
}

void KeyboardControl::focusOut() {
    hotKeysOn_ = false;
    EditArea& edit = control_.editArea();
    if (list_.highlighted() != listIndex() && edit.escapeFlag()) {
        cancel();
    } else {
        close();
    }
    edit.focusOut();
    window_.repaintControl();
}

bool KeyboardControl::focusMoveVetoed() {
    if (!control_.properties().causesFocusMovement) {
        return false;
    }
    Variant cancel(false);
    Variant args[] = {Variant::ref(cancel)};
    control_.fireEvent(events::FocusMove, args);
    return cancel.toBool();
}

bool KeyboardControl::moveFocus(bool forward, FocusCause cause) {
    if (focusMoveVetoed()) {
        return false;
    }
    if (!window_.ownsFocus()) {
        return true;
    }
    // Set before focus leaves, so that the handlers of the focus change already read it.
    control_.properties().lostFocusCause = static_cast<std::int16_t>(cause);
    window_.moveFocus(forward);
    return true;
}

// ---- Pointer --------------------------------------------------------------------------------

void KeyboardControl::buttonPressed() {
    if (!window_.ownsFocus()) {
        window_.takeFocus();
        if (control_.properties().dropDownAtGotFocus) {
            return; // gaining focus opened the list
        }
    }
    toggle();
}

void KeyboardControl::pick(bool overRow) {
    if (overRow) {
        const std::int32_t before = listIndex();
        commit();
        if (listIndex() != before) {
            selectionCommitted();
        }
    }
    close();
}

void KeyboardControl::outsidePress() {
    if (!control_.editArea().escapeFlag()) {
        savedIndex_ = listIndex();
    }
    cancel();
}

void KeyboardControl::firstMoveTick() {
    if (list_.visible()) {
        place(false);
    }
}

} // namespace vantil
