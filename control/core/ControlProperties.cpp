// The built-in context-menu table.
#include "control/core/ControlProperties.h"

#include "control/core/Texts.h"
#include "platform/text/Cp932.h"

namespace vantil {

MenuTable defaultMenuTable() {
    MenuTable menu;
    const std::string_view captions[kBuiltInMenuEntries] = {
        texts::kMenuUndo,  texts::kMenuCut,    texts::kMenuCopy,
        texts::kMenuPaste, texts::kMenuDelete, texts::kMenuSelectAll,
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

unsigned acceleratorCharacter(std::string_view caption) {
    namespace cp932 = plat::text::cp932;
    // "&" (0x26) is never the second byte of a double-byte character, so a byte scan finds it.
    const std::size_t amp = caption.find('&');
    if (amp == std::string_view::npos || amp + 1 >= caption.size() || caption[amp + 1] == '&') {
        return 0;
    }
    return cp932::charCode(caption, amp + 1);
}

} // namespace vantil
