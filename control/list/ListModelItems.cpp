// The list engine: adding, removing and replacing items and columns.
#include "control/list/ListModel.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/MemberTable.h"
#include "control/list/ListModelSupport.h"

#include <algorithm>

namespace vantil {

using namespace plat::automation;
using namespace listsupport;

// ---- Adding and removing ------------------------------------------------------------------

bool ListModel::automaticSorting() const {
    const ControlProperties& p = props();
    return itemCount() > 0 && p.sorted != kSortNone && p.sortMode == 0;
}

bool ListModel::knownSorted() const {
    if (itemCount() <= 1) {
        return true;
    }
    return sortedFor_ && sortedFor_->sorted == props().sorted &&
           (isDataSort(props().sorted) || sortedFor_->stamp == currentStamp());
}

namespace {
// The first row the new item goes before: a binary search when the rows are known to be in
// order, else the first match from the top (size() when none).
template <class Pred>
std::int32_t insertionPoint(RowStore& rows, bool knownSorted, Pred&& goesBefore) {
    if (knownSorted) {
        return rows.partitionPoint(goesBefore);
    }
    std::int32_t found = rows.size();
    rows.forEachFrom(0, [&](std::int32_t i, ListRow& r) {
        if (goesBefore(r)) {
            found = i;
            return false;
        }
        return true;
    });
    return found;
}
} // namespace

std::int32_t ListModel::sortedInsertionIndex(const std::string& text, std::int32_t data) {
    const std::int16_t sorted = props().sorted;
    const bool descending = isDescending(sorted);
    const std::int32_t n = itemCount();
    RowStore& rows = grid_.items();
    if (isDataSort(sorted)) {
        // The new item goes before the first item it orders before or equal to.
        auto goesBefore = [&](const ListRow& r) {
            return descending ? data >= r.item.itemData : data <= r.item.itemData;
        };
        return insertionPoint(rows, knownSorted(), goesBefore);
    }
    if (text.empty()) {
        return descending ? n : 0;
    }
    const plat::text::FoldOptions options = foldOptions();
    const std::uint32_t stamp = foldStamp(options);
    makeOrderKey(text, options, keyScratch_, scratch_);
    insertionKey_.assign(keyScratch_, stamp);
    auto goesBefore = [&](const OrderKey& key) {
        const int c = compareKeys(insertionKey_, key);
        return descending ? c >= 0 : c <= 0;
    };
    if (knownSorted()) {
        return rows.keyPartitionPoint(
            stamp, [&](OrderKey& key, const ListRow& r) { remakeKey(key, r, options, stamp); },
            goesBefore);
    }
    std::int32_t found = n;
    rows.forEachKeyFrom(0, [&](std::int32_t i, ListRow& r, OrderKey& key) {
        if (goesBefore(freshKey(key, r, options, stamp))) {
            found = i;
            return false;
        }
        return true;
    });
    return found;
}

std::int32_t ListModel::addItem(std::span<Variant> given) {
    ControlProperties& p = props();
    if (itemCount() >= kMaxItems) {
        p.newIndex = -1;
        return kListFull;
    }
    const Variant* a[6];
    for (std::size_t i = 0; i < 6; ++i) {
        a[i] = &arg(given, i).deref();
    }
    ensureFirstColumn();
    const bool automatic = automaticSorting();
    const bool wasSorted = automatic && knownSorted();
    NewItem newItem;
    newItem.text.swap(textBuffer_); // the last item's text storage: most texts fit
    newItem.text.clear();
    if (automatic) {
        // Under automatic sorting Index is ignored and text and item data are converted
        // first, with error 380.
        if (a[1]->type() == VarType::String) {
            cp932::fromUtf16(a[1]->asString(), newItem.text);
        } else if (!omitted(*a[1])) {
            newItem.text = narrow(convert(*a[1], VarType::String, invalidValue));
        }
        if (!omitted(*a[2])) {
            newItem.itemData = convert(*a[2], VarType::Long, invalidValue).asLong();
        }
    }
    const Variant* addArgs[7] = {automatic ? nullptr : a[0],
                                 nullptr,
                                 automatic ? nullptr : a[1],
                                 automatic ? nullptr : a[2],
                                 a[3],
                                 a[4],
                                 a[5]};
    if (!convertNewItem(addArgs, newItem)) {
        insertionKey_.clear();
        raise(errnum::InvalidProcedureCall, texts::kInvalidIndex);
    }
    if (automatic) {
        newItem.index = sortedInsertionIndex(newItem.text, newItem.itemData);
    }
    const std::int32_t newIndex = items_->insert(newItem);
    textBuffer_.swap(newItem.text);
    if (newIndex < 0) {
        insertionKey_.clear();
        raise(errnum::InvalidProcedureCall, texts::kInvalidIndex);
    }
    if (wasSorted) {
        sortedFor_ = SortedFor{p.sorted, currentStamp()};
    } else if (!(itemCount() == 1 && !automatic)) {
        orderMayHaveBroken();
    }
    ListRow& row = grid_.item(newIndex);
    if (insertionKey_.stamp() != 0 && !row.cells.empty()) {
        // The sorted insertion folded this text already.
        grid_.items().keyAt(newIndex) = std::move(insertionKey_);
    }
    insertionKey_.clear();
    row.item.masked = maskedFor(row.cells.empty() ? std::string_view() : row.cells[0].text.view());
    p.newIndex = newIndex;
    refreshHeaderRow();
    return newIndex;
}

std::int32_t ListModel::addItemForm(DispId d, std::span<Variant> args) {
    Variant a[6] = {arg(args, 0),       Variant::missing(), Variant::missing(),
                    Variant::missing(), Variant::missing(), Variant::missing()};
    switch (d) {
    case id::AddItemText:
        a[1] = arg(args, 1);
        break;
    case id::AddItemPict:
        a[3] = arg(args, 1);
        break;
    case id::AddItemBoth:
        a[1] = arg(args, 1);
        a[3] = arg(args, 2);
        break;
    case id::AddItemTextData:
        a[1] = arg(args, 1);
        a[2] = arg(args, 2);
        break;
    case id::AddItemPictData:
        a[3] = arg(args, 1);
        a[2] = arg(args, 2);
        break;
    default:
        a[1] = arg(args, 1);
        a[3] = arg(args, 2);
        a[2] = arg(args, 3);
        break;
    }
    return addItem(a);
}

bool ListModel::addSubItem(std::span<Variant> args) {
    const std::int32_t row = convert(arg(args, 0), VarType::Long, invalidValue206).asLong();
    if (row < 0 || row >= itemCount()) {
        return false;
    }
    ListRow& r = grid_.item(row);
    const std::int32_t column =
        omitted(arg(args, 1)) ? r.item.subItemCounter
                              : convert(arg(args, 1), VarType::Long, invalidValue206).asLong();
    const Variant& given = arg(args, 2).deref();
    if (omitted(given)) {
        writeSubItem(*this, row, column, std::u16string_view());
    } else if (given.type() == VarType::String) {
        writeSubItem(*this, row, column, given.asString());
    } else {
        writeSubItem(*this, row, column,
                     convert(given, VarType::String, invalidValue206).asString());
    }
    ++r.item.subItemCounter;
    return true;
}

std::int32_t ListModel::addColumn(std::span<Variant> args) {
    auto longArg = [&](std::size_t i, std::int32_t dflt) {
        return omitted(arg(args, i))
                   ? dflt
                   : convert(arg(args, i), VarType::Long, invalidValue206).asLong();
    };
    std::int32_t index = longArg(0, columnCount());
    const std::string caption =
        omitted(arg(args, 1)) ? std::string()
                              : narrow(convert(arg(args, 1), VarType::String, invalidValue206));
    std::int32_t width = longArg(2, ListGrid::kDefaultColumnWidth);
    const std::int32_t alignH = longArg(3, 0);
    const std::int32_t alignV = longArg(4, 1);
    const bool multiLine = omitted(arg(args, 5))
                               ? false
                               : convert(arg(args, 5), VarType::Bool, invalidValue206).asBool();
    if (width == -1) {
        width = ListGrid::kDefaultColumnWidth;
    }
    index = std::clamp(index, 0, columnCount());
    const std::uint32_t format = columnFormat(alignH, alignV, multiLine);
    std::vector<ColumnDefinition>& defs = props().columns;
    ColumnDefinition def{caption, std::string(), width, alignH, alignV, multiLine};
    if (index == 0 && columnCount() > 0) {
        // Column 0 stays where it is and takes the new caption; its former caption moves to a
        // column appended with the new column's settings.
        CListCell* header = grid_.cell(0, 0);
        def.caption = header->text;
        header->text = caption;
        if (!defs.empty()) {
            defs[0].caption = caption;
        }
        index = columnCount();
    }
    grid_.insertColumn(index, width, format);
    grid_.cell(0, index)->text = def.caption;
    const auto at = std::min<std::size_t>(static_cast<std::size_t>(index), defs.size());
    defs.insert(defs.begin() + static_cast<std::ptrdiff_t>(at), std::move(def));
    refreshHeaderRow();
    return index;
}

bool ListModel::removeItem(std::int32_t index) {
    if (index < 0 || index >= itemCount()) {
        return false;
    }
    return items_->remove(Variant(index));
}

bool ListModel::removeColumn(std::int32_t index) {
    if (!grid_.isColumn(index)) {
        return false;
    }
    std::vector<ColumnDefinition>& defs = props().columns;
    if (static_cast<std::size_t>(index) < defs.size()) {
        defs.erase(defs.begin() + index);
    }
    grid_.removeColumn(index);
    if (index == 0) {
        orderMayHaveBroken();
        grid_.items().invalidateKeys();
    }
    if (columnCount() == 0) {
        clearItem();
    }
    return true;
}

bool ListModel::clearItem() {
    ControlProperties& p = props();
    p.newIndex = -1;
    p.listIndex = -1;
    sortedFor_.reset();
    return items_->clear();
}

bool ListModel::clearColumn() {
    if (columnCount() == 0) {
        return false;
    }
    std::vector<ColumnDefinition>& defs = props().columns;
    for (std::int32_t c = columnCount() - 1; c >= 0; --c) {
        if (static_cast<std::size_t>(c) < defs.size()) {
            defs.erase(defs.begin() + c);
        }
        grid_.removeColumn(c);
    }
    grid_.items().invalidateKeys();
    orderMayHaveBroken();
    return true;
}

void ListModel::clear() {
    ControlProperties& p = props();
    p.newIndex = -1;
    p.listIndex = -1;
    clearColumn();
    clearItem();
    control_.setModified();
    repaintList();
}

// ---- Replacement ----------------------------------------------------------------------------

std::int32_t ListModel::replaceItem(std::int32_t index, const std::string* text,
                                    const std::int32_t* data) {
    ListRow& old = grid_.item(index);
    const std::int32_t height = old.height;
    std::vector<ListCellInfo> copy(old.cells.size());
    for (std::size_t c = 0; c < copy.size(); ++c) {
        copy[c].row = index + 1;
        copy[c].column = static_cast<std::int32_t>(c);
        copy[c].mask = kFullMask;
        grid_.readCell(copy[c]);
        copy[c].state &= ~LCIS_SELECTED;
    }
    ItemAttributes attributes = old.item;
    std::string newText = old.cells.empty() ? std::string() : old.cells[0].text.str();
    if (text) {
        newText = *text;
        if (!copy.empty())
            copy[0].text = *text;
    }
    if (data) {
        attributes.itemData = *data;
    }
    const bool wasCurrent = listIndex() == index;
    const bool wasMasked = attributes.masked;
    removeItem(index);
    Variant a[3] = {Variant(index), Variant(cp932::toUtf16(newText)), Variant(attributes.itemData)};
    const std::int32_t at = addItem(a);
    ListRow& row = grid_.item(at);
    for (ListCellInfo& info : copy) {
        info.row = at + 1;
        grid_.writeCell(info);
    }
    row.item = attributes;
    if (text) {
        // The item's mask follows its new text.
        row.item.masked = maskedFor(newText);
    }
    row.height = height;
    grid_.items().keyAt(at).invalidate();
    if (wasCurrent) {
        props().listIndex = at;
        grid_.setCurrentRow(at + 1);
        if (text && wasMasked && !commitSelection()) {
            return kControlGone;
        }
    }
    return at;
}

void ListModel::replaceItemText(std::int32_t position, std::string text) {
    if (const std::int32_t at = replaceItem(position, &text, nullptr); at != kControlGone) {
        props().newIndex = at;
    }
}

void ListModel::replaceItemData(std::int32_t position, std::int32_t data) {
    props().newIndex = replaceItem(position, nullptr, &data);
}

} // namespace vantil
