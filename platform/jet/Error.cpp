// Error numbers to their Japanese descriptions.
#include "platform/jet/Error.h"

#include "platform/jet/Texts.h"

namespace plat::jet {

std::string_view errorDescription(int number) {
    switch (number) {
    case err::NoCurrentRecord:
        return texts::kNoCurrentRecord;
    case err::DuplicateKey:
        return texts::kDuplicateKey;
    case err::UpdateWithoutEdit:
        return texts::kUpdateWithoutEdit;
    case err::FileNotFound:
        return texts::kFileNotFound;
    case err::ReadOnly:
        return texts::kReadOnly;
    case err::RecordDeleted:
        return texts::kRecordDeleted;
    case err::NoTransaction:
        return texts::kNoTransaction;
    case err::DiskError:
        return texts::kDiskError;
    case err::CannotOpen:
        return texts::kCannotOpen;
    case err::SyntaxError:
        return texts::kSyntaxError;
    case err::UnknownColumn:
        return texts::kUnknownColumn;
    case err::TableNotFound:
        return texts::kTableNotFound;
    case err::ObjectExists:
        return texts::kObjectExists;
    case err::DatabaseExists:
        return texts::kDatabaseExists;
    case err::Locked:
        return texts::kLocked;
    case err::InUse:
        return texts::kInUse;
    case err::ItemNotFound:
        return texts::kItemNotFound;
    case err::NullNotAllowed:
        return texts::kNullNotAllowed;
    case err::BadFormat:
        return texts::kBadFormat;
    case err::ObjectClosed:
        return texts::kObjectClosed;
    case err::TypeMismatch:
        return texts::kTypeMismatch;
    case err::ServerUnavailable:
        return texts::kServerUnavailable;
    default:
        return texts::kEngineError;
    }
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
