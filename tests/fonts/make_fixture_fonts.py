#!/usr/bin/python3
"""Fonts whose family names the tests control: small copies of a free font, each
renamed. All hold printable ASCII; all but NARROW also hold the Greek small letters
and Old Italic letters (beyond the Basic Multilingual Plane), so that one face lacks
characters the others have. Run with Debian's python3 (python3-fonttools).

Also the fonts a test opens as files, into a folder of their own that no font folder
of the system holds (FileFonts.h names them): one face, a collection of two, the one
face cut short, and a file that is no font. They come from other free fonts beside
SOURCE, so that their measures differ from the installed faces'.

    make_fixture_fonts.py SOURCE.ttf OUTDIR FILE_OUTDIR
"""
import os
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection, TTFont

# File name -> family name, from the list the tests compile.
LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "FixtureFaces.h")
NARROW = "tsfx beta"
WIDER = list(range(0x3B1, 0x3CA)) + list(range(0x10300, 0x1031F))


def families():
    with open(LIST, encoding="ascii") as f:
        return dict(re.findall(r'^FIXTURE_FACE\("([^"]+)", "([^"]+)"\)', f.read(), re.M))


def renamed(source, family, stem, narrow=None):
    font = TTFont(source)
    options = subset.Options()
    options.name_IDs = ["*"]
    options.drop_tables += ["FFTM"]
    subsetter = subset.Subsetter(options)
    narrow = family == NARROW if narrow is None else narrow
    subsetter.populate(unicodes=list(range(0x20, 0x7F)) + ([] if narrow else WIDER))
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


def file_fonts(source, out):
    folder = os.path.dirname(source)
    serif, mono = os.path.join(folder, "DejaVuSerif.ttf"), os.path.join(folder, "DejaVuSansMono.ttf")
    os.makedirs(out, exist_ok=True)
    single = os.path.join(out, "tsfx-file.ttf")
    renamed(serif, "Tsfx File", "file", narrow=True).save(single)
    pair = TTCollection()
    pair.fonts = [renamed(serif, "Tsfx Pair One", "pair-one", True), renamed(mono, "Tsfx Pair Two", "pair-two", True)]
    pair.save(os.path.join(out, "tsfx-pair.ttc"))
    with open(single, "rb") as f:
        data = f.read()
    with open(os.path.join(out, "tsfx-cut.ttf"), "wb") as f:
        f.write(data[:len(data) // 2])
    with open(os.path.join(out, "not-a-font.ttf"), "wb") as f:
        f.write(b"Plain text with a font's name.\r\n")


def main():
    source, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    for file_name, family in families().items():
        renamed(source, family, os.path.splitext(file_name)[0]).save(os.path.join(out, file_name))
    if len(sys.argv) > 3:
        file_fonts(source, sys.argv[3])


if __name__ == "__main__":
    main()
