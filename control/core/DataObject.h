// The data object the control hands its drag-and-drop events: the dragged plain text and the
// drop effects the drag allows, reachable from a handler through its dispatch interface
// (GetData, GetFormat, SetData, Clear, AllowedEffects).
#pragma once

#include "platform/automation/DispatchObject.h"

#include <cstdint>
#include <string>

namespace vantil {

// Drop effects as the events carry them.
namespace dropeffect {
inline constexpr std::int32_t None = 0;
inline constexpr std::int32_t Copy = 1;
inline constexpr std::int32_t Move = 2;
} // namespace dropeffect

class DataObject final : public plat::automation::DispatchObject {
public:
    // The clipboard format number of plain text.
    static constexpr std::int16_t kTextFormat = 1;

    DataObject();

    // The text in code page 932; hasText() false when the object carries none.
    const std::string& text() const { return text_; }
    bool hasText() const { return hasText_; }
    void setText(std::string cp932);
    void clear();
    std::int32_t allowedEffects() const { return allowedEffects_; }

private:
    std::string text_;
    bool hasText_ = false;
    std::int32_t allowedEffects_ = dropeffect::Copy | dropeffect::Move;
};

} // namespace vantil
