// Automation errors: numbering, the standard errors and raising them.
#include "platform/automation/AutomationError.h"

#include "platform/automation/Texts.h"
#include "platform/automation/Unicode.h"

namespace plat::automation {

int errorNumberOf(Status s) {
    const auto u = static_cast<std::uint32_t>(s);
    if ((u & 0xFFFF0000u) == 0x800A0000u)
        return static_cast<int>(u & 0xFFFFu);
    switch (s) {
    case status::Overflow:
        return errnum::Overflow;
    case status::TypeMismatch:
        return errnum::TypeMismatch;
    case status::UnknownName:
    case status::MemberNotFound:
        return 438; // object doesn't support this property or method
    case status::BadParamCount:
    case status::ParamNotOptional:
        return 450; // wrong number of arguments
    case status::ClassNotRegistered:
    case status::InvalidProgId:
    case status::ClassNotAvailable:
    case status::DllNotFound:
        return 429; // cannot create object
    default:
        return 0;
    }
}

AutomationError::AutomationError(Status s, std::string_view utf8Desc)
    : status(s), description(toUtf16(utf8Desc)) {}

AutomationError AutomationError::fromNumber(int number, std::u16string desc) {
    return AutomationError(statusFromErrorNumber(number), std::move(desc));
}

AutomationError AutomationError::fromNumber(int number, std::string_view utf8Desc) {
    return AutomationError(statusFromErrorNumber(number), utf8Desc);
}

AutomationError AutomationError::overflow() {
    return fromNumber(errnum::Overflow, texts::kOverflow);
}
AutomationError AutomationError::typeMismatch() {
    return fromNumber(errnum::TypeMismatch, texts::kTypeMismatch);
}
AutomationError AutomationError::invalidUseOfNull() {
    return fromNumber(errnum::InvalidUseOfNull, texts::kInvalidUseOfNull);
}
AutomationError AutomationError::getNotSupported() {
    return fromNumber(errnum::GetNotSupported, texts::kGetNotSupported);
}
AutomationError AutomationError::setNotSupported() {
    return fromNumber(errnum::SetNotSupported, texts::kSetNotSupported);
}
AutomationError AutomationError::memberNotFound() {
    return AutomationError(status::MemberNotFound, texts::kMemberNotFound);
}

std::string AutomationError::descriptionUtf8() const {
    return toUtf8(description);
}

AutomationException::AutomationException(AutomationError e)
    : error_(std::move(e)), what_(toUtf8(error_.description)) {}

void raise(AutomationError e) {
    throw AutomationException(std::move(e));
}

void raise(int number, std::string_view utf8Desc) {
    throw AutomationException(AutomationError::fromNumber(number, utf8Desc));
}

} // namespace plat::automation
