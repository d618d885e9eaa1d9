"""The Linux side of shellprobe.exe: shortcuts, the registry, the user's shell folders and
starts through the shell, in the program's prefix."""

from __future__ import annotations

import json
import os
import tempfile
from dataclasses import dataclass
from pathlib import Path, PureWindowsPath

from .paths import HarnessError, built_program
from .probe import _arg
from .wine import WinePrefix


@dataclass
class Shortcut:
    target: str
    workdir: str
    arguments: str
    icon: str
    icon_index: int


@dataclass
class Value:
    type: str
    data: str | int


class ShellProbe:
    def __init__(self, prefix: WinePrefix):
        self.prefix = prefix
        self.exe = built_program("shellprobe.exe")

    def _run(self, *args, timeout: float = 60.0) -> tuple[int, list[dict]]:
        result = self.prefix.run([self.exe, *map(_arg, args)], cwd=self.exe.parent,
                                 timeout=timeout)
        lines = [json.loads(line) for line in result.stdout.decode().splitlines()
                 if line.startswith("{")]
        if result.returncode == 2:
            raise HarnessError(f"shellprobe {' '.join(args)}: {lines}")
        return result.returncode, lines

    def linux_path(self, windows: str) -> Path:
        """Where a path of the prefix's C: drive lies on this machine."""
        path = PureWindowsPath(windows)
        if path.drive.upper() != "C:":
            raise HarnessError(f"{windows} is not on the prefix's C: drive")
        return self.prefix.path / "drive_c" / Path(*path.parts[1:])

    def folders(self) -> dict[str, str]:
        _, lines = self._run("folders")
        return lines[0]

    def shortcut(self, path: str) -> Shortcut | None:
        code, lines = self._run("link", path)
        if code != 0:
            return None
        line = lines[0]
        return Shortcut(line["target"], line["workdir"], line["arguments"], line["icon"],
                        line["icon_index"])

    def make_shortcut(self, path: str, target: str, workdir: str) -> None:
        code, lines = self._run("make-link", path, target, workdir)
        if code != 0:
            raise HarnessError(f"no shortcut written at {path}: {lines}")

    def registry(self, key: str) -> tuple[dict[str, Value], list[str]] | None:
        """The key's values and the names of its subkeys; None when there is no such key."""
        code, lines = self._run("registry", key)
        if code != 0:
            return None
        values = {line["name"]: Value(line["type"], line["data"]) for line in lines
                  if "name" in line}
        return values, [line["subkey"] for line in lines if "subkey" in line]

    def run(self, command_line: str, log: Path, timeout: float = 120.0) -> int | None:
        """Runs a command line as it stands (the folder switches of a setup, /D= and _?=,
        must reach it unquoted) and waits at most `timeout` for its end: its exit code, None
        when it is still running. What the program and those it starts print goes to `log`."""
        with tempfile.TemporaryFile() as answer, open(log, "ab") as output:
            process = self.prefix.popen([self.exe, "run", _arg(command_line),
                                         str(int(timeout * 1000))], cwd=self.exe.parent,
                                        stdout=answer, stderr=output)
            process.wait(timeout + 60)
            answer.seek(0)
            text = answer.read().decode(errors="replace")
        lines = [json.loads(line) for line in text.splitlines() if line.startswith("{")]
        exits = [line["exit"] for line in lines if "exit" in line]
        if process.returncode != 0 or not exits:
            raise HarnessError(f"could not run {command_line}: {lines}")
        return exits[0]

    def open(self, path: str, extra_env: dict | None = None, log: Path | None = None) -> int | None:
        """Starts a file through the shell, as a double click in Explorer does; the process
        id of what it started, when the shell tells it. What that program prints goes to
        `log`."""
        # Files, not pipes: the program started inherits them and outlives this start.
        with tempfile.TemporaryFile() as answer, \
                open(log or os.devnull, "ab") as output:
            process = self.prefix.popen([self.exe, "open", _arg(path)], cwd=self.exe.parent,
                                        extra_env=extra_env, stdout=answer, stderr=output)
            process.wait(60)
            answer.seek(0)
            text = answer.read().decode(errors="replace")
        lines = [json.loads(line) for line in text.splitlines() if line.startswith("{")]
        if process.returncode != 0 or not lines or "pid" not in lines[0]:
            raise HarnessError(f"the shell did not start {path}: {lines}")
        return lines[0]["pid"]
