// A run-time control with its list engine in a recording window: a clipboard and an input
// method that behave like the desktop's, keystrokes sent the way the window forwards them
// (key down, then the key's character), and the edit state read back in UTF-8.
#pragma once

#include "control/core/ControlPlatform.h"
#include "control/core/edit/KeyCodes.h"
#include "tests/list/ListTestSupport.h"

#include <optional>

namespace vantil::test {

class FakeClipboard final : public Clipboard {
public:
    std::optional<std::string> content; // code page 932
    bool unavailable = false;           // the clipboard cannot be opened
    std::optional<std::string> text() override { return unavailable ? std::nullopt : content; }
    bool setText(std::string_view cp932) override {
        if (unavailable) {
            return false;
        }
        content = std::string(cp932);
        return true;
    }
    std::string utf8() const { return content ? plat::text::cp932::toUtf8(*content) : "<none>"; }
};

// The desktop's input method: open state and conversion shared by every window, and a toggle
// key that does nothing for a window without an input context.
class FakeInputMethod final : public InputMethodContext {
public:
    bool open = false;
    std::uint32_t mode = 0;
    bool isAttached = true;
    plat::automation::FontDesc font;

    bool isOpen() const override { return open; }
    void setOpen(bool o) override { open = o; }
    std::uint32_t conversion() const override { return mode; }
    void setConversion(std::uint32_t m) override { mode = m; }
    bool attached() const override { return isAttached; }
    void setAttached(bool a) override { isAttached = a; }
    void setCompositionFont(const plat::automation::FontDesc& f) override { font = f; }
    void userToggle() {
        if (isAttached) {
            open = !open;
        }
    }
};

class FakeView final : public ControlView {
public:
    explicit FakeView(FakeInputMethod& ime) : ime_(ime) {}
    int inputRepaints = 0;
    void propertyChanged(plat::automation::DispId) override {}
    void propertiesLoaded() override {}
    std::intptr_t windowHandle() const override { return 1; }
    void inputAreaChanged() override { ++inputRepaints; }
    InputMethodContext* inputMethod() override { return &ime_; }

private:
    FakeInputMethod& ime_;
};

class FakePlatform final : public ControlPlatform {
public:
    FakeClipboard clipboard_;
    FakeInputMethod ime;
    FakeView* view = nullptr;

    FakePlatform() : previous_(controlPlatform()) { installControlPlatform(this); }
    ~FakePlatform() override { installControlPlatform(previous_); }
    AboutBoxService* aboutBox() override { return nullptr; }
    Clipboard* clipboard() override { return &clipboard_; }
    std::unique_ptr<ControlView> createView(CVantilCtrl&, void*, int, int, int, int) override {
        auto v = std::make_unique<FakeView>(ime);
        view = v.get();
        return v;
    }

private:
    ControlPlatform* previous_;
};

struct EditControl : ListControl {
    FakePlatform platform;

    explicit EditControl(bool focus = true) {
        ctrl->activateInPlace(0, 0, 200, 24);
        if (focus) {
            edit().focusIn();
        }
    }
    EditArea& edit() { return ctrl->editArea(); }
    const EditState& state() { return ctrl->properties().edit; }
    std::string text() { return plat::text::cp932::toUtf8(ctrl->properties().text); }

    // Characters typed one key each.
    void type(std::string_view utf8) {
        const std::string bytes = sj(utf8);
        for (std::size_t i = 0; i < bytes.size(); i += plat::text::cp932::charLength(bytes, i)) {
            edit().keyPress(plat::text::cp932::charCode(bytes, i), {});
        }
    }
    // A key as the window delivers it: key down, then its character when it has one.
    void key(int vkey, KeyModifiers m = {}) {
        edit().keyDown(vkey, m);
        if (m.ctrl && vkey >= 'A' && vkey <= 'Z') {
            edit().keyPress(static_cast<unsigned>(vkey - 'A' + 1), m);
        } else if (vkey == vk::Back) {
            edit().keyPress(chars::Backspace, m);
        } else if (vkey == vk::Return) {
            edit().keyPress(chars::Return, m);
        } else if (vkey == vk::Escape) {
            edit().keyPress(chars::Escape, m);
        }
    }
    void ctrlKey(int vkey) { key(vkey, KeyModifiers{false, true, false}); }
    void shiftKey(int vkey) { key(vkey, KeyModifiers{true, false, false}); }
};

} // namespace vantil::test
