#!/usr/bin/python3
"""Fonts whose family names the tests control: small copies of a free font, each
renamed. All hold printable ASCII; all but NARROW also hold the Greek small letters
and Old Italic letters (beyond the Basic Multilingual Plane), so that one face lacks
characters the others have. Run with Debian's python3 (python3-fonttools).

    make_fixture_fonts.py SOURCE.ttf OUTDIR
"""
import os
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# File name -> family name, from the list the tests compile.
LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "FixtureFaces.h")
NARROW = "tsfx beta"
WIDER = list(range(0x3B1, 0x3CA)) + list(range(0x10300, 0x1031F))


def families():
    with open(LIST, encoding="ascii") as f:
        return dict(re.findall(r'^FIXTURE_FACE\("([^"]+)", "([^"]+)"\)', f.read(), re.M))


def renamed(source, family, stem):
    font = TTFont(source)
    options = subset.Options()
    options.name_IDs = ["*"]
    options.drop_tables += ["FFTM"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=list(range(0x20, 0x7F)) + ([] if family == NARROW else WIDER))
    subsetter.subset(font)
    names = font["name"]
    postscript = "Fixture-" + stem
    for record in list(names.names):
        if record.nameID in (16, 17, 21, 22):
            names.removeNames(nameID=record.nameID)
    for name_id, value in ((1, family), (2, "Book"), (3, family + " fixture"), (4, family), (6, postscript)):
        names.setName(value, name_id, 3, 1, 0x409)
        names.setName(value, name_id, 1, 0, 0)
    return font


def main():
    source, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    for file_name, family in families().items():
        renamed(source, family, os.path.splitext(file_name)[0]).save(os.path.join(out, file_name))


if __name__ == "__main__":
    main()
