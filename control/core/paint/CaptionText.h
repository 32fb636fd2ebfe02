// The caption's text as displayed: accelerator ampersands removed and the underlined
// character found, and the cutting of a multi-line caption into lines or columns.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantil {

struct DisplayCaption {
    std::string text;       // code page 932
    int underlineChar = -1; // character index in `text` of the accelerator, -1 for none
    friend bool operator==(const DisplayCaption&, const DisplayCaption&) = default;
};

// Applies the accelerator rule: a single "&" is removed (except in the last position), "&&"
// shows as "&", the character after the first removed "&" is underlined, and a caption that
// is just "&" shows a blank.
DisplayCaption acceleratorCaption(std::string_view caption);

// The characters of a code page 932 text, each as its own string view.
std::vector<std::string_view> splitCharacters(std::string_view text);

// Extent of one character along the line (its width, or its height in a column).
using CharExtent = std::function<int(std::string_view character)>;

// Cuts `text` into lines no longer than `limit`: a carriage return, a line feed or the pair
// ends a line, and a line ends before the character that would make it longer than `limit`.
// A line always holds at least one character, so a narrow area cannot loop forever.
std::vector<std::string> cutLines(std::string_view text, int limit, const CharExtent& extent);

// Removes carriage returns and line feeds: a one-line caption shows them as nothing.
std::string withoutLineBreaks(std::string_view text);

} // namespace vantil
