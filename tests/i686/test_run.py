"""The host side of the emulated 32-bit run: what decides pass or fail without the machine."""

from __future__ import annotations

import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parent))
import run  # noqa: E402
from run import faults  # noqa: E402  (the wine64 runs' checker)

# As 32-bit Wine 8 prints them with WINEDEBUG=-all,err+seh,warn+seh.
WM_MOVE_FAULT = [
    "0024:warn:seh:dispatch_exception EXCEPTION_ACCESS_VIOLATION exception (code=c0000005) raised",
    "0024:err:seh:KiUserCallbackDispatcher ignoring exception",
]
HARMLESS = [
    "0034:warn:seh:dispatch_exception unknown exception (code=6ba) raised",
    "0024:warn:seh:dispatch_exception EXCEPTION_WINE_CXX_EXCEPTION exception (code=e06d7363) raised",
    "0024:warn:seh:dispatch_exception unknown exception (code=20474343) raised",
    "[  PASSED  ] 812 tests.",
    "0024:err:ole:CoGetClassObject class {00000000} not registered",
]


class TestFaults:
    def test_an_access_violation_wine_ignored_is_two_fault_lines(self):
        assert faults("\n".join(HARMLESS[:2] + WM_MOVE_FAULT + HARMLESS[2:])) == WM_MOVE_FAULT

    @pytest.mark.parametrize("code", ["c000001d", "c00000fd", "C0000094", "c0000409"])
    def test_every_fault_code_counts(self, code):
        line = f"0024:warn:seh:dispatch_exception exception (code={code}) raised"
        assert faults(line) == [line]

    def test_wines_own_exceptions_and_other_errors_do_not(self):
        assert faults("\n".join(HARMLESS)) == []
        # A longer code that merely starts like a fault's.
        assert faults("warn:seh:dispatch_exception (code=c00000051) raised") == []

    def test_the_report_names_the_log_and_skips_the_console(self, tmp_path):
        (tmp_path / "program-winxp.log").write_text("\n".join(WM_MOVE_FAULT) + "\n")
        (tmp_path / "unit.log").write_text("\n".join(HARMLESS) + "\n")
        # The kernel's own console is no Wine output; the job echoes nothing of Wine there.
        (tmp_path / "console.log").write_text(WM_MOVE_FAULT[1] + "\n")
        assert run.fault_report(tmp_path) == [f"program-winxp.log: {line}"
                                              for line in WM_MOVE_FAULT]


def test_the_root_disk_is_made_anew_when_any_of_its_inputs_changes(tmp_path, monkeypatch):
    for name in run.ROOT_INPUTS:
        (tmp_path / name).parent.mkdir(parents=True, exist_ok=True)
        (tmp_path / name).write_text(name)
    monkeypatch.setattr(run, "HERE", tmp_path)
    first = run.root_digest()
    assert run.root_digest() == first
    for name in run.ROOT_INPUTS:
        (tmp_path / name).write_text(name + " changed")
        changed = run.root_digest()
        assert changed != first, name
        first = changed


@pytest.mark.skipif(os.geteuid() != 0, reason="mounting needs root")
def test_a_root_folder_left_mounted_is_let_go_of_before_it_is_removed(tmp_path):
    # What a stopped make-root leaves: the host's folders bound into the chroot.
    host = tmp_path / "host-dev"
    host.mkdir()
    (host / "null").write_text("the host's own")
    tree = tmp_path / "root"
    (tree / "dev").mkdir(parents=True)
    subprocess.run(["mount", "--bind", str(host), str(tree / "dev")], check=True)
    try:
        run.remove_tree(tree)
    finally:
        subprocess.run(["umount", "-l", str(tree / "dev")], stderr=subprocess.DEVNULL)
    assert not tree.exists()
    assert (host / "null").read_text() == "the host's own"


@pytest.mark.skipif(not shutil.which("mke2fs") or not shutil.which("debugfs"),
                    reason="e2fsprogs missing")
def test_results_come_back_from_a_job_disk(tmp_path, monkeypatch):
    monkeypatch.setattr(run, "STATE", tmp_path)
    folder = tmp_path / "job"
    (folder / "out").mkdir(parents=True)
    (folder / "out" / "face-winxp.png").write_bytes(b"\x89PNG picture")
    (folder / "out" / "status").write_text("0\n")
    image = tmp_path / "job.img"
    run.make_disk(folder, image, "8M", "job")

    run.read_back(image, tmp_path / "results")
    assert (tmp_path / "results" / "face-winxp.png").read_bytes() == b"\x89PNG picture"
    assert (tmp_path / "results" / "status").read_text() == "0\n"
    # A job that never got to write anything still gives a folder to look in.
    (tmp_path / "empty").mkdir()
    run.make_disk(tmp_path / "empty", image, "8M", "job")
    run.read_back(image, tmp_path / "nothing")
    assert list((tmp_path / "nothing").iterdir()) == []


class TestTheMachineNeverHangsTheRun:
    """qemu stood in for by a script, the limits made short."""

    @pytest.fixture
    def machine(self, tmp_path, monkeypatch):
        monkeypatch.setattr(run, "BOOT_LIMIT", 3)
        monkeypatch.setattr(run, "SHUTDOWN_MARGIN", 1)
        machine = run.Machine(tmp_path / "root.img", tmp_path / "job.img",
                              tmp_path / "console.log", snapshot=True)

        def pretend(script: str):
            monkeypatch.setattr(machine, "command", lambda: ["sh", "-c", script])
            return machine
        return pretend

    @staticmethod
    def failure(machine, job_limit: float) -> tuple[str, float]:
        started = time.monotonic()
        with pytest.raises(run.Failed) as error:
            machine.boot(job_limit)
        return str(error.value), time.monotonic() - started

    def test_a_machine_that_never_starts_its_job(self, machine):
        message, seconds = self.failure(
            machine("echo 'Loading initial ramdisk'; exec sleep 60"), 1)
        assert "did not start its job within 3 s" in message
        assert "Loading initial ramdisk" in message, "the console's end is shown"
        assert seconds < 15

    def test_a_job_that_never_ends(self, machine):
        message, seconds = self.failure(machine(
            "echo 'meltemix-vm: job started'; echo 'meltemix-vm: unit tests ...'; exec sleep 60"), 1)
        assert "still running 2 s after its job started" in message
        assert "unit tests ..." in message
        assert seconds < 15

    def test_a_kernel_panic_ends_qemu_early(self, machine):
        message, seconds = self.failure(machine(
            "echo 'meltemix-vm: job started'; echo 'Kernel panic - not syncing'; exit 1"), 30)
        assert "qemu ended with 1" in message
        assert "Kernel panic" in message
        assert seconds < 15

    def test_a_clean_power_off(self, machine):
        booted = machine("echo 'meltemix-vm: job started'; echo 'reboot: Power down'")
        booted.boot(30)
        assert booted.booted_after is not None
        assert "Power down" in booted.console.read_text()
