"""Files the program must not be able to write, even though Wine runs as root here."""

from __future__ import annotations

import os
import subprocess
from pathlib import Path


def make_read_only(path: Path) -> str | None:
    """Make `path` unwritable for this process; None on success, else why it could not."""
    path.chmod(0o444)
    if os.geteuid() != 0:
        return None
    # Wine maps the read-only attribute to the mode bits, and root writes through those;
    # the immutable flag stops root too.
    result = subprocess.run(["chattr", "+i", str(path)], capture_output=True, text=True)
    return None if result.returncode == 0 else (result.stderr.strip() or "chattr failed")


def undo_read_only(directory: Path) -> None:
    """Let the scratch directory be removed again."""
    for path in directory.rglob("*"):
        if path.is_file() and path.stat().st_mode & 0o222 == 0:
            if os.geteuid() == 0:
                subprocess.run(["chattr", "-i", str(path)], capture_output=True)
            path.chmod(0o644)
