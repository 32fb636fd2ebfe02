// The automation value: empty, null, error, boolean, 16/32-bit integers, single, double,
// currency, date, UTF-16 string, object reference, and by-reference values for event
// arguments, with the classic conversion rules between them.
#pragma once

#include "platform/automation/AutomationError.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace plat::automation {

class Dispatch;

// Type tags, numbered as in type libraries so stored values stay readable.
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    Short = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Bool = 11,
    Variant = 12, // "any value" in type information; never the type of a value
    Void = 24,    // "no result" in type information
};

// 64-bit fixed point with four decimals: 1.5 is stored as 15000.
struct Currency {
    std::int64_t scaled = 0;
    static constexpr std::int64_t kScale = 10000;

    static constexpr Currency fromUnits(std::int64_t units) { return Currency{units * kScale}; }
    double toDouble() const { return static_cast<double>(scaled) / kScale; }
    friend bool operator==(Currency, Currency) = default;
    friend auto operator<=>(Currency, Currency) = default;
};

// Serial date: days since 1899-12-30, the time as the fraction of a day.
struct Date {
    double serial = 0.0;
    friend bool operator==(Date, Date) = default;
    friend auto operator<=>(Date, Date) = default;
};

class Variant {
public:
    Variant() = default; // Empty
    Variant(bool b) : value_(b) {}
    Variant(std::int16_t s) : value_(s) {}
    Variant(std::int32_t l) : value_(l) {}
    Variant(float f) : value_(f) {}
    Variant(double d) : value_(d) {}
    Variant(Currency c) : value_(c) {}
    Variant(Date d) : value_(d) {}
    Variant(std::u16string s) : value_(std::move(s)) {}
    Variant(std::u16string_view s) : value_(std::u16string(s)) {}
    Variant(const char16_t* s) : value_(std::u16string(s)) {}
    Variant(std::shared_ptr<Dispatch> obj) : value_(ObjectRef{std::move(obj)}) {}
    // Any object type derived from Dispatch (a font, a list item ...).
    template <class T>
    requires(std::is_base_of_v<Dispatch, T> && !std::is_same_v<T, Dispatch>)
        Variant(std::shared_ptr<T> obj)
        : value_(ObjectRef{std::shared_ptr<Dispatch>(std::move(obj))}) {}
    // Narrow text would silently become a boolean; use fromUtf8.
    Variant(const char*) = delete;

    static Variant null();
    static Variant error(Status code);
    // The value of an omitted optional argument: an error value with ParamNotFound.
    static Variant missing();
    // A string given in UTF-8.
    static Variant fromUtf8(std::string_view s);
    // A by-reference value: reads and writes go to `target`, which must outlive this value.
    // Used for event arguments the handler may change (KeyCode, Cancel ...).
    static Variant ref(Variant& target);

    // The type of the value (of the referenced value for a by-reference variant).
    VarType type() const;
    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    bool isMissing() const;
    bool isByRef() const { return std::holds_alternative<Ref>(value_); }

    // The value itself, following a by-reference variant.
    const Variant& deref() const;
    Variant& deref();

    // Writes `v` to where this variant refers (itself when not by reference). A by-reference
    // target that holds a typed value keeps its type: `v` is converted to it (errors 6/13).
    void assign(const Variant& v);

    // Direct access, no conversion; precondition: type() matches.
    bool asBool() const;
    std::int16_t asShort() const;
    std::int32_t asLong() const;
    float asSingle() const;
    double asDouble() const;
    Currency asCurrency() const;
    Date asDate() const;
    const std::u16string& asString() const;
    const std::shared_ptr<Dispatch>& asObject() const;
    Status asError() const;

    // Conversions by the classic rules; they throw AutomationException with error 6
    // (overflow), 13 (type mismatch) or 94 (invalid use of Null).
    // - Numbers to integers round half to even (2.5 -> 2, 3.5 -> 4, 2.7 -> 3).
    // - Booleans are -1 / 0 as numbers, "True" / "False" as text.
    // - Strings to numbers: leading and trailing blanks allowed, "&H" hexadecimal and "&O"
    //   octal (a value up to &HFFFF is a 16-bit value, so "&HFFFF" is -1; larger values are
    //   32-bit), "True" / "False".
    // - Empty is 0, "" or False; an object converts through its default member.
    bool toBool() const;
    std::int16_t toShort() const;
    std::int32_t toLong() const;
    float toSingle() const;
    double toDouble() const;
    Currency toCurrency() const;
    Date toDate() const;
    std::u16string toString() const;
    std::string toUtf8() const;
    // Converted to the given type; a Variant target returns the value unchanged, Empty and
    // Null targets give those values.
    Variant convertedTo(VarType t) const;
    // Non-throwing form: status::Ok or the conversion's error.
    Status tryConvert(VarType t, Variant& out, AutomationError* error = nullptr) const noexcept;

    // Same type and same value (by-reference variants compare their targets; objects by
    // identity).
    friend bool operator==(const Variant& a, const Variant& b);

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) = default;
    };
    struct ErrorCode {
        Status code;
        friend bool operator==(ErrorCode, ErrorCode) = default;
    };
    struct ObjectRef {
        std::shared_ptr<Dispatch> ptr;
        friend bool operator==(const ObjectRef&, const ObjectRef&) = default;
    };
    struct Ref {
        Variant* target;
        friend bool operator==(Ref, Ref) = default;
    };
    using Storage =
        std::variant<std::monostate, NullTag, ErrorCode, bool, std::int16_t, std::int32_t, float,
                     double, Currency, Date, std::u16string, ObjectRef, Ref>;
    Storage value_;
};

// Text of a type for messages and type listings ("Integer", "Long", "String" ...).
std::string_view typeName(VarType t);

} // namespace plat::automation
