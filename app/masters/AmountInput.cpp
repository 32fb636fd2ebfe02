// Wage box input rule.
#include "app/masters/AmountInput.h"

#include "platform/widgets/NumericBox.h"

namespace tamsel {

AmountInput checkAmountInput(const QString& typed, int decimals) {
    bool empty = false;
    const auto parsed = plat::widgets::NumericBox::parse(typed, decimals, &empty);
    if (empty)
        return {AmountInput::Kind::Empty, 0};
    if (!parsed || *parsed < 0)
        return {AmountInput::Kind::Refused, 0};
    return {AmountInput::Kind::Accepted, *parsed};
}

} // namespace tamsel
