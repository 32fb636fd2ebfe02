// The embedding contract of a control (Dispatch::controlObject()): its host site, resetting,
// loading and saving its persisted properties, the modified flag, ambient-property changes,
// its extent and in-place activation.
#pragma once

#include "platform/automation/AutomationError.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/PropertyBag.h"

namespace plat::automation {

class HostSite;

class ControlObject {
public:
    virtual ~ControlObject() = default;

    // The host gives its site first (before loading); nullptr when the host lets go.
    virtual void setClientSite(HostSite* site) = 0;

    // A new instance: every persisted property takes its default.
    virtual Status initNew() = 0;
    // Load from / save to a property bag or a stream store. `clearDirty` on save: the host
    // now holds the saved state, so the control is no longer modified.
    virtual Status load(const PropertyBag& bag, AutomationError* error) = 0;
    virtual Status save(PropertyBag& bag, bool clearDirty) = 0;
    virtual Status load(StreamStore& stream, AutomationError* error) = 0;
    virtual Status save(StreamStore& stream, bool clearDirty) = 0;
    virtual bool isDirty() const = 0;

    // An ambient property of the site changed (dispid::AmbientUserMode ...; dispid::Unknown
    // for "several").
    virtual void ambientPropertyChanged(DispId id) = 0;

    // Size of the control in HIMETRIC.
    virtual void setExtent(std::int32_t width, std::int32_t height) = 0;
    virtual void extent(std::int32_t& width, std::int32_t& height) const = 0;

    // Creates the control's window inside the site's parent window at the given position and
    // size (pixels) and shows it; deactivate destroys it again.
    virtual Status activateInPlace(int x, int y, int widthPx, int heightPx) = 0;
    virtual void deactivate() = 0;

    // The host is done with the control: release the site and the sinks.
    virtual void close() = 0;
};

} // namespace plat::automation
