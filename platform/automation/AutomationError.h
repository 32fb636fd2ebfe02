// Automation errors: a status code and a description raised by a member and reported to the
// caller, plus the status codes the dispatch interface, class factories and libraries return.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace plat::automation {

using Status = std::int32_t;

// Status codes of the component contract (the classic 32-bit result codes).
namespace status {
constexpr Status Ok = 0;
constexpr Status False = 1;
constexpr Status NotImplemented = static_cast<Status>(0x80004001);
constexpr Status NoInterface = static_cast<Status>(0x80004002);
constexpr Status Pointer = static_cast<Status>(0x80004003);
constexpr Status Fail = static_cast<Status>(0x80004005);
constexpr Status OutOfMemory = static_cast<Status>(0x8007000E);
constexpr Status InvalidArg = static_cast<Status>(0x80070057);
// Dispatch
constexpr Status UnknownInterface = static_cast<Status>(0x80020001);
constexpr Status MemberNotFound = static_cast<Status>(0x80020003);
constexpr Status ParamNotFound = static_cast<Status>(0x80020004);
constexpr Status TypeMismatch = static_cast<Status>(0x80020005);
constexpr Status UnknownName = static_cast<Status>(0x80020006);
constexpr Status NoNamedArgs = static_cast<Status>(0x80020007);
constexpr Status BadVarType = static_cast<Status>(0x80020008);
constexpr Status Exception = static_cast<Status>(0x80020009);
constexpr Status Overflow = static_cast<Status>(0x8002000A);
constexpr Status BadIndex = static_cast<Status>(0x8002000B);
constexpr Status BadParamCount = static_cast<Status>(0x8002000E);
constexpr Status ParamNotOptional = static_cast<Status>(0x8002000F);
// Class factories and the component registry
constexpr Status NoAggregation = static_cast<Status>(0x80040110);
constexpr Status ClassNotAvailable = static_cast<Status>(0x80040111);
constexpr Status ClassNotRegistered = static_cast<Status>(0x80040154);
constexpr Status InvalidProgId = static_cast<Status>(0x800401F3);
constexpr Status DllNotFound = static_cast<Status>(0x80040155);
// Results of DllRegisterServer / DllUnregisterServer
constexpr Status SelfRegTypeLib = static_cast<Status>(0x80040200);
constexpr Status SelfRegClass = static_cast<Status>(0x80040201);
} // namespace status

inline constexpr bool succeeded(Status s) {
    return s >= 0;
}
inline constexpr bool failed(Status s) {
    return s < 0;
}

// Classic error numbers of controls and conversions travel as 0x800A0000 | number.
inline constexpr Status statusFromErrorNumber(int number) {
    return static_cast<Status>(0x800A0000u | (static_cast<std::uint32_t>(number) & 0xFFFFu));
}
// The error number of a status: the low word for 0x800A.... codes, the classic equivalents for
// the conversion statuses (overflow 6, type mismatch 13), otherwise 0.
int errorNumberOf(Status s);

// Error numbers used by the control and the conversions.
namespace errnum {
constexpr int InvalidProcedureCall = 5;
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int InvalidUseOfNull = 94;
constexpr int ArgumentNotConvertible = 93;
constexpr int InvalidPropertyValue = 380;
constexpr int InvalidIndex = 381;
constexpr int SetNotSupportedAtRuntime = 382;
constexpr int SetNotSupported = 383; // also "read-only"
constexpr int GetNotSupportedAtRuntime = 393;
constexpr int GetNotSupported = 394;
} // namespace errnum

// An error as the caller sees it: status code, description (UTF-16, as given by the member), and
// optionally the source object's name. A default-constructed error means "no error".
struct AutomationError {
    Status status = status::Ok;
    std::u16string description;
    std::u16string source;

    AutomationError() = default;
    AutomationError(Status s, std::u16string desc, std::u16string src = {})
        : status(s), description(std::move(desc)), source(std::move(src)) {}
    // Description given in UTF-8 (the control keeps its texts as UTF-8 constants).
    AutomationError(Status s, std::string_view utf8Desc);

    // An error numbered the classic way (380 ...): status 0x800A0000 | number.
    static AutomationError fromNumber(int number, std::u16string desc);
    static AutomationError fromNumber(int number, std::string_view utf8Desc);
    // The standard errors with their own descriptions (see Texts.h).
    static AutomationError overflow();
    static AutomationError typeMismatch();
    static AutomationError invalidUseOfNull();
    static AutomationError getNotSupported();
    static AutomationError setNotSupported();
    static AutomationError memberNotFound();

    bool isError() const { return failed(status); }
    int number() const { return errorNumberOf(status); }
    std::string descriptionUtf8() const;
};

// Thrown inside members and conversions; dispatch implementations catch it and report it
// through invoke()'s error argument, so no exception crosses the component boundary.
class AutomationException : public std::exception {
public:
    explicit AutomationException(AutomationError e);
    const AutomationError& error() const noexcept { return error_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    AutomationError error_;
    std::string what_;
};

[[noreturn]] void raise(AutomationError e);
[[noreturn]] void raise(int number, std::string_view utf8Desc);

} // namespace plat::automation
