// A report: its bands and controls, its printer settings, its record source and the calls into
// the report's own code (report start, no data, format of a band, page end). A report layout
// derives from it, builds its bands in the constructor and overrides the calls it needs.
//
//   class RptRuikei : public Report {
//   public:
//       RptRuikei() {
//           useDatabaseSources(*this);                      // JetRecordSource.h
//           Band& d = addBand(BandKind::Detail, "Detail", 300);
//           d.addField("txtRTime", 6510, 0, 1200, 300, "RTime", "#,##0.00");
//           Band& gf = addBand(BandKind::GroupFooter, "SyainIDGF", 300);
//           gf.addField("GRTime", 6510, 0, 1200, 300, "RTime", "#,##0.00").summary =
//               Summary::Group;
//           ...
//       }
//       void ChgPrinter() { pageSetup().paperSize = paper::kA4; ... }
//   protected:
//       void onReportStart() override { setDataSource(folder + "\\Roumu.MDB", "Q_PrtRuikei"); }
//       void onFormat(Band& b) override { if (b.name == "Detail") ... }
//   };
//
// The print screen then calls showPreview(report) or printReport(report) and shows a thrown
// ReportError as number + ": " + description. Both return false, showing and printing nothing,
// when the record source has no rows.
//
// Formatting order: a band's bound fields receive the current row's value (or their sum) and
// its formatted text, then onFormat may change texts, captions, visibility of controls and of
// the band itself. Whether a band fits is decided on its designed height before onFormat, so
// a band whose format follows a page break sees the page-end call first. A field that is not
// bound keeps the text code last gave it.
#pragma once

#include "platform/report/Document.h"
#include "platform/report/ExportTable.h"
#include "platform/report/Layout.h"
#include "platform/report/PageSetup.h"
#include "platform/report/RecordSource.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plat::report {

class LayoutPass;

// Opens the named stored query of a database file as a record source; throws ReportError.
using SourceOpener = std::function<std::unique_ptr<RecordSource>(const std::string& databasePath,
                                                                 const std::string& queryName)>;

class Report {
public:
    Report();
    virtual ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // Layout. Bands print in their kind's order whatever the order they are added in; group
    // headers nest in the order added (outermost first) and the n-th group footer added closes
    // the n-th innermost group.
    Band& addBand(BandKind kind, std::string name, int height);
    Band& band(std::string_view name);       // throws ReportError when unknown
    Control& control(std::string_view name); // on any band; throws ReportError when unknown
    std::deque<Band>& bands() { return bands_; }
    const std::deque<Band>& bands() const { return bands_; }

    PageSetup& pageSetup() { return setup_; }
    const PageSetup& pageSetup() const { return setup_; }

    // Title of the preview window and of the print job.
    std::string caption;

    // Data: either a record source object, or a database file and stored query name that the
    // opener turns into one when the report starts (the database adapter supplies the opener).
    void setRecordSource(std::unique_ptr<RecordSource> source);
    void setDataSource(std::string databasePath, std::string recordSourceName);
    void setSourceOpener(SourceOpener opener) { opener_ = std::move(opener); }
    const std::string& databasePath() const { return databasePath_; }
    const std::string& recordSourceName() const { return recordSourceName_; }

    // While the report runs: the current row's value of a column (Null when it has none).
    Value fieldValue(std::string_view column) const;

    // The columns of the detail lines as saved in a table (CSV, workbook); a report without
    // export columns has an empty table. run() fills exportTable() with one row per detail line
    // it places and one total row each time it places the band named by setExportTotals.
    void addExportColumn(ExportColumn column);
    void setExportTotals(std::string bandName) { exportTotalBand_ = std::move(bandName); }
    // The printed title and month or year that head a saved workbook.
    void setExportTitle(std::string title, std::string period);
    const ExportTable& exportTable() const { return export_; }

    // Lays the whole report out: calls report start, reads the rows, and formats every band onto
    // pages. Runs once; later calls return the same document. Without rows the document is empty
    // (no data): nothing is previewed, printed or written. Throws ReportError.
    const Document& run();
    bool hasRun() const { return ran_; }
    bool hasNoData() const { return ran_ && document_.empty(); }
    const Document& document() const { return document_; }

protected:
    virtual void onReportStart() {}
    virtual void onNoData() {}
    virtual void onFormat(Band& band) { (void)band; }
    virtual void onPageEnd() {}

private:
    friend class LayoutPass;

    std::deque<Band> bands_;
    PageSetup setup_;
    std::unique_ptr<RecordSource> source_;
    SourceOpener opener_;
    std::string databasePath_;
    std::string recordSourceName_;

    std::vector<std::string> columns_;
    const std::vector<Value>* currentRow_ = nullptr;

    void exportLine(const Band& detail);
    void exportTotal(const Band& totals);
    void exportFills(std::vector<std::string>&& row, bool total);

    std::vector<ExportColumn> exportColumns_;
    std::string exportTotalBand_;
    ExportTable export_;

    bool ran_ = false;
    Document document_;
};

} // namespace plat::report
