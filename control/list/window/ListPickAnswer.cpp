// A pick from the list window closes it and commits the current item.
#include "control/list/window/ListPickAnswer.h"

#include "control/core/CVantilCtrl.h"

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

} // namespace vantil
