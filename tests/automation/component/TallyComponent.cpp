// A small component library for the automation tests and the console host: one class "Tally"
// with a few properties, methods, events and persisted properties, served through the four
// library entry points and registered through the component registry like the real control.
#include "platform/automation/ClassFactory.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/ControlObject.h"
#include "platform/automation/DispatchObject.h"
#include "platform/automation/EventSink.h"
#include "platform/automation/HostSite.h"
#include "platform/automation/PropertyExchange.h"
#include "tests/automation/component/TallyIds.h"

#include <cstdint>
#include <map>

using namespace plat::automation;

namespace {

LiveObjectCount g_live;

constexpr char kInvalidValue[] = "値が不正です (Tally).";

MemberInfo member(DispId id, std::u16string name, VarType type,
                  std::vector<ParamInfo> params = {}) {
    MemberInfo m;
    m.id = id;
    m.name = std::move(name);
    m.type = type;
    m.params = std::move(params);
    return m;
}

ParamInfo param(std::u16string name, VarType type, bool optional = false, bool byRef = false) {
    ParamInfo p;
    p.name = std::move(name);
    p.type = type;
    p.optional = optional;
    p.byRef = byRef;
    return p;
}

class Tally : public DispatchObject, public EventSource, public ControlObject {
public:
    Tally() : DispatchObject(u"_DTally") {
        g_live.increment();
        using namespace tally;
        addProperty(
            member(kCaption, u"Caption", VarType::String),
            [this](auto) { return Variant(caption_); },
            [this](auto, const Variant& v) { setCaption(v.toString()); });
        addProperty(
            member(kCount, u"Count", VarType::Long), [this](auto) { return Variant(count_); },
            [this](auto, const Variant& v) {
                count_ = v.toLong();
                changed(kCount);
            });
        addProperty(
            member(kRatio, u"Ratio", VarType::Short), [this](auto) { return Variant(ratio_); },
            [this](auto, const Variant& v) {
                const auto r = v.toShort();
                if (r < 0 || r > 100)
                    raise(errnum::InvalidPropertyValue, kInvalidValue);
                ratio_ = r;
                changed(kRatio);
            });
        addProperty(member(kVersion, u"Version", VarType::String),
                    [](auto) { return Variant(u"1.0"); });
        addProperty(
            member(kRunValue, u"RunValue", VarType::Long),
            [this](auto) {
                if (!userMode())
                    raise(AutomationError::getNotSupported());
                return Variant(runValue_);
            },
            [this](auto, const Variant& v) {
                if (!userMode())
                    raise(AutomationError::setNotSupported());
                runValue_ = v.toLong();
            });
        addProperty(
            member(kCell, u"Cell", VarType::String,
                   {param(u"Row", VarType::Long), param(u"Col", VarType::Long, true)}),
            [this](std::span<Variant> a) {
                const auto key = cellKey(a);
                const auto it = cells_.find(key);
                return Variant(it == cells_.end() ? std::u16string() : it->second);
            },
            [this](std::span<Variant> a, const Variant& v) { cells_[cellKey(a)] = v.toString(); });
        addProperty(member(kFont, u"Font", VarType::Object),
                    [this](auto) { return Variant(std::shared_ptr<Dispatch>(font_)); });
        addMethod(
            member(kAdd, u"Add", VarType::Long,
                   {param(u"Amount", VarType::Long), param(u"Times", VarType::Variant, true)}),
            [this](std::span<Variant> a) {
                const std::int32_t times = a[1].isMissing() ? 1 : a[1].toLong();
                const std::int64_t sum =
                    static_cast<std::int64_t>(count_) + std::int64_t{a[0].toLong()} * times;
                if (sum > INT32_MAX || sum < INT32_MIN)
                    raise(AutomationError::overflow());
                count_ = static_cast<std::int32_t>(sum);
                changed(kCount);
                return Variant(count_);
            });
        addMethod(
            member(kPressKey, u"PressKey", VarType::Short,
                   {param(u"KeyCode", VarType::Short), param(u"Shift", VarType::Short, true)}),
            [this](std::span<Variant> a) {
                // KeyDown lets the handler change or swallow (0) the key code.
                Variant key(a[0].toShort());
                Variant shift(a[1].isMissing() ? std::int16_t{0} : a[1].toShort());
                std::vector<Variant> args{Variant::ref(key), shift};
                sinks_.fire(kEvKeyDown, args);
                return Variant(key.toShort());
            });
        addMethod(member(kGetInfo, u"GetInfo", VarType::Bool,
                         {param(u"lpCount", VarType::Long, false, true),
                          param(u"lpCaption", VarType::String, true, true)}),
                  [this](std::span<Variant> a) {
                      a[0].assign(Variant(count_));
                      if (!a[1].isMissing())
                          a[1].assign(Variant(caption_));
                      return Variant(true);
                  });
        addMethod(member(kClear, u"Clear", VarType::Void), [this](auto) {
            count_ = 0;
            changed(kCount);
            return Variant();
        });
        addAlias(u"Reset", kClear);
        EnumInfo e;
        e.name = u"TallyModeConstants";
        e.constants = {{u"tm_なし", 0}, {u"tm_加算", 1}};
        addEnum(std::move(e));

        events_.name = u"_DTallyEvents";
        events_.members = {
            member(kEvChanged, u"Changed", VarType::Void, {param(u"What", VarType::String)}),
            member(
                kEvKeyDown, u"KeyDown", VarType::Void,
                {param(u"KeyCode", VarType::Short, false, true), param(u"Shift", VarType::Short)})};
        font_ = FontObject::create();
    }
    ~Tally() override { g_live.decrement(); }

    EventSource* eventSource() override { return this; }
    ControlObject* controlObject() override { return this; }

    // EventSource
    void advise(EventSink* s) override { sinks_.add(s); }
    void unadvise(EventSink* s) override { sinks_.remove(s); }
    const TypeInfo* eventTypeInfo() const override { return &events_; }

    // ControlObject
    void setClientSite(HostSite* site) override { site_ = site; }
    Status initNew() override {
        auto px = makeResetter();
        exchange(*px);
        dirty_ = false;
        return status::Ok;
    }
    Status load(const PropertyBag& bag, AutomationError*) override {
        auto px = makeBagLoader(bag);
        exchange(*px);
        dirty_ = false;
        return status::Ok;
    }
    Status save(PropertyBag& bag, bool clearDirty) override {
        auto px = makeBagSaver(bag);
        exchange(*px);
        if (clearDirty)
            dirty_ = false;
        return status::Ok;
    }
    Status load(StreamStore& s, AutomationError*) override {
        auto px = makeStreamLoader(s);
        exchange(*px);
        dirty_ = false;
        return status::Ok;
    }
    Status save(StreamStore& s, bool clearDirty) override {
        auto px = makeStreamSaver(s);
        exchange(*px);
        if (clearDirty)
            dirty_ = false;
        return status::Ok;
    }
    bool isDirty() const override { return dirty_; }
    void ambientPropertyChanged(DispId) override {}
    void setExtent(std::int32_t w, std::int32_t h) override {
        width_ = w;
        height_ = h;
    }
    void extent(std::int32_t& w, std::int32_t& h) const override {
        w = width_;
        h = height_;
    }
    Status activateInPlace(int, int, int, int) override { return status::NotImplemented; }
    void deactivate() override {}
    void close() override {
        site_ = nullptr;
        sinks_ = EventSinkList();
    }

private:
    bool userMode() const { return site_ ? site_->userMode() : true; }

    void exchange(PropertyExchange& px) {
        px.exchangeString(u"Caption", caption_, site_ ? site_->displayName() : u"Tally");
        px.exchangeLong(u"Count", count_, 0);
        px.exchangeShort(u"Ratio", ratio_, 30);
        px.exchangeFont(u"Font", font_, site_ ? site_->ambientFont() : FontDesc{});
    }

    void setCaption(std::u16string c) {
        if (c == caption_)
            return;
        caption_ = std::move(c);
        changed(tally::kCaption);
    }

    void changed(DispId id) {
        dirty_ = true;
        if (site_) {
            site_->onChanged(id);
            site_->setModified();
        }
        const MemberInfo* m = typeInfo()->findMember(id);
        std::vector<Variant> args{Variant(m ? m->name : std::u16string())};
        sinks_.fire(tally::kEvChanged, args);
    }

    static std::int64_t cellKey(std::span<Variant> a) {
        const std::int64_t row = a[0].toLong();
        const std::int64_t col = a[1].isMissing() ? 0 : a[1].toLong();
        return row * 100000 + col;
    }

    std::u16string caption_ = u"Tally";
    std::int32_t count_ = 0;
    std::int16_t ratio_ = 30;
    std::int32_t runValue_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::map<std::int64_t, std::u16string> cells_;
    std::shared_ptr<FontObject> font_;
    HostSite* site_ = nullptr;
    EventSinkList sinks_;
    TypeInfo events_;
    bool dirty_ = false;
};

class TallyFactory : public ClassFactory {
public:
    Status createInstance(std::shared_ptr<Dispatch>& object) override {
        object = std::make_shared<Tally>();
        return status::Ok;
    }
};

TallyFactory g_factory;

} // namespace

extern "C" {

Status DllRegisterServer() {
    const std::string self = libraryPathOf(reinterpret_cast<const void*>(&DllRegisterServer));
    ComponentRegistry reg;
    TypeLibRegistration lib;
    lib.libId = *Guid::parse(tally::kLibId);
    lib.major = 1;
    lib.minor = 0;
    lib.helpString = "Tally test library";
    lib.path = self;
    if (failed(reg.registerTypeLib(lib)))
        return status::SelfRegTypeLib;
    ClassRegistration cls;
    cls.clsid = *Guid::parse(tally::kClsid);
    cls.typeName = "Tally test component";
    cls.progId = tally::kProgId;
    cls.libraryPath = self;
    cls.typeLibId = lib.libId;
    cls.version = "1.0";
    cls.insertable = true;
    cls.miscStatus = 0x00020191;
    if (failed(reg.registerClass(cls)))
        return status::SelfRegClass;
    return status::Ok;
}

Status DllUnregisterServer() {
    ComponentRegistry reg;
    if (failed(reg.unregisterTypeLib(*Guid::parse(tally::kLibId), 1, 0, 0)))
        return status::SelfRegTypeLib;
    if (failed(reg.unregisterClass(*Guid::parse(tally::kClsid))))
        return status::SelfRegClass;
    return status::Ok;
}

Status DllGetClassObject(const Guid* clsid, ClassFactory** factory) {
    if (!clsid || !factory)
        return status::Pointer;
    *factory = nullptr;
    if (*clsid != *Guid::parse(tally::kClsid))
        return status::ClassNotAvailable;
    *factory = &g_factory;
    return status::Ok;
}

Status DllCanUnloadNow() {
    return g_live.count() == 0 && g_factory.lockCount() == 0 ? status::Ok : status::False;
}
}
