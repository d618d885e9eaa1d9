"""The widget for screen-reader and keyboard users: its windows asked from another process as
a screen reader asks them (oleacc's WM_GETOBJECT, win events out of context), the keys on the
tray icon and on the focused window, at 100 and 150 %. The names are what feedview prints for
the same feed. These cases open real menus, so they run after the others."""

from __future__ import annotations

import datetime
import subprocess

import pytest

from conftest import SCREENSHOTS
from harness import access
from harness.access import (EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, NIN_KEYSELECT,
                            ROLE_LIST, ROLE_LISTITEM, ROLE_PANE, ROLE_PUSHBUTTON,
                            ROLE_STATICTEXT, TRAY_CALLBACK, WM_CONTEXTMENU)
from harness.paths import REPO
from harness.polling import wait_until
from service import FIXTURES
from test_faces import ALL_LINES, INFO, MAIN, WM_COMMAND, crop, mean, ready, start

REFRESH_COMMAND = 102
FEED = "/forecastrss/"
FIXTURE = FIXTURES / "forecastrss_TUXX0014_c.xml"
VK_TAB, VK_RETURN, VK_ESCAPE, VK_RIGHT, VK_HOME, VK_F5, VK_SHIFT, VK_F10 = (
    0x09, 0x0D, 0x1B, 0x27, 0x24, 0x74, 0x10, 0x79)
SHOTS = SCREENSHOTS / "access"


def feedview(feed_path) -> dict[str, str]:
    """What the program's core makes of the feed now, built natively."""
    now = datetime.datetime.now().strftime("%Y-%m-%dT%H:%M")
    out = subprocess.run([str(REPO / "build" / "native" / "feedview"), str(feed_path),
                          "--now", now], check=True, capture_output=True).stdout.decode()
    return dict(line.split("=", 1) for line in out.splitlines())


def overlap(a, b) -> bool:
    return not (a[0] + a[2] <= b[0] or b[0] + b[2] <= a[0] or
                a[1] + a[3] <= b[1] or b[1] + b[3] <= a[1])


def check_places(parts, window, scale: float) -> None:
    """Every shown part inside the window, none over another, each found at its middle."""
    left, top, right, bottom = window.rect
    assert parts[0].rect == (left, top, right - left, bottom - top)
    shown = [p for p in parts[1:] if p.shown]
    for part in shown:
        x, y, w, h = part.rect
        assert left <= x and top <= y and x + w <= right and y + h <= bottom, part
        assert part.hit == part.child, part
        for other in shown:
            assert other is part or not overlap(part.rect, other.rect), (part, other)
    # A forecast tile is 61 layout pixels wide, at the screen's density.
    tile = parts[2].rect
    assert abs(tile[2] - 61 * scale) <= 1 and abs(tile[3] - 57 * scale) <= 1


def check_names(parts, expected: dict[str, str]) -> None:
    assert [p.name for p in parts if p.shown] == \
        [expected[f"Access.{p.child}"] for p in parts if p.shown]
    assert parts[0].role == ROLE_PANE
    assert [p.role for p in parts[1:8]] == [ROLE_STATICTEXT] * 7
    assert [p.role for p in parts[8:]] == [ROLE_PUSHBUTTON] * 3
    # The buttons show once the window is clicked or reached by the keyboard.
    assert [p.name for p in parts[8:]] == ["Özellestirmek için tiklatin...", "Gizle", "Kapat"]
    assert not any(p.shown for p in parts[8:])


def test_the_tree_is_what_feedview_prints_and_outlives_the_program_cleanly(e2e, workdir):
    program, main = start(e2e, workdir, {"Appearance": {**ALL_LINES, "ShowInfoText": "1"}})
    ready(e2e, main)
    main = e2e.probe.info(main.hwnd)
    expected = feedview(FIXTURE)
    parts = access.tree(e2e.probe, main.hwnd)
    assert len(parts) == 11
    check_names(parts, expected)
    check_places(parts, main, 1.0)
    assert parts[1].action == "Bilgi Ekranını Gizle"  # the details window is on

    # The details window: a list of its lines, as feedview reads them (the address the
    # program learned stands where feedview, knowing none, says it is being looked for).
    info = e2e.probe.visible_window(INFO)
    lines = access.tree(e2e.probe, info.hwnd)
    assert lines[0].role == ROLE_LIST and lines[0].name == "Meltemix! Bilgi"
    items = [p.name for p in lines[1:]]
    wanted = [expected[f"AccessInfo.{i}"] for i in range(1, 11)]
    assert items[:-1] == wanted[:-1]
    assert items[-1].startswith("IP: ") and wanted[-1].startswith("IP: ")
    assert all(p.role == ROLE_LISTITEM and p.hit == p.child for p in lines[1:])
    check_tops = [p.rect[1] for p in lines[1:]]
    assert check_tops == sorted(check_tops)

    # Held across the program's end, the object fails cleanly; Wine reports no fault (the
    # case's end reads its reports).
    held = access.hold_across_close(e2e.probe, main.hwnd)
    assert held["code"] == 0, held
    assert held["before"] == expected["Access.0"]
    assert program.wait_exit(30) == 0


# Parametrized by the density so that it runs with the other cases in that prefix (conftest).
@pytest.mark.parametrize("dpi", [144])
def test_at_150_percent_the_parts_are_where_the_larger_face_draws_them(e2e_at_dpi, tmp_path,
                                                                         dpi):
    session = e2e_at_dpi(dpi)
    try:
        program, main = start(session, session.prepare_workdir(tmp_path / "work"))
        ready(session, main)
        main = session.probe.info(main.hwnd)
        parts = access.tree(session.probe, main.hwnd)
        check_names(parts, feedview(FIXTURE))
        check_places(parts, main, dpi / 96)
        session.probe.close(main.hwnd)
        assert program.wait_exit(30) == 0
    finally:
        session.end_programs()


def test_a_changed_report_names_exactly_the_parts_that_changed(e2e, workdir):
    program, main = start(e2e, workdir)
    ready(e2e, main)
    before = access.tree(e2e.probe, main.hwnd)
    changed = FIXTURE.read_text(encoding="utf-8").replace(
        'day="Wed" date="16 Sep 2009" low="20" high="25"',
        'day="Wed" date="16 Sep 2009" low="20" high="-3"')
    e2e.service.set_scenario("custom", FEED, body=changed)
    seen = access.events(e2e.probe, main.pid, post=(main.hwnd, WM_COMMAND, REFRESH_COMMAND, 0),
                         wait=4)
    renamed = [e for e in seen if e.event == EVENT_OBJECT_NAMECHANGE and e.cls == MAIN]
    # The condition tells of the connection and of its end; of the tiles, only Wednesday's,
    # whose new name is there to be read when the event arrives. (Wine hands a hook the
    # events of one burst in an order of its own.)
    assert sorted(e.child for e in renamed) == [1, 1, 4], "\n".join(map(str, seen))
    wednesday = next(e for e in renamed if e.child == 4)
    assert wednesday.name == "Çarşamba: Yağışlı, en yüksek eksi 3, en düşük 20 derece"
    after = access.tree(e2e.probe, main.hwnd)
    assert [p.name for p in after] == [p.name for p in before[:4]] + [wednesday.name] + \
        [p.name for p in before[5:]]

    # The same report once more: the connection comes and goes, nothing else is news.
    seen = access.events(e2e.probe, main.pid, post=(main.hwnd, WM_COMMAND, REFRESH_COMMAND, 0),
                         wait=4)
    assert [e.child for e in seen if e.event == EVENT_OBJECT_NAMECHANGE and e.cls == MAIN] == \
        [1, 1], seen
    e2e.probe.close(main.hwnd)
    assert program.wait_exit(30) == 0


def focus_line(e2e, part, name: str) -> float:
    """Brightness of the top edge of a part's rectangle on the screen: the mark is white."""
    SHOTS.mkdir(parents=True, exist_ok=True)
    shot = e2e.screenshot(SHOTS / f"{name}-screen.png")
    left, top, width, _ = part.rect
    return mean(crop(shot, (left + 2, top, left + width - 2, top + 1), SHOTS / f"{name}.png"))


def test_the_keyboard_from_the_tray_icon_over_the_parts(e2e, workdir):
    program, main = start(e2e, workdir, {"Appearance": {"ShowInfoText": "0"}})
    ready(e2e, main)
    tray = e2e.probe.window("TTrayIconWindow")
    icon_id = int(tray.hwnd, 16) & 0xFFFFFFFF
    select = access.version4(NIN_KEYSELECT, icon_id, 1000, 760)

    # Enter on the icon while another window has the keyboard; Escape gives it back.
    back = access.escape_round_trip(e2e.probe, tray.hwnd, main.hwnd, *select)
    assert back["code"] == 0, back

    parts = access.tree(e2e.probe, main.hwnd)
    unmarked = focus_line(e2e, parts[3], "unmarked")
    seen = access.events(e2e.probe, main.pid, post=(tray.hwnd, TRAY_CALLBACK, *select))
    focus = [e for e in seen if e.event == EVENT_OBJECT_FOCUS]
    assert focus and focus[-1].child == 1 and focus[-1].name == parts[1].name, seen
    assert e2e.probe.foreground().hwnd == main.hwnd
    parts = access.tree(e2e.probe, main.hwnd)
    assert all(p.shown for p in parts[8:])  # reached by the keyboard, the buttons show

    seen = access.events(e2e.probe, main.pid, keys=f"{VK_TAB},{VK_RIGHT}")
    assert [(e.child, e.name) for e in seen if e.event == EVENT_OBJECT_FOCUS] == \
        [(2, parts[2].name), (3, parts[3].name)], seen
    marked = focus_line(e2e, parts[3], "marked")
    assert marked > unmarked + 0.3, (marked, unmarked)  # a thin white line on its edge

    # F5 is "&Tazele".
    seen = access.events(e2e.probe, main.pid, keys=f"{VK_F5}", wait=3)
    e2e.service.wait_for_request(FEED, count=2)
    assert any(e.event == EVENT_OBJECT_NAMECHANGE and e.child == 1 for e in seen)
    ready(e2e, main)

    # Shift+F10 opens the window's menu at the focused part; Escape closes it.
    access.events(e2e.probe, main.pid, keys=f"{VK_SHIFT}+{VK_F10}", wait=0.5)
    menu = wait_until(lambda: [m for m in e2e.probe.find("#32768") if m.visible], 5,
                      what="the window's menu")[0]
    assert menu.position == parts[3].centre, (menu.rect, parts[3])
    e2e.probe.keys(VK_ESCAPE)
    wait_until(lambda: not [m for m in e2e.probe.find("#32768") if m.visible], 5,
               what="the menu closed")

    # Enter on the current condition shows the details window.
    access.events(e2e.probe, main.pid, keys=f"{VK_HOME},{VK_RETURN}", wait=0.5)
    wait_until(lambda: (lambda w: w and w[0].visible)(e2e.probe.find(INFO)), 5,
               what="the details window")
    e2e.probe.close(main.hwnd)
    assert program.wait_exit(30) == 0


def test_the_tray_menu_opens_at_the_icon_in_either_packing(e2e, workdir):
    program, main = start(e2e, workdir)
    ready(e2e, main)
    tray = e2e.probe.window("TTrayIconWindow")
    icon_id = int(tray.hwnd, 16) & 0xFFFFFFFF
    e2e.probe.click(800, 150)  # the pointer well away from where the shell says the icon is

    def menu_after(wparam: int, lparam: int):
        e2e.probe.post(tray.hwnd, TRAY_CALLBACK, wparam, lparam)
        found = wait_until(lambda: [m for m in e2e.probe.find("#32768") if m.visible], 5,
                           what="the tray menu")[0]
        e2e.probe.keys(VK_ESCAPE)
        wait_until(lambda: not [m for m in e2e.probe.find("#32768") if m.visible], 5,
                   what="the menu closed")
        return found

    # Version 4: the shell gives the icon's point with the menu key.
    assert menu_after(*access.version4(WM_CONTEXTMENU, icon_id, 300, 400)).position == (300, 400)
    # The older packing gives none, and Wine cannot tell where its icon is
    # (Shell_NotifyIconGetRect): the menu opens where the pointer is.
    assert menu_after(*access.version3(WM_CONTEXTMENU, icon_id)).position == (800, 150)
    e2e.probe.close(main.hwnd)
    assert program.wait_exit(30) == 0
