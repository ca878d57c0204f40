#!/usr/bin/python3
"""Prints a dBASE table as JSON through dbfread, an independent reader.

{"fields": [[name, type, length, decimals], ...], "records": [[...], ...], "deleted": n}
Dates become "YYYY-MM-DD"; numbers stay numbers; blanks are null.
"""
import json
import sys

import dbfread


def value(v):
    if hasattr(v, "isoformat"):
        return v.isoformat()
    return v


def main():
    table = dbfread.DBF(sys.argv[1], encoding="cp1250", char_decode_errors="strict")
    out = {
        "fields": [[f.name, f.type, f.length, f.decimal_count] for f in table.fields],
        "records": [[value(v) for v in r.values()] for r in table],
        "deleted": len(list(table.deleted)),
    }
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
