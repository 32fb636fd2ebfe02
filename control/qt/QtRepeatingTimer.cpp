// A repeating timer of the control's core on a QTimer of the GUI thread.
#include "control/qt/QtRepeatingTimer.h"

namespace vantil {

QtRepeatingTimer::QtRepeatingTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { onTick_(); });
}

void QtRepeatingTimer::start(int intervalMs) {
    timer_.start(intervalMs);
}

void QtRepeatingTimer::stop() {
    timer_.stop();
}

} // namespace vantil
