#!/usr/bin/env python3
"""Prints what a workbook holds, read with openpyxl, one tab-separated line each:
A author; S sheet name; W column width; M merged range; C row col type value
number-format bold horizontal-alignment (rows and columns counted from 0)."""
import sys

import openpyxl
from openpyxl.utils import column_index_from_string


def text(value):
    return str(value).replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def main(path):
    book = openpyxl.load_workbook(path)
    print("A\t" + text(book.properties.creator or ""))
    for sheet in book.worksheets:
        print("S\t" + text(sheet.title))
        for letter, dim in sorted(sheet.column_dimensions.items()):
            for col in range(dim.min or column_index_from_string(letter),
                             (dim.max or column_index_from_string(letter)) + 1):
                print("W\t%d\t%s" % (col - 1, repr(dim.width)))
        for merged in sheet.merged_cells.ranges:
            print("M\t" + merged.coord)
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is None:
                    continue
                value = cell.value
                if cell.data_type == "n":
                    value = repr(value)
                elif cell.is_date:
                    value = value.date().isoformat()
                print("C\t%d\t%d\t%s\t%s\t%s\t%d\t%s" % (
                    cell.row - 1, cell.column - 1, "d" if cell.is_date else cell.data_type,
                    text(value), text(cell.number_format), 1 if cell.font.b else 0,
                    cell.alignment.horizontal or ""))


if __name__ == "__main__":
    main(sys.argv[1])
