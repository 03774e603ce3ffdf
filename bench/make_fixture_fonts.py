#!/usr/bin/python3
"""Fixture faces for the benchmarks: renamed copies of a small cut of a free font.

    make_fixture_fonts.py OUT_DIR COUNT [SOURCE_TTF]

Writes OUT_DIR/face00000.ttf ... with COUNT distinct family names and a
names.txt listing them in file order. The files are regenerated only when
their count, source or this script changed. Every copy keeps the source's
code-page ranges, so the platform reports each face once per character set,
as it does for installed fonts.
"""
import hashlib
import io
import os
import random
import struct
import sys

from fontTools import subset
from fontTools.ttLib import TTFont, newTable

DEFAULT_SOURCE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

SYLLABLES = ("ba be bi bo bu ca ce co cu da de di do fa fe fi fo ga ge go ka ke ki ko la le li lo lu "
             "ma me mi mo mu na ne ni no nu pa pe pi po ra re ri ro ru sa se si so ta te ti to tu "
             "va ve vi vo za ze zo rel mor van tes lin gar dor sel kor ber").split()
STYLES = ("Sans Serif Mono Grotesk Antiqua Display Text Book Slab Script Round Condensed Wide "
          "Gothic Roman Old Style Stencil Titling").split()


def family_names(count):
    rng = random.Random(1234)
    seen = set()
    names = []
    while len(names) < count:
        word = "".join(rng.choice(SYLLABLES) for _ in range(rng.randint(2, 4))).capitalize()
        name = "%s %s" % (word, rng.choice(STYLES))
        if rng.random() < 0.3:
            name += " %d" % rng.randint(1, 99)
        if len(name) > 31 or name.lower() in seen:
            continue
        seen.add(name.lower())
        names.append(name)
    return names


def small_cut(source):
    options = subset.Options()
    options.name_IDs = ["*"]
    options.layout_features = []
    options.hinting = False
    options.drop_tables += ["FFTM"]
    font = TTFont(source)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=range(0x20, 0x7F))
    subsetter.subset(font)
    data = io.BytesIO()
    font.save(data)
    return data.getvalue()


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


class Template:
    """The cut's tables as bytes; only the name table differs between copies."""

    def __init__(self, data):
        self.font = TTFont(io.BytesIO(data))
        self.tables = {tag: self.font.reader[tag] for tag in self.font.reader.keys()}

    def copy_named(self, family):
        name = newTable("name")
        name.names = []
        for name_id, text in ((1, family), (2, "Regular"), (3, family + " fixture"), (4, family),
                              (6, family.replace(" ", "") + "-Regular")):
            name.setName(text, name_id, 3, 1, 0x409)
            name.setName(text, name_id, 1, 0, 0)
        tables = dict(self.tables)
        tables["name"] = name.compile(self.font)
        head = bytearray(tables["head"])
        head[8:12] = b"\0\0\0\0"
        tables["head"] = bytes(head)
        return self.assemble(tables)

    @staticmethod
    def assemble(tables):
        tags = sorted(tables)
        count = len(tags)
        power = 1
        while power * 2 <= count:
            power *= 2
        header = struct.pack(">IHHHH", 0x00010000, count, power * 16, power.bit_length() - 1,
                             count * 16 - power * 16)
        offset = 12 + 16 * count
        directory = b""
        body = b""
        head_at = 0
        for tag in tags:
            data = tables[tag]
            if tag == "head":
                head_at = offset + len(body)
            directory += struct.pack(">4sIII", tag.encode("latin-1"), checksum(data), offset + len(body), len(data))
            body += data + b"\0" * (-len(data) % 4)
        font = bytearray(header + directory + body)
        adjustment = (0xB1B0AFBA - checksum(bytes(font))) & 0xFFFFFFFF
        font[head_at + 8:head_at + 12] = struct.pack(">I", adjustment)
        return bytes(font)


def main():
    out_dir, count = sys.argv[1], int(sys.argv[2])
    source = sys.argv[3] if len(sys.argv) > 3 else DEFAULT_SOURCE
    with open(__file__, "rb") as me, open(source, "rb") as src:
        stamp = hashlib.sha1(me.read() + src.read() + str(count).encode()).hexdigest()
    stamp_path = os.path.join(out_dir, "stamp.txt")
    if os.path.exists(stamp_path) and open(stamp_path).read() == stamp:
        return
    os.makedirs(out_dir, exist_ok=True)
    for old in os.listdir(out_dir):
        if old.endswith(".ttf"):
            os.remove(os.path.join(out_dir, old))
    template = Template(small_cut(source))
    names = family_names(count)
    for index, family in enumerate(names):
        with open(os.path.join(out_dir, "face%05d.ttf" % index), "wb") as out:
            out.write(template.copy_named(family))
    with open(os.path.join(out_dir, "names.txt"), "w") as listing:
        listing.write("\n".join(names) + "\n")
    with open(stamp_path, "w") as done:
        done.write(stamp)


if __name__ == "__main__":
    main()
