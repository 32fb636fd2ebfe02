// Error numbers to their Japanese descriptions.
#include "platform/jet/Error.h"

#include "platform/jet/Texts.h"

namespace plat::jet {

namespace {

struct Description {
    int number;
    std::string_view text;
};

constexpr Description kDescriptions[] = {
    {err::NoCurrentRecord, texts::kNoCurrentRecord},
    {err::DuplicateKey, texts::kDuplicateKey},
    {err::UpdateWithoutEdit, texts::kUpdateWithoutEdit},
    {err::FileNotFound, texts::kFileNotFound},
    {err::ReadOnly, texts::kReadOnly},
    {err::RecordDeleted, texts::kRecordDeleted},
    {err::NoTransaction, texts::kNoTransaction},
    {err::DiskError, texts::kDiskError},
    {err::CannotOpen, texts::kCannotOpen},
    {err::SyntaxError, texts::kSyntaxError},
    {err::UnknownColumn, texts::kUnknownColumn},
    {err::TableNotFound, texts::kTableNotFound},
    {err::ObjectExists, texts::kObjectExists},
    {err::DatabaseExists, texts::kDatabaseExists},
    {err::Locked, texts::kLocked},
    {err::InUse, texts::kInUse},
    {err::ItemNotFound, texts::kItemNotFound},
    {err::NullNotAllowed, texts::kNullNotAllowed},
    {err::BadFormat, texts::kBadFormat},
    {err::ObjectClosed, texts::kObjectClosed},
    {err::TypeMismatch, texts::kTypeMismatch},
    {err::ServerUnavailable, texts::kServerUnavailable},
};

} // namespace

std::string_view errorDescription(int number) {
    for (const Description& d : kDescriptions)
        if (d.number == number)
            return d.text;
    return texts::kEngineError;
}

namespace {
std::string fullText(int number, std::string_view detail) {
    std::string s(errorDescription(number));
    if (!detail.empty()) {
        s += " (";
        s += detail;
        s += ")";
    }
    return s;
}
} // namespace

Error::Error(int number, std::string_view detail)
    : std::runtime_error(fullText(number, detail)), number_(number),
      description_(fullText(number, detail)) {}

} // namespace plat::jet
