"""The test job inside the emulated machine (Debian bookworm, 32-bit Wine; python3 of the
machine, not of the host). Reads /job/config.json that tests/i686/run wrote, writes every
result into /job/out: results.json (one entry per step: ok, seconds, message), the output
of each Wine process (*.log), the screenshots (face-NAME.png) and the service's request log.

Steps: the i686 unit tests, then once per Windows version named in the configuration the
shipped setup: installed silently, the program started from its Start menu shortcut against
the test service on this machine's loopback until its face shows the report, closed, and
removed silently. A step that does not finish in its time is stopped and reported; the job
goes on with the next where it can.
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
# No menu entries made of the setup's shortcuts.
ENV = dict(os.environ, WINEPREFIX=PREFIX, WINEARCH="win32", DISPLAY=DISPLAY, HOME="/root",
           WINEDEBUG=CONFIG["winedebug"],
           WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=")
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Meltemix"
LINK = "Meltemix!.lnk"


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


def escaped(text: str) -> str:
    """Anything but plain ASCII, and every backslash and quote, as the probes' \\uXXXX: the
    text then reaches them as it is, whatever Wine's quoting of a command line does."""
    return "".join(c if 0x20 <= ord(c) < 0x7F and c not in '\\"' else f"\\u{ord(c):04X}"
                   for c in text)


class Probe:
    """probe.exe (or shellprobe.exe), whose stdout is JSON lines and whose Wine output goes to
    one log."""

    def __init__(self, log: Path, tool: str = "probe.exe"):
        self.log, self.tool = log, tool

    def run(self, *args, timeout: float = 120) -> tuple[int, list]:
        with open(self.log, "ab") as errors:
            try:
                result = subprocess.run([WINE, JOB / self.tool, *(escaped(str(a)) for a in args)],
                                        cwd=JOB,
                                        env=ENV, timeout=timeout, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.PIPE, stderr=errors)
            except subprocess.TimeoutExpired:
                raise StepFailed(f"{self.tool} {' '.join(map(str, args))}: no answer within "
                                 f"{timeout:.0f} s") from None
        lines = [json.loads(line) for line in result.stdout.decode(errors="replace").splitlines()
                 if line.startswith("{")]
        return result.returncode, lines

    def main_window(self, alive, wait: float) -> dict:
        """The program's one main window, once it is there; `alive(when)` tells at once of
        a program that ended first."""
        deadline = time.monotonic() + wait
        while True:
            _, lines = self.run("find", "--class", "TMainForm", "--wait", 10000)
            if len(lines) == 1:
                return lines[0]
            if lines:
                raise StepFailed(f"more than one TMainForm window: {lines}")
            alive("before its window was there")
            if time.monotonic() > deadline:
                raise StepFailed(f"no TMainForm window within {wait:.0f} s")

    def info(self, hwnd: str) -> dict | None:
        code, lines = self.run("info", hwnd)
        return lines[0] if code == 0 and lines else None


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


def linux_path(windows: str) -> Path:
    drive, rest = windows.split(":", 1)
    assert drive.upper() == "C", windows
    return Path(PREFIX) / "drive_c" / Path(*rest.strip("\\").split("\\"))


def options_text(path: Path) -> str:
    data = path.read_bytes()
    return data[2:].decode("utf-16-le") if data[:2] == b"\xff\xfe" else data.decode("cp1254")


def run_command(shell: Probe, command_line: str, limit: float) -> int:
    """A command line as a package manager runs it; its exit code."""
    _, lines = shell.run("run", command_line, int(limit * 1000), timeout=limit + 60)
    exits = [line["exit"] for line in lines if "exit" in line]
    if not exits or exits[0] is None:
        raise StepFailed(f"{command_line}: no end within {limit:.0f} s ({lines})")
    return exits[0]


def wait_for(condition, limit: float, what: str) -> None:
    deadline = time.monotonic() + limit
    while not condition():
        if time.monotonic() > deadline:
            raise StepFailed(f"{what}: not within {limit:.0f} s")
        time.sleep(1)


def program_processes() -> list[int]:
    """The Linux processes of Meltemix.exe (the machine's root has no procps)."""
    found = []
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                command = (entry / "cmdline").read_bytes()
            except OSError:
                continue
            if b"Meltemix.exe" in command:
                found.append(int(entry.name))
    return found


def program_running() -> bool:
    return bool(program_processes())


def program_run(name: str, version: str | None, service_url: str) -> str:
    probe = Probe(OUT / f"probe-{name}.log")
    shell = Probe(OUT / f"shell-{name}.log", "shellprobe.exe")
    if version:
        # Wine tells every program it is this Windows from now on.
        code = wine(["reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/t", "REG_SZ",
                     "/d", version, "/f"], OUT / f"reg-{name}.log", 120)
        if code != 0:
            raise StepFailed(f"setting the Windows version {version} failed ({code})")
    wine(["cmd", "/c", "ver"], OUT / f"ver-{name}.log", 120)
    said = (OUT / f"ver-{name}.log").read_text(errors="replace").strip().splitlines()
    windows = next((line.strip() for line in said if "Windows" in line), "?")

    # The folder holds the test's Options.ini already, as an earlier install would have left
    # the user's: the setup keeps it and writes only the shortcuts' keys into it.
    folder = CONFIG["setup_folder"]
    installed = linux_path(folder)
    shutil.rmtree(installed, ignore_errors=True)
    installed.mkdir(parents=True)
    shutil.copy(JOB / "program" / "Options.ini", installed / "Options.ini")
    started = time.monotonic()
    setup = "Z:" + str(JOB / CONFIG["setup"]).replace("/", "\\")
    code = run_command(shell, f'"{setup}" /S /D={folder}', CONFIG["setup_timeout"])
    if code != 0:
        raise StepFailed(f"the setup ended with exit code {code}")
    install_took = time.monotonic() - started
    text = options_text(installed / "Options.ini")
    for wanted in ("Desktop=1", "Startup=1", "[Endpoints]"):
        if wanted not in text:
            raise StepFailed(f"the installed Options.ini lacks {wanted}")
    _, lines = shell.run("folders")
    menu_link = lines[0]["programs"] + "\\" + LINK
    code, lines = shell.run("link", menu_link)
    if code != 0 or lines[0]["workdir"] != folder + "\\" or \
            lines[0]["target"] != folder + "\\Meltemix.exe":
        raise StepFailed(f"the Start menu shortcut is not the program's in its folder: {lines}")

    # Started as a click on the Start menu entry starts it: through the shell.
    started = time.monotonic()
    code, lines = shell.run("open", menu_link)
    if code != 0:
        raise StepFailed(f"the shell did not start {menu_link}: {lines}")
    picture = OUT / f"face-{name}.png"

    def alive(when: str) -> None:
        if not program_running():
            raise StepFailed(f"Meltemix.exe is not running {when}")
    try:
        window = probe.main_window(alive, CONFIG["window_timeout"])
        window_at = time.monotonic() - started
        ready = CONFIG["ready_title"]
        deadline = time.monotonic() + CONFIG["report_timeout"]
        title = window["title"]
        while True:
            info = probe.info(window["hwnd"])
            if info is None:
                alive("before its face showed a report")
                raise StepFailed("the main window went away, the program still running")
            title = info["title"]
            if info["visible"] and title == ready:
                break
            if time.monotonic() > deadline:
                raise StepFailed(f"no report on the face within {CONFIG['report_timeout']} s "
                                 f"of the window: its title is {title!r}, not {ready!r}")
            time.sleep(2)
        report_at = time.monotonic() - started
        feeds = [r for r in requests_served(service_url)
                 if r["path"].startswith("/forecastrss/")]
        if not feeds:
            raise StepFailed("the face shows a report but the service served no feed")
        time.sleep(2)  # the unrolling and the fades begin
        wait_for_still_screen(60)
        screenshot(picture)
        colours = colours_in(picture, info["rect"])
        if colours < CONFIG["min_face_colours"]:
            raise StepFailed(f"the face at {info['rect']} has {colours} colours: not drawn")
        # Asked as a screen reader asks (WM_GETOBJECT through oleacc): the window describes
        # itself, named after the program and the place.
        code, parts = probe.run("acc-tree", window["hwnd"])
        named = [p.get("name", "") for p in parts if "child" in p]
        if code != 0 or len(named) != 11 or not named[0].startswith("Meltemix! - "):
            raise StepFailed(f"no accessible object for the main window: {parts}")
        probe.run("post", window["hwnd"], WM_CLOSE, 0, 0)
        wait_for(lambda: not program_running(), CONFIG["exit_timeout"],
                 "Meltemix.exe ending after WM_CLOSE")
    except BaseException:
        if not picture.exists():
            try:
                screenshot(picture)
            except (OSError, subprocess.SubprocessError):
                pass
        raise
    finally:
        for pid in program_processes():
            os.kill(pid, 9)

    # Removed as Programs and Features' quiet command removes it; the settings stay.
    started = time.monotonic()
    code, lines = shell.run("registry", UNINSTALL_KEY)
    command = next((line["data"] for line in lines if line.get("name") == "QuietUninstallString"),
                   None)
    if code != 0 or not command:
        raise StepFailed(f"no uninstall entry: {lines}")
    code = run_command(shell, command, CONFIG["setup_timeout"])
    if code != 0:
        raise StepFailed(f"the uninstaller ended with exit code {code}")
    wait_for(lambda: sorted(p.name for p in installed.iterdir()) == ["Options.ini"],
             CONFIG["exit_timeout"], f"only Options.ini left in {folder}")
    if shell.run("registry", UNINSTALL_KEY)[0] == 0 or shell.run("link", menu_link)[0] == 0:
        raise StepFailed("the uninstall entry or the Start menu shortcut is still there")
    uninstall_took = time.monotonic() - started
    return (f"{windows}; installed in {install_took:.0f} s, window after {window_at:.0f} s and "
            f"report after {report_at:.0f} s from the shortcut, {colours} colours on the face, "
            f"read aloud as {named[0]!r}, ended on WM_CLOSE, removed in {uninstall_took:.0f} s")


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
