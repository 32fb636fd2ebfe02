// An Excel workbook read back by an independent reader (read_workbook.py beside this file:
// Python's zipfile and XML parser over the sheet, its strings and its styles): what a
// spreadsheet shows of the first sheet, cell by cell.
#pragma once

#include "tests/support/Pdf.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#ifndef TAMSEL_WORKBOOK_READER
#error "TAMSEL_WORKBOOK_READER names read_workbook.py"
#endif

namespace workbooktest {

struct Cell {
    std::string kind; // "s" text, "n" number, "d" date, "" blank
    std::string text; // the string, or the number as stored
    double number = 0;
    std::string shown;  // as the cell's number format shows it ("9,375", "7.5", "2004/04")
    std::string format; // the number format ("0.0", "#,##0", "yyyy/mm", "General")
    bool bold = false;
    std::string fill; // RRGGBB of a solid fill, empty for none
};

struct Workbook {
    std::vector<std::string> sheets;
    std::string frozen; // the first cell below and right of the frozen pane ("A4")
    std::vector<double> widths;
    std::vector<std::vector<Cell>> rows; // from the sheet's first row

    const Cell& at(std::size_t row, std::size_t column) const {
        static const Cell blank;
        return row < rows.size() && column < rows[row].size() ? rows[row][column] : blank;
    }
};

inline Workbook readWorkbook(const std::filesystem::path& path) {
    const std::string json = testsupport::runCommand(
        std::string("python3 '") + TAMSEL_WORKBOOK_READER + "' '" + path.string() + "'");
    const QJsonObject doc = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    Workbook book;
    for (const QJsonValue& s : doc.value(QStringLiteral("sheets")).toArray())
        book.sheets.push_back(s.toString().toStdString());
    book.frozen = doc.value(QStringLiteral("frozen")).toString().toStdString();
    for (const QJsonValue& w : doc.value(QStringLiteral("widths")).toArray())
        book.widths.push_back(w.toDouble());
    for (const QJsonValue& row : doc.value(QStringLiteral("rows")).toArray()) {
        std::vector<Cell> cells;
        for (const QJsonValue& v : row.toArray()) {
            const QJsonObject o = v.toObject();
            Cell c;
            c.kind = o.value(QStringLiteral("kind")).toString().toStdString();
            c.text = o.value(QStringLiteral("text")).toString().toStdString();
            c.number = o.value(QStringLiteral("number")).toDouble();
            c.shown = o.value(QStringLiteral("shown")).toString().toStdString();
            c.format = o.value(QStringLiteral("format")).toString().toStdString();
            c.bold = o.value(QStringLiteral("bold")).toBool();
            c.fill = o.value(QStringLiteral("fill")).toString().toStdString();
            cells.push_back(std::move(c));
        }
        book.rows.push_back(std::move(cells));
    }
    return book;
}

} // namespace workbooktest
