// PDF writing and direct printing through the one page-painting path.
#include "platform/report/Output.h"

#include "platform/report/PagePainter.h"
#include "platform/report/QtPageSetup.h"
#include "platform/report/Report.h"
#include "platform/report/ReportError.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace plat::report {

void writePdf(const Document& document, const QString& path, const QString& title) {
    const QPageLayout layout = pageLayoutOf(document.setup);
    auto fail = [&path]() {
        // A half-written file is no report: it goes.
        QFile::remove(path);
        return ReportError(ErrorCode::FileAccess, path.toStdString());
    };
    {
        // Probe the path first: the PDF writer reports an unwritable file only by painting
        // nothing.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            throw ReportError(ErrorCode::FileAccess, path.toStdString());
    }
    QPdfWriter writer(path);
    writer.setResolution(kTwipsPerInch);
    writer.setTitle(title);
    writer.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&writer))
        throw fail();
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        useTwips(painter, writer);
        paintPage(document, i, painter);
        painter.restore();
    }
    if (!painter.end())
        throw fail();
}

void printOn(const Document& document, QPrinter& printer, const QString& title) {
    applyPageSetup(printer, document.setup);
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(ErrorCode::PrintFailed, printer.printerName().toStdString());
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            throw ReportError(ErrorCode::PrintFailed, printer.printerName().toStdString());
        }
        painter.save();
        useTwips(painter, printer);
        paintPage(document, i, painter);
        painter.restore();
    }
    if (!painter.end())
        throw ReportError(ErrorCode::PrintFailed, printer.printerName().toStdString());
}

void printDocument(const Document& document, const QString& title) {
    if (QPrinterInfo::availablePrinters().isEmpty())
        throw ReportError(ErrorCode::NoPrinter);
    QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (target.isNull())
        target = QPrinterInfo::availablePrinters().constFirst();
    QPrinter printer(target, QPrinter::HighResolution);
    if (!printer.isValid())
        throw ReportError(ErrorCode::NoPrinter);
    printOn(document, printer, title);
}

bool exportPdf(Report& report, const QString& path) {
    const Document& document = report.run();
    if (document.empty())
        return false;
    writePdf(document, path, QString::fromStdString(report.caption));
    return true;
}

bool printReport(Report& report) {
    const Document& document = report.run();
    if (document.empty())
        return false;
    printDocument(document, QString::fromStdString(report.caption));
    return true;
}

} // namespace plat::report
