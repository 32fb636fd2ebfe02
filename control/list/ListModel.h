// The control's list engine: the list operations of the dispatch interface (items, columns,
// indexed item properties, ListIndex, ListCount, NewIndex), the item collection, and the
// folding, sorting, mask and matching rules, on the list grid it owns.
#pragma once

#include "control/core/ControlPlatform.h"
#include "control/list/ListGrid.h"
#include "control/list/ListItems.h"
#include "control/list/ListOrder.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantil {

class CVantilCtrl;
struct ControlProperties;

class ListModel final : public ListEngine, public ListItemsHost {
public:
    using Variant = plat::automation::Variant;

    explicit ListModel(CVantilCtrl& control);
    CVantilCtrl& control() { return control_; }
    ~ListModel() override;
    ListModel(const ListModel&) = delete;
    ListModel& operator=(const ListModel&) = delete;

    // ---- ListEngine ----
    std::int32_t itemCount() const override { return grid_.itemCount(); }
    std::int32_t columnCount() const override { return grid_.columnCount(); }
    bool handles(plat::automation::DispId id) const override;
    Variant invoke(plat::automation::DispId id, std::span<Variant> args,
                   const Variant* value) override;
    // Column definitions loaded with the control become live columns of an empty list.
    void propertiesLoaded() override;
    bool matchText(std::string_view cp932Text) override { return matchTypedText(cp932Text); }
    std::int32_t findText(std::string_view cp932Text) override;
    void clearRows() override;
    std::int32_t addSourceRow(std::span<const std::u16string> texts,
                              std::string boundValue) override;
    std::string boundValue(std::int32_t index) const override;
    std::int32_t findBoundValue(std::string_view value) override;

    // ---- ListItemsHost ----
    ListGrid& grid() override { return grid_; }
    std::int32_t standardItemHeight() const override;
    void ensureFirstColumn() override;
    void refreshHeaderRow() override;
    void repaintList() override;
    void currentRowMoved() override;
    void orderMayHaveBroken() override { sortedFor_.reset(); }
    void selectItem(std::int32_t position, bool select) override;
    void replaceItemText(std::int32_t position, std::string text) override;
    void replaceItemData(std::int32_t position, std::int32_t data) override;

    // ---- Operations (arguments as on the dispatch interface, omitted ones missing) ----
    // The new index in full (AddItem answers it as a 16-bit value); -3 when the list is full.
    std::int32_t addItem(std::span<Variant> args);
    bool addSubItem(std::span<Variant> args);
    std::int32_t addColumn(std::span<Variant> args);
    bool removeItem(std::int32_t index);
    bool removeColumn(std::int32_t index);
    bool clearItem();
    bool clearColumn();
    void clear();
    std::shared_ptr<CListItem> findItem(std::span<Variant> args);
    void doSort();
    std::int32_t listIndex() const;
    void setListIndex(std::int32_t index);
    // The typed-text match of the control's text (code page 932): makes the first item that
    // matches current and answers whether one did.
    bool matchTypedText(std::string_view text);
    // The item replacement: the item is taken out and added again with its new text or item
    // data; answers the index it ends up at.
    // The item's new position, or kControlGone when a Click it raised destroyed the control.
    std::int32_t replaceItem(std::int32_t index, const std::string* text, const std::int32_t* data);
    static constexpr std::int32_t kControlGone = -2;

    CListItems& listItems() { return *items_; }
    std::shared_ptr<CListItems> listItemsObject() { return items_; }
    const SortStats& lastSortStats() const { return lastSort_; }
    // Sorts the whole list on `column` by the current Sorted value.
    void sortList(std::int32_t column);
    void setRepaintHook(std::function<void()> hook) { repaintHook_ = std::move(hook); }

private:
    ControlProperties& props();
    const ControlProperties& props() const;
    plat::text::FoldOptions foldOptions() const;
    std::uint32_t currentStamp() const { return foldStamp(foldOptions()); }
    // `key`, the order key of `row`, made again under `options` unless it was made under
    // `stamp` already: each text is folded once per set of folding options.
    const OrderKey& freshKey(OrderKey& key, const ListRow& row, plat::text::FoldOptions options,
                             std::uint32_t stamp) {
        return key.stamp() == stamp ? key : remakeKey(key, row, options, stamp);
    }
    const OrderKey& remakeKey(OrderKey& key, const ListRow& row, plat::text::FoldOptions options,
                              std::uint32_t stamp);
    bool automaticSorting() const;
    bool knownSorted() const;
    std::int32_t sortedInsertionIndex(const std::string& text, std::int32_t data);
    bool maskedFor(std::string_view text) const;
    void applyMaskToAll();
    void refreshAfterFolding();
    // False when the Click handler destroyed or closed the control.
    [[nodiscard]] bool commitSelection();
    std::int32_t checkedIndex(const Variant& v) const;
    void itemWritten(plat::automation::DispId id, std::int32_t index);

    Variant getIndexed(plat::automation::DispId id, std::span<Variant> args);
    void putIndexed(plat::automation::DispId id, std::span<Variant> args, const Variant& value);
    Variant getSetting(plat::automation::DispId id) const;
    void putSetting(plat::automation::DispId id, const Variant& value);
    std::int32_t addItemForm(plat::automation::DispId id, std::span<Variant> args);
    void putItemText(std::int32_t index, const Variant& value);
    void putItemData(std::int32_t index, const Variant& value);
    void putItemHeight(std::int32_t index, const Variant& value);
    void putDefHeight(const Variant& value);
    void putItemEnabled(std::int32_t index, const Variant& value);
    void putItemFont(std::int32_t index, const Variant& value);
    void putItemPicture(std::int32_t index, const Variant& value);

    struct SortedFor {
        std::int16_t sorted;
        std::uint32_t stamp;
    };

    CVantilCtrl& control_;
    ListGrid grid_;
    std::shared_ptr<CListItems> items_;
    std::optional<SortedFor> sortedFor_;
    std::int32_t savedHeaderHeight_ = 0;
    SortStats lastSort_;
    std::string scratch_;
    std::string keyScratch_;
    std::string textBuffer_; // reused for each added item's converted text
    OrderKey insertionKey_; // the folded text of the item being inserted in order
    std::function<void()> repaintHook_;
};

std::unique_ptr<ListEngine> createListModel(CVantilCtrl& control);

} // namespace vantil
