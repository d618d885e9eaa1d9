"""The folders of the prefix's user, where the program keeps what its own folder refuses."""

from __future__ import annotations

from pathlib import Path

from .paths import HarnessError
from .wine import WinePrefix


def app_data(prefix: WinePrefix) -> Path:
    """The Linux path of the user's %APPDATA% in the prefix."""
    result = prefix.run(["cmd", "/c", "echo %APPDATA%"], cwd=prefix.path, timeout=60)
    windows = result.stdout.decode(errors="replace").strip()
    if result.returncode != 0 or ":" not in windows or "%" in windows:
        raise HarnessError(f"no %APPDATA% in the prefix: {windows!r}")
    drive, rest = windows.split(":", 1)
    return prefix.path / f"drive_{drive.lower()}" / Path(*rest.strip("\\").split("\\"))
