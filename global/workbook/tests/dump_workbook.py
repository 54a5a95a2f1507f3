#!/usr/bin/env python3
"""Prints a workbook as openpyxl reads it, as JSON: the sheets in order, the active sheet, and per
sheet its cells ("B2": value, formulas as written and their cached values apart) and column widths."""
import datetime
import json
import sys

import openpyxl

path = sys.argv[1]
formulas = openpyxl.load_workbook(path)
values = openpyxl.load_workbook(path, data_only=True)


def plain(value):
    if isinstance(value, (datetime.datetime, datetime.date)):
        return value.strftime("%Y-%m-%d")
    return value


result = {"sheets": formulas.sheetnames, "active": formulas.index(formulas.active), "cells": {},
          "values": {}, "formats": {}, "widths": {}}
for sheet in formulas.worksheets:
    cells, shown, formats = {}, {}, {}
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is not None:
                cells[cell.coordinate] = plain(cell.value)
                formats[cell.coordinate] = cell.number_format
                shown[cell.coordinate] = plain(values[sheet.title][cell.coordinate].value)
    result["cells"][sheet.title] = cells
    result["values"][sheet.title] = shown
    result["formats"][sheet.title] = formats
    result["widths"][sheet.title] = {k: d.width for k, d in sheet.column_dimensions.items() if d.customWidth}
print(json.dumps(result, ensure_ascii=False))
