// One cell of the list grid, the attributes of an item (kept with its row, read and written
// as those of the column-0 cell) and ListCellInfo, the record a cell is read or written with.
#pragma once

#include "control/list/CellText.h"
#include "platform/automation/FontObject.h"
#include "platform/automation/Picture.h"
#include "platform/automation/Variant.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vantil {

// The cell has no colour of its own: the list's colour applies.
inline constexpr std::uint32_t CLR_CELL_DEFAULT = 0xFF000000u;

// Cell state: the cell belongs to the selected item.
inline constexpr std::uint32_t LCIS_SELECTED = 0x02;

// Which of the first parts of a ListCellInfo count.
inline constexpr std::uint32_t LCIF_TEXT = 0x01;
inline constexpr std::uint32_t LCIF_PICTURE = 0x02;
inline constexpr std::uint32_t LCIF_PARAM = 0x04;
inline constexpr std::uint32_t LCIF_STATE = 0x08;
inline constexpr std::uint32_t LCIF_BACKCOLOR = 0x10;
inline constexpr std::uint32_t LCIF_FORECOLOR = 0x20;
inline constexpr std::uint32_t LCIF_FORMAT = 0x40;
inline constexpr std::uint32_t LCIF_FONT = 0x80;
inline constexpr std::uint32_t kAddMask = 0x77; // everything but state and font description
inline constexpr std::uint32_t kFullMask = 0xFF;

// Text-drawing format flags of a cell.
inline constexpr std::uint32_t kFormatCenter = 0x01;
inline constexpr std::uint32_t kFormatRight = 0x02;
inline constexpr std::uint32_t kFormatVCenter = 0x04;
inline constexpr std::uint32_t kFormatBottom = 0x08;
inline constexpr std::uint32_t kFormatSingleLine = 0x20;

// The logical font record of a cell (the list's font unless ItemFont set one).
using CellFont = plat::automation::FontDesc;

// Rarely used parts of a cell, allocated only when one of them is set.
struct CellExtras {
    std::shared_ptr<plat::automation::Picture> picture;
    std::shared_ptr<plat::automation::FontObject> fontObject;
    std::shared_ptr<const CellFont> font; // nullptr: the list's font
};

class CListCell {
public:
    std::uint32_t state = 0;
    std::uint32_t format = 0;
    CellText text; // code page 932
    std::uint32_t backColor = CLR_CELL_DEFAULT;
    std::uint32_t foreColor = CLR_CELL_DEFAULT;
    std::uint32_t param = 0;

    const std::shared_ptr<plat::automation::Picture>& picture() const;
    const std::shared_ptr<plat::automation::FontObject>& fontObject() const;
    const std::shared_ptr<const CellFont>& font() const;
    void setPicture(std::shared_ptr<plat::automation::Picture> p);
    void setFontObject(std::shared_ptr<plat::automation::FontObject> f);
    void setFont(std::shared_ptr<const CellFont> f);

private:
    CellExtras& extras();
    std::unique_ptr<CellExtras> extras_;
};

// The item-level attributes, held once per row and answered as those of its column-0 cell.
// Tag, key and bound value are seldom set and live in a record allocated on first write.
class ItemAttributes {
public:
    std::int32_t itemData = 0;
    std::int32_t orderIndex = 0;
    std::int32_t subItemCounter = 0;
    bool masked = false;
    bool enabled = true;

    ItemAttributes() = default;
    ItemAttributes(const ItemAttributes& other);
    ItemAttributes& operator=(const ItemAttributes& other);
    ItemAttributes(ItemAttributes&&) noexcept = default;
    ItemAttributes& operator=(ItemAttributes&&) noexcept = default;

    const plat::automation::Variant& tag() const;
    const std::string& key() const;        // code page 932; not required to be unique
    const std::string& boundValue() const; // code page 932
    void setTag(plat::automation::Variant tag);
    void setKey(std::string key);
    void setBoundValue(std::string value);

private:
    struct Extras {
        plat::automation::Variant tag;
        std::string key;
        std::string boundValue;
    };
    Extras& extras();
    std::unique_ptr<Extras> extras_;
};

// A cell read or written as a whole. The fields from itemData on are always transferred.
struct ListCellInfo {
    std::int32_t row = 0;
    std::int32_t column = 0;
    std::uint32_t mask = 0;
    std::uint32_t state = 0;
    std::uint32_t format = 0;
    std::string text;
    std::shared_ptr<plat::automation::Picture> picture;
    std::uint32_t backColor = CLR_CELL_DEFAULT;
    std::uint32_t foreColor = CLR_CELL_DEFAULT;
    std::uint32_t param = 0;
    std::shared_ptr<const CellFont> font;
    // Always transferred.
    ItemAttributes item;
    std::shared_ptr<plat::automation::FontObject> fontObject;
};

} // namespace vantil
