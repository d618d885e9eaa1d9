"""Resident memory of Meltemix.exe under wine64: after ten refreshes, as a ratio to two
yardsticks, and its growth over many more refreshes. The yardsticks are a minimal layered
window with GDI+ text (tests/e2e/probe/minimal.cpp) and the fair floor: that window also using
once each system service the program uses (tests/e2e/probe/floor.cpp). With --dpi, all three
run in a prefix at that display density, where the program draws its faces at that scale.

  PYTHONPATH=tests/e2e /usr/bin/python3 bench/memory.py [--refreshes 100] [--dpi 144]

Needs the win64 build (Meltemix.exe, probe.exe, minimal.exe, floor.exe). Prints one line per
figure.
"""

from __future__ import annotations

import argparse
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from harness import Session  # noqa: E402
from harness.paths import built_program  # noqa: E402
from harness.polling import wait_until  # noqa: E402

WM_COMMAND, REFRESH = 0x0111, 102


def rss_kib(pid: int) -> int:
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    raise RuntimeError(f"no VmRSS for {pid}")


def settle(pid: int, seconds: float = 3.0) -> int:
    time.sleep(seconds)
    return rss_kib(pid)


def refresh(session: Session, hwnd: str, count: int) -> None:
    for _ in range(count):
        before = len(session.service.requests_to("/forecastrss/"))
        session.probe.post(hwnd, WM_COMMAND, REFRESH)
        session.service.wait_for_request("/forecastrss/", count=before + 1, timeout=20)
        time.sleep(0.05)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--refreshes", type=int, default=100)
    parser.add_argument("--dpi", type=int, default=96)
    args = parser.parse_args()
    print(f"at {args.dpi} dpi")
    with Session(dpi=args.dpi) as session, tempfile.TemporaryDirectory() as scratch:
        minimal = session.start_program(Path(scratch), exe=built_program("minimal.exe"))
        wait_until(lambda: session.probe.find("TMinimalForm"), 20, what="minimal window")
        minimal_kib = settle(minimal.process.pid)
        session.end_programs()

        floor_dir = session.prepare_workdir(Path(scratch) / "floor")
        feed = f"{session.service.url}/forecastrss/TUXX0014_c.xml"
        floor = session.start_program(floor_dir, exe=built_program("floor.exe"), args=[feed])
        wait_until(lambda: session.probe.find("TFloorForm"), 20, what="floor window")
        session.service.wait_for_request("/forecastrss/", count=1, timeout=20)
        floor_kib = settle(floor.process.pid)
        session.end_programs()
        session.service.reset()

        workdir = session.prepare_workdir(Path(scratch) / "work")
        session.write_options(workdir, {"General": {"CheckNewVersion": "0"}})
        program = session.start_program(workdir)
        window = session.probe.visible_window("TMainForm", wait=20)
        refresh(session, window.hwnd, 10)
        after_ten = settle(program.process.pid)
        print(f"minimal layered window with GDI+ text: {minimal_kib} KiB")
        print(f"floor (that window using each system service once): {floor_kib} KiB")
        print(f"Meltemix.exe after 10 refreshes: {after_ten} KiB "
              f"(ratio {after_ten / minimal_kib:.2f} to the minimal window, "
              f"{after_ten / floor_kib:.2f} to the floor)")
        start = time.monotonic()
        refresh(session, window.hwnd, args.refreshes)
        after_many = settle(program.process.pid)
        print(f"Meltemix.exe after {args.refreshes} more refreshes: {after_many} KiB "
              f"(growth {after_many - after_ten:+d} KiB, "
              f"{(after_many - after_ten) * 1024 / args.refreshes:+.0f} bytes per refresh; "
              f"{time.monotonic() - start:.0f} s)")
        session.probe.close(window.hwnd)
        program.wait_exit(30)
    return 0


if __name__ == "__main__":
    sys.exit(main())
