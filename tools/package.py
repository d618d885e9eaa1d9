#!/usr/bin/env python3
"""Writes the download: a zip holding one folder "Meltemix" with the program, its settings
file, the two picture folders and the two documents, and the per-user setup that installs
those very files (installer/), each with a SHA-256 file beside it.

One list of files serves both: the zip is written from it, and so are the setup's two
macros, one that installs them and one that removes them again.

The same inputs give the same bytes: entries in sorted order, every time stamp taken from
--epoch (the setup keeps the time of each file it holds, so the files are staged with it),
fixed attributes and compression."""
import argparse
import hashlib
import os
import shutil
import subprocess
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
HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(os.path.dirname(HERE), "installer", "Meltemix.nsi")
# The setups' NSIS targets: the shipped one runs on XP; the other wraps the 64-bit build for
# the tests under wine64, which runs no 32-bit code here.
TARGETS = {"x86": "x86-unicode", "amd64": "amd64-unicode"}


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


def write_checksum(target: str) -> str:
    with open(target, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    # The form sha256sum -c reads.
    with open(target + ".sha256", "w", newline="\n") as f:
        f.write(f"{digest}  {os.path.basename(target)}\n")
    return digest


def default_epoch() -> int:
    """SOURCE_DATE_EPOCH, else the time of the last commit, else the earliest zip date."""
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        return int(subprocess.run(["git", "log", "-1", "--format=%ct"], cwd=HERE, check=True,
                                  capture_output=True, text=True).stdout.strip())
    except (OSError, subprocess.CalledProcessError, ValueError):
        return EARLIEST


def stage(files: dict, folder: str, epoch: int) -> None:
    """The files as the setup takes them in, every one and every folder dated `epoch`."""
    shutil.rmtree(folder, ignore_errors=True)
    stamp = max(epoch, EARLIEST)
    for name, data in files.items():
        path = os.path.join(folder, *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        os.utime(path, (stamp, stamp))
    for base, _, _ in os.walk(folder):
        os.utime(base, (stamp, stamp))


def nsis_text(text: str) -> str:
    """A text inside an NSIS string in double quotes: "$" would start a variable."""
    if '"' in text or "\n" in text:
        raise ValueError(f"no file of the setup may be named {text!r}")
    return text.replace("$", "$$")


def nsis_lists(files: dict, staged: str) -> str:
    """The setup's macros MELTEMIX_INSTALL_FILES, MELTEMIX_REMOVE_FILES and
    MELTEMIX_REMOVE_FOLDERS (each folder once it is empty, the deepest first). The settings
    file is installed only where none is (an upgrade keeps the user's), and removed only when
    the user asks for it, so the removal leaves it out."""
    install, remove = [], []
    by_folder: dict = {}
    for name in sorted(files):
        folder, _, base = name.rpartition("/")
        by_folder.setdefault(folder, []).append(base)
    for folder in sorted(by_folder):
        windows = "\\".join(["$INSTDIR"] + ([nsis_text(p) for p in folder.split("/")] if folder else []))
        install.append(f'  SetOutPath "{windows}"')
        for base in by_folder[folder]:
            source = nsis_text(os.path.join(staged, *folder.split("/"), base) if folder
                               else os.path.join(staged, base))
            keep = folder == "" and base == SETTINGS
            if keep:
                install.append("  SetOverwrite off")
            install.append(f'  File "{source}"')
            if keep:
                install.append("  SetOverwrite on")
            else:
                remove.append(f'  Delete "{windows}\\{nsis_text(base)}"')
    # The folders, the deepest first, each only once empty.
    folders = set()
    for folder in by_folder:
        parts = folder.split("/") if folder else []
        for i in range(1, len(parts) + 1):
            folders.add(tuple(parts[:i]))
    emptied = ['  RMDir "$INSTDIR\\' + "\\".join(nsis_text(p) for p in parts) + '"'
               for parts in sorted(folders, key=lambda p: (-len(p), p))]

    def macro(name, lines):
        return f"!macro {name}\n" + "".join(f"{line}\n" for line in lines) + "!macroend\n"
    return ("; Written by tools/package.py from the list the zip is written from.\n"
            + macro("MELTEMIX_INSTALL_FILES", install) + macro("MELTEMIX_REMOVE_FILES", remove)
            + macro("MELTEMIX_REMOVE_FOLDERS", emptied))


def write_setup(files: dict, build: str, out: str, version: str, epoch: int, arch: str,
                icon: str, uninstaller: str | None = None) -> str:
    """Meltemix-VERSION-setup.exe in `out`, made by makensis from the files staged in the
    build folder."""
    work = os.path.abspath(os.path.join(build, f"setup-stage-{arch}"))
    staged = os.path.join(work, FOLDER)
    stage(files, staged, epoch)
    lists = os.path.join(work, "files.nsh")
    with open(lists, "w", encoding="utf-8", newline="\n") as f:
        f.write(nsis_lists(files, staged))
    target = os.path.join(os.path.abspath(out), f"Meltemix-{version}-setup.exe")
    partial = target + ".partial"
    major, _, minor = version.partition(".")
    defines = {"VERSION": version, "VERSION_QUAD": f"{int(major)}.{int(minor)}.0.0",
               "TARGET": TARGETS[arch], "FILES": os.path.abspath(lists),
               "ICON": os.path.abspath(icon), "OUTFILE": partial}
    if uninstaller:
        defines["UNINSTALLER_COPY"] = os.path.abspath(uninstaller)
    command = ["makensis", "-V2", "-INPUTCHARSET", "UTF8"]
    command += [f"-D{name}={value}" for name, value in defines.items()]
    command.append(SCRIPT)
    # makensis dates nothing of its own, but its !define /date would read this.
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(max(epoch, EARLIEST)), LC_ALL="C.UTF-8")
    result = subprocess.run(command, cwd=work, env=env, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"makensis failed ({result.returncode}):\n"
                           f"{(result.stdout + result.stderr)[-4000:]}")
    os.replace(partial, target)
    return target


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the Windows build folder")
    parser.add_argument("--documents", required=True, help="folder of BENIOKU.txt and LISANSLAR.txt")
    parser.add_argument("--out", required=True, help="folder for the zip, the setup and their checksums")
    parser.add_argument("--version", required=True, help="version in the names, e.g. 1.00")
    parser.add_argument("--epoch", type=int, help="time stamp of every file (seconds; by default "
                        "SOURCE_DATE_EPOCH, else the last commit's time)")
    parser.add_argument("--make", nargs="+", choices=("zip", "setup"), default=["zip", "setup"])
    parser.add_argument("--arch", choices=sorted(TARGETS), default="x86",
                        help="the setup's own architecture: x86 for the shipped one")
    parser.add_argument("--icon", help="the setup's icon (the program's); needed for the setup")
    parser.add_argument("--uninstaller", help="where to put a copy of the setup's uninstaller")
    args = parser.parse_args()
    epoch = default_epoch() if args.epoch is None else args.epoch

    try:
        files = contents(args.build, args.documents)
    except (OSError, UnicodeDecodeError) as error:
        print(f"package: {error}", file=sys.stderr)
        return 1
    os.makedirs(args.out, exist_ok=True)
    if "zip" in args.make:
        name = f"Meltemix-{args.version}-win32.zip"
        target = os.path.join(args.out, name)
        # Written aside and moved, so that a failed run leaves no half zip under the real name.
        partial = target + ".partial"
        write_zip(partial, files, epoch)
        os.replace(partial, target)
        digest = write_checksum(target)
        print(f"{target}: {os.path.getsize(target)} bytes, {len(files)} files, sha256 {digest}")
    if "setup" in args.make:
        if not args.icon:
            print("package: the setup needs --icon", file=sys.stderr)
            return 2
        try:
            target = write_setup(files, args.build, args.out, args.version, epoch, args.arch, args.icon,
                                 args.uninstaller)
        except (OSError, RuntimeError, ValueError) as error:
            print(f"package: {error}", file=sys.stderr)
            return 1
        digest = write_checksum(target)
        print(f"{target}: {os.path.getsize(target)} bytes, {len(files)} files, sha256 {digest}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
