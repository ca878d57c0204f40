#!/usr/bin/python3
"""Prints the layout and rows of several dBASE files, as dbfread (an independent reader) sees them.

Usage: dbf_tsv.py FILE...
For each file, one line per field:  F <tab> file name <tab> field <tab> type <tab> length <tab> decimals
then one line per row:              R <tab> file name <tab> value <tab> value ...
Blank values print empty, dates as YYYY-MM-DD, numbers as Python prints them.
"""
import os
import sys

from dbfread import DBF


def text(value):
    if value is None:
        return ""
    if hasattr(value, "isoformat"):
        return value.isoformat()
    return str(value)


def main(paths):
    for path in paths:
        name = os.path.basename(path)
        table = DBF(path, encoding="cp1250", char_decode_errors="strict", load=True)
        for f in table.fields:
            print("\t".join(["F", name, f.name, f.type, str(f.length), str(f.decimal_count)]))
        for record in table.records:
            print("\t".join(["R", name] + [text(v) for v in record.values()]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
