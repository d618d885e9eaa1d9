"""The test job inside the emulated machine (Debian bookworm, 32-bit Wine; python3 of the
machine, not of the host). Reads /job/config.json that tests/i686/run wrote, writes every
result into /job/out: results.json (one entry per step: ok, seconds, message), the output
of each Wine process (*.log), the screenshots (face-NAME.png) and the service's request log.

Steps: the i686 unit tests, then the shipped program once per Windows version named in the
configuration, against the test service on this machine's loopback. A step that does not
finish in its time is stopped and reported; the job goes on with the next where it can.
"""

from __future__ import annotations

import json
import os
import shutil
import subprocess
import sys
import time
import urllib.request
from pathlib import Path

JOB = Path("/job")
OUT = JOB / "out"
PREFIX = "/opt/meltemix/wine32"
WINE = "/usr/lib/wine/wine"
WINESERVER = "/usr/lib/wine/wineserver"
DISPLAY = ":1"
WM_CLOSE = 0x0010

CONFIG = json.loads((JOB / "config.json").read_text())
ENV = dict(os.environ, WINEPREFIX=PREFIX, WINEARCH="win32", DISPLAY=DISPLAY, HOME="/root",
           WINEDEBUG=CONFIG["winedebug"], WINEDLLOVERRIDES="mscoree,mshtml=")


class StepFailed(Exception):
    pass


def say(text: str) -> None:
    print(f"meltemix-vm: {text}", flush=True)


def wine(args: list, log: Path, timeout: float, cwd: Path | str = JOB) -> int:
    """Runs a Windows program to its end; its output is appended to `log`."""
    with open(log, "ab") as output:
        try:
            return subprocess.run([WINE, *map(str, args)], cwd=cwd, env=ENV, timeout=timeout,
                                  stdin=subprocess.DEVNULL, stdout=output,
                                  stderr=subprocess.STDOUT).returncode
        except subprocess.TimeoutExpired:
            raise StepFailed(f"{Path(str(args[0])).name} {' '.join(map(str, args[1:]))}: "
                             f"no end within {timeout:.0f} s") from None


class Probe:
    """probe.exe, whose stdout is JSON lines and whose Wine output goes to one log."""

    def __init__(self, log: Path):
        self.log = log

    def run(self, *args, timeout: float = 120) -> tuple[int, list]:
        with open(self.log, "ab") as errors:
            try:
                result = subprocess.run([WINE, JOB / "probe.exe", *map(str, args)], cwd=JOB,
                                        env=ENV, timeout=timeout, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.PIPE, stderr=errors)
            except subprocess.TimeoutExpired:
                raise StepFailed(f"probe {' '.join(map(str, args))}: no answer within "
                                 f"{timeout:.0f} s") from None
        lines = [json.loads(line) for line in result.stdout.decode(errors="replace").splitlines()
                 if line.startswith("{")]
        return result.returncode, lines

    def main_window(self, process: subprocess.Popen, wait: float) -> dict:
        """The program's one main window, once it is there; a program that ends first is
        told at once."""
        deadline = time.monotonic() + wait
        while True:
            _, lines = self.run("find", "--class", "TMainForm", "--wait", 10000)
            if len(lines) == 1:
                return lines[0]
            if lines:
                raise StepFailed(f"more than one TMainForm window: {lines}")
            ended(process, "before its window was there")
            if time.monotonic() > deadline:
                raise StepFailed(f"no TMainForm window within {wait:.0f} s")

    def info(self, hwnd: str) -> dict | None:
        code, lines = self.run("info", hwnd)
        return lines[0] if code == 0 and lines else None


def ended(process: subprocess.Popen, when: str) -> None:
    code = process.poll()
    if code is not None:
        raise StepFailed(f"Meltemix.exe ended with exit code {code & 0xFFFFFFFF:#x} {when}")


def screen_rgb() -> bytes:
    return subprocess.run(["import", "-display", DISPLAY, "-window", "root", "rgb:-"],
                          check=True, timeout=60, stdout=subprocess.PIPE).stdout


def wait_for_still_screen(timeout: float) -> bool:
    """True once two looks a second apart see the same pixels (fades and repaints over)."""
    deadline = time.monotonic() + timeout
    last = screen_rgb()
    while time.monotonic() < deadline:
        time.sleep(1)
        current = screen_rgb()
        if current == last:
            return True
        last = current
    return False


def screenshot(path: Path) -> None:
    subprocess.run(["import", "-display", DISPLAY, "-window", "root", f"png:{path}"],
                   check=True, timeout=60, stderr=subprocess.DEVNULL)


def colours_in(path: Path, rect: list) -> int:
    """Distinct colours in a rectangle of a picture: a face drawn with its pictures and texts
    has hundreds, an undrawn layered window (black, or nothing at all) one or two."""
    left, top, right, bottom = rect
    result = subprocess.run(["convert", str(path), "-crop",
                             f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                             "-format", "%k", "info:"],
                            check=True, timeout=60, stdout=subprocess.PIPE)
    return int(result.stdout.decode().strip() or 0)


def requests_served(url: str) -> list:
    with urllib.request.urlopen(f"{url}/_control/log", timeout=30) as answer:
        return json.load(answer)


# -- steps

def unit_tests() -> str:
    # The cases find their files below the source folder the build compiled in, as Z: sees it.
    source = Path(CONFIG["source_root"])
    source.parent.mkdir(parents=True, exist_ok=True)
    if not source.exists():
        source.symlink_to(JOB / "source")
    log = OUT / "unit.log"
    code = wine([JOB / "unit" / "meltemix_tests.exe", "--gtest_brief=1"], log,
                CONFIG["unit_timeout"], cwd=JOB / "unit")
    summary = [line for line in log.read_text(errors="replace").splitlines()
               if line.startswith("[  PASSED  ]") or line.startswith("[  FAILED  ]")]
    if code != 0:
        raise StepFailed(f"meltemix_tests.exe ended with {code}: " + "; ".join(summary[-10:]))
    return "; ".join(summary)


def program_run(name: str, version: str | None, service_url: str) -> str:
    log = OUT / f"program-{name}.log"
    probe = Probe(OUT / f"probe-{name}.log")
    if version:
        # Wine tells every program it is this Windows from now on.
        code = wine(["reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/t", "REG_SZ",
                     "/d", version, "/f"], OUT / f"reg-{name}.log", 120)
        if code != 0:
            raise StepFailed(f"setting the Windows version {version} failed ({code})")
    wine(["cmd", "/c", "ver"], OUT / f"ver-{name}.log", 120)
    said = (OUT / f"ver-{name}.log").read_text(errors="replace").strip().splitlines()
    windows = next((line.strip() for line in said if "Windows" in line), "?")

    # A working directory as the unpacked download has it, with the test's Options.ini.
    workdir = Path(f"/tmp/run-{name}")
    shutil.copytree(JOB / "program", workdir)
    served_before = len(requests_served(service_url))
    started = time.monotonic()
    with open(log, "ab") as output:
        process = subprocess.Popen([WINE, workdir / "Meltemix.exe"], cwd=workdir, env=ENV,
                                   stdin=subprocess.DEVNULL, stdout=output,
                                   stderr=subprocess.STDOUT)
    picture = OUT / f"face-{name}.png"
    try:
        window = probe.main_window(process, CONFIG["window_timeout"])
        window_at = time.monotonic() - started
        ready = CONFIG["ready_title"]
        deadline = time.monotonic() + CONFIG["report_timeout"]
        title = window["title"]
        while True:
            info = probe.info(window["hwnd"])
            if info is None:
                ended(process, "before its face showed a report")
                raise StepFailed("the main window went away, the program still running")
            title = info["title"]
            if info["visible"] and title == ready:
                break
            if time.monotonic() > deadline:
                raise StepFailed(f"no report on the face within {CONFIG['report_timeout']} s "
                                 f"of the window: its title is {title!r}, not {ready!r}")
            time.sleep(2)
        report_at = time.monotonic() - started
        feeds = [r for r in requests_served(service_url)[served_before:]
                 if r["path"].startswith("/forecastrss/")]
        if not feeds:
            raise StepFailed("the face shows a report but the service served no feed")
        time.sleep(2)  # the unrolling and the fades begin
        wait_for_still_screen(60)
        screenshot(picture)
        colours = colours_in(picture, info["rect"])
        if colours < CONFIG["min_face_colours"]:
            raise StepFailed(f"the face at {info['rect']} has {colours} colours: not drawn")
        probe.run("post", window["hwnd"], WM_CLOSE, 0, 0)
        try:
            code = process.wait(CONFIG["exit_timeout"])
        except subprocess.TimeoutExpired:
            raise StepFailed(f"still running {CONFIG['exit_timeout']} s after WM_CLOSE") from None
        if code != 0:
            raise StepFailed(f"Meltemix.exe ended with exit code {code & 0xFFFFFFFF:#x}")
        return (f"{windows}; window after {window_at:.0f} s, report after {report_at:.0f} s, "
                f"{colours} colours on the face, exit code 0")
    except BaseException:
        if not picture.exists():
            try:
                screenshot(picture)
            except (OSError, subprocess.SubprocessError):
                pass
        raise
    finally:
        if process.poll() is None:
            process.kill()
            process.wait(30)


def step(results: list, name: str, action, *args) -> bool:
    say(f"{name} ...")
    started = time.monotonic()
    try:
        message, ok = action(*args), True
    except StepFailed as error:
        message, ok = str(error), False
    except Exception as error:  # a broken tool inside: reported as the step's failure
        message, ok = f"{type(error).__name__}: {error}", False
    seconds = round(time.monotonic() - started, 1)
    results.append({"name": name, "ok": ok, "seconds": seconds, "message": message})
    say(f"{name}: {'ok' if ok else 'FAILED'} ({seconds:.0f} s) {message}")
    (OUT / "results.json").write_text(json.dumps(results, indent=1))
    return ok


def main() -> int:
    OUT.mkdir(exist_ok=True)
    results: list = []
    xvfb = subprocess.Popen(["Xvfb", DISPLAY, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=open(OUT / "xvfb.log", "wb"))
    service = subprocess.Popen([sys.executable, JOB / "service" / "service.py", "--port",
                                str(CONFIG["service_port"])],
                               stdout=subprocess.DEVNULL, stderr=open(OUT / "service.log", "wb"))
    url = f"http://127.0.0.1:{CONFIG['service_port']}"
    try:
        for _ in range(100):
            if Path(f"/tmp/.X11-unix/X{DISPLAY[1:]}").exists():
                break
            time.sleep(0.2)
        # One server for every Wine process of the job spares each its own start.
        subprocess.run([WINESERVER, "-p"], env=ENV, check=True, timeout=60)
        step(results, "unit tests", unit_tests)
        for run in CONFIG["runs"]:
            step(results, f"program ({run['name']})", program_run, run["name"],
                 run["version"], url)
        try:
            (OUT / "requests.json").write_text(json.dumps(requests_served(url), indent=1))
        except OSError:
            pass
    finally:
        subprocess.run([WINESERVER, "-k"], env=ENV, timeout=60)
        service.terminate()
        xvfb.terminate()
    return 0 if all(r["ok"] for r in results) else 1


if __name__ == "__main__":
    sys.exit(main())
