"""The soak of the end-to-end suite (tests/e2e/test_soak.py), run longer: one Meltemix.exe
under wine64 through N cycles, each a refresh (two places in turn, one in seven failing)
with wakes, display and clock changes, menus, hides and shows and the options dialog among
them. Prints resident memory and the program's X resources every --every cycles, the time
each kind of step took, and the growth from the end of the warm-up to the end.

  /usr/bin/python3 bench/soak.py [--cycles 2000] [--every 250] [--only options,hide]

With --only, each cycle is its refresh and, every time, only the steps named (none with an
empty list): which kind of step a growth comes with.

Needs the win64 build (Meltemix.exe, driver.exe). Fails, as the case does, on a step that
does not end as it should, on a dialog left standing and on a fault Wine reports.
"""

from __future__ import annotations

import argparse
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from harness import Session  # noqa: E402
from harness.soak import EXTRAS, X_KINDS, Soak  # noqa: E402


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cycles", type=int, default=2000)
    parser.add_argument("--every", type=int, default=250, help="cycles between samples")
    parser.add_argument("--warmup", type=int, default=30)
    parser.add_argument("--only", help="at every cycle, beside its refresh, only these steps "
                        f"(comma-separated, of: {', '.join(EXTRAS)}; empty for none), to "
                        "tell which kind of step a growth comes with")
    args = parser.parse_args()
    only = None if args.only is None else {kind for kind in args.only.split(",") if kind}
    if only and not only <= set(EXTRAS):
        parser.error(f"--only takes {', '.join(EXTRAS)}")
    with Session() as session, tempfile.TemporaryDirectory() as scratch:
        workdir = session.prepare_workdir(Path(scratch) / "work")
        soak = Soak(session, workdir, args.cycles, warmup=args.warmup, samples_every=args.every,
                    only=only)
        try:
            result = soak.run()
        finally:
            print(soak.result.summary(), flush=True)
        warm, end = result.sample_at(args.warmup), result.samples[-1]
        cycles = end.cycle - warm.cycle
        growth = end.rss_kib - warm.rss_kib
        print(f"resident memory from cycle {warm.cycle} to {end.cycle}: {growth:+d} KiB "
              f"({growth * 1024 / max(cycles, 1):+.0f} bytes per cycle)")
        print("X resources from cycle {} to {}: {}".format(warm.cycle, end.cycle, ", ".join(
            f"{kind} {end.x[kind] - warm.x[kind]:+d}" for kind in X_KINDS)))
        print(f"last report: {result.last_title}")
        for window in session.probe.find("TMainForm"):
            session.probe.close(window.hwnd)
        code = soak.program.wait_exit(30)
        print(f"exit code {code}")
        session.end_programs()  # fails on a fault Wine reported
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
