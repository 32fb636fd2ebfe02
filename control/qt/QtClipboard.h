// The clipboard's plain text on Qt's clipboard.
#pragma once

#include "control/core/edit/EditServices.h"

namespace vantil {

class QtClipboard final : public Clipboard {
public:
    std::optional<std::string> text() override;
    bool setText(std::string_view cp932) override;
};

} // namespace vantil
