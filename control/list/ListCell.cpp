// The rarely used parts of a cell live in an extras record created on first write.
#include "control/list/ListCell.h"

namespace vantil {

namespace {
const CellExtras& noExtras() {
    static const CellExtras none;
    return none;
}
} // namespace

CellExtras& CListCell::extras() {
    if (!extras_) {
        extras_ = std::make_unique<CellExtras>();
    }
    return *extras_;
}

const std::shared_ptr<plat::automation::Picture>& CListCell::picture() const {
    return (extras_ ? *extras_ : noExtras()).picture;
}

const std::shared_ptr<plat::automation::FontObject>& CListCell::fontObject() const {
    return (extras_ ? *extras_ : noExtras()).fontObject;
}

const std::shared_ptr<const CellFont>& CListCell::font() const {
    return (extras_ ? *extras_ : noExtras()).font;
}

void CListCell::setPicture(std::shared_ptr<plat::automation::Picture> p) {
    if (p || extras_) {
        extras().picture = std::move(p);
    }
}

void CListCell::setFontObject(std::shared_ptr<plat::automation::FontObject> f) {
    if (f || extras_) {
        extras().fontObject = std::move(f);
    }
}

void CListCell::setFont(std::shared_ptr<const CellFont> f) {
    if (f || extras_) {
        extras().font = std::move(f);
    }
}

ItemAttributes::ItemAttributes(const ItemAttributes& other)
    : itemData(other.itemData), orderIndex(other.orderIndex), subItemCounter(other.subItemCounter),
      masked(other.masked), enabled(other.enabled),
      extras_(other.extras_ ? std::make_unique<Extras>(*other.extras_) : nullptr) {}

ItemAttributes& ItemAttributes::operator=(const ItemAttributes& other) {
    if (this != &other) {
        ItemAttributes copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ItemAttributes::Extras& ItemAttributes::extras() {
    if (!extras_) {
        extras_ = std::make_unique<Extras>();
    }
    return *extras_;
}

namespace {
const plat::automation::Variant& emptyVariant() {
    static const plat::automation::Variant empty;
    return empty;
}
const std::string& emptyString() {
    static const std::string empty;
    return empty;
}
} // namespace

const plat::automation::Variant& ItemAttributes::tag() const {
    return extras_ ? extras_->tag : emptyVariant();
}
const std::string& ItemAttributes::key() const {
    return extras_ ? extras_->key : emptyString();
}
const std::string& ItemAttributes::boundValue() const {
    return extras_ ? extras_->boundValue : emptyString();
}

void ItemAttributes::setTag(plat::automation::Variant tag) {
    if (extras_ || !tag.isEmpty()) {
        extras().tag = std::move(tag);
    }
}

void ItemAttributes::setKey(std::string key) {
    if (extras_ || !key.empty()) {
        extras().key = std::move(key);
    }
}

void ItemAttributes::setBoundValue(std::string value) {
    if (extras_ || !value.empty()) {
        extras().boundValue = std::move(value);
    }
}

} // namespace vantil
