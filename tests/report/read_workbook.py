#!/usr/bin/env python3
"""Reads an .xlsx workbook with nothing but zipfile and the XML parser and prints, as JSON,
what a spreadsheet shows of its first sheet: the sheet names, the frozen pane, the column
widths and every cell with its kind, raw value, number format, text as shown, bold and fill."""
import datetime
import json
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}id"
BUILTIN = {0: "General", 1: "0", 2: "0.00", 3: "#,##0", 4: "#,##0.00", 14: "mm-dd-yy"}


def column_index(ref):
    letters = re.match(r"[A-Z]+", ref).group(0)
    n = 0
    for ch in letters:
        n = n * 26 + ord(ch) - 64
    return n - 1


def shown(value, fmt):
    if "yy" in fmt:
        day = datetime.date(1899, 12, 30) + datetime.timedelta(days=int(value))
        return day.strftime("%Y/%m") if fmt == "yyyy/mm" else day.isoformat()
    decimals = len(fmt.split(".")[1]) if "." in fmt else 0
    text = f"{value:,.{decimals}f}" if fmt.startswith("#,##") else f"{value:.{decimals}f}"
    return text if fmt != "General" else repr(value)


def main(path):
    book = zipfile.ZipFile(path)
    workbook = ET.fromstring(book.read("xl/workbook.xml"))
    sheets = [s.get("name") for s in workbook.find("m:sheets", NS)]
    strings = []
    if "xl/sharedStrings.xml" in book.namelist():
        for si in ET.fromstring(book.read("xl/sharedStrings.xml")).findall("m:si", NS):
            strings.append("".join(t.text or "" for t in si.iter("{%s}t" % NS["m"])))
    styles = ET.fromstring(book.read("xl/styles.xml"))
    formats = dict(BUILTIN)
    for nf in styles.findall("m:numFmts/m:numFmt", NS):
        formats[int(nf.get("numFmtId"))] = nf.get("formatCode")
    fonts = [f.find("m:b", NS) is not None for f in styles.findall("m:fonts/m:font", NS)]
    fills = []
    for f in styles.findall("m:fills/m:fill", NS):
        pattern = f.find("m:patternFill", NS)
        colour = pattern.find("m:fgColor", NS) if pattern is not None else None
        solid = pattern is not None and pattern.get("patternType") == "solid"
        fills.append(colour.get("rgb")[-6:] if solid and colour is not None else "")
    xfs = styles.findall("m:cellXfs/m:xf", NS)

    sheet = ET.fromstring(book.read("xl/worksheets/sheet1.xml"))
    pane = sheet.find("m:sheetViews/m:sheetView/m:pane", NS)
    frozen = pane.get("topLeftCell") if pane is not None and pane.get("state") == "frozen" else ""
    widths = []
    for col in sheet.findall("m:cols/m:col", NS):
        for i in range(int(col.get("min")), int(col.get("max")) + 1):
            while len(widths) < i - 1:
                widths.append(None)
            widths.append(float(col.get("width")))
    rows = []
    for row in sheet.findall("m:sheetData/m:row", NS):
        r = int(row.get("r")) - 1
        while len(rows) <= r:
            rows.append([])
        cells = rows[r]
        for c in row.findall("m:c", NS):
            i = column_index(c.get("r"))
            while len(cells) <= i:
                cells.append({"kind": "", "text": "", "shown": "", "format": "General",
                              "bold": False, "fill": "", "number": 0})
            xf = xfs[int(c.get("s", "0"))]
            fmt = formats.get(int(xf.get("numFmtId", "0")), "?")
            cell = cells[i]
            cell["format"] = fmt
            cell["bold"] = fonts[int(xf.get("fontId", "0"))]
            cell["fill"] = fills[int(xf.get("fillId", "0"))]
            kind = c.get("t", "n")
            v = c.find("m:v", NS)
            if kind == "s":
                cell.update(kind="s", text=strings[int(v.text)])
            elif kind == "inlineStr":
                cell.update(kind="s", text="".join(t.text or "" for t in c.iter("{%s}t" % NS["m"])))
            elif v is not None:
                value = float(v.text)
                cell.update(kind="d" if "yy" in fmt else "n", number=value, text=v.text)
            if cell["kind"] == "s":
                cell["shown"] = cell["text"]
            elif cell["kind"]:
                cell["shown"] = shown(cell["number"], fmt)
    print(json.dumps({"sheets": sheets, "frozen": frozen, "widths": widths, "rows": rows},
                     ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
