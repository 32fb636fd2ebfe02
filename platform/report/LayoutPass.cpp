// Band placement: page headers and footers, nested groups, sums over groups and the report,
// page breaks (before, after, when a band does not fit, a group header kept with its first row)
// and page number fields, in one pass over the rows.
#include "platform/report/LayoutPass.h"

#include "platform/report/FieldText.h"
#include "platform/report/ReportError.h"

namespace plat::report {

namespace {

bool breaksBefore(const Band& b) {
    return b.newPage == NewPage::Before || b.newPage == NewPage::BeforeAndAfter;
}

bool breaksAfter(const Band& b) {
    return b.newPage == NewPage::After || b.newPage == NewPage::BeforeAndAfter;
}

void takeSingle(Band*& slot, Band& band) {
    if (slot)
        throw ReportError(ErrorCode::BadLayout, band.name);
    slot = &band;
}

} // namespace

LayoutPass::LayoutPass(Report& report) : report_(report), doc_(report.document_) {}

LayoutPass::~LayoutPass() {
    report_.currentRow_ = nullptr;
}

void LayoutPass::run() {
    doc_ = Document{};
    report_.export_.clearRows();
    collectBands();
    report_.onReportStart();
    doc_.setup = report_.setup_;
    doc_.paper = paperTwips(doc_.setup);
    readRows();
    if (rows_.empty()) {
        report_.onNoData();
        return;
    }
    resolveColumns();

    startPage(0);
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        std::size_t changed = groups_.size();
        if (row == 0) {
            changed = 0;
        } else {
            for (std::size_t level = 0; level < groups_.size(); ++level) {
                const int key = groups_[level].keyColumn;
                if (!(rows_[row][key] == rows_[row - 1][key])) {
                    changed = level;
                    break;
                }
            }
            closeGroups(changed, row - 1);
        }
        openGroups(changed, row);
        if (detail_)
            emitBand(*detail_, row, detail_->height, std::nullopt);
    }
    const std::size_t last = rows_.size() - 1;
    closeGroups(0, last);
    if (reportFooter_)
        emitBand(*reportFooter_, last, reportFooter_->height, std::nullopt);
    endPage(last);
    fillPageFields();
}

void LayoutPass::collectBands() {
    std::vector<Band*> headers;
    std::vector<Band*> footers;
    for (Band& b : report_.bands_) {
        switch (b.kind) {
        case BandKind::ReportHeader:
            takeSingle(reportHeader_, b);
            break;
        case BandKind::PageHeader:
            takeSingle(pageHeader_, b);
            break;
        case BandKind::GroupHeader:
            if (b.groupField.empty())
                throw ReportError(ErrorCode::BadLayout, b.name);
            headers.push_back(&b);
            break;
        case BandKind::Detail:
            takeSingle(detail_, b);
            break;
        case BandKind::GroupFooter:
            footers.push_back(&b);
            break;
        case BandKind::PageFooter:
            takeSingle(pageFooter_, b);
            break;
        case BandKind::ReportFooter:
            takeSingle(reportFooter_, b);
            break;
        }
    }
    if (footers.size() > headers.size())
        throw ReportError(ErrorCode::BadLayout, footers.back()->name);
    groups_.resize(headers.size());
    for (std::size_t i = 0; i < headers.size(); ++i)
        groups_[i].header = headers[i];
    // Footers are listed innermost first, as they print below the detail.
    for (std::size_t j = 0; j < footers.size(); ++j)
        groups_[headers.size() - 1 - j].footer = footers[j];
}

void LayoutPass::readRows() {
    if (!report_.source_ && !report_.recordSourceName_.empty()) {
        if (report_.opener_)
            report_.source_ = report_.opener_(report_.databasePath_, report_.recordSourceName_);
        if (!report_.source_)
            throw ReportError(ErrorCode::DataSource, report_.recordSourceName_);
    }
    if (!report_.source_)
        throw ReportError(ErrorCode::NoRecordSource);
    report_.columns_ = report_.source_->columns();
    std::vector<Value> row;
    while (report_.source_->next(row)) {
        row.resize(report_.columns_.size());
        rows_.push_back(row);
    }
}

int LayoutPass::columnIndex(const std::string& name) const {
    const auto& columns = report_.columns_;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (sameColumnName(columns[i], name))
            return static_cast<int>(i);
    }
    throw ReportError(ErrorCode::UnknownColumn, name);
}

void LayoutPass::resolveColumns() {
    for (Group& g : groups_)
        g.keyColumn = columnIndex(g.header->groupField);
    for (const Band& b : report_.bands_) {
        for (const Control& c : b.controls) {
            if (c.kind == ControlKind::Field && c.pageField == PageField::None &&
                !c.dataField.empty())
                fieldColumns_[&c] = columnIndex(c.dataField);
        }
    }
    reportSums_.assign(report_.columns_.size(), std::nullopt);
}

std::size_t LayoutPass::groupEnd(std::size_t level, std::size_t first) const {
    std::size_t end = first + 1;
    for (; end < rows_.size(); ++end) {
        for (std::size_t l = 0; l <= level; ++l) {
            const int key = groups_[l].keyColumn;
            if (!(rows_[end][key] == rows_[first][key]))
                return end;
        }
    }
    return end;
}

void LayoutPass::openGroups(std::size_t fromLevel, std::size_t row) {
    for (std::size_t level = fromLevel; level < groups_.size(); ++level) {
        Group& g = groups_[level];
        g.firstRow = row;
        g.endRow = groupEnd(level, row);
        openLevels_ = level;
        int needed = g.header->height;
        if (g.header->keepWithFirstRow) {
            for (std::size_t inner = level + 1; inner < groups_.size(); ++inner)
                needed += groups_[inner].header->height;
            if (detail_)
                needed += detail_->height;
        }
        emitBand(*g.header, row, needed, level);
    }
    openLevels_ = groups_.size();
}

void LayoutPass::closeGroups(std::size_t fromLevel, std::size_t row) {
    for (std::size_t level = groups_.size(); level-- > fromLevel;) {
        openLevels_ = level + 1;
        if (Band* footer = groups_[level].footer)
            emitBand(*footer, row, footer->height, level);
    }
    openLevels_ = fromLevel;
}

void LayoutPass::emitBand(Band& band, std::size_t row, int neededHeight,
                          std::optional<std::size_t> level) {
    if (band.height > 0) {
        if (bodyPlaced_ &&
            (pendingBreak_ || breaksBefore(band) || y_ + neededHeight > bodyBottom()))
            breakPage(row);
        pendingBreak_ = false;
    }
    bind(band, row, level);
    report_.onFormat(band);
    if (band.visible && band.height > 0) {
        place(band);
        bodyPlaced_ = true;
        lastPlacedRow_ = row;
        if (&band == detail_)
            report_.exportLine(band);
        else if (!report_.exportTotalBand_.empty() && band.name == report_.exportTotalBand_)
            report_.exportTotal(band);
    }
    if (breaksAfter(band))
        pendingBreak_ = true;
}

Value LayoutPass::sumOf(int column, std::size_t first, std::size_t end) const {
    ExactSum sum;
    for (std::size_t r = first; r < end; ++r)
        sum.add(rows_[r][column]);
    return sum.value();
}

void LayoutPass::bind(Band& band, std::size_t row, std::optional<std::size_t> level) {
    report_.currentRow_ = &rows_[row];
    if (!level && band.kind == BandKind::Detail && !groups_.empty())
        level = groups_.size() - 1;
    for (Control& c : band.controls) {
        auto found = fieldColumns_.find(&c);
        if (found == fieldColumns_.end())
            continue;
        const int column = found->second;
        switch (c.summary) {
        case Summary::None:
            c.value = rows_[row][column];
            break;
        case Summary::Group:
            if (level) {
                c.value = sumOf(column, groups_[*level].firstRow, groups_[*level].endRow);
                break;
            }
            [[fallthrough]];
        case Summary::Report:
            if (!reportSums_[column])
                reportSums_[column] = sumOf(column, 0, rows_.size());
            c.value = *reportSums_[column];
            break;
        }
        c.text = displayText(c.value, c.format);
    }
}

void LayoutPass::place(const Band& band) {
    Page& page = doc_.pages.back();
    PlacedBand placed;
    placed.kind = band.kind;
    placed.name = band.name;
    placed.top = y_;
    placed.height = band.height;
    placed.firstControl = static_cast<int>(page.controls.size());
    const int left = doc_.setup.leftMargin;
    for (const Control& c : band.controls) {
        if (!c.visible)
            continue;
        PlacedControl p;
        p.name = c.name;
        p.kind = c.kind;
        p.left = left + c.left;
        p.top = y_ + c.top;
        p.width = c.width;
        p.height = c.height;
        p.text = c.text;
        p.font = c.font;
        p.align = c.align;
        p.border = c.border;
        p.lineWidth = c.lineWidth;
        if (c.kind == ControlKind::Field) {
            p.pageField = c.pageField;
            if (c.pageField != PageField::None)
                p.format = c.format;
        }
        page.controls.push_back(std::move(p));
    }
    placed.controlCount = static_cast<int>(page.controls.size()) - placed.firstControl;
    page.bands.push_back(std::move(placed));
    y_ += band.height;
}

int LayoutPass::bodyBottom() const {
    return doc_.paper.height - doc_.setup.bottomMargin - (pageFooter_ ? pageFooter_->height : 0);
}

void LayoutPass::startPage(std::size_t row) {
    doc_.pages.emplace_back();
    y_ = doc_.setup.topMargin;
    bodyPlaced_ = false;
    if (doc_.pages.size() == 1 && reportHeader_) {
        bind(*reportHeader_, row, std::nullopt);
        report_.onFormat(*reportHeader_);
        if (reportHeader_->visible && reportHeader_->height > 0)
            place(*reportHeader_);
        if (breaksAfter(*reportHeader_)) {
            pendingBreak_ = true;
            bodyPlaced_ = true;
        }
    }
    if (pageHeader_) {
        bind(*pageHeader_, row, std::nullopt);
        report_.onFormat(*pageHeader_);
        if (pageHeader_->visible && pageHeader_->height > 0)
            place(*pageHeader_);
    }
    for (std::size_t level = 0; level < openLevels_; ++level) {
        Band& header = *groups_[level].header;
        if (!header.repeatOnNewPage)
            continue;
        bind(header, row, level);
        report_.onFormat(header);
        if (header.visible && header.height > 0)
            place(header);
    }
}

void LayoutPass::endPage(std::size_t row) {
    if (pageFooter_) {
        bind(*pageFooter_, row, std::nullopt);
        report_.onFormat(*pageFooter_);
        if (pageFooter_->visible && pageFooter_->height > 0) {
            y_ = doc_.paper.height - doc_.setup.bottomMargin - pageFooter_->height;
            place(*pageFooter_);
        }
    }
    report_.onPageEnd();
}

void LayoutPass::breakPage(std::size_t row) {
    // The footer of the ending page shows the last row printed on it.
    endPage(lastPlacedRow_);
    startPage(row);
}

void LayoutPass::fillPageFields() {
    const int count = doc_.pageCount();
    for (int i = 0; i < count; ++i) {
        for (PlacedControl& c : doc_.pages[i].controls) {
            if (c.pageField != PageField::None)
                c.text = pageFieldText(c.pageField, c.format, i + 1, count);
        }
    }
}

} // namespace plat::report
