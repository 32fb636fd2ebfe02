// The control's answer to its list window's notifications: a pick closes the list and, when
// the current item differs from the committed one, commits it (the text follows the item and
// Click is fired). A click on a column header raises ColumnClick. Pointer messages are not
// acted on yet.
#pragma once

#include "control/list/ListModel.h"
#include "control/list/window/ListWindowPort.h"

#include <functional>

namespace vantil {

class ListPickAnswer final : public ListWindowListener {
public:
    ListPickAnswer(ListModel& model, std::function<void()> closeList)
        : model_(model), closeList_(std::move(closeList)) {}

    void listPicked() override;
    void listHeaderChanged() override {}
    void listMouse(ListMouse, Point) override {}
    void listColumnClicked(std::int32_t column) override;

private:
    ListModel& model_;
    std::function<void()> closeList_;
};

} // namespace vantil
