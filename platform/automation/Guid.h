// Class, interface and library identifiers: 128-bit values written
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat::automation {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    // Accepts the braced form, and the same without braces; hexadecimal in either case.
    static std::optional<Guid> parse(std::string_view text);
    // Braced, upper-case hexadecimal.
    std::string toString() const;
    bool isNull() const { return *this == Guid{}; }

    friend bool operator==(const Guid&, const Guid&) = default;
    friend auto operator<=>(const Guid&, const Guid&) = default;
};

} // namespace plat::automation
