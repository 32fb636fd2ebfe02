// Table-driven dispatch: members registered as functions, checked and called by identifier.
#include "platform/automation/DispatchObject.h"

#include "platform/automation/Texts.h"
#include "platform/automation/Unicode.h"

#include <vector>

namespace plat::automation {

DispatchObject::DispatchObject(std::u16string interfaceName) {
    typeInfo_.name = std::move(interfaceName);
}

void DispatchObject::addProperty(MemberInfo info, Getter get, Setter set) {
    info.kind = MemberKind::Property;
    info.readOnly = info.readOnly || !set;
    names_[foldAsciiLower(info.name)] = info.id;
    entries_[info.id] = Entry{std::move(get), std::move(set), {}, typeInfo_.members.size()};
    typeInfo_.members.push_back(std::move(info));
}

void DispatchObject::addMethod(MemberInfo info, Method fn) {
    info.kind = MemberKind::Method;
    names_[foldAsciiLower(info.name)] = info.id;
    entries_[info.id] = Entry{{}, {}, std::move(fn), typeInfo_.members.size()};
    typeInfo_.members.push_back(std::move(info));
}

void DispatchObject::addAlias(std::u16string name, DispId id) {
    names_[foldAsciiLower(name)] = id;
}

DispId DispatchObject::memberId(std::u16string_view name) const {
    const auto it = names_.find(foldAsciiLower(name));
    return it == names_.end() ? dispid::Unknown : it->second;
}

Status DispatchObject::invoke(DispId id, InvokeKind kind, std::span<Variant> args, Variant& result,
                              AutomationError& error) {
    const auto it = entries_.find(id);
    if (it == entries_.end()) {
        error = AutomationError::memberNotFound();
        return status::MemberNotFound;
    }
    const Entry& e = it->second;
    const MemberInfo* info = &typeInfo_.members[e.member];
    const bool isPut = kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef;
    if (isPut && args.empty()) {
        error = AutomationError(status::BadParamCount, texts::kBadParamCount);
        return status::BadParamCount;
    }
    const std::span<Variant> given = isPut ? args.first(args.size() - 1) : args;
    std::size_t required = 0;
    for (const auto& p : info->params)
        if (!p.optional)
            ++required;
    if (given.size() < required || given.size() > info->params.size()) {
        error = AutomationError(status::BadParamCount, texts::kBadParamCount);
        return status::BadParamCount;
    }
    for (std::size_t i = 0; i < given.size() && i < info->params.size(); ++i) {
        if (given[i].isMissing() && !info->params[i].optional) {
            error = AutomationError(status::ParamNotOptional, texts::kParamNotOptional);
            return status::ParamNotOptional;
        }
    }
    std::vector<Variant> full(given.begin(), given.end());
    while (full.size() < info->params.size())
        full.push_back(Variant::missing());

    result = Variant();
    return guardedInvoke(error, [&] {
        if (info->kind == MemberKind::Method) {
            // A method that returns a value may also be read like a property.
            if (isPut)
                raise(AutomationError::setNotSupported());
            result = e.call(full);
        } else if (isPut) {
            if (!e.set)
                raise(AutomationError::setNotSupported());
            e.set(full, args.back().deref());
        } else {
            if (!e.get)
                raise(AutomationError::getNotSupported());
            result = e.get(full);
        }
    });
}

} // namespace plat::automation
