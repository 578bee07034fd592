#!/usr/bin/env python3
"""Draws the desktop program's glyph bitmaps and its application icon.

Writes resources/glyphs/glyph_NNN.bmp (16-colour BMP, the 16 standard VGA colours) and
resources/glyphs/glyph_NNN.svg (the same picture as vector shapes, for screens of more than one
device pixel per pixel), resources/icons/icon1_N.png (RGBA PNG, N = 16, 24, 32, 48, 64, 128, 256)
and resources/icons/icon1.svg. The written files are committed; the build does not run this
script. Standard library only.

Glyphs are pixel maps, one character per pixel (see PALETTE_KEYS). Their background is magenta
(FF00FF, key "."); the program makes that colour transparent when it loads a glyph, so a glyph
sits on whatever face colour the button has. No glyph uses magenta for anything else. Each glyph
also has a drawing (GLYPH_DRAWINGS) in the coordinates of its pixel map (one unit per pixel), with
the colours of the same palette keys; a disabled glyph's drawing greys those keys as its pixel map
does.

Usage: scripts/draw_glyphs.py [OUTPUT_ROOT]   (default: the repository's resources/ folder)
"""

import math
import os
import struct
import sys
import zlib

# The 16 standard VGA colours, in the order of the classic 16-colour palette.
VGA_PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black
    (0x80, 0x00, 0x00),  # 1 maroon
    (0x00, 0x80, 0x00),  # 2 green
    (0x80, 0x80, 0x00),  # 3 olive
    (0x00, 0x00, 0x80),  # 4 navy
    (0x80, 0x00, 0x80),  # 5 purple
    (0x00, 0x80, 0x80),  # 6 teal
    (0xC0, 0xC0, 0xC0),  # 7 silver (the classic button face)
    (0x80, 0x80, 0x80),  # 8 grey
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 magenta: the transparent key
    (0x00, 0xFF, 0xFF),  # 14 cyan
    (0xFF, 0xFF, 0xFF),  # 15 white
]

TRANSPARENT = 13

# Pixel-map characters and the palette index each stands for.
PALETTE_KEYS = {
    ".": TRANSPARENT,
    "k": 0,   # black
    "r": 1,   # maroon
    "g": 2,   # green
    "y": 3,   # olive
    "b": 4,   # navy
    "p": 5,   # purple
    "t": 6,   # teal
    "s": 7,   # silver
    "d": 8,   # grey
    "R": 9,   # red
    "G": 10,  # lime
    "Y": 11,  # yellow
    "B": 12,  # blue
    "C": 14,  # cyan
    "w": 15,  # white
}

# id: (what it shows, width, height, pixel rows)
GLYPHS = {
    150: ("Generate Next: sparkles over an arrow to the right", 14, 15, [
        "....y.........",
        "....Y......y..",
        "...yYy....yYy.",
        "yYYYwYYYy..y..",
        "...yYy........",
        "....Y.........",
        "....y....k....",
        ".........kk...",
        "kkkkkkkkkkGk..",
        "kGGGGGGGGGGGk.",
        "kGGGGGGGGGGGGk",
        "kGGGGGGGGGGGk.",
        "kkkkkkkkkkGk..",
        ".........kk...",
        ".........k....",
    ]),
    151: ("Store Name: one line going into a page", 15, 15, [
        ".....kkkkkkk...",
        ".....kwwwwwkk..",
        ".....kwwwwwkwk.",
        ".....kwwwwwkkkk",
        ".....kwwwwwwwwk",
        ".....kwwwBwwwwk",
        ".....kwwwBBwwwk",
        "BBBBBBBBBBBBwwk",
        "BBBBBBBBBBBBwwk",
        ".....kwwwBBwwwk",
        ".....kwwwBwwwwk",
        ".....kwwwwwwwwk",
        ".....kwwwwwwwwk",
        ".....kwwwwwwwwk",
        ".....kkkkkkkkkk",
    ]),
    152: ("Store page: several lines going into a page", 15, 15, [
        ".....kkkkkkk...",
        ".....kwwwwwkk..",
        ".....kwwwwwkwk.",
        "BBBBBBBBBBwkkkk",
        ".....kwwwwwwwwk",
        "BBBBBBBBBBBBwwk",
        ".....kwwwwwwwwk",
        "BBBBBBBBBBBwwwk",
        ".....kwwwwwwwwk",
        "BBBBBBBBBBBBwwk",
        ".....kwwwwwwwwk",
        "BBBBBBBBBwwwwwk",
        ".....kwwwwwwwwk",
        ".....kwwwwwwwwk",
        ".....kkkkkkkkkk",
    ]),
    153: ("Clear Store: a written page crossed out in red", 12, 15, [
        "kkkkkkk.....",
        "kwwwwwkk....",
        "kwwwwwkwk...",
        "kwdddwkkkk..",
        "kwwwwwwwwk..",
        "kwddddddwk..",
        "kRRwwwwRRk..",
        "kwRRwwRRwk..",
        "kwdRRRRdwk..",
        "kwwwRRwwwk..",
        "kwdRRRRdwk..",
        "kwRRwwRRwk..",
        "kRRdddwRRk..",
        "RRwwwwwwRR..",
        "kkkkkkkkkk..",
    ]),
    154: ("View Store: a written page under a magnifier", 13, 15, [
        "kkkkkkk......",
        "kwwwwwkk.....",
        "kwwwwwkwk....",
        "kwdddwkkkk...",
        "kwwwwwwwwk...",
        "kwddkkkwwk...",
        "kwwkCCCkwk...",
        "kwkCwCCCkk...",
        "kwkCCCCCkk...",
        "kwkCCCCCkk...",
        "kwwkCCCkkk...",
        "kwwwkkkkrr...",
        "kwwwwwwwwrr..",
        "kkkkkkkkkkrr.",
        "...........rr",
    ]),
    155: ("Help: a question mark", 11, 14, [
        "...bbbbb...",
        "..bBBBBBb..",
        ".bBBbbbBBb.",
        ".bBBb.bBBb.",
        "..bb..bBBb.",
        ".....bBBb..",
        "....bBBb...",
        "....bBBb...",
        "....bBBb...",
        ".....bb....",
        "...........",
        "....bBBb...",
        "....bBBb...",
        ".....bb....",
    ]),
    156: ("Options while hidden: a double chevron pointing down", 10, 12, [
        "..........",
        "kk......kk",
        ".kk....kk.",
        "..kk..kk..",
        "...kkkk...",
        "....kk....",
        "kk......kk",
        ".kk....kk.",
        "..kk..kk..",
        "...kkkk...",
        "....kk....",
        "..........",
    ]),
    157: ("Options while shown: a double chevron pointing up", 10, 12, [
        "..........",
        "....kk....",
        "...kkkk...",
        "..kk..kk..",
        ".kk....kk.",
        "kk......kk",
        "....kk....",
        "...kkkk...",
        "..kk..kk..",
        ".kk....kk.",
        "kk......kk",
        "..........",
    ]),
    158: ("View Log: a scroll with a list", 16, 16, [
        ".kkkkkkkkkkkkkk.",
        "kYYYYYYYYYYYYYYk",
        "kyyyyyyyyyyyyyyk",
        ".kkkkkkkkkkkkkk.",
        "..kwwwwwwwwwwk..",
        "..kwRwkkkkkwwk..",
        "..kwwwwwwwwwwk..",
        "..kwRwkkkkkkwk..",
        "..kwwwwwwwwwwk..",
        "..kwRwkkkkwwwk..",
        "..kwwwwwwwwwwk..",
        "..kwRwkkkkkkwk..",
        ".kkkkkkkkkkkkkk.",
        "kYYYYYYYYYYYYYYk",
        "kyyyyyyyyyyyyyyk",
        ".kkkkkkkkkkkkkk.",
    ]),
}

# The glyphs as drawings: SVG elements in the pixel map's coordinates, colours as {key} of
# PALETTE_KEYS. A page is the shape shared by the Store glyphs: a sheet with a folded corner.
def page(left, right=None):
    right = left + 9 if right is None else right
    fold = right - 3
    return (f'<path d="M{left + .5},.5 H{fold + .5} L{right + .5},3.5 V14.5 H{left + .5} Z" '
            'fill="{w}" stroke="{k}"/>'
            f'<path d="M{fold + .5},.5 V3.5 H{right + .5}" fill="none" stroke="{{k}}"/>')


def star(cx, cy, rx, ry):
    ix, iy = rx * .28, ry * .28
    return (f'<path d="M{cx},{cy - ry} L{cx + ix},{cy - iy} L{cx + rx},{cy} L{cx + ix},{cy + iy} '
            f'L{cx},{cy + ry} L{cx - ix},{cy + iy} L{cx - rx},{cy} L{cx - ix},{cy - iy} Z" '
            'fill="{Y}" stroke="{y}" stroke-width=".5" stroke-linejoin="round"/>')


def chevrons(up):
    lines = "".join(f'<path d="M.8,{y} L5,{y + 4.2} L9.2,{y}" fill="none" stroke="{{k}}" '
                    'stroke-width="1.6" stroke-linecap="round" stroke-linejoin="round"/>'
                    for y in (1.6, 6.6))
    return f'<g transform="matrix(1 0 0 -1 0 12)">{lines}</g>' if up else lines


GLYPH_DRAWINGS = {
    150: star(4.5, 3.5, 4.3, 3.4) + star(11.5, 2.5, 1.6, 1.6) +
         '<circle cx="4.5" cy="3.5" r=".7" fill="{w}"/>'
         '<path d="M.5,8.5 H9.5 V6.3 L13.6,10.5 L9.5,14.7 V12.5 H.5 Z" fill="{G}" stroke="{k}" '
         'stroke-linejoin="round"/>',
    151: page(5, 14) +
         '<path d="M0,7 H9 V5 L12.5,8 L9,11 V9 H0 Z" fill="{B}"/>',
    152: page(5, 14) + "".join(
         f'<rect x="0" y="{y}" width="{width}" height="1" fill="{{B}}"/>'
         for y, width in ((3, 10), (5, 12), (7, 11), (9, 12), (11, 9))),
    153: page(0, 9) +
         '<path d="M2,3.5 H6 M2,5.5 H8 M3,12.5 H6" stroke="{d}"/>'
         '<path d="M.7,6.2 L9.3,14.3 M9.3,6.2 L.7,14.3" stroke="{R}" stroke-width="1.6" '
         'stroke-linecap="round"/>',
    154: page(0, 9) +
         '<path d="M2,3.5 H6" stroke="{d}"/>'
         '<path d="M8,11.5 L12.6,14.6" stroke="{r}" stroke-width="1.8" stroke-linecap="round"/>'
         '<circle cx="5.5" cy="8.5" r="2.8" fill="{C}" stroke="{k}"/>'
         '<path d="M4.2,7.6 A1.6,1.6 0 0 1 5.6,6.6" fill="none" stroke="{w}" stroke-width=".7"/>',
    155: '<path d="M2.6,3.6 C2.6,.6 8.4,.6 8.4,3.6 C8.4,5.8 5.5,6 5.5,8.6" fill="none" '
         'stroke="{b}" stroke-width="3.2" stroke-linecap="round"/>'
         '<path d="M2.6,3.6 C2.6,.6 8.4,.6 8.4,3.6 C8.4,5.8 5.5,6 5.5,8.6" fill="none" '
         'stroke="{B}" stroke-width="1.6" stroke-linecap="round"/>'
         '<circle cx="5.5" cy="12.4" r="1.6" fill="{b}"/><circle cx="5.5" cy="12.4" r=".8" '
         'fill="{B}"/>',
    156: chevrons(False),
    157: chevrons(True),
    158: '<rect x="2.5" y="2.5" width="11" height="11" fill="{w}" stroke="{k}"/>'
         '<rect x=".5" y=".5" width="15" height="3" rx="1.5" fill="{Y}" stroke="{k}"/>'
         '<rect x=".5" y="12.5" width="15" height="3" rx="1.5" fill="{Y}" stroke="{k}"/>'
         '<path d="M1.5,2.5 H14.5 M1.5,14.5 H14.5" stroke="{y}"/>' + "".join(
         f'<rect x="4" y="{y}" width="1" height="1" fill="{{R}}"/>'
         f'<rect x="6" y="{y}" width="{width}" height="1" fill="{{k}}"/>'
         for y, width in ((5, 5), (7, 6), (9, 4), (11, 6))),
}


def colour_hex(key):
    red, green, blue = VGA_PALETTE[PALETTE_KEYS[key]]
    return f"#{red:02X}{green:02X}{blue:02X}"


def glyph_svg(width, height, drawing, greyed_form):
    """The drawing as an SVG document of the glyph's size; greyed for a disabled glyph, with the
    keys mapped as greyed() maps its pixels."""
    def key_of(key):
        if not greyed_form:
            return key
        return greyed([key])[0]
    colours = {key: colour_hex(key_of(key)) for key in PALETTE_KEYS if key != "."}
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">' + drawing.format_map(colours) + "</svg>\n")


# Disabled forms: (disabled id, the glyph they grey out).
DISABLED_GLYPHS = [(160, 150), (161, 151), (162, 152)]


def brightness(index):
    red, green, blue = VGA_PALETTE[index]
    return (0.299 * red + 0.587 * green + 0.114 * blue) / 255


def greyed(rows):
    """The disabled form of a pixel map: dark colours become grey, light ones silver, white stays
    white, the transparent background stays transparent. The shape stays, its colour goes."""
    def grey(char):
        index = PALETTE_KEYS[char]
        if index == TRANSPARENT or char == "w":
            return char
        return "d" if brightness(index) < 0.5 else "s"
    return ["".join(grey(char) for char in row) for row in rows]


def check_map(glyph_id, width, height, rows):
    if len(rows) != height:
        raise ValueError(f"glyph {glyph_id}: {len(rows)} rows, expected {height}")
    for number, row in enumerate(rows):
        if len(row) != width:
            raise ValueError(f"glyph {glyph_id} row {number}: {len(row)} pixels, expected {width}")
        unknown = set(row) - set(PALETTE_KEYS)
        if unknown:
            raise ValueError(f"glyph {glyph_id} row {number}: unknown keys {sorted(unknown)}")


def bmp_4bit(width, height, rows):
    """A BITMAPINFOHEADER BMP, 4 bits per pixel, uncompressed, bottom-up, VGA palette."""
    row_bytes = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):
        indices = [PALETTE_KEYS[char] for char in row]
        if len(indices) % 2:
            indices.append(0)
        packed = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))
        pixels += packed + bytes(row_bytes - len(packed))
    palette = b"".join(bytes((blue, green, red, 0)) for red, green, blue in VGA_PALETTE)
    header_size = 14 + 40 + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels),
                              2835, 2835, 16, 16)
    return file_header + info_header + palette + bytes(pixels)


def png_rgba(size, pixels):
    """A PNG of size x size RGBA pixels (a list of rows of (r, g, b, a) tuples)."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = b"".join(b"\x00" + bytes(channel for pixel in row for channel in pixel)
                   for row in pixels)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# The application icon: a stylised "Q" whose tail is a quill, on a rounded parchment tile.
# Drawn as shapes in unit coordinates (0..1, y down) and rasterised with 8 x 8 samples per pixel,
# so that each size is drawn at its own resolution rather than scaled from another.

PARCHMENT = (0xF4, 0xE7, 0xC3)
PARCHMENT_EDGE = (0x8B, 0x5A, 0x2B)
INK = (0x1B, 0x2F, 0x7A)
QUILL = (0xC0, 0x28, 0x28)
QUILL_SHAFT = (0x5A, 0x10, 0x10)


def in_rounded_square(x, y, inset, radius):
    low, high = inset + radius, 1 - inset - radius
    dx = max(low - x, 0, x - high)
    dy = max(low - y, 0, y - high)
    return (x >= inset and x <= 1 - inset and y >= inset and y <= 1 - inset and
            dx * dx + dy * dy <= radius * radius)


def in_ring(x, y, cx, cy, outer, inner):
    distance = math.hypot(x - cx, y - cy)
    return inner <= distance <= outer


def along(x, y, start, end):
    """Position of (x, y) along the segment start->end (0..1) and its distance from the line."""
    (sx, sy), (ex, ey) = start, end
    length = math.hypot(ex - sx, ey - sy)
    ux, uy = (ex - sx) / length, (ey - sy) / length
    t = ((x - sx) * ux + (y - sy) * uy) / length
    offset = abs((x - sx) * uy - (y - sy) * ux)
    return t, offset


QUILL_NIB = (0.50, 0.50)    # the nib writes inside the Q
QUILL_TOP = (0.95, 0.95)    # the feather's end, past the tile's corner


def in_quill_vane(x, y):
    t, offset = along(x, y, QUILL_NIB, QUILL_TOP)
    if not 0.30 <= t <= 1.0:
        return False
    # The vane swells from the shaft to its widest point and narrows to the end.
    half_width = 0.13 * math.sin(math.pi * (t - 0.30) / 0.70)
    return offset <= half_width


def in_quill_shaft(x, y, thickness):
    t, offset = along(x, y, QUILL_NIB, QUILL_TOP)
    return 0.0 <= t <= 1.0 and offset <= thickness


def icon_colour(x, y, size):
    """The colour at (x, y), or None outside the icon. Lines get thicker in unit terms at small
    sizes so that they stay at least about a pixel wide."""
    pixel = 1 / size
    ring_width = max(0.13, 2.2 * pixel)
    shaft = max(0.018, 0.55 * pixel)
    if in_quill_shaft(x, y, shaft):
        return QUILL_SHAFT
    if in_quill_vane(x, y):
        return QUILL
    if in_ring(x, y, 0.45, 0.45, 0.36, 0.36 - ring_width):
        return INK
    # The tile's edges fall on pixel boundaries, so that they stay sharp at 16 x 16.
    inset = round(0.02 * size) * pixel
    edge = max(1, round(0.035 * size)) * pixel
    if in_rounded_square(x, y, inset, 0.16):
        if not in_rounded_square(x, y, inset + edge, 0.16 - edge):
            return PARCHMENT_EDGE
        return PARCHMENT
    return None


def icon_pixels(size, samples=8):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            red = green = blue = covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    colour = icon_colour(x, y, size)
                    if colour is not None:
                        red += colour[0]
                        green += colour[1]
                        blue += colour[2]
                        covered += 1
            if covered:
                row.append((round(red / covered), round(green / covered), round(blue / covered),
                            round(255 * covered / samples ** 2)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_svg(size=256):
    """The icon's shapes as an SVG document (its scalable form), in the same unit coordinates."""
    def unit(value):
        return f"{value * size:.2f}"
    inset, edge, radius = 0.02, 0.035, 0.16
    ring_width = 0.13
    ring_radius = 0.36 - ring_width / 2
    (nx, ny), (tx, ty) = QUILL_NIB, QUILL_TOP
    length = math.hypot(tx - nx, ty - ny)
    ux, uy = (tx - nx) / length, (ty - ny) / length
    sides = ([], [])
    steps = 24
    for step in range(steps + 1):
        t = 0.30 + 0.70 * step / steps
        half_width = 0.13 * math.sin(math.pi * (t - 0.30) / 0.70)
        x, y = nx + ux * t * length, ny + uy * t * length
        sides[0].append((x + uy * half_width, y - ux * half_width))
        sides[1].append((x - uy * half_width, y + ux * half_width))
    vane = sides[0] + list(reversed(sides[1]))
    vane_path = "M" + " L".join(f"{unit(x)},{unit(y)}" for x, y in vane) + " Z"

    def hex_colour(colour):
        return "#%02X%02X%02X" % colour
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
        f'viewBox="0 0 {size} {size}">'
        f'<rect x="{unit(inset)}" y="{unit(inset)}" width="{unit(1 - 2 * inset)}" '
        f'height="{unit(1 - 2 * inset)}" rx="{unit(radius)}" fill="{hex_colour(PARCHMENT_EDGE)}"/>'
        f'<rect x="{unit(inset + edge)}" y="{unit(inset + edge)}" '
        f'width="{unit(1 - 2 * (inset + edge))}" height="{unit(1 - 2 * (inset + edge))}" '
        f'rx="{unit(radius - edge)}" fill="{hex_colour(PARCHMENT)}"/>'
        f'<circle cx="{unit(0.45)}" cy="{unit(0.45)}" r="{unit(ring_radius)}" fill="none" '
        f'stroke="{hex_colour(INK)}" stroke-width="{unit(ring_width)}"/>'
        f'<path d="{vane_path}" fill="{hex_colour(QUILL)}"/>'
        f'<path d="M{unit(nx)},{unit(ny)} L{unit(tx)},{unit(ty)}" '
        f'stroke="{hex_colour(QUILL_SHAFT)}" stroke-width="{unit(0.036)}"/>'
        "</svg>\n")


ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    all_glyphs = {glyph_id: (what, width, height, rows, GLYPH_DRAWINGS[glyph_id], False)
                  for glyph_id, (what, width, height, rows) in GLYPHS.items()}
    for disabled_id, glyph_id in DISABLED_GLYPHS:
        what, width, height, rows = GLYPHS[glyph_id]
        all_glyphs[disabled_id] = ("disabled " + what, width, height, greyed(rows),
                                   GLYPH_DRAWINGS[glyph_id], True)
    for glyph_id, (_, width, height, rows, drawing, grey) in sorted(all_glyphs.items()):
        check_map(glyph_id, width, height, rows)
        write(os.path.join(root, "glyphs", f"glyph_{glyph_id}.bmp"), bmp_4bit(width, height, rows))
        write(os.path.join(root, "glyphs", f"glyph_{glyph_id}.svg"),
              glyph_svg(width, height, drawing, grey).encode("ascii"))
    for size in ICON_SIZES:
        # Past 64 pixels a pixel is small against every shape: fewer samples do.
        samples = 8 if size <= 64 else 4
        write(os.path.join(root, "icons", f"icon1_{size}.png"),
              png_rgba(size, icon_pixels(size, samples)))
    write(os.path.join(root, "icons", "icon1.svg"), icon_svg().encode("ascii"))


if __name__ == "__main__":
    main()
