// A control with its list engine on a recording host site, members called through the dispatch
// interface by name, and the events the control raised.
#pragma once

#include "control/core/CVantilCtrl.h"
#include "control/list/ListModel.h"
#include "platform/automation/EventSink.h"
#include "platform/automation/HostSite.h"
#include "platform/text/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace vantil::test {

using plat::automation::AutomationError;
using plat::automation::Dispatch;
using plat::automation::DispId;
using plat::automation::InvokeKind;
using plat::automation::Variant;

struct EventRecorder : plat::automation::EventSink {
    std::vector<DispId> events;
    void onEvent(DispId id, std::span<Variant>) override { events.push_back(id); }
    int count(DispId id) const {
        return static_cast<int>(std::count(events.begin(), events.end(), id));
    }
};

inline constexpr DispId kClick = -600;
inline constexpr DispId kBeginSort = 13;
inline constexpr DispId kEndSort = 14;

// Text given in UTF-8 as the control's code page 932 bytes.
inline std::string sj(std::string_view utf8) {
    return plat::text::cp932::fromUtf8(utf8);
}
inline Variant text(std::string_view utf8) {
    return Variant::fromUtf8(utf8);
}
inline Variant num(std::int32_t v) {
    return Variant(v);
}

struct ListControl {
    std::unique_ptr<plat::automation::SimpleHostSite> site =
        std::make_unique<plat::automation::SimpleHostSite>();
    std::shared_ptr<CVantilCtrl> ctrl = std::make_shared<CVantilCtrl>();
    std::unique_ptr<ListModel> model;
    EventRecorder recorder;

    ListControl() {
        ctrl->setClientSite(site.get());
        ctrl->initNew();
        model = std::make_unique<ListModel>(*ctrl);
        ctrl->setListEngine(model.get());
        ctrl->advise(&recorder);
    }
    ~ListControl() {
        ctrl->unadvise(&recorder);
        ctrl->setListEngine(nullptr);
    }

    AutomationError invoke(Dispatch& obj, std::u16string_view name, InvokeKind kind,
                           std::vector<Variant> args, Variant* result) {
        AutomationError error;
        Variant out;
        const DispId id = obj.memberId(name);
        EXPECT_NE(id, plat::automation::dispid::Unknown) << "no member named as given";
        const auto s = obj.invoke(id, kind, args, out, error);
        if (s != plat::automation::status::Ok && !error.isError()) {
            error.status = s;
        }
        if (result) {
            *result = out;
        }
        return error;
    }
    // Calls that must succeed.
    Variant call(std::u16string_view name, std::vector<Variant> args = {}) {
        Variant out;
        const AutomationError e = invoke(*ctrl, name, InvokeKind::Method, std::move(args), &out);
        EXPECT_FALSE(e.isError()) << e.descriptionUtf8();
        return out;
    }
    Variant get(std::u16string_view name, std::vector<Variant> index = {}) {
        return get(*ctrl, name, std::move(index));
    }
    Variant get(Dispatch& obj, std::u16string_view name, std::vector<Variant> index = {}) {
        Variant out;
        const AutomationError e =
            invoke(obj, name, InvokeKind::PropertyGet, std::move(index), &out);
        EXPECT_FALSE(e.isError()) << e.descriptionUtf8();
        return out;
    }
    void put(std::u16string_view name, Variant value, std::vector<Variant> index = {}) {
        const AutomationError e = tryPut(*ctrl, name, std::move(value), std::move(index));
        EXPECT_FALSE(e.isError()) << e.descriptionUtf8();
    }
    void put(Dispatch& obj, std::u16string_view name, Variant value,
             std::vector<Variant> index = {}) {
        const AutomationError e = tryPut(obj, name, std::move(value), std::move(index));
        EXPECT_FALSE(e.isError()) << e.descriptionUtf8();
    }
    // Calls whose error is the subject of the test.
    AutomationError tryCall(std::u16string_view name, std::vector<Variant> args = {}) {
        return invoke(*ctrl, name, InvokeKind::Method, std::move(args), nullptr);
    }
    AutomationError tryGet(std::u16string_view name, std::vector<Variant> index = {}) {
        return invoke(*ctrl, name, InvokeKind::PropertyGet, std::move(index), nullptr);
    }
    AutomationError tryPut(Dispatch& obj, std::u16string_view name, Variant value,
                           std::vector<Variant> index = {}) {
        index.push_back(std::move(value));
        return invoke(obj, name, InvokeKind::PropertyPut, std::move(index), nullptr);
    }
    AutomationError tryPut(std::u16string_view name, Variant value,
                           std::vector<Variant> index = {}) {
        return tryPut(*ctrl, name, std::move(value), std::move(index));
    }

    std::int32_t count() { return get(u"ListCount").toLong(); }
    std::int32_t newIndex() { return get(u"NewIndex").toLong(); }
    std::int32_t listIndex() { return get(u"ListIndex").toLong(); }
    std::int32_t add(std::string_view utf8) {
        return call(u"AddItem", {Variant::missing(), text(utf8)}).toLong();
    }
    std::string itemText(std::int32_t i) { return get(u"ItemText", {num(i)}).toUtf8(); }
    // Item texts in list order, in UTF-8.
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (std::int32_t i = 0, n = count(); i < n; ++i) {
            out.push_back(itemText(i));
        }
        return out;
    }
    std::shared_ptr<Dispatch> items() { return get(u"ListItems").asObject(); }
};

} // namespace vantil::test
