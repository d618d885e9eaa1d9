"""The Linux side of probe.exe: runs it in the program's prefix and reads its JSON lines."""

from __future__ import annotations

import json
from dataclasses import dataclass
from pathlib import Path

from .paths import HarnessError
from .wine import WinePrefix

WM_CLOSE = 0x0010
WM_SHOWINSTANCE = 1035
WS_EX_TOOLWINDOW = 0x00000080
WS_EX_APPWINDOW = 0x00040000
WS_EX_LAYERED = 0x00080000


def _arg(text: str) -> str:
    """Texts beyond ASCII travel as \\uXXXX, whatever the locale of the command line."""
    out = []
    for char in text:
        if 0x20 <= ord(char) < 0x7F and char != "\\":
            out.append(char)
            continue
        units = char.encode("utf-16-le")
        out.extend(f"\\u{int.from_bytes(units[i:i + 2], 'little'):04X}"
                   for i in range(0, len(units), 2))
    return "".join(out)


@dataclass
class Window:
    hwnd: str
    cls: str
    title: str
    visible: bool
    rect: tuple[int, int, int, int]
    style: int
    exstyle: int
    pid: int
    owner: str | None
    owner_class: str | None
    owner_exstyle: int | None
    raw: dict

    @classmethod
    def from_json(cls, data: dict) -> "Window":
        return cls(
            hwnd=data["hwnd"], cls=data["class"], title=data["title"], visible=data["visible"],
            rect=tuple(data["rect"]), style=int(data["style"], 16),
            exstyle=int(data["exstyle"], 16), pid=data["pid"], owner=data["owner"],
            owner_class=data.get("owner_class"),
            owner_exstyle=int(data["owner_exstyle"], 16) if "owner_exstyle" in data else None,
            raw=data)

    @property
    def position(self) -> tuple[int, int]:
        return self.rect[0], self.rect[1]

    @property
    def size(self) -> tuple[int, int]:
        return self.rect[2] - self.rect[0], self.rect[3] - self.rect[1]

    @property
    def client_size(self) -> tuple[int, int]:
        return tuple(self.raw["client"])

    @property
    def has_taskbar_button(self) -> bool:
        """What the shell decides for a visible top-level window."""
        if self.exstyle & WS_EX_APPWINDOW:
            return True
        if self.exstyle & WS_EX_TOOLWINDOW:
            return False
        return self.owner is None


@dataclass
class MessageBox:
    window: Window
    text: str
    buttons: list[dict]

    def button_centre(self, caption: str) -> tuple[int, int]:
        """Where a person would click the button of that caption."""
        for button in self.buttons:
            if button["caption"].replace("&", "") == caption:
                left, top, right, bottom = button["rect"]
                return (left + right) // 2, (top + bottom) // 2
        raise AssertionError(f"no button {caption!r} among {self.buttons}")


class Probe:
    def __init__(self, prefix: WinePrefix, exe: Path, cwd: Path | None = None):
        self.prefix, self.exe = prefix, exe
        self.cwd = cwd or exe.parent

    def _run(self, *args, timeout: float = 30.0) -> tuple[int, list[dict]]:
        extra = 0
        if "--wait" in args:
            extra = int(args[args.index("--wait") + 1]) / 1000
        result = self.prefix.run([self.exe, *args], cwd=self.cwd, timeout=timeout + extra)
        if result.returncode == 2:
            raise HarnessError(f"probe {' '.join(map(str, args))}: "
                               f"{result.stdout.decode(errors='replace')}")
        lines = [json.loads(line) for line in result.stdout.decode().splitlines()
                 if line.startswith("{")]
        return result.returncode, lines

    def find(self, cls: str | None = None, title: str | None = None,
             wait: float = 0.0) -> list[Window]:
        args = ["find"]
        if cls is not None:
            args += ["--class", _arg(cls)]
        if title is not None:
            args += ["--title", _arg(title)]
        args += ["--wait", str(int(wait * 1000))]
        _, lines = self._run(*args)
        return [Window.from_json(line) for line in lines]

    def window(self, cls: str, wait: float = 10.0) -> Window:
        """The one window of a class, waiting for it to appear."""
        found = self.find(cls, wait=wait)
        if len(found) != 1:
            raise AssertionError(f"expected one {cls} window within {wait} s, found {found}")
        return found[0]

    def visible_window(self, cls: str, wait: float = 10.0) -> Window:
        """The one window of a class once it is visible (windows show when their loop runs)."""
        from .polling import wait_until
        window = self.window(cls, wait)
        return wait_until(lambda: (lambda w: w if w and w.visible else None)(self.info(window.hwnd)),
                          wait, what=f"{cls} visible")

    def info(self, hwnd: str) -> Window | None:
        code, lines = self._run("info", hwnd)
        return Window.from_json(lines[0]) if code == 0 else None

    def foreground(self) -> Window | None:
        """The window that gets the keyboard, as the system says."""
        code, lines = self._run("foreground")
        return Window.from_json(lines[0]) if code == 0 else None

    def wait_gone(self, hwnd: str, wait: float = 10.0) -> bool:
        code, _ = self._run("wait-gone", hwnd, "--wait", str(int(wait * 1000)))
        return code == 0

    def post(self, hwnd: str, message: int, wparam: int = 0, lparam: int = 0) -> bool:
        code, _ = self._run("post", hwnd, str(message), str(wparam), str(lparam))
        return code == 0

    def dpi_changed(self, hwnd: str, dpi: int, rect: tuple[int, int, int, int]) -> bool:
        """As the system tells a window that moved to a screen of `dpi`, suggesting `rect`."""
        code, _ = self._run("dpi-changed", hwnd, str(dpi), *map(str, rect))
        return code == 0

    def close(self, hwnd: str) -> bool:
        return self.post(hwnd, WM_CLOSE)

    def click(self, x: int, y: int, right: bool = False, double: bool = False) -> None:
        args = ["click", str(x), str(y)] + (["--right"] if right else []) + \
               (["--double"] if double else [])
        code, lines = self._run(*args)
        if code != 0:
            raise HarnessError(f"click at ({x}, {y}) failed: {lines}")

    def drag(self, start: tuple[int, int], end: tuple[int, int], hold: bool = False) -> None:
        """The left button pressed at `start`, moved in steps to `end` and released there
        (with `hold`, left down: `release` lets go)."""
        code, lines = self._run("drag", *map(str, (*start, *end)), *(["--hold"] if hold else []))
        if code != 0:
            raise HarnessError(f"drag from {start} to {end} failed: {lines}")

    def release(self) -> None:
        code, lines = self._run("release")
        if code != 0:
            raise HarnessError(f"release failed: {lines}")

    def keys(self, *virtual_keys: int) -> None:
        """Type virtual keys (VK_ codes), each pressed and released."""
        code, lines = self._run("keys", *map(str, virtual_keys))
        if code != 0:
            raise HarnessError(f"keys {virtual_keys} failed: {lines}")

    def message_boxes(self, title: str | None = None, wait: float = 0.0) -> list[MessageBox]:
        args = ["msgbox", "--wait", str(int(wait * 1000))]
        if title is not None:
            args += ["--title", _arg(title)]
        _, lines = self._run(*args)
        return [MessageBox(Window.from_json(line), line["text"], line["buttons"])
                for line in lines]

    def message_box(self, title: str | None = None, wait: float = 10.0) -> MessageBox:
        boxes = self.message_boxes(title, wait)
        if len(boxes) != 1:
            raise AssertionError(f"expected one message box {title!r} within {wait} s, "
                                 f"found {[(b.window.title, b.text) for b in boxes]}")
        return boxes[0]

    def press(self, hwnd: str, caption: str | None = None, id: int | None = None) -> None:
        args = ["press", hwnd] + (["--caption", _arg(caption)] if caption is not None
                                  else ["--id", str(id)])
        code, lines = self._run(*args)
        if code != 0:
            raise HarnessError(f"no button {caption or id} in {hwnd}: {lines}")
