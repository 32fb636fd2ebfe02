// A repeating timer of the control's core on a QTimer of the GUI thread.
#pragma once

#include "control/core/ControlPlatform.h"

#include <QTimer>

#include <functional>

namespace vantil {

class QtRepeatingTimer final : public RepeatingTimer {
public:
    explicit QtRepeatingTimer(std::function<void()> onTick);
    void start(int intervalMs) override;
    void stop() override;

private:
    std::function<void()> onTick_;
    QTimer timer_;
};

} // namespace vantil
