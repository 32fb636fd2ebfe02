// The report's outputs without a window: a PDF file and direct printing on the default printer
// (no printer dialog). Both lay the report out first; with no data they write and print nothing
// and return false. Errors are thrown as ReportError.
#pragma once

#include "platform/report/Document.h"

#include <QString>

class QPrinter;

namespace plat::report {

class Report;

// The PDF page size is the report's paper; fonts are embedded as subsets.
bool exportPdf(Report& report, const QString& path);
bool printReport(Report& report);

// The shared steps, for a document already laid out (the preview prints through these).
void writePdf(const Document& document, const QString& path, const QString& title);
void printDocument(const Document& document, const QString& title);
// Prints on the given printer (a real one, or one set to PDF output).
void printOn(const Document& document, QPrinter& printer, const QString& title);

} // namespace plat::report
