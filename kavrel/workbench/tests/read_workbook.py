"""Reads .xlsx workbooks back with openpyxl, independently of the writer,
and prints for each file its first sheet as JSON: every cell that holds a
value (its value, its type and, for formulas, the stored result), the cells
with a bottom or top border, and the column widths."""
import json
import sys

import openpyxl


def describe(path):
    formulas = openpyxl.load_workbook(path).active
    results = openpyxl.load_workbook(path, data_only=True).active
    cells, bottom, top = {}, [], []
    for row in formulas.iter_rows():
        for cell in row:
            ref = cell.coordinate
            if cell.value is not None:
                entry = {"value": cell.value, "type": cell.data_type}
                if cell.data_type == "f":
                    entry["result"] = results[ref].value
                cells[ref] = entry
            if cell.border.bottom is not None and cell.border.bottom.style:
                bottom.append(ref)
            if cell.border.top is not None and cell.border.top.style:
                top.append(ref)
    widths = {key: dim.width for key, dim in formulas.column_dimensions.items()
              if dim.customWidth}
    return {"cells": cells, "bottom": bottom, "top": top, "widths": widths,
            "sheets": len(openpyxl.load_workbook(path).worksheets)}


print(json.dumps([describe(p) for p in sys.argv[1:]], ensure_ascii=False))
