// The wage box's input rule: amounts of at least 0 are taken, anything else refused.
#include "app/masters/AmountInput.h"

#include <gtest/gtest.h>

using tamsel::AmountInput;
using tamsel::checkAmountInput;

TEST(AmountInput, TakesOnlyAmountsOfAtLeastZeroWithTheBoxDecimals) {
    using K = AmountInput::Kind;
    struct Case {
        const char* typed;
        int decimals;
        K kind;
        std::int64_t scaled;
    };
    const Case cases[] = {
        {"1500", 0, K::Accepted, 15000000},
        {"1,500", 0, K::Accepted, 15000000},
        {" 0 ", 0, K::Accepted, 0},
        {"+20", 0, K::Accepted, 200000},
        {"", 0, K::Empty, 0},
        {"   ", 0, K::Empty, 0},
        {"-1", 0, K::Refused, 0},
        {"-0.5", 1, K::Refused, 0},
        {"12.5", 0, K::Refused, 0},
        {"12.5", 1, K::Accepted, 125000},
        {"abc", 0, K::Refused, 0},
        {"1500円", 0, K::Refused, 0},
        {"１５００", 0, K::Refused, 0},
        {"-", 0, K::Refused, 0},
        {"99999999999999999", 0, K::Refused, 0},
    };
    for (const Case& c : cases) {
        const AmountInput in = checkAmountInput(QString::fromUtf8(c.typed), c.decimals);
        EXPECT_EQ(in.kind, c.kind) << c.typed;
        if (c.kind == K::Accepted) {
            EXPECT_EQ(in.scaled, c.scaled) << c.typed;
        }
    }
}
