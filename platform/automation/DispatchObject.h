// A dispatch implementation driven by a table of members given as functions: name look-up,
// argument-count checks, omitted optional arguments, type information and the turning of
// thrown automation errors into invoke() results. Font, picture and small objects use it.
#pragma once

#include "platform/automation/Dispatch.h"

#include <functional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace plat::automation {

class DispatchObject : public Dispatch {
public:
    // Index arguments of the property (empty for a plain property); trailing omitted optional
    // arguments are passed as Variant::missing().
    using Getter = std::function<Variant(std::span<Variant> indexArgs)>;
    using Setter = std::function<void(std::span<Variant> indexArgs, const Variant& value)>;
    using Method = std::function<Variant(std::span<Variant> args)>;

    DispId memberId(std::u16string_view name) const override;
    Status invoke(DispId id, InvokeKind kind, std::span<Variant> args, Variant& result,
                  AutomationError& error) override;
    const TypeInfo* typeInfo() const override { return &typeInfo_; }

protected:
    explicit DispatchObject(std::u16string interfaceName);

    // A property; without a setter it is read-only and a put raises error 383. Without a
    // getter a get raises get-not-supported (394). info.readOnly set by the caller is kept
    // (a read-only property whose setter raises its own error).
    void addProperty(MemberInfo info, Getter get, Setter set = {});
    void addMethod(MemberInfo info, Method fn);
    // A second name answering the same identifier (look-up only; not in the type info).
    void addAlias(std::u16string name, DispId id);
    void addEnum(EnumInfo e) { typeInfo_.enums.push_back(std::move(e)); }

private:
    struct Entry {
        Getter get;
        Setter set;
        Method call;
        std::size_t member = 0; // position of the member in typeInfo_.members
    };
    TypeInfo typeInfo_;
    std::unordered_map<DispId, Entry> entries_;
    std::unordered_map<std::u16string, DispId> names_; // keys folded to lower case
};

} // namespace plat::automation
