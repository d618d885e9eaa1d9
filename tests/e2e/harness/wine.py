"""A fresh, private Wine prefix per run, with a wine server kept alive for speed, at the
standard display density or another one."""

from __future__ import annotations

import os
import shutil
import subprocess
import tempfile
import time
import warnings
from pathlib import Path

from .faults import WINEDEBUG, describe, faults
from .paths import HarnessError

WINE64 = "/usr/lib/wine/wine64"
STANDARD_DPI = 96

# Debian's Wine has no preloader to keep the low address space free for it. Now and then,
# about one start in a few hundred of a test run, the address where Wine maps the shared user
# data (0x7ffe0000) is taken when it gets there, and Wine ends the process with exit code 1
# ("failed to map the shared user data: c0000018") before it has loaded a single module:
# nothing of the program has run, and no Windows user can meet it. Such a start is made again.
SETUP_FAILED = "failed to map the shared user data"
SETUP_TRIES = 3
_SHARED_DATA_MAPPED = "7ffe0000-"


class WineSetupWarning(UserWarning):
    pass


def _setup_failed_again(args) -> None:
    warnings.warn(WineSetupWarning(f"Wine could not map the shared user data for "
                                   f"{' '.join(map(str, args))}; started again"))


def _failed_setup(process: subprocess.Popen, timeout: float = 20.0) -> bool:
    """Whether Wine ended the process before mapping the shared user data. Wine maps it
    before any module, so a process that got that far is past this failure."""
    maps = Path(f"/proc/{process.pid}/maps")
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            text = maps.read_text()
        except OSError:
            text = ""
        if any(line.startswith(_SHARED_DATA_MAPPED) and "---p" not in line
               for line in text.splitlines()):
            return False
        if process.poll() is not None:
            return process.returncode == 1
        time.sleep(0.002)
    return False


def _wineserver() -> str:
    for candidate in ("/usr/lib/wine/wineserver", shutil.which("wineserver")):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    raise HarnessError("wineserver is not installed (apt-get install wine64)")


class WinePrefix:
    def __init__(self, display: str, path: Path | None = None, keep: bool = False,
                 dpi: int = STANDARD_DPI, locale_env: dict | None = None):
        self.display = display
        self.dpi = dpi
        # The Unix locale Wine takes its Windows locale and ANSI code page from.
        self.locale_env = dict(locale_env or {})
        self._own_dir = path is None
        self.path = Path(path) if path else Path(tempfile.mkdtemp(prefix="meltemix-e2e-wine-"))
        self.keep = keep
        self._server_started = False

    @property
    def env(self) -> dict:
        env = dict(os.environ)
        env.update(WINEPREFIX=str(self.path), WINEDEBUG=WINEDEBUG,
                   WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=self.display)
        env.update(self.locale_env)
        return env

    def create(self, timeout: float = 120.0) -> "WinePrefix":
        if not os.access(WINE64, os.X_OK):
            raise HarnessError(f"{WINE64} is missing (apt-get install wine64)")
        self.path.mkdir(parents=True, exist_ok=True)
        # A persistent server spares every later start (program, probe) its own set-up.
        subprocess.run([_wineserver(), "-p"], env=self.env, check=True, timeout=30)
        self._server_started = True
        self._wine(["wineboot", "-i"], timeout)
        # A crash must end the process, not wait for somebody to close a dialog.
        self._wine(["reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                    "/t", "REG_DWORD", "/d", "0", "/f"], 60)
        if self.dpi != STANDARD_DPI:
            # The display scale as Windows keeps it. This Wine takes it from here first (over
            # the HKLM hardware profile's Software\Fonts) for GetDeviceCaps(LOGPIXELSX) and
            # GetDpiForWindow alike, and at once: no restart of the server is needed.
            self._wine(["reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                        "/t", "REG_DWORD", "/d", str(self.dpi), "/f"], 60)
        return self

    def _wine(self, args: list[str], timeout: float) -> None:
        # Output goes to a file, not a pipe: the services wineboot starts keep its
        # descriptors open for the life of the prefix, and a pipe would never end.
        with tempfile.TemporaryFile() as output:
            result = subprocess.run([WINE64, *args], env=self.env, cwd=self.path,
                                    timeout=timeout, stdin=subprocess.DEVNULL, stdout=output,
                                    stderr=subprocess.STDOUT)
            if result.returncode != 0:
                output.seek(0)
                raise HarnessError(f"wine64 {' '.join(args)} failed ({result.returncode}): "
                                   f"{output.read().decode(errors='replace')[-2000:]}")

    def popen(self, args: list[str], cwd: Path | str, extra_env: dict | None = None,
              **kwargs) -> subprocess.Popen:
        env = self.env
        env.update(extra_env or {})
        for _ in range(SETUP_TRIES - 1):
            process = subprocess.Popen([WINE64, *map(str, args)], cwd=cwd, env=env, **kwargs)
            if not _failed_setup(process):
                return process
            _setup_failed_again(args)
        return subprocess.Popen([WINE64, *map(str, args)], cwd=cwd, env=env, **kwargs)

    def run(self, args: list[str], cwd: Path | str, timeout: float,
            extra_env: dict | None = None) -> subprocess.CompletedProcess:
        """A program run to its end; one that raised a fault fails the caller."""
        env = self.env
        env.update(extra_env or {})
        # Files, not pipes: a process of Wine's that this run happens to start (the desktop's
        # explorer, when the last one had gone) inherits the descriptors and keeps a pipe open
        # long after the run has ended; reading it to its end then waits for the time-out.
        for attempt in range(SETUP_TRIES):
            with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
                process = subprocess.run([WINE64, *map(str, args)], cwd=cwd, env=env,
                                         timeout=timeout, stdin=subprocess.DEVNULL, stdout=out,
                                         stderr=err)
                out.seek(0)
                err.seek(0)
                result = subprocess.CompletedProcess(process.args, process.returncode,
                                                     out.read(), err.read())
            if result.returncode != 1 or SETUP_FAILED.encode() not in result.stderr or \
                    attempt == SETUP_TRIES - 1:
                break
            _setup_failed_again(args)
        reported = faults(result.stderr.decode(errors="replace"))
        if reported:
            raise AssertionError(describe(" ".join(map(str, args)), reported))
        return result

    def close(self) -> None:
        if self._server_started:
            # Ends the server and every Windows process still running in this prefix.
            subprocess.run([_wineserver(), "-k"], env=self.env, timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self._server_started = False
        if self._own_dir and not self.keep:
            shutil.rmtree(self.path, ignore_errors=True)
