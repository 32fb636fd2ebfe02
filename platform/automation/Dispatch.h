// The dispatch interface: late-bound access to an object's members by dispatch identifier,
// name look-up (case-insensitive) and type information (members, arguments, enumerations).
#pragma once

#include "platform/automation/AutomationError.h"
#include "platform/automation/Variant.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plat::automation {

using DispId = std::int32_t;

namespace dispid {
constexpr DispId Unknown = -1;
constexpr DispId Value = 0; // the default member
constexpr DispId PropertyPut = -3;
constexpr DispId NewEnum = -4;
// Ambient properties a host site answers (HostSite.h).
constexpr DispId AmbientBackColor = -701;
constexpr DispId AmbientDisplayName = -702;
constexpr DispId AmbientFont = -703;
constexpr DispId AmbientForeColor = -704;
constexpr DispId AmbientUserMode = -709;
} // namespace dispid

enum class InvokeKind : std::uint8_t {
    Method = 1,
    PropertyGet = 2,
    PropertyPut = 4,
    PropertyPutRef = 8,
};

// ---- Type information ------------------------------------------------------------------

struct ParamInfo {
    std::u16string name;
    VarType type = VarType::Variant;
    std::u16string typeName; // enumeration or interface name when the type is one, else empty
    bool optional = false;
    bool byRef = false; // an out argument: the callee writes through a by-reference Variant
};

enum class MemberKind : std::uint8_t { Method, Property };

struct MemberInfo {
    DispId id = dispid::Unknown;
    std::u16string name;
    MemberKind kind = MemberKind::Method;
    VarType type = VarType::Void;  // result of a method, value of a property
    std::u16string typeName;       // enumeration or interface name of the result, if any
    std::vector<ParamInfo> params; // for a property: its index arguments (not the value)
    bool readOnly = false;         // property without a setter
    bool bindable = false;         // a data-bound property: the host hears of every change
    bool requestEdit = false;      // the object asks its host before it changes the property
    std::u16string doc;            // one-line description
};

// A member and a parameter as a type description lists them; the fields not given keep their
// defaults.
MemberInfo memberInfo(DispId id, std::u16string name, MemberKind kind, VarType type,
                      std::vector<ParamInfo> params = {}, bool readOnly = false,
                      std::u16string typeName = {});
ParamInfo paramInfo(std::u16string name, VarType type, bool optional = false);

struct EnumConstant {
    std::u16string name;
    std::int32_t value = 0;
};

struct EnumInfo {
    std::u16string name;
    std::vector<EnumConstant> constants;
    const EnumConstant* find(std::int32_t value) const;
};

// The type description of one interface (a dispatch interface or an event interface) and the
// enumerations its library declares.
struct TypeInfo {
    std::u16string name;
    std::vector<MemberInfo> members;
    std::vector<EnumInfo> enums;

    const MemberInfo* findMember(DispId id) const;
    const MemberInfo* findMember(std::u16string_view name) const; // case-insensitive
    const EnumInfo* findEnum(std::u16string_view name) const;
};

class EventSource;
class ControlObject;
class RowSet;

// ---- The interface ---------------------------------------------------------------------

class Dispatch {
public:
    virtual ~Dispatch() = default;

    // Dispatch identifier of a member name, compared case-insensitively (ASCII letters);
    // dispid::Unknown when there is no such member.
    virtual DispId memberId(std::u16string_view name) const = 0;

    // Calls member `id`.
    // - args are in call order (first argument first). An omitted optional argument is
    //   Variant::missing(). An out argument is a by-reference Variant the callee assigns to.
    // - For PropertyPut/PropertyPutRef the new value is the last element of args, after the
    //   property's index arguments.
    // - On success returns status::Ok and sets `result` (Empty when the member has none).
    // - A member's own failure returns status::Exception and fills `error` (status code such as
    //   0x800A017C and description). Unknown id: MemberNotFound; wrong argument count:
    //   BadParamCount; an argument that does not convert: status::Exception with error 13
    //   (type mismatch) or 6 (overflow) in `error`.
    virtual Status invoke(DispId id, InvokeKind kind, std::span<Variant> args, Variant& result,
                          AutomationError& error) = 0;

    // Type description of the dispatch interface, or nullptr.
    virtual const TypeInfo* typeInfo() const { return nullptr; }

    // Facets an object may offer: events it raises, the embedding contract of a control, and
    // the rows of a data source a bound control fills itself from (RowSet.h).
    virtual EventSource* eventSource() { return nullptr; }
    virtual ControlObject* controlObject() { return nullptr; }
    virtual RowSet* rowSet() { return nullptr; }
};

// Compares two member names the way memberId does.
bool sameMemberName(std::u16string_view a, std::u16string_view b);

// Convenience calls by name or identifier; they throw AutomationException on any failure
// (an unknown name gives status UnknownName with a description naming the member).
Variant invokeByName(Dispatch& obj, std::u16string_view name, InvokeKind kind,
                     std::vector<Variant> args = {});
Variant getProperty(Dispatch& obj, std::u16string_view name, std::vector<Variant> args = {});
void putProperty(Dispatch& obj, std::u16string_view name, Variant value,
                 std::vector<Variant> indexArgs = {});
Variant callMethod(Dispatch& obj, std::u16string_view name, std::vector<Variant> args = {});
Variant invokeChecked(Dispatch& obj, DispId id, InvokeKind kind, std::span<Variant> args);

// Runs `body` and turns an AutomationException into status::Exception plus `error`, so member
// implementations may simply throw. Any other exception becomes status::Fail (with its
// message as the description when it has one).
template <class F> Status guardedInvoke(AutomationError& error, F&& body) noexcept {
    try {
        body();
        return status::Ok;
    } catch (const AutomationException& e) {
        error = e.error();
        return status::Exception;
    } catch (const std::exception& e) {
        error = AutomationError(status::Fail, std::string_view(e.what()));
        return status::Fail;
    } catch (...) {
        error = AutomationError(status::Fail, std::u16string());
        return status::Fail;
    }
}

} // namespace plat::automation
