// Where a database is: a file path, or a server database named by a URI.
#pragma once

#include <string_view>

namespace plat::jet {

// True for "postgresql://…" and "postgres://…" (the server engine); anything else is a file.
inline bool isServerLocation(std::string_view location) {
    return location.starts_with("postgresql://") || location.starts_with("postgres://");
}

} // namespace plat::jet
