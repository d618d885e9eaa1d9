"""The Linux side of driver.exe: one process in the program's prefix for a long run of
steps, each a command line sent and a JSON line read back."""

from __future__ import annotations

import json
import select
import subprocess
import tempfile
import time

from .faults import describe, faults
from .paths import HarnessError, built_program
from .wine import WinePrefix

WM_COMMAND = 0x0111


class StepFailed(AssertionError):
    """A step of the driver that did not end as asked; `answer` says how it stood."""

    def __init__(self, command: str, answer: dict):
        super().__init__(f"{command}: {answer}")
        self.answer = answer


class Driver:
    def __init__(self, prefix: WinePrefix):
        exe = built_program("driver.exe")
        # Wine's reports go to a file: a helper the driver starts (the prefix's desktop) would
        # hold a pipe open after the driver's end.
        self._errors = tempfile.TemporaryFile()
        self._process = prefix.popen([exe], cwd=exe.parent, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=self._errors)
        self.main: str | None = None
        self.pid: int | None = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def step(self, command: str, timeout: float = 60.0) -> dict:
        """The answer to one command; fails the caller when the step did not end as asked."""
        answer = self.ask(command, timeout)
        if not answer.get("ok"):
            raise StepFailed(command, answer)
        return answer

    def ask(self, command: str, timeout: float = 60.0) -> dict:
        if self._process.poll() is not None:
            raise HarnessError(f"driver.exe ended ({self._process.returncode})")
        self._process.stdin.write(command.encode("ascii") + b"\n")
        self._process.stdin.flush()
        deadline = time.monotonic() + timeout
        line = b""
        while not line.endswith(b"\n"):
            left = deadline - time.monotonic()
            ready, _, _ = select.select([self._process.stdout], [], [], max(left, 0))
            if not ready:
                raise HarnessError(f"driver.exe gave no answer to {command!r} in {timeout} s")
            chunk = self._process.stdout.readline()
            if not chunk:
                raise HarnessError(f"driver.exe ended during {command!r}")
            line += chunk
        return json.loads(line)

    def attach(self, wait: float = 20.0) -> dict:
        answer = self.step(f"attach {int(wait * 1000)}", wait + 10)
        self.main, self.pid = answer["main"], answer["pid"]
        return answer

    def send(self, message: int, wparam: int = 0, lparam: int = 0) -> dict:
        return self.step(f"send {message} {wparam} {lparam}")

    def command(self, identifier: int) -> dict:
        """A menu command, handled by the time this returns."""
        return self.send(WM_COMMAND, identifier)

    def settle(self, wait: float = 20.0) -> str:
        """The face's title once no refresh is under way."""
        return self.step(f"settle {int(wait * 1000)}", wait + 10)["title"]

    def menu(self, which: str, wait: float = 10.0) -> dict:
        return self.step(f"menu {which} {int(wait * 1000)}", 2 * wait + 10)

    def options(self, wait: float = 10.0) -> dict:
        return self.step(f"options {int(wait * 1000)}", 2 * wait + 10)

    def state(self) -> dict:
        return self.step("state")

    def close(self) -> None:
        if self._process.poll() is None:
            try:
                self._process.stdin.write(b"quit\n")
                self._process.stdin.flush()
                self._process.wait(10)
            except (OSError, subprocess.TimeoutExpired):
                self._process.kill()
                self._process.wait(10)
        self._errors.seek(0)
        reported = faults(self._errors.read().decode(errors="replace"))
        self._errors.close()
        if reported:
            raise AssertionError(describe("driver.exe", reported))
