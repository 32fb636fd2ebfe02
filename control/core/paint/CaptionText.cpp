// Accelerator handling and line cutting of captions.
#include "control/core/paint/CaptionText.h"

#include "platform/text/Cp932.h"

namespace vantil {

std::vector<std::string_view> splitCharacters(std::string_view text) {
    std::vector<std::string_view> out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t len = std::max<std::size_t>(1, plat::text::cp932::charLength(text, pos));
        out.push_back(text.substr(pos, len));
        pos += len;
    }
    return out;
}

DisplayCaption acceleratorCaption(std::string_view caption) {
    DisplayCaption out;
    if (caption == "&") {
        out.text.push_back(' ');
        return out;
    }
    const std::vector<std::string_view> chars = splitCharacters(caption);
    int shown = 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == "&") {
            if (i + 1 < chars.size() && chars[i + 1] == "&") {
                out.text += '&';
                ++shown;
                ++i;
                continue;
            }
            if (i + 1 < chars.size()) {
                if (out.underlineChar < 0) {
                    out.underlineChar = shown;
                }
                continue;
            }
        }
        out.text.append(chars[i]);
        ++shown;
    }
    return out;
}

std::vector<std::string> cutLines(std::string_view text, int limit, const CharExtent& extent) {
    std::vector<std::string> lines;
    std::string current;
    int length = 0;
    bool open = false; // a line was started (possibly empty after a break)
    const std::vector<std::string_view> chars = splitCharacters(text);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const std::string_view c = chars[i];
        if (c == "\r" || c == "\n") {
            lines.push_back(current);
            current.clear();
            length = 0;
            open = false;
            if (c == "\r" && i + 1 < chars.size() && chars[i + 1] == "\n") {
                ++i;
            }
            continue;
        }
        const int w = extent(c);
        if (!current.empty() && length + w > limit) {
            lines.push_back(current);
            current.clear();
            length = 0;
        }
        current.append(c);
        length += w;
        open = true;
    }
    if (open || !current.empty() || lines.empty()) {
        lines.push_back(current);
    }
    return lines;
}

std::string withoutLineBreaks(std::string_view text) {
    std::string out;
    for (std::string_view c : splitCharacters(text)) {
        if (c != "\r" && c != "\n") {
            out.append(c);
        }
    }
    return out;
}

} // namespace vantil
