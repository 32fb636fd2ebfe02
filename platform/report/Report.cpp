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
    exportColumns_.push_back(std::move(column));
}

void Report::exportLine(const Band& detail) {
    if (exportColumns_.empty())
        return;
    std::vector<std::string> row;
    row.reserve(exportColumns_.size());
    for (const ExportColumn& column : exportColumns_) {
        if (column.control.empty()) {
            row.push_back(displayText(fieldValue(column.dataField), column.format));
            continue;
        }
        const Control* c = detail.findControl(column.control);
        if (!c)
            throw ReportError(ErrorCode::InvalidCall, column.control);
        if (!c->visible)
            row.emplace_back();
        else if (c->value.isNull() && c->dataField.empty())
            row.push_back(c->text);
        else
            row.push_back(displayText(c->value, column.format));
    }
    export_.rows.push_back(std::move(row));
}

const Document& Report::run() {
    if (!ran_) {
        // Whatever the report's own code throws reaches the caller as a numbered error.
        try {
            LayoutPass(*this).run();
        } catch (const ReportError&) {
            document_ = Document{};
            export_.rows.clear();
            throw;
        } catch (const std::exception& e) {
            document_ = Document{};
            export_.rows.clear();
            throw ReportError(ErrorCode::ReportCode, e.what());
        }
        ran_ = true;
    }
    return document_;
}

} // namespace plat::report
