#!/usr/bin/env python3
"""Writes the cut-list workbooks the cut import tests read.

    make_cut_workbooks.py FOLDER            the fixture workbooks
    make_cut_workbooks.py FOLDER ROWS       also big.xlsx with ROWS rows of pieces

They are made by other programs than ours: .xlsx by XlsxWriter, the .ods by hand as its format
describes it. A cell given as a tuple ("=formula", cached result) is a formula with its result."""
import os
import sys
import zipfile
from xml.sax.saxutils import escape

import xlsxwriter

out = sys.argv[1]

HEADER = ["ZLECENIE", "profil ", "Długość", "Ilość", "Kod", "Opis", "Waga", "Uwagi"]

# A title, the header in row 3 in other letter case, a row of units that is never read, a group
# row naming the order, pieces without an order number, a length typed as text "2 500", a count
# computed by a formula, and a piece of a second order.
CUT_LIST = [
    ["Lista odcinków – budowa 12"],
    [],
    HEADER,
    ["jednostki", "XX-0", "mm", "szt."],
    ["Z/100"],
    ["", "PR-1", "2 500", 2, "K1", "Rama", 1.5, "pilne"],
    ["", "pr-2", 1200, ("=1+2", 3), "K2", "Słupek"],
    ["Z/101", "PR-1", 800.4, 1, "K3"],
]


def write_xlsx(name, rows, notes_first=True):
    book = xlsxwriter.Workbook(os.path.join(out, name))
    if notes_first:
        book.add_worksheet("Notatki").write_string(0, 0, "PROFIL")   # not the active sheet: not read
    sheet = book.add_worksheet("Odcinki")
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if isinstance(value, tuple):
                sheet.write_formula(r, c, value[0], None, value[1])
            elif isinstance(value, str):
                if value:
                    sheet.write_string(r, c, value)
            else:
                sheet.write_number(r, c, value)
    sheet.activate()
    book.close()


def ods_cell(value):
    if isinstance(value, tuple):
        return ('<table:table-cell table:formula="of:%s" office:value-type="float" office:value="%s">'
                '<text:p>%s</text:p></table:table-cell>' % (escape(value[0]), value[1], value[1]))
    if isinstance(value, str):
        if not value:
            return "<table:table-cell/>"
        return ('<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>'
                % escape(value))
    return ('<table:table-cell office:value-type="float" office:value="%s"><text:p>%s</text:p>'
            "</table:table-cell>" % (value, str(value).replace(".", ",")))


def write_ods(name, rows):
    table_rows = "".join("<table:table-row>%s</table:table-row>\n" % "".join(ods_cell(v) for v in row)
                         if row else "<table:table-row><table:table-cell/></table:table-row>\n"
                         for row in rows)
    content = """<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2">
<office:body><office:spreadsheet>
<table:table table:name="Odcinki">
%s</table:table>
</office:spreadsheet></office:body></office:document-content>
""" % table_rows
    manifest = """<?xml version="1.0" encoding="UTF-8"?>
<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">
 <manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>
 <manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>
</manifest:manifest>
"""
    with zipfile.ZipFile(os.path.join(out, name), "w") as z:
        z.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.spreadsheet",
                   compress_type=zipfile.ZIP_STORED)
        z.writestr("META-INF/manifest.xml", manifest, compress_type=zipfile.ZIP_DEFLATED)
        z.writestr("content.xml", content, compress_type=zipfile.ZIP_DEFLATED)


write_xlsx("cuts.xlsx", CUT_LIST)
write_ods("cuts.ods", CUT_LIST)
# The header in row 21: refused.
write_xlsx("row21.xlsx", [[] for _ in range(20)] + [HEADER, [], ["Z/1", "PR-1", 1000, 1]])
# A count of -4: the row is refused and, being the only one, nothing is written.
write_xlsx("count.xlsx", [HEADER, [], ["Z/1", "PR-1", 1000, -4]], notes_first=False)
# Three rows of an order that the database already holds, then a new order.
write_xlsx("existing.xlsx", [HEADER, [], ["Z/7", "PR-1", 100, 1], ["Z/7", "PR-1", 200, 1],
                             ["Z/7", "PR-1", 300, 1], ["Z/8", "PR-1", 400, 1]], notes_first=False)

if len(sys.argv) > 2:
    # Pieces of 200 orders over 50 profiles, each order announced by a group row.
    count = int(sys.argv[2])
    rows = [HEADER, []]
    for i in range(count):
        if i % 100 == 0:
            rows.append(["Z/%d" % (i // 100)])
        rows.append(["", "PR-%d" % (i % 50), str(500 + (i * 37) % 5500), 1 + i % 4, "K%d" % i, "Opis %d" % i])
    write_xlsx("big.xlsx", rows, notes_first=False)
