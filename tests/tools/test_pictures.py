"""The rendered picture folder must hold every picture the program loads, in sizes that fit
the windows' layout, and the folder for twice the density the same pictures at twice the
size."""
import os
import re
import struct
import subprocess
import sys
import zlib

import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RENDER = os.path.join(ROOT, "tools", "pictures", "render.py")
sys.path.insert(0, os.path.dirname(RENDER))
import pngalpha  # noqa: E402  (the PNG reading the picture tools already have)
TABLE = os.path.join(ROOT, "core", "weather", "ConditionTable.cpp")

MAIN_ANCHOR_HEIGHT = 194
PANEL_WIDTH = 195


def read_png(path):
    """(width, height, rows of (r, g, b, a) tuples) of an 8-bit RGB or RGBA PNG."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    idat, header = b"", None
    for kind, body in pngalpha._chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    width, height, depth, colour_type, _, _, interlace = header
    assert depth == 8 and colour_type in (2, 6) and interlace == 0, f"{path}: an unexpected form"
    channels = 4 if colour_type == 6 else 3
    lines = pngalpha._unfiltered_rows(zlib.decompress(idat), width * channels, height, channels)
    rows = [[tuple(line[x * channels:x * channels + 3]) + ((line[x * 4 + 3],) if channels == 4 else (255,))
             for x in range(width)] for line in lines]
    return width, height, rows


def table_names():
    """(big picture names, small picture names) as the condition table has them."""
    source = open(TABLE, encoding="utf-8").read()

    def block(name):
        match = re.search(name + r"\s*=\s*\{\{(.*?)\}\};", source, re.S)
        assert match, f"{name} not found in the condition table"
        return re.sub(r"//[^\n]*", "", match.group(1))

    big = re.findall(r'\{\s*"([^"]+)"\s*,\s*(?:true|false)\s*,', block("WeatherIcons"))
    tiny = re.findall(r'"([^"]+)"', block("TinyIcons"))
    assert len(big) == 50 and len(tiny) == 50, "the table's rows were not all read"
    return set(big), set(tiny)


def render(output, scale=1):
    subprocess.run([sys.executable, RENDER, str(output), "--scale", str(scale)], check=True)


@pytest.fixture(scope="module")
def folder(tmp_path_factory):
    out = tmp_path_factory.mktemp("Resources")
    render(out)
    return out


@pytest.fixture(scope="module")
def folder2x(tmp_path_factory):
    out = tmp_path_factory.mktemp("Resources@2x")
    render(out, scale=2)
    return out


def loader(folder):
    cache = {}

    def get(rel):
        if rel not in cache:
            cache[rel] = read_png(os.path.join(folder, *rel.split("/")) + ".png")
        return cache[rel]
    return get


@pytest.fixture(scope="module")
def load(folder):
    return loader(folder)


@pytest.fixture(scope="module")
def load2x(folder2x):
    return loader(folder2x)


def png_size(path):
    with open(path, "rb") as f:
        header = f.read(24)
    assert header[:8] == b"\x89PNG\r\n\x1a\n" and header[12:16] == b"IHDR", path
    return struct.unpack(">II", header[16:24])


def names_in(folder):
    found = set()
    for base, _, files in os.walk(folder):
        for name in files:
            found.add(os.path.relpath(os.path.join(base, name), folder).replace(os.sep, "/"))
    return found


def loaded_names():
    big, tiny = table_names()
    names = {f"Colorize/{n}" for n in ("Top", "Mid", "Base", "Top Overlay", "Mid Overlay", "Base Overlay")}
    names |= {f"UI/{n}" for n in ("Reflection", "Close", "Less", "Options", "Grid")}
    names |= {f"Big/{n}" for n in big | {"Earth", "Sun", "None"}}
    names |= {f"Tiny/{n}" for n in tiny}
    names |= {f"{d}/{i}" for d in ("Moons", "Tiny/Moons") for i in range(29)}
    return names


def test_the_folder_holds_exactly_the_pictures_the_program_loads(folder):
    found = {rel[:-4] if rel.endswith(".png") else rel for rel in names_in(folder)}
    wanted = loaded_names()
    assert not wanted - found, f"missing: {sorted(wanted - found)}"
    assert not found - wanted, f"loaded by nobody: {sorted(found - wanted)}"


def test_every_picture_is_a_png_with_alpha(folder):
    """Even a fully opaque one, such as the panel's middle slice."""
    without = []
    for base, _, files in os.walk(folder):
        for name in files:
            with open(os.path.join(base, name), "rb") as f:
                header = f.read(33)
            if header[12:16] != b"IHDR" or header[24:26] != b"\x08\x06":
                without.append(os.path.relpath(os.path.join(base, name), folder))
    assert not without, f"not 8-bit RGBA: {sorted(without)}"


def test_rendering_again_gives_the_same_files_and_drops_stale_ones(folder, tmp_path):
    (tmp_path / "Big").mkdir()
    (tmp_path / "Big" / "Renamed.png").write_bytes(b"old")
    (tmp_path / "Big" / "notes.txt").write_text("not a picture")
    render(tmp_path)
    assert not (tmp_path / "Big" / "Renamed.png").exists()
    (tmp_path / "Big" / "notes.txt").unlink()
    total = 0
    for base, _, files in os.walk(folder):
        for name in files:
            first = os.path.join(base, name)
            again = os.path.join(tmp_path, os.path.relpath(first, folder))
            assert open(first, "rb").read() == open(again, "rb").read(), first
            total += os.path.getsize(first)
    assert total < 1024 * 1024


def test_panel_slices_line_up_and_fill_the_main_window(load):
    heights = {}
    for name in ("Top", "Mid", "Base"):
        for suffix in ("", " Overlay"):
            width, height, _ = load(f"Colorize/{name}{suffix}")
            assert width == PANEL_WIDTH, name + suffix
            heights[name + suffix] = height
        assert heights[name + " Overlay"] == heights[name], f"{name}: the two passes would drift apart"
    top, mid, base = heights["Top"], heights["Mid"], heights["Base"]
    assert top + 4 * mid + base == MAIN_ANCHOR_HEIGHT
    # Before the first report (middle x 1.25) the panel must still hold the place name,
    # which ends about 110 pixels down the window, 47 of them above the panel.
    assert 47 + top + round(1.25 * mid) + base >= 112
    # The info window's panel (from y 8) grows with its text (from y 48, t high) and must
    # end below it with some room: 8 + top + mid + t - 14 + base >= 48 + t + 8.
    assert top + mid + base >= 62
    # The about window (249 high, panel from y 8) stretches the middle 4.5 times.
    assert 8 + top + round(4.5 * mid) + base <= 249


def test_the_double_folder_has_every_picture_at_twice_its_size(folder, folder2x):
    names = names_in(folder)
    assert names_in(folder2x) == names
    for rel in sorted(names):
        width, height = png_size(os.path.join(folder, rel))
        assert png_size(os.path.join(folder2x, rel)) == (2 * width, 2 * height), rel


def halved(rows):
    """Each 2 x 2 block of pixels as one, averaged as premultiplied colour."""
    out = []
    for y in range(0, len(rows), 2):
        line = []
        for x in range(0, len(rows[y]), 2):
            block = [rows[y + dy][x + dx] for dy in (0, 1) for dx in (0, 1)]
            alpha = sum(p[3] for p in block)
            line.append(tuple(sum(p[c] * p[3] for p in block) / alpha if alpha else 0 for c in range(3))
                        + (alpha / 4,))
        out.append(line)
    return out


@pytest.mark.parametrize("name", ["Colorize/Top", "Colorize/Base Overlay", "UI/Close", "UI/Grid",
                                  "Big/Sun", "Tiny/Moons/7"])
def test_double_pictures_are_the_same_drawing(load, load2x, name):
    # Shrunk back, the double picture must be the picture itself: the same drawing in the
    # same place (slices cut from a taller drawing included), not a part or a shift of it.
    _, _, small = load(name)
    _, _, big = load2x(name)
    shrunk = halved(big)
    differences = [abs(p[3] - q[3]) + (sum(abs(p[c] - q[c]) for c in range(3)) * min(p[3], q[3]) / 255 / 3)
                   for row_p, row_q in zip(small, shrunk) for p, q in zip(row_p, row_q)]
    assert sum(differences) / len(differences) < 3, name
    assert max(differences) < 96, name
    # and drawn at that size: the edges are as fine as in the small picture, where an
    # enlargement would double every pixel
    blocks = [[big[y + dy][x + dx] for dy in (0, 1) for dx in (0, 1)]
              for y in range(0, len(big), 2) for x in range(0, len(big[0]), 2)]
    assert sum(1 for b in blocks if len(set(b)) > 1) > 0.05 * len(blocks), name


@pytest.mark.parametrize("scale", [1, 2])
@pytest.mark.parametrize("name", ["Mid", "Mid Overlay"])
def test_middle_slices_stretch_without_banding(load, load2x, name, scale):
    # The window stretches them to any height, tiling at the edges.
    _, _, rows = (load if scale == 1 else load2x)(f"Colorize/{name}")
    assert all(row == rows[0] for row in rows)


@pytest.mark.parametrize("name", ["", " Overlay"])
def test_slices_join_without_a_seam(load, name):
    _, _, top = load(f"Colorize/Top{name}")
    _, _, mid = load(f"Colorize/Mid{name}")
    _, _, base = load(f"Colorize/Base{name}")
    for upper, lower in ((top[-1], mid[0]), (mid[-1], base[0])):
        worst = max(abs(u[c] - v[c]) for u, v in zip(upper, lower) for c in range(4))
        assert worst <= 6


def test_tinted_slices_are_grey_and_shaped(load):
    _, height, rows = load("Colorize/Mid")
    r, g, b, a = rows[height // 2][PANEL_WIDTH // 2]
    # grey 128 shows the tint exactly; the body is opaque so the chosen opacity applies as is
    assert r == g == b and abs(r - 128) <= 8 and a == 255
    assert all(p[0] == p[1] == p[2] for row in rows for p in row if p[3])
    for name, row in (("Top", 0), ("Base", -1)):
        _, _, pixels = load(f"Colorize/{name}")
        assert pixels[row][0][3] == 0 and pixels[row][-1][3] == 0, f"{name}: corners not rounded"


@pytest.mark.parametrize("name, size", [("Close", (18, 18)), ("Less", (18, 18)), ("Options", (58, 18)),
                                        ("Grid", (191, 113))])
def test_ui_sizes(load, name, size):
    width, height, _ = load(f"UI/{name}")
    assert (width, height) == size


def test_grid_stays_inside_the_tiles(load):
    # The grid is 191 wide from x 36 but the tiles end at x 221, four pixels short of the
    # panel's edge.
    _, _, rows = load("UI/Grid")
    assert all(p[3] == 0 for row in rows for p in row[221 - 36:])


def test_reflection_fits_the_smallest_panel(load):
    width, height, _ = load("UI/Reflection")
    top, mid, base = (load(f"Colorize/{n}")[1] for n in ("Top", "Mid", "Base"))
    assert width <= PANEL_WIDTH - 2 * 7
    assert 3 + height <= top + round(1.25 * mid) + base


def opaque_share(rows, left, top, right, bottom, threshold=96):
    box = [p for row in rows[top:bottom] for p in row[left:right]]
    return sum(1 for p in box if p[3] > threshold) / len(box)


def big_names():
    big, _ = table_names()
    return sorted(f"Big/{n}" for n in big | {"Earth", "Sun", "None"}) + [f"Moons/{i}" for i in range(29)]


@pytest.mark.parametrize("name", big_names())
def test_big_pictures_leave_the_texts_and_the_grid_readable(load, name):
    width, height, rows = load(name)
    assert (width, height) == (174, 149)
    # temperature and place name on the right, the grid's first day names below
    assert opaque_share(rows, 110, 56, width, 110) < 0.03
    assert opaque_share(rows, 36, 112, width, height) < 0.01


@pytest.mark.parametrize("name", sorted(f"Tiny/{n}" for n in table_names()[1]) +
                         [f"Tiny/Moons/{i}" for i in range(29)])
def test_small_pictures_fit_their_tile_above_the_figures(load, name):
    width, height, rows = load(name)
    assert width <= 61 and height <= 34
    assert any(p[3] > 200 for row in rows for p in row), "nothing to see"
    # the high and low figures are written from the tile's top + 26 and drawn before it
    assert opaque_share(rows, 0, 27, width, height, threshold=48) == 0
    # drawn at the tile's left edge, so the picture itself must be centred
    columns = [x for row in rows for x, p in enumerate(row) if p[3] > 100]
    assert abs((min(columns) + max(columns)) / 2 - 30.5) <= 3


def brightness(rows):
    """Per pixel, how lit a moon picture is there: from 0 at the unlit disc's dusky blue
    (mean channel up to about 130) to 1 at the lit face (190 and up), times opacity, so
    that partly lit edge pixels count in part."""
    return [[min(1.0, max(0.0, ((p[0] + p[1] + p[2]) / 3 - 130) / 60)) * p[3] / 255 for p in row]
            for row in rows]


@pytest.mark.parametrize("folder_name", ["Moons", "Tiny/Moons"])
def test_moon_phases_wax_on_the_right_and_wane_on_the_left(load, folder_name):
    maps = [brightness(load(f"{folder_name}/{i}")[2]) for i in range(29)]
    whole = [sum(map(sum, m)) for m in maps]
    # a new moon shows no more than the faint lit rim of its dark disc
    assert whole[0] < 0.08 * whole[14] and whole[28] < 0.08 * whole[14]
    # what each phase adds to the new moon's picture is its lit part
    lit = [[(x, max(0.0, w - w0)) for row, row0 in zip(m, maps[0]) for x, (w, w0) in enumerate(zip(row, row0))]
           for m in maps]
    amounts = [sum(w for _, w in p) for p in lit]
    assert all(a < b for a, b in zip(amounts[0:15], amounts[1:15])), amounts
    assert all(a > b for a, b in zip(amounts[15:28], amounts[16:29])), amounts
    assert amounts[15] > 0.9 * amounts[14]
    disc = [x for x, w in lit[14] if w > 0.5]
    centre = (min(disc) + max(disc)) / 2

    def halves(i):
        """How much of each half (left, right) of the full moon's light phase i shows."""
        left = sum(w for x, w in lit[i] if x < centre) / sum(w for x, w in lit[14] if x < centre)
        right = sum(w for x, w in lit[i] if x > centre) / sum(w for x, w in lit[14] if x > centre)
        return left, right

    for i in range(1, 28):
        left, right = halves(i)
        if i < 14:
            assert right > left, f"{i}: a waxing moon is lit on the right"
        elif i > 15:
            assert left > right, f"{i}: a waning moon is lit on the left"


@pytest.mark.parametrize("name, least", [("Moons/0", 0.06), ("Moons/28", 0.06),
                                         ("Tiny/Moons/0", 0.02), ("Tiny/Moons/28", 0.02)])
def test_a_new_moon_shows_a_lit_rim(load, name, least):
    """Earthshine: without a lit edge the dark disc reads as a picture that did not load."""
    _, _, rows = load(name)
    lit = brightness(rows)
    disc = [(x, y) for y, row in enumerate(rows) for x, p in enumerate(row) if p[3] > 200]
    left, right = min(x for x, _ in disc), max(x for x, _ in disc)
    top, bottom = min(y for _, y in disc), max(y for _, y in disc)
    cx, cy, r = (left + right) / 2, (top + bottom) / 2, (right - left) / 2
    rim = [lit[y][x] for y in range(len(rows)) for x in range(len(rows[0]))
           if 0.8 * r <= ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5 <= 1.05 * r]
    inside = [lit[y][x] for y in range(len(rows)) for x in range(len(rows[0]))
              if ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5 < 0.6 * r]
    # the grey outline of the other phases' dark part alone gives about 0.03 and 0
    assert sum(rim) / len(rim) > least, "the rim is lit"
    assert max(inside) < 0.05, "the disc itself stays dark"


def test_a_missing_renderer_is_named(tmp_path):
    env = dict(os.environ, PATH=str(tmp_path))
    result = subprocess.run([sys.executable, RENDER, str(tmp_path / "out")], env=env,
                            capture_output=True, text=True)
    assert result.returncode != 0 and "librsvg2-bin" in result.stderr
