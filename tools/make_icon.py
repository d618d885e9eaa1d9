#!/usr/bin/env python3
"""Draws the application icon (a sun behind a cloud) into a Windows .ico file with
32-bit images of 16, 24, 32 and 48 pixels, readable by Windows XP."""
import math
import struct
import sys

SIZES = (16, 24, 32, 48)
SAMPLES = 4  # per axis, for smooth edges


def shape_colour(x, y):
    """Colour (r, g, b, a) of the drawing at (x, y) in the unit square; a in 0..1."""
    # Cloud: three discs and a rounded base, in the lower right.
    cloud_parts = ((0.56, 0.60, 0.20), (0.76, 0.66, 0.16), (0.38, 0.70, 0.14))
    in_cloud = any((x - cx) ** 2 + (y - cy) ** 2 <= r * r for cx, cy, r in cloud_parts)
    in_cloud = in_cloud or (0.30 <= x <= 0.90 and 0.66 <= y <= 0.84)
    if in_cloud:
        shade = 255 - int(60 * max(0.0, y - 0.55) / 0.3)
        return (shade, shade, min(255, shade + 10), 1.0)
    # Sun with rays, in the upper left.
    sx, sy, radius = 0.38, 0.38, 0.22
    d = math.hypot(x - sx, y - sy)
    if d <= radius:
        return (255, 196 - int(60 * d / radius), 24, 1.0)
    angle = math.atan2(y - sy, x - sx)
    if d <= radius + 0.12 and abs(math.cos(angle * 4)) > 0.85:
        return (255, 170, 20, 1.0)
    return (0, 0, 0, 0.0)


def render(size):
    """BGRA rows, bottom-up, as an icon's bitmap wants them."""
    rows = []
    for row in range(size - 1, -1, -1):
        line = bytearray()
        for col in range(size):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    cr, cg, cb, ca = shape_colour((col + (sx + 0.5) / SAMPLES) / size,
                                                  (row + (sy + 0.5) / SAMPLES) / size)
                    r, g, b, a = r + cr * ca, g + cg * ca, b + cb * ca, a + ca
            n = SAMPLES * SAMPLES
            if a > 0:
                r, g, b = r / a, g / a, b / a
            line += bytes((int(b), int(g), int(r), int(255 * a / n)))
        rows.append(bytes(line))
    return rows


def icon_image(size):
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # all opaque: the alpha channel decides
    return header + b"".join(rows) + mask


def main():
    if len(sys.argv) != 2:
        print("usage: make_icon.py OUTPUT.ico", file=sys.stderr)
        return 2
    images = [icon_image(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(sys.argv[1], "wb") as out:
        out.write(directory + b"".join(images))
    return 0


if __name__ == "__main__":
    sys.exit(main())
