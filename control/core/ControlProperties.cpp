// The built-in context-menu table.
#include "control/core/ControlProperties.h"

#include "control/core/Texts.h"
#include "platform/text/Cp932.h"

namespace vantil {

MenuTable defaultMenuTable() {
    MenuTable menu;
    const std::string_view captions[kBuiltInMenuEntries] = {
        texts::kMenuUndo,   texts::kMenuCut,    texts::kMenuCopy,
        texts::kMenuPaste,  texts::kMenuDelete, texts::kMenuSelectAll,
    };
    for (int i = 0; i < kMenuEntryCount; ++i) {
        MenuEntry& e = menu[static_cast<std::size_t>(i)];
        e.enabled = true;
        e.separator = false;
        e.hidden = i >= kBuiltInMenuEntries;
    }
    for (int i = 0; i < kBuiltInMenuEntries; ++i) {
        menu[static_cast<std::size_t>(i)].caption = plat::text::cp932::fromUtf8(captions[i]);
    }
    return menu;
}

} // namespace vantil
