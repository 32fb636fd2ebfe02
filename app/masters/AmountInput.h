// The rule of the wage box: what the clerk typed is taken only as an amount of at least 0
// with no more decimals than the box shows; anything else is refused and the old value stays.
#pragma once

#include <QString>

#include <cstdint>

namespace tamsel {

struct AmountInput {
    enum class Kind { Empty, Accepted, Refused };
    Kind kind = Kind::Refused;
    std::int64_t scaled = 0; // ten-thousandths, when accepted
};

AmountInput checkAmountInput(const QString& typed, int decimals);

} // namespace tamsel
