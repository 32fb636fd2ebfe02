// The input area's keyboard, clipboard, selection, focus and input-method handling.
#include "control/core/edit/EditArea.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/Enums.h"
#include "control/core/EventTable.h"
#include "control/core/edit/KeyCodes.h"
#include "platform/text/Cp932.h"

#include <algorithm>

namespace vantil {

namespace cp932 = plat::text::cp932;
using plat::automation::Variant;

namespace {

Clipboard* controlClipboard() {
    ControlPlatform* platform = controlPlatform();
    return platform ? platform->clipboard() : nullptr;
}

// The clipboard's text as a command takes it, read before its edit begins.
std::string clipboardText() {
    Clipboard* clipboard = controlClipboard();
    return clipboard ? clipboard->text().value_or(std::string()) : std::string();
}

// Edits the commands share: inserting pasted or dropped text (an empty text inserts nothing)
// and deleting the selection, each undoable.
void insertText(EditBuffer& b, const std::string& text) {
    if (!text.empty()) {
        b.snapshot();
        b.insertText(text);
    }
}

void deleteSelection(EditBuffer& b) {
    if (b.hasSelection()) {
        b.snapshot();
        b.deleteSelection();
    }
}

} // namespace

EditArea::EditArea(CVantilCtrl& control)
    : control_(control), buffer_(control.properties().text, control.properties().edit) {}

bool EditArea::locked() const {
    return control_.properties().locked;
}

bool EditArea::editFunction() const {
    return control_.properties().editFunction;
}

InputMethodContext* EditArea::inputMethod() const {
    ControlView* view = control_.view();
    return view ? view->inputMethod() : nullptr;
}

void EditArea::repaint() {
    if (ControlView* view = control_.view()) {
        view->inputAreaChanged();
    }
}

template <class Mutate, class BeforeNotify>
bool EditArea::edit(Notify notify, Mutate mutate, BeforeNotify beforeNotify) {
    const std::string before = buffer_.text();
    mutate(buffer_);
    if (!beforeNotify()) {
        return false;
    }
    return finish(before, notify);
}

bool EditArea::finish(const std::string& before, Notify notify) {
    repaint();
    if (buffer_.text() == before) {
        return true;
    }
    control_.notifyHost(dispids::Text);
    if (notify == Notify::TextAndListIndex) {
        control_.clearListRow();
    }
    control_.refreshBoundText();
    return control_.fireEvent(events::ChangeText);
}

// ---- Keyboard ---------------------------------------------------------------------------

bool EditArea::keyPress(unsigned code, KeyModifiers mods) {
    // ChangeText runs host code: nothing here touches the control after it did not survive.
    const CVantilCtrl::LifeWatch watch(control_);
    escape_ = false;
    if (!locked()) {
        switch (code) {
        case chars::CtrlA:
        case chars::CtrlC:
        case chars::Tab:
        case chars::CtrlV:
        case chars::CtrlX:
        case chars::CtrlZ:
            break; // handled on key down
        case chars::Backspace:
            edit(Notify::Text, [](EditBuffer& b) { b.backspace(); });
            break;
        case chars::Return:
            return true; // no KeyPress for Return
        case chars::Escape:
            escape_ = true;
            break;
        default:
            if (!mods.ctrl) {
                edit(Notify::Text, [code](EditBuffer& b) { b.typeChar(code); });
            }
            break;
        }
    }
    if (!watch.survived()) {
        return false;
    }
    Variant keyAscii(static_cast<std::int16_t>(code));
    Variant args[] = {Variant::ref(keyAscii)};
    return control_.fireEvent(events::KeyPress, args);
}

bool EditArea::keyDown(int key, KeyModifiers mods) {
    const CVantilCtrl::LifeWatch watch(control_);
    escape_ = false;
    const bool extend = mods.shift;
    switch (key) {
    case vk::Home:
        buffer_.moveCaret(0, extend);
        repaint();
        break;
    case vk::End:
        buffer_.moveCaret(buffer_.count(), extend);
        repaint();
        break;
    case vk::Left:
        buffer_.moveCaret(mods.ctrl ? 0 : buffer_.caret() - 1, extend);
        repaint();
        break;
    case vk::Right:
        buffer_.moveCaret(mods.ctrl ? buffer_.count() : buffer_.caret() + 1, extend);
        repaint();
        break;
    case vk::Insert:
        if (mods.ctrl) {
            copy();
        } else if (mods.shift) {
            if (!locked()) {
                paste(clipboardText());
            }
        } else {
            buffer_.toggleInsertMode();
            repaint();
        }
        break;
    case vk::Delete:
        if (!locked()) {
            edit(Notify::TextAndListIndex, [](EditBuffer& b) { b.deleteForward(); });
        }
        break;
    case vk::A:
    case vk::C:
    case vk::V:
    case vk::X:
    case vk::Z:
        if (!mods.ctrl || !editFunction()) {
            break;
        }
        if (key == vk::A) {
            selectAll(true);
        } else if (key == vk::C) {
            copy();
        } else if (locked()) {
            break;
        } else if (key == vk::V) {
            paste(clipboardText());
        } else if (key == vk::Z) {
            undo();
        } else if (buffer_.hasSelection()) {
            copy();
            edit(Notify::Text, deleteSelection);
        }
        break;
    default:
        break;
    }
    if (!watch.survived()) {
        return false;
    }
    if (key == vk::Return || key == vk::F4) {
        return true;
    }
    Variant keyCode(static_cast<std::int16_t>(key));
    Variant args[] = {Variant::ref(keyCode), Variant(mods.eventMask())};
    return control_.fireEvent(events::KeyDown, args);
}

bool EditArea::keyUp(int key, KeyModifiers mods) {
    Variant keyCode(static_cast<std::int16_t>(key));
    Variant args[] = {Variant::ref(keyCode), Variant(mods.eventMask())};
    return control_.fireEvent(events::KeyUp, args);
}

// ---- Commands -----------------------------------------------------------------------------

void EditArea::copy() {
    Clipboard* clipboard = controlClipboard();
    if (clipboard != nullptr && buffer_.hasSelection()) {
        clipboard->setText(buffer_.selectedBytes());
    }
}

bool EditArea::paste(const std::string& cp932Text) {
    if (cp932Text.empty()) {
        return true;
    }
    return edit(Notify::Text, [&cp932Text](EditBuffer& b) { insertText(b, cp932Text); });
}

bool EditArea::undo() {
    return edit(Notify::Text, [](EditBuffer& b) { b.undo(); });
}

bool EditArea::menuCommand(int entry) {
    const auto command = static_cast<MenuCommand>(entry);
    const bool editable = !locked();
    // What leaves for the clipboard or comes from it does so before the edit begins.
    if (command == MenuCommand::Copy ||
        (command == MenuCommand::Cut && editable && buffer_.hasSelection())) {
        copy();
    }
    const std::string pasted =
        command == MenuCommand::Paste && editable ? clipboardText() : std::string();
    const auto mutate = [command, editable, &pasted](EditBuffer& b) {
        switch (command) {
        case MenuCommand::Undo:
            if (editable) {
                b.undo();
            }
            break;
        case MenuCommand::Cut:
        case MenuCommand::Delete:
            if (editable) {
                deleteSelection(b);
            }
            break;
        case MenuCommand::Paste:
            insertText(b, pasted);
            break;
        case MenuCommand::SelectAll:
            b.select(0, b.count());
            break;
        default:
            break; // copying changes nothing; the host's own entries neither
        }
    };
    // MenuClicked comes between the change and its notifications.
    return edit(Notify::TextAndListIndex, mutate, [this, entry] {
        repaint();
        Variant menuId(static_cast<std::int16_t>(entry));
        return control_.fireEvent(events::MenuClicked, std::span(&menuId, 1));
    });
}

bool EditArea::dropText(std::int32_t pos, std::string_view cp932Text) {
    const std::string text(cp932Text);
    return edit(Notify::Text, [pos, &text](EditBuffer& b) {
        b.moveCaret(pos, false);
        insertText(b, text);
    });
}

bool EditArea::removeRange(std::int32_t start, std::int32_t end) {
    return edit(Notify::Text, [start, end](EditBuffer& b) {
        b.select(start, end);
        deleteSelection(b);
    });
}

// ---- Members --------------------------------------------------------------------------------

void EditArea::setSelStart(std::int32_t value) {
    const std::int32_t length = buffer_.selectionEnd() - buffer_.selectionStart();
    const std::int32_t start = std::min(value, buffer_.count());
    buffer_.select(start, start + length);
    repaint();
}

void EditArea::setSelLength(std::int32_t value) {
    const std::int32_t start = buffer_.selectionStart();
    buffer_.select(start, start + value);
    repaint();
}

bool EditArea::setSelText(std::string_view cp932Text) {
    const std::string text(cp932Text);
    return edit(Notify::Text, [&text](EditBuffer& b) {
        b.snapshot();
        b.insertText(text);
    });
}

void EditArea::takeRowText(std::string_view cp932Text) {
    control_.properties().text = std::string(cp932Text);
    buffer_.textReplaced();
    buffer_.select(0, buffer_.count());
    control_.properties().edit.horizontalOffset = 0;
    repaint();
}

void EditArea::selectAll(bool whole) {
    buffer_.select(whole ? 0 : buffer_.count(), buffer_.count());
    repaint();
}

// ---- Focus, input method and pointer --------------------------------------------------------

void EditArea::focusIn() {
    focused_ = true;
    const ControlProperties& p = control_.properties();
    if (p.selTextAtGotFocus) {
        buffer_.select(0, buffer_.count());
    }
    if (InputMethodContext* ime = inputMethod()) {
        imeSaved_ = applyImeModeOnFocus(*ime, p.imeMode, p.font);
    }
    repaint();
}

void EditArea::focusOut() {
    focused_ = false;
    composition_.clear();
    ControlProperties& p = control_.properties();
    InputMethodContext* ime = inputMethod();
    if (ime != nullptr && p.imeMode != 0) {
        p.imeMode = imeModeOf(*ime);
    }
    if (ime != nullptr && imeSaved_) {
        restoreImeState(*ime, *imeSaved_);
    }
    imeSaved_.reset();
    repaint();
}

void EditArea::imeModeChanged() {
    InputMethodContext* ime = inputMethod();
    if (!focused_ || ime == nullptr) {
        return;
    }
    const ControlProperties& p = control_.properties();
    if (!imeSaved_) {
        imeSaved_ = applyImeModeOnFocus(*ime, p.imeMode, p.font);
    } else {
        applyImeMode(*ime, p.imeMode);
    }
}

void EditArea::setComposition(std::string cp932Text) {
    if (composition_ != cp932Text) {
        composition_ = std::move(cp932Text);
        repaint();
    }
}

bool EditArea::commitComposition(std::string_view cp932Text) {
    composition_.clear();
    for (std::size_t i = 0; i < cp932Text.size(); i += cp932::charLength(cp932Text, i)) {
        if (!keyPress(cp932::charCode(cp932Text, i), KeyModifiers{})) {
            return false;
        }
    }
    repaint();
    return true;
}

void EditArea::placeCaret(std::int32_t pos, bool extend) {
    buffer_.moveCaret(pos, extend);
    repaint();
}

void EditArea::reset() {
    buffer_.resetUndo();
    escape_ = false;
    composition_.clear();
}

} // namespace vantil
