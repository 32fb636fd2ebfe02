// The list engine: rows loaded from a data source, their bound values, and finding rows by
// the typed-text rule or by bound value without moving the current row.
#include "control/list/ListModel.h"

#include "control/core/CVantilCtrl.h"
#include "control/list/ListModelSupport.h"

#include <algorithm>

namespace vantil {

using namespace plat::automation;
using namespace listsupport;

void ListModel::clearRows() {
    clearItem();
    refreshHeaderRow();
    repaintList();
}

std::int32_t ListModel::addSourceRow(std::span<const std::u16string> texts,
                                     std::string boundValue) {
    Variant a[2] = {Variant::missing(),
                    texts.empty() ? Variant(std::u16string()) : Variant(texts.front())};
    const std::int32_t at = addItem(a);
    if (at < 0) {
        return -1;
    }
    ListRow& row = grid_.item(at);
    const std::size_t columns = std::min(texts.size(), row.cells.size());
    for (std::size_t c = 1; c < columns; ++c) {
        row.cells[c].text = cp932::fromUtf16(texts[c]);
    }
    row.item.setBoundValue(std::move(boundValue));
    return at;
}

std::string ListModel::boundValue(std::int32_t index) const {
    if (index < 0 || index >= itemCount()) {
        return {};
    }
    return grid_.item(index).item.boundValue();
}

std::int32_t ListModel::findBoundValue(std::string_view value) {
    if (value.empty()) {
        return -1;
    }
    const plat::text::FoldOptions o = foldOptions();
    const std::string wanted = plat::text::foldText(value, o);
    std::string folded;
    std::int32_t found = -1;
    grid_.items().forEachFrom(0, [&](std::int32_t i, ListRow& r) {
        plat::text::foldText(r.item.boundValue(), o, folded);
        if (folded.size() >= wanted.size() && folded.compare(0, wanted.size(), wanted) == 0) {
            found = i;
            return false;
        }
        return true;
    });
    return found;
}

std::int32_t ListModel::findText(std::string_view text) {
    if (text.empty()) {
        return -1;
    }
    const plat::text::FoldOptions options = foldOptions();
    const std::uint32_t stamp = foldStamp(options);
    const std::string key = orderKey(text, options);
    std::int32_t found = -1;
    // A row matches when its text cut to the typed text's bytes folds to the typed text's key:
    // its key then begins with that key. The keys lie side by side in the row store and are
    // kept for the next search, so most rows are ruled out without reading the row itself.
    grid_.items().forEachKeyFrom(0, [&](std::int32_t i, ListRow& r, OrderKey& rowOrderKey) {
        const std::string_view rowKey = freshKey(rowOrderKey, r, options, stamp).view();
        if (!rowKey.starts_with(key)) {
            return true;
        }
        const std::string_view raw = r.cells.empty() ? std::string_view() : r.cells[0].text.view();
        if (2 * cutCharCount(raw, text.size()) != key.size()) {
            return true;
        }
        found = i;
        return false;
    });
    return found;
}

} // namespace vantil
