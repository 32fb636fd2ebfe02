// The control's data binding: the row source the host bound (RowSource), the fill of the list
// from it (ReFill and the automatic fill at the first paint, 200 rows per 10 ms tick under the
// wait cursor, one AllDataLoaded at the end), the bound text computed from the fetched
// bound-column values, and the source's change notifications.
#pragma once

#include "platform/automation/Dispatch.h"
#include "platform/automation/RowSet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantil {

class CVantilCtrl;
class RepeatingTimer;

// The fill adds at most kRowsPerTick rows on each tick of a kFillIntervalMs timer, so the
// window stays responsive however long the list is.
inline constexpr int kFillIntervalMs = 10;
inline constexpr std::int32_t kRowsPerTick = 200;
// Rows asked of the source in one fetch.
inline constexpr std::int32_t kFetchBlockRows = 100;

class DataBinding final : public plat::automation::RowSetListener {
public:
    explicit DataBinding(CVantilCtrl& control);
    ~DataBinding() override;
    DataBinding(const DataBinding&) = delete;
    DataBinding& operator=(const DataBinding&) = delete;

    // The bound source object; nullptr when none is bound.
    const std::shared_ptr<plat::automation::Dispatch>& rowSource() const { return source_; }
    // Binds `source` (nullptr: none) and listens to the changes of its rows.
    void setRowSource(std::shared_ptr<plat::automation::Dispatch> source);

    // ReFill: empties the text and refills the list from the source. Does nothing in design
    // mode or while a fill is running.
    void refill();
    // The control's window painted: the first paint at run time fills the list once, unless a
    // fill already ran.
    void windowPainted();
    // One tick of the fill timer: adds the next rows; the last one raises AllDataLoaded.
    void tick();

    // BoundText as the host reads it (code page 932).
    std::string boundText();
    // The host stored a new BoundText (already in the control's properties): the list row it
    // names becomes current, or the text takes the value.
    void boundTextStored();

    void rowSetFieldChanged(std::u16string_view field) override;

private:
    plat::automation::RowSet* rowSet() const;
    // Reads the source's fields and fetches the values of every field a list column or the
    // bound column names; false when nothing was fetched.
    bool fetchAll(plat::automation::RowSet& rows);
    void startFill();
    void finishFill();
    bool namesSourceField(const std::string& cp932Name) const;

    CVantilCtrl& control_;
    std::shared_ptr<plat::automation::Dispatch> source_;
    plat::automation::RowSet* listening_ = nullptr;
    std::unique_ptr<RepeatingTimer> timer_;

    std::vector<std::u16string> sourceFields_; // data fields of the source at the last fill
    std::vector<std::u16string> fetchedNames_; // the fields fetched, each once
    std::vector<int> columnSlot_;              // per list column: its fetched field, or -1
    int boundSlot_ = -1;                       // the bound column's fetched field, or -1
    std::vector<std::u16string> values_;       // row after row, one value per fetched field
    std::int64_t rowCount_ = 0;
    std::int64_t nextRow_ = 0;

    bool filling_ = false;
    bool waitCursorShown_ = false;
    bool fillRan_ = false;
    // The last fill fetched the bound column, and it is not the field of the first column.
    bool boundValuesDiffer_ = false;
    // The last BoundText matched no row; a change of the source asks it to locate the record.
    bool searchPending_ = false;
};

} // namespace vantil
