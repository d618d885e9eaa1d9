"""The face benchmark (build/win64/facebench.exe) under wine64, at each scale given, in one
run: one Wine prefix and one private X server, beside the build's picture folders. By default
at the display scales Windows offers up to 200 %: 100, 125, 150, 175 and 200 %.

  /usr/bin/python3 bench/facebench.py [--scale 1 1.25 1.5 1.75 2]

Prints facebench's lines for each scale. Wine's exception reports are asked for, and a run
that raised a fault fails with them.
"""

from __future__ import annotations

import argparse
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from harness.paths import build_dir, built_program  # noqa: E402
from harness.wine import WinePrefix  # noqa: E402
from harness.xserver import Xvfb  # noqa: E402


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scale", nargs="+", default=["1", "1.25", "1.5", "1.75", "2"])
    args = parser.parse_args()
    exe = built_program("facebench.exe")
    xvfb = Xvfb(2048, 1536).start()
    prefix = WinePrefix(xvfb.display)
    try:
        prefix.create()
        for scale in args.scale:
            # The pictures are found beside the working directory, as the program's are.
            result = prefix.run([exe, "--scale", scale], cwd=build_dir(), timeout=600)
            sys.stdout.write(result.stdout.decode(errors="replace"))
            sys.stdout.flush()
            if result.returncode != 0:
                print(f"facebench --scale {scale} ended with {result.returncode}")
                return 1
    finally:
        prefix.close()
        xvfb.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
