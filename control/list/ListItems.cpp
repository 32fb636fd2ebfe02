// ListItems, ListItem and the collection's enumerator.
#include "control/list/ListItems.h"

#include "control/list/Texts.h"
#include "platform/automation/Texts.h"
#include "platform/automation/Unicode.h"
#include "platform/text/Cp932.h"

#include <algorithm>

namespace vantil {

namespace cp932 = plat::text::cp932;
using namespace plat::automation;

namespace {

std::string narrow(std::u16string_view s) {
    return cp932::fromUtf16(s);
}
std::u16string wide(std::string_view s) {
    return cp932::toUtf16(s);
}

// An omitted optional argument: empty, null or an error value.
bool omitted(const Variant& v) {
    const VarType t = v.type();
    return t == VarType::Empty || t == VarType::Null || t == VarType::Error;
}

std::optional<Variant> converted(const Variant& v, VarType t) {
    Variant out;
    if (failed(v.tryConvert(t, out))) {
        return std::nullopt;
    }
    return out;
}

Variant nothing() {
    return Variant(std::shared_ptr<Dispatch>());
}

// The platform picture interface of an object argument; nullopt when the argument is no
// picture (an empty object reference is "no picture").
std::optional<std::shared_ptr<Picture>> pictureOf(const Variant& v) {
    const Variant& d = v.deref();
    if (d.type() != VarType::Object) {
        return std::nullopt;
    }
    if (!d.asObject()) {
        return std::shared_ptr<Picture>();
    }
    auto picture = std::dynamic_pointer_cast<Picture>(d.asObject());
    if (!picture) {
        return std::nullopt;
    }
    return picture;
}

namespace itemid {
constexpr DispId Index = 1, Key = 2, Text = 3, ItemData = 4, Selected = 5, Picture = 6, Tag = 7,
                 ForeColor = 8, BackColor = 9, OrderIndex = 10, SubItems = 11;
}

const TypeInfo& itemTypeInfo() {
    static const TypeInfo info = [] {
        TypeInfo t;
        t.name = u"IListItem";
        const auto P = MemberKind::Property;
        t.members = {
            memberInfo(itemid::Index, u"Index", P, VarType::Long, {}, true),
            memberInfo(itemid::Key, u"Key", P, VarType::String),
            memberInfo(itemid::Text, u"Text", P, VarType::String),
            memberInfo(itemid::ItemData, u"ItemData", P, VarType::Long),
            memberInfo(itemid::Selected, u"Selected", P, VarType::Bool),
            memberInfo(itemid::Picture, u"Picture", P, VarType::Variant),
            memberInfo(itemid::Tag, u"Tag", P, VarType::Variant),
            memberInfo(itemid::ForeColor, u"ForeColor", P, VarType::Long),
            memberInfo(itemid::BackColor, u"BackColor", P, VarType::Long),
            memberInfo(itemid::OrderIndex, u"OrderIndex", P, VarType::Long, {}, true),
            memberInfo(itemid::SubItems, u"SubItems", P, VarType::String,
                       {paramInfo(u"Index", VarType::Short)}),
        };
        return t;
    }();
    return info;
}

} // namespace

// ---- ListItem ----------------------------------------------------------------------------

CListItem::CListItem(std::shared_ptr<CListItems> owner, std::int32_t position)
    : owner_(std::move(owner)), position_(position) {}

ListItemsHost* CListItem::host() const {
    return owner_ ? owner_->host() : nullptr;
}

ListRow* CListItem::itemRow() const {
    ListItemsHost* h = host();
    if (h == nullptr || position_ < 0 || position_ >= h->grid().itemCount()) {
        return nullptr;
    }
    return &h->grid().item(position_);
}

const TypeInfo* CListItem::typeInfo() const {
    return &itemTypeInfo();
}

DispId CListItem::memberId(std::u16string_view name) const {
    if (const MemberInfo* m = itemTypeInfo().findMember(name)) {
        return m->id;
    }
    return dispid::Unknown;
}

Status CListItem::invoke(DispId id, InvokeKind kind, std::span<Variant> args, Variant& result,
                         AutomationError& error) {
    const MemberInfo* info = itemTypeInfo().findMember(id);
    if (info == nullptr) {
        error = AutomationError::memberNotFound();
        return status::MemberNotFound;
    }
    const bool isPut = kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef;
    const std::size_t indexArgs = info->params.size();
    if (args.size() != indexArgs + (isPut ? 1 : 0)) {
        error = AutomationError(status::BadParamCount, plat::automation::texts::kBadParamCount);
        return status::BadParamCount;
    }
    if (isPut && info->readOnly) {
        error = AutomationError::setNotSupported();
        return status::Exception;
    }
    result = Variant();
    return guardedInvoke(error, [&] {
        const Variant* value = isPut ? &args.back().deref() : nullptr;
        switch (id) {
        case itemid::Index:
            result = Variant(position_);
            break;
        case itemid::Key:
            if (value)
                setKey(value->toString());
            else
                result = Variant(key());
            break;
        case itemid::Text:
            if (value)
                setText(value->toString());
            else
                result = Variant(text());
            break;
        case itemid::ItemData:
            if (value)
                setItemData(value->toLong());
            else
                result = Variant(itemData());
            break;
        case itemid::Selected:
            if (value)
                setSelected(value->toBool());
            else
                result = Variant(selected());
            break;
        case itemid::Picture:
            if (value)
                setPicture(*value);
            else
                result = picture();
            break;
        case itemid::Tag:
            if (value)
                setTag(*value);
            else
                result = tag();
            break;
        case itemid::ForeColor:
            if (value)
                setForeColor(static_cast<std::uint32_t>(value->toLong()));
            else
                result = Variant(static_cast<std::int32_t>(foreColor()));
            break;
        case itemid::BackColor:
            if (value)
                setBackColor(static_cast<std::uint32_t>(value->toLong()));
            else
                result = Variant(static_cast<std::int32_t>(backColor()));
            break;
        case itemid::OrderIndex:
            result = Variant(orderIndex());
            break;
        case itemid::SubItems: {
            const std::int32_t column = args[0].deref().toShort();
            if (value)
                setSubItem(column, value->toString());
            else
                result = Variant(subItem(column));
            break;
        }
        default:
            break;
        }
    });
}

std::u16string CListItem::key() const {
    const ListRow* r = itemRow();
    return r ? wide(r->item.key()) : std::u16string();
}

void CListItem::setKey(std::u16string_view key) {
    if (ListRow* r = itemRow()) {
        r->item.setKey(narrow(key));
    }
}

std::u16string CListItem::text() const {
    const ListRow* r = itemRow();
    return r && !r->cells.empty() ? wide(r->cells[0].text) : std::u16string();
}

void CListItem::setText(std::u16string_view text) {
    if (itemRow()) {
        host()->replaceItemText(position_, narrow(text));
    }
}

std::int32_t CListItem::itemData() const {
    const ListRow* r = itemRow();
    return r ? r->item.itemData : -1;
}

void CListItem::setItemData(std::int32_t data) {
    if (itemRow()) {
        host()->replaceItemData(position_, data);
    }
}

bool CListItem::selected() const {
    const ListRow* r = itemRow();
    return r && !r->cells.empty() && (r->cells[0].state & LCIS_SELECTED) != 0;
}

void CListItem::setSelected(bool on) {
    if (!itemRow()) {
        return;
    }
    if (on) {
        host()->selectItem(position_, true);
    } else if (selected()) {
        host()->selectItem(position_, false);
    }
}

Variant CListItem::picture() const {
    const ListRow* r = itemRow();
    if (!r || r->cells.empty()) {
        return nothing();
    }
    return Variant(std::shared_ptr<Dispatch>(r->cells[0].picture()));
}

void CListItem::setPicture(const Variant& value) {
    ListRow* r = itemRow();
    if (!r || r->cells.empty()) {
        return;
    }
    if (auto picture = pictureOf(value)) {
        r->cells[0].setPicture(*picture);
        host()->repaintList();
    }
}

Variant CListItem::tag() const {
    const ListRow* r = itemRow();
    return r ? r->item.tag() : Variant();
}

void CListItem::setTag(const Variant& value) {
    if (ListRow* r = itemRow()) {
        r->item.setTag(value.deref());
    }
}

std::uint32_t CListItem::foreColor() const {
    const ListRow* r = itemRow();
    return r && !r->cells.empty() ? r->cells[0].foreColor : CLR_CELL_DEFAULT;
}

void CListItem::setForeColor(std::uint32_t color) {
    ListRow* r = itemRow();
    if (r && !r->cells.empty()) {
        r->cells[0].foreColor = translateColor(color);
        host()->repaintList();
    }
}

std::uint32_t CListItem::backColor() const {
    const ListRow* r = itemRow();
    return r && !r->cells.empty() ? r->cells[0].backColor : CLR_CELL_DEFAULT;
}

void CListItem::setBackColor(std::uint32_t color) {
    ListRow* r = itemRow();
    if (r && !r->cells.empty()) {
        r->cells[0].backColor = translateColor(color);
        host()->repaintList();
    }
}

std::int32_t CListItem::orderIndex() const {
    const ListRow* r = itemRow();
    return r ? r->item.orderIndex : -1;
}

std::u16string CListItem::subItem(std::int32_t column) const {
    const ListRow* r = itemRow();
    if (!r || column < 0 || static_cast<std::size_t>(column) >= r->cells.size()) {
        return {};
    }
    return wide(r->cells[static_cast<std::size_t>(column)].text);
}

void CListItem::setSubItem(std::int32_t column, std::u16string_view text) {
    if (!itemRow()) {
        raise(AutomationError(statusFromErrorNumber(errnum::InvalidPropertyValue),
                              vantil::texts::kIndexOutOfRange));
    }
    writeSubItem(*host(), position_, column, text);
}

void writeSubItem(ListItemsHost& host, std::int32_t position, std::int32_t column,
                  std::u16string_view text) {
    ListGrid& g = host.grid();
    ListRow* r = position >= 0 && position < g.itemCount() ? &g.item(position) : nullptr;
    if (!r || column < 0 || static_cast<std::size_t>(column) >= r->cells.size()) {
        raise(AutomationError(statusFromErrorNumber(errnum::InvalidPropertyValue),
                              vantil::texts::kIndexOutOfRange));
    }
    r->cells[static_cast<std::size_t>(column)].text = narrow(text);
    if (column == 0) {
        g.items().keyAt(position).invalidate();
        host.orderMayHaveBroken();
    }
    host.repaintList();
}

// ---- ListItems ---------------------------------------------------------------------------

std::shared_ptr<CListItems> CListItems::create(ListItemsHost* host) {
    std::shared_ptr<CListItems> items(new CListItems(host));
    return items;
}

CListItems::CListItems(ListItemsHost* host) : DispatchObject(u"IListItems"), host_(host) {
    defineMembers();
}

void CListItems::detach() {
    host_ = nullptr;
    count_ = 0;
    objects_.clear();
}

void CListItems::defineMembers() {
    const auto P = MemberKind::Property;
    const auto M = MemberKind::Method;
    addProperty(memberInfo(1, u"Count", P, VarType::Long, {}, true),
                [this](std::span<Variant>) { return Variant(count()); });
    std::vector<ParamInfo> addParams;
    for (const char16_t* name :
         {u"Index", u"Key", u"Text", u"State", u"Icon", u"ForeColor", u"BackColor"}) {
        addParams.push_back(paramInfo(name, VarType::Variant, true));
    }
    addMethod(memberInfo(2, u"Add", M, VarType::Object, addParams, false, u"IListItem"),
              [this](std::span<Variant> args) {
                  auto item = add(args);
                  if (item && host_) {
                      host_->orderMayHaveBroken();
                  }
                  return Variant(std::shared_ptr<Dispatch>(item));
              });
    addMethod(memberInfo(3, u"Clear", M, VarType::Void), [this](std::span<Variant>) {
        clear();
        return Variant();
    });
    addMethod(memberInfo(4, u"Remove", M, VarType::Void, {paramInfo(u"Index", VarType::Variant)}),
              [this](std::span<Variant> args) {
                  remove(args[0]);
                  return Variant();
              });
    auto itemGetter = [this](std::span<Variant> args) {
        return Variant(std::shared_ptr<Dispatch>(item(args[0])));
    };
    addProperty(memberInfo(5, u"Item", P, VarType::Object, {paramInfo(u"Index", VarType::Variant)},
                           true, u"IListItem"),
                itemGetter);
    addProperty(memberInfo(dispid::Value, u"_Item", P, VarType::Object,
                           {paramInfo(u"Index", VarType::Variant)}, true, u"IListItem"),
                itemGetter);
    addProperty(memberInfo(6, u"ItemByOrderIndex", P, VarType::Object,
                           {paramInfo(u"OrderIndex", VarType::Long)}, true, u"IListItem"),
                [this](std::span<Variant> args) {
                    return Variant(std::shared_ptr<Dispatch>(itemByOrderIndex(args[0].toLong())));
                });
    addProperty(memberInfo(dispid::NewEnum, u"_NewEnum", P, VarType::Object, {}, true),
                [this](std::span<Variant>) {
                    return Variant(std::shared_ptr<Dispatch>(
                        std::make_shared<ListItemsEnum>(shared_from_this())));
                });
}

std::shared_ptr<CListItem> CListItems::itemAt(std::int32_t index) {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    if (static_cast<std::size_t>(index) >= objects_.size()) {
        objects_.resize(static_cast<std::size_t>(index) + 1);
    }
    auto& slot = objects_[static_cast<std::size_t>(index)];
    if (!slot) {
        slot = std::make_shared<CListItem>(shared_from_this(), index);
    }
    return slot;
}

std::int32_t CListItems::insert(NewItem& newItem) {
    if (host_ == nullptr || count() >= kMaxItems) {
        return -1;
    }
    host_->ensureFirstColumn();
    host_->refreshHeaderRow();
    ListGrid& g = host_->grid();
    g.resetCurrentCell();
    std::int32_t row =
        !newItem.index ? g.itemCount() + 1 : (*newItem.index > 0 ? *newItem.index + 1 : 1);
    if (row > g.itemCount()) {
        row = g.itemCount() + 1;
    }
    ListRow& r = g.insertRow(row, host_->standardItemHeight());
    // Column 0 is written with the add mask: text, picture, param and colours; the inherited
    // format stays. Lists without columns have no cell: the item attributes are kept anyway.
    if (!r.cells.empty()) {
        CListCell& c = r.cells[0];
        c.text = newItem.text;
        c.setPicture(std::move(newItem.picture));
        c.param = 0;
        c.foreColor = newItem.foreColor;
        c.backColor = newItem.backColor;
        c.setFontObject(nullptr);
    }
    r.item = ItemAttributes{};
    r.item.itemData = newItem.itemData;
    r.item.setKey(std::move(newItem.key));
    r.item.orderIndex = counter_;
    ++count_;
    ++counter_;
    host_->currentRowMoved();
    return row - 1;
}

std::shared_ptr<CListItem> CListItems::add(const NewItem& newItem) {
    NewItem copy = newItem;
    return itemAt(insert(copy));
}

bool convertNewItem(const Variant* const (&args)[7], NewItem& newItem) {
    auto arg = [&](std::size_t i) -> const Variant* {
        if (args[i] == nullptr)
            return nullptr;
        const Variant& v = args[i]->deref();
        return omitted(v) ? nullptr : &v;
    };
    if (const Variant* v = arg(0)) {
        auto c = converted(*v, VarType::Long);
        if (!c)
            return false;
        newItem.index = c->asLong();
    }
    if (const Variant* v = arg(1)) {
        auto c = converted(*v, VarType::String);
        if (!c)
            return false;
        newItem.key = narrow(c->asString());
    }
    if (const Variant* v = arg(2)) {
        if (v->type() == VarType::String) {
            cp932::fromUtf16(v->asString(), newItem.text);
        } else {
            auto c = converted(*v, VarType::String);
            if (!c)
                return false;
            cp932::fromUtf16(c->asString(), newItem.text);
        }
    }
    if (const Variant* v = arg(3)) {
        auto c = converted(*v, VarType::Long);
        if (!c)
            return false;
        newItem.itemData = c->asLong();
    }
    if (const Variant* v = arg(4)) {
        auto p = pictureOf(*v);
        if (!p)
            return false;
        newItem.picture = *p;
    }
    if (const Variant* v = arg(5)) {
        auto c = converted(*v, VarType::Long);
        if (!c)
            return false;
        newItem.foreColor = translateColor(static_cast<std::uint32_t>(c->asLong()));
    }
    if (const Variant* v = arg(6)) {
        auto c = converted(*v, VarType::Long);
        if (!c)
            return false;
        newItem.backColor = translateColor(static_cast<std::uint32_t>(c->asLong()));
    }
    return true;
}

std::shared_ptr<CListItem> CListItems::add(std::span<Variant> args) {
    if (count() >= kMaxItems) {
        return nullptr;
    }
    const Variant* given[7] = {};
    for (std::size_t i = 0; i < 7 && i < args.size(); ++i) {
        given[i] = &args[i];
    }
    NewItem newItem;
    if (!convertNewItem(given, newItem)) {
        return nullptr;
    }
    return itemAt(insert(newItem));
}

bool CListItems::removeAt(std::int32_t index) {
    if (host_ == nullptr || index < 0 || index >= count()) {
        return false;
    }
    if (!host_->grid().removeRow(index + 1)) {
        return false;
    }
    --count_; // the last object goes
    if (objects_.size() > static_cast<std::size_t>(count_)) {
        objects_.resize(static_cast<std::size_t>(count_));
    }
    host_->currentRowMoved();
    return true;
}

std::int32_t CListItems::findKey(std::string_view key) const {
    if (host_ == nullptr) {
        return -1;
    }
    std::int32_t found = -1;
    host_->grid().items().forEachFrom(0, [&](std::int32_t i, ListRow& r) {
        if (r.item.key() == key) {
            found = i;
            return false;
        }
        return true;
    });
    return found;
}

bool CListItems::remove(const Variant& index) {
    const Variant& v = index.deref();
    bool removed = false;
    if (v.type() == VarType::String) {
        const std::int32_t at = findKey(narrow(v.asString()));
        removed = at >= 0 && removeAt(at);
    } else if (v.type() == VarType::Object) {
        if (auto obj = std::dynamic_pointer_cast<CListItem>(v.asObject())) {
            removed = removeAt(obj->position());
        }
    } else if (auto c = converted(v, VarType::Long)) {
        removed = removeAt(c->asLong());
    }
    lastRemove_ = removed;
    if (removed && host_) {
        host_->repaintList();
    }
    return removed;
}

bool CListItems::clear() {
    const std::int32_t n = count();
    objects_.clear();
    count_ = 0;
    counter_ = 0;
    lastRemove_ = false;
    if (host_ == nullptr) {
        return true;
    }
    ListGrid& g = host_->grid();
    bool ok = true;
    if (n == g.itemCount()) {
        // Dropping every row at once ends in the same state as removing row 1 n times.
        g.resetCurrentCell();
        g.items().clear();
        g.setRowHeight(0, g.rowHeight(0));
    } else {
        for (std::int32_t i = 0; i < n; ++i) {
            ok = g.removeRow(1) && ok;
        }
    }
    host_->currentRowMoved();
    return ok;
}

std::shared_ptr<CListItem> CListItems::item(const Variant& index) {
    const Variant& v = index.deref();
    if (v.type() == VarType::String) {
        return itemAt(findKey(narrow(v.asString())));
    }
    auto c = converted(v, VarType::Long);
    return c ? itemAt(c->asLong()) : nullptr;
}

std::shared_ptr<CListItem> CListItems::itemByOrderIndex(std::int32_t orderIndex) {
    if (host_ == nullptr) {
        return nullptr;
    }
    std::int32_t found = -1;
    host_->grid().items().forEachFrom(0, [&](std::int32_t i, ListRow& r) {
        if (r.item.orderIndex == orderIndex) {
            found = i;
            return false;
        }
        return true;
    });
    return itemAt(found);
}

} // namespace vantil
