#!/usr/bin/python3
"""Writes a dBASE table with python3-dbf, an independent writer.

usage: dbf_write.py PATH LAYOUT JSON_ROWS
LAYOUT as python-dbf takes it ("NUME C(20); SUMA N(6,0); DATA D"); rows a JSON list of
lists, dates as "YYYY-MM-DD", null for blank.
"""
import datetime
import json
import sys

import dbf


def main():
    path, layout, rows = sys.argv[1], sys.argv[2], json.loads(sys.argv[3])
    table = dbf.Table(path, layout, codepage="cp1250", dbf_type="db3")
    table.open(dbf.READ_WRITE)
    for row in rows:
        values = []
        for v in row:
            if isinstance(v, str) and len(v) == 10 and v[4] == "-" and v[7] == "-":
                v = datetime.date(int(v[:4]), int(v[5:7]), int(v[8:]))
            values.append(v)
        table.append(tuple(values))
    table.close()


if __name__ == "__main__":
    main()
