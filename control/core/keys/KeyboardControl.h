// The combo control's keyboard, focus and drop-down behaviour: opening, closing and cancelling
// the list, committing the highlighted row into the text, the key-down table with the list keys
// and the arrow keys that move focus, Return as Tab, the two hot keys, focus gained and lost,
// the drop-down button, and the FocusMove veto. The control's window owns one and forwards its
// events here; editing keys go on to the edit area.
#pragma once

#include "control/core/edit/EditServices.h"
#include "control/core/keys/DropDownPorts.h"
#include "control/core/keys/KeyRules.h"

#include <cstdint>
#include <optional>

namespace vantil {

class CVantilCtrl;

// Why focus last left through the control's own focus movement.
enum class FocusCause : std::int16_t { Normal = 0, Left, Right, Up, Down, Return };

// The first-move timer's interval after focus arrived.
inline constexpr int kFirstMoveMs = 20;

// What a request to move focus came to: the FocusMove handler may veto it, or destroy the
// control.
enum class FocusMove : std::uint8_t { Allowed, Vetoed, Destroyed };

// Every request that raises an event answers whether the control came through it (see
// CVantilCtrl::fireEvent); on false the caller returns without touching the control, this
// object or the window that owns it.
class KeyboardControl {
public:
    KeyboardControl(CVantilCtrl& control, DropDownList& list, KeyboardWindow& window);

    bool listOpen() const { return list_.visible(); }
    // Requests from keys, the button, the hot keys and the show-drop-down request.
    [[nodiscard]] bool open();
    [[nodiscard]] bool close();
    [[nodiscard]] bool cancel();
    [[nodiscard]] bool toggle();
    [[nodiscard]] bool showDropDown(bool show) { return show ? open() : close(); }

    // ---- Keyboard ----
    [[nodiscard]] bool keyDown(int key, KeyModifiers mods);
    [[nodiscard]] bool keyPress(unsigned code, KeyModifiers mods);
    [[nodiscard]] bool keyUp(int key, KeyModifiers mods);
    // The hot key registered for (`key`, hot-key modifiers `modifiers`), 0 for none. Hot keys
    // are registered only while the control has focus.
    int hotKeyFor(int key, int modifiers) const;
    [[nodiscard]] bool hotKey(int id);
    // The hot-key properties changed: registered keys follow at once while focused.
    void hotKeysChanged();

    // ---- Focus ----
    [[nodiscard]] bool focusIn();
    [[nodiscard]] bool focusOut();
    // Raises FocusMove when CausesFocusMovement is on.
    [[nodiscard]] FocusMove focusMoveAsked();
    // Moves focus forwards or backwards; `cause` becomes LostFocusCause unless vetoed.
    [[nodiscard]] FocusMove moveFocus(bool forward, FocusCause cause);

    // ---- Pointer ----
    // The left button went down on the drop-down button strip.
    [[nodiscard]] bool buttonPressed();
    // The list reported a pick: the button was released over a row (`overRow`) or outside the
    // list window.
    [[nodiscard]] bool pick(bool overRow);
    // A left-button press outside the open list while the mouse hook is on; the press is
    // discarded by the caller.
    [[nodiscard]] bool outsidePress();
    void firstMoveTick();

private:
    std::int32_t listIndex() const;
    void place(bool show);
    // The text is matched against the rows; the result is MatchedWithList.
    void matchTypedText();
    void commit();
    [[nodiscard]] bool selectionCommitted();
    [[nodiscard]] bool verticalKey(bool down, KeyModifiers mods);
    // The keys the list and focus movement take before the edit area: each answers what
    // keyDown returns, or nullopt when the key goes on to the edit area (the editing keys, then
    // KeyDown).
    [[nodiscard]] std::optional<bool> listKey(int key, KeyModifiers mods);
    [[nodiscard]] std::optional<bool> returnKey();
    [[nodiscard]] std::optional<bool> escapeKey();
    [[nodiscard]] std::optional<bool> pageKey(bool up);
    [[nodiscard]] std::optional<bool> horizontalArrow(bool right, KeyModifiers mods);
    [[nodiscard]] std::optional<bool> verticalArrow(bool down, KeyModifiers mods);
    bool defaultKeys() const;

    CVantilCtrl& control_;
    DropDownList& list_;
    KeyboardWindow& window_;
    int arrowState_ = 0;
    std::int32_t savedIndex_ = -1;
    bool focusFlag_ = false;     // focus arrived and the first opening has not started the timer
    bool hotKeysOn_ = false;
    int dropKey_ = 0, dropMods_ = 0, closeKey_ = 0, closeMods_ = 0;
};

} // namespace vantil
