"""Waiting for the screen to settle before a picture is taken of it."""

from __future__ import annotations

import hashlib
import subprocess
import time


def screen_digest(display: str) -> str:
    pixels = subprocess.run(["import", "-display", display, "-window", "root", "rgb:-"],
                            check=True, timeout=30, stdout=subprocess.PIPE).stdout
    return hashlib.sha1(pixels).hexdigest()


def wait_for_still_screen(display: str, timeout: float = 5.0, interval: float = 0.25) -> bool:
    """True once two looks in a row see the same pixels (fades and repaints are over)."""
    deadline = time.monotonic() + timeout
    last = screen_digest(display)
    while time.monotonic() < deadline:
        time.sleep(interval)
        current = screen_digest(display)
        if current == last:
            return True
        last = current
    return False
