// The list engine: the indexed item properties and the settings that re-sort or re-mask.
#include "control/list/ListModel.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/MemberTable.h"
#include "control/list/ListModelSupport.h"

#include <algorithm>

namespace vantil {

using namespace plat::automation;
using namespace listsupport;

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
        return wide(cell ? cell->text.view() : std::string_view());
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
        if (at != kControlGone) {
            itemWritten(id::ItemText, at);
        }
        return;
    }
    // Taken before the replacement: a masked item cannot stay current, so ListIndex reads -1
    // afterwards.
    const bool wasCurrent = listIndex() == index;
    const std::int32_t at = replaceItem(index, &text, nullptr);
    if (at == kControlGone) {
        return;
    }
    ListRow& row = grid_.item(at);
    row.item.masked = maskedFor(text);
    if (wasCurrent && row.item.masked) {
        grid_.setCurrentRow(at + 1);
        if (!commitSelection()) {
            return;
        }
    }
    itemWritten(id::ItemText, at);
}

void ListModel::putDefHeight(const Variant& value) {
    ControlProperties& p = props();
    const std::int32_t v = convert(value, VarType::Long, invalidValue).asLong();
    if (const Member* m = findMember(id::DefHeight); m && !m->inRange(v)) {
        invalidValue();
    }
    const std::int32_t old = p.defHeight;
    if (v == old) {
        return;
    }
    p.defHeight = static_cast<std::int16_t>(v);
    if (!control_.designMode()) {
        // Items of the standard height follow it; with IntegralHeight every item does.
        const bool all = p.integralHeight;
        grid_.items().forEachFrom(0, [&](std::int32_t, ListRow& r) {
            if (all || r.height == old) {
                r.height = v;
            }
            return true;
        });
        grid_.setRowHeight(0, grid_.rowHeight(0)); // the scroll ranges follow the heights
        repaintList();
    }
    control_.propertyChanged(id::DefHeight);
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
        if (!commitSelection()) {
            return;
        }
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
        return Variant(static_cast<std::int16_t>(p.maskMode));
    }
}

void ListModel::putSetting(DispId d, const Variant& value) {
    ControlProperties& p = props();
    const Member* m = findMember(d);
    const bool runTime = !control_.designMode();
    // A short or an enumeration, set through its number.
    auto setShort = [&]<class T>(T& field) {
        const std::int32_t v = convert(value, VarType::Long, invalidValue).asLong();
        if (m && !m->inRange(v)) {
            invalidValue();
        }
        if (static_cast<std::int32_t>(field) == v)
            return false;
        field = static_cast<T>(v);
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
    if (p.maskMode != MaskModeConstants::lxmm_なし) {
        applyMaskToAll();
    }
    repaintList();
}

} // namespace vantil
