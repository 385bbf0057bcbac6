#!/usr/bin/env python3
"""Draws the launcher's icon: a wine bottle on a transparent ground, as images of 16
colours in one .ico file: the small (16) and large (32) icon at 96 pixels per inch and
both again at 120, 144 and 192, so that Windows finds a drawing for the screen's
density instead of enlarging one. The bottle is laid out on a 32-unit grid and drawn
at each size, so every image keeps its proportions."""
import struct
import sys

PALETTE = [
    (0x00, 0x00, 0x00),  # 0 transparent (masked out)
    (0x1E, 0x46, 0x22),  # 1 bottle green
    (0x4C, 0x86, 0x50),  # 2 glass highlight
    (0xC8, 0xA0, 0x40),  # 3 gold capsule
    (0xF2, 0xE8, 0xCC),  # 4 label cream
    (0x7A, 0x10, 0x20),  # 5 wine red
] + [(0, 0, 0)] * 10

# (x0, y0, x1, y1, colour) on the 32-unit grid, drawn in order.
BOTTLE = [
    (13, 0, 19, 6, 3),     # capsule
    (14, 6, 18, 11, 1),    # neck
    (12, 11, 20, 13, 1),   # shoulders
    (10, 13, 22, 32, 1),   # body
    (11, 14, 13, 30, 2),   # glint
    (11, 17, 21, 27, 4),   # label
    (12, 21, 20, 23, 5),   # the label's red band
]


def draw(size):
    pixels = [[0] * size for _ in range(size)]
    unit = lambda v: round(v * size / 32)
    for x0, y0, x1, y1, colour in BOTTLE:
        for y in range(unit(y0), max(unit(y1), unit(y0) + 1)):
            for x in range(unit(x0), max(unit(x1), unit(x0) + 1)):
                pixels[y][x] = colour
    return pixels


def icon_image(size):
    """One image of the .ico: a BITMAPINFOHEADER of double height, the palette, the
    colour bits and the transparency mask, both bottom-up with rows padded to 32 bits."""
    pixels = draw(size)
    colour_row = ((size * 4 + 31) // 32) * 4
    mask_row = ((size + 31) // 32) * 4
    colours, mask = bytearray(), bytearray()
    for row in reversed(pixels):
        packed = bytes((row[x] << 4) | row[x + 1] for x in range(0, size, 2))
        colours += packed + b"\0" * (colour_row - len(packed))
        bits = 0
        for x, colour in enumerate(row):
            if colour == 0:
                bits |= 1 << (mask_row * 8 - 1 - x)
        mask += bits.to_bytes(mask_row, "big")
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(colours) + len(mask), 0, 0, 16, 0)
    return header + palette + colours + mask


SIZES = (16, 20, 24, 32, 40, 48, 64)
images = [icon_image(size) for size in SIZES]
offset = 6 + 16 * len(images)
directory = struct.pack("<HHH", 0, 1, len(images))
for size, image in zip(SIZES, images):
    directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
    offset += len(image)
with open(sys.argv[1], "wb") as f:
    f.write(directory + b"".join(images))
