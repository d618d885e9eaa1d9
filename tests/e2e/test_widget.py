"""The refresh cycle, the online checks and the tray icon of the real program.

These cases open real menus, the tray's among them, which leaves the test display's shell
in a state that slows later programs' starts; they run last (the file name sees to it)."""

from __future__ import annotations

import time

import pytest

from harness.polling import wait_until

MAIN = "TMainForm"
WM_COMMAND = 0x0111
WM_LBUTTONDBLCLK = 0x0203
WM_POWERBROADCAST = 0x0218
PBT_APMRESUMEAUTOMATIC = 0x12
REFRESH_COMMAND = 102  # the "&Tazele" menu entry
TRAY_CALLBACK = 1025
WM_RBUTTONUP = 0x0205
FEED = "/forecastrss/"
VK_RETURN, VK_ESCAPE, VK_DOWN = 0x0D, 0x1B, 0x28
READY = "Istanbul, Parçalı Bulutlu, 24° - Meltemix!"


def start(e2e, workdir, sections=None, version_check=False):
    # The service names a newer version; its question would stand in front of every case.
    sections = dict(sections or {})
    if not version_check:
        sections.setdefault("General", {})["CheckNewVersion"] = "0"
    # The details window beside the panel, not over the places a case clicks.
    sections.setdefault("Appearance", {}).update({"InfoTextLeft": "600", "InfoTextTop": "300"})
    e2e.write_options(workdir, sections)
    program = e2e.start_program(workdir)
    return program, e2e.probe.visible_window(MAIN)


def title(e2e, window) -> str:
    info = e2e.probe.info(window.hwnd)
    return info.title if info else ""


def wait_title(e2e, window, expected: str, timeout: float = 15.0) -> str:
    return wait_until(lambda: title(e2e, window) == expected and expected, timeout,
                      what=f"the face to show {expected!r} (it shows {title(e2e, window)!r})")


def menus(e2e) -> list:
    return [m for m in e2e.probe.find("#32768") if m.visible]


def open_context_menu(e2e, window) -> None:
    """One right click on the window, as a person opens its menu; it must stay open."""
    x, y = window.position
    e2e.probe.click(x + 120, y + 200, right=True)
    wait_until(lambda: menus(e2e), 5, what="the context menu")
    time.sleep(1)  # a menu that its own opening's activation closes is gone by now
    assert menus(e2e), "the context menu closed on its own"


def close(e2e, program, window) -> None:
    assert e2e.probe.close(window.hwnd)
    assert program.wait_exit(30) == 0


def test_a_start_asks_for_one_feed_and_one_address(e2e, workdir):
    program, window = start(e2e, workdir)
    wait_title(e2e, window, READY)
    time.sleep(1)
    feeds, ips = e2e.service.requests_to(FEED), e2e.service.requests_to("/xml.aspx")
    assert [r.path for r in feeds] == ["/forecastrss/TUXX0014_c.xml"]
    assert len(ips) == 1
    assert {r.user_agent for r in feeds + ips} == {"Lodosware Weather XML"}
    close(e2e, program, window)


def test_a_double_click_refreshes_but_never_twice_at_once(e2e, workdir):
    program, window = start(e2e, workdir)
    wait_title(e2e, window, READY)
    x, y = window.position
    e2e.probe.click(x + 120, y + 200, double=True)
    e2e.service.wait_for_request(FEED, count=2)
    wait_title(e2e, window, READY)

    # Held back: the face says it is connecting, and a second double click asks nothing.
    e2e.service.set_scenario("slow", FEED, delay=4)
    e2e.probe.post(window.hwnd, WM_LBUTTONDBLCLK)
    wait_title(e2e, window, "Meltemix! - Bağlantı kuruluyor...")
    e2e.probe.post(window.hwnd, WM_LBUTTONDBLCLK)
    e2e.probe.post(window.hwnd, WM_COMMAND, REFRESH_COMMAND)
    wait_title(e2e, window, READY)
    assert len(e2e.service.requests_to(FEED)) == 3
    close(e2e, program, window)


@pytest.mark.parametrize("scenario, shown", [
    ("refused", "Meltemix! - Bağlantı yok"),
    ("endless", "Meltemix! - Bağlantı yok"),   # past the body limit: no answer
    ("not_found", "Istanbul - Meltemix!"),     # a page is an answer, with no weather in it
    ("empty", "Istanbul - Meltemix!"),
    ("garbage", "Istanbul - Meltemix!"),
    ("truncated", "Istanbul - Meltemix!"),
    # Half a body, then a reset: what arrived is the answer, unless the reset came before
    # the headers were read, which is no answer at all. The network decides, not the program.
    ("cut", ("Istanbul - Meltemix!", "Meltemix! - Bağlantı yok")),
])
def test_a_bad_feed_leaves_the_program_alive_with_its_state(e2e, workdir, scenario, shown):
    path = None if scenario == "refused" else FEED
    e2e.service.set_scenario(scenario, path)
    program, window = start(e2e, workdir)
    expected = shown if isinstance(shown, tuple) else (shown,)
    wait_until(lambda: title(e2e, window) in expected, 40,
               what=f"the face to show one of {expected} (it shows {title(e2e, window)!r})")
    # Not stuck: once the service is well again, a refresh brings the weather.
    e2e.service.reset()
    e2e.probe.post(window.hwnd, WM_COMMAND, REFRESH_COMMAND)
    wait_title(e2e, window, READY)
    assert program.running
    close(e2e, program, window)


def test_a_slow_body_shows_connecting_until_it_arrives(e2e, workdir):
    e2e.service.set_scenario("slow", FEED, delay=3)
    program, window = start(e2e, workdir)
    assert title(e2e, window) == "Meltemix! - Bağlantı kuruluyor..."
    wait_title(e2e, window, READY)
    close(e2e, program, window)


@pytest.mark.parametrize("version, asked", [("1.01", True), ("1.00", False)])
def test_a_newer_version_is_offered_once(e2e, workdir, version, asked):
    e2e.service.set_scenario("custom", "/version.asp",
                             body=f"<version><meltemix>{version}</meltemix></version>")
    program, window = start(e2e, workdir, version_check=True)
    e2e.service.wait_for_request("/version.asp", timeout=10)
    if asked:
        box = e2e.probe.message_box("Meltemix!", wait=10)
        assert box.text == "Meltemix! nın 1.01 sürümü çıkmış! İndirmek ister misiniz?"
        assert box.window.owner == window.hwnd
        e2e.probe.press(box.window.hwnd, "No")
    time.sleep(4)
    assert not e2e.probe.message_boxes("Meltemix!")
    assert len(e2e.service.requests_to("/version.asp")) == 1
    assert e2e.service.requests_to("/version.asp")[0].query == "fmt=xml"
    close(e2e, program, window)


def test_no_version_request_when_switched_off(e2e, workdir):
    program, window = start(e2e, workdir, {"General": {"CheckNewVersion": "0"}})
    wait_title(e2e, window, READY)
    time.sleep(4.5)
    assert not e2e.service.requests_to("/version.asp")
    close(e2e, program, window)


def test_the_address_is_read_after_a_byte_order_mark_and_asked_once(e2e, workdir):
    e2e.service.set_scenario("bom_utf8", "/xml.aspx")
    e2e.service.set_scenario("slow", "/xml.aspx", delay=3)
    program, window = start(e2e, workdir)
    wait_title(e2e, window, READY)
    e2e.probe.post(window.hwnd, WM_COMMAND, REFRESH_COMMAND)
    e2e.service.wait_for_request(FEED, count=2)
    time.sleep(3.5)
    assert len(e2e.service.requests_to("/xml.aspx")) == 1  # the first was still pending
    close(e2e, program, window)


def choose_from_menu(e2e, window, *keys) -> None:
    """Opens the window's menu and types `keys`."""
    open_context_menu(e2e, window)
    e2e.probe.keys(*keys)


def test_the_first_right_click_opens_the_menu(e2e, workdir):
    program, window = start(e2e, workdir)
    wait_title(e2e, window, READY)
    open_context_menu(e2e, window)  # the window was never clicked before: it is not active
    assert e2e.probe.foreground().hwnd == window.hwnd  # the keys go to the menu
    e2e.screenshot(e2e_shots() / "context-menu.png")
    e2e.probe.keys(VK_ESCAPE)
    wait_until(lambda: not menus(e2e), 5, what="the menu closed")
    close(e2e, program, window)


def test_favourites_menu_lists_sorted_and_asks_for_the_chosen_code(e2e, workdir):
    favourites = {"Zonguldak": "TUXX0031", "ankara": "TUXX0002", "Çorum": "TUXX0044"}
    program, window = start(e2e, workdir, {"Favorites": favourites})
    wait_title(e2e, window, READY)
    # As typed: F opens "&Favori Şehirlerim" on its first entry; sorted ignoring case the
    # entries are ankara, Çorum, Zonguldak, so one step down is Çorum.
    choose_from_menu(e2e, window, ord("F"))
    submenus = wait_until(lambda: (lambda m: m if len(m) == 2 else None)(menus(e2e)), 5,
                          what="the favourites submenu")
    submenu = max(submenus, key=lambda m: m.rect[0])
    height = submenu.rect[3] - submenu.rect[1]
    e2e.screenshot(e2e_shots() / "favourites-menu.png")
    e2e.probe.keys(VK_DOWN, VK_RETURN)
    requests = e2e.service.wait_for_request(FEED, count=2)
    assert requests[-1].path == "/forecastrss/TUXX0044_c.xml"
    assert height > 40  # three entries, not the single "Favori Listesi Boş"
    close(e2e, program, window)


def test_an_empty_favourites_list_says_so(e2e, workdir):
    program, window = start(e2e, workdir)
    wait_title(e2e, window, READY)
    choose_from_menu(e2e, window, ord("F"), VK_RETURN)  # the one entry is disabled
    time.sleep(1)
    e2e.probe.keys(VK_ESCAPE, VK_ESCAPE)
    assert len(e2e.service.requests_to(FEED)) == 1
    close(e2e, program, window)


def test_show_instance_brings_a_hidden_window_back(e2e, workdir):
    program, window = start(e2e, workdir)
    wait_title(e2e, window, READY)
    e2e.probe.post(window.hwnd, WM_COMMAND, 107)  # "Gi&zle"
    wait_until(lambda: not e2e.probe.info(window.hwnd).visible, 10, what="hidden")
    second = e2e.start_program(workdir)
    assert second.wait_exit(15) == 0
    wait_until(lambda: e2e.probe.info(window.hwnd).visible, 10, what="shown again")
    close(e2e, program, window)


def tray_shown(e2e) -> bool:
    return any(t.visible for t in e2e.probe.find("__winex11_standalone_tray"))


def test_the_tray_icon_lives_with_the_program_and_has_its_menu(e2e, workdir):
    program, window = start(e2e, workdir)
    wait_until(lambda: tray_shown(e2e), 10, what="the tray icon")
    tray = [t for t in e2e.probe.find("__winex11_standalone_tray") if t.visible][0]
    x0, y0, _, y1 = tray.rect
    e2e.probe.click(x0 + 12, (y0 + y1) // 2, right=True)
    wait_until(lambda: menus(e2e), 10, what="the tray menu")
    time.sleep(1)
    assert menus(e2e), "the tray menu closed on its own"
    e2e.screenshot(e2e_shots() / "tray-menu.png")
    e2e.probe.keys(VK_ESCAPE)
    close(e2e, program, window)
    wait_until(lambda: not tray_shown(e2e), 10, what="the icon removed")


def test_a_wake_refreshes_and_the_session_end_saves(e2e, workdir):
    program, window = start(e2e, workdir)
    wait_title(e2e, window, READY)
    e2e.probe.post(window.hwnd, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC)
    e2e.service.wait_for_request(FEED, count=2)
    close(e2e, program, window)


def e2e_shots():
    from conftest import SCREENSHOTS
    SCREENSHOTS.mkdir(parents=True, exist_ok=True)
    return SCREENSHOTS
