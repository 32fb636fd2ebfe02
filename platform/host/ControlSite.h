// The in-place site a HostedControl gives its control: ambient properties taken from the
// widget (user mode, font, colours, object name) and the control's notifications passed back
// to it.
#pragma once

#include "platform/automation/HostSite.h"

#include <QColor>
#include <QFont>

#include <cstdint>

namespace plat::host {

class HostedControl;

// The widget's font as the control's font description.
plat::automation::FontDesc fontDescOf(const QFont& font);
// A colour as the control stores it: the system colour `systemIndex` (0x800000nn) while the
// widget shows the application's own colour for that role, else 0x00BBGGRR.
std::uint32_t colorValueOf(const QColor& shown, const QColor& applicationDefault,
                           std::uint32_t systemIndex);

class ControlSite final : public plat::automation::HostSite {
public:
    explicit ControlSite(HostedControl& host) : host_(host) {}

    bool userMode() const override;
    plat::automation::FontDesc ambientFont() const override;
    std::uint32_t ambientForeColor() const override;
    std::uint32_t ambientBackColor() const override;
    std::u16string displayName() const override;
    void onChanged(plat::automation::DispId id) override;
    bool onRequestEdit(plat::automation::DispId) override { return true; }
    void setModified() override;
    void* parentWindow() const override;
    bool requestResize(int widthPx, int heightPx) override;

private:
    HostedControl& host_;
};

} // namespace plat::host
