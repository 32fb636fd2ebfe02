// Helpers for the control's tests: a control on a recording host site, member calls by name
// that report the automation error instead of throwing, and recording fakes of the window
// system's seams.
#pragma once

#include "control/core/CVantilCtrl.h"
#include "platform/automation/HostSite.h"

#include <memory>
#include <string>
#include <vector>

namespace vantil::test {

using plat::automation::AutomationError;
using plat::automation::InvokeKind;
using plat::automation::Variant;

struct Hosted {
    std::unique_ptr<plat::automation::SimpleHostSite> site =
        std::make_unique<plat::automation::SimpleHostSite>();
    std::shared_ptr<CVantilCtrl> ctrl = std::make_shared<CVantilCtrl>();

    explicit Hosted(bool runMode = true) {
        site->runMode = runMode;
        ctrl->setClientSite(site.get());
        ctrl->initNew();
        site->changed.clear();
        site->modifiedCount = 0;
    }
    void setRunMode(bool run) { site->runMode = run; }

    // Calls a member by name; the automation error (status Ok when none) and the result.
    AutomationError invoke(std::u16string_view name, InvokeKind kind, std::vector<Variant> args,
                           Variant* result = nullptr) {
        AutomationError error;
        Variant out;
        const auto id = ctrl->memberId(name);
        if (id == plat::automation::dispid::Unknown) {
            return AutomationError(plat::automation::status::UnknownName, std::u16string(u"?"));
        }
        const auto s = ctrl->invoke(id, kind, args, out, error);
        if (s != plat::automation::status::Ok && !error.isError()) {
            error.status = s;
        }
        if (result) {
            *result = out;
        }
        return error;
    }
    AutomationError put(std::u16string_view name, Variant value, std::vector<Variant> index = {}) {
        index.push_back(std::move(value));
        return invoke(name, InvokeKind::PropertyPut, std::move(index));
    }
    AutomationError tryGet(std::u16string_view name, Variant& out,
                           std::vector<Variant> index = {}) {
        return invoke(name, InvokeKind::PropertyGet, std::move(index), &out);
    }
    Variant get(std::u16string_view name, std::vector<Variant> index = {}) {
        Variant out;
        const AutomationError e = tryGet(name, out, std::move(index));
        if (e.isError()) {
            throw plat::automation::AutomationException(e);
        }
        return out;
    }
    Variant call(std::u16string_view name, std::vector<Variant> args = {}) {
        Variant out;
        const AutomationError e = invoke(name, InvokeKind::Method, std::move(args), &out);
        if (e.isError()) {
            throw plat::automation::AutomationException(e);
        }
        return out;
    }
};

// The about box service of a window system, recording what it was asked to show.
class RecordingPlatform : public ControlPlatform, public AboutBoxService {
public:
    std::vector<std::string> shownTitles;
    AboutBoxService* aboutBox() override { return this; }
    std::unique_ptr<ControlView> createView(CVantilCtrl&, void*, int, int, int, int) override {
        return nullptr;
    }
    void showModal(const AboutBoxContent& c) override { shownTitles.emplace_back(c.title); }
};

} // namespace vantil::test
