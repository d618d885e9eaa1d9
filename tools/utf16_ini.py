#!/usr/bin/env python3
"""Writes a UTF-8 settings file as UTF-16LE with a byte-order mark and CRLF line ends,
the form in which the profile functions keep Turkish names on any code page."""
import sys


def main() -> int:
    if len(sys.argv) != 3:
        print("usage: utf16_ini.py SOURCE TARGET", file=sys.stderr)
        return 2
    with open(sys.argv[1], encoding="utf-8") as source:
        lines = source.read().splitlines()
    with open(sys.argv[2], "wb") as target:
        target.write(b"\xff\xfe" + "\r\n".join(lines + [""]).encode("utf-16-le"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
