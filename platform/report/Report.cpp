// The report object: its bands, data source and the run that lays it out.
#include "platform/report/Report.h"

#include "platform/report/FieldText.h"
#include "platform/report/LayoutPass.h"
#include "platform/report/ReportError.h"

namespace plat::report {

Report::Report() = default;
Report::~Report() = default;

Band& Report::addBand(BandKind kind, std::string name, int height) {
    Band b;
    b.kind = kind;
    b.name = std::move(name);
    b.height = height;
    bands_.push_back(std::move(b));
    return bands_.back();
}

Band& Report::band(std::string_view name) {
    for (Band& b : bands_) {
        if (b.name == name)
            return b;
    }
    throw ReportError(ErrorCode::InvalidCall, std::string(name));
}

Control& Report::control(std::string_view name) {
    for (Band& b : bands_) {
        if (b.findControl(name))
            return b.control(name);
    }
    throw ReportError(ErrorCode::InvalidCall, std::string(name));
}

void Report::setRecordSource(std::unique_ptr<RecordSource> source) {
    source_ = std::move(source);
}

void Report::setDataSource(std::string databasePath, std::string recordSourceName) {
    databasePath_ = std::move(databasePath);
    recordSourceName_ = std::move(recordSourceName);
    source_.reset();
}

Value Report::fieldValue(std::string_view column) const {
    if (!currentRow_)
        return {};
    for (std::size_t i = 0; i < columns_.size() && i < currentRow_->size(); ++i) {
        if (sameColumnName(columns_[i], column))
            return (*currentRow_)[i];
    }
    return {};
}

void Report::addExportColumn(ExportColumn column) {
    export_.headings.push_back(column.heading);
    export_.types.push_back(column.type);
    export_.formats.push_back(column.format);
    exportColumns_.push_back(std::move(column));
}

void Report::setExportTitle(std::string title, std::string period) {
    export_.title = std::move(title);
    export_.period = std::move(period);
}

namespace {

// The text of a control as the table keeps it: empty while hidden, its text as shown when it
// has no value of its own, else its value in the column's format.
std::string controlCell(const Band& band, const std::string& name, const std::string& format) {
    const Control* c = band.findControl(name);
    if (!c)
        throw ReportError(ErrorCode::InvalidCall, name);
    if (!c->visible)
        return {};
    if (c->value.isNull() && c->dataField.empty())
        return c->text;
    return displayText(c->value, format);
}

} // namespace

void Report::exportLine(const Band& detail) {
    if (exportColumns_.empty())
        return;
    std::vector<std::string> row;
    row.reserve(exportColumns_.size());
    for (const ExportColumn& column : exportColumns_) {
        if (!column.control.empty())
            row.push_back(controlCell(detail, column.control, column.format));
        else if (!column.dataField.empty())
            row.push_back(displayText(fieldValue(column.dataField), column.format));
        else if (column.value)
            row.push_back(column.value());
        else
            row.emplace_back();
    }
    exportFills(std::move(row), false);
}

void Report::exportTotal(const Band& totals) {
    if (exportColumns_.empty())
        return;
    std::vector<std::string> row;
    row.reserve(exportColumns_.size());
    for (const ExportColumn& column : exportColumns_) {
        if (!column.totalControl.empty())
            row.push_back(controlCell(totals, column.totalControl, column.format));
        else if (!column.totalText.empty())
            row.push_back(column.totalText);
        else if (column.totalValue)
            row.push_back(column.totalValue());
        else if (column.totalRepeats && !column.dataField.empty())
            row.push_back(displayText(fieldValue(column.dataField), column.format));
        else
            row.emplace_back();
    }
    exportFills(std::move(row), true);
}

void Report::exportFills(std::vector<std::string>&& row, bool total) {
    std::vector<CellFill> fills;
    if (!total) {
        for (std::size_t i = 0; i < exportColumns_.size(); ++i) {
            if (exportColumns_[i].fillField.empty())
                continue;
            const double f = fieldValue(exportColumns_[i].fillField).asNumber();
            if (f <= 0)
                continue;
            fills.resize(exportColumns_.size(), CellFill::None);
            fills[i] = f >= 2 ? CellFill::Alarm : CellFill::Caution;
        }
    }
    export_.rows.push_back(std::move(row));
    export_.totals.push_back(total);
    export_.fills.push_back(std::move(fills));
}

const Document& Report::run() {
    if (!ran_) {
        // Whatever the report's own code throws reaches the caller as a numbered error.
        try {
            LayoutPass(*this).run();
        } catch (const ReportError&) {
            document_ = Document{};
            export_.clearRows();
            throw;
        } catch (const std::exception& e) {
            document_ = Document{};
            export_.clearRows();
            throw ReportError(ErrorCode::ReportCode, e.what());
        }
        ran_ = true;
    }
    return document_;
}

} // namespace plat::report
