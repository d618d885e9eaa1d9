"""Back on screen, back online after a wake: what a desktop widget must survive."""

from __future__ import annotations

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


def test_a_window_stored_off_screen_opens_on_it(e2e, workdir):
    program, window = start(e2e, workdir, {"Left": "5000", "Top": "5000",
                                           "InfoTextLeft": "5031", "InfoTextTop": "5031"})
    assert on_screen(e2e.probe.info(window.hwnd).rect)
    info = e2e.probe.window("TInfoTextForm")
    assert on_screen(e2e.probe.info(info.hwnd).rect)
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
