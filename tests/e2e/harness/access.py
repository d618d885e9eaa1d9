"""The widget as a screen reader finds it: the probe's accessibility commands, read."""

from __future__ import annotations

from dataclasses import dataclass

from .probe import Probe

EVENT_OBJECT_SHOW, EVENT_OBJECT_HIDE = 0x8002, 0x8003
EVENT_OBJECT_REORDER, EVENT_OBJECT_FOCUS = 0x8004, 0x8005
EVENT_OBJECT_NAMECHANGE = 0x800C
STATE_SYSTEM_INVISIBLE = 0x8000
ROLE_PANE, ROLE_LIST, ROLE_LISTITEM, ROLE_STATICTEXT, ROLE_PUSHBUTTON = 16, 33, 34, 41, 43
TRAY_CALLBACK = 1025
NIN_KEYSELECT, WM_CONTEXTMENU = 0x401, 0x7B


@dataclass
class Part:
    child: int
    name: str
    role: int
    state: int
    rect: tuple[int, int, int, int]  # left, top, width, height on the screen
    hit: int                         # what a hit test at its middle finds
    action: str | None

    @property
    def shown(self) -> bool:
        return not self.state & STATE_SYSTEM_INVISIBLE

    @property
    def centre(self) -> tuple[int, int]:
        left, top, width, height = self.rect
        return left + width // 2, top + height // 2


@dataclass
class Event:
    event: int
    cls: str
    child: int
    name: str | None  # the object's name as read when the event arrived


def tree(probe: Probe, hwnd: str) -> list[Part]:
    """The window's object (child 0) and its parts, as another process reads them."""
    code, lines = probe._run("acc-tree", hwnd)
    assert code == 0, f"no accessible object for {hwnd}: {lines}"
    return [Part(line["child"], line["name"], line.get("role", 0), line.get("state", 0),
                 tuple(line.get("rect", (0, 0, 0, 0))), line.get("hit", -1), line.get("action"))
            for line in lines if "child" in line]


def events(probe: Probe, pid: int, post: tuple | None = None, keys: str | None = None,
           wait: float = 1.5) -> list[Event]:
    """The win events of the process while a message is posted (window, message, wParam,
    lParam) or keys are typed ("0x10+0x79,0x09": Shift with F10, then Tab)."""
    args = ["acc-events", str(pid), "--wait", str(int(wait * 1000))]
    if post:
        args += ["--post", *map(str, post)]
    if keys:
        args += ["--keys", keys]
    code, lines = probe._run(*args, timeout=30 + wait)
    assert code == 0, f"acc-events {args}: {lines}"
    return [Event(int(line["event"], 16), line["class"], line["child"], line.get("name"))
            for line in lines if "event" in line]


def hold_across_close(probe: Probe, hwnd: str) -> dict:
    """The object taken, the program closed, the object called again: the probe's answer."""
    code, lines = probe._run("acc-hold", hwnd, "--wait", "30000", timeout=60)
    return {"code": code, **{k: v for line in lines for k, v in line.items()}}


def escape_round_trip(probe: Probe, tray_hwnd: str, main_hwnd: str, wparam: int,
                      lparam: int) -> dict:
    code, lines = probe._run("acc-escape", tray_hwnd, main_hwnd, str(wparam), str(lparam),
                             "--wait", "10000", timeout=60)
    return {"code": code, **(lines[-1] if lines else {})}


def version4(event: int, icon_id: int, x: int = 0, y: int = 0) -> tuple[int, int]:
    """wParam and lParam of a tray callback in the packing of version 4."""
    return ((y & 0xFFFF) << 16) | (x & 0xFFFF), ((icon_id & 0xFFFF) << 16) | event


def version3(event: int, icon_id: int) -> tuple[int, int]:
    return icon_id, event
