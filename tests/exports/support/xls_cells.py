"""Prints an .xls workbook as JSON, read by xlrd: for each sheet its name and
rows, each cell as [type, value, number format, bold]. Types are xlrd's:
0 empty, 1 text, 2 number, 3 date, 4 boolean, 5 error, 6 blank."""
import json
import sys

import xlrd

book = xlrd.open_workbook(sys.argv[1], formatting_info=True)


def cell_json(cell):
    xf = book.xf_list[cell.xf_index]
    number_format = book.format_map[xf.format_key].format_str
    bold = bool(book.font_list[xf.font_index].bold)
    return [cell.ctype, cell.value, number_format, bold]


sheets = []
for sheet in book.sheets():
    rows = [[cell_json(sheet.cell(r, c)) for c in range(sheet.ncols)] for r in range(sheet.nrows)]
    sheets.append({"name": sheet.name, "rows": rows})
json.dump({"sheets": sheets}, sys.stdout, ensure_ascii=False)
