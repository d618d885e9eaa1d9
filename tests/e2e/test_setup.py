"""The per-user setup and its uninstaller, as a person and a package manager use them: the
64-bit twin of the shipped setup (build/win64/installer) under wine64, in a Wine prefix of
its own with a Turkish locale, into a folder whose name has spaces and Turkish letters. The
cases follow one machine's life and run in this order: look at the pages, install, start
from the Start menu, upgrade over the running program, meet a program that will not close
and a copy elsewhere, uninstall keeping the settings, uninstall leaving nothing."""

from __future__ import annotations

import hashlib
import subprocess
import time
from pathlib import Path, PureWindowsPath

import pytest

from conftest import SCREENSHOTS
from harness import Session, read_options, wait_until, write_options
from harness.dialogs import DialogProbe
from harness.faults import describe, read_faults
from harness.locale import turkish_locale_env
from harness.paths import build_dir, built_program
from harness.shell import ShellProbe
from harness.screen import wait_for_still_screen

FOLDER = r"C:\Kişisel Programlar\Meltemix Işık İğde"
KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Meltemix"
LINK = "Meltemix!.lnk"
MAIN = "TMainForm"
SETUP_TITLE = "Meltemix! Kurulumu"
READY = "Istanbul, Parçalı Bulutlu, 24° - Meltemix!"
# A shortcut's start would otherwise make menu entries outside the prefix.
NO_MENU_BUILDER = {"WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe="}
# The setup's own exit codes, as the README lists them.
EXIT_CANCELLED, EXIT_RUNNING, EXIT_BUSY = 1, 3, 4
WM_APP = 0x8000
IDOK, IDCANCEL = 1, 2
CLOSE_LIMIT = 10


class Machine:
    """The prefix the cases share, with what they need to drive the setup."""

    def __init__(self, session: Session, logs: Path):
        self.session, self.logs = session, logs
        self.probe = session.probe
        self.shell = ShellProbe(session.prefix)
        self.setup_exe = build_dir() / "installer" / "Meltemix-1.00-setup.exe"
        if not self.setup_exe.is_file():
            pytest.fail(f"{self.setup_exe} is missing: build the win64 preset (its setup target)")
        self.runs = 0
        # The prefix sees this machine's files through its Z: drive.
        self.windows_setup = "Z:" + str(self.setup_exe).replace("/", "\\")
        folders = self.shell.folders()
        self.folders = {"programs": folders["programs"], "desktop": folders["desktop"],
                        "startup": folders["startup"],
                        "quick_launch": folders["appdata"] +
                        r"\Microsoft\Internet Explorer\Quick Launch"}
        self.appdata = self.shell.linux_path(folders["appdata"])
        self.default_folder = folders["local_appdata"] + r"\Programs\Meltemix"
        self.installed = self.shell.linux_path(FOLDER)
        # The prefix's desktop is a link to the home folder of whoever runs the tests.
        desktop = self.shell.linux_path(folders["desktop"])
        if desktop.is_symlink():
            desktop.unlink()
        desktop.mkdir(parents=True, exist_ok=True)

    def log(self, what: str) -> Path:
        self.runs += 1
        return self.logs / f"{self.runs:02d}-{what}.log"

    def start(self, exe: Path | str, *args: str) -> tuple[subprocess.Popen, Path]:
        log = self.log(PureWindowsPath(str(exe)).stem)
        # A file, not a pipe: a program the setup starts inherits it and outlives the setup.
        with open(log, "wb") as output:
            process = self.session.prefix.popen([exe, *args], cwd=self.logs,
                                                extra_env=NO_MENU_BUILDER, stdout=output,
                                                stderr=subprocess.STDOUT)
        return process, log

    def run(self, command_line: str, timeout: float = 120) -> tuple[int, float]:
        """Runs the setup or the uninstaller as a command line, to its end: its exit code
        and seconds."""
        started = time.monotonic()
        log = self.log("run")
        code = self.shell.run(command_line, log, timeout)
        assert code is not None, f"{command_line} still running after {timeout} s"
        assert not read_faults(log), describe(command_line, read_faults(log))
        return code, time.monotonic() - started

    def setup(self, *switches: str) -> int:
        return self.run(" ".join([f'"{self.windows_setup}"', *switches]))[0]

    def uninstall(self, *switches: str) -> int:
        """As a package manager runs it: the uninstall entry's quiet command, switches
        added before its closing folder switch (which takes the rest of the line)."""
        command = self.entry()["QuietUninstallString"].data
        head, folder = command.split(" _?=")
        return self.run(" ".join([head, *switches, "_?=" + folder]))[0]

    def entry(self) -> dict:
        found = self.shell.registry(KEY)
        assert found, f"no {KEY}"
        return found[0]

    def link(self, name: str) -> str:
        return self.folders[name] + "\\" + LINK

    def link_file(self, name: str) -> Path:
        return self.shell.linux_path(self.link(name))

    def start_from_menu(self) -> object:
        """The installed program, started from its Start menu shortcut as a click does, once
        its face shows the service's report."""
        self.shell.open(self.link("programs"), extra_env=NO_MENU_BUILDER,
                        log=self.log("Meltemix"))
        window = self.probe.window(MAIN, wait=60)
        return wait_until(lambda: (lambda w: w if w and w.visible and w.title == READY else None)(
            self.probe.info(window.hwnd)), 90, what=f"the face to show {READY!r}")

    def snapshot(self) -> dict:
        """Everything the setup might change: the files of the folder, the shortcuts, the
        uninstall entry."""
        files = {str(p.relative_to(self.installed)): hashlib.sha256(p.read_bytes()).hexdigest()
                 for p in sorted(self.installed.rglob("*")) if p.is_file()}
        links = {name: self.link_file(name).read_bytes() if self.link_file(name).exists()
                 else None for name in self.folders}
        found = self.shell.registry(KEY)
        return {"files": files, "links": links, "entry": found and found[0]}


@pytest.fixture(scope="module")
def machine(tmp_path_factory):
    session = Session(locale_env=turkish_locale_env()).start()
    logs = tmp_path_factory.mktemp("setup-logs")
    try:
        yield Machine(session, logs)
    finally:
        try:
            for window in session.probe.find(MAIN):
                session.probe.post(window.hwnd, WM_APP)  # the stubborn one
                session.probe.close(window.hwnd)
                session.probe.wait_gone(window.hwnd, 15)
        finally:
            session.stop()
        # What the programs the setup and the shell started printed, to their end.
        reports = [describe(log.name, read_faults(log)) for log in sorted(logs.glob("*.log"))
                   if read_faults(log)]
        assert not reports, "\n".join(reports)


def staged_files() -> dict[str, bytes]:
    """What the setup was made of: the download's files as tools/package.py staged them."""
    staged = build_dir() / "setup-stage-amd64" / "Meltemix"
    return {str(p.relative_to(staged)): p.read_bytes() for p in staged.rglob("*") if p.is_file()}


def with_service(machine: Machine) -> None:
    """As a user who points the installed program at another service: the test service."""
    options = machine.installed / "Options.ini"
    sections = read_options(options)
    sections["Endpoints"] = machine.session.endpoints()
    sections.setdefault("General", {}).update({"CheckNewVersion": "0", "FirstUsage": "0"})
    sections.setdefault("Appearance", {}).update({"Left": "200", "Top": "150",
                                                  "InfoTextLeft": "700", "InfoTextTop": "40"})
    write_options(options, sections)


def screenshot(machine: Machine, name: str, hwnd: str) -> Path:
    path = machine.session.screenshot(SCREENSHOTS / f"{name}.png")
    left, top, right, bottom = machine.probe.info(hwnd).rect
    subprocess.run(["convert", str(path), "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                    "+repage", str(path)], check=True, timeout=30)
    return path


def test_the_pages_speak_turkish_and_a_second_setup_is_refused(machine):
    process, _ = machine.start(machine.setup_exe)
    window = machine.probe.visible_window("#32770", wait=60)
    assert window.title == SETUP_TITLE
    texts = machine.probe.message_box(SETUP_TITLE).text
    assert "Meltemix! Kurulum sihirbazına hoş geldiniz" in texts
    wait_for_still_screen(machine.session.display)
    screenshot(machine, "setup-welcome", window.hwnd)

    # One setup at a time, and a silent one says so by its exit code at once.
    code, seconds = machine.run(f'"{machine.windows_setup}" /S')
    assert code == EXIT_BUSY and seconds < 30

    dialogs = DialogProbe(machine.session.prefix)

    def page_with(kind: str):
        return wait_until(lambda: [c for c in dialogs.controls(window.hwnd).values()
                                   if c.cls.lower() == kind and c.visible], 15,
                          what=f"a page with a {kind}")

    machine.probe.press(window.hwnd, id=IDOK)
    folder = page_with("edit")
    assert [c.text for c in folder] == [machine.default_folder]
    machine.probe.press(window.hwnd, id=IDOK)
    ticks = wait_until(lambda: [c for c in dialogs.controls(window.hwnd).values()
                                if c.cls.lower() == "button" and c.visible and "&" in c.text
                                and c.id not in (IDOK, IDCANCEL, 3)], 15, what="the choices")
    # The options dialog's own words; no Quick Launch where its folder is missing.
    assert [(c.text, c.checked) for c in ticks] == [
        ("&Masaüstünde programın bir kısayolunu oluştur", True),
        ("&Windows her açıldığında Meltemix! otomatik olarak başlasın", True)]
    wait_for_still_screen(machine.session.display)
    screenshot(machine, "setup-choices", window.hwnd)

    machine.probe.press(window.hwnd, id=IDCANCEL)
    assert process.wait(30) == EXIT_CANCELLED
    assert not machine.installed.exists() and machine.shell.registry(KEY) is None


def test_a_silent_install_puts_everything_in_place(machine):
    assert machine.setup("/S", f"/D={FOLDER}") == 0

    files = {str(p.relative_to(machine.installed)): p.read_bytes()
             for p in machine.installed.rglob("*") if p.is_file()}
    uninstaller = files.pop("uninst.exe")
    assert uninstaller[:2] == b"MZ"
    shipped = staged_files()
    options = files.pop("Options.ini")
    assert files == {name: data for name, data in shipped.items() if name != "Options.ini"}
    # The shipped settings, with the three shortcut keys agreeing with the shortcuts made.
    written = read_options(machine.installed / "Options.ini")
    assert options[:2] == b"\xff\xfe"
    general = written.pop("General")
    assert general == {"Desktop": "1", "Startup": "1", "QuickLunch": "0"}
    assert written["CitiesTU"]["Ağrı"] == "TUXX0104"

    entry = machine.entry()
    quoted = f'"{FOLDER}\\uninst.exe"'
    assert {name: (value.type, value.data) for name, value in entry.items()} == {
        "DisplayName": ("REG_SZ", "Meltemix!"),
        "DisplayVersion": ("REG_SZ", "1.00"),
        "Publisher": ("REG_SZ", "Meltemix! Geliştiricileri"),
        "DisplayIcon": ("REG_SZ", f"{FOLDER}\\Meltemix.exe,0"),
        "UninstallString": ("REG_SZ", f"{quoted} _?={FOLDER}"),
        "QuietUninstallString": ("REG_SZ", f"{quoted} /S _?={FOLDER}"),
        "InstallLocation": ("REG_SZ", FOLDER),
        "EstimatedSize": ("REG_DWORD", entry["EstimatedSize"].data),
        "NoModify": ("REG_DWORD", 1),
        "NoRepair": ("REG_DWORD", 1),
    }
    size = sum(p.stat().st_size for p in machine.installed.rglob("*") if p.is_file())
    assert abs(entry["EstimatedSize"].data - size / 1024) < 64

    # The program's own shortcuts, as its options dialog makes them, and the Start menu's.
    for name in ("programs", "desktop", "startup"):
        link = machine.shell.shortcut(machine.link(name))
        assert link, f"no shortcut in {name}"
        assert (link.target, link.workdir, link.arguments, link.icon, link.icon_index) == (
            f"{FOLDER}\\Meltemix.exe", f"{FOLDER}\\", "", f"{FOLDER}\\Meltemix.exe", 0), name
    assert not machine.link_file("quick_launch").exists()
    # A silent first install starts nothing.
    assert not machine.probe.find(MAIN)


def test_the_start_menu_shortcut_starts_it_in_its_folder(machine):
    # The report of the test service shows only when the program read .\Options.ini of the
    # install folder: elsewhere it would ask the public services, which are out of reach.
    with_service(machine)
    window = machine.start_from_menu()
    assert window.position == (200, 150)
    assert machine.session.service.wait_for_request("/forecastrss/")


def test_an_upgrade_over_the_running_program_keeps_its_place_and_settings(machine):
    windows = machine.probe.find(MAIN)
    assert len(windows) == 1, "the program of the case before is no longer running"
    before = windows[0]
    # Moved by hand since it started: only a close that let it save knows the new place.
    machine.probe.drag((200 + 120, 150 + 200), (200 + 220, 150 + 260))
    wait_until(lambda: machine.probe.info(before.hwnd).position == (300, 210), 10,
               what="the window at the place it was dragged to")
    # Quick Launch's folder appears (an older Windows has it); its shortcut is asked for.
    machine.link_file("quick_launch").parent.mkdir(parents=True, exist_ok=True)
    endpoints = read_options(machine.installed / "Options.ini")["Endpoints"]

    # No folder given: the upgrade goes where the last install went.
    assert machine.setup("/S", "/QUICKLAUNCH=1") == 0

    assert machine.probe.info(before.hwnd) is None, "the old program's window is still there"
    saved = read_options(machine.installed / "Options.ini")
    assert (saved["Appearance"]["Left"], saved["Appearance"]["Top"]) == ("300", "210")
    assert saved["Endpoints"] == endpoints
    # The shortcuts that were there stay chosen; the one asked for is added.
    general = saved["General"]
    assert (general["Desktop"], general["Startup"], general["QuickLunch"]) == ("1", "1", "1")
    link = machine.shell.shortcut(machine.link("quick_launch"))
    assert link and link.workdir == f"{FOLDER}\\"
    # It was running, so it runs again: started in its folder, it finds the service.
    again = wait_until(lambda: machine.probe.find(MAIN), 30, what="the program started again")
    assert len(again) == 1 and again[0].pid != before.pid
    wait_until(lambda: (lambda w: w and w.title == READY)(machine.probe.info(again[0].hwnd)), 90,
               what=f"the face to show {READY!r}")
    assert machine.probe.info(again[0].hwnd).position == (300, 210)
    uninstall = machine.shell.registry(r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall")
    assert [name for name in uninstall[1] if "meltemix" in name.lower()] == ["Meltemix"]


def test_a_program_that_will_not_close_leaves_everything_as_it_was(machine):
    for window in machine.probe.find(MAIN):
        assert machine.probe.close(window.hwnd) and machine.probe.wait_gone(window.hwnd, 15)
    # A copy of the program that hangs: its window ignores WM_CLOSE.
    (machine.installed / "Meltemix.exe").write_bytes(built_program("stubborn.exe").read_bytes())
    stubborn, _ = machine.start(FOLDER + r"\Meltemix.exe")
    window = machine.probe.window(MAIN, wait=30)
    before = machine.snapshot()

    code, seconds = machine.run(f'"{machine.windows_setup}" /S')
    assert code == EXIT_RUNNING
    assert CLOSE_LIMIT <= seconds < CLOSE_LIMIT + 20
    code, seconds = machine.run(f'"{FOLDER}\\uninst.exe" /S /KEEPSETTINGS=0 _?={FOLDER}')
    assert code == EXIT_RUNNING

    # Interactive, the question to try again; its "no" leaves all as it was too.
    process, _ = machine.start(machine.setup_exe)
    page = machine.probe.visible_window("#32770", wait=60)
    for _ in range(3):  # welcome, folder, choices: "Kur"
        machine.probe.press(page.hwnd, id=IDOK)
        time.sleep(1)
    question = wait_until(lambda: [b for b in machine.probe.message_boxes(SETUP_TITLE)
                                   if b.window.hwnd != page.hwnd], CLOSE_LIMIT + 30,
                          what="the question to try again")[0]
    assert question.text.startswith(f"Meltemix! kapanmadı: {FOLDER} klasöründeki program")
    assert sorted(b["id"] for b in question.buttons) == [IDCANCEL, 4]  # IDRETRY
    wait_for_still_screen(machine.session.display)
    screenshot(machine, "setup-still-running", question.window.hwnd)
    machine.probe.press(question.window.hwnd, id=IDCANCEL)
    assert machine.probe.wait_gone(question.window.hwnd, 10)
    # The page tells of the stop ("Kurulum İptal Edildi") and offers only to leave.
    dialogs = DialogProbe(machine.session.prefix)
    wait_until(lambda: any(c.text == "Kurulum İptal Edildi" and c.visible
                           for c in dialogs.controls(page.hwnd).values()), 15,
               what="the page that tells of the stop")
    machine.probe.press(page.hwnd, id=IDCANCEL)
    assert process.wait(30) == EXIT_RUNNING

    assert machine.snapshot() == before
    assert stubborn.poll() is None and machine.probe.info(window.hwnd), "it was killed"
    machine.probe.post(window.hwnd, WM_APP)
    assert stubborn.wait(15) == 0
    # Put right again; as it was not running, it is not started.
    assert machine.setup("/S") == 0
    assert (machine.installed / "Meltemix.exe").read_bytes() == staged_files()["Meltemix.exe"]
    assert not machine.probe.find(MAIN)


def test_a_copy_in_another_folder_is_left_alone(machine, tmp_path):
    workdir = machine.session.prepare_workdir(tmp_path / "Başka kopya")
    machine.session.write_options(workdir, {"General": {"CheckNewVersion": "0"}})
    other = machine.session.start_program(workdir)
    window = machine.probe.visible_window(MAIN, wait=60)

    assert machine.setup("/S") == 0
    assert machine.probe.info(window.hwnd) and other.running
    assert [w.hwnd for w in machine.probe.find(MAIN)] == [window.hwnd]

    assert machine.probe.close(window.hwnd)
    assert other.wait_exit(30) == 0
    machine.session.end_programs()


def test_a_silent_uninstall_closes_the_program_and_keeps_only_the_settings(machine):
    window = machine.start_from_menu()
    # The shortcut of a copy elsewhere is that copy's, and stays.
    elsewhere = r"C:\Başka Yer\Meltemix.exe"
    machine.link_file("startup").unlink()
    machine.shell.make_shortcut(machine.link("startup"), elsewhere, r"C:\Başka Yer" + "\\")
    per_user = machine.appdata / "Meltemix" / "Options.ini"
    per_user.parent.mkdir(parents=True, exist_ok=True)
    write_options(per_user, {"General": {"Desktop": "0"}})

    assert machine.uninstall() == 0

    assert machine.probe.info(window.hwnd) is None and not machine.probe.find(MAIN)
    # The uninstaller ran in place and takes its own file away once it has ended.
    wait_until(lambda: not (machine.installed / "uninst.exe").exists(), 15,
               what="uninst.exe gone")
    assert [p.name for p in machine.installed.iterdir()] == ["Options.ini"]
    # It closed the program as a user does: its place was saved.
    assert read_options(machine.installed / "Options.ini")["Appearance"]["Left"] == "300"
    assert per_user.is_file()
    for name in ("programs", "desktop", "quick_launch"):
        assert not machine.link_file(name).exists(), name
    assert machine.shell.shortcut(machine.link("startup")).target == elsewhere
    assert machine.shell.registry(KEY) is None


def test_an_uninstall_told_not_to_keep_settings_leaves_nothing(machine):
    # /D= comes last: the folder is the rest of the line.
    assert machine.setup("/S", "/STARTUP=0", f"/D={FOLDER}") == 0
    # Not this install's: the shortcut of the copy elsewhere stays even when unticked.
    assert machine.link_file("startup").exists()
    assert machine.uninstall("/KEEPSETTINGS=0") == 0
    try:
        wait_until(lambda: not machine.installed.exists(), 15, what="the install folder gone")
    except TimeoutError:
        pytest.fail(f"left in the install folder: {sorted(map(str, machine.installed.rglob('*')))}")
    assert not (machine.appdata / "Meltemix").exists()
    assert machine.shell.registry(KEY) is None
    assert [name for name in machine.folders if machine.link_file(name).exists()] == ["startup"]
    machine.link_file("startup").unlink()
