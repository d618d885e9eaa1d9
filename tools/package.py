#!/usr/bin/env python3
"""Writes the download: a zip holding one folder "Meltemix" with the program, its settings
file, the two picture folders and the two documents, and a SHA-256 file beside it.

The same inputs give the same zip byte for byte: entries in sorted order, every time stamp
taken from --epoch, fixed attributes and compression."""
import argparse
import hashlib
import os
import sys
import time
import zipfile

FOLDER = "Meltemix"
PROGRAM = "Meltemix.exe"
SETTINGS = "Options.ini"
# The pictures at their own size and at twice it, for displays of twice the density.
PICTURES = ("Contents/Resources", "Contents/Resources@2x")
DOCUMENTS = ("BENIOKU.txt", "LISANSLAR.txt")
# Zip dates start in 1980.
EARLIEST = 315532800


def windows_text(data: bytes) -> bytes:
    """UTF-8 with a byte-order mark and CRLF line ends, which Notepad on XP reads as UTF-8."""
    text = data.decode("utf-8").lstrip("\ufeff")
    return b"\xef\xbb\xbf" + "\r\n".join(text.splitlines()).encode("utf-8") + b"\r\n"


def contents(build: str, documents: str):
    """{name inside the folder (with "/"): bytes}"""
    files = {}
    for name in (PROGRAM, SETTINGS):
        with open(os.path.join(build, name), "rb") as f:
            files[name] = f.read()
    for folder in PICTURES:
        pictures = os.path.join(build, *folder.split("/"))
        if not os.path.isdir(pictures):
            raise FileNotFoundError(f"no picture folder at {pictures}")
        for base, _, names in os.walk(pictures):
            for name in names:
                path = os.path.join(base, name)
                relative = os.path.relpath(path, build).replace(os.sep, "/")
                with open(path, "rb") as f:
                    files[relative] = f.read()
    for name in DOCUMENTS:
        with open(os.path.join(documents, name), "rb") as f:
            files[name] = windows_text(f.read())
    return files


def folders_of(names):
    """Every folder an entry lies in, so that the zip lists them before their contents."""
    found = {FOLDER + "/"}
    for name in names:
        parts = name.split("/")[:-1]
        for i in range(1, len(parts) + 1):
            found.add(f"{FOLDER}/{'/'.join(parts[:i])}/")
    return found


def write_zip(path: str, files: dict, epoch: int):
    stamp = time.gmtime(max(epoch, EARLIEST))[:6]
    entries = {f"{FOLDER}/{name}": data for name, data in files.items()}
    entries.update({folder: None for folder in folders_of(files)})
    with zipfile.ZipFile(path, "w") as archive:
        for name in sorted(entries):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 3  # Unix, so that unzip keeps the modes below
            data = entries[name]
            if data is None:
                info.external_attr = (0o40755 << 16) | 0x10  # MS-DOS directory flag
                archive.writestr(info, b"")
            else:
                info.external_attr = 0o100644 << 16
                info.compress_type = zipfile.ZIP_DEFLATED
                archive.writestr(info, data, compresslevel=9)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the win32 build folder")
    parser.add_argument("--documents", required=True, help="folder of BENIOKU.txt and LISANSLAR.txt")
    parser.add_argument("--out", required=True, help="folder for the zip and its checksum")
    parser.add_argument("--version", required=True, help="version in the zip's name, e.g. 1.00")
    parser.add_argument("--epoch", type=int, required=True, help="time stamp of every entry (seconds)")
    args = parser.parse_args()

    try:
        files = contents(args.build, args.documents)
    except (OSError, UnicodeDecodeError) as error:
        print(f"package: {error}", file=sys.stderr)
        return 1
    os.makedirs(args.out, exist_ok=True)
    name = f"Meltemix-{args.version}-win32.zip"
    target = os.path.join(args.out, name)
    # Written aside and moved, so that a failed run leaves no half zip under the real name.
    partial = target + ".partial"
    write_zip(partial, files, args.epoch)
    os.replace(partial, target)
    with open(target, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    # The form sha256sum -c reads.
    with open(target + ".sha256", "w", newline="\n") as f:
        f.write(f"{digest}  {name}\n")
    print(f"{target}: {os.path.getsize(target)} bytes, {len(files)} files, sha256 {digest}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
