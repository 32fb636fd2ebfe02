// The drag-and-drop data object's members.
#include "control/core/DataObject.h"

#include "control/core/ValueConversion.h"
#include "platform/text/Cp932.h"

namespace vantil {

namespace cp932 = plat::text::cp932;
using namespace plat::automation;

namespace {

MemberInfo member(DispId id, std::u16string name, plat::automation::MemberKind kind, VarType type,
                  std::vector<ParamInfo> params = {}) {
    MemberInfo m;
    m.id = id;
    m.name = std::move(name);
    m.kind = kind;
    m.type = type;
    m.params = std::move(params);
    return m;
}

ParamInfo param(std::u16string name, VarType type, bool optional) {
    ParamInfo p;
    p.name = std::move(name);
    p.type = type;
    p.optional = optional;
    return p;
}

bool given(const Variant& v) {
    return !v.isMissing() && !v.isEmpty() && !v.isNull();
}

// A format argument: only plain text is known; omitted means plain text.
bool isTextFormat(const Variant& v) {
    return !given(v) || toInt(v) == DataObject::kTextFormat;
}

} // namespace

DataObject::DataObject() : DispatchObject(u"DataObject") {
    const auto M = plat::automation::MemberKind::Method;
    addMethod(member(1, u"GetData", M, VarType::Variant, {param(u"Format", VarType::Short, true)}),
              [this](std::span<Variant> args) {
                  if (!isTextFormat(args[0]) || !hasText_) {
                      invalidValue();
                  }
                  return Variant(cp932::toUtf16(text_));
              });
    addMethod(member(2, u"GetFormat", M, VarType::Bool, {param(u"Format", VarType::Short, false)}),
              [this](std::span<Variant> args) {
                  return Variant(hasText_ && toInt(args[0]) == kTextFormat);
              });
    addMethod(
        member(3, u"SetData", M, VarType::Void,
               {param(u"Data", VarType::Variant, true), param(u"Format", VarType::Short, true)}),
        [this](std::span<Variant> args) {
            if (!isTextFormat(args[1])) {
                invalidValue();
            }
            setText(given(args[0]) ? toText(args[0]) : std::string());
            return Variant();
        });
    addMethod(member(4, u"Clear", M, VarType::Void), [this](std::span<Variant>) {
        clear();
        return Variant();
    });
    addProperty(
        member(5, u"AllowedEffects", plat::automation::MemberKind::Property, VarType::Long),
        [this](std::span<Variant>) { return Variant(allowedEffects_); },
        [this](std::span<Variant>, const Variant& v) { allowedEffects_ = toInt(v); });
}

void DataObject::setText(std::string cp932Text) {
    text_ = std::move(cp932Text);
    hasText_ = true;
}

void DataObject::clear() {
    text_.clear();
    hasText_ = false;
}

} // namespace vantil
