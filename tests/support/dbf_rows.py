"""Prints the rows of a dBase file as python3-dbfread reads them.

One line per row, its fields joined by "|", empty fields empty, the text
bytes exactly as stored (read as Latin-1, which maps every byte to itself).
"""
import sys

from dbfread import DBF

out = sys.stdout.buffer
for record in DBF(sys.argv[1], encoding="latin-1"):
    values = ["" if value is None else str(value) for value in record.values()]
    out.write("|".join(values).encode("latin-1") + b"\n")
