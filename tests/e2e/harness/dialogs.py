"""The Linux side of dialogprobe.exe: the controls of a dialog, rows chosen in lists and
typed text. Kept apart from probe.py; both run in the program's prefix."""

from __future__ import annotations

import json
from dataclasses import dataclass, field

from .paths import HarnessError, built_program
from .probe import _arg
from .wine import WinePrefix


@dataclass
class Control:
    hwnd: str
    parent: str
    id: int
    cls: str
    text: str
    rect: tuple[int, int, int, int]
    visible: bool
    enabled: bool
    checked: bool = False
    default: bool = False
    items: list[str] = field(default_factory=list)
    selection: int = -1

    @classmethod
    def from_json(cls, data: dict) -> "Control":
        return cls(hwnd=data["hwnd"], parent=data["parent"], id=data["id"], cls=data["class"],
                   text=data["text"], rect=tuple(data["rect"]), visible=data["visible"],
                   enabled=data["enabled"], checked=data.get("checked", False),
                   default=data.get("default", False), items=data.get("items", []),
                   selection=data.get("selection", -1))

    @property
    def centre(self) -> tuple[int, int]:
        left, top, right, bottom = self.rect
        return (left + right) // 2, (top + bottom) // 2

    @property
    def left_middle(self) -> tuple[int, int]:
        """A point on a check or radio box itself, away from its caption."""
        left, top, _, bottom = self.rect
        return left + 6, (top + bottom) // 2


class DialogProbe:
    def __init__(self, prefix: WinePrefix):
        self.prefix = prefix
        self.exe = built_program("dialogprobe.exe")

    def _run(self, *args, timeout: float = 30.0) -> list[dict]:
        result = self.prefix.run([self.exe, *args], cwd=self.exe.parent, timeout=timeout)
        lines = [json.loads(line) for line in result.stdout.decode().splitlines()
                 if line.startswith("{")]
        if result.returncode != 0:
            raise HarnessError(f"dialogprobe {' '.join(map(str, args))}: {lines}")
        return lines

    def controls(self, hwnd: str) -> dict[int, Control]:
        """Every control below the window, by its dialog identifier (0 for nameless ones)."""
        found = [Control.from_json(line) for line in self._run("controls", hwnd)]
        return {c.id: c for c in found if c.id}

    def focus(self, hwnd: str) -> str:
        return self._run("focus", hwnd)[0]["focus"]

    def set_text(self, hwnd: str, text: str) -> None:
        self._run("settext", hwnd, _arg(text))

    def choose(self, hwnd: str, row: int) -> None:
        self._run("choose", hwnd, str(row))

    def type(self, text: str) -> None:
        self._run("type", _arg(text))

    def move(self, x: int, y: int) -> None:
        """The mouse to a screen point, without a click: what shows a tooltip."""
        self._run("move", str(x), str(y))
