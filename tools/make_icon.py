#!/usr/bin/env python3
"""Draws the application icon (a sun behind a cloud) into a Windows .ico file with 32-bit
images of 16, 20, 24, 32, 40 and 48 pixels, readable by Windows XP, and one of 256 pixels
stored as PNG, as Windows Vista and later read it.

Every size is drawn from the shapes themselves, not scaled from another image: outlines
and rays are at least a whole pixel wide at that size, so that the tray (16 to 32 pixels
at 100 to 200 %) and Explorer (32 to 256) each get a sharp picture."""
import math
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 256)
PNG_FROM = 256  # this size and larger are stored as PNG, which Windows XP cannot read

SUN = (0.38, 0.38, 0.22)  # centre x, y and radius in the unit square
RAYS = 8
CLOUD_DISCS = ((0.56, 0.60, 0.20), (0.76, 0.66, 0.16), (0.38, 0.70, 0.14))
CLOUD_BASE = (0.30, 0.66, 0.90, 0.84)  # left, top, right, bottom


def in_cloud(x, y, grow=0.0):
    if any(math.hypot(x - cx, y - cy) <= r + grow for cx, cy, r in CLOUD_DISCS):
        return True
    left, top, right, bottom = CLOUD_BASE
    # the base's lower corners are rounded as the discs are
    corner = 0.08
    if not (left - grow <= x <= right + grow and top - grow <= y <= bottom + grow):
        return False
    cx = min(max(x, left + corner), right - corner)
    cy = min(y, bottom - corner)
    return y <= bottom - corner or math.hypot(x - cx, y - cy) <= corner + grow


def ray_distance(x, y, inner, outer):
    """Distance from (x, y) to the nearest ray, a segment from `inner` to `outer` from the
    sun's centre."""
    sx, sy, _ = SUN
    best = math.inf
    for k in range(RAYS):
        angle = 2 * math.pi * (k + 0.5) / RAYS
        ux, uy = math.cos(angle), math.sin(angle)
        along = min(max((x - sx) * ux + (y - sy) * uy, inner), outer)
        best = min(best, math.hypot(x - sx - along * ux, y - sy - along * uy))
    return best


def shape_colour(x, y, pixel):
    """Colour (r, g, b, a) of the drawing at (x, y) in the unit square, a in 0..1, for an
    image whose pixels are `pixel` wide in that square."""
    line = max(pixel, 1 / 64)  # outlines: one pixel when small, finer than 1/64 never
    if in_cloud(x, y):
        if not in_cloud(x, y, -line):
            return (84, 104, 140, 1.0)
        shade = 255 - int(70 * max(0.0, y - 0.55) / 0.3)
        return (shade, shade, min(255, shade + 12), 1.0)
    if in_cloud(x, y, line):
        # a clear gap between the cloud and the sun behind it
        return (0, 0, 0, 0.0)
    sx, sy, radius = SUN
    d = math.hypot(x - sx, y - sy)
    if d <= radius:
        if d > radius - line:
            return (214, 112, 0, 1.0)
        return (255, 210 - int(70 * d / radius), 30, 1.0)
    # rays stand clear of the disc and are never thinner than a pixel and a half
    half_width = max(0.75 * pixel, 0.03)
    gap = max(pixel, 0.035)
    if ray_distance(x, y, radius + gap + half_width, radius + 0.13) <= half_width:
        return (245, 150, 10, 1.0)
    return (0, 0, 0, 0.0)


def render(size):
    """RGBA rows, top-down."""
    samples = 8 if size <= 48 else 3
    pixel = 1 / size
    rows = []
    for row in range(size):
        line = bytearray()
        for col in range(size):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    cr, cg, cb, ca = shape_colour((col + (sx + 0.5) / samples) * pixel,
                                                  (row + (sy + 0.5) / samples) * pixel, pixel)
                    r, g, b, a = r + cr * ca, g + cg * ca, b + cb * ca, a + ca
            if a > 0:
                r, g, b = r / a, g / a, b / a
            line += bytes((int(r), int(g), int(b), round(255 * a / samples ** 2)))
        rows.append(bytes(line))
    return rows


def bitmap_image(size, rows):
    """The classic icon image: a bitmap header of twice the height, BGRA rows bottom-up and
    an AND mask (all opaque: the alpha channel decides)."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(v for i in range(0, len(row), 4)
                            for v in (row[i + 2], row[i + 1], row[i], row[i + 3]))
                      for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_stride * size)


def png_image(size, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_image(size):
    rows = render(size)
    return png_image(size, rows) if size >= PNG_FROM else bitmap_image(size, rows)


def main():
    if len(sys.argv) != 2:
        print("usage: make_icon.py OUTPUT.ico", file=sys.stderr)
        return 2
    images = [icon_image(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        side = size if size < 256 else 0  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(sys.argv[1], "wb") as out:
        out.write(directory + b"".join(images))
    return 0


if __name__ == "__main__":
    sys.exit(main())
