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

} // namespace vantil
