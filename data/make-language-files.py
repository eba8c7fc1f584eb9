#!/usr/bin/env python3
"""Writes files/language/<language id>.lan from language-ids.tsv (one column per language).

The table is the source: edit it and run this script again. The files are UTF-8 profile
files with one section [LAN] and one "id=text" line per text id.
"""
import csv
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(here, "language-ids.tsv"), encoding="utf-8", newline="") as table:
    rows = list(csv.reader(table, delimiter="\t", quoting=csv.QUOTE_NONE))
header, rows = rows[0], rows[1:]
languages = {"en": "1033"}
out_dir = os.path.join(here, "files", "language")
os.makedirs(out_dir, exist_ok=True)
for column in range(2, len(header)):
    language = languages.get(header[column], header[column])
    lines = ["[LAN]"]
    for row in rows:
        text = row[column].strip()
        if not text:
            sys.exit(f"text {row[0]} has no {language} translation")
        lines.append(f"{int(row[0])}={text}")
    with open(os.path.join(out_dir, f"{language}.lan"), "w", encoding="utf-8", newline="") as out:
        out.write("\r\n".join(lines) + "\r\n")
print(f"{len(rows)} texts in {len(header) - 2} languages")
