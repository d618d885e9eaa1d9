"""What the harness says of a start that Wine, not the program, ended: told as Wine's, with
what Wine printed, instead of a window that never came. No Wine is run: a shell stands in
for the process."""

from __future__ import annotations

import subprocess
from pathlib import Path

from harness.program import Program

DISPLAY_LOST = ("0024:err:winediag:x11drv_init_thread_data x11drv: Can't open display: :101. "
                "Please ensure that your X server is running and that $DISPLAY is set correctly.")


class ShellPrefix:
    """Runs a shell script where Wine would run the program."""

    def __init__(self, script: str):
        self.script = script

    def popen(self, args, cwd, extra_env=None, **kwargs) -> subprocess.Popen:
        return subprocess.Popen(["sh", "-c", self.script], cwd=cwd, **kwargs)


def ended(tmp_path: Path, script: str) -> Program:
    workdir = tmp_path / "work"
    workdir.mkdir(parents=True)
    program = Program(ShellPrefix(script), workdir, exe=Path("Meltemix.exe")).start()
    program.wait_exit(10)
    return program


def test_wine_ending_a_start_with_1_is_told_with_what_wine_said(tmp_path):
    printed = tmp_path / "printed.txt"
    printed.write_text(f"Maximum number of clients reached\n{DISPLAY_LOST}\n")
    program = ended(tmp_path, f"cat '{printed}' >&2; exit 1")
    verdict = program.wine_gave_up()
    assert verdict.startswith("Wine ended Meltemix.exe")
    assert "exit code 1" in verdict
    assert DISPLAY_LOST in verdict


def test_a_silent_end_with_1_is_still_told_as_wines(tmp_path):
    verdict = ended(tmp_path, "exit 1").wine_gave_up()
    assert verdict and "nothing on its error channels" in verdict


def test_the_programs_own_ends_are_not_wines(tmp_path):
    # 0 as it ends, 3 as the C runtime's abort ends it
    for code in (0, 3):
        assert ended(tmp_path / str(code), f"exit {code}").wine_gave_up() is None
