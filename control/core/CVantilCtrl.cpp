// The control object: members from the table, the generic setter rules, the embedding
// contract and persistence. Members with rules of their own are in ControlMembers.cpp.
#include "control/core/CVantilCtrl.h"

#include "control/core/ClassFactory.h"
#include "control/core/ClassIdentity.h"
#include "control/core/ContextMenu.h"
#include "control/core/DragDrop.h"
#include "control/core/EventTable.h"
#include "control/core/Texts.h"
#include "control/core/ValueConversion.h"
#include "platform/text/Cp932.h"

#include <type_traits>

namespace vantil {

namespace cp932 = plat::text::cp932;
using namespace plat::automation;

namespace {

std::u16string wide(std::string_view ascii) {
    return cp932::utf8ToUtf16(ascii);
}

ParamInfo paramInfo(const Param& p) {
    ParamInfo info;
    info.name = wide(p.name);
    info.type = p.type;
    if (const EnumerationInfo* e = enumeration(p.enumeration)) {
        info.typeName = wide(e->name);
    }
    info.optional = p.optional;
    info.byRef = p.out;
    return info;
}

MemberInfo memberInfo(const Member& m) {
    MemberInfo info;
    info.id = m.id;
    info.name = wide(m.typeLibraryName());
    info.kind = m.kind == vantil::MemberKind::Method ? plat::automation::MemberKind::Method
                                                     : plat::automation::MemberKind::Property;
    info.type = m.type;
    if (const EnumerationInfo* e = enumeration(m.enumeration)) {
        info.typeName = wide(e->name);
    } else {
        info.typeName = wide(m.interfaceName);
    }
    for (const Param& p : m.params) {
        info.params.push_back(paramInfo(p));
    }
    info.readOnly = m.has(access::ReadOnly) || m.has(access::NoSetter);
    info.bindable = m.has(access::Bindable);
    info.requestEdit = m.has(access::Bindable);
    return info;
}

} // namespace

// The BorderWidth each BorderStyle sets.
std::int16_t standardBorderWidth(BorderStyleConstants style) {
    using enum BorderStyleConstants;
    switch (style) {
    case lxbs_なし:
        return 0;
    case lxbs_太線:
    case lxbs_深凹:
    case lxbs_二重凹:
    case lxbs_高凸:
    case lxbs_二重凸:
    case lxbs_太凹線:
    case lxbs_太凸線:
        return 2;
    default:
        return 1;
    }
}

CVantilCtrl::CVantilCtrl()
    : DispatchObject(wide(identity::kDispatchInterfaceName)),
      edit_(std::make_unique<EditArea>(*this)), binding_(std::make_unique<DataBinding>(*this)),
      menu_(std::make_unique<ContextMenu>(*this)), dragDrop_(std::make_unique<DragDrop>(*this)) {
    liveObjects().increment();
    defineMembers();
    initNew();
    if (ListEngineFactory factory = listEngineFactory()) {
        ownedList_ = factory(*this);
        list_ = ownedList_.get();
        if (list_) {
            list_->propertiesLoaded();
        }
    }
}

CVantilCtrl::~CVantilCtrl() {
    // A host may keep a font object after the control is gone: its changes no longer reach
    // the control.
    dropFontListeners();
    // The window and its drop-down list go before the list engine they read.
    view_.reset();
    liveObjects().decrement();
}

void CVantilCtrl::defineMembers() {
    for (const Member& m : memberTable()) {
        if (m.kind == vantil::MemberKind::StoreOnly) {
            continue;
        }
        const Member* row = &m;
        if (m.kind == vantil::MemberKind::Method) {
            addMethod(memberInfo(m),
                      [this, row](std::span<Variant> args) { return call(*row, args); });
        } else {
            // A member without a setter answers set-not-supported from the dispatch itself.
            Setter setter;
            if (!m.has(access::NoSetter)) {
                setter = [this, row](std::span<Variant> args, const Variant& v) {
                    put(*row, args, v);
                };
            }
            addProperty(
                memberInfo(m), [this, row](std::span<Variant> args) { return get(*row, args); },
                std::move(setter));
        }
        if (m.typeLibraryName() != m.name) {
            addAlias(wide(m.name), m.id);
        }
    }
    for (const EnumerationInfo& e : enumerations()) {
        EnumInfo info;
        info.name = wide(e.name);
        for (const EnumConstantInfo& c : e.constants) {
            info.constants.push_back(EnumConstant{cp932::utf8ToUtf16(c.name), c.value});
        }
        addEnum(std::move(info));
    }
}

// ---- Host, modes and notifications ---------------------------------------------------

bool CVantilCtrl::designMode() const {
    return site_ != nullptr && !site_->userMode();
}

std::int32_t CVantilCtrl::listCount() const {
    return list_ ? list_->itemCount() : 0;
}

void CVantilCtrl::setModified() {
    dirty_ = true;
    if (site_) {
        site_->setModified();
    }
}

void CVantilCtrl::propertyChanged(DispId id) {
    if (view_) {
        view_->propertyChanged(id);
    }
    notifyHost(id);
}

void CVantilCtrl::notifyHost(DispId id) {
    if (site_) {
        site_->onChanged(id);
    }
    setModified();
}

bool CVantilCtrl::refreshBoundText() {
    if (site_ && !site_->onRequestEdit(dispids::BoundText)) {
        return false;
    }
    props_.boundText = binding_->boundText();
    if (site_) {
        site_->onChanged(dispids::BoundText);
    }
    return true;
}

void CVantilCtrl::clearListRow() {
    // Matching the empty text leaves no row current.
    if (list_) {
        list_->matchText({});
    }
    props_.listIndex = -1;
}

bool CVantilCtrl::fireEvent(DispId id, std::span<Variant> args) {
    const LifeWatch watch(*this);
    sinks_.fire(id, args);
    return watch.survived();
}

void CVantilCtrl::requestContextMenu(int x, int y) {
    menu_->open(x, y);
}

const TypeInfo* CVantilCtrl::eventTypeInfo() const {
    return &vantil::eventTypeInfo();
}

AmbientDefaults CVantilCtrl::ambientDefaults() const {
    AmbientDefaults a;
    if (site_) {
        a.font = site_->ambientFont();
        a.foreColor = site_->ambientForeColor();
        a.backColor = site_->ambientBackColor();
        a.displayName = cp932::fromUtf16(site_->displayName());
    }
    return a;
}

void CVantilCtrl::setClientSite(HostSite* site) {
    site_ = site;
}

void CVantilCtrl::ambientPropertyChanged(DispId id) {
    if (view_) {
        view_->propertyChanged(id);
    }
}

void CVantilCtrl::setExtent(std::int32_t width, std::int32_t height) {
    if (width == props_.extentX && height == props_.extentY) {
        return;
    }
    props_.extentX = width;
    props_.extentY = height;
    setModified();
}

void CVantilCtrl::extent(std::int32_t& width, std::int32_t& height) const {
    width = props_.extentX;
    height = props_.extentY;
}

Status CVantilCtrl::activateInPlace(int x, int y, int widthPx, int heightPx) {
    ControlPlatform* platform = controlPlatform();
    if (platform == nullptr) {
        return status::NotImplemented;
    }
    view_ = platform->createView(*this, site_ ? site_->parentWindow() : nullptr, x, y, widthPx,
                                 heightPx);
    return view_ ? status::Ok : status::Fail;
}

void CVantilCtrl::deactivate() {
    view_.reset();
}

void CVantilCtrl::close() {
    view_.reset();
    site_ = nullptr;
    sinks_ = EventSinkList();
}

std::optional<std::string> CVantilCtrl::browserDisplayText(DispId id) {
    const Member* m = findMember(id);
    if (m == nullptr || m->enumeration == EnumId::None || !m->params.empty()) {
        return std::nullopt;
    }
    return browserText(m->enumeration, get(*m, {}).toLong());
}

// ---- Persistence ------------------------------------------------------------------------

void CVantilCtrl::exchange(PropertyExchange& ex) {
    exchangeProperties(ex, props_, ambientDefaults());
}

void CVantilCtrl::dropFontListeners() {
    for (FontObject* font : {font_.get(), captionFont_.get()}) {
        if (font != nullptr) {
            font->setChangeListener({});
        }
    }
}

void CVantilCtrl::syncFontObjects() {
    // Font objects of the properties before the load are not the control's any more.
    dropFontListeners();
    font_ = FontObject::create(props_.font);
    font_->setChangeListener([this](DispId) {
        props_.font = font_->desc();
        propertyChanged(dispids::Font);
    });
    captionFont_ = FontObject::create(props_.captionFont);
    captionFont_->setChangeListener([this](DispId) {
        props_.captionFont = captionFont_->desc();
        propertyChanged(dispids::CaptionFont);
    });
}

void CVantilCtrl::afterLoad() {
    applyAfterLoad(props_);
    syncFontObjects();
    props_.acceleratorChar = props_.captionAccelerator ? acceleratorCharacter(props_.caption) : 0;
    if (props_.acceleratorChar != 0 && site_) {
        site_->onMnemonicsChanged();
    }
    edit_->reset();
    if (list_) {
        list_->propertiesLoaded();
    }
    if (view_) {
        view_->propertiesLoaded();
    }
}

Status CVantilCtrl::initNew() {
    auto resetter = makeResetter();
    exchange(*resetter);
    afterLoad();
    dirty_ = false;
    return status::Ok;
}

Status CVantilCtrl::load(const PropertyBag& bag, AutomationError*) {
    auto loader = makeBagLoader(bag);
    exchange(*loader);
    afterLoad();
    dirty_ = false;
    return status::Ok;
}

Status CVantilCtrl::load(StreamStore& stream, AutomationError* error) {
    auto loader = makeStreamLoader(stream);
    exchangeProperties(*loader, props_, ambientDefaults(), &stream);
    afterLoad();
    dirty_ = false;
    if (stream.failed()) {
        // The part that was read and the defaults for the rest stay loaded; the host hears of
        // the damage as error 321 (the stored data has an invalid format).
        constexpr int kInvalidFileFormat = 321;
        const AutomationError damaged(statusFromErrorNumber(kInvalidFileFormat),
                                      cp932::utf8ToUtf16(texts::kDamagedPropertyData));
        if (error != nullptr) {
            *error = damaged;
        }
        return damaged.status;
    }
    return status::Ok;
}

Status CVantilCtrl::save(PropertyBag& bag, bool clearDirty) {
    auto saver = makeBagSaver(bag);
    exchange(*saver);
    if (clearDirty) {
        dirty_ = false;
    }
    return status::Ok;
}

Status CVantilCtrl::save(StreamStore& stream, bool clearDirty) {
    auto saver = makeStreamSaver(stream);
    exchange(*saver);
    if (clearDirty) {
        dirty_ = false;
    }
    return status::Ok;
}

// ---- Generic reads and writes ----------------------------------------------------------

Variant CVantilCtrl::get(const Member& m, std::span<Variant> args) {
    if (m.has(access::NoGetter) ||
        ((m.has(access::RunTimeOnly) || m.has(access::RunTimeGet)) && designMode())) {
        raise(AutomationError::getNotSupported());
    }
    if (list_ && list_->handles(m.id)) {
        return list_->invoke(m.id, args, nullptr);
    }
    if (m.has(access::ListItem)) {
        invalidIndex(); // an empty list: every index is out of range
    }
    Variant out;
    if (getSpecial(m, args, out)) {
        return out;
    }
    if (std::holds_alternative<std::monostate>(m.field)) {
        notYetAvailable();
    }
    return getStored(m);
}

void CVantilCtrl::put(const Member& m, std::span<Variant> args, const Variant& value) {
    if (m.has(access::NoSetter) || (m.has(access::RunTimeOnly) && designMode())) {
        raise(AutomationError::setNotSupported());
    }
    if (m.has(access::ReadOnly)) {
        raise(errnum::SetNotSupported, texts::kReadOnly);
    }
    if (m.has(access::DesignTimeOnly) && !designMode()) {
        raise(errnum::SetNotSupportedAtRuntime, texts::kReadOnlyAtRunTime);
    }
    if (list_ && list_->handles(m.id)) {
        list_->invoke(m.id, args, &value);
        return;
    }
    if (m.has(access::ListItem)) {
        invalidIndex(); // an empty list: every index is out of range
    }
    if (putSpecial(m, args, value)) {
        return;
    }
    if (std::holds_alternative<std::monostate>(m.field)) {
        notYetAvailable();
    }
    putStored(m, value);
}

Variant CVantilCtrl::getStored(const Member& m) const {
    return std::visit(
        [&](auto field) -> Variant {
            using F = decltype(field);
            if constexpr (std::is_same_v<F, std::monostate>) {
                return Variant();
            } else if constexpr (std::is_same_v<F, Color CP::*>) {
                return Variant(static_cast<std::int32_t>(props_.*field));
            } else if constexpr (std::is_same_v<F, std::string CP::*>) {
                return Variant(cp932::toUtf16(props_.*field));
            } else if constexpr (std::is_same_v<F, FontDesc CP::*>) {
                return Variant(
                    std::shared_ptr<Dispatch>(m.id == dispids::Font ? font_ : captionFont_));
            } else if constexpr (std::is_same_v<F, std::shared_ptr<Picture> CP::*>) {
                return Variant(std::shared_ptr<Dispatch>(props_.*field));
            } else if constexpr (ShortField<F>) {
                return Variant(static_cast<std::int16_t>(props_.*field));
            } else {
                return Variant(props_.*field);
            }
        },
        m.field);
}

void CVantilCtrl::putStored(const Member& m, const Variant& value) {
    const bool design = designMode();
    std::visit(
        [&](auto field) {
            using F = decltype(field);
            if constexpr (ShortField<F> || std::is_same_v<F, std::int32_t CP::*>) {
                std::int32_t v = toInt(value);
                // MousePointer 99 (custom pointer) is accepted at run time and kept as 16.
                if (m.id == dispids::MousePointer && v == kCustomPointerNumber && !design) {
                    v = static_cast<std::int16_t>(kStoredCustomPointer);
                }
                if (!m.inRange(v)) {
                    if (m.has(access::SilentRange)) {
                        return;
                    }
                    invalidValue();
                }
                if (design &&
                    ((m.id == dispids::CaptionRatio && props_.captionSize != 0) ||
                     (m.id == dispids::BorderWidth && BorderStyleConstants{props_.borderStyle} ==
                                                          BorderStyleConstants::lxbs_なし) ||
                     ((m.id == dispids::InnerBorderWidth || m.id == dispids::OuterBorderWidth) &&
                      !hasInnerOuterBorders(BorderStyleConstants{props_.borderStyle})))) {
                    return;
                }
                using T = std::remove_reference_t<decltype(props_.*field)>;
                if (props_.*field == static_cast<T>(v)) {
                    return;
                }
                props_.*field = static_cast<T>(v);
                if (m.id == dispids::BorderStyle) {
                    putBorderStyle(BorderStyleConstants{static_cast<std::int16_t>(v)});
                    return;
                }
            } else if constexpr (std::is_same_v<F, bool CP::*>) {
                const bool v = toBoolean(value);
                if (props_.*field == v) {
                    return;
                }
                props_.*field = v;
            } else if constexpr (std::is_same_v<F, Color CP::*>) {
                const Color v = static_cast<Color>(toInt(value));
                if (props_.*field == v) {
                    return;
                }
                props_.*field = v;
            } else if constexpr (std::is_same_v<F, std::string CP::*>) {
                std::string v = toText(value);
                if (props_.*field == v) {
                    return;
                }
                props_.*field = std::move(v);
            } else if constexpr (std::is_same_v<F, FontDesc CP::*>) {
                putFont(m.id, value);
                return;
            } else if constexpr (std::is_same_v<F, std::shared_ptr<Picture> CP::*>) {
                putMouseIcon(value);
                return;
            } else {
                return;
            }
            if (m.has(access::NoNotify)) {
                return;
            }
            if (m.has(access::ModifyOnly)) {
                setModified();
                return;
            }
            propertyChanged(m.id);
        },
        m.field);
}

void CVantilCtrl::putBorderStyle(BorderStyleConstants style) {
    props_.borderWidth = standardBorderWidth(style);
    props_.innerBorderWidth = 1;
    props_.outerBorderWidth = 1;
    for (DispId id : {dispids::BorderStyle, dispids::BorderWidth, dispids::InnerBorderWidth,
                      dispids::OuterBorderWidth}) {
        propertyChanged(id);
    }
}

void CVantilCtrl::putFont(DispId id, const Variant& value) {
    std::shared_ptr<FontObject> given;
    if (value.type() == VarType::Object) {
        given = std::dynamic_pointer_cast<FontObject>(value.asObject());
    }
    if (!given) {
        invalidValue();
    }
    // The control keeps its own font object; the given one's description is copied into it,
    // which notifies once when anything differs.
    FontObject& own = id == dispids::Font ? *font_ : *captionFont_;
    if (&own != given.get()) {
        own.setDesc(given->desc());
    }
}

void CVantilCtrl::putMouseIcon(const Variant& value) {
    // Nothing, or an empty picture (how hosts clear a picture property), removes the icon.
    std::shared_ptr<Picture> picture;
    if (value.type() == VarType::Object && value.asObject()) {
        picture = std::dynamic_pointer_cast<Picture>(value.asObject());
        if (!picture || (!picture->isEmpty() && !picture->usableAsPointer())) {
            invalidValue();
        }
        if (picture->isEmpty()) {
            picture.reset();
        }
    } else if (!value.isEmpty() && !value.isNull() &&
               !(value.type() == VarType::Object && !value.asObject())) {
        invalidValue();
    }
    if (picture == props_.mouseIcon) {
        return;
    }
    props_.mouseIcon = std::move(picture);
    propertyChanged(dispids::MouseIcon);
}

void CVantilCtrl::notYetAvailable() const {
    raise(errnum::InvalidProcedureCall, texts::kNotAvailable);
}

} // namespace vantil
