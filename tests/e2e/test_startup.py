"""Start, single instance and the settings file, seen from outside the real program."""

from __future__ import annotations

import shutil
import time

import pytest

from harness import read_options, wait_until
from harness.appdata import app_data
from harness.ini import is_utf16
from harness.polling import wait_until
from harness.probe import WS_EX_LAYERED, WS_EX_TOOLWINDOW
from harness.readonly import make_read_only, mount_read_only, undo_read_only

MAIN = "TMainForm"


@pytest.fixture
def per_user(e2e):
    """The user's own settings folder, %APPDATA%\\Meltemix: absent at the start of the case,
    and removed after it, as the prefix serves the whole run."""
    folder = app_data(e2e.prefix) / "Meltemix"

    def remove():
        if folder.is_dir():
            shutil.rmtree(folder)
        elif folder.exists():
            folder.unlink()
    remove()
    yield folder
    remove()


def close_and_wait(e2e, program, hwnd: str) -> int:
    assert e2e.probe.close(hwnd)
    return program.wait_exit(15)


def test_first_start_without_options_file(e2e, workdir):
    # Only the service's addresses (and no maker): with none at all the program asks the
    # public services, and in a long run that start has stalled the probe for over 40 s.
    # Every other key is missing, as on a first start.
    e2e.write_options(workdir, {"Endpoints": {"Maker": ""}})
    program = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN, wait=90)

    assert window.position == (300, 300)
    assert window.size == (233, 248)
    assert window.visible
    assert window.exstyle & WS_EX_LAYERED
    # No task-bar button: owned by a hidden tool window and not an application window.
    assert not window.has_taskbar_button
    if window.owner is not None:
        assert window.owner_class == "TApplication"
        assert window.owner_exstyle & WS_EX_TOOLWINDOW
    assert not any(w.visible and w.has_taskbar_button
                   for w in e2e.probe.find("TApplication"))

    assert close_and_wait(e2e, program, window.hwnd) == 0
    options = workdir / "Options.ini"
    assert is_utf16(options), "a new Options.ini is written as UTF-16 so Turkish names survive"
    saved = read_options(options)
    assert saved["Appearance"] == {"Left": "300", "Top": "300", "InfoTextLeft": "331",
                                   "InfoTextTop": "331", "ShowInfoText": "1"}
    assert saved["Location"] == {"CityName": "Istanbul", "CityID": "TUXX0014"}
    assert saved["General"] == {"FirstUsage": "0"}


@pytest.mark.parametrize("elsewhere", [False, True], ids=["same-folder", "other-folder"])
def test_second_start_hands_over_to_the_running_one(e2e, workdir, tmp_path, elsewhere):
    e2e.write_options(workdir)
    first = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN)

    # One instance per user, wherever it is started from: a copy of the program in another
    # folder, loaded at addresses of its own, hands over too.
    other = e2e.prepare_workdir(tmp_path / "other") if elsewhere else workdir
    copy = other / "Meltemix.exe"
    if elsewhere:
        copy.write_bytes(e2e.exe.read_bytes())
    second = e2e.start_program(other, exe=copy if elsewhere else None)
    assert second.wait_exit(10) == 0
    assert first.running
    assert [w.hwnd for w in e2e.probe.find(MAIN)] == [window.hwnd]
    if elsewhere:
        assert not (other / "Options.ini").exists(), "the handing-over start saved settings"

    assert close_and_wait(e2e, first, window.hwnd) == 0


def test_a_close_during_a_hanging_download_ends_the_program_at_once(e2e, workdir):
    """A server that says nothing must not keep a closed program alive: its tray icon and
    hidden windows would linger, and a new start would hand over to it and end."""
    e2e.write_options(workdir, {"General": {"CheckNewVersion": "0", "FirstUsage": "0"}})
    e2e.service.set_scenario("slow", "/forecastrss/", delay=60)
    e2e.service.set_scenario("slow", "/xml.aspx", delay=60)
    program = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN, wait=30)
    e2e.service.wait_for_request("/forecastrss/", timeout=20)
    e2e.service.wait_for_request("/xml.aspx", timeout=20)

    assert e2e.probe.close(window.hwnd)
    posted = time.monotonic()
    # The user starts it again at once: the start must not hand over to the closing one.
    time.sleep(0.5)
    again = e2e.start_program(workdir)
    # Wine's notification area takes 2 s to let go of an icon, whatever the downloads do; the
    # downloads must add nothing to that.
    assert program.wait_exit(10) == 0
    assert time.monotonic() - posted < 3.0, f"ended {time.monotonic() - posted:.1f} s after the close"
    new_window = wait_until(lambda: [w for w in e2e.probe.find(MAIN) if w.visible], 30,
                            what="the new start's window")[0]
    assert again.running, "the start right after the close handed over to the closed program"
    assert new_window.pid != window.pid


def test_the_systems_close_saves_where_the_windows_stand(e2e, workdir):
    """A task manager's "end task" or taskkill closes every top-level window of the program,
    the hidden application window among them: the program ends as its "Kapat" ends it."""
    e2e.write_options(workdir, {
        "General": {"CheckNewVersion": "0", "FirstUsage": "0"},
        "Appearance": {"Left": "412", "Top": "187", "InfoTextLeft": "700",
                       "InfoTextTop": "150", "ShowInfoText": "1"}})
    program = e2e.start_program(workdir)
    e2e.probe.visible_window(MAIN)
    e2e.probe.visible_window("TInfoTextForm")
    # the tray's window first: its icon must go with it
    for cls in ("TTrayIconWindow", "TApplication"):
        for window in e2e.probe.find(cls):
            assert e2e.probe.close(window.hwnd)

    assert program.wait_exit(15) == 0
    saved = read_options(workdir / "Options.ini")["Appearance"]
    assert (saved["Left"], saved["Top"]) == ("412", "187")
    assert (saved["InfoTextLeft"], saved["InfoTextTop"]) == ("700", "150")


@pytest.mark.parametrize("left, top, expected", [
    ("412", "187", (412, 187)),
    ("0x1F4", "$96", (500, 150)),
    ("0X20", "-5", (32, -5)),
    ("links", "12px", (300, 300)),
], ids=["decimal", "hexadecimal", "upper-x-and-negative", "not-a-number"])
def test_stored_position_is_honoured(e2e, workdir, left, top, expected):
    e2e.write_options(workdir, {"Appearance": {"Left": left, "Top": top}})
    program = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN)
    assert window.position == expected

    assert close_and_wait(e2e, program, window.hwnd) == 0
    saved = read_options(workdir / "Options.ini")["Appearance"]
    # Written back as plain decimals, whatever form they were read from.
    assert (saved["Left"], saved["Top"]) == tuple(str(v) for v in expected)


@pytest.mark.parametrize("answer", ["button-command", "mouse-click"])
def test_a_write_no_file_takes_reports_and_still_ends_normally(e2e, workdir, per_user, answer):
    # Left differs from what the program will save, so closing has to write.
    # No version question: it could stand over the error box the user is to click.
    options = e2e.write_options(workdir, {"Appearance": {"Left": "350"},
                                          "General": {"CheckNewVersion": "0"}})
    before = options.read_bytes()
    why_not = make_read_only(options)
    if why_not:
        pytest.skip(f"cannot make a file read-only for root here: {why_not}")
    # Nor can the user's own folder be made: a file stands where it would go.
    per_user.write_bytes(b"")

    program = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN)
    assert e2e.probe.close(window.hwnd)

    box = e2e.probe.message_box("Meltemix!", wait=10)
    assert box.text.startswith("Unable to write to ")
    assert box.text.endswith("\\Meltemix\\Options.ini"), "the last file that refused"
    assert program.running, "the program waits for the user to read the error"
    if answer == "mouse-click":
        # A click the test display's focus change swallows is clicked again, as a person would.
        for _ in range(3):
            e2e.probe.click(*box.button_centre("OK"))
            try:
                program.wait_exit(5)
                break
            except TimeoutError:
                boxes = e2e.probe.message_boxes("Meltemix!")
                if boxes:
                    box = boxes[0]
    else:
        e2e.probe.press(box.window.hwnd, caption="OK")

    assert program.wait_exit(15) == 0
    assert options.read_bytes() == before
    assert per_user.read_bytes() == b""


def close_without_a_box(e2e, program, hwnd: str) -> None:
    assert e2e.probe.close(hwnd)
    try:
        assert program.wait_exit(15) == 0
    except TimeoutError:
        boxes = [(b.window.title, b.text) for b in e2e.probe.message_boxes()]
        pytest.fail(f"the program did not end; message boxes: {boxes}")


def test_a_read_only_folder_keeps_the_settings_per_user(e2e, workdir, per_user):
    kept = {
        "General": {"CheckNewVersion": "0"},
        # The details window aside, not under the point the drag takes the panel by.
        "Appearance": {"Left": "350", "Top": "200", "InfoTextLeft": "650", "InfoTextTop": "100"},
        "Favorites": {"Muğla": "TUXX0021"},
        "CitiesTU": {"Adana": "TUXX0001", "Çanakkale": "TUXX0028", "İzmir": "TUXX0015"},
    }
    options = e2e.write_options(workdir, kept)
    before = options.read_bytes()
    why_not = mount_read_only(workdir)
    if why_not:
        pytest.skip(f"cannot mount a folder read-only here: {why_not}")

    # First run in the read-only folder: read from it, the drag kept for the user.
    program = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN)
    assert window.position == (350, 200)
    e2e.probe.drag((350 + 120, 200 + 200), (350 + 270, 200 + 290))
    wait_until(lambda: e2e.probe.info(window.hwnd).position == (500, 290), 10,
               what="the window at the place it was dragged to")
    close_without_a_box(e2e, program, window.hwnd)

    assert options.read_bytes() == before
    kept_file = per_user / "Options.ini"
    assert is_utf16(kept_file)
    saved = read_options(kept_file)
    assert (saved["Appearance"]["Left"], saved["Appearance"]["Top"]) == ("500", "290")
    # The whole file came along: place lists and service addresses.
    assert saved["Endpoints"] == e2e.endpoints()
    assert saved["Favorites"] == kept["Favorites"]
    assert list(saved["CitiesTU"].items()) == list(kept["CitiesTU"].items())

    # Later runs, the folder still read-only: the user's file.
    program = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN)
    assert window.position == (500, 290)
    close_without_a_box(e2e, program, window.hwnd)

    # Writable again, the folder's file is the settings file once more.
    undo_read_only(workdir)
    kept_before = kept_file.read_bytes()
    program = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN)
    assert window.position == (350, 200)
    close_without_a_box(e2e, program, window.hwnd)
    assert read_options(options)["General"]["FirstUsage"] == "0"
    assert kept_file.read_bytes() == kept_before


@pytest.mark.parametrize("city", ["İzmir", "Şanlıurfa"])
def test_turkish_city_name_survives_a_run(e2e, workdir, city):
    # No feed arrives, so the stored name is the one the program writes back.
    e2e.service.set_scenario("not_found", "/forecastrss/")
    options = e2e.write_options(workdir, {"Location": {"CityName": city, "CityID": "TUXX0099"}})
    program = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN)
    assert close_and_wait(e2e, program, window.hwnd) == 0

    assert is_utf16(options)
    assert read_options(options)["Location"] == {"CityName": city, "CityID": "TUXX0099"}


def test_sections_the_program_does_not_own_survive_a_run(e2e, workdir):
    kept = {
        "General": {"AutoUpdate": "0", "UpdatePeriod": "4"},
        "Favorites": {"Ankara": "TUXX0002", "Muğla": "TUXX0021"},
        "CitiesTU": {"Adana": "TUXX0001", "Çanakkale": "TUXX0028", "İzmir": "TUXX0015"},
    }
    options = e2e.write_options(workdir, kept)
    program = e2e.start_program(workdir)
    assert close_and_wait(e2e, program, e2e.probe.visible_window(MAIN).hwnd) == 0

    saved = read_options(options)
    assert saved["Endpoints"] == e2e.endpoints()
    assert saved["Favorites"] == kept["Favorites"]
    assert list(saved["CitiesTU"].items()) == list(kept["CitiesTU"].items())
    assert saved["General"] == {**kept["General"], "FirstUsage": "0"}


def test_existing_ansi_options_file_keeps_working(e2e, workdir):
    # A file some user saved with Notepad: no byte-order mark, the Turkish code page.
    options = e2e.write_options(workdir, {"Appearance": {"Left": "420", "Top": "240"}},
                                encoding="cp1254")
    program = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN)
    assert window.position == (420, 240)
    assert close_and_wait(e2e, program, window.hwnd) == 0

    assert not is_utf16(options)
    saved = read_options(options)
    assert (saved["Appearance"]["Left"], saved["Appearance"]["Top"]) == ("420", "240")
    assert saved["General"]["FirstUsage"] == "0"


def test_systems_before_xp_are_refused(e2e, workdir):
    # Wine reports Windows 2000 to this one program file only.
    old_system = workdir / "MeltemixOnWindows2000.exe"
    old_system.write_bytes(e2e.exe.read_bytes())
    result = e2e.prefix.run(["reg", "add", rf"HKCU\Software\Wine\AppDefaults\{old_system.name}",
                             "/v", "Version", "/d", "win2k", "/f"], cwd=workdir, timeout=60)
    assert result.returncode == 0, result.stderr
    e2e.write_options(workdir)
    before = (workdir / "Options.ini").read_bytes()

    program = e2e.start_program(workdir, exe=old_system)
    box = e2e.probe.message_box("Hata", wait=10)
    assert box.text == ("Üzgünüm! Bu program ancak Windows XP veya üzeri işletim sisitemlerinde "
                        "çalışabilmektedir.")
    assert [b["caption"].replace("&", "") for b in box.buttons] == ["OK"]
    assert e2e.probe.find(MAIN) == []
    e2e.probe.press(box.window.hwnd, caption="OK")
    assert program.wait_exit(15) == 0
    assert (workdir / "Options.ini").read_bytes() == before
