// Creation, siting, activation, late-bound calls and event delivery of a hosted control.
#include "platform/host/HostedControl.h"

#include "platform/automation/ControlObject.h"
#include "platform/host/ControlSite.h"
#include "platform/host/Texts.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QResizeEvent>

#include <cmath>

using namespace plat::automation;

namespace plat::host {

namespace {

constexpr double kHimetricPerInch = 2540.0;

int pixelsOf(std::int32_t himetric, int dpi) {
    return static_cast<int>(std::lround(himetric * dpi / kHimetricPerInch));
}

std::int32_t himetricOf(int pixels, int dpi) {
    return static_cast<std::int32_t>(std::lround(pixels * kHimetricPerInch / dpi));
}

std::u16string wide(const QString& s) {
    return s.toStdU16String();
}

QString qtText(const Variant& v) {
    return QString::fromStdU16String(v.toString());
}

bool sameItem(const PropertyBag& a, const PropertyBag& b, std::u16string_view name) {
    if (const auto v = a.read(name)) {
        const auto w = b.read(name);
        return w && *w == *v;
    }
    if (const auto v = a.readBag(name)) {
        const auto w = b.readBag(name);
        return w && *w == *v;
    }
    const auto v = a.readBytes(name);
    const auto w = b.readBytes(name);
    return v && w && *v == *w;
}

void copyItem(const PropertyBag& from, PropertyBag& to, std::u16string_view name) {
    if (const auto v = from.read(name))
        to.write(name, *v);
    else if (const auto bag = from.readBag(name))
        to.writeBag(name, *bag);
    else if (const auto bytes = from.readBytes(name))
        to.writeBytes(name, *bytes);
}

// The event argument at `i` converted to `type`; `fallback` when it is absent or does not
// convert (an event never throws back into the control that raised it).
Variant argumentAs(std::span<Variant> args, std::size_t i, VarType type, Variant fallback) {
    Variant out;
    if (i < args.size() && succeeded(args[i].deref().tryConvert(type, out)))
        return out;
    return fallback;
}

} // namespace

HostedControl::HostedControl(QWidget* parent, const QString& name)
    : QWidget(parent), site_(std::make_unique<ControlSite>(*this)) {
    setObjectName(name);
    setFocusPolicy(Qt::NoFocus);
}

HostedControl::~HostedControl() {
    release();
}

bool HostedControl::create(const Guid& clsid, const PropertyBag* bag, AutomationError* error,
                           const ComponentRegistry& registry) {
    release();
    AutomationError local;
    AutomationError& err = error ? *error : local;
    err = AutomationError();
    std::shared_ptr<Dispatch> object;
    if (failed(createInstance(clsid, object, &err, registry)))
        return false;
    ControlObject* embedding = object->controlObject();
    if (embedding == nullptr) {
        err = AutomationError(status::NoInterface, std::string_view(texts::kNotAControl));
        return false;
    }
    control_ = std::move(object);
    clsid_ = clsid;
    registryPath_ = registry.path();
    // The site comes first: the control takes its defaults from the ambient properties.
    embedding->setClientSite(site_.get());
    const Status loaded = bag ? embedding->load(*bag, &err) : embedding->initNew();
    if (failed(loaded)) {
        if (!err.isError())
            err = AutomationError(loaded, std::string_view(texts::kPropertiesRefused));
        release();
        return false;
    }
    if (!testAttribute(Qt::WA_Resized)) {
        std::int32_t w = 0;
        std::int32_t h = 0;
        embedding->extent(w, h);
        resize(pixelsOf(w, logicalDpiX()), pixelsOf(h, logicalDpiY()));
    }
    connectEvents();
    const QList<QWidget*> before = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    const Status active = embedding->activateInPlace(0, 0, width(), height());
    // A control without a window of its own (one that is invisible at run time) stays usable
    // through its dispatch interface.
    if (failed(active) && active != status::NotImplemented) {
        err = AutomationError(active, std::string_view(texts::kNoWindow));
        release();
        return false;
    }
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!before.contains(child))
            window_ = child;
    }
    if (window_) {
        window_->setGeometry(rect());
        // Focus given to this widget, and its place in the form's tab order, are the control
        // window's.
        setFocusPolicy(window_->focusPolicy());
        setFocusProxy(window_);
        window_->installEventFilter(this);
    }
    syncExtent();
    modified_ = false;
    return true;
}

bool HostedControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || event->type() != QEvent::KeyPress || !userMode_)
        return false;
    // The control keeps Return to itself (it never raises KeyDown for it).
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    // The control handles Return first. Return that closes an open list is the list's (the
    // form hears CloseUp); otherwise the form hears it as a key down after the control.
    bool listOpen = false;
    QMetaObject::invokeMethod(window_, "droppedState", Qt::DirectConnection,
                              Q_RETURN_ARG(bool, listOpen));
    const QPointer<HostedControl> alive(this);
    const QPointer<QWidget> window(window_);
    static_cast<QObject*>(window_.data())->event(event);
    if (!alive || !window || listOpen)
        return true;
    short keyCode = 13;
    short shift = 0;
    if (key->modifiers().testFlag(Qt::ShiftModifier))
        shift |= 1;
    if (key->modifiers().testFlag(Qt::ControlModifier))
        shift |= 2;
    if (key->modifiers().testFlag(Qt::AltModifier))
        shift |= 4;
    emit keyDown(keyCode, shift);
    return true;
}

void HostedControl::connectEvents() {
    EventSource* source = control_->eventSource();
    if (source == nullptr)
        return;
    static const std::pair<std::u16string_view, Event> kHandled[] = {
        {u"ChangeText", Event::ChangeText}, {u"Click", Event::Click},
        {u"KeyDown", Event::KeyDown},       {u"CloseUp", Event::CloseUp},
        {u"DropDown", Event::DropDown},     {u"FocusMove", Event::FocusMove},
    };
    if (const TypeInfo* info = source->eventTypeInfo()) {
        for (const MemberInfo& m : info->members) {
            EventName e{Event::Other, QString::fromStdU16String(m.name)};
            for (const auto& [name, kind] : kHandled) {
                if (sameMemberName(m.name, name))
                    e.kind = kind;
            }
            events_[m.id] = e;
        }
    }
    source->advise(this);
}

void HostedControl::release() {
    if (!control_)
        return;
    if (EventSource* source = control_->eventSource())
        source->unadvise(this);
    if (ControlObject* embedding = control_->controlObject()) {
        embedding->deactivate();
        embedding->close();
    }
    setFocusProxy(nullptr);
    setFocusPolicy(Qt::NoFocus);
    control_.reset();
    window_ = nullptr;
    events_.clear();
    clsid_ = Guid();
    registryPath_.clear();
}

void HostedControl::setUserMode(bool on) {
    if (on == userMode_)
        return;
    userMode_ = on;
    if (control_ && control_->controlObject())
        control_->controlObject()->ambientPropertyChanged(dispid::AmbientUserMode);
}

// ---- Late-bound calls --------------------------------------------------------------------

Dispatch& HostedControl::checkedControl() const {
    if (!control_)
        plat::automation::raise(91, texts::kNoObject);
    return *control_;
}

Variant HostedControl::get(std::u16string_view name, std::vector<Variant> index) const {
    return getProperty(checkedControl(), name, std::move(index));
}

void HostedControl::put(std::u16string_view name, Variant value, std::vector<Variant> index) {
    applyPendingGeometry();
    putProperty(checkedControl(), name, std::move(value), std::move(index));
}

Variant HostedControl::call(std::u16string_view name, std::vector<Variant> args) {
    applyPendingGeometry();
    return callMethod(checkedControl(), name, std::move(args));
}

QString HostedControl::text() const {
    return qtText(get(u"Text"));
}

void HostedControl::setText(const QString& text) {
    put(u"Text", Variant(wide(text)));
}

int HostedControl::listIndex() const {
    return get(u"ListIndex").toLong();
}

void HostedControl::setListIndex(int index) {
    put(u"ListIndex", Variant(static_cast<std::int32_t>(index)));
}

int HostedControl::listCount() const {
    return get(u"ListCount").toLong();
}

QString HostedControl::itemText(int index) const {
    return qtText(get(u"ItemText", {Variant(static_cast<std::int32_t>(index))}));
}

void HostedControl::clearItems() {
    call(u"ClearItem");
}

int HostedControl::addItem(const QString& text) {
    call(u"AddItem", {Variant::missing(), Variant(wide(text))});
    // AddItem answers a 16-bit index; NewIndex holds the whole one.
    return get(u"NewIndex").toLong();
}

void HostedControl::addSubItem(int row, int subIndex, const QString& text) {
    call(u"AddSubItem", {Variant(static_cast<std::int32_t>(row)),
                         Variant(static_cast<std::int32_t>(subIndex)), Variant(wide(text))});
}

PropertyBag HostedControl::saveProperties(bool clearDirty) {
    PropertyBag bag;
    ControlObject* embedding = checkedControl().controlObject();
    applyPendingGeometry();
    if (failed(embedding->save(bag, clearDirty)))
        plat::automation::raise(
            AutomationError(status::Fail, std::string_view(texts::kPropertiesNotSaved)));
    if (clearDirty)
        modified_ = false;
    return bag;
}

PropertyBag HostedControl::saveDesignedProperties() {
    const PropertyBag current = saveProperties(false);
    HostedControl fresh(nullptr, objectName());
    fresh.setFont(font());
    fresh.setPalette(palette());
    fresh.setUserMode(userMode_);
    AutomationError error;
    if (!fresh.create(clsid_, nullptr, &error, ComponentRegistry(registryPath_)))
        plat::automation::raise(error);
    const PropertyBag defaults = fresh.saveProperties(false);
    PropertyBag designed;
    for (const std::u16string& name : current.names()) {
        if (!sameItem(current, defaults, name))
            copyItem(current, designed, name);
    }
    return designed;
}

// ---- Geometry and ambient changes -------------------------------------------------------

QSize HostedControl::sizeHint() const {
    if (!control_ || !control_->controlObject())
        return QWidget::sizeHint();
    std::int32_t w = 0;
    std::int32_t h = 0;
    control_->controlObject()->extent(w, h);
    return {pixelsOf(w, logicalDpiX()), pixelsOf(h, logicalDpiY())};
}

void HostedControl::syncExtent() {
    ControlObject* embedding = control_ ? control_->controlObject() : nullptr;
    if (embedding == nullptr)
        return;
    std::int32_t w = 0;
    std::int32_t h = 0;
    embedding->extent(w, h);
    // The stored extent changes only when the size in pixels really differs, so rounding
    // between the two units never marks a loaded control modified.
    if (pixelsOf(w, logicalDpiX()) != width() || pixelsOf(h, logicalDpiY()) != height())
        embedding->setExtent(himetricOf(width(), logicalDpiX()),
                             himetricOf(height(), logicalDpiY()));
}

void HostedControl::applyPendingGeometry() {
    if (window_ && window_->geometry() != rect())
        window_->setGeometry(rect());
    syncExtent();
}

void HostedControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyPendingGeometry();
}

void HostedControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    ControlObject* embedding = control_ ? control_->controlObject() : nullptr;
    if (embedding == nullptr)
        return;
    if (event->type() == QEvent::FontChange)
        embedding->ambientPropertyChanged(dispid::AmbientFont);
    else if (event->type() == QEvent::PaletteChange)
        embedding->ambientPropertyChanged(dispid::Unknown);
}

// ---- Site notifications and events ------------------------------------------------------

bool HostedControl::siteRequestsResize(int widthPx, int heightPx) {
    resize(widthPx, heightPx);
    applyPendingGeometry();
    updateGeometry();
    emit resizeRequested(widthPx, heightPx);
    return true;
}

void HostedControl::siteChanged(DispId id) {
    emit propertyChanged(id);
}

void HostedControl::onEvent(DispId id, std::span<Variant> args) {
    const auto it = events_.find(id);
    const Event kind = it == events_.end() ? Event::Other : it->second.kind;
    // A handler may close the form and so delete this widget.
    const QPointer<HostedControl> alive(this);
    emit eventRaised(it == events_.end() ? QString::number(id) : it->second.name);
    if (!alive)
        return;
    switch (kind) {
    case Event::ChangeText:
        emit changeText();
        break;
    case Event::Click:
        emit click();
        break;
    case Event::CloseUp:
        emit closeUp();
        break;
    case Event::DropDown:
        emit dropDown();
        break;
    case Event::KeyDown: {
        short key = argumentAs(args, 0, VarType::Short, Variant(std::int16_t{0})).asShort();
        const short shift = argumentAs(args, 1, VarType::Short, Variant(std::int16_t{0})).asShort();
        emit keyDown(key, shift);
        if (!args.empty())
            args[0].assign(Variant(static_cast<std::int16_t>(key)));
        break;
    }
    case Event::FocusMove: {
        bool cancel = argumentAs(args, 0, VarType::Bool, Variant(false)).asBool();
        emit focusMove(cancel);
        if (!args.empty())
            args[0].assign(Variant(cancel));
        break;
    }
    case Event::Other:
        break;
    }
}

} // namespace plat::host
