// User-visible texts of the widget stand-ins, each defined once.
#pragma once

namespace plat::widgets::texts {

inline constexpr char kYes[] = "はい(&Y)";
inline constexpr char kNo[] = "いいえ(&N)";

} // namespace plat::widgets::texts
