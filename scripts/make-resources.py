#!/usr/bin/env python3
"""Writes the pictures that GlumaNote carries as resources.

    resources/skin.bmp       the note card's background picture (24-bit BMP, 284 x 210)
    resources/skin.runs      the same file as the program carries it: the BMP's headers, then
                             its pixels as runs (see toolkit/core/PixelRuns.h); 4 KB, not 175
    resources/GlumaNote.ico  the program icon: 16x16 and 32x32, each in 16 and 256 colours, then
                             20, 24, 40, 48 and 64 in 256 colours (the small and large icon
                             sizes at 125 % to 200 %) and 256 (a PNG) for Explorer's large views
    resources/hand.cur       the about box's link pointer: a 32x32, 16-colour pointing hand

The pictures are drawn here in code, so they can be reviewed as text and rebuilt
byte for byte: the output depends on nothing but this file.

Usage:
    scripts/make-resources.py                 write the four files into resources/
    scripts/make-resources.py --check         exit 1 if the committed files differ from the drawing
    scripts/make-resources.py --preview DIR   also write enlarged PNG previews into DIR
"""

import argparse
import os
import struct
import sys
import zlib

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
RESOURCES = os.path.join(ROOT, "resources")

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
YELLOW = (255, 255, 0)
GREY = (128, 128, 128)
SILVER = (192, 192, 192)

# The 16 colours every display of the Windows 3.x/95 era shows without dithering; the
# 16-colour images keep to them so they look the same on any palette.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# ---------------------------------------------------------------------------------------
# Skin picture

SKIN_WIDTH, SKIN_HEIGHT = 284, 210
CARD_LEFT, CARD_RIGHT = 5, 276     # inclusive columns of the card
CARD_TOP, CARD_BOTTOM = 5, 205     # inclusive rows, counted from the top
PELS_PER_METRE = 3780              # 96 dots per inch


def skin_colour(col, row):
    """Colour of the skin picture at (col, row), row counted from the top."""
    if not (CARD_LEFT <= col <= CARD_RIGHT and CARD_TOP <= row <= CARD_BOTTOM):
        return WHITE
    if col in (CARD_LEFT, CARD_RIGHT) or row in (CARD_TOP, CARD_BOTTOM):
        return BLACK
    return YELLOW


def make_skin_bmp():
    row_bytes = 3 * SKIN_WIDTH
    assert row_bytes % 4 == 0, "the skin's rows need no padding"
    image_size = row_bytes * SKIN_HEIGHT
    file_size = 14 + 40 + image_size
    out = bytearray()
    out += struct.pack("<2sIHHI", b"BM", file_size, 0, 0, 54)
    out += struct.pack("<IiiHHIIiiII", 40, SKIN_WIDTH, SKIN_HEIGHT, 1, 24, 0, image_size,
                       PELS_PER_METRE, PELS_PER_METRE, 0, 0)
    # Bottom-up: the first stored row is the picture's bottom row.
    for row in reversed(range(SKIN_HEIGHT)):
        for col in range(SKIN_WIDTH):
            r, g, b = skin_colour(col, row)
            out += bytes((b, g, r))
    assert len(out) == file_size == 178974
    return bytes(out)


def pixel_runs(bmp):
    """The BMP file as the program carries it: its bytes up to the pixels as they are, then
    each run of equal 3-byte pixels as a little-endian 16-bit count and the pixel's bytes."""
    start = struct.unpack_from("<I", bmp, 10)[0]
    pixels = bmp[start:]
    assert len(pixels) % 3 == 0, "whole pixels only"
    out = bytearray(bmp[:start])
    i = 0
    while i < len(pixels):
        unit, n = pixels[i:i + 3], 1
        while n < 0xFFFF and pixels[i + 3 * n:i + 3 * n + 3] == unit:
            n += 1
        out += struct.pack("<H", n) + unit
        i += 3 * n
    return bytes(out)


# ---------------------------------------------------------------------------------------
# A tiny canvas: a grid of RGB tuples, None where the picture is transparent.

class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[None] * size for _ in range(size)]

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the inclusive rectangle (x0, y0)-(x1, y1)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def hline(self, x0, x1, y, colour):
        self.fill(x0, y, x1, y, colour)

    @classmethod
    def from_rows(cls, rows, key):
        canvas = cls(len(rows))
        for y, line in enumerate(rows):
            assert len(line) == canvas.size, "row %d is %d wide" % (y, len(line))
            for x, ch in enumerate(line):
                canvas.px[y][x] = key[ch]
        return canvas

    def colours(self):
        return {c for row in self.px for c in row if c is not None}


# ---------------------------------------------------------------------------------------
# Program icon: a pad of yellow sticky notes with black outlines and a few lines of text.

def draw_note_pad(size, rich):
    """Draws the icon at 16 or 32 pixels; rich selects the 256-colour shading."""
    sheet = YELLOW
    back1 = (244, 220, 0) if rich else YELLOW
    back2 = (226, 196, 0) if rich else YELLOW
    band = (255, 236, 96) if rich else YELLOW      # the sticky strip along the top
    flap = (255, 250, 170) if rich else SILVER     # the turned-up corner shows the paper's back
    text = (112, 112, 112) if rich else GREY
    c = Canvas(size)
    if size == 32:
        x0, y0, x1, y1 = 2, 2, 25, 25
        step, sheets, fold = 2, 2, 6
        lines = [(6, 21, 10), (6, 21, 13), (6, 21, 16), (6, 14, 19)]
        band_rows = (3, 5)
    else:
        x0, y0, x1, y1 = 1, 1, 12, 12
        step, sheets, fold = 2, 1, 4
        lines = [(3, 10, 5), (3, 10, 7), (3, 6, 9)]
        band_rows = (2, 2)
    # Sheets underneath, furthest first, each peeking out to the right and below.
    for k in range(sheets, 0, -1):
        d = k * step
        c.fill(x0 + d, y0 + d, x1 + d, y1 + d, back2 if k == 2 else back1)
        c.frame(x0 + d, y0 + d, x1 + d, y1 + d, BLACK)
    # The top sheet, its bottom-right corner turned up: with i and j counted from that
    # corner, the paper is gone where i + j < fold and the flap lies where i, j <= fold.
    def corner(x, y):
        return x1 - x, y1 - y
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            i, j = corner(x, y)
            if i + j < fold:
                continue
            edge = x in (x0, x1) or y in (y0, y1)
            c.put(x, y, BLACK if edge else sheet)
    if rich:
        c.fill(x0 + 1, band_rows[0], x1 - 1, band_rows[1], band)
    for lx0, lx1, ly in lines:
        c.hline(lx0, lx1, ly, text)
    for y in range(y1 - fold, y1 + 1):
        for x in range(x1 - fold, x1 + 1):
            i, j = corner(x, y)
            if i + j < fold:
                continue
            outline = i + j == fold or i == fold or j == fold
            c.put(x, y, BLACK if outline else flap)
    return c


def draw_note_pad_at(size):
    """The same pad drawn for any other size: its lengths are those of the 32-pixel drawing
    scaled to the size and rounded to whole pixels, its outlines and text lines one pixel
    thick per 32 pixels of size, so every size is drawn on its own pixel grid."""
    u = size / 32.0
    px = lambda v: int(round(v * u))
    w = max(1, px(1))                                   # outline and line thickness
    x0 = y0 = px(2)
    x1 = y1 = size - 1 - px(6)
    step, sheets, fold = max(w + 1, px(2)), 2 if size >= 24 else 1, max(3, px(6))
    c = Canvas(size)

    def ring(a0, b0, a1, b1, colour):
        for k in range(w):
            c.frame(a0 + k, b0 + k, a1 - k, b1 - k, colour)
    for k in range(sheets, 0, -1):
        d = k * step
        c.fill(x0 + d, y0 + d, x1 + d, y1 + d, (226, 196, 0) if k == 2 else (244, 220, 0))
        ring(x0 + d, y0 + d, x1 + d, y1 + d, BLACK)
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            i, j = x1 - x, y1 - y
            if i + j < fold:
                continue
            edge = min(x - x0, y - y0, i, j) < w
            c.put(x, y, BLACK if edge else YELLOW)
    c.fill(x0 + w, y0 + w + px(1), x1 - w, y0 + w + px(3) - 1, (255, 236, 96))
    rows = [px(10), px(13), px(16), px(19)][:4 if size >= 24 else 3]
    for n, ly in enumerate(rows):
        right = px(21) if n < len(rows) - 1 else px(14)
        c.fill(px(6), ly, min(right, x1 - fold - w), ly + w - 1, (112, 112, 112))
    for y in range(y1 - fold, y1 + 1):
        for x in range(x1 - fold, x1 + 1):
            i, j = x1 - x, y1 - y
            if i + j < fold:
                continue
            outline = i + j < fold + w or i < w or j < w or i > fold - w or j > fold - w
            c.put(x, y, BLACK if outline else (255, 250, 170))
    return c


# ---------------------------------------------------------------------------------------
# Link pointer: a pointing hand, 32 x 32, hotspot at the tip of the index finger.

HAND_ROWS = [
    "......BB........................",
    ".....BWWB.......................",
    ".....BWWB.......................",
    ".....BWWB.......................",
    ".....BWWB.......................",
    ".....BWWB.......................",
    ".....BWWBBB.....................",
    ".....BWWBWWBBB..................",
    ".....BWWBWWBWWBB................",
    "..BB.BWWBWWBWWBWB...............",
    ".BWWBBWWWWWWWWBWWB..............",
    ".BWWWBWWWWWWWWWWWB..............",
    "..BWWWWWWWWWWWWWWB..............",
    "...BWWWWWWWWWWWWWB..............",
    "...BWWWWWWWWWWWWWB..............",
    "....BWWWWWWWWWWWWB..............",
    "....BWWWWWWWWWWWB...............",
    ".....BWWWWWWWWWWB...............",
    ".....BWWWWWWWWWB................",
    "......BWWWWWWWWB................",
    "......BWWWWWWWWB................",
    "......BBBBBBBBBB................",
] + ["." * 32] * 10
HAND_HOTSPOT = (6, 0)


def draw_hand():
    return Canvas.from_rows(HAND_ROWS, {".": None, "B": BLACK, "W": WHITE})


# ---------------------------------------------------------------------------------------
# Icon and cursor files

def icon_palette(bits):
    palette = list(VGA16)
    if bits == 8:
        palette += [BLACK] * (256 - len(palette))
    return palette


def assign_colours(canvas, bits):
    """The palette for one image: the 16 standard colours, and for 256-colour images the
    picture's own further colours after them."""
    palette = icon_palette(bits)
    extra = sorted(canvas.colours() - set(VGA16))
    if bits == 4 and extra:
        raise ValueError("16-colour image uses colours outside the standard 16: %r" % extra)
    for i, colour in enumerate(extra):
        palette[16 + i] = colour
    return palette


def icon_image(canvas, bits):
    """The image data of one icon or cursor entry: BITMAPINFOHEADER of double height,
    colour table, colour (XOR) bits, then the 1-bit AND mask; rows bottom-up, 32-bit aligned."""
    size = canvas.size
    palette = assign_colours(canvas, bits)
    index = {}
    for i, colour in enumerate(palette):
        index.setdefault(colour, i)
    xor_stride = (size * bits + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        row = [0] * size
        transparent = [False] * size
        for x in range(size):
            colour = canvas.px[y][x]
            if colour is None:
                transparent[x] = True    # AND 1 with colour 0 (black) leaves the screen as it is
            else:
                row[x] = index[colour]
        line = bytearray(xor_stride)
        for x, v in enumerate(row):
            if bits == 8:
                line[x] = v
            else:
                line[x // 2] |= v << (4 if x % 2 == 0 else 0)
        xor += line
        mline = bytearray(and_stride)
        for x, t in enumerate(transparent):
            if t:
                mline[x // 8] |= 0x80 >> (x % 8)
        mask += mline
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + table + bytes(xor) + bytes(mask)


def icon_file(kind, entries):
    """kind 1 is an icon, 2 a cursor; entries are (canvas, bits, hotspot); bits 32 stores the
    image as a PNG with transparency, as Windows takes its 256-pixel icons."""
    images = [png_rgba(canvas) if bits == 32 else icon_image(canvas, bits) for canvas, bits, _ in entries]
    out = bytearray(struct.pack("<HHH", 0, kind, len(entries)))
    offset = 6 + 16 * len(entries)
    for (canvas, bits, hotspot), image in zip(entries, images):
        size = canvas.size % 256                      # 0 stands for 256
        colours = 1 << bits if bits < 8 else 0
        if kind == 1:
            field1, field2 = 1, bits                  # planes, bit count
        else:
            field1, field2 = hotspot                  # a cursor keeps its hotspot there
        out += struct.pack("<BBBBHHII", size, size, colours, 0, field1, field2, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    return bytes(out)


def icon_entries():
    first = [(draw_note_pad(size, bits == 8), bits, None) for bits in (4, 8) for size in (32, 16)]
    return first + [(draw_note_pad_at(size), 8, None) for size in (20, 24, 40, 48, 64)] + \
        [(draw_note_pad_at(256), 32, None)]


def make_icon():
    return icon_file(1, icon_entries())


def make_cursor():
    return icon_file(2, [(draw_hand(), 4, HAND_HOTSPOT)])


# ---------------------------------------------------------------------------------------
# Previews (for looking at the drawings; not part of the program)

def png(canvas, scale, backdrop=(200, 230, 255)):
    size = canvas.size * scale
    raw = bytearray()
    for y in range(size):
        raw.append(0)
        for x in range(size):
            colour = canvas.px[y // scale][x // scale]
            raw += bytes(colour if colour is not None else backdrop)
    return png_file(size, 2, bytes(raw))


def png_rgba(canvas):
    """The canvas as a PNG file with an alpha channel: transparent where it holds None."""
    raw = bytearray()
    for row in canvas.px:
        raw.append(0)
        for colour in row:
            raw += bytes(colour + (255,)) if colour is not None else bytes(4)
    return png_file(canvas.size, 6, bytes(raw))


def png_file(size, colour_type, raw):
    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, colour_type, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_previews(directory):
    os.makedirs(directory, exist_ok=True)
    for canvas, bits, _ in icon_entries():
        name = "icon-%d-%dbpp.png" % (canvas.size, bits)
        with open(os.path.join(directory, name), "wb") as f:
            f.write(png(canvas, max(1, 256 // canvas.size)))
    with open(os.path.join(directory, "hand.png"), "wb") as f:
        f.write(png(draw_hand(), 8))


# ---------------------------------------------------------------------------------------

def outputs():
    return {
        "skin.bmp": make_skin_bmp(),
        "skin.runs": pixel_runs(make_skin_bmp()),
        "GlumaNote.ico": make_icon(),
        "hand.cur": make_cursor(),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare the files in resources/ with the drawing instead of writing them")
    parser.add_argument("--preview", metavar="DIR", help="write enlarged PNG previews into DIR")
    args = parser.parse_args()
    stale = []
    for name, data in outputs().items():
        path = os.path.join(RESOURCES, name)
        if args.check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except FileNotFoundError:
                same = False
            if not same:
                stale.append(name)
            continue
        with open(path, "wb") as f:
            f.write(data)
        print("%-14s %7d bytes" % (name, len(data)))
    if args.preview:
        write_previews(args.preview)
    if stale:
        print("out of date: " + ", ".join(stale) + " (run scripts/make-resources.py)", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
