#!/usr/bin/python3
"""Every cell of an .xlsx file as an independent reader (openpyxl) sees it.

One line per sheet and per cell, fields separated by tabs:
  S <sheet name>
  C <row> <column> <n|s|d> <value> <number format>
Numbers, date-time values included, as the shortest text that reads back as
the same double (repr); d marks a cell the reader takes for a date or time.
"""
import sys

import openpyxl
import openpyxl.worksheet._reader as reader

# Keep date-time cells as the numbers stored in the file, not converted to
# datetime/timedelta (which rounds to microseconds).
reader.from_excel = lambda value, *args, **kwargs: value


def main(path):
    out = []
    for ws in openpyxl.load_workbook(path).worksheets:
        out.append("S\t" + ws.title)
        for row in ws.iter_rows():
            for c in row:
                if c.value is None:
                    continue
                if isinstance(c.value, str):
                    kind, text = "s", c.value.replace("\t", "\\t").replace("\n", "\\n")
                else:
                    kind, text = ("d" if c.is_date else "n"), repr(float(c.value))
                out.append("\t".join(["C", str(c.row), str(c.column), kind, text,
                                      c.number_format]))
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main(sys.argv[1])
