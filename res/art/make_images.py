#!/usr/bin/env python3
"""Build Typoscope's binary image resources from the pixel-art text files.

    python3 res/art/make_images.py          write res/*.bmp, *.ico, *.cur
    python3 res/art/make_images.py --check  exit 1 if a committed file is stale

Standard library only; output is byte-for-byte deterministic (no timestamps).
The text format is described in README.md next to this script.
"""
import os
import re
import struct
import sys

ART = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(ART)

# Standard Windows 16-colour palette, in the usual index order.
VGA = ['000000', '800000', '008000', '808000', '000080', '800080', '008080',
       'C0C0C0', '808080', 'FF0000', '00FF00', 'FFFF00', '0000FF', 'FF00FF',
       '00FFFF', 'FFFFFF']
CLEAR = None  # a transparent pixel
LEGEND = re.compile(r'^(\S) = ([0-9A-Fa-f]{6}|transparent)$')


def load(name, size):
    """Read one pixel-art file; return rows of palette indices (or CLEAR)."""
    legend, rows = {}, []
    with open(os.path.join(ART, name), encoding='ascii') as f:
        for n, line in enumerate(f, 1):
            line = line.rstrip('\n')
            if not line.strip() or line.startswith('#'):
                continue
            m = LEGEND.match(line)
            if m:
                col = m.group(2).upper()
                if col != 'TRANSPARENT' and col not in VGA:
                    sys.exit('%s:%d: %s is not a VGA colour' % (name, n, col))
                legend[m.group(1)] = CLEAR if col == 'TRANSPARENT' else VGA.index(col)
                continue
            try:
                rows.append([legend[c] for c in line])
            except KeyError as e:
                sys.exit('%s:%d: character %s not in legend' % (name, n, e))
    if (len(rows), {len(r) for r in rows}) != (size[1], {size[0]}):
        sys.exit('%s: expected %dx%d pixels' % (name, size[0], size[1]))
    return rows


def pack(row, bpp):
    """Pack pixel values into bytes (MSB first), padded to a 4-byte boundary."""
    bits = ''.join(format(v, '0%db' % bpp) for v in row)
    bits += '0' * (-len(bits) % 32)
    return bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))


def palette(colours):
    return b''.join(bytes.fromhex(c)[::-1] + b'\0' for c in colours)  # B,G,R,0


def dib(rows, bpp, colours, masked):
    """BITMAPINFOHEADER + palette + bits, rows bottom-up. With a mask, the
    height is doubled and the 1 bpp AND mask follows the XOR (colour) bits."""
    w, h = len(rows[0]), len(rows)
    xor = b''.join(pack([0 if v is CLEAR else v for v in r], bpp)
                   for r in reversed(rows))
    mask = b''.join(pack([1 if v is CLEAR else 0 for v in r], 1)
                    for r in reversed(rows)) if masked else b''
    head = struct.pack('<IiiHHIIiiII', 40, w, h * 2 if masked else h, 1, bpp,
                       0, len(xor) + len(mask), 0, 0, 0, 0)
    return head + palette(colours) + xor + mask


def bmp(rows):
    body = dib(rows, 4, VGA, masked=False)
    return struct.pack('<2sIHHI', b'BM', 14 + len(body), 0, 0,
                       14 + 40 + 16 * 4) + body


def icondir(kind, images):
    """ICONDIR + ICONDIRENTRYs + images; images = (w, h, colours, f1, f2, dib)
    where f1/f2 are planes/bitcount for icons and the hot spot for cursors."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for w, h, ncol, f1, f2, data in images:
        out += struct.pack('<BBBBHHII', w % 256, h % 256, ncol % 256, 0,
                           f1, f2, len(data), offset)
        offset += len(data)
    return out + b''.join(i[-1] for i in images)


def ico(*names_sizes):
    imgs = []
    for name, s in names_sizes:
        imgs.append((s, s, 16, 1, 4, dib(load(name, (s, s)), 4, VGA, True)))
    return icondir(1, imgs)


def cur(name, hotspot):
    rows = load(name, (32, 32))
    if any(v not in (CLEAR, 0, 15) for r in rows for v in r):
        sys.exit('%s: a cursor may only use black, white and transparent' % name)
    mono = [[v if v is CLEAR else v // 15 for v in r] for r in rows]
    return icondir(2, [(32, 32, 2) + hotspot +
                       (dib(mono, 1, ['000000', 'FFFFFF'], True),)])


def hstack(grids):
    return [sum(parts, []) for parts in zip(*grids)]


def at(rows, x, y):
    """The pixel at (x, y), an edge pixel repeated beyond the edges."""
    return rows[min(max(y, 0), len(rows) - 1)][min(max(x, 0), len(rows[0]) - 1)]


def scale2x(rows):
    """Twice the size by Scale2x: each pixel becomes four, and a corner takes the
    colour of the two neighbours meeting there when they agree, so diagonal strokes
    stay smooth and every pixel keeps a colour of the drawing (nothing blurs)."""
    out = []
    for y in range(len(rows)):
        top, bottom = [], []
        for x in range(len(rows[0])):
            p, a, b = at(rows, x, y), at(rows, x, y - 1), at(rows, x + 1, y)
            c, d = at(rows, x - 1, y), at(rows, x, y + 1)
            top += [a if c == a and c != d and a != b else p,
                    b if a == b and a != c and b != d else p]
            bottom += [c if d == c and d != b and c != a else p,
                       d if b == d and b != a and d != c else p]
        out += [top, bottom]
    return out


def scale3x(rows):
    """Three times the size by Scale3x, Scale2x's rule over a 3 x 3 block."""
    out = []
    for y in range(len(rows)):
        lines = [[], [], []]
        for x in range(len(rows[0])):
            a, b, c = (at(rows, x + i, y - 1) for i in (-1, 0, 1))
            d, e, f = (at(rows, x + i, y) for i in (-1, 0, 1))
            g, h, i_ = (at(rows, x + i, y + 1) for i in (-1, 0, 1))
            db, bf, dh, hf = (d == b and b != f and d != h, b == f and b != d and f != h,
                              d == h and d != b and h != f, h == f and d != h and b != f)
            lines[0] += [d if db else e,
                         b if (db and e != c) or (bf and e != a) else e,
                         f if bf else e]
            lines[1] += [d if (db and e != g) or (dh and e != a) else e,
                         e,
                         f if (bf and e != i_) or (hf and e != c) else e]
            lines[2] += [d if dh else e,
                         h if (dh and e != i_) or (hf and e != g) else e,
                         f if hf else e]
        out += lines
    return out


def resample(rows, w, h):
    """Nearest pixels at w x h, from the pixel centres: no colour is mixed."""
    sw, sh = len(rows[0]), len(rows)
    return [[rows[(2 * y + 1) * sh // (2 * h)][(2 * x + 1) * sw // (2 * w)]
             for x in range(w)] for y in range(h)]


# The toolbar's pictures at each scale the program shows them at, made from the 16 x 15
# drawings: the pixel-art scalers keep the edges crisp, and the 125 % and 150 % sizes are
# taken by nearest pixel from the next larger of them.
TOOLBAR_SCALES = {
    'toolbar.bmp': lambda r: r,
    'toolbar125.bmp': lambda r: resample(scale2x(r), 20, 19),
    'toolbar150.bmp': lambda r: resample(scale3x(r), 24, 23),
    'toolbar200.bmp': scale2x,
}


TOOLBAR = ['tb_open', 'tb_print', 'tb_bold', 'tb_italic', 'tb_underline',
           'tb_strike', 'tb_help']

OUTPUTS = {  # file under res/ -> how to build it
    **{out: (lambda f: lambda: bmp(hstack([f(load(n + '.txt', (16, 15)))
                                            for n in TOOLBAR])))(f)
       for out, f in TOOLBAR_SCALES.items()},
    'typoscope.ico': lambda: ico(('app32.txt', 32), ('app16.txt', 16)),
    'emblem_left.ico': lambda: ico(('emblem_left.txt', 32)),
    'emblem_right.ico': lambda: ico(('emblem_right.txt', 32)),
    'hand.cur': lambda: cur('hand.txt', hotspot=(5, 0)),  # fingertip
}


def main(argv):
    check = argv[1:] == ['--check']
    if argv[1:] and not check:
        sys.exit(__doc__)
    stale = []
    for name, build in OUTPUTS.items():
        path, data = os.path.join(RES, name), build()
        if check:
            try:
                with open(path, 'rb') as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(name)
        else:
            with open(path, 'wb') as f:
                f.write(data)
    if stale:
        print('out of date (run res/art/make_images.py): ' + ', '.join(stale))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
