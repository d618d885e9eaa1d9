"""The program under Wine against the local test service, for a person to look at.

With DISPLAY set it runs on that display until the user closes it. Without, it runs on a
private Xvfb, saves a picture of the screen once the window is there and settled, and then
closes the program as the system would.

  PYTHONPATH=tests/e2e /usr/bin/python3 -m harness.demo [--out DIR]
"""

from __future__ import annotations

import argparse
import os
import shutil
import sys
import time
from pathlib import Path

from .ini import read_options
from .paths import REPO, HarnessError, build_dir
from .polling import wait_until
from .screen import wait_for_still_screen
from .session import Session


def prepare(session: Session, workdir: Path, live: bool = False) -> None:
    workdir.mkdir(parents=True, exist_ok=True)
    # Fresh pictures and settings each time; the shipped Options.ini brings the city list.
    shutil.rmtree(workdir / "Contents", ignore_errors=True)
    (workdir / "Options.ini").unlink(missing_ok=True)
    session.prepare_workdir(workdir)
    shipped = build_dir() / "Options.ini"
    sections = read_options(shipped) if shipped.is_file() else {}
    sections.pop("Endpoints", None)
    # The details window beside the panel rather than over it, so the picture shows both.
    sections.setdefault("Appearance", {}).update({"InfoTextLeft": "545", "InfoTextTop": "300"})
    session.write_options(workdir, sections, live=live)


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=Path, default=REPO / "out",
                        help="folder of the working directory demo/ and the picture demo.png")
    parser.add_argument("--live", action="store_true",
                        help="the built-in provider answers, the service playing its upstream "
                             "services (forecast, geocoding, IP echo)")
    args = parser.parse_args(argv)
    out = args.out.resolve()
    workdir = out / "demo"
    display = os.environ.get("DISPLAY") or None

    try:
        session = Session(display=display).start()
    except HarnessError as error:
        print(f"demo: {error}", file=sys.stderr)
        return 1
    try:
        prepare(session, workdir, live=args.live)
        print(f"test service at {session.service.url}; working directory {workdir}")
        program = session.start_program(workdir)
        window = session.probe.window("TMainForm", wait=20)
        print(f"main window at {window.position}, size {window.size}")

        if display:
            print(f"running on {display}; close the program to end the demo")
            code = program.wait_exit(timeout=None)
        else:
            try:
                session.service.wait_for_request("/v1/forecast" if args.live else "/forecastrss/",
                                                 timeout=3)
                # The window's (undrawn) title tells when a report is on its face.
                wait_until(lambda: (lambda w: w and w.visible and "° - " in w.title)(
                    session.probe.info(window.hwnd)), 20, what="a report on the face")
            except TimeoutError:
                pass  # a program that shows nothing yet is still worth a picture
            time.sleep(0.5)  # the unrolling and the fades
            wait_for_still_screen(session.display)
            picture = session.screenshot(out / "demo.png")
            print(f"screenshot: {picture}")
            session.probe.close(window.hwnd)
            code = program.wait_exit(15)

        for request in session.service.requests:
            query = f"?{request.query}" if request.query else ""
            print(f"request: {request.path}{query}  (User-Agent: {request.user_agent})")
        print(f"Meltemix.exe ended with exit code {code}")
        return 0 if code == 0 else 1
    except KeyboardInterrupt:
        return 130
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())
