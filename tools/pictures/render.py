#!/usr/bin/env python3
"""Renders the program's picture folder (Contents/Resources) into OUTPUT.

usage: render.py OUTPUT [--scale N] [--jobs N] [--keep-svg DIR]

Every picture is drawn as SVG by the modules beside this file and rendered with
rsvg-convert (Debian's librsvg2-bin) into an 8-bit RGBA PNG. With --scale 2 the same
drawings come out at twice their width and height, under the same names, for displays at
twice the pixel density (Contents/Resources@2x); the vectors are rendered at that size
rather than the small pictures enlarged, so they stay sharp. The output is the same for the
same sources and tools."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import pngalpha  # noqa: E402
import skin  # noqa: E402
import weather  # noqa: E402

FOLDERS = ("Colorize", "UI", "Big", "Tiny", os.path.join("Tiny", "Moons"), "Moons")


def pictures():
    """{relative path without '.png': svg text} of the whole folder."""
    out = {}
    for name, text in skin.colorize().items():
        out[os.path.join("Colorize", name)] = text
    for name, text in skin.ui().items():
        out[os.path.join("UI", name)] = text
    for name, draw in weather.BIG_PICTURES.items():
        out[os.path.join("Big", name)] = weather.big(draw).text()
    for name, draw in weather.TINY_PICTURES.items():
        out[os.path.join("Tiny", name)] = weather.tiny(draw).text()
    for index in range(weather.MOON_STEPS):
        out[os.path.join("Moons", str(index))] = weather.big_moon(index).text()
        out[os.path.join("Tiny", "Moons", str(index))] = weather.tiny_moon_phase(index).text()
    return out


def render_one(svg_path, png_path, scale=1):
    zoom = [] if scale == 1 else [f"--zoom={scale}"]
    subprocess.run(["rsvg-convert", "--format=png", *zoom, "-o", png_path, svg_path], check=True)
    pngalpha.ensure_alpha(png_path)


def remove_stale(output, wanted):
    for folder in FOLDERS:
        directory = os.path.join(output, folder)
        if not os.path.isdir(directory):
            continue
        for entry in os.listdir(directory):
            rel = os.path.join(folder, entry)
            if entry.endswith(".png") and rel[:-4] not in wanted:
                os.remove(os.path.join(directory, entry))


def main(argv=None):
    parser = argparse.ArgumentParser(description="Render the picture folder.")
    parser.add_argument("output")
    parser.add_argument("--scale", type=int, default=1,
                        help="output pixels per drawing pixel (2 for Contents/Resources@2x)")
    parser.add_argument("--jobs", type=int, default=min(2, os.cpu_count() or 1))
    parser.add_argument("--keep-svg", metavar="DIR", help="also leave the SVG sources in DIR")
    args = parser.parse_args(argv)
    if args.scale < 1:
        parser.error("--scale must be 1 or more")

    if shutil.which("rsvg-convert") is None:
        print("render.py: rsvg-convert is missing (Debian package librsvg2-bin)", file=sys.stderr)
        return 1

    docs = pictures()
    svg_dir = args.keep_svg or tempfile.mkdtemp(prefix="meltemix-pictures-")
    try:
        jobs = []
        for rel, text in sorted(docs.items()):
            svg_path = os.path.join(svg_dir, rel + ".svg")
            png_path = os.path.join(args.output, rel + ".png")
            os.makedirs(os.path.dirname(svg_path), exist_ok=True)
            os.makedirs(os.path.dirname(png_path), exist_ok=True)
            with open(svg_path, "w", encoding="utf-8") as f:
                f.write(text)
            jobs.append((svg_path, png_path))
        with ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
            for result in [pool.submit(render_one, s, p, args.scale) for s, p in jobs]:
                result.result()
    finally:
        if not args.keep_svg:
            shutil.rmtree(svg_dir, ignore_errors=True)
    remove_stale(args.output, set(docs))
    return 0


if __name__ == "__main__":
    sys.exit(main())
