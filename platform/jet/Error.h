// Database errors: a number and a Japanese description, as the screens show them
// ("number: description"). Every number the layer raises is named here once.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace plat::jet {

// Numbers follow the classic engine where a screen or a user relies on one.
namespace err {
inline constexpr int NoCurrentRecord = 3021;   // dynaset has no current row
inline constexpr int DuplicateKey = 3022;      // unique index or primary key violated
inline constexpr int UpdateWithoutEdit = 3020; // update without edit / add new
inline constexpr int FileNotFound = 3024;      // database file missing
inline constexpr int ReadOnly = 3027;          // object or database cannot be updated
inline constexpr int RecordDeleted = 3167;     // the row was deleted meanwhile
inline constexpr int NoTransaction = 3034;     // commit / roll back without begin
inline constexpr int DiskError = 3043;         // disk or I/O failure, disk full
inline constexpr int CannotOpen = 3051;        // file exists but cannot be opened (permission)
inline constexpr int SyntaxError = 3075;       // SQL text cannot be parsed
inline constexpr int TableNotFound = 3078;     // table or stored query missing
inline constexpr int UnknownColumn = 3061;     // a column name in the statement does not exist
inline constexpr int ObjectExists = 3012;      // stored query of that name already exists
inline constexpr int DatabaseExists = 3204;    // compaction target already exists
inline constexpr int Locked = 3260;            // file locked by another user after waiting
inline constexpr int InUse = 3356;             // another user has the file open (compaction)
inline constexpr int ItemNotFound = 3265;      // field or stored query name not found
inline constexpr int NullNotAllowed = 3314;    // required column left Null
inline constexpr int BadFormat = 3343;         // file is not a database or is damaged
inline constexpr int ObjectClosed = 3420;      // handle no longer valid
inline constexpr int TypeMismatch = 3464;      // value does not fit the column
inline constexpr int ServerUnavailable = 3151; // database server unreachable, login refused,
                                               // or the connection was lost
inline constexpr int EngineError = 3000;       // anything else the engine reports
} // namespace err

// The Japanese description of a number (a generic text for unknown numbers).
std::string_view errorDescription(int number);

class Error : public std::runtime_error {
public:
    // `detail` (e.g. a file name or the engine's own message) is appended in parentheses.
    explicit Error(int number, std::string_view detail = {});

    int number() const noexcept { return number_; }
    // The full user-visible text: description plus detail.
    const std::string& description() const noexcept { return description_; }

private:
    int number_;
    std::string description_;
};

} // namespace plat::jet
