#!/usr/bin/env python3
"""Cuts one table (by its tag) out of each font file given (TrueType, OpenType or a
collection) into a folder, one file a distinct table: seeds for a fuzz target. The tag
"file" takes the small files whole instead.
   seeds.py TAG FOLDER FONT..."""
import hashlib
import os
import struct
import sys


def tables(data, tag):
    offsets = [0]
    if data[:4] == b"ttcf" and len(data) >= 12:
        count = struct.unpack(">I", data[8:12])[0]
        offsets = [struct.unpack(">I", data[12 + 4 * i:16 + 4 * i])[0]
                   for i in range(min(count, (len(data) - 12) // 4))]
    for start in offsets:
        if start + 12 > len(data):
            continue
        count = struct.unpack(">H", data[start + 4:start + 6])[0]
        for i in range(count):
            record = start + 12 + 16 * i
            if record + 16 > len(data):
                break
            if data[record:record + 4] == tag:
                at, length = struct.unpack(">II", data[record + 8:record + 16])
                yield data[at:at + length]


def main():
    tag, folder, fonts = sys.argv[1].encode("ascii").ljust(4), sys.argv[2], sys.argv[3:]
    os.makedirs(folder, exist_ok=True)
    for font in fonts:
        try:
            with open(font, "rb") as f:
                data = f.read()
        except OSError:
            continue
        whole = [data] if tag == b"file" and len(data) <= 64 * 1024 else []
        for table in whole if tag == b"file" else tables(data, tag):
            if table:
                name = hashlib.sha1(table).hexdigest()
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(table)


main()
