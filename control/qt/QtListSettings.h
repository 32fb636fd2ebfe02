// The user's desktop settings the list window reads, from Qt's style hints.
#pragma once

#include "control/list/window/ListWindowPort.h"

namespace vantil {

class QtListSettings final : public ListSettings {
public:
    // On Linux the desktop's own wheel setting as Qt reports it; elsewhere none (3 applies).
    std::optional<int> wheelScrollLines() const override;
};

} // namespace vantil
