// Constant tables expanded from the enumeration lists of Enums.h.
#include "control/core/EnumTables.h"

#include <array>

namespace vantil {
namespace {

#define VANTIL_CONSTANT_INFO(name, value, text) EnumConstantInfo{#name, value, text},
#define VANTIL_CONSTANT_TABLE(E)                                                                   \
    constexpr EnumConstantInfo k##E[] = {VANTIL_ENUM_##E(VANTIL_CONSTANT_INFO)};
VANTIL_ENUMERATIONS(VANTIL_CONSTANT_TABLE)
#undef VANTIL_CONSTANT_TABLE
#undef VANTIL_CONSTANT_INFO

#define VANTIL_ENUMERATION_INFO(E) EnumerationInfo{#E, k##E},
constexpr EnumerationInfo kEnumerations[] = {VANTIL_ENUMERATIONS(VANTIL_ENUMERATION_INFO)};
#undef VANTIL_ENUMERATION_INFO

static_assert(std::size(kVKeyCodeConstants) == 120, "none and 119 key codes");

// The key-code properties show the bare key name, and only for codes up to VK_OEM_8.
constexpr std::int32_t kLastNamedKeyCode = 223;

std::string_view withoutPrefix(std::string_view name) {
    const auto pos = name.find('_');
    return pos == std::string_view::npos ? name : name.substr(pos + 1);
}

} // namespace

std::span<const EnumerationInfo> enumerations() {
    return kEnumerations;
}

const EnumerationInfo* enumeration(EnumId id) {
    const auto index = static_cast<std::size_t>(id);
    if (index == 0 || index > std::size(kEnumerations)) {
        return nullptr;
    }
    return &kEnumerations[index - 1];
}

std::string browserText(EnumId id, std::int32_t value) {
    const EnumerationInfo* info = enumeration(id);
    if (info == nullptr) {
        return {};
    }
    for (const EnumConstantInfo& c : info->constants) {
        if (c.value != value) {
            continue;
        }
        if (!c.browserText.empty()) {
            return std::string(c.browserText);
        }
        if (id == EnumId::VKeyCodeConstants) {
            return value <= kLastNamedKeyCode ? std::string(withoutPrefix(c.name)) : std::string();
        }
        return std::to_string(value) + " - " + std::string(withoutPrefix(c.name));
    }
    return {};
}

std::vector<BrowserChoice> browserChoices(EnumId id) {
    std::vector<BrowserChoice> choices;
    if (const EnumerationInfo* info = enumeration(id)) {
        for (const EnumConstantInfo& c : info->constants) {
            std::string text = browserText(id, c.value);
            if (!text.empty()) {
                choices.push_back(BrowserChoice{c.value, std::move(text)});
            }
        }
    }
    return choices;
}

} // namespace vantil
