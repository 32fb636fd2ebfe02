// The list engine: the mask rule, sorting, the typed-text match and FindItem.
#include "control/list/ListModel.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/MemberTable.h"
#include "control/list/ListModelSupport.h"

#include <algorithm>

namespace vantil {

using namespace plat::automation;
using namespace listsupport;

// ---- Mask ----------------------------------------------------------------------------------

bool ListModel::maskedFor(std::string_view text) const {
    const ControlProperties& p = props();
    using enum MaskModeConstants;
    if (p.maskMode != lxmm_イネーブル && p.maskMode != lxmm_ディセーブル) {
        return false;
    }
    const plat::text::FoldOptions o = foldOptions();
    const bool match =
        plat::text::maskMatches(plat::text::foldText(p.maskText, o), plat::text::foldText(text, o));
    return p.maskMode == lxmm_イネーブル ? !match : match;
}

void ListModel::applyMaskToAll() {
    ControlProperties& p = props();
    const plat::text::FoldOptions o = foldOptions();
    const std::string mask = plat::text::foldText(p.maskText, o);
    std::string folded;
    std::int32_t firstMatch = -1;
    using enum MaskModeConstants;
    const MaskModeConstants mode = p.maskMode;
    grid_.items().forEachFrom(0, [&](std::int32_t i, ListRow& r) {
        if (mode == lxmm_なし) {
            r.item.masked = false;
            return true;
        }
        plat::text::foldText(r.cells.empty() ? std::string_view() : r.cells[0].text.view(), o,
                             folded);
        const bool match = plat::text::maskMatches(mask, folded);
        if (mode == lxmm_ジャンプ) {
            r.item.masked = false;
            if (match && firstMatch < 0)
                firstMatch = i;
        } else {
            r.item.masked = mode == lxmm_イネーブル ? !match : match;
        }
        return true;
    });
    if (mode == lxmm_ジャンプ) {
        p.listIndex = firstMatch;
        grid_.setCurrentRow(firstMatch < 0 ? -1 : firstMatch + 1);
    }
    if (!commitSelection()) {
        return;
    }
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
    if (!control_.fireEvent(kBeginSortEvent)) {
        return; // the handler destroyed the control
    }

    RowStore& store = grid_.items();
    const plat::text::FoldOptions options = foldOptions();
    const std::uint32_t stamp = foldStamp(options);
    const std::int16_t sorted = p.sorted;
    const bool descending = isDescending(sorted);
    using Entry = SortEntry<std::int32_t>; // the row's index before the sort
    std::vector<Entry> entries(static_cast<std::size_t>(store.size()));
    // Each text is folded once, before the sort; the entries carry the keys' heads, so most
    // comparisons read only the entries. The keys stay in the store while it is sorted.
    std::vector<OrderKey> otherKeys;
    if (!isDataSort(sorted) && column != 0) {
        otherKeys.resize(entries.size());
    }
    store.forEachKeyFrom(0, [&](std::int32_t i, ListRow& r, OrderKey& rowKey) {
        Entry& e = entries[static_cast<std::size_t>(i)];
        e.row = i;
        if (isDataSort(sorted)) {
            e.data = r.item.itemData;
            return true;
        }
        const OrderKey* key = &rowKey;
        if (column == 0) {
            freshKey(rowKey, r, options, stamp);
        } else {
            const auto c = static_cast<std::size_t>(column);
            makeOrderKey(c < r.cells.size() ? r.cells[c].text.view() : std::string_view(),
                         options, keyScratch_, scratch_);
            otherKeys[static_cast<std::size_t>(i)].assign(keyScratch_, stamp);
            key = &otherKeys[static_cast<std::size_t>(i)];
        }
        e.head = key->head();
        e.key = key->view();
        return true;
    });
    if (isDataSort(sorted)) {
        lastSort_ = sortEntries(entries, [descending](const Entry& a, const Entry& b) {
            const int c = a.data < b.data ? -1 : (a.data > b.data ? 1 : 0);
            return descending ? -c : c;
        });
    } else {
        lastSort_ = sortEntries(entries, [descending](const Entry& a, const Entry& b) {
            const int c = compareKeys(a.head, a.key, b.head, b.key);
            return descending ? -c : c;
        });
    }
    const std::int32_t newIndexBefore = p.newIndex;
    const std::int32_t listIndexBefore = p.listIndex;
    std::vector<std::int32_t> order(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        order[i] = entries[i].row;
        if (entries[i].row == newIndexBefore)
            p.newIndex = static_cast<std::int32_t>(i);
        if (entries[i].row == listIndexBefore)
            p.listIndex = static_cast<std::int32_t>(i);
    }
    store.permute(order);
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
    // The last step: nothing follows that could touch a control the handler destroyed.
    (void)control_.fireEvent(kEndSortEvent);
}

// ---- Matching and finding ------------------------------------------------------------------

bool ListModel::matchTypedText(std::string_view text) {
    grid_.resetCurrentCell();
    props().listIndex = -1;
    const std::int32_t found = findText(text);
    if (found < 0) {
        return false;
    }
    // A disabled or masked row matches but cannot become current: ListIndex stays -1 with
    // the grid, which then has no current row either.
    props().listIndex = grid_.setCurrentRow(found + 1) ? found : -1;
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
            ok = passes(r.cells[static_cast<std::size_t>(col)].text.view());
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
