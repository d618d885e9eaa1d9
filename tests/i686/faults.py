"""Faults in what Wine printed with WINEDEBUG=-all,err+seh,warn+seh.

Wine goes on after many faults that end a program on Windows (an access violation inside a
window procedure called from the system, for one), so a run that looks fine can hide them:
only Wine's exception reports tell."""

from __future__ import annotations

import re

# Access violation, illegal instruction, stack overflow, integer division by zero, stack
# buffer overrun. Wine raises other codes for itself (6ba from its RPC layer, the C++ and
# thread-naming exceptions) and handles them.
FAULT_CODES = ("c0000005", "c000001d", "c00000fd", "c0000094", "c0000409")
_CODE = re.compile(r"\bcode=(?:0x)?(" + "|".join(FAULT_CODES) + r")\b", re.IGNORECASE)
# An exception Wine swallowed in a callback into the program (a window procedure, a hook).
_IGNORED = re.compile(r"ignoring exception", re.IGNORECASE)
_STACK_OVERFLOW = re.compile(r"err:seh:.*stack overflow", re.IGNORECASE)


def faults(text: str) -> list[str]:
    """The lines of `text` that report a fault, in order."""
    return [line for line in text.splitlines()
            if _CODE.search(line) or _IGNORED.search(line) or _STACK_OVERFLOW.search(line)]
