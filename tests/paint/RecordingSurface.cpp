// Fixed text metrics of the recording surface.
#include "tests/paint/RecordingSurface.h"

#include "platform/text/Cp932.h"

namespace vantil::test {

int RecordingSurface::textWidth(std::string_view text) {
    int w = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t len = plat::text::cp932::charLength(text, pos);
        w += len == 2 ? kWide : kNarrow;
        pos += len;
    }
    return w;
}

} // namespace vantil::test
