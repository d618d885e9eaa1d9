"""Files and folders the program must not be able to write, even though Wine runs as root
here."""

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


def mount_read_only(directory: Path) -> str | None:
    """Bind-mount `directory` read-only over itself, as a locked stick or a CD gives it; None
    on success, else why it could not be done."""
    for command in (["mount", "--bind", str(directory), str(directory)],
                    ["mount", "-o", "remount,bind,ro", str(directory)]):
        result = subprocess.run(command, capture_output=True, text=True)
        if result.returncode != 0:
            _unmount(directory)
            return result.stderr.strip() or f"{command[0]} failed"
    return None


def undo_read_only(directory: Path) -> None:
    """Let the scratch directory be removed again."""
    _unmount(directory)
    for path in directory.rglob("*"):
        if path.is_file() and path.stat().st_mode & 0o222 == 0:
            if os.geteuid() == 0:
                subprocess.run(["chattr", "-i", str(path)], capture_output=True)
            path.chmod(0o644)


def _unmount(directory: Path) -> None:
    # os.path.ismount does not see a bind mount within one file system; mountpoint does.
    if subprocess.run(["mountpoint", "-q", str(directory)]).returncode == 0:
        # Lazily: a program of a failed case may still have its working directory there.
        subprocess.run(["umount", "-l", str(directory)], capture_output=True)
