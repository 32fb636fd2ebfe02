// The control's data binding: filling the list from the bound row source in timed steps, and
// BoundText computed from and matched against the fetched bound-column values.
#include "control/core/binding/DataBinding.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/EventTable.h"
#include "control/core/MemberTable.h"
#include "control/core/Texts.h"
#include "platform/text/Cp932.h"

#include <algorithm>

namespace vantil {

namespace cp932 = plat::text::cp932;
using namespace plat::automation;

namespace {

// A fetched value as list text; Null and empty values give empty text.
std::u16string valueText(const Variant& v) {
    if (v.isNull() || v.isEmpty()) {
        return {};
    }
    if (v.type() == VarType::String) {
        return v.asString();
    }
    Variant text;
    if (failed(v.tryConvert(VarType::String, text))) {
        return {};
    }
    return text.asString();
}

} // namespace

DataBinding::DataBinding(CVantilCtrl& control) : control_(control) {}

DataBinding::~DataBinding() {
    if (listening_) {
        listening_->removeListener(this);
    }
    if (waitCursorShown_) {
        if (ControlPlatform* platform = controlPlatform()) {
            platform->restoreCursor();
        }
    }
}

RowSet* DataBinding::rowSet() const {
    return source_ ? source_->rowSet() : nullptr;
}

void DataBinding::setRowSource(std::shared_ptr<Dispatch> source) {
    if (listening_) {
        listening_->removeListener(this);
        listening_ = nullptr;
    }
    source_ = std::move(source);
    if (RowSet* rows = rowSet()) {
        rows->addListener(this);
        listening_ = rows;
    }
}

bool DataBinding::namesSourceField(const std::string& cp932Name) const {
    const std::u16string name = cp932::toUtf16(cp932Name);
    return std::any_of(sourceFields_.begin(), sourceFields_.end(),
                       [&](const std::u16string& f) { return sameMemberName(f, name); });
}

// ---- Filling ----------------------------------------------------------------------------

bool DataBinding::fetchAll(RowSet& rows) {
    const ControlProperties& p = control_.properties();
    const auto described = rows.fields();
    if (!described) {
        return false;
    }
    for (const RowSetField& f : *described) {
        if (!f.bookmark) {
            sourceFields_.push_back(f.name);
        }
    }
    // Each list column whose ListField names a source field, and the bound column, take a
    // slot among the fetched fields; a field named twice is fetched once.
    auto slotOf = [&](const std::string& cp932Name) {
        if (cp932Name.empty()) {
            return -1;
        }
        const std::u16string name = cp932::toUtf16(cp932Name);
        const auto source = std::find_if(sourceFields_.begin(), sourceFields_.end(),
                                         [&](const auto& f) { return sameMemberName(f, name); });
        if (source == sourceFields_.end()) {
            return -1;
        }
        const auto known = std::find(fetchedNames_.begin(), fetchedNames_.end(), *source);
        if (known != fetchedNames_.end()) {
            return static_cast<int>(known - fetchedNames_.begin());
        }
        fetchedNames_.push_back(*source);
        return static_cast<int>(fetchedNames_.size() - 1);
    };
    const std::size_t columns = std::min<std::size_t>(
        p.columns.size(),
        static_cast<std::size_t>(std::max(1, control_.listEngine()->columnCount())));
    bool anyColumn = false;
    for (std::size_t c = 0; c < columns; ++c) {
        columnSlot_.push_back(slotOf(p.columns[c].listField));
        anyColumn = anyColumn || columnSlot_.back() >= 0;
    }
    if (!anyColumn) {
        return false;
    }
    boundSlot_ = slotOf(p.boundColumn);
    boundValuesDiffer_ = boundSlot_ >= 0 && boundSlot_ != columnSlot_.front();

    std::vector<Variant> block;
    for (;;) {
        block.clear();
        const std::int32_t got = rows.fetch(fetchedNames_, rowCount_, kFetchBlockRows, block);
        // Each row of the block holds one value for every fetched field; a source that answers
        // fewer ends the fill instead of leaving rows without their values.
        if (got > 0 && block.size() < static_cast<std::size_t>(got) * fetchedNames_.size()) {
            values_.clear();
            rowCount_ = 0;
            raise(errnum::InvalidProcedureCall, texts::kShortRowBlock);
        }
        for (const Variant& v : block) {
            values_.push_back(valueText(v));
        }
        rowCount_ += std::max(got, 0);
        if (got < kFetchBlockRows) {
            return true;
        }
    }
}

void DataBinding::refill() {
    if (control_.designMode() || filling_) {
        return;
    }
    const Member& text = *findMember(dispids::Text);
    control_.put(text, {}, Variant(std::u16string()));
    startFill();
    if (filling_) {
        return;
    }
    // Nothing to fill from: the list is left empty.
    ControlProperties& p = control_.properties();
    if (ListEngine* list = control_.listEngine()) {
        list->clearRows();
    }
    p.newIndex = -1;
    p.listIndex = -1;
    control_.setModified();
    if (ControlView* view = control_.view()) {
        view->propertyChanged(dispids::ListIndex);
    }
}

void DataBinding::windowPainted() {
    const ControlProperties& p = control_.properties();
    if (fillRan_ || control_.designMode() || p.loadedVersion < kVersion40) {
        return;
    }
    // The first paint fills only from a source with matching fields: a list the host filled
    // by hand is never emptied by it. A source that fails leaves the list as it is; the host
    // hears of the failure when it calls ReFill.
    fillRan_ = true;
    try {
        startFill();
    } catch (const AutomationException&) {
        values_.clear();
    }
}

void DataBinding::startFill() {
    fillRan_ = true;
    sourceFields_.clear();
    fetchedNames_.clear();
    columnSlot_.clear();
    values_.clear();
    boundSlot_ = -1;
    boundValuesDiffer_ = false;
    rowCount_ = 0;
    nextRow_ = 0;
    RowSet* rows = rowSet();
    ListEngine* list = control_.listEngine();
    if (rows == nullptr || list == nullptr || !fetchAll(*rows)) {
        values_.clear();
        return;
    }
    ControlProperties& p = control_.properties();
    list->clearRows();
    p.newIndex = -1;
    p.listIndex = -1;
    filling_ = true;
    ControlPlatform* platform = controlPlatform();
    if (platform && !timer_) {
        timer_ = platform->createTimer([this] { tick(); });
    }
    if (!timer_) {
        // Without timers (a windowless control) the rows go in at once.
        while (filling_) {
            tick();
        }
        return;
    }
    platform->showWaitCursor();
    waitCursorShown_ = true;
    timer_->start(kFillIntervalMs);
}

void DataBinding::tick() {
    if (!filling_) {
        return;
    }
    ListEngine* list = control_.listEngine();
    const std::size_t width = fetchedNames_.size();
    const std::int64_t end = std::min(rowCount_, nextRow_ + kRowsPerTick);
    std::vector<std::u16string> texts(columnSlot_.size());
    for (; nextRow_ < end; ++nextRow_) {
        const std::u16string* row = values_.data() + static_cast<std::size_t>(nextRow_) * width;
        for (std::size_t c = 0; c < columnSlot_.size(); ++c) {
            texts[c] = columnSlot_[c] >= 0 ? row[columnSlot_[c]] : std::u16string();
        }
        std::string bound = boundSlot_ >= 0 ? cp932::fromUtf16(row[boundSlot_]) : std::string();
        if (list == nullptr || list->addSourceRow(texts, std::move(bound)) < 0) {
            // The list is full: the rest of the rows cannot be shown.
            nextRow_ = rowCount_;
            break;
        }
    }
    if (ControlView* view = control_.view()) {
        view->propertyChanged(dispids::ListCount);
    }
    if (nextRow_ >= rowCount_) {
        finishFill();
    }
}

void DataBinding::finishFill() {
    filling_ = false;
    if (timer_) {
        timer_->stop();
    }
    if (waitCursorShown_) {
        waitCursorShown_ = false;
        if (ControlPlatform* platform = controlPlatform()) {
            platform->restoreCursor();
        }
    }
    values_.clear();
    values_.shrink_to_fit();
    control_.setModified();
    // The last step of the fill: nothing follows that could touch a destroyed control.
    (void)control_.fireEvent(events::AllDataLoaded);
}

// ---- Bound text ---------------------------------------------------------------------------

std::string DataBinding::boundText() {
    const ControlProperties& p = control_.properties();
    ListEngine* list = control_.listEngine();
    if (!boundValuesDiffer_ || list == nullptr) {
        return p.text;
    }
    if (p.listIndex >= 0) {
        return list->boundValue(p.listIndex);
    }
    if (p.text.empty()) {
        return {};
    }
    const std::int32_t row = list->findText(p.text);
    return row < 0 ? std::string() : list->boundValue(row);
}

void DataBinding::boundTextStored() {
    ControlProperties& p = control_.properties();
    ListEngine* list = control_.listEngine();
    if (!p.boundColumn.empty()) {
        const std::int32_t row = list ? list->findBoundValue(p.boundText) : -1;
        p.matchedWithList = row >= 0;
        searchPending_ = row < 0;
        const Member& listIndex = *findMember(dispids::ListIndex);
        if (row >= 0) {
            control_.put(listIndex, {}, Variant(row));
            return;
        }
        // Leaving the row refreshes the bound text from the old text; the value stays.
        std::string value = p.boundText;
        control_.put(listIndex, {}, Variant(std::int32_t{-1}));
        p.boundText = value;
        p.text = std::move(value);
        control_.editArea().textReplaced();
        control_.editArea().selectAll(true);
        control_.propertyChanged(dispids::Text);
        (void)control_.fireEvent(events::ChangeText); // the last step
        return;
    }
    // Without a bound column the value is only kept; the control's own text is matched as
    // when the list opens. The matching row becomes ListIndex; when the match leaves no row
    // current (a disabled or masked one) the kept value is emptied.
    p.matchedWithList = list != nullptr && list->matchText(p.text);
    if (p.matchedWithList) {
        if (p.listIndex < 0) {
            p.boundText.clear();
        }
        control_.notifyHost(dispids::BoundText);
    }
}

void DataBinding::rowSetFieldChanged(std::u16string_view) {
    const ControlProperties& p = control_.properties();
    RowSet* rows = rowSet();
    if (!searchPending_ || rows == nullptr || !namesSourceField(p.boundColumn)) {
        return;
    }
    if (rows->locate(cp932::toUtf16(p.boundColumn), Variant(cp932::toUtf16(p.boundText)))) {
        searchPending_ = false;
    }
}

} // namespace vantil
