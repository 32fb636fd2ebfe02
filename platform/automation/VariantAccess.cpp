// Automation values: construction, the by-reference form and typed access.
#include "platform/automation/Variant.h"

#include "platform/automation/Dispatch.h"
#include "platform/automation/Unicode.h"

namespace plat::automation {

// ---- Construction and access --------------------------------------------------------------

Variant Variant::null() {
    Variant v;
    v.value_ = NullTag{};
    return v;
}

Variant Variant::error(Status code) {
    Variant v;
    v.value_ = ErrorCode{code};
    return v;
}

Variant Variant::missing() {
    return error(status::ParamNotFound);
}

Variant Variant::fromUtf8(std::string_view s) {
    return Variant(toUtf16(s));
}

Variant Variant::ref(Variant& target) {
    Variant v;
    v.value_ = Ref{&target.deref()};
    return v;
}

VarType Variant::type() const {
    const Variant& v = deref();
    switch (v.value_.index()) {
    case 0:
        return VarType::Empty;
    case 1:
        return VarType::Null;
    case 2:
        return VarType::Error;
    case 3:
        return VarType::Bool;
    case 4:
        return VarType::Short;
    case 5:
        return VarType::Long;
    case 6:
        return VarType::Single;
    case 7:
        return VarType::Double;
    case 8:
        return VarType::Currency;
    case 9:
        return VarType::Date;
    case 10:
        return VarType::String;
    case 11:
        return VarType::Object;
    default:
        return VarType::Empty;
    }
}

bool Variant::isMissing() const {
    const Variant& v = deref();
    const auto* e = std::get_if<ErrorCode>(&v.value_);
    return e && e->code == status::ParamNotFound;
}

const Variant& Variant::deref() const {
    if (const auto* r = std::get_if<Ref>(&value_))
        return *r->target;
    return *this;
}

Variant& Variant::deref() {
    if (auto* r = std::get_if<Ref>(&value_))
        return *r->target;
    return *this;
}

void Variant::assign(const Variant& v) {
    Variant& target = deref();
    const Variant& src = v.deref();
    if (isByRef()) {
        const VarType t = target.type();
        if (t != VarType::Empty && t != VarType::Null && t != VarType::Error && t != src.type()) {
            target = src.convertedTo(t);
            return;
        }
    }
    target = src;
}

bool Variant::asBool() const {
    return std::get<bool>(deref().value_);
}
std::int16_t Variant::asShort() const {
    return std::get<std::int16_t>(deref().value_);
}
std::int32_t Variant::asLong() const {
    return std::get<std::int32_t>(deref().value_);
}
float Variant::asSingle() const {
    return std::get<float>(deref().value_);
}
double Variant::asDouble() const {
    return std::get<double>(deref().value_);
}
Currency Variant::asCurrency() const {
    return std::get<Currency>(deref().value_);
}
Date Variant::asDate() const {
    return std::get<Date>(deref().value_);
}
const std::u16string& Variant::asString() const {
    return std::get<std::u16string>(deref().value_);
}
const std::shared_ptr<Dispatch>& Variant::asObject() const {
    return std::get<ObjectRef>(deref().value_).ptr;
}
Status Variant::asError() const {
    return std::get<ErrorCode>(deref().value_).code;
}

bool operator==(const Variant& a, const Variant& b) {
    return a.deref().value_ == b.deref().value_;
}

} // namespace plat::automation
