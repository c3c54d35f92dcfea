"""Reads the data export of the sales report back, as a CSV file (Python's
csv module) or an .xlsx workbook (openpyxl), and prints as JSON its headings,
its record count and, per country, the sums of quantity and amount."""
import csv
import json
import sys

path, kind = sys.argv[1], sys.argv[2]
if kind == "xlsx":
    import openpyxl
    sheet = openpyxl.load_workbook(path, read_only=True).worksheets[0]
    rows = [list(row) for row in sheet.iter_rows(values_only=True)]
else:
    with open(path, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f, delimiter=";" if kind == "csv-semicolon" else ","))

headings, records = rows[0], rows[1:]
country, quantity, amount = headings.index("Pais"), headings.index("Quantitat"), headings.index("Import")
sums = {}
for record in records:
    totals = sums.setdefault(record[country], [0, 0.0])
    totals[0] += int(record[quantity])
    totals[1] += float(record[amount])
json.dump({"headings": headings, "records": len(records), "sums": sums}, sys.stdout, ensure_ascii=False)
