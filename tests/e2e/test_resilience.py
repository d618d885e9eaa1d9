"""Back on screen, back online after a wake: what a desktop widget must survive."""

from __future__ import annotations

from conftest import SCREENSHOTS
from harness.polling import wait_until

MAIN = "TMainForm"
WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC = 0x0218, 0x12
READY = "Istanbul, Parçalı Bulutlu, 24° - Meltemix!"
SCREEN = (0, 0, 1024, 768)  # the test display


def start(e2e, workdir, appearance=None):
    e2e.write_options(workdir, {"General": {"CheckNewVersion": "0"},
                                "Appearance": appearance or {}})
    program = e2e.start_program(workdir)
    return program, e2e.probe.visible_window(MAIN)


def title(e2e, window) -> str:
    info = e2e.probe.info(window.hwnd)
    return info.title if info else ""


def close(e2e, program, window) -> None:
    e2e.probe.close(window.hwnd)
    assert program.wait_exit(30) == 0


def on_screen(rect) -> bool:
    left, top, right, bottom = rect
    return left >= SCREEN[0] and top >= SCREEN[1] and right <= SCREEN[2] and bottom <= SCREEN[3]


def test_windows_stored_off_screen_open_on_it_as_they_were_arranged(e2e, workdir):
    # The info window beside the main window, on a monitor that is no longer there.
    program, window = start(e2e, workdir, {"Left": "5000", "Top": "5000",
                                           "InfoTextLeft": "5240", "InfoTextTop": "5000"})
    info = e2e.probe.window("TInfoTextForm")
    main_rect = e2e.probe.info(window.hwnd).rect
    info_rect = e2e.probe.info(info.hwnd).rect
    assert on_screen(main_rect) and on_screen(info_rect)
    assert (info_rect[0] - main_rect[0], info_rect[1] - main_rect[1]) == (240, 0)
    wait_until(lambda: title(e2e, window) == READY, 15, what="the first report")
    SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    e2e.screenshot(SCREENSHOTS / "back-on-screen.png")
    close(e2e, program, window)


def test_a_partly_visible_window_stays_where_it_is(e2e, workdir):
    program, window = start(e2e, workdir, {"Left": "-100", "Top": "20"})
    assert window.position == (-100, 20)
    close(e2e, program, window)


def test_a_refresh_refused_after_a_wake_is_tried_again(e2e, workdir):
    program, window = start(e2e, workdir)
    wait_until(lambda: title(e2e, window) == READY, 15, what="the first report")
    e2e.service.set_scenario("refused")
    e2e.probe.post(window.hwnd, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC)
    wait_until(lambda: title(e2e, window) == "Meltemix! - Bağlantı yok", 15,
               what="the failed refresh")
    e2e.service.reset()  # the network is up now
    wait_until(lambda: title(e2e, window) == READY, 20, what="the retry's report")
    assert len(e2e.service.requests_to("/forecastrss/")) == 1  # only the retry got through
    close(e2e, program, window)
