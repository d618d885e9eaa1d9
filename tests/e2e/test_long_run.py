"""What a widget left running for weeks meets: a wake while a request is under way, a fault
that raises at every refresh, a close that comes inside a drag, a dialog or a box."""

from __future__ import annotations

import time

from harness.ini import read_options
from harness.polling import wait_until

MAIN = "TMainForm"
OPTIONS = "Ayarlar..."
WM_CLOSE, WM_COMMAND = 0x0010, 0x0111
WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC = 0x0218, 0x12
REFRESH_COMMAND, OPTIONS_COMMAND = 102, 104
READY = "Istanbul, Parçalı Bulutlu, 24° - Meltemix!"
NO_CONNECTION = "Meltemix! - Bağlantı yok"
NO_XML_DOM = "Microsoft.XMLDOM bileşeni oluşturulamadı"


def start(e2e, workdir, extra_env=None, appearance=None):
    e2e.write_options(workdir, {"General": {"CheckNewVersion": "0", "FirstUsage": "0"},
                                "Appearance": appearance or {}})
    program = e2e.start_program(workdir, extra_env=extra_env)
    return program, e2e.probe.visible_window(MAIN, wait=30)


def title(e2e, window) -> str:
    info = e2e.probe.info(window.hwnd)
    return info.title if info else ""


def ends_soon(e2e, program, window, within: float = 10.0) -> None:
    """WM_CLOSE as an upgrade or taskkill sends it: the process must be gone in seconds,
    with exit code 0, whatever loop it was in."""
    assert e2e.probe.close(window.hwnd)
    posted = time.monotonic()
    assert program.wait_exit(within + 10) == 0
    # Wine's notification area takes 2 s to let go of the icon, and with no window manager
    # on the test display its X11 driver waits 2 s for each window it unmaps that one would
    # manage (a dialog, a box). Before a close could end the loop it came in, it never ended.
    assert time.monotonic() - posted < within, f"ended {time.monotonic() - posted:.1f} s after"


def test_a_request_under_way_at_a_wake_that_fails_is_tried_again(e2e, workdir):
    program, window = start(e2e, workdir)
    wait_until(lambda: title(e2e, window) == READY, 20, what="the first report")
    # The lid closed during a refresh: the request hangs on the dead network, then fails.
    e2e.service.set_scenario("refused", "/forecastrss/", delay=3)
    e2e.probe.post(window.hwnd, WM_COMMAND, REFRESH_COMMAND)
    e2e.service.wait_for_request("/forecastrss/", timeout=10, count=2)
    e2e.probe.post(window.hwnd, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC)
    wait_until(lambda: title(e2e, window) == NO_CONNECTION, 15, what="the failed request")
    e2e.service.reset()  # the network is up now
    # The wake's first retry comes 10 s after that failure, not at the next period.
    wait_until(lambda: title(e2e, window) == READY, 25, what="the retry's report")
    assert len(e2e.service.requests_to("/forecastrss/")) == 1
    ends_soon(e2e, program, window)


def test_a_fault_at_every_refresh_shows_one_box_and_leaves_the_program_usable(e2e, workdir):
    # No XML component on the system: every arrival raises the same error.
    program, window = start(e2e, workdir,
                            extra_env={"WINEDLLOVERRIDES": "mscoree,mshtml,msxml3="})
    box = e2e.probe.message_box("Meltemix!", wait=30)
    assert box.text == NO_XML_DOM
    for _ in range(4):  # four wakes, each a refresh behind the box
        asked = len(e2e.service.requests_to("/forecastrss/"))
        e2e.probe.post(window.hwnd, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC)
        e2e.service.wait_for_request("/forecastrss/", timeout=10, count=asked + 1)
        # Connecting since before the request went out; its answer raises again.
        wait_until(lambda: title(e2e, window) == NO_CONNECTION, 10, what="the answer handled")
    time.sleep(1)  # for any box a wake's refresh would raise
    boxes = e2e.probe.message_boxes("Meltemix!")
    assert [b.text for b in boxes] == [NO_XML_DOM]
    # Not stuck connecting: the state a failed download leaves.
    assert title(e2e, window) == NO_CONNECTION
    # A close while the box stands ends the program all the same.
    ends_soon(e2e, program, window)


def test_a_close_during_a_drag_ends_the_program_and_keeps_the_dragged_place(e2e, workdir):
    program, window = start(e2e, workdir, appearance={"Left": "300", "Top": "200"})
    wait_until(lambda: title(e2e, window) == READY, 20, what="the first report")
    left, top = window.position
    # Held on the face, away from its buttons, and moved 60 px right: the move loop runs.
    grip = (left + 60, top + 120)
    e2e.probe.drag(grip, (grip[0] + 60, grip[1] + 40), hold=True)
    try:
        wait_until(lambda: e2e.probe.info(window.hwnd).position == (360, 240), 5,
                   what="the window following the drag")
        ends_soon(e2e, program, window)
    finally:
        e2e.probe.release()
    appearance = read_options(workdir / "Options.ini")["Appearance"]
    assert (appearance["Left"], appearance["Top"]) == ("360", "240")


def test_a_close_with_the_options_dialog_open_ends_the_program(e2e, workdir):
    program, window = start(e2e, workdir, appearance={"Left": "250", "Top": "150"})
    wait_until(lambda: title(e2e, window) == READY, 20, what="the first report")
    e2e.probe.post(window.hwnd, WM_COMMAND, OPTIONS_COMMAND)
    wait_until(lambda: e2e.probe.find(title=OPTIONS), 15, what="the options dialog")
    ends_soon(e2e, program, window)
    options = read_options(workdir / "Options.ini")
    assert (options["Appearance"]["Left"], options["Appearance"]["Top"]) == ("250", "150")
    assert options["General"]["FirstUsage"] == "0"
