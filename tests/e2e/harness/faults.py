"""Faults Wine reports of a program's run, read from what it printed.

Under Wine, a fault inside a window procedure called back from a system function is
reported and skipped ("ignoring exception"), where Windows ends the program. Wine's exception
reports, asked for with WINEDEBUG below, are then the only witness: every run of ours asks
for them, and a run whose output shows one of the codes below fails.

Run as a script, it checks files (`python3 faults.py LOG...`): it prints the report lines and
exits with 1 when any file shows a fault.
"""

from __future__ import annotations

import re
import sys
from pathlib import Path

# The exception reports, and every error Wine prints of its own: its loader (err:module),
# its processes (err:process) and its diagnoses for the user (err:winediag), such as the X
# display that a thread cannot open, after which Wine ends the process with exit code 1 and,
# without them, says nothing. A run that goes well prints none of them.
WINEDEBUG = "-all,err+all,warn+seh"

FAULT_CODES = {
    "c0000005": "access violation",
    "c000001d": "illegal instruction",
    "c00000fd": "stack overflow",
    "c0000094": "integer division by zero",
    "c0000409": "stack-buffer overrun",
}

# Codes that Wine raises for itself in our processes and handles there; none is a fault of
# the program's.
ALLOWED_CODES = {
    # RPC_S_SERVER_UNAVAILABLE, raised by Wine's RPC layer while the COM and shell services it
    # talks to start, and caught by it.
    "6ba": "Wine's RPC layer, services not yet up",
    # The runtime's own debugger-notification exceptions (thread names, OutputDebugString).
    "406d1388": "thread name given to a debugger",
    "40010006": "OutputDebugStringA",
    "4001000a": "OutputDebugStringW",
}

_CODE = re.compile(r"code=([0-9a-fA-F]+)")
# Wine's words for an exception in a callback that it skipped instead of ending the program.
_IGNORED = re.compile(r"ignoring exception", re.IGNORECASE)


def faults(text: str) -> list[str]:
    """The report lines that show a fault, in their order."""
    found = []
    for line in text.splitlines():
        if ":seh:" not in line:
            continue
        code = _CODE.search(line)
        if code and code.group(1).lower().lstrip("0") in FAULT_CODES_STRIPPED:
            found.append(line.strip())
        elif _IGNORED.search(line):
            found.append(line.strip())
    return found


FAULT_CODES_STRIPPED = {code.lstrip("0") for code in FAULT_CODES}


def read_faults(path: Path | str) -> list[str]:
    try:
        return faults(Path(path).read_bytes().decode(errors="replace"))
    except FileNotFoundError:
        return []


def describe(what: str, lines: list[str]) -> str:
    return f"{what} raised a fault under Wine:\n" + "\n".join(f"    {line}" for line in lines)


def main(paths: list[str]) -> int:
    status = 0
    for path in paths:
        lines = read_faults(path)
        if lines:
            print(describe(path, lines))
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
