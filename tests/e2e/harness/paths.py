"""Where the harness finds the repository and the built Windows programs."""

from __future__ import annotations

import os
from pathlib import Path

REPO = Path(__file__).resolve().parents[3]


class HarnessError(RuntimeError):
    """The harness cannot do its work (a missing build, a tool that will not start)."""


def build_dir() -> Path:
    """The win64 build: $MELTEMIX_WIN64_BUILD, else build/win64 under the repository."""
    configured = os.environ.get("MELTEMIX_WIN64_BUILD")
    path = Path(configured) if configured else REPO / "build" / "win64"
    return path if path.is_absolute() else (REPO / path)


def built_program(name: str) -> Path:
    path = build_dir() / name
    if not path.is_file():
        raise HarnessError(
            f"{path} is missing: build the win64 preset first "
            f"(cmake --preset win64 -B {build_dir()} && cmake --build {build_dir()}), "
            f"or point MELTEMIX_WIN64_BUILD at a build that has it")
    return path


def meltemix_exe() -> Path:
    return built_program("Meltemix.exe")


def probe_exe() -> Path:
    return built_program("probe.exe")


PICTURE_FOLDERS = ("Resources", "Resources@2x")


def resources_dir(folder: str = "Resources") -> Path | None:
    """A picture folder of the build (below Contents), when it made it."""
    path = build_dir() / "Contents" / folder
    return path if path.is_dir() else None
