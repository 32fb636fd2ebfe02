// Type information look-ups and the convenience calls by member name.
#include "platform/automation/Dispatch.h"

#include "platform/automation/Texts.h"
#include "platform/automation/Unicode.h"
#include "platform/text/Ascii.h"

namespace plat::automation {

bool sameMemberName(std::u16string_view a, std::u16string_view b) {
    return plat::text::equalsNoCase(a, b);
}

MemberInfo memberInfo(DispId id, std::u16string name, MemberKind kind, VarType type,
                      std::vector<ParamInfo> params, bool readOnly, std::u16string typeName) {
    MemberInfo m;
    m.id = id;
    m.name = std::move(name);
    m.kind = kind;
    m.type = type;
    m.params = std::move(params);
    m.readOnly = readOnly;
    m.typeName = std::move(typeName);
    return m;
}

ParamInfo paramInfo(std::u16string name, VarType type, bool optional) {
    ParamInfo p;
    p.name = std::move(name);
    p.type = type;
    p.optional = optional;
    return p;
}

const EnumConstant* EnumInfo::find(std::int32_t value) const {
    for (const auto& c : constants)
        if (c.value == value)
            return &c;
    return nullptr;
}

const MemberInfo* TypeInfo::findMember(DispId id) const {
    for (const auto& m : members)
        if (m.id == id)
            return &m;
    return nullptr;
}

const MemberInfo* TypeInfo::findMember(std::u16string_view n) const {
    for (const auto& m : members)
        if (sameMemberName(m.name, n))
            return &m;
    return nullptr;
}

const EnumInfo* TypeInfo::findEnum(std::u16string_view n) const {
    for (const auto& e : enums)
        if (sameMemberName(e.name, n))
            return &e;
    return nullptr;
}

Variant invokeChecked(Dispatch& obj, DispId id, InvokeKind kind, std::span<Variant> args) {
    Variant result;
    AutomationError error;
    const Status s = obj.invoke(id, kind, args, result, error);
    if (failed(s)) {
        if (!error.isError())
            error.status = s;
        if (error.description.empty()) {
            switch (s) {
            case status::MemberNotFound:
                error.description = toUtf16(texts::kMemberNotFound);
                break;
            case status::BadParamCount:
                error.description = toUtf16(texts::kBadParamCount);
                break;
            case status::ParamNotOptional:
                error.description = toUtf16(texts::kParamNotOptional);
                break;
            case status::TypeMismatch:
                error.description = toUtf16(texts::kTypeMismatch);
                break;
            case status::Overflow:
                error.description = toUtf16(texts::kOverflow);
                break;
            default:
                break;
            }
        }
        raise(error);
    }
    return result;
}

Variant invokeByName(Dispatch& obj, std::u16string_view name, InvokeKind kind,
                     std::vector<Variant> args) {
    const DispId id = obj.memberId(name);
    if (id == dispid::Unknown)
        raise(AutomationError(status::UnknownName,
                              toUtf16(texts::kUnknownName) + u" (" + std::u16string(name) + u")"));
    return invokeChecked(obj, id, kind, args);
}

Variant getProperty(Dispatch& obj, std::u16string_view name, std::vector<Variant> args) {
    return invokeByName(obj, name, InvokeKind::PropertyGet, std::move(args));
}

void putProperty(Dispatch& obj, std::u16string_view name, Variant value,
                 std::vector<Variant> indexArgs) {
    indexArgs.push_back(std::move(value));
    invokeByName(obj, name, InvokeKind::PropertyPut, std::move(indexArgs));
}

Variant callMethod(Dispatch& obj, std::u16string_view name, std::vector<Variant> args) {
    return invokeByName(obj, name, InvokeKind::Method, std::move(args));
}

} // namespace plat::automation
