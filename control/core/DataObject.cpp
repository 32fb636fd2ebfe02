// The drag-and-drop data object's members.
#include "control/core/DataObject.h"

#include "control/core/ValueConversion.h"
#include "platform/text/Cp932.h"

namespace vantil {

namespace cp932 = plat::text::cp932;
using namespace plat::automation;

namespace {

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
    addMethod(memberInfo(1, u"GetData", M, VarType::Variant,
                         {paramInfo(u"Format", VarType::Short, true)}),
              [this](std::span<Variant> args) {
                  if (!isTextFormat(args[0]) || !hasText_) {
                      invalidValue();
                  }
                  return Variant(cp932::toUtf16(text_));
              });
    addMethod(memberInfo(2, u"GetFormat", M, VarType::Bool,
                         {paramInfo(u"Format", VarType::Short, false)}),
              [this](std::span<Variant> args) {
                  return Variant(hasText_ && toInt(args[0]) == kTextFormat);
              });
    addMethod(memberInfo(3, u"SetData", M, VarType::Void,
                         {paramInfo(u"Data", VarType::Variant, true),
                          paramInfo(u"Format", VarType::Short, true)}),
              [this](std::span<Variant> args) {
                  if (!isTextFormat(args[1])) {
                      invalidValue();
                  }
                  setText(given(args[0]) ? toText(args[0]) : std::string());
                  return Variant();
              });
    addMethod(memberInfo(4, u"Clear", M, VarType::Void), [this](std::span<Variant>) {
        clear();
        return Variant();
    });
    addProperty(
        memberInfo(5, u"AllowedEffects", plat::automation::MemberKind::Property, VarType::Long),
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
