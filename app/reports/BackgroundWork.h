// Runs a database step on a worker thread while the user-interface thread goes on painting, and
// returns as soon as the step has finished (no polling delay: a short inquiry stays quick).
#pragma once

#include <exception>
#include <functional>

namespace tamsel::reports {

// The exception the work threw, if any. The caller guards its buttons (Screen::runBusy).
std::exception_ptr runInBackground(const std::function<void()>& work);

} // namespace tamsel::reports
