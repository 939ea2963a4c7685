#!/usr/bin/env python3
"""The program's icon: a timetable (Horavent's side, a calendar sheet with
lessons in its grid) at the top left, a fixed-width text file (TEBA's side)
at the bottom right, and an arrow in each free corner going from one to the
other. Colours are the window's: the run panels' amber, the folder panel's
blues, the folder list's background.

    icon.py OUTPUT_FOLDER

writes transhoraventteba.ico (16, 32, 48 and 256 pixels, for the Windows
programs' resources), transhoraventteba-N.png for N in 16, 32, 48, 64, 128
and 256, and transhoraventteba.svg (the hicolor theme's sizes). The same
input always gives the same bytes.

Sizes from 32 up are drawn from the shapes below, in a 32 x 32 square;
16 pixels is drawn by hand, pixel by pixel, so that it stays sharp.
"""
import os
import struct
import sys
import zlib

NAME = "transhoraventteba"
PNG_SIZES = (16, 32, 48, 64, 128, 256)
ICO_SIZES = (16, 32, 48, 256)

COLOURS = {
    "o": (0x1F, 0x35, 0x8C),  # calendar outline, navy
    "h": (0x3A, 0x5B, 0xD9),  # calendar header
    "k": (0x5A, 0x5F, 0x6B),  # binder rings
    "b": (0xF0, 0xFB, 0xFF),  # calendar cells: the folder list's background
    "g": (0x9D, 0xB1, 0xF2),  # grid lines: the folder panel's blue, darker
    "a": (0xF2, 0xB1, 0x3A),  # lessons: the run panels' amber, deeper
    "e": (0x59, 0x63, 0x73),  # paper edge
    "p": (0xFF, 0xFF, 0xFF),  # paper
    "f": (0xFF, 0xEE, 0xDD),  # folded corner: the run panels' top colour
    "t": (0x4A, 0x55, 0x68),  # text lines
    "r": (0xE5, 0x70, 0x10),  # arrows
}


def rect(colour, left, top, right, bottom):
    return ("rect", colour, (left, top, right, bottom))


def polygon(colour, *points):
    return ("polygon", colour, points)


def calendar_cells():
    """The grid's cells, 4 columns of 3 by 3 rows of 3, lines of 1 between."""
    lessons = {(0, 0), (2, 0), (1, 1), (3, 1), (0, 2)}
    shapes = []
    for row in range(3):
        for column in range(4):
            left, top = 2 + 4 * column, 6 + 4 * row
            colour = "a" if (column, row) in lessons else "b"
            shapes.append(rect(colour, left, top, left + 3, top + 3))
    return shapes


def text_lines():
    """Fixed-width records: runs of characters with gaps between fields."""
    runs = [(18, [(22, 26)]), (21, [(22, 26), (27, 29)]), (24, [(22, 28)]), (27, [(22, 24), (25, 29)])]
    return [rect("t", left, top, right, top + 1) for top, fields in runs for left, right in fields]


# Painted in this order, in units of a 32 x 32 square.
SHAPES = (
    [rect("o", 1, 2, 18, 18),  # calendar, outline
     rect("g", 2, 6, 17, 17),  # its grid lines, under the cells
     rect("h", 2, 3, 17, 6)]   # its header
    + calendar_cells()
    + [rect("k", 4, 0, 6, 5), rect("k", 13, 0, 15, 5),  # rings
       polygon("e", (20, 14), (27, 14), (31, 18), (31, 31), (20, 31)),  # text file, edge
       polygon("p", (21, 15), (26.59, 15), (30, 18.41), (30, 30), (21, 30)),  # paper
       polygon("e", (26, 14), (26, 19), (31, 19)),  # folded corner, edge
       polygon("f", (27, 16.4), (27, 18), (28.6, 18))]  # and its face
    + text_lines()
    + [rect("r", 18, 6, 27, 9), rect("r", 24, 6, 27, 10),  # to the text file
       polygon("r", (21.5, 10), (29.5, 10), (25.5, 14)),
       rect("r", 5, 24, 20, 27), rect("r", 5, 22, 8, 27),  # to the timetable
       polygon("r", (2.5, 22), (10.5, 22), (6.5, 18))]
)

# The 16-pixel drawing, one letter a pixel ("." transparent).
SMALL = [
    "..k....k........",
    "oooooooooo......",
    "ohhhhhhhho......",
    "oaagbbgaaorrrr..",
    "oggggggggorrrr..",
    "obbgaagbbo.rrrr.",
    "oggggggggo..rr..",
    "oaagbbgbboeeeee.",
    "ooooooooooepppee",
    "...rr.....eppppe",
    "..rrrr....ettpte",
    "...rrrrrrreppppe",
    "...rrrrrrretttpe",
    "..........eppppe",
    "..........ettpte",
    "..........eeeeee",
]


def inside(points, x, y):
    """Whether x, y lies inside the convex polygon `points` (either winding)."""
    sign = 0
    for i, (x1, y1) in enumerate(points):
        x2, y2 = points[(i + 1) % len(points)]
        cross = (x2 - x1) * (y - y1) - (y2 - y1) * (x - x1)
        if cross != 0:
            if sign == 0:
                sign = 1 if cross > 0 else -1
            elif (cross > 0) != (sign > 0):
                return False
    return True


def coverage(shape, scale, px, py):
    """How much of pixel px, py the shape covers, from 0 to 1."""
    kind, _, geometry = shape
    if kind == "rect":
        left, top, right, bottom = (value * scale for value in geometry)
        width = max(0.0, min(right, px + 1) - max(left, px))
        height = max(0.0, min(bottom, py + 1) - max(top, py))
        return width * height
    points = [(x * scale, y * scale) for x, y in geometry]
    corners = [(px, py), (px + 1, py), (px, py + 1), (px + 1, py + 1)]
    if all(inside(points, x, y) for x, y in corners):
        return 1.0
    samples = 6
    hits = sum(inside(points, px + (i + 0.5) / samples, py + (j + 0.5) / samples)
               for i in range(samples) for j in range(samples))
    return hits / samples ** 2


def bounds(shape, scale, size):
    kind, _, geometry = shape
    xs = [geometry[0], geometry[2]] if kind == "rect" else [x for x, _ in geometry]
    ys = [geometry[1], geometry[3]] if kind == "rect" else [y for _, y in geometry]
    clamp = lambda value: max(0, min(size, value))
    return (clamp(int(min(xs) * scale)), clamp(int(max(xs) * scale + 1)),
            clamp(int(min(ys) * scale)), clamp(int(max(ys) * scale + 1)))


def render(size):
    """The icon at `size` pixels: rows of (red, green, blue, alpha) tuples."""
    if size == 16:
        return [[COLOURS[c] + (255,) if c != "." else (0, 0, 0, 0) for c in line] for line in SMALL]
    pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    scale = size / 32
    for shape in SHAPES:
        colour = COLOURS[shape[1]]
        x0, x1, y0, y1 = bounds(shape, scale, size)
        for py in range(y0, y1):
            row = pixels[py]
            for px in range(x0, x1):
                a = coverage(shape, scale, px, py)
                if a <= 0:
                    continue
                r, g, b, alpha = row[px]  # colour premultiplied by alpha
                row[px] = (colour[0] * a + r * (1 - a), colour[1] * a + g * (1 - a),
                           colour[2] * a + b * (1 - a), a + alpha * (1 - a))
    result = []
    for row in pixels:
        line = []
        for r, g, b, alpha in row:
            if alpha <= 0:
                line.append((0, 0, 0, 0))
            else:
                line.append(tuple(min(255, round(v / alpha)) for v in (r, g, b)) + (round(alpha * 255),))
        result.append(line)
    return result


def png(image):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    size = len(image)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in image)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bitmap(image):
    """A 32-bit device-independent bitmap with its AND mask, as icons hold them."""
    size = len(image)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(image) for r, g, b, a in row)
    mask_row = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(image):
        bits = bytearray(mask_row)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colours + mask


def ico(images):
    entries, data = b"", b""
    offset = 6 + 16 * len(images)
    for image in images:
        size = len(image)
        body = png(image) if size >= 256 else ico_bitmap(image)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(body), offset + len(data))
        data += body
    return struct.pack("<HHH", 0, 1, len(images)) + entries + data


def svg():
    def number(value):
        return ("%.2f" % value).rstrip("0").rstrip(".")
    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">']
    for kind, colour, geometry in SHAPES:
        fill = "#%02x%02x%02x" % COLOURS[colour]
        if kind == "rect":
            left, top, right, bottom = geometry
            lines.append('  <rect x="%s" y="%s" width="%s" height="%s" fill="%s"/>'
                         % (number(left), number(top), number(right - left), number(bottom - top), fill))
        else:
            points = " ".join("%s,%s" % (number(x), number(y)) for x, y in geometry)
            lines.append('  <polygon points="%s" fill="%s"/>' % (points, fill))
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def write(path, data):
    with open(path, "wb") as out:
        out.write(data)


def main(arguments):
    if len(arguments) != 1:
        sys.stderr.write("usage: icon.py OUTPUT_FOLDER\n")
        return 64
    folder = arguments[0]
    os.makedirs(folder, exist_ok=True)
    images = {size: render(size) for size in PNG_SIZES}
    for size, image in images.items():
        write(os.path.join(folder, "%s-%d.png" % (NAME, size)), png(image))
    write(os.path.join(folder, NAME + ".ico"), ico([images[size] for size in ICO_SIZES]))
    write(os.path.join(folder, NAME + ".svg"), svg().encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
