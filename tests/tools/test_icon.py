"""The program icon: an image for every size the tray and Explorer ask for at 100 to 200 %,
each one in a form the systems that pick it can read."""
import os
import struct
import subprocess
import sys
import zlib

import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MAKE_ICON = os.path.join(ROOT, "tools", "make_icon.py")


@pytest.fixture(scope="module")
def icon(tmp_path_factory):
    path = tmp_path_factory.mktemp("icon") / "Meltemix.ico"
    subprocess.run([sys.executable, MAKE_ICON, str(path)], check=True)
    return path.read_bytes()


def entries(data):
    """[(size, bits per pixel, image bytes)] from the icon's directory."""
    reserved, kind, count = struct.unpack_from("<HHH", data)
    assert (reserved, kind) == (0, 1), "not an icon file"
    found = []
    for i in range(count):
        width, height, colours, _, planes, bits, length, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        assert width == height and colours == 0 and planes == 1
        assert offset >= 6 + 16 * count and offset + length <= len(data)
        found.append((width or 256, bits, data[offset:offset + length]))
    spans = sorted((data.index(image), len(image)) for _, _, image in found)
    assert all(a + n <= b for (a, n), (b, _) in zip(spans, spans[1:])), "images overlap"
    return found


def alpha_of_bitmap(size, image):
    header_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", image)
    assert (header_size, width, height, planes, bits, compression) == (40, size, 2 * size, 1, 32, 0)
    mask = ((size + 31) // 32) * 4 * size
    assert len(image) == 40 + 4 * size * size + mask
    return [image[40 + 4 * i + 3] for i in range(size * size)]


def alpha_of_png(size, image):
    assert image[:8] == b"\x89PNG\r\n\x1a\n"
    width, height, depth, colour_type = struct.unpack_from(">IIBB", image, 16)
    assert (width, height, depth, colour_type) == (size, size, 8, 6)
    pos, idat = 8, b""
    while pos < len(image):
        length, kind = struct.unpack_from(">I4s", image, pos)
        if kind == b"IDAT":
            idat += image[pos + 8:pos + 8 + length]
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = 4 * size + 1
    assert all(raw[y * stride] == 0 for y in range(size)), "only unfiltered rows are read here"
    return [raw[y * stride + 1 + 4 * x + 3] for y in range(size) for x in range(size)]


def test_every_size_from_the_tray_at_100_to_explorer_at_200_percent(icon):
    found = entries(icon)
    assert [size for size, _, _ in found] == [16, 20, 24, 32, 40, 48, 256]
    assert all(bits == 32 for _, bits, _ in found)


def test_small_images_are_bitmaps_for_windows_xp_and_the_large_one_png(icon):
    for size, _, image in entries(icon):
        if size < 256:
            alpha = alpha_of_bitmap(size, image)
        else:
            alpha = alpha_of_png(size, image)
            assert len(image) < 64 * 1024, "the large image should be compressed"
        # a picture with transparent corners and a solid body at every size
        corners = (alpha[0], alpha[size - 1], alpha[-size], alpha[-1])
        assert corners == (0, 0, 0, 0), size
        assert sum(1 for a in alpha if a == 255) > 0.15 * size * size, size
