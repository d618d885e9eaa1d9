"""The download a person unpacks and starts: built by scripts/package, checked as it ships."""
import os
import shutil
import subprocess
import sys
import time
import zipfile
from xml.etree import ElementTree

import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tools"))
sys.path.insert(0, os.path.join(ROOT, "tests", "tools"))
import peversion  # noqa: E402
from test_pictures import loaded_names  # noqa: E402

PACKAGE = os.path.join(ROOT, "scripts", "package")
PACKAGER = os.path.join(ROOT, "tools", "package.py")
BUILD = os.path.join(ROOT, "build", "win32")
ZIP = "Meltemix-1.00-win32.zip"
LIMIT = 4 * 1024 * 1024


def package(out):
    result = subprocess.run([PACKAGE, "--out", str(out)], capture_output=True, text=True)
    assert result.returncode == 0, result.stdout + result.stderr
    return out / ZIP


@pytest.fixture(scope="module")
def runs(tmp_path_factory):
    """Two zips from two runs of scripts/package."""
    return (package(tmp_path_factory.mktemp("first")), package(tmp_path_factory.mktemp("second")))


@pytest.fixture(scope="module")
def unpacked(runs, tmp_path_factory):
    folder = tmp_path_factory.mktemp("unpacked")
    with zipfile.ZipFile(runs[0]) as archive:
        archive.extractall(folder)
    return folder / "Meltemix"


def test_the_zip_unpacks_into_one_folder_with_what_the_program_loads(runs):
    with zipfile.ZipFile(runs[0]) as archive:
        names = archive.namelist()
    files = {n for n in names if not n.endswith("/")}
    wanted = {f"Meltemix/Contents/{folder}/{n}.png" for folder in ("Resources", "Resources@2x")
              for n in loaded_names()}
    wanted |= {f"Meltemix/{n}" for n in ("Meltemix.exe", "Options.ini", "BENIOKU.txt", "LISANSLAR.txt")}
    assert not wanted - files, f"missing: {sorted(wanted - files)}"
    assert not files - wanted, f"not needed: {sorted(files - wanted)}"
    assert all(n.startswith("Meltemix/") and "\\" not in n for n in names)
    # every folder is listed before what it holds
    for n in names:
        parent = n.rstrip("/").rpartition("/")[0]
        if parent:
            assert names.index(parent + "/") < names.index(n), n


def test_two_runs_give_the_same_zip_and_its_checksum(runs):
    first, second = runs
    assert first.read_bytes() == second.read_bytes()
    assert first.stat().st_size <= LIMIT, f"{first.stat().st_size} bytes"
    result = subprocess.run(["sha256sum", "-c", ZIP + ".sha256"], cwd=first.parent,
                            capture_output=True, text=True)
    assert result.returncode == 0, result.stdout + result.stderr


def test_the_program_inside_passes_the_executable_check(unpacked):
    result = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "pecheck.py"),
                             str(unpacked / "Meltemix.exe")], capture_output=True, text=True)
    assert result.returncode == 0, result.stdout + result.stderr


def test_the_program_shows_its_version_icon_and_turkish_description(unpacked):
    found, info = peversion.read(str(unpacked / "Meltemix.exe"))
    assert 1 in found.get(peversion.RT_GROUP_ICON, {}), "no program icon (IDI_MELTEMIX)"
    assert info["file"] == info["product"] == (1, 0, 0, 0)
    # Explorer looks up the string table the translation names.
    assert info["translations"] == [(0x041F, 1200)]
    strings = info["strings"]["041F04B0"]
    assert strings["ProductName"] == "Meltemix!"
    assert strings["FileVersion"] == strings["ProductVersion"] == "1.0.0.0"
    # read as the wrong code page, these letters come out as two characters each
    assert "masaüstü" in strings["FileDescription"]
    assert "Meltemix! Geliştiricileri" in strings["LegalCopyright"]
    assert strings["OriginalFilename"] == "Meltemix.exe"
    major, minor = info["file"][:2]
    assert ZIP == f"Meltemix-{major}.{minor:02d}-win32.zip"


def test_the_program_draws_itself_at_every_display_scale(unpacked):
    """Its manifest says so, or Windows stretches its windows blurred on denser screens."""
    data = (unpacked / "Meltemix.exe").read_bytes()
    start = data.index(b'<assembly xmlns="urn:schemas-microsoft-com:asm.v1"')
    end = data.index(b"</assembly>", start) + len(b"</assembly>")
    manifest = ElementTree.fromstring(data[start:end])
    settings = "{urn:schemas-microsoft-com:asm.v3}"
    found = {element.tag.split("}")[1]: (element.tag.split("}")[0][1:], element.text)
             for element in manifest.iter()
             if element.tag.endswith(("}dpiAware", "}dpiAwareness"))}
    assert found == {
        "dpiAware": ("http://schemas.microsoft.com/SMI/2005/WindowsSettings", "true"),
        "dpiAwareness": ("http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                         "PerMonitorV2, System")}
    assert manifest.find(f"{settings}application/{settings}windowsSettings") is not None


def test_the_settings_file_ships_as_utf16_with_the_provinces(unpacked):
    data = (unpacked / "Options.ini").read_bytes()
    assert data[:2] == b"\xff\xfe"
    text = data[2:].decode("utf-16-le")
    assert "[CitiesTU]" in text and "Ağrı=TUXX0104" in text
    assert "[Endpoints]" not in text


@pytest.mark.parametrize("name, needed", [
    ("BENIOKU.txt", ["Meltemix.exe", "Options.ini", "Open-Meteo", "GeoNames", "CC BY 4.0",
                     "[Endpoints]", "Weather=", "Search=", "IP=", "Maker=", "TLS 1.2", "Windows XP",
                     "%APPDATA%\\Meltemix\\Options.ini", "Meltemix-1.00-setup.exe",
                     "%LOCALAPPDATA%\\Programs\\Meltemix", "uninst.exe", "/S", "/D=",
                     "/KEEPSETTINGS=0", "_?="]),
    ("LISANSLAR.txt", ["Open-Meteo", "GeoNames", "CC BY 4.0", "Niels Lohmann",
                       "Permission is hereby granted", "mingw-w64", "GCC RUNTIME LIBRARY EXCEPTION"]),
])
def test_documents_open_in_notepad_and_say_what_they_must(unpacked, name, needed):
    data = (unpacked / name).read_bytes()
    assert data.startswith(b"\xef\xbb\xbf")
    body = data[3:]
    assert body.count(b"\n") == body.count(b"\r\n") == body.count(b"\r"), "not CRLF throughout"
    text = body.decode("utf-8")
    missing = [n for n in needed if n not in text]
    assert not missing


def test_linking_again_gives_the_same_program(runs, tmp_path):
    shipped = zipfile.ZipFile(runs[0]).read("Meltemix/Meltemix.exe")
    resources = os.path.join(BUILD, "win32", "CMakeFiles", "Meltemix.dir", "app", "Meltemix.rc.res")
    for path in (os.path.join(BUILD, "Meltemix.exe"), resources):
        if os.path.exists(path):
            os.remove(path)
    time.sleep(1)  # a different second, should anything still stamp the time
    result = subprocess.run(["nice", "-n", "10", "cmake", "--build", "--preset", "win32", "--target", "Meltemix"],
                            cwd=ROOT, capture_output=True, text=True)
    assert result.returncode == 0, result.stdout[-3000:] + result.stderr
    assert open(os.path.join(BUILD, "Meltemix.exe"), "rb").read() == shipped


def fake_build(folder, mtime):
    (folder / "Contents" / "Resources" / "Big").mkdir(parents=True)
    (folder / "Contents" / "Resources@2x" / "Big").mkdir(parents=True)
    (folder / "docs").mkdir()
    files = {"Meltemix.exe": b"MZ", "Options.ini": b"\xff\xfe", "Contents/Resources/Big/Sun.png": b"png",
             "Contents/Resources/Top Overlay.png": b"png", "Contents/Resources@2x/Big/Sun.png": b"png2",
             "docs/BENIOKU.txt": "\ufeffİlk\nİkinci\r\n".encode(), "docs/LISANSLAR.txt": b"a\r\n\r\nb"}
    for name, data in files.items():
        path = folder / name
        path.write_bytes(data)
        os.utime(path, (mtime, mtime))


def run_packager(build, out, epoch, tz):
    result = subprocess.run([sys.executable, PACKAGER, "--build", str(build), "--documents", str(build / "docs"),
                             "--out", str(out), "--version", "9.99", "--epoch", str(epoch),
                             "--make", "zip"],
                            env=dict(os.environ, TZ=tz), capture_output=True, text=True)
    return result.returncode, result.stderr, out / "Meltemix-9.99-win32.zip"


def test_the_zip_depends_on_the_epoch_only(tmp_path):
    # files of other ages, unpacked elsewhere, packed in another time zone: the same bytes
    zips = []
    for i, (mtime, tz) in enumerate([(1_000_000_000, "UTC"), (1_500_000_000, "Asia/Tokyo")]):
        fake_build(tmp_path / f"b{i}", mtime)
        status, error, path = run_packager(tmp_path / f"b{i}", tmp_path / f"out{i}", 1_700_000_000, tz)
        assert status == 0, error
        zips.append(path)
    assert zips[0].read_bytes() == zips[1].read_bytes()
    with zipfile.ZipFile(zips[0]) as archive:
        assert {i.date_time for i in archive.infolist()} == {time.gmtime(1_700_000_000)[:6]}
        assert archive.read("Meltemix/BENIOKU.txt") == "\ufeffİlk\r\nİkinci\r\n".encode()
        assert archive.read("Meltemix/LISANSLAR.txt") == b"\xef\xbb\xbfa\r\n\r\nb\r\n"
    # before 1980 cannot be written in a zip: the earliest date is used instead
    status, error, early = run_packager(tmp_path / "b0", tmp_path / "early", 0, "UTC")
    assert status == 0, error
    with zipfile.ZipFile(early) as archive:
        assert archive.infolist()[0].date_time == (1980, 1, 1, 0, 0, 0)


@pytest.mark.parametrize("missing", ["Contents", "Contents/Resources@2x"])
def test_a_missing_piece_leaves_no_zip(tmp_path, missing):
    fake_build(tmp_path, 1_000_000_000)
    shutil.rmtree(tmp_path / missing)
    status, error, path = run_packager(tmp_path, tmp_path / "out", 1_700_000_000, "UTC")
    assert status == 1 and "picture folder" in error
    assert not path.exists()


# -- the setup beside the zip

SETUP = "Meltemix-1.00-setup.exe"
UNINSTALLER = os.path.join(BUILD, "package-uninst.exe")
sys.path.insert(0, os.path.dirname(PACKAGER))
import package as packager  # noqa: E402


def setup_entries(path) -> dict:
    """What 7-Zip reads in the setup: {path: (size, modified)} of each file it installs."""
    result = subprocess.run(["7zz", "l", "-slt", str(path)], capture_output=True, text=True)
    assert result.returncode == 0, result.stdout + result.stderr
    entries, current = {}, {}
    for line in result.stdout.splitlines() + [""]:
        if not line.strip():
            if "Path" in current and current["Path"] != str(path):
                entries[current["Path"]] = (current.get("Size"), current.get("Modified"))
            current = {}
        elif " = " in line:
            key, _, value = line.partition(" = ")
            current[key] = value
    return entries


def test_the_setup_installs_exactly_the_zips_files_dated_as_they_are(runs):
    zip_path = runs[0]
    with zipfile.ZipFile(zip_path) as archive:
        shipped = {i.filename[len("Meltemix/"):]: i for i in archive.infolist()
                   if not i.filename.endswith("/")}
    entries = setup_entries(zip_path.parent / SETUP)
    # Besides the files: the setup's own helpers (unpacked to a temporary folder) and the
    # uninstaller it writes.
    own = {name for name in entries if name.startswith("$PLUGINSDIR/")} | {"uninst.exe"}
    assert set(entries) - own == set(shipped)
    for name, info in shipped.items():
        size, modified = entries[name]
        assert int(size) == info.file_size, name
        # NSIS keeps each file's time; the staging gave every one the zip's.
        assert modified.startswith("%04d-%02d-%02d %02d:%02d" % info.date_time[:5]), (name, modified)


def test_two_runs_give_the_same_setup_and_its_checksum(runs):
    first, second = (run.parent / SETUP for run in runs)
    assert first.read_bytes() == second.read_bytes()
    assert first.stat().st_size <= LIMIT, f"{first.stat().st_size} bytes"
    result = subprocess.run(["sha256sum", "-c", SETUP + ".sha256"], cwd=first.parent,
                            capture_output=True, text=True)
    assert result.returncode == 0, result.stdout + result.stderr


@pytest.mark.parametrize("which", ["setup", "uninstaller"])
def test_the_setup_and_its_uninstaller_run_on_xp_for_the_user(runs, which):
    path = str(runs[0].parent / SETUP) if which == "setup" else UNINSTALLER
    result = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "pecheck.py"), path],
                            capture_output=True, text=True)
    assert result.returncode == 0, result.stdout + result.stderr
    data = open(path, "rb").read()
    # 32-bit, and no administrator asked for.
    assert data[data.index(b"PE\0\0") + 4:][:2] == b"\x4c\x01"
    assert b'level="asInvoker"' in data


def test_the_setup_shows_its_version_in_turkish(runs):
    found, info = peversion.read(str(runs[0].parent / SETUP))
    assert found.get(peversion.RT_GROUP_ICON), "no icon"
    assert info["file"] == info["product"] == (1, 0, 0, 0)
    assert [language for language, _ in info["translations"]] == [0x041F]
    strings = next(iter(info["strings"].values()))
    assert strings["ProductName"] == "Meltemix!"
    assert strings["FileDescription"] == "Meltemix! kurulumu"
    assert strings["CompanyName"] == "Meltemix! Geliştiricileri"
    assert strings["OriginalFilename"] == SETUP


def test_the_setups_list_installs_every_file_and_removes_all_but_the_settings():
    files = {"Meltemix.exe": b"", "Options.ini": b"", "Contents/Resources/Big/Sun.png": b"",
             "Contents/Resources/$1 Price.png": b"", "Contents/Resources@2x/Big/Sun.png": b""}
    text = packager.nsis_lists(files, "/stage")
    install, remove, folders = (text.split(f"!macro MELTEMIX_{name}\n")[1].split("!macroend")[0]
                                .splitlines() for name in ("INSTALL_FILES", "REMOVE_FILES",
                                                           "REMOVE_FOLDERS"))
    # "$" would start an NSIS variable.
    assert '  File "/stage/Contents/Resources/$$1 Price.png"' in install
    assert '  Delete "$INSTDIR\\Contents\\Resources\\$$1 Price.png"' in remove
    # An upgrade keeps the user's settings; only the user's answer removes them.
    at = install.index('  File "/stage/Options.ini"')
    assert install[at - 1:at + 2] == ["  SetOverwrite off", '  File "/stage/Options.ini"',
                                      "  SetOverwrite on"]
    assert sum(line.startswith("  File ") for line in install) == len(files)
    assert len(remove) == len(files) - 1 and not any("Options.ini" in line for line in remove)
    # Each folder after what it holds.
    assert folders == ['  RMDir "$INSTDIR\\Contents\\Resources\\Big"',
                       '  RMDir "$INSTDIR\\Contents\\Resources@2x\\Big"',
                       '  RMDir "$INSTDIR\\Contents\\Resources"',
                       '  RMDir "$INSTDIR\\Contents\\Resources@2x"',
                       '  RMDir "$INSTDIR\\Contents"']
