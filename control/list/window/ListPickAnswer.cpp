// A pick from the list window closes it and commits the current item.
#include "control/list/window/ListPickAnswer.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/EventTable.h"
#include "platform/text/Cp932.h"

namespace vantil {

void ListPickAnswer::listPicked() {
    if (closeList_) {
        closeList_();
    }
    const std::int32_t row = model_.grid().currentRow();
    if (row >= 1) {
        model_.setListIndex(row - 1);
    }
}

void ListPickAnswer::listColumnClicked(std::int32_t column) {
    const CListCell* header = model_.grid().cell(0, column);
    if (header == nullptr) {
        return;
    }
    using plat::automation::Variant;
    Variant args[] = {Variant(static_cast<std::int16_t>(column)),
                      Variant(plat::text::cp932::toUtf16(header->text.view()))};
    model_.control().fireEvent(events::ColumnClick, args);
}

} // namespace vantil
