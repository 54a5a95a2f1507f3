#!/usr/bin/env python3
"""Writes the workbooks the workbook tests read into the folder given as the only argument.

They are made by other programs than ours: .xlsx and .xlsm by XlsxWriter, the inline-string
workbook by openpyxl, the .ods by hand as its format describes it."""
import datetime
import os
import sys
import zipfile

import openpyxl
import xlsxwriter

out = sys.argv[1]


def path(name):
    return os.path.join(out, name)


def cells_book():
    book = xlsxwriter.Workbook(path("cells.xlsx"))
    notes = book.add_worksheet("Notatki")
    notes.write(0, 0, "Uwagi dla zmiany")
    data = book.add_worksheet("Odcinki")
    date = book.add_format({"num_format": "yyyy-mm-dd"})
    data.write_string(1, 1, "Zażółć gęślą jaźń")
    data.write_number(2, 1, 1200)
    data.write_number(2, 2, 0.1)
    data.write_number(2, 3, 1e20)
    data.write_number(2, 4, -0.000001)
    data.write_number(2, 5, 2.5e-10)
    data.write_boolean(3, 1, True)
    data.write_boolean(3, 2, False)
    data.write_formula(4, 1, "=B3*2", None, 2400)
    data.write_formula(4, 2, '="a"&"b"', None, "ab")
    data.write_datetime(5, 1, datetime.date(2024, 3, 15), date)
    data.write_number(5, 2, 45366, book.add_format({"num_format": 14}))
    data.write_number(5, 3, 3.14159, book.add_format({"num_format": "0.00"}))
    data.write_string(6, 1, "  odstępy  ")
    # a gap of empty rows, then one more row
    data.write_string(11, 3, "po przerwie")
    data.set_column(1, 1, 31.5)
    data.set_column(3, 3, 12)
    data.activate()
    book.close()


def shared_text_book():
    # the same text in many cells goes once into the shared strings
    book = xlsxwriter.Workbook(path("repeated.xlsx"))
    sheet = book.add_worksheet("Arkusz1")
    for row in range(200):
        sheet.write_string(row, 0, "profil" if row % 2 else "rura")
        sheet.write_number(row, 1, row)
    book.close()


def macro_book():
    vba = path("vbaProject.bin")
    with open(vba, "wb") as f:
        f.write(b"\xd0\xcf\x11\xe0" + b"\0" * 508)
    book = xlsxwriter.Workbook(path("macros.xlsm"))
    sheet = book.add_worksheet("Dane")
    sheet.write_string(0, 0, "z makrem")
    book.add_vba_project(vba)
    book.close()


def chart_book():
    book = xlsxwriter.Workbook(path("chart.xlsx"))
    sheet = book.add_worksheet("Dane")
    sheet.write_column(0, 0, [1, 2, 3])
    chart = book.add_chart({"type": "line"})
    chart.add_series({"values": "=Dane!$A$1:$A$3"})
    sheet.insert_chart("C1", chart)
    book.close()


def inline_string_book():
    book = openpyxl.Workbook()
    book.active.title = "Dane"
    book.active["A1"] = "tekst w arkuszu"
    book.save(path("inline.xlsx"))


def ods_book():
    content = """<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2">
<office:body><office:spreadsheet>
<table:table table:name="Pierwszy">
<table:table-row><table:table-cell office:value-type="string"><text:p>nie ten</text:p></table:table-cell></table:table-row>
</table:table>
<table:table table:name="Cięcia">
<table:table-row>
<table:table-cell/>
<table:table-cell office:value-type="string"><text:p>PROFIL</text:p></table:table-cell>
<table:table-cell office:value-type="string"><text:p>Długość</text:p></table:table-cell>
</table:table-row>
<table:table-row>
<table:table-cell/>
<table:table-cell office:value-type="string"><text:p>KX-40</text:p></table:table-cell>
<table:table-cell office:value-type="float" office:value="1250.5"><text:p>1250,5</text:p></table:table-cell>
<table:table-cell office:value-type="string"><text:p>tak</text:p></table:table-cell>
<table:table-cell office:value-type="date" office:date-value="2024-03-15"><text:p>15.03.2024</text:p></table:table-cell>
<table:table-cell table:formula="of:=[.C2]*2" office:value-type="float" office:value="2501"><text:p>2501</text:p></table:table-cell>
</table:table-row>
</table:table>
</office:spreadsheet></office:body></office:document-content>
"""
    settings = """<?xml version="1.0" encoding="UTF-8"?>
<office:document-settings xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:config="urn:oasis:names:tc:opendocument:xmlns:config:1.0" office:version="1.2">
<office:settings><config:config-item-set config:name="ooo:view-settings">
<config:config-item-map-indexed config:name="Views"><config:config-item-map-entry>
<config:config-item config:name="ActiveTable" config:type="string">Cięcia</config:config-item>
</config:config-item-map-entry></config:config-item-map-indexed>
</config:config-item-set></office:settings></office:document-settings>
"""
    manifest = """<?xml version="1.0" encoding="UTF-8"?>
<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">
 <manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>
 <manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>
 <manifest:file-entry manifest:full-path="settings.xml" manifest:media-type="text/xml"/>
</manifest:manifest>
"""
    write_ods(path("cuts.ods"), content, settings, manifest)
    # a boolean cell, which the reader cannot read
    flag = '<table:table-cell office:value-type="boolean" office:boolean-value="true"><text:p>PRAWDA</text:p></table:table-cell>'
    write_ods(path("flags.ods"), content.replace("<table:table-cell/>", flag, 1), settings, manifest)


def write_ods(name, content, settings, manifest):
    with zipfile.ZipFile(name, "w") as z:
        z.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.spreadsheet",
                   compress_type=zipfile.ZIP_STORED)
        z.writestr("META-INF/manifest.xml", manifest, compress_type=zipfile.ZIP_DEFLATED)
        z.writestr("content.xml", content, compress_type=zipfile.ZIP_DEFLATED)
        z.writestr("settings.xml", settings, compress_type=zipfile.ZIP_DEFLATED)


def absolute_parts_book():
    # the same workbook with its parts named by absolute paths, as some programs write them
    with zipfile.ZipFile(path("cells.xlsx")) as source, zipfile.ZipFile(path("absolute.xlsx"), "w") as z:
        for item in source.infolist():
            data = source.read(item.filename)
            if item.filename == "xl/_rels/workbook.xml.rels":
                data = data.replace(b'Target="worksheets/', b'Target="/xl/worksheets/')
            z.writestr(item, data)


def earlier_export():
    # a workbook the cutting orders went into before, kept by hand: a notes sheet first, a gap in
    # the rows of the cutting orders, a formula and a date of its own
    book = xlsxwriter.Workbook(path("earlier-export.xlsx"))
    notes = book.add_worksheet("Notatki")
    notes.write_string(0, 0, "Eksporty z hali 2")
    notes.write_formula(1, 0, "=CutingOrders!G3*2", None, 24)
    notes.set_column(0, 0, 40)
    orders = book.add_worksheet("CutingOrders")
    orders.write_row(1, 1, ["No", "Profile type", "Prof. weigth [kg/m]"])
    orders.write_row(2, 1, [1, "AL 40x40", 0.85, "przez innego operatora", 2, 12])
    orders.write_string(2, 17, "inny")
    orders.write_row(5, 1, [1, "AL 40x40", 0.85, "po przerwie", 3, 16])
    orders.write_string(5, 17, "kowalski")
    orders.write_datetime(5, 19, datetime.date(2025, 12, 1), book.add_format({"num_format": "dd.mm.yyyy"}))
    notes.activate()
    book.close()


def formula_results_book():
    # formulas whose results are errors (read as empty) or logical (which cannot be read)
    book = xlsxwriter.Workbook(path("errors.xlsx"))
    sheet = book.add_worksheet("Dane")
    sheet.write_formula(0, 0, "=1/0", None, "#DIV/0!")
    sheet.write_formula(1, 0, "=NA()", None, "#N/A")
    sheet.write_number(2, 0, 5)
    book.close()
    book = xlsxwriter.Workbook(path("logical.xlsx"))
    sheet = book.add_worksheet("Dane")
    sheet.write_number(0, 0, 5)
    sheet.write_formula(1, 0, "=A1>1", None, True)
    book.close()


def not_a_workbook():
    with open(path("broken.xlsx"), "wb") as f:
        f.write(b"PK\x03\x04 this is not a zip archive at all")
    with open(path("old.xls"), "wb") as f:
        f.write(b"\xd0\xcf\x11\xe0")


cells_book()
absolute_parts_book()
earlier_export()
formula_results_book()
shared_text_book()
macro_book()
chart_book()
inline_string_book()
ods_book()
not_a_workbook()
