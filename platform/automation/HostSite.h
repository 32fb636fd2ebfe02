// What a host offers a control it embeds: ambient properties (user mode, font, colours,
// display name), notifications of changed properties and of the modified state, the parent
// window for in-place activation and resize requests.
#pragma once

#include "platform/automation/Dispatch.h"
#include "platform/automation/FontObject.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plat::automation {

class HostSite {
public:
    virtual ~HostSite() = default;

    // Ambient properties. User mode false means the host's design mode.
    virtual bool userMode() const = 0;
    virtual FontDesc ambientFont() const = 0;
    virtual std::uint32_t ambientForeColor() const = 0; // 0x00BBGGRR or 0x800000nn
    virtual std::uint32_t ambientBackColor() const = 0;
    virtual std::u16string displayName() const = 0; // the control instance's name on its form

    // The control changed property `id` (after the change; the host refreshes its browser).
    virtual void onChanged(DispId id) = 0;
    // The control asks before changing property `id`; false: the host refuses.
    virtual bool onRequestEdit(DispId id) = 0;
    // The control's persisted state differs from what the host stored last.
    virtual void setModified() = 0;
    // The control's keyboard mnemonics (caption accelerator) changed.
    virtual void onMnemonicsChanged() {}

    // Window the control's window lives in when activated in place; an opaque handle of the
    // window-system layer (a QWidget* under Qt), nullptr when there is none.
    virtual void* parentWindow() const = 0;
    // The control asks to be resized to this many pixels; false when the host refuses.
    virtual bool requestResize(int widthPx, int heightPx) = 0;
};

// A host site with plain fields, for tools and tests; it records the notifications.
class SimpleHostSite : public HostSite {
public:
    bool runMode = true;
    FontDesc font;
    std::uint32_t foreColor = 0x80000008; // window text
    std::uint32_t backColor = 0x80000005; // window
    std::u16string name = u"Vantil1";
    void* parent = nullptr;
    bool refuseEdits = false;

    std::vector<DispId> changed;
    int modifiedCount = 0;
    int mnemonicsChangedCount = 0;
    int lastResizeWidth = -1;
    int lastResizeHeight = -1;

    bool userMode() const override { return runMode; }
    FontDesc ambientFont() const override { return font; }
    std::uint32_t ambientForeColor() const override { return foreColor; }
    std::uint32_t ambientBackColor() const override { return backColor; }
    std::u16string displayName() const override { return name; }
    void onChanged(DispId id) override { changed.push_back(id); }
    bool onRequestEdit(DispId) override { return !refuseEdits; }
    void setModified() override { ++modifiedCount; }
    void onMnemonicsChanged() override { ++mnemonicsChangedCount; }
    void* parentWindow() const override { return parent; }
    bool requestResize(int w, int h) override {
        lastResizeWidth = w;
        lastResizeHeight = h;
        return true;
    }
};

} // namespace plat::automation
