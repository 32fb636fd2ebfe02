// The list operations of the control and the sorting, mask and matching rules around them.
#include "control/list/ListModel.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/MemberTable.h"
#include "control/core/Texts.h"
#include "control/list/Texts.h"
#include "platform/text/Cp932.h"

#include <algorithm>

namespace vantil {

namespace cp932 = plat::text::cp932;
using namespace plat::automation;

namespace {

constexpr DispId kClickEvent = -600;
constexpr DispId kBeginSortEvent = 13;
constexpr DispId kEndSortEvent = 14;
constexpr std::int32_t kListFull = -3;
constexpr std::int32_t kFailedWrite = -4;

// Dispatch identifiers of the members this engine implements.
namespace id {
constexpr DispId MaskText = 29, Sorted = 30, IgnoreCase = 31, IgnoreKanaCase = 32,
                 IgnoreCharSet = 33, MaskMode = 39;
constexpr DispId ListIndex = 27, ListCount = 28, NewIndex = 40, ListItems = 54;
constexpr DispId AddItem = 55, AddSubItem = 56, AddColumn = 57, RemoveItem = 58, RemoveColumn = 59,
                 ClearItem = 60, ClearColumn = 61, FindItem = 62, Clear = 91;
constexpr DispId AddItemText = 92, AddItemPict = 93, AddItemBoth = 94, AddItemTextData = 95,
                 AddItemPictData = 96, AddItemBothData = 97;
constexpr DispId ItemBackColor = 98, ItemForeColor = 99, ItemText = 100, ItemFont = 101,
                 ItemPict = 102, ItemData = 103, ItemEnabled = 104, ItemHeight = 105,
                 ItemMasked = 106;
constexpr DispId DoSort = 124, ColumnWidth = 127;
} // namespace id

[[noreturn]] void invalidValue() {
    raise(errnum::InvalidPropertyValue, texts::kInvalidValue);
}
[[noreturn]] void invalidValue206() {
    raise(errnum::InvalidPropertyValue, texts::kInvalidIndex);
}
[[noreturn]] void invalidIndex() {
    raise(errnum::InvalidIndex, texts::kInvalidIndex);
}
[[noreturn]] void readOnly() {
    raise(errnum::SetNotSupported, texts::kReadOnly);
}

bool omitted(const Variant& v) {
    const VarType t = v.deref().type();
    return t == VarType::Empty || t == VarType::Null || t == VarType::Error;
}

const Variant& arg(std::span<Variant> args, std::size_t i) {
    static const Variant missing = Variant::missing();
    return i < args.size() ? args[i] : missing;
}

// Converts or raises `fail`.
template <class Fail> Variant convert(const Variant& v, VarType t, Fail fail) {
    Variant out;
    if (failed(v.deref().tryConvert(t, out))) {
        fail();
    }
    return out;
}

std::string narrow(const Variant& v) {
    return cp932::fromUtf16(v.asString());
}
Variant wide(std::string_view s) {
    return Variant(cp932::toUtf16(s));
}

// The text format of a column's cells.
std::uint32_t columnFormat(std::int32_t alignH, std::int32_t alignV, bool multiLine) {
    std::uint32_t f = 0;
    if (alignH == 1) {
        f |= kFormatRight;
    } else if (alignH == 2) {
        f |= kFormatCenter;
    }
    if (alignV == 2) {
        f |= kFormatBottom;
    } else if (alignV != 0) {
        f |= kFormatVCenter;
    }
    if (!multiLine) {
        f |= kFormatSingleLine;
    }
    return f;
}

} // namespace

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

const std::string& ListModel::orderKeyOf(ListRow& row) {
    const std::uint32_t stamp = currentStamp();
    if (row.foldStamp != stamp) {
        makeOrderKey(row.cells.empty() ? std::string_view() : row.cells[0].text, foldOptions(),
                     row.orderKey, scratch_);
        row.foldStamp = stamp;
    }
    return row.orderKey;
}

bool ListModel::handles(DispId d) const {
    switch (d) {
    case id::MaskText:
    case id::Sorted:
    case id::IgnoreCase:
    case id::IgnoreKanaCase:
    case id::IgnoreCharSet:
    case id::MaskMode:
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
        default:
            putIndexed(d, args, *value);
            return Variant();
        }
    }
    switch (d) {
    case id::ListIndex:
        return Variant(listIndex());
    case id::ListCount:
        return Variant(itemCount());
    case id::NewIndex:
        return Variant(props().newIndex);
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

void ListModel::commitSelection() {
    if (commitHook_) {
        commitHook_();
        return;
    }
    ControlProperties& p = props();
    const std::int32_t row = grid_.currentRow();
    if (row >= 1 && !grid_.row(row).cells.empty()) {
        p.text = grid_.row(row).cells[0].text;
        p.edit.charCount = static_cast<std::int32_t>(cp932::charCount(p.text));
        p.edit.caret = std::min(p.edit.caret, p.edit.charCount);
        p.edit.anchor = std::min(p.edit.anchor, p.edit.charCount);
    }
    control_.fireEvent(kClickEvent);
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
    commitSelection();
    control_.propertyChanged(id::ListIndex);
}

void ListModel::selectItem(std::int32_t position, bool select) {
    setListIndex(select ? position : -1);
}

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

std::int32_t ListModel::sortedInsertionIndex(const std::string& text, std::int32_t data) {
    const std::int16_t sorted = props().sorted;
    const bool descending = isDescending(sorted);
    const std::int32_t n = itemCount();
    RowStore& rows = grid_.items();
    if (isDataSort(sorted)) {
        // The new item goes before the first item it orders before or equal to.
        auto goesBefore = [&](std::int32_t other) {
            return descending ? data >= other : data <= other;
        };
        if (knownSorted()) {
            std::int32_t lo = 0, hi = n;
            while (lo < hi) {
                const std::int32_t mid = lo + (hi - lo) / 2;
                if (goesBefore(rows.at(mid).item.itemData))
                    hi = mid;
                else
                    lo = mid + 1;
            }
            return lo;
        }
        std::int32_t found = n;
        rows.forEachFrom(0, [&](std::int32_t i, ListRow& r) {
            if (goesBefore(r.item.itemData)) {
                found = i;
                return false;
            }
            return true;
        });
        return found;
    }
    if (text.empty()) {
        return descending ? n : 0;
    }
    std::string& key = insertionKey_;
    makeOrderKey(text, foldOptions(), key, scratch_);
    auto goesBefore = [&](ListRow& r) {
        const int c = compareKeys(key, orderKeyOf(r));
        return descending ? c >= 0 : c <= 0;
    };
    if (knownSorted()) {
        std::int32_t lo = 0, hi = n;
        while (lo < hi) {
            const std::int32_t mid = lo + (hi - lo) / 2;
            if (goesBefore(rows.at(mid)))
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    }
    std::int32_t found = n;
    rows.forEachFrom(0, [&](std::int32_t i, ListRow& r) {
        if (goesBefore(r)) {
            found = i;
            return false;
        }
        return true;
    });
    return found;
}

std::int32_t ListModel::addItem(std::span<Variant> given) {
    Variant a[6];
    for (std::size_t i = 0; i < 6; ++i) {
        a[i] = arg(given, i).deref();
    }
    ControlProperties& p = props();
    if (itemCount() >= kMaxItems) {
        p.newIndex = -1;
        return kListFull;
    }
    ensureFirstColumn();
    const bool automatic = automaticSorting();
    const bool wasSorted = automatic && knownSorted();
    Variant index = a[0];
    if (automatic) {
        const std::string text =
            omitted(a[1]) ? std::string() : narrow(convert(a[1], VarType::String, invalidValue));
        const std::int32_t data =
            omitted(a[2]) ? 0 : convert(a[2], VarType::Long, invalidValue).asLong();
        index = Variant(sortedInsertionIndex(text, data));
    }
    Variant addArgs[7] = {index, Variant::missing(), a[1], a[2], a[3], a[4], a[5]};
    std::shared_ptr<CListItem> item = items_->add(addArgs);
    if (!item) {
        raise(errnum::InvalidProcedureCall, texts::kInvalidIndex);
    }
    if (wasSorted) {
        sortedFor_ = SortedFor{p.sorted, currentStamp()};
    } else if (!(itemCount() == 1 && !automatic)) {
        orderMayHaveBroken();
    }
    const std::int32_t newIndex = item->position();
    ListRow& row = grid_.item(newIndex);
    if (automatic && !isDataSort(p.sorted) && !insertionKey_.empty() && !row.cells.empty()) {
        // The sorted insertion folded this text already.
        row.orderKey.swap(insertionKey_);
        row.foldStamp = currentStamp();
    }
    insertionKey_.clear();
    row.item.masked = maskedFor(row.cells.empty() ? std::string_view() : row.cells[0].text);
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
    const std::u16string text =
        omitted(arg(args, 2)) ? std::u16string()
                              : convert(arg(args, 2), VarType::String, invalidValue206).asString();
    items_->itemAt(row)->setSubItem(column, text);
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
        grid_.items().forEachFrom(0, [](std::int32_t, ListRow& r) {
            r.foldStamp = 0;
            return true;
        });
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
    grid_.items().forEachFrom(0, [](std::int32_t, ListRow& r) {
        r.foldStamp = 0;
        return true;
    });
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
    std::string newText = old.cells.empty() ? std::string() : old.cells[0].text;
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
    row.foldStamp = 0;
    if (wasCurrent) {
        props().listIndex = at;
        grid_.setCurrentRow(at + 1);
        if (text && wasMasked) {
            commitSelection();
        }
    }
    return at;
}

void ListModel::replaceItemText(std::int32_t position, std::string text) {
    props().newIndex = replaceItem(position, &text, nullptr);
}

void ListModel::replaceItemData(std::int32_t position, std::int32_t data) {
    props().newIndex = replaceItem(position, nullptr, &data);
}

// ---- Indexed properties ---------------------------------------------------------------------

std::int32_t ListModel::checkedIndex(const Variant& v) const {
    const std::int32_t index = convert(v, VarType::Long, invalidIndex).asLong();
    if (index < 0 || index >= itemCount()) {
        invalidIndex();
    }
    return index;
}

Variant ListModel::getIndexed(DispId d, std::span<Variant> args) {
    if (d == id::ColumnWidth) {
        return Variant(
            grid_.columnWidth(convert(arg(args, 0), VarType::Long, invalidValue).asLong()));
    }
    const std::int32_t index = checkedIndex(arg(args, 0));
    const ListRow& row = grid_.item(index);
    const CListCell* cell = row.cells.empty() ? nullptr : &row.cells[0];
    switch (d) {
    case id::ItemBackColor:
        return Variant(static_cast<std::int32_t>(cell ? cell->backColor : CLR_CELL_DEFAULT));
    case id::ItemForeColor:
        return Variant(static_cast<std::int32_t>(cell ? cell->foreColor : CLR_CELL_DEFAULT));
    case id::ItemText:
        return wide(cell ? cell->text : std::string());
    case id::ItemFont:
        return Variant(std::shared_ptr<Dispatch>(cell ? cell->fontObject() : nullptr));
    case id::ItemPict:
        return Variant(std::shared_ptr<Dispatch>(cell ? cell->picture() : nullptr));
    case id::ItemData:
        return Variant(row.item.itemData);
    case id::ItemEnabled:
        return Variant(row.item.enabled);
    case id::ItemHeight:
        return Variant(
            static_cast<std::int16_t>(props().integralHeight ? standardItemHeight() : row.height));
    case id::ItemMasked:
        return Variant(row.item.masked);
    default:
        return Variant();
    }
}

void ListModel::itemWritten(DispId d, std::int32_t index) {
    props().newIndex = index;
    control_.propertyChanged(d);
    repaintList();
}

void ListModel::putIndexed(DispId d, std::span<Variant> args, const Variant& value) {
    if (d == id::ColumnWidth) {
        const std::int32_t column = convert(arg(args, 0), VarType::Long, invalidValue).asLong();
        const std::int32_t width = convert(value, VarType::Long, invalidValue).asLong();
        if (grid_.isColumn(column) && width >= 0) {
            grid_.setColumnWidth(column, width);
        }
        return;
    }
    if (d == id::ItemHeight) {
        putItemHeight(convert(arg(args, 0), VarType::Long, invalidIndex).asLong(), value);
        return;
    }
    const std::int32_t index = checkedIndex(arg(args, 0));
    switch (d) {
    case id::ItemBackColor:
    case id::ItemForeColor: {
        const auto color = translateColor(
            static_cast<std::uint32_t>(convert(value, VarType::Long, invalidValue).asLong()));
        if (CListCell* cell = grid_.cell(index + 1, 0)) {
            (d == id::ItemBackColor ? cell->backColor : cell->foreColor) = color;
        }
        itemWritten(d, index);
        return;
    }
    case id::ItemText:
        putItemText(index, value);
        return;
    case id::ItemData:
        putItemData(index, value);
        return;
    case id::ItemEnabled:
        putItemEnabled(index, value);
        return;
    case id::ItemFont:
        putItemFont(index, value);
        return;
    case id::ItemPict:
        putItemPicture(index, value);
        return;
    default:
        return;
    }
}

void ListModel::putItemText(std::int32_t index, const Variant& value) {
    std::string text = narrow(convert(value, VarType::String, invalidValue));
    const ControlProperties& p = props();
    if (p.sortMode == 0 && itemCount() > 1 &&
        (p.sorted == kSortTextAscending || p.sorted == kSortTextDescending)) {
        const std::int32_t at = replaceItem(index, &text, nullptr);
        itemWritten(id::ItemText, at);
        return;
    }
    const std::int32_t at = replaceItem(index, &text, nullptr);
    ListRow& row = grid_.item(at);
    row.item.masked = maskedFor(text);
    if (listIndex() == at && row.item.masked) {
        grid_.setCurrentRow(at + 1);
        commitSelection();
    }
    itemWritten(id::ItemText, at);
}

void ListModel::putItemData(std::int32_t index, const Variant& value) {
    const std::int32_t data = convert(value, VarType::Long, invalidValue).asLong();
    itemWritten(id::ItemData, replaceItem(index, nullptr, &data));
}

void ListModel::putItemEnabled(std::int32_t index, const Variant& value) {
    const bool enabled = convert(value, VarType::Bool, invalidValue).asBool();
    if (!enabled && listIndex() == index) {
        props().listIndex = -1;
        grid_.setCurrentRow(-1);
        commitSelection();
    }
    grid_.item(index).item.enabled = enabled;
    itemWritten(id::ItemEnabled, index);
}

void ListModel::putItemFont(std::int32_t index, const Variant& value) {
    const Variant& v = value.deref();
    if (v.type() != VarType::Object || !v.asObject()) {
        return;
    }
    auto font = std::dynamic_pointer_cast<FontObject>(v.asObject());
    CListCell* cell = grid_.cell(index + 1, 0);
    if (!font || cell == nullptr) {
        props().newIndex = kFailedWrite;
        control_.setModified();
        return;
    }
    cell->setFont(std::make_shared<const CellFont>(font->desc()));
    cell->setFontObject(font);
    itemWritten(id::ItemFont, index);
}

void ListModel::putItemPicture(std::int32_t index, const Variant& value) {
    const Variant& v = value.deref();
    std::shared_ptr<Picture> picture;
    bool ok = v.type() == VarType::Object;
    if (ok && v.asObject()) {
        picture = std::dynamic_pointer_cast<Picture>(v.asObject());
        ok = picture != nullptr;
    }
    CListCell* cell = grid_.cell(index + 1, 0);
    if (!ok || cell == nullptr) {
        props().newIndex = kFailedWrite;
        control_.setModified();
        return;
    }
    cell->setPicture(std::move(picture));
    itemWritten(id::ItemPict, index);
}

void ListModel::putItemHeight(std::int32_t index, const Variant& value) {
    std::int32_t height = convert(value, VarType::Long, invalidValue).asLong();
    const ControlProperties& p = props();
    if (p.integralHeight && index != -1) {
        readOnly();
    }
    if (height <= 7 && height != -1) {
        invalidValue();
    }
    if (index != -1 && (index < 0 || index >= itemCount())) {
        invalidIndex();
    }
    if (control_.designMode()) {
        return;
    }
    if (height == -1) {
        height = standardItemHeight();
    }
    if (index == -1) {
        if (columnCount() > 0 && !p.hideColumnHeaders) {
            grid_.setRowHeight(0, height);
            control_.propertyChanged(id::ItemHeight);
        }
        return;
    }
    grid_.setRowHeight(index + 1, height);
    itemWritten(id::ItemHeight, index);
}

// ---- Settings that re-sort or re-mask --------------------------------------------------------

Variant ListModel::getSetting(DispId d) const {
    const ControlProperties& p = props();
    switch (d) {
    case id::MaskText:
        return wide(p.maskText);
    case id::Sorted:
        return Variant(p.sorted);
    case id::IgnoreCase:
        return Variant(p.ignoreCase);
    case id::IgnoreKanaCase:
        return Variant(p.ignoreKanaCase);
    case id::IgnoreCharSet:
        return Variant(p.ignoreCharSet);
    default:
        return Variant(p.maskMode);
    }
}

void ListModel::putSetting(DispId d, const Variant& value) {
    ControlProperties& p = props();
    const Member* m = findMember(d);
    const bool runTime = !control_.designMode();
    auto setShort = [&](std::int16_t& field) {
        const std::int32_t v = convert(value, VarType::Long, invalidValue).asLong();
        if (m && !m->inRange(v)) {
            invalidValue();
        }
        if (field == v)
            return false;
        field = static_cast<std::int16_t>(v);
        return true;
    };
    auto setBool = [&](bool& field) {
        const bool v = convert(value, VarType::Bool, invalidValue).asBool();
        if (field == v)
            return false;
        field = v;
        return true;
    };
    switch (d) {
    case id::Sorted:
        if (!setShort(p.sorted))
            return;
        control_.propertyChanged(d);
        if (runTime && p.sorted != kSortNone && itemCount() > 1 && p.sortMode == 0) {
            sortList(0);
        }
        return;
    case id::IgnoreCase:
    case id::IgnoreKanaCase:
    case id::IgnoreCharSet: {
        bool& field = d == id::IgnoreCase       ? p.ignoreCase
                      : d == id::IgnoreKanaCase ? p.ignoreKanaCase
                                                : p.ignoreCharSet;
        if (!setBool(field))
            return;
        control_.propertyChanged(d);
        if (runTime && itemCount() >= 1) {
            refreshAfterFolding();
        }
        return;
    }
    case id::MaskMode:
        if (!setShort(p.maskMode))
            return;
        break;
    default: {
        std::string text = narrow(convert(value, VarType::String, invalidValue));
        if (text == p.maskText) {
            // From format 4.0 on, setting the mask text again evaluates the mask again.
            if (p.loadedVersion >= kVersion40 && runTime && itemCount() >= 1) {
                applyMaskToAll();
            }
            return;
        }
        p.maskText = std::move(text);
        break;
    }
    }
    control_.propertyChanged(d);
    if (runTime && itemCount() >= 1) {
        applyMaskToAll();
    }
}

void ListModel::refreshAfterFolding() {
    const ControlProperties& p = props();
    if (itemCount() >= 2 && p.sortMode == 0 &&
        (p.sorted == kSortTextAscending || p.sorted == kSortTextDescending)) {
        sortList(0);
    }
    if (p.maskMode != 0) {
        applyMaskToAll();
    }
    repaintList();
}

// ---- Mask ----------------------------------------------------------------------------------

bool ListModel::maskedFor(std::string_view text) const {
    const ControlProperties& p = props();
    if (p.maskMode != 2 && p.maskMode != 3) {
        return false;
    }
    const plat::text::FoldOptions o = foldOptions();
    const bool match =
        plat::text::maskMatches(plat::text::foldText(p.maskText, o), plat::text::foldText(text, o));
    return p.maskMode == 2 ? !match : match;
}

void ListModel::applyMaskToAll() {
    ControlProperties& p = props();
    const plat::text::FoldOptions o = foldOptions();
    const std::string mask = plat::text::foldText(p.maskText, o);
    std::string folded;
    std::int32_t firstMatch = -1;
    const std::int16_t mode = p.maskMode;
    grid_.items().forEachFrom(0, [&](std::int32_t i, ListRow& r) {
        if (mode == 0) {
            r.item.masked = false;
            return true;
        }
        plat::text::foldText(r.cells.empty() ? std::string_view() : r.cells[0].text, o, folded);
        const bool match = plat::text::maskMatches(mask, folded);
        if (mode == 1) {
            r.item.masked = false;
            if (match && firstMatch < 0)
                firstMatch = i;
        } else {
            r.item.masked = mode == 2 ? !match : match;
        }
        return true;
    });
    if (mode == 1) {
        p.listIndex = firstMatch;
        grid_.setCurrentRow(firstMatch < 0 ? -1 : firstMatch + 1);
    }
    commitSelection();
    repaintList();
}

// ---- Sorting -------------------------------------------------------------------------------

void ListModel::doSort() {
    const ControlProperties& p = props();
    if (p.sortKey >= 0 && p.sortKey < columnCount() && p.sortMode == 1) {
        sortList(p.sortKey);
    }
}

void ListModel::sortList(std::int32_t column) {
    if (!grid_.isColumn(column)) {
        return;
    }
    ControlProperties& p = props();
    grid_.resetCurrentCell();
    control_.fireEvent(kBeginSortEvent);

    const ListRow* newIndexRow =
        p.newIndex >= 0 && p.newIndex < itemCount() ? &grid_.item(p.newIndex) : nullptr;
    const ListRow* cachedRow =
        p.listIndex >= 0 && p.listIndex < itemCount() ? &grid_.item(p.listIndex) : nullptr;

    std::vector<std::unique_ptr<ListRow>> rows = grid_.items().takeAll();
    const std::int16_t sorted = p.sorted;
    const bool descending = isDescending(sorted);
    using Entry = SortEntry<ListRow*>;
    std::vector<Entry> entries(rows.size());
    std::vector<std::string> otherKeys;
    if (!isDataSort(sorted) && column != 0) {
        otherKeys.resize(rows.size());
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ListRow* r = rows[i].get();
        entries[i].row = r;
        if (isDataSort(sorted)) {
            entries[i].data = r->item.itemData;
        } else if (column == 0) {
            entries[i].key = orderKeyOf(*r);
        } else {
            const auto c = static_cast<std::size_t>(column);
            makeOrderKey(c < r->cells.size() ? std::string_view(r->cells[c].text)
                                             : std::string_view(),
                         foldOptions(), otherKeys[i], scratch_);
            entries[i].key = otherKeys[i];
        }
        rows[i].release();
    }
    if (isDataSort(sorted)) {
        lastSort_ = sortEntries(entries, [descending](const Entry& a, const Entry& b) {
            const int c = a.data < b.data ? -1 : (a.data > b.data ? 1 : 0);
            return descending ? -c : c;
        });
    } else {
        lastSort_ = sortEntries(entries, [descending](const Entry& a, const Entry& b) {
            const int c = compareKeys(a.key, b.key);
            return descending ? -c : c;
        });
    }
    std::vector<std::unique_ptr<ListRow>> ordered(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ordered[i].reset(entries[i].row);
        if (entries[i].row == newIndexRow)
            p.newIndex = static_cast<std::int32_t>(i);
        if (entries[i].row == cachedRow)
            p.listIndex = static_cast<std::int32_t>(i);
    }
    grid_.items().assign(std::move(ordered));
    if (column == 0) {
        sortedFor_ = SortedFor{sorted == kSortNone ? kSortTextAscending : sorted, currentStamp()};
        if (sorted == kSortNone)
            sortedFor_.reset();
    } else {
        orderMayHaveBroken();
    }
    repaintList();
    if (p.listIndex >= 0) {
        grid_.setCurrentRow(p.listIndex + 1);
    }
    control_.fireEvent(kEndSortEvent);
}

// ---- Matching and finding ------------------------------------------------------------------

bool ListModel::matchTypedText(std::string_view text) {
    grid_.resetCurrentCell();
    if (text.empty()) {
        return false;
    }
    const std::string key = orderKey(text, foldOptions());
    std::int32_t found = -1;
    grid_.items().forEachFrom(0, [&](std::int32_t i, ListRow& r) {
        const std::string_view raw = r.cells.empty() ? std::string_view() : r.cells[0].text;
        const std::size_t keyBytes = 2 * cutCharCount(raw, text.size());
        if (keyBytes != key.size()) {
            return true;
        }
        const std::string& rowKey = orderKeyOf(r);
        if (rowKey.compare(0, keyBytes, key) == 0) {
            found = i;
            return false;
        }
        return true;
    });
    if (found < 0) {
        return false;
    }
    props().listIndex = found;
    grid_.setCurrentRow(found + 1);
    return true;
}

std::shared_ptr<CListItem> ListModel::findItem(std::span<Variant> args) {
    auto shortArg = [&](std::size_t i, std::int32_t dflt) -> std::optional<std::int32_t> {
        if (omitted(arg(args, i)))
            return dflt;
        Variant out;
        if (failed(arg(args, i).deref().tryConvert(VarType::Short, out)))
            return std::nullopt;
        return out.asShort();
    };
    Variant szValue;
    if (failed(arg(args, 0).deref().tryConvert(VarType::String, szValue))) {
        return nullptr;
    }
    const std::string sz = narrow(szValue);
    auto where = shortArg(1, 0);
    std::optional<std::int32_t> start;
    const Variant& indexArg = arg(args, 2).deref();
    if (indexArg.type() == VarType::String) {
        start = std::max(0, items_->findKey(narrow(indexArg)));
    } else {
        start = shortArg(2, 0);
    }
    auto partial = shortArg(3, 0);
    auto column = shortArg(4, 1);
    if (!where || !start || !partial || !column) {
        return nullptr;
    }
    const std::int32_t mode = *where >= 0 && *where <= 2 ? *where : 0;
    const std::int32_t col = mode == 1 ? *column : 0;
    const bool prefix = *partial == 1;
    auto passes = [&](std::string_view candidate) {
        if (prefix) {
            return !sz.empty() && candidate.size() >= sz.size() &&
                   candidate.compare(0, sz.size(), sz) == 0;
        }
        return candidate == sz;
    };
    std::int32_t found = -1;
    grid_.items().forEachFrom(std::max(0, *start), [&](std::int32_t i, ListRow& r) {
        bool ok = false;
        if (mode == 2) {
            Variant tagText;
            if (succeeded(r.item.tag().tryConvert(VarType::String, tagText))) {
                ok = passes(narrow(tagText));
            }
        } else if (col >= 0 && static_cast<std::size_t>(col) < r.cells.size()) {
            ok = passes(r.cells[static_cast<std::size_t>(col)].text);
        }
        if (ok) {
            found = i;
            return false;
        }
        return true;
    });
    return items_->itemAt(found);
}

} // namespace vantil
