// The list engine: dispatch of its members, loading, notifications and ListIndex.
#include "control/list/ListModel.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/MemberTable.h"
#include "control/list/ListModelSupport.h"

#include <algorithm>

namespace vantil {

using namespace plat::automation;
using namespace listsupport;

ListModel::ListModel(CVantilCtrl& control) : control_(control), items_(CListItems::create(this)) {}

ListModel::~ListModel() {
    items_->detach();
}

std::unique_ptr<ListEngine> createListModel(CVantilCtrl& control) {
    return std::make_unique<ListModel>(control);
}

ControlProperties& ListModel::props() {
    return control_.properties();
}
const ControlProperties& ListModel::props() const {
    return control_.properties();
}

plat::text::FoldOptions ListModel::foldOptions() const {
    const ControlProperties& p = props();
    return plat::text::FoldOptions{p.ignoreCase, p.ignoreKanaCase, p.ignoreCharSet};
}

std::int32_t ListModel::standardItemHeight() const {
    const std::int16_t h = props().defHeight;
    return h > 0 ? h : props().standardItemHeight;
}

const OrderKey& ListModel::remakeKey(OrderKey& key, const ListRow& row,
                                     plat::text::FoldOptions options, std::uint32_t stamp) {
    makeOrderKey(row.cells.empty() ? std::string_view() : row.cells[0].text.view(), options,
                 keyScratch_, scratch_);
    key.assign(keyScratch_, stamp);
    return key;
}

bool ListModel::handles(DispId d) const {
    switch (d) {
    case id::MaskText:
    case id::Sorted:
    case id::IgnoreCase:
    case id::IgnoreKanaCase:
    case id::IgnoreCharSet:
    case id::MaskMode:
    case id::DefHeight:
    case id::ListIndex:
    case id::ListCount:
    case id::NewIndex:
    case id::ListItems:
    case id::AddItem:
    case id::AddSubItem:
    case id::AddColumn:
    case id::RemoveItem:
    case id::RemoveColumn:
    case id::ClearItem:
    case id::ClearColumn:
    case id::FindItem:
    case id::Clear:
    case id::AddItemText:
    case id::AddItemPict:
    case id::AddItemBoth:
    case id::AddItemTextData:
    case id::AddItemPictData:
    case id::AddItemBothData:
    case id::ItemBackColor:
    case id::ItemForeColor:
    case id::ItemText:
    case id::ItemFont:
    case id::ItemPict:
    case id::ItemData:
    case id::ItemEnabled:
    case id::ItemHeight:
    case id::ItemMasked:
    case id::DoSort:
    case id::ColumnWidth:
        return true;
    default:
        return false;
    }
}

Variant ListModel::invoke(DispId d, std::span<Variant> args, const Variant* value) {
    if (value != nullptr) {
        switch (d) {
        case id::ListIndex:
            setListIndex(convert(*value, VarType::Long, invalidValue).asLong());
            return Variant();
        case id::ListCount:
        case id::NewIndex:
        case id::ItemMasked:
            readOnly();
        case id::MaskText:
        case id::Sorted:
        case id::IgnoreCase:
        case id::IgnoreKanaCase:
        case id::IgnoreCharSet:
        case id::MaskMode:
            putSetting(d, *value);
            return Variant();
        case id::DefHeight:
            putDefHeight(*value);
            return Variant();
        default:
            putIndexed(d, args, *value);
            return Variant();
        }
    }
    switch (d) {
    case id::ListIndex:
        // The committed row: while the list is open the highlight may be elsewhere.
        return Variant(props().listIndex);
    case id::ListCount:
        return Variant(itemCount());
    case id::NewIndex:
        return Variant(props().newIndex);
    case id::DefHeight:
        return Variant(props().defHeight);
    case id::ListItems:
        return Variant(std::shared_ptr<Dispatch>(items_));
    case id::AddItem:
        return Variant(static_cast<std::int16_t>(addItem(args)));
    case id::AddSubItem:
        return Variant(addSubItem(args));
    case id::AddColumn:
        return Variant(static_cast<std::int16_t>(addColumn(args)));
    case id::RemoveItem:
        return Variant(removeItem(convert(arg(args, 0), VarType::Long, invalidValue).asLong()));
    case id::RemoveColumn:
        return Variant(removeColumn(convert(arg(args, 0), VarType::Long, invalidValue).asLong()));
    case id::ClearItem:
        return Variant(clearItem());
    case id::ClearColumn:
        return Variant(clearColumn());
    case id::Clear:
        clear();
        return Variant();
    case id::FindItem:
        return Variant(std::shared_ptr<Dispatch>(findItem(args)));
    case id::DoSort:
        doSort();
        return Variant();
    case id::AddItemText:
    case id::AddItemPict:
    case id::AddItemBoth:
    case id::AddItemTextData:
    case id::AddItemPictData:
    case id::AddItemBothData:
        return Variant(addItemForm(d, args));
    case id::MaskText:
    case id::Sorted:
    case id::IgnoreCase:
    case id::IgnoreKanaCase:
    case id::IgnoreCharSet:
    case id::MaskMode:
        return getSetting(d);
    default:
        return getIndexed(d, args);
    }
}

void ListModel::propertiesLoaded() {
    // No item is current after a load: the cached ListIndex was reset to -1 with it.
    grid_.resetCurrentCell();
    const ControlProperties& p = props();
    if (columnCount() != 0 || itemCount() != 0) {
        return;
    }
    for (const ColumnDefinition& def : p.columns) {
        const std::int32_t column = columnCount();
        grid_.insertColumn(column, def.width < 0 ? ListGrid::kDefaultColumnWidth : def.width,
                           columnFormat(def.alignmentH, def.alignmentV, def.multiLine));
        grid_.cell(0, column)->text = def.caption;
    }
    refreshHeaderRow();
}

// ---- Notifications --------------------------------------------------------------------------

void ListModel::repaintList() {
    if (repaintHook_) {
        repaintHook_();
    }
}

void ListModel::ensureFirstColumn() {
    if (itemCount() == 0 && columnCount() == 0) {
        Variant first[6] = {Variant(std::int32_t{0}),
                            Variant(std::u16string()),
                            Variant(ListGrid::kDefaultColumnWidth),
                            Variant(static_cast<std::int32_t>(props().alignmentH)),
                            Variant(std::int32_t{1}),
                            Variant(false)};
        addColumn(first);
    }
}

void ListModel::currentRowMoved() {
    props().listIndex = listIndex();
}

void ListModel::refreshHeaderRow() {
    const std::int32_t h = grid_.rowHeight(0);
    if (props().hideColumnHeaders) {
        if (h != 0) {
            savedHeaderHeight_ = h;
            grid_.setRowHeight(0, 0);
        }
    } else if (h == 0 && savedHeaderHeight_ != 0) {
        grid_.setRowHeight(0, savedHeaderHeight_);
    }
}

bool ListModel::commitSelection() {
    // The committed row is the current one, or none when that item could not stay current.
    props().listIndex = listIndex();
    const std::int32_t row = grid_.currentRow();
    if (row >= 1 && !grid_.row(row).cells.empty()) {
        // The row's text goes in as every commit's does: all of it selected, scrolled to its
        // start, nothing to undo across it.
        control_.editArea().takeRowText(grid_.row(row).cells[0].text.view());
    }
    // The bound text follows the committed row before the host hears of the click; a host that
    // refuses the change keeps its old bound text.
    control_.refreshBoundText();
    return control_.fireEvent(kClickEvent);
}

std::int32_t ListModel::listIndex() const {
    return grid_.currentRow() >= 1 ? grid_.currentRow() - 1 : -1;
}

void ListModel::setListIndex(std::int32_t index) {
    if (index < -1 || index >= itemCount()) {
        invalidValue();
    }
    ControlProperties& p = props();
    if (index == p.listIndex) {
        return;
    }
    p.listIndex = index;
    grid_.setCurrentRow(index < 0 ? -1 : index + 1);
    if (!commitSelection()) {
        return; // the Click handler destroyed or closed the control
    }
    control_.propertyChanged(id::ListIndex);
}

void ListModel::selectItem(std::int32_t position, bool select) {
    setListIndex(select ? position : -1);
}

} // namespace vantil
