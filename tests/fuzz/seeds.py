#!/usr/bin/env python3
"""Cuts one table (by its tag) out of each font file given into a folder, a file a distinct
table: seeds for a fuzz target. The tag "file" takes the small files whole instead.
   seeds.py TAG FOLDER FONT..."""
import hashlib
import os
import sys

from fontTools.ttLib import TTCollection, TTFont

tag, folder = sys.argv[1], sys.argv[2]
os.makedirs(folder, exist_ok=True)
for path in sys.argv[3:]:
    try:
        if tag == "file":
            with open(path, "rb") as f:
                data = f.read()
            tables = [data] if len(data) <= 64 * 1024 else []
        else:
            fonts = TTCollection(path).fonts if path.lower().endswith(".ttc") else [TTFont(path)]
            tables = [font.reader[tag] for font in fonts if tag in font.reader]
    except Exception:  # a file that does not open gives no seed
        continue
    for table in tables:
        with open(os.path.join(folder, hashlib.sha1(table).hexdigest()), "wb") as f:
            f.write(table)
