// The control's drop-down list window as the control's members read it: VisibleCount,
// GetFirstVisible and HitTest. The list window registers itself with the control while the
// control's window exists.
#pragma once

#include "platform/automation/Variant.h"

#include <cstdint>

namespace vantil {

class ListWindowView {
public:
    virtual ~ListWindowView() = default;
    // The grid index of the last row that is at least partly visible.
    virtual std::int16_t visibleCount() const = 0;
    // The item object at the topmost visible row, or nothing.
    virtual plat::automation::Variant firstVisible() = 0;
    // The item object under a point given in twips relative to the control's client area,
    // or nothing (header row, outside the rows or columns).
    virtual plat::automation::Variant hitTest(std::int32_t xTwips, std::int32_t yTwips) = 0;
};

} // namespace vantil
