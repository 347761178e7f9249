#!/usr/bin/env python3
"""Reads a CSV file as a spreadsheet would and prints its records as JSON.

Usage: readcsv.py FILE DELIMITER ENCODING
Fails (exit 2) when a line does not end with CR LF, so a half-written last line is caught.
"""
import csv
import io
import json
import sys


def main():
    path, delimiter, encoding = sys.argv[1], sys.argv[2], sys.argv[3]
    with open(path, "rb") as handle:
        data = handle.read()
    if data and not data.endswith(b"\r\n"):
        print("last line has no CR LF", file=sys.stderr)
        return 2
    text = data.decode(encoding)
    reader = csv.reader(io.StringIO(text, newline=""), delimiter=delimiter, quotechar='"', strict=True)
    json.dump(list(reader), sys.stdout)
    return 0


if __name__ == "__main__":
    sys.exit(main())
