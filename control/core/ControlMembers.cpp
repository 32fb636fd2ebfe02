// Members of the control with rules of their own: resolved caption colours, MousePointer's
// custom value, the list state, the text and its selection, the context-menu table, the
// column definitions, the property-page status and the about box.
#include "control/core/CVantilCtrl.h"

#include "control/core/DragDrop.h"
#include "control/core/EventTable.h"
#include "control/core/Texts.h"
#include "control/core/ValueConversion.h"
#include "platform/text/Cp932.h"

#include <algorithm>
#include <cstdlib>

namespace vantil {

namespace cp932 = plat::text::cp932;
using namespace plat::automation;

namespace {

constexpr int kSetNotPermitted = 387;

// A menu index: 0..19 except the reserved entries 6..9.
std::size_t menuIndex(const Variant& v) {
    const std::int32_t i = toInt(v);
    if (i < 0 || i >= kMenuEntryCount || (i >= kBuiltInMenuEntries && i < kFirstHostMenuEntry)) {
        invalidValue();
    }
    return static_cast<std::size_t>(i);
}

Variant nothing() {
    return Variant(std::shared_ptr<Dispatch>());
}

} // namespace

std::size_t CVantilCtrl::listFieldColumn(const Variant& index) const {
    // A live column without a definition (or the reverse) has no list field to reach.
    const auto defined = static_cast<std::int32_t>(props_.columns.size());
    const std::int32_t live = list_ ? list_->columnCount() : defined;
    const std::int32_t i = toInt(index);
    if (i < 0 || i >= std::min(live, defined)) {
        invalidIndex();
    }
    return static_cast<std::size_t>(i);
}

Color CVantilCtrl::resolvedCaptionColor(DispId id) const {
    const ControlProperties& p = props_;
    Color stored = 0;
    Color follows = 0;
    switch (id) {
    case dispids::CaptionColor:
        stored = p.captionColor;
        follows = p.foreColor;
        break;
    case dispids::CaptionFocusColor:
        stored = p.captionFocusColor;
        follows = p.focusColor;
        break;
    case dispids::CaptionDisabledColor:
        stored = p.captionDisabledColor;
        follows = p.disabledColor;
        break;
    default:
        stored = p.captionPointedColor;
        follows = resolvedCaptionColor(dispids::CaptionColor);
        break;
    }
    // Data of format 4.0 reads the stored value as it is.
    if (stored != kNoColor || p.loadedVersion <= kVersion40) {
        return stored;
    }
    return follows;
}

bool CVantilCtrl::getSpecial(const Member& m, std::span<Variant> args, Variant& out) {
    const ControlProperties& p = props_;
    switch (m.id) {
    case dispids::CaptionColor:
    case dispids::CaptionFocusColor:
    case dispids::CaptionDisabledColor:
    case dispids::CaptionPointedColor:
        out = Variant(static_cast<std::int32_t>(resolvedCaptionColor(m.id)));
        return true;
    case dispids::MousePointer:
        out = Variant(p.mousePointer == kStoredCustomPointer
                          ? kCustomPointerNumber
                          : static_cast<std::int16_t>(p.mousePointer));
        return true;
    case dispids::ListCount:
        out = Variant(listCount());
        return true;
    case dispids::VisibleCount: // no visible rows without the list window
        out = Variant(listWindow_ ? listWindow_->visibleCount() : std::int16_t{0});
        return true;
    case dispids::HWnd:
        out = Variant(static_cast<std::int32_t>(view_ ? view_->windowHandle() : 0));
        return true;
    case dispids::BoundText:
        out = Variant(cp932::toUtf16(binding_->boundText()));
        return true;
    case dispids::RowSource:
        out = Variant(binding_->rowSource());
        return true;
    case dispids::ListField: {
        out = Variant(cp932::toUtf16(p.columns[listFieldColumn(args[0])].listField));
        return true;
    }
    case dispids::ColumnWidth: // no live columns without the list engine
        toInt(args[0]);
        out = Variant(std::int32_t{-1});
        return true;
    case dispids::SelStart:
        out = Variant(static_cast<std::int16_t>(std::min(p.edit.caret, p.edit.anchor)));
        return true;
    case dispids::SelLength:
        out = Variant(static_cast<std::int16_t>(std::abs(p.edit.caret - p.edit.anchor)));
        return true;
    case dispids::SelText:
        out = selText();
        return true;
    case dispids::MenuCaption:
    case dispids::MenuEnabled:
    case dispids::MenuHidden:
    case dispids::MenuSeparator:
        out = getMenuMember(m.id, args);
        return true;
    default:
        return false;
    }
}

bool CVantilCtrl::putSpecial(const Member& m, std::span<Variant> args, const Variant& value) {
    switch (m.id) {
    case dispids::ListIndex:
        putListIndex(value);
        return true;
    case dispids::Text:
        putText(value);
        return true;
    case dispids::Caption:
    case dispids::CaptionAccelerator:
        putCaption(m, value);
        return true;
    case dispids::BoundText:
        putBoundText(value);
        return true;
    case dispids::RowSource:
        putRowSource(value);
        return true;
    case dispids::ListField:
        props_.columns[listFieldColumn(args[0])].listField = toText(value);
        setModified();
        return true;
    case dispids::ColumnWidth: // nothing to set without live columns
        return true;
    case dispids::SelStart:
        edit_->setSelStart(toIntInRange(m, value));
        return true;
    case dispids::SelLength:
        edit_->setSelLength(toIntInRange(m, value));
        return true;
    case dispids::SelText:
        (void)edit_->setSelText(toText(value)); // ChangeText is its last step
        return true;
    case dispids::IMEMode:
        putStored(m, value);
        edit_->imeModeChanged();
        return true;
    case dispids::MenuCaption:
    case dispids::MenuEnabled:
    case dispids::MenuHidden:
    case dispids::MenuSeparator:
        putMenuMember(m.id, args, value);
        return true;
    default:
        return false;
    }
}

void CVantilCtrl::putListIndex(const Variant& value) {
    const std::int32_t v = toInt(value);
    if (v < -1 || v > listCount() - 1) {
        invalidValue();
    }
    if (v != props_.listIndex) {
        props_.listIndex = v;
        propertyChanged(dispids::ListIndex);
    }
}

void CVantilCtrl::putText(const Variant& value) {
    ControlProperties& p = props_;
    std::string text = toText(value);
    if (text != p.text) {
        p.text = std::move(text);
        if (designMode()) {
            p.edit.charCount = static_cast<std::int32_t>(cp932::charCount(p.text));
            p.edit.caret = std::min(p.edit.caret, p.edit.charCount);
            p.edit.anchor = std::min(p.edit.anchor, p.edit.charCount);
        } else {
            edit_->textReplaced();
            if (!refreshBoundText()) {
                raise(AutomationError::setNotSupported());
            }
            if (!fireEvent(events::ChangeText)) {
                return; // the handler destroyed or closed the control
            }
        }
    }
    p.edit.horizontalOffset = 0;
    propertyChanged(dispids::Text);
    if (!designMode() && view_ && list_) {
        p.matchedWithList = list_->matchText(p.text);
    }
}

// Caption and CaptionAccelerator: a change of either renews the accelerator character.
void CVantilCtrl::putCaption(const Member& m, const Variant& value) {
    ControlProperties& p = props_;
    const bool before = p.captionAccelerator;
    const std::string caption = p.caption;
    putStored(m, value);
    if (before != p.captionAccelerator || caption != p.caption) {
        p.acceleratorChar = p.captionAccelerator ? acceleratorCharacter(p.caption) : 0;
        if (site_) {
            site_->onMnemonicsChanged();
        }
    }
}

// BoundText is data-bound: the host may refuse the edit before it happens.
void CVantilCtrl::putBoundText(const Variant& value) {
    if (site_ && !site_->onRequestEdit(dispids::BoundText)) {
        raise(kSetNotPermitted, texts::kSetNotPermitted);
    }
    props_.boundText = toText(value);
    if (site_) {
        site_->onChanged(dispids::BoundText);
    }
    binding_->boundTextStored();
}

void CVantilCtrl::putRowSource(const Variant& value) {
    const Variant& v = value.deref();
    if (v.type() != VarType::Object && !v.isEmpty() && !v.isNull()) {
        invalidValue();
    }
    binding_->setRowSource(v.type() == VarType::Object ? v.asObject() : nullptr);
    setModified();
}

Variant CVantilCtrl::call(const Member& m, std::span<Variant> args) {
    if (list_ && list_->handles(m.id)) {
        return list_->invoke(m.id, args, nullptr);
    }
    ControlProperties& p = props_;
    switch (m.id) {
    case dispids::GetPpgStatus:
        args[0].assign(Variant(kPpgStatus));
        return Variant();
    case dispids::SetMenuItem:
        return setMenuItem(args);
    case dispids::GetMenuItem:
        return getMenuItem(args);
    case dispids::SetColumnData:
        return setColumnData(args);
    case dispids::GetColumnData:
        return getColumnData(args);
    case dispids::OLEDrag:
        dragDrop_->startDrag();
        return Variant();
    case dispids::SelectAll:
        selectAll(args[0]);
        return Variant();
    case dispids::AboutBox:
        aboutBox();
        return Variant();
    case dispids::ReFill:
        binding_->refill();
        return Variant();
    case dispids::RemoveItem: // no item to remove
        toInt(args[0]);
        return Variant(false);
    case dispids::RemoveColumn: // no live column to remove
        toInt(args[0]);
        return Variant(false);
    case dispids::ClearItem:
        p.newIndex = -1;
        p.listIndex = -1;
        return Variant(true);
    case dispids::ClearColumn: // false when there is no column
        return Variant(false);
    case dispids::Clear:
        p.newIndex = -1;
        p.listIndex = -1;
        setModified();
        if (view_) {
            view_->propertyChanged(m.id);
        }
        return Variant();
    case dispids::GetFirstVisible:
        return listWindow_ ? listWindow_->firstVisible() : nothing();
    case dispids::HitTest:
        if (!listWindow_) {
            return nothing();
        }
        return listWindow_->hitTest(toInt(args[0]), toInt(args[1]));
    case dispids::FindItem: // nothing in an empty list
        return nothing();
    default:
        notYetAvailable();
    }
}

// ---- Selection --------------------------------------------------------------------------

Variant CVantilCtrl::selText() const {
    return Variant(cp932::toUtf16(edit_->buffer().selectedBytes()));
}

void CVantilCtrl::selectAll(const Variant& cancel) {
    bool selectWhole = false;
    if (!cancel.isMissing()) {
        Variant converted;
        if (failed(cancel.tryConvert(VarType::Bool, converted))) {
            raise(errnum::ArgumentNotConvertible, texts::kInvalidValue);
        }
        selectWhole = converted.asBool();
    }
    edit_->selectAll(selectWhole);
}

// ---- Context-menu table -----------------------------------------------------------------

Variant CVantilCtrl::getMenuMember(DispId id, std::span<Variant> args) const {
    const MenuEntry& e = props_.menu[menuIndex(args[0])];
    switch (id) {
    case dispids::MenuCaption:
        return Variant(cp932::toUtf16(e.caption));
    case dispids::MenuEnabled:
        return Variant(e.enabled);
    case dispids::MenuHidden:
        return Variant(e.hidden);
    default:
        return Variant(e.separator);
    }
}

void CVantilCtrl::putMenuMember(DispId id, std::span<Variant> args, const Variant& value) {
    const std::size_t i = menuIndex(args[0]);
    MenuEntry& e = props_.menu[i];
    const bool builtIn = i < static_cast<std::size_t>(kFirstHostMenuEntry);
    if (builtIn && (id == dispids::MenuCaption || id == dispids::MenuSeparator)) {
        invalidValue();
    }
    Variant converted;
    const VarType type = id == dispids::MenuCaption ? VarType::String : VarType::Bool;
    if (failed(value.tryConvert(type, converted))) {
        invalidValue();
    }
    switch (id) {
    case dispids::MenuCaption:
        e.caption = cp932::fromUtf16(converted.asString());
        break;
    case dispids::MenuEnabled:
        e.enabled = converted.asBool();
        break;
    case dispids::MenuHidden:
        e.hidden = converted.asBool();
        break;
    default:
        e.separator = converted.asBool();
        break;
    }
    setModified();
}

Variant CVantilCtrl::setMenuItem(std::span<Variant> args) {
    const std::size_t i = menuIndex(args[0]);
    MenuEntry& e = props_.menu[i];
    const std::string caption = cp932::fromUtf16(args[1].toString());
    const bool enabled = args[2].toBool();
    const bool hidden = args[3].toBool();
    const bool separator = args[4].toBool();
    if (i >= static_cast<std::size_t>(kFirstHostMenuEntry)) {
        e.caption = caption;
        e.separator = separator;
    }
    e.enabled = enabled;
    e.hidden = hidden;
    setModified();
    return Variant();
}

Variant CVantilCtrl::getMenuItem(std::span<Variant> args) const {
    const MenuEntry& e = props_.menu[menuIndex(args[0])];
    args[1].assign(Variant(cp932::toUtf16(e.caption)));
    args[2].assign(Variant(e.enabled));
    args[3].assign(Variant(e.hidden));
    args[4].assign(Variant(e.separator));
    return Variant();
}

// ---- Column definitions -----------------------------------------------------------------

Variant CVantilCtrl::setColumnData(std::span<Variant> args) {
    auto& columns = props_.columns;
    const std::int32_t index = args[0].toShort();
    const auto count = static_cast<std::int32_t>(columns.size());
    ColumnDefinition d;
    d.caption = cp932::fromUtf16(args[1].toString());
    d.listField = cp932::fromUtf16(args[2].toString());
    d.width = args[3].toShort();
    d.alignmentH = args[4].toShort();
    d.alignmentV = args[5].toShort();
    d.multiLine = args[6].toShort() != 0;
    if (index < 0 || index > count) {
        return Variant(false);
    }
    // Width -1 with alignments -2 and -3 deletes the definition.
    if (d.width == -1 && d.alignmentH == -2 && d.alignmentV == -3) {
        if (index == count) {
            return Variant(false);
        }
        columns.erase(columns.begin() + index);
    } else if (index == count) {
        columns.push_back(std::move(d));
    } else {
        columns[static_cast<std::size_t>(index)] = std::move(d);
    }
    setModified();
    return Variant(true);
}

Variant CVantilCtrl::getColumnData(std::span<Variant> args) const {
    const std::int32_t index = args[0].toShort();
    if (index < 0 || index >= static_cast<std::int32_t>(props_.columns.size())) {
        return Variant(false);
    }
    const ColumnDefinition& d = props_.columns[static_cast<std::size_t>(index)];
    args[1].assign(Variant(cp932::toUtf16(d.caption)));
    args[2].assign(Variant(cp932::toUtf16(d.listField)));
    args[3].assign(Variant(static_cast<std::int16_t>(d.width)));
    args[4].assign(Variant(static_cast<std::int16_t>(d.alignmentH)));
    args[5].assign(Variant(static_cast<std::int16_t>(d.alignmentV)));
    args[6].assign(Variant(static_cast<std::int16_t>(d.multiLine ? -1 : 0)));
    return Variant(true);
}

// ---- About box --------------------------------------------------------------------------

void CVantilCtrl::aboutBox() {
    ControlPlatform* platform = controlPlatform();
    AboutBoxService* service = platform ? platform->aboutBox() : nullptr;
    if (service == nullptr) {
        raise(errnum::InvalidProcedureCall, texts::kNoDialogService);
    }
    service->showModal(AboutBoxContent{texts::kAboutTitle, texts::kAboutVersionLine,
                                       texts::kAboutSecondLine, texts::kAboutOk});
}

} // namespace vantil
