"""End-to-end harness: the real Meltemix.exe under wine64 and Xvfb, a local test service
for its online endpoints, and the Windows-side probe that looks at and drives its windows."""

from .ini import read_options, write_options
from .paths import HarnessError
from .polling import wait_until
from .probe import WM_CLOSE, WM_SHOWINSTANCE, MessageBox, Probe, Window
from .program import Program
from .session import Session

__all__ = ["HarnessError", "MessageBox", "Probe", "Program", "Session", "Window", "WM_CLOSE",
           "WM_SHOWINSTANCE", "read_options", "wait_until", "write_options"]
