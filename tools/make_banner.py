#!/usr/bin/env python3
"""Draws the launcher's product banner: a 285 x 90, 16-colour bitmap with a round
emblem holding a bottle at the left and lines of text at the right, on a light grey
ground (the bottom-left pixel, which the launcher draws as transparent).

    make_banner.py OUT.bmp [PIXELS_PER_INCH]

draws it for another screen density (96 by default): the picture is laid out in
96-dpi units and each shape is drawn at the target's own resolution, so its edges
stay sharp where an enlarged 96-dpi banner would show doubled pixels."""
import math
import struct
import sys

DPI = int(sys.argv[2]) if len(sys.argv) > 2 else 96


def S(v):
    """A 96-dpi coordinate at the target density, rounded as the launcher's layout rounds."""
    return int(math.floor(v * DPI / 96 + 0.5))


W, H = S(285), S(90)
PALETTE = [
    (0xD8, 0xD8, 0xD8),  # 0 ground
    (0x00, 0x00, 0x00),  # 1 black
    (0x7A, 0x10, 0x20),  # 2 wine red
    (0x4A, 0x08, 0x14),  # 3 burgundy
    (0x1E, 0x46, 0x22),  # 4 bottle green
    (0x4C, 0x86, 0x50),  # 5 glass highlight
    (0xC8, 0xA0, 0x40),  # 6 gold
    (0xF2, 0xE8, 0xCC),  # 7 label cream
    (0xFF, 0xFF, 0xFF),  # 8 white
    (0x40, 0x40, 0x40),  # 9 dark grey
    (0x80, 0x80, 0x80),  # 10 grey
    (0x20, 0x30, 0x60),  # 11 navy text
    (0xA8, 0x80, 0x30),  # 12 dark gold
    (0xB0, 0xB0, 0xB0),  # 13 shade
    (0x60, 0x10, 0x20),  # 14 deep red
    (0xE8, 0xE8, 0xE8),  # 15 light
]

# A 5 x 7 pixel font, enough for the banner's words.
FONT = {
    'A': ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    'C': ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    'D': ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'F': ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    'B': ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    'G': ["01111", "10000", "10000", "10011", "10001", "10001", "01111"],
    'I': ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'M': ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    'N': ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    'O': ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    'V': ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    'W': ["10001", "10001", "10001", "10101", "10101", "11011", "10001"],
    'Y': ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    ' ': ["00000"] * 7,
}

pixels = [[0] * W for _ in range(H)]


def put(x, y, c):
    if 0 <= x < W and 0 <= y < H:
        pixels[y][x] = c


def disc(cx, cy, r, c):
    """A disc around the middle of 96-dpi pixel (cx, cy), its edge traced at the
    target's resolution: each pixel whose middle lies within r 96-dpi pixels."""
    f = DPI / 96
    mx, my, rr = (cx + 0.5) * f, (cy + 0.5) * f, r * f
    for y in range(int(my - rr) - 1, int(my + rr) + 2):
        for x in range(int(mx - rr) - 1, int(mx + rr) + 2):
            if (x + 0.5 - mx) ** 2 + (y + 0.5 - my) ** 2 <= rr * rr + 1e-9:
                put(x, y, c)


def rect(x0, y0, x1, y1, c):
    """A rectangle given in 96-dpi units: its edges land on the target's pixels."""
    for y in range(S(y0), S(y1)):
        for x in range(S(x0), S(x1)):
            put(x, y, c)


def text(x, y, words, c, scale=1):
    for ch in words:
        glyph = FONT[ch]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == '1':
                    rect(x + gx * scale, y + gy * scale, x + (gx + 1) * scale, y + (gy + 1) * scale, c)
        x += 6 * scale


# The emblem: a gold ring around a burgundy disc.
disc(45, 45, 42, 12)
disc(45, 45, 40, 6)
disc(45, 45, 36, 3)
disc(45, 45, 33, 2)
# The bottle: neck, shoulders, body, label and a glint of light.
rect(42, 12, 49, 22, 12)
rect(42, 22, 49, 34, 4)
# The shoulders widen one 96-dpi pixel a row each side, traced row by row.
for y in range(S(34), S(42)):
    t = (y + 0.5) * 96 / DPI - 34.5
    for x in range(S(42 - t), S(49 + t)):
        put(x, y, 4)
rect(35, 42, 56, 80, 4)
rect(37, 44, 39, 76, 5)
rect(38, 52, 54, 68, 7)
rect(40, 55, 52, 57, 2)
rect(40, 60, 52, 61, 12)
rect(40, 63, 52, 64, 12)

# The lines of text.
text(100, 12, "ELVARINE", 14, scale=3)
rect(100, 38, 278, 40, 12)
text(100, 48, "CELLAR SOFTWARE", 11, scale=1)
text(100, 62, "INSTALLATION CD", 9, scale=1)
text(100, 76, "BY CORVEL", 10, scale=1)

def run_length_rows():
    """BI_RLE4: each row as runs of one colour (a count and the colour twice), then
    the end of the row; the end of the picture last. The drawings are mostly flat
    ground, and the shipped program, which carries four of them, has a size to keep."""
    bits = bytearray()
    for y in range(H - 1, -1, -1):
        x = 0
        while x < W:
            n = 1
            while x + n < W and n < 255 and pixels[y][x + n] == pixels[y][x]:
                n += 1
            bits += bytes((n, pixels[y][x] * 17))
            x += n
        bits += b"\0\0"
    return bits + b"\0\1"


bits = run_length_rows()
palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
offset = 14 + 40 + len(palette)
header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 4, 2, len(bits), 3780, 3780, 16, 0)  # BI_RLE4
with open(sys.argv[1], "wb") as f:
    f.write(header + info + palette + bits)
