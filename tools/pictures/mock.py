#!/usr/bin/env python3
"""Composes previews of the windows from a rendered picture folder, the way the program
paints them (tinted slices, overlays, gloss, grid, tiles, texts, big picture, buttons),
over a dark and a light desktop, for judging the pictures by eye. Needs ImageMagick.

usage: mock.py RESOURCES OUTPUT.png [--condition NAME] [--tiny A,B,C,D,E] [--moon N]"""
import argparse
import os
import subprocess
import tempfile

CONVERT = "/usr/bin/convert"
SANS = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"
SANS_BOLD = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"
SMALL = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

PRESETS = {  # name: (tint r, g, b, alpha)
    "thick glass": (0, 0, 0, 120),
    "thin glass": (0, 0, 0, 0),
    "milk coffee": (128, 64, 0, 255),
    "grey": (128, 128, 128, 255),
    "blue glass": (40, 90, 170, 150),
}


def tinted(src, tint, size=None, crop=None):
    r, g, b, a = tint
    args = [src]
    if crop:
        args += ["-crop", crop, "+repage"]
    if size:
        args += ["-filter", "Triangle", "-resize", f"{size[0]}x{size[1]}!"]
    if r is not None:
        # the program's colour matrix: R, G, B times 2 x tint / 255, alpha times a / 255
        args += ["(", "+clone", "-alpha", "extract", "-evaluate", "multiply", str(a / 255), ")",
                 "(", "-clone", "0", "-alpha", "off",
                 "-channel", "R", "-evaluate", "multiply", str(2 * r / 255),
                 "-channel", "G", "-evaluate", "multiply", str(2 * g / 255),
                 "-channel", "B", "-evaluate", "multiply", str(2 * b / 255), "+channel", ")",
                 "-delete", "0", "+swap", "-alpha", "off", "-compose", "CopyOpacity", "-composite",
                 "-compose", "Over"]
    return ["("] + args + [")"]


def height(path):
    return int(subprocess.check_output(["/usr/bin/identify", "-format", "%h", path]))


def width(path):
    return int(subprocess.check_output(["/usr/bin/identify", "-format", "%w", path]))


def panel(res, tint, x, y, s, w=None, extra=0, reflection_width=None):
    """The commands that paint the skin at anchor (x, y) with growth factor s."""
    c = os.path.join(res, "Colorize")
    top, mid, base = (os.path.join(c, n + ".png") for n in ("Top", "Mid", "Base"))
    otop, omid, obase = (os.path.join(c, n + " Overlay.png") for n in ("Top", "Mid", "Base"))
    w = w or width(top)
    cmds = []
    yy = y
    if tint is not None:
        for src, h in ((top, height(top)), (mid, round(height(mid) * s + extra)), (base, height(base))):
            cmds += tinted(src, tint, (w, h)) + ["-geometry", f"+{x}+{yy}", "-composite"]
            yy += h
    yy = y
    cmds += ["(", otop, "-resize", f"{w}x{height(otop)}!", ")", "-geometry", f"+{x}+{yy}", "-composite"]
    refl = os.path.join(res, "UI", "Reflection.png")
    if reflection_width:
        cmds += ["(", refl, "-resize", f"{reflection_width}x{height(refl)}!", ")",
                 "-geometry", f"+{x + 10}+{yy + 3}", "-composite"]
    else:
        cmds += [refl, "-geometry", f"+{x + 7}+{yy + 3}", "-composite"]
    yy += height(otop)
    hm = round(height(omid) * s + extra)
    cmds += tinted(omid, (None, None, None, None), (w, hm), crop=f"{width(omid)}x{int(height(omid) * 0.978)}+0+0")
    cmds += ["-geometry", f"+{x}+{yy}", "-composite"]
    yy += hm
    cmds += ["(", obase, "-resize", f"{w}x{height(obase)}!", ")", "-geometry", f"+{x}+{yy}", "-composite"]
    return cmds


def text(font, size, colour, gravity, dx, dy, content, shadow=True):
    cmds = []
    if shadow:
        cmds += ["-font", font, "-pointsize", str(size), "-fill", "black", "-gravity", gravity,
                 "-annotate", f"+{dx + 1}+{dy + 1}", content.replace("%", "%%")]
    cmds += ["-font", font, "-pointsize", str(size), "-fill", colour, "-gravity", gravity,
             "-annotate", f"+{dx}+{dy}", content.replace("%", "%%")]
    return cmds + ["-gravity", "NorthWest"]


def centred(font, size, colour, cx, top, content, canvas_w):
    return text(font, size, colour, "North", round(cx - canvas_w / 2), top, content)


def main_window(res, tint, condition, backdrop, tiny, moon, grown=True):
    w, h = 233, 248
    cmds = ["-size", f"{w}x{h}", "xc:none"]
    if tint[3] is not None:
        cmds += panel(res, tint if tint[0] is not None else None, 30, 47, 4.0 if grown else 1.25)
    if grown:
        cmds += [os.path.join(res, "UI", "Grid.png"), "-geometry", "+36+112", "-composite"]
        titles = ["BUGÜN", "YARIN", "ÇAR", "PER", "CUM"]
        spots = [(36, 126), (98, 126), (160, 126), (36, 183), (98, 183)]
        for (left, top), title, name in zip(spots, titles, tiny):
            cmds += centred(SMALL, 10, "white", left + 30.5, top - 14, title, w)
            cmds += centred(SANS_BOLD, 13, "white", left + 16.5, top + 26, "24°", w)
            cmds += centred(SANS_BOLD, 12, "rgba(255,255,255,0.78)", left + 44.5, top + 26, "-13°", w)
            cmds += [os.path.join(res, "Tiny", name + ".png"), "-geometry", f"+{left}+{top}", "-composite"]
        cmds += centred(SMALL, 10, "white", 190.5, 169, "AY", w)
        cmds += [os.path.join(res, "Tiny", "Moons", f"{moon}.png"), "-geometry", "+160+183", "-composite"]
        cmds += centred(SANS_BOLD, 13, "white", 190.5, 209, "%45", w)
    cmds += text(SANS_BOLD, 35, "white", "NorthEast", w - 221, 56, "-12°")
    cmds += text(SANS, 13, "white", "NorthEast", w - 209, 93, "Kahramanmaraş")
    cmds += [backdrop, "-geometry", "+0+0", "-composite"]
    cmds += [os.path.join(res, "Big", condition + ".png"), "-geometry", "+0+0", "-composite"]
    for name, x, y in (("Options", 118, 41), ("Less", 177, 41), ("Close", 194, 41)):
        cmds += [os.path.join(res, "UI", name + ".png"), "-geometry", f"+{x}+{y}", "-composite"]
    return cmds


def info_window(res, tint):
    w, h = 209, 204
    lines = "Parçalı Bulutlu\nGün doğumu: 06:12\nGün batımı: 19:48\nRüzgar: 14 km/s\nNem: %62\nGörüş: 10 km"
    t = 13 * 6
    cmds = ["-size", f"{w}x{h}", "xc:none"]
    cmds += panel(res, tint if tint[0] is not None else None, 8, 8, 1.0, extra=t - 14)
    cmds += text(SANS_BOLD, 16, "white", "NorthWest", 23, 16, "Meltemix! Bilgi")
    cmds += ["-interline-spacing", "0"] + text(SMALL, 10, "white", "North", 0, 47, lines)
    cmds += [os.path.join(res, "UI", "Close.png"), "-geometry", "+175+15", "-composite"]
    return cmds


def about_window(res):
    w, h = 329, 249
    cmds = ["-size", f"{w}x{h}", "xc:none"]
    cmds += panel(res, (128, 64, 0, 255), 4, 8, 4.5, w=321, reflection_width=300)
    cmds += text(SANS_BOLD, 16, "white", "North", 0, 16, "Meltemix! Hakkında...")
    cmds += ["(", os.path.join(res, "Moons", "4.png"), "-channel", "A", "-evaluate", "multiply", "0.6",
             "+channel", ")", "-geometry", "+0+32", "-composite"]
    cmds += text(SANS_BOLD, 27, "white", "NorthWest", 119, 47, "Meltemix!")
    cmds += text(SANS, 11, "white", "NorthWest", 119, 82, "Version 1.0\nMeltemix geliştiricileri")
    cmds += [os.path.join(res, "UI", "Close.png"), "-geometry", "+289+16", "-composite"]
    return cmds


def render(cmds, out):
    subprocess.run([CONVERT] + cmds + [out], check=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("resources")
    parser.add_argument("output")
    parser.add_argument("--condition", default="Clouds")
    parser.add_argument("--backdrop", default="Big/Sun")
    parser.add_argument("--tiny", default="Sun And Clouds,Rain,Thunderstorms,Snow,Fog")
    parser.add_argument("--moon", type=int, default=4)
    args = parser.parse_args()
    res = args.resources
    backdrop = os.path.join(res, args.backdrop + ".png")
    tiny = args.tiny.split(",")
    with tempfile.TemporaryDirectory() as tmp:
        tiles = []
        for i, (name, tint) in enumerate(PRESETS.items()):
            for grown in (True, False):
                path = os.path.join(tmp, f"m{i}{grown}.png")
                render(main_window(res, tint, args.condition, backdrop, tiny, args.moon, grown), path)
                tiles.append(path)
        info = os.path.join(tmp, "info.png")
        render(info_window(res, PRESETS["milk coffee"]), info)
        about = os.path.join(tmp, "about.png")
        render(about_window(res), about)
        rows = []
        for n, bg in enumerate(("gradient:#0d1b2a-#33506e", "gradient:#f4f1ea-#c9d6df")):
            row = os.path.join(tmp, f"row{n}.png")
            cmds = ["-size", "1620x560", bg]
            for i, tile in enumerate(tiles):
                cmds += [tile, "-geometry", f"+{10 + (i // 2) * 240}+{10 + (i % 2) * 260}", "-composite"]
            cmds += [info, "-geometry", "+1230+10", "-composite", about, "-geometry", "+1230+250", "-composite"]
            render(cmds, row)
            rows.append(row)
        render(rows + ["-append"], args.output)


if __name__ == "__main__":
    main()
