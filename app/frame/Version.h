// The program's version (major.minor.revision), taken from the build.
#pragma once

namespace tamsel {

inline constexpr int kVersionMajor = TAMSEL_VERSION_MAJOR;
inline constexpr int kVersionMinor = TAMSEL_VERSION_MINOR;
inline constexpr int kVersionRevision = TAMSEL_VERSION_PATCH;

} // namespace tamsel
