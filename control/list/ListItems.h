// The automation classes through which clients reach single items: the collection ListItems
// (one per control, holding one item object per item) and the item object ListItem, which
// holds only a position and answers for whatever item stands there.
#pragma once

#include "control/list/ListGrid.h"
#include "control/list/ListItemsEnum.h"
#include "platform/automation/DispatchObject.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantil {

// The most items a list holds.
inline constexpr std::int32_t kMaxItems = 65000;

// What the collection and its item objects need of the control.
class ListItemsHost {
public:
    virtual ~ListItemsHost() = default;
    virtual ListGrid& grid() = 0;
    virtual std::int32_t standardItemHeight() const = 0;
    // A list with neither items nor columns gets its first column before an item is added,
    // so that the item's text has a cell to go to.
    virtual void ensureFirstColumn() = 0;
    // The header row's height follows HideColumnHeaders.
    virtual void refreshHeaderRow() = 0;
    virtual void repaintList() = 0;
    // Rows were inserted or removed: the current row may have moved or gone.
    virtual void currentRowMoved() = 0;
    // An item was added where the sorted order may not hold any more.
    virtual void orderMayHaveBroken() = 0;
    // The item objects' notifications.
    virtual void selectItem(std::int32_t position, bool select) = 0;
    virtual void replaceItemText(std::int32_t position, std::string text) = 0;
    virtual void replaceItemData(std::int32_t position, std::int32_t data) = 0;
};

// The platform's colour translation: system colours 0x800000nn become their current value.
std::uint32_t translateColor(std::uint32_t color);

class CListItems;

class CListItem final : public plat::automation::Dispatch {
public:
    CListItem(std::shared_ptr<CListItems> owner, std::int32_t position);
    std::int32_t position() const { return position_; }

    plat::automation::DispId memberId(std::u16string_view name) const override;
    plat::automation::Status invoke(plat::automation::DispId id, plat::automation::InvokeKind kind,
                                    std::span<plat::automation::Variant> args,
                                    plat::automation::Variant& result,
                                    plat::automation::AutomationError& error) override;
    const plat::automation::TypeInfo* typeInfo() const override;

    // The properties, reading and writing the item at the position.
    std::u16string key() const;
    void setKey(std::u16string_view key);
    std::u16string text() const;
    void setText(std::u16string_view text);
    std::int32_t itemData() const;
    void setItemData(std::int32_t data);
    bool selected() const;
    void setSelected(bool on);
    plat::automation::Variant picture() const;
    void setPicture(const plat::automation::Variant& value);
    plat::automation::Variant tag() const;
    void setTag(const plat::automation::Variant& value);
    std::uint32_t foreColor() const;
    void setForeColor(std::uint32_t color);
    std::uint32_t backColor() const;
    void setBackColor(std::uint32_t color);
    std::int32_t orderIndex() const;
    std::u16string subItem(std::int32_t column) const;
    void setSubItem(std::int32_t column, std::u16string_view text);

private:
    ListRow* itemRow() const;
    ListItemsHost* host() const;

    std::shared_ptr<CListItems> owner_;
    std::int32_t position_;
};

// The arguments of ListItems.Add after conversion.
struct NewItem;
// Converts Add's seven arguments (Index, Key, Text, State, Icon, ForeColor, BackColor; nullptr
// or an omitted value = missing) into `out`; false when a present one cannot be converted.
bool convertNewItem(const plat::automation::Variant* const (&args)[7], NewItem& out);

// Writes `text` into column `column` of the item at `position` (ListItem.SubItems and
// AddSubItem); raises 380 when the column does not exist.
void writeSubItem(ListItemsHost& host, std::int32_t position, std::int32_t column,
                  std::u16string_view text);

struct NewItem {
    std::optional<std::int32_t> index;
    std::string key;
    std::string text;
    std::int32_t itemData = 0;
    std::shared_ptr<plat::automation::Picture> picture;
    std::uint32_t foreColor = CLR_CELL_DEFAULT;
    std::uint32_t backColor = CLR_CELL_DEFAULT;
};

class CListItems final : public plat::automation::DispatchObject,
                         public std::enable_shared_from_this<CListItems> {
public:
    static std::shared_ptr<CListItems> create(ListItemsHost* host);
    // The control is going away: the collection and its objects answer empty values from now.
    void detach();
    ListItemsHost* host() const { return host_; }

    std::int32_t count() const { return count_; }
    // The item object at slot k (created on first request); nullptr outside the items.
    std::shared_ptr<CListItem> itemAt(std::int32_t index);
    // Adds an item and answers its index; -1 when the list is full.
    // Takes the picture and the key out of `newItem`; the text is copied, so the caller may
    // keep the text's storage for its next item.
    std::int32_t insert(NewItem& newItem);
    // Adds an item; nullptr when the list is full. The new item's index is the result's
    // position.
    std::shared_ptr<CListItem> add(const NewItem& newItem);
    // Add with automation arguments; nullptr when the list is full or an argument cannot be
    // converted.
    std::shared_ptr<CListItem> add(std::span<plat::automation::Variant> args);
    bool removeAt(std::int32_t index);
    bool remove(const plat::automation::Variant& index);
    bool clear();
    bool lastRemoveResult() const { return lastRemove_; }
    std::shared_ptr<CListItem> item(const plat::automation::Variant& index);
    std::shared_ptr<CListItem> itemByOrderIndex(std::int32_t orderIndex);
    std::int32_t additionCounter() const { return counter_; }
    // Index of the first item (lowest index) whose key is `key`, or -1.
    std::int32_t findKey(std::string_view key) const;

private:
    explicit CListItems(ListItemsHost* host);
    void defineMembers();

    ListItemsHost* host_;
    // One slot per item; slot k answers for item k. Objects are made when first asked for,
    // so the slots exist only up to the highest one asked for.
    std::int32_t count_ = 0;
    std::vector<std::shared_ptr<CListItem>> objects_;
    bool lastRemove_ = false;
    std::int32_t counter_ = 0;
};

} // namespace vantil
