// The layout pass: reads a report's rows and places its bands on pages, calling the report's
// format and page-end code in print order, then fills in page numbers and the page count.
// Pure arithmetic on twips; nothing is measured or painted.
#pragma once

#include "platform/report/Document.h"
#include "platform/report/Report.h"

#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

namespace plat::report {

class LayoutPass {
public:
    explicit LayoutPass(Report& report);
    // The report's current row points into this pass's rows: it ends with the pass, also when
    // the pass ends by an error.
    ~LayoutPass();
    LayoutPass(const LayoutPass&) = delete;
    LayoutPass& operator=(const LayoutPass&) = delete;
    // Fills the report's document; an empty document when the source has no rows.
    void run();

private:
    struct Group {
        Band* header = nullptr;
        Band* footer = nullptr;
        int keyColumn = -1;
        std::size_t firstRow = 0;
        std::size_t endRow = 0; // one past the group's last row
    };

    void collectBands();
    void readRows();
    void resolveColumns();
    int columnIndex(const std::string& name) const;
    std::size_t groupEnd(std::size_t level, std::size_t first) const;

    void openGroups(std::size_t fromLevel, std::size_t row);
    void closeGroups(std::size_t fromLevel, std::size_t row);
    void emitBand(Band& band, std::size_t row, int neededHeight, std::optional<std::size_t> level);
    void bind(Band& band, std::size_t row, std::optional<std::size_t> level);
    Value sumOf(int column, std::size_t first, std::size_t end) const;
    void place(const Band& band);

    void startPage(std::size_t row);
    void endPage(std::size_t row);
    void breakPage(std::size_t row);
    int bodyBottom() const;
    void fillPageFields();

    Report& report_;
    Document& doc_;

    Band* reportHeader_ = nullptr;
    Band* pageHeader_ = nullptr;
    Band* detail_ = nullptr;
    Band* pageFooter_ = nullptr;
    Band* reportFooter_ = nullptr;
    std::vector<Group> groups_;

    std::vector<std::vector<Value>> rows_;
    std::unordered_map<const Control*, int> fieldColumns_; // bound fields only
    mutable std::vector<std::optional<Value>> reportSums_; // per column, once computed

    int y_ = 0;
    bool bodyPlaced_ = false; // a band other than the page's own headers is on the page
    bool pendingBreak_ = false;
    std::size_t lastPlacedRow_ = 0;
    std::size_t openLevels_ = 0; // groups currently open, outermost first
};

} // namespace plat::report
