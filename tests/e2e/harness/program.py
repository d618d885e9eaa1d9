"""Meltemix.exe run under Wine in a scratch working directory."""

from __future__ import annotations

import re
import subprocess
from pathlib import Path

from .faults import read_faults
from .paths import meltemix_exe
from .wine import WinePrefix


# The program ends with 0 (the C runtime's abort gives 3, a fault Wine ends it for the fault's
# code); 1 is Wine's own end of a process it could not set up, such as its X driver failing
# to open the display for a thread ("x11drv: Can't open display", on the winediag channel).
WINE_GAVE_UP = 1
# What Wine prints of its own: its error channels ("0123:err:module:..."), its loader.
_WINE_LINE = re.compile(r"^(?:[0-9a-f]{4}:)?err:|^wine(?:server)?:|^x11drv:", re.MULTILINE)


class Program:
    def __init__(self, prefix: WinePrefix, workdir: Path, exe: Path | None = None,
                 extra_env: dict | None = None, args: list[str] | None = None):
        self.prefix, self.workdir = prefix, Path(workdir)
        self.exe = exe or meltemix_exe()
        self.extra_env = extra_env
        self.args = list(args or [])
        self.process: subprocess.Popen | None = None
        self.log: Path | None = None

    def start(self) -> "Program":
        # The working directory decides which Options.ini and pictures the program uses.
        # What Wine and the runtime print (a crash, an abort) is kept beside it, for the
        # report of a case that fails.
        self.log = self.workdir.parent / f"{self.workdir.name}-{id(self):x}.log"
        with open(self.log, "wb") as output:
            self.process = self.prefix.popen([self.exe, *self.args], cwd=self.workdir,
                                             extra_env=self.extra_env, stdout=output,
                                             stderr=subprocess.STDOUT)
        return self

    def describe(self) -> str:
        """How the program stands, and the end of what it printed."""
        if self.process is None:
            return "not started"
        code = self.process.poll()
        state = "running" if code is None else f"ended with exit code {code & 0xFFFFFFFF:#x}"
        printed = self.log.read_bytes()[-1500:].decode(errors="replace") if self.log else ""
        return f"{self.exe.name} in {self.workdir}: {state}\n{printed}".rstrip()

    def wine_gave_up(self) -> str | None:
        """When Wine, not the program, ended the process: what to say instead of a lost window."""
        if self.process is None or self.process.poll() != WINE_GAVE_UP:
            return None
        text = self.log.read_bytes().decode(errors="replace") if self.log else ""
        said = [line.strip() for line in text.splitlines() if _WINE_LINE.match(line.strip())]
        return (f"Wine ended {self.exe.name} in {self.workdir} with exit code {WINE_GAVE_UP}, "
                f"which the program never ends with: a start Wine could not set up, not a "
                f"fault of the program's. Wine said: " +
                ("\n    ".join(["", *said[-10:]]) if said else "nothing on its error channels"))

    def faults(self) -> list[str]:
        """Wine's reports of the faults the program raised so far."""
        return read_faults(self.log) if self.log else []

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
