"""The executable check must fail on each thing that keeps a program off Windows XP."""
import os
import struct
import subprocess
import sys

import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PECHECK = os.path.join(ROOT, "tools", "pecheck.py")
BUILD = os.environ.get("MELTEMIX_WIN32_BUILD", os.path.join(ROOT, "build", "win32"))
EXE = os.path.join(BUILD, "Meltemix.exe")

pytestmark = pytest.mark.skipif(not os.path.exists(EXE), reason="no 32-bit build")


def run(path, *args):
    result = subprocess.run([sys.executable, PECHECK, path, *args], capture_output=True, text=True)
    return result.returncode, result.stdout + result.stderr


def patched_copy(tmp_path, offset_in_optional, value):
    data = bytearray(open(EXE, "rb").read())
    optional = struct.unpack_from("<I", data, 0x3C)[0] + 24
    struct.pack_into("<H", data, optional + offset_in_optional, value)
    copy = tmp_path / "copy.exe"
    copy.write_bytes(bytes(data))
    return str(copy)


def test_the_shipped_program_passes():
    status, output = run(EXE)
    assert status == 0, output
    assert "bytes" in output


@pytest.mark.parametrize("offset, what", [(40, "operating system"), (48, "subsystem")])
def test_a_newer_system_version_fails(tmp_path, offset, what):
    status, output = run(patched_copy(tmp_path, offset, 6))
    assert status == 1 and what in output


def test_an_import_that_xp_lacks_fails(tmp_path):
    listing = tmp_path / "missing.txt"
    listing.write_text("# pretend XP lacks these\nuser32.dll!UpdateLayered*\n")
    status, output = run(EXE, "--missing", str(listing))
    assert status == 1 and "user32.dll!UpdateLayeredWindow" in output


def test_a_non_system_dll_fails(tmp_path):
    data = open(EXE, "rb").read()
    copy = tmp_path / "copy.exe"
    copy.write_bytes(data.replace(b"ole32.dll", b"olx32.dll", 1).replace(b"OLE32.dll", b"OLX32.dll", 1))
    status, output = run(str(copy))
    assert status == 1 and "not a system DLL" in output


def test_a_64_bit_program_is_refused():
    exe64 = os.path.join(ROOT, "build", "win64", "Meltemix.exe")
    if not os.path.exists(exe64):
        pytest.skip("no 64-bit build")
    status, output = run(exe64)
    assert status == 2 and "32-bit" in output
