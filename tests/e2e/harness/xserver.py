"""A private X server (Xvfb) for the program's windows, and screenshots of it."""

from __future__ import annotations

import os
import shutil
import subprocess
import time
from pathlib import Path

from .paths import HarnessError

DISPLAYS = range(101, 121)  # the numbers this project's tests may take


def _display_taken(number: int) -> bool:
    return (Path(f"/tmp/.X{number}-lock").exists()
            or Path(f"/tmp/.X11-unix/X{number}").exists())


class Xvfb:
    def __init__(self, width: int = 1024, height: int = 768, displays=DISPLAYS):
        self.width, self.height = width, height
        self._displays = displays
        self.number: int | None = None
        self._process: subprocess.Popen | None = None

    @property
    def display(self) -> str:
        return f":{self.number}"

    def start(self, timeout: float = 10.0) -> "Xvfb":
        if not shutil.which("Xvfb"):
            raise HarnessError("Xvfb is not installed (apt-get install xvfb)")
        for number in self._displays:
            if _display_taken(number):
                continue
            process = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", f"{self.width}x{self.height}x24",
                 "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            socket = Path(f"/tmp/.X11-unix/X{number}")
            deadline = time.monotonic() + timeout
            while process.poll() is None and not socket.exists():
                if time.monotonic() > deadline:
                    process.kill()
                    raise HarnessError(f"Xvfb :{number} did not come up in {timeout} s")
                time.sleep(0.02)
            if process.poll() is None:
                self.number, self._process = number, process
                return self
            # Lost a race for this number with someone else; try the next one.
        raise HarnessError(f"no free X display among :{self._displays[0]}..:{self._displays[-1]}")

    def stop(self) -> None:
        if self._process and self._process.poll() is None:
            self._process.terminate()
            try:
                self._process.wait(5)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()
        self._process = None

    def screenshot(self, path: Path | str) -> Path:
        return screenshot(self.display, path)


def screenshot(display: str, path: Path | str) -> Path:
    """The whole screen of `display` as a PNG."""
    path = Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    env = dict(os.environ, DISPLAY=display)
    if shutil.which("import"):
        subprocess.run(["import", "-display", display, "-window", "root", f"png:{path}"],
                       env=env, check=True, timeout=30, stderr=subprocess.PIPE)
    elif shutil.which("xwd") and shutil.which("convert"):
        dump = subprocess.run(["xwd", "-root", "-silent", "-display", display],
                              env=env, check=True, timeout=30, stdout=subprocess.PIPE).stdout
        subprocess.run(["convert", "xwd:-", f"png:{path}"], input=dump, check=True, timeout=30)
    else:
        raise HarnessError("no screenshot tool: apt-get install imagemagick")
    return path
