#!/usr/bin/env python3
"""Checks that a 32-bit Windows executable can run on Windows XP: the operating-system and
subsystem versions in its PE header are at most 5.1, it imports from system DLLs only, and
none of the functions it imports is one that XP lacks. Prints the file's size."""
import argparse
import fnmatch
import os
import struct
import sys

SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "gdiplus.dll", "wininet.dll", "ole32.dll",
    "oleaut32.dll", "shell32.dll", "comctl32.dll", "comdlg32.dll", "advapi32.dll", "msvcrt.dll",
    # Active Accessibility: the windows describe themselves to screen readers through it
    # (LresultFromObject, AccessibleObjectFromWindow); part of Windows since 98 and XP.
    "oleacc.dll",
}
HERE = os.path.dirname(os.path.abspath(__file__))


class PeError(Exception):
    pass


class PeFile:
    def __init__(self, data: bytes):
        self.data = data
        if data[:2] != b"MZ":
            raise PeError("not an executable (no MZ header)")
        self.pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[self.pe:self.pe + 4] != b"PE\0\0":
            raise PeError("no PE signature")
        coff = self.pe + 4
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, coff)
        self.optional = coff + 20
        self.magic = struct.unpack_from("<H", data, self.optional)[0]
        if self.magic != 0x10B:
            raise PeError("not a 32-bit (PE32) executable")
        (self.os_major, self.os_minor, _, _, self.subsystem_major,
         self.subsystem_minor) = struct.unpack_from("<HHHHHH", data, self.optional + 40)
        self.subsystem = struct.unpack_from("<H", data, self.optional + 68)[0]
        directories = self.optional + 96
        self.import_rva = struct.unpack_from("<I", data, directories + 8)[0]
        self.sections = []
        table = self.optional + optional_size
        for i in range(sections):
            _, vsize, va, raw_size, raw_ptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((va, max(vsize, raw_size), raw_ptr))

    def offset(self, rva: int) -> int:
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise PeError(f"address {rva:#x} lies in no section")

    def text(self, rva: int) -> str:
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii", "replace")

    def imports(self):
        """{dll name (lower case): [function names or #ordinals]}"""
        result = {}
        if not self.import_rva:
            return result
        entry = self.offset(self.import_rva)
        while True:
            lookup, _, _, name_rva, thunk = struct.unpack_from("<IIIII", self.data, entry)
            if not name_rva:
                return result
            names = result.setdefault(self.text(name_rva).lower(), [])
            position = self.offset(lookup or thunk)
            while True:
                value = struct.unpack_from("<I", self.data, position)[0]
                if not value:
                    break
                names.append(f"#{value & 0xFFFF}" if value & 0x80000000 else self.text(value + 2))
                position += 4
            entry += 20


def load_missing(path):
    patterns = []
    with open(path, encoding="utf-8") as listing:
        for line in listing:
            line = line.strip()
            if line and not line.startswith("#"):
                dll, _, function = line.partition("!")
                patterns.append((dll.lower(), function))
    return patterns


def check(path, missing_list):
    with open(path, "rb") as executable:
        pe = PeFile(executable.read())
    problems = []
    if (pe.os_major, pe.os_minor) > (5, 1):
        problems.append(f"asks for operating system {pe.os_major}.{pe.os_minor} (at most 5.1)")
    if (pe.subsystem_major, pe.subsystem_minor) > (5, 1):
        problems.append(f"asks for subsystem {pe.subsystem_major}.{pe.subsystem_minor} (at most 5.1)")
    if pe.subsystem != 2:
        problems.append(f"subsystem {pe.subsystem} is not the GUI subsystem (2)")
    missing = load_missing(missing_list)
    imports = pe.imports()
    for dll, functions in sorted(imports.items()):
        if dll not in SYSTEM_DLLS:
            problems.append(f"imports from {dll}, which is not a system DLL")
        for function in functions:
            if any(dll == d and fnmatch.fnmatchcase(function, f) for d, f in missing):
                problems.append(f"imports {dll}!{function}, which Windows XP lacks")
    return pe, imports, problems


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("executable")
    parser.add_argument("--missing", default=os.path.join(HERE, "xp-missing-imports.txt"))
    parser.add_argument("--list", action="store_true", help="print every import")
    args = parser.parse_args()
    try:
        pe, imports, problems = check(args.executable, args.missing)
    except (OSError, PeError, struct.error) as error:
        print(f"pecheck: {args.executable}: {error}", file=sys.stderr)
        return 2
    size = os.path.getsize(args.executable)
    print(f"pecheck: {args.executable}: {size} bytes ({size / 1024:.0f} KiB), "
          f"OS {pe.os_major}.{pe.os_minor}, subsystem {pe.subsystem_major}.{pe.subsystem_minor}, "
          f"{sum(len(f) for f in imports.values())} imports from {len(imports)} DLLs: "
          + ", ".join(sorted(imports)))
    if args.list:
        for dll, functions in sorted(imports.items()):
            print(f"  {dll}: {' '.join(sorted(functions))}")
    for problem in problems:
        print(f"pecheck: FAIL: {problem}")
    print("pecheck: " + ("1 failed" if problems else "passed"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
