"""Meltemix.exe run under Wine in a scratch working directory."""

from __future__ import annotations

import subprocess
from pathlib import Path

from .paths import meltemix_exe
from .wine import WinePrefix


class Program:
    def __init__(self, prefix: WinePrefix, workdir: Path, exe: Path | None = None,
                 extra_env: dict | None = None, args: list[str] | None = None):
        self.prefix, self.workdir = prefix, Path(workdir)
        self.exe = exe or meltemix_exe()
        self.extra_env = extra_env
        self.args = list(args or [])
        self.process: subprocess.Popen | None = None

    def start(self) -> "Program":
        # The working directory decides which Options.ini and pictures the program uses.
        self.process = self.prefix.popen([self.exe, *self.args], cwd=self.workdir, extra_env=self.extra_env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    @property
    def running(self) -> bool:
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout: float = 15.0) -> int:
        """The exit code; fails the caller when the program does not end in time."""
        assert self.process is not None, "not started"
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TimeoutError(f"Meltemix.exe still running after {timeout} s") from None

    def kill(self) -> None:
        if self.running:
            self.process.kill()
            self.process.wait(10)
