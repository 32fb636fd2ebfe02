// The overtime check report: per employee one line of month overtime (marked beyond 45 hours
// and where a cap is broken), the year's overtime and the months beyond 45 hours, followed by
// one line per broken rule in words. A4 landscape, built from a finished year check. Its table
// (CSV, workbook) has one line per employee with the plain hours, the broken rules in words and
// per month the holiday work, overtime plus holiday work and the highest average.
#pragma once

#include "app/overtime/YearCheck.h"
#include "platform/report/Report.h"

namespace tamsel::overtime {

class RptZangyo : public plat::report::Report {
public:
    explicit RptZangyo(const YearCheck& check);

    // Printer set-up: A4, landscape, automatic paper source.
    void ChgPrinter();

    // The text of a month cell, the year total and the count: the hours with the marks.
    static std::string monthCell(const EmployeeYear& year, int month);
    static std::string yearCell(const EmployeeYear& year);
    static std::string countCell(const EmployeeYear& year);

protected:
    void onFormat(plat::report::Band& band) override;

private:
    void addPageHeader(const YearCheck& check);
    void addDetail();
    void addBreachFooter(const YearCheck& check);
    void addExportColumns(const YearCheck& check);
    void addRows(const YearCheck& check);

    int phraseLines_ = 1; // lines of broken rules under an employee
};

} // namespace tamsel::overtime
