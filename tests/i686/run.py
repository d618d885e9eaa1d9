#!/usr/bin/env python3
"""The shipped 32-bit program under 32-bit Wine, in an emulated x86-64 machine.

This kind of Linux machine runs no 32-bit code at all, and 32-bit Wine does not work under
qemu's user-mode emulation. So qemu-system-x86_64 emulates a whole machine in software
(-cpu Nehalem: with "max" the guest kernel faults on 32-bit returns to user mode) that
boots Debian's own kernel into a small Debian root with 32-bit Wine, an X server and
python3. Inside it:

  * the i686 unit tests (build/win32/posix, the POSIX-thread build) run and must pass;
  * the shipped setup (build/win32/installer, made as scripts/package makes dist's) installs
    build/win32's Meltemix.exe and its Contents silently into a folder that holds an
    Options.ini pointing at the test service (tests/e2e/service.py, on the machine's
    loopback); the program, started from its Start menu shortcut, runs until its face shows
    the report, is photographed and closed, and the setup's uninstaller removes it silently:
    once as Wine's default Windows, once with Wine told to be Windows XP;
  * every Wine process runs with the WINEDEBUG of the wine64 runs (harness/faults.py).

What comes out lands in out/i686: the screenshots face-default.png and face-winxp.png, the
output of every Wine process (*.log), results.json and the machine's console (console.log).
The run fails on a failed step and on any fault that Wine reported (see faults.py), and
prints the offending lines (the checker of the wine64 runs, harness/faults.py).

The root disk (build/i686vm/root.img) is made once: make-root installs the packages named
in ./packages from the machine's Debian mirror, and a first boot makes the Wine prefix
inside it (minutes under emulation). It is made again when those inputs change (their hash
is in root.stamp). Test boots open it in qemu's snapshot mode and change nothing of it; a
second small disk carries the job in and the results out.

Every wait has a limit: the boot, the job inside, each step inside, and qemu as a whole,
so a hang ends as a message with the end of the machine's console.

  tests/i686/run.py [--out DIR] [--rebuild-root]      (as root: debootstrap, chroot)
"""

from __future__ import annotations

import argparse
import hashlib
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parents[1]
STATE = REPO / "build" / "i686vm"
BUILD = REPO / "build" / "win32"
POSIX = BUILD / "posix"
sys.path.insert(0, str(REPO / "tests" / "e2e"))
from harness.faults import WINEDEBUG, faults  # noqa: E402
from harness.ini import write_options  # noqa: E402
from harness.session import service_endpoints  # noqa: E402

ROOT_INPUTS = ("packages", "make-root", "guest/init", "guest/make-prefix")
SERVICE_PORT = 8642
# What the face's title says once the report of the service's feed for the default place is
# on it.
READY_TITLE = "Istanbul, Parçalı Bulutlu, 24° - Meltemix!"
RUNS = ({"name": "default", "version": None}, {"name": "winxp", "version": "winxp"})

# Where the setup installs (/D=): spaces, as a user's folder may have.
SETUP_FOLDER = r"C:\Kurulum Deneme\Meltemix"
SETUP = "Meltemix-1.00-setup.exe"

# Seconds. Under emulation the machine boots in about 30 s, a new prefix takes 4-5 minutes,
# the unit tests about 1.5 minutes, the program's window comes after 5-20 s and its report
# about 10 s later. The job as a whole gets a limit of its own, for whatever the limits of
# its steps do not cover; qemu is ended past it.
BOOT_LIMIT = 300
PREFIX_LIMIT = 900
UNIT_LIMIT = 600
WINDOW_LIMIT = 180
REPORT_LIMIT = 180
EXIT_LIMIT = 60
SETUP_LIMIT = 300
JOB_LIMIT = 1200
SHUTDOWN_MARGIN = 120


class Failed(Exception):
    pass


def run(args: list, timeout: float, what: str) -> None:
    result = subprocess.run(list(map(str, args)), timeout=timeout, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT)
    if result.returncode != 0:
        raise Failed(f"{what} failed ({result.returncode}):\n"
                     f"{result.stdout.decode(errors='replace')[-3000:]}")


def root_digest() -> str:
    digest = hashlib.sha256()
    for name in ROOT_INPUTS:
        digest.update(name.encode() + b"\0" + (HERE / name).read_bytes() + b"\0")
    return digest.hexdigest()


def remove_tree(tree: Path) -> None:
    """Removes a root folder, first letting go of what a stopped make-root left mounted in it
    (the host's /proc, /sys and /dev, which must never be removed through it)."""
    prefix = str(tree.resolve()) + "/"
    with open("/proc/mounts") as mounts:
        inside = [line.split()[1] for line in mounts if line.split()[1].startswith(prefix)]
    for point in sorted(inside, key=len, reverse=True):
        subprocess.run(["umount", "-l", point], timeout=60)
    with open("/proc/mounts") as mounts:
        if any(line.split()[1].startswith(prefix) for line in mounts):
            raise Failed(f"{tree} still has mounts inside; not removing it")
    shutil.rmtree(tree, ignore_errors=True)


def make_disk(folder: Path, image: Path, size: str, label: str) -> None:
    image.unlink(missing_ok=True)
    run(["mke2fs", "-q", "-t", "ext4", "-d", folder, "-L", label, image, size], 600,
        f"mke2fs {image.name}")


def read_back(image: Path, dest: Path) -> None:
    """The job disk's /out into `dest` (which must not exist yet)."""
    with tempfile.TemporaryDirectory(dir=STATE) as scratch:
        run(["debugfs", "-R", f"rdump /out {scratch}", image], 300, "reading the job disk")
        if (Path(scratch) / "out").is_dir():
            shutil.move(str(Path(scratch) / "out"), dest)
        else:
            dest.mkdir(parents=True)


class Machine:
    """One boot of the emulated machine with a root disk and a job disk."""

    def __init__(self, root: Path, job: Path, console: Path, snapshot: bool):
        self.root, self.job, self.console, self.snapshot = root, job, console, snapshot
        self.booted_after: float | None = None

    def command(self) -> list[str]:
        snapshot = ",snapshot=on" if self.snapshot else ""
        return [
            "nice", "qemu-system-x86_64", "-nodefaults", "-no-reboot", "-display", "none",
            "-accel", "tcg,thread=multi", "-cpu", "Nehalem", "-smp", "2", "-m", "3072",
            "-kernel", str(STATE / "vmlinuz"), "-initrd", str(STATE / "initrd.img"),
            # panic=1 with -no-reboot: a kernel that panics ends qemu instead of leaving it
            # to its time limit.
            "-append", "root=/dev/vda rw console=ttyS0 quiet loglevel=3 panic=1 "
                       "init=/usr/local/sbin/meltemix-init",
            "-drive", f"file={self.root},format=raw,if=virtio{snapshot}",
            "-drive", f"file={self.job},format=raw,if=virtio",
            "-device", "virtio-rng-pci", "-nic", "none",
            "-serial", "stdio", "-monitor", "none",
        ]

    def boot(self, job_limit: float) -> None:
        """Runs the machine to its power-off; raises Failed on a hang or an early end."""
        started = time.monotonic()
        job_started = threading.Event()
        process = subprocess.Popen(self.command(), stdin=subprocess.DEVNULL,
                                   stdout=subprocess.PIPE, stderr=subprocess.STDOUT)

        def relay():
            with open(self.console, "wb") as log:
                for raw in process.stdout:
                    log.write(raw)
                    log.flush()
                    line = raw.decode(errors="replace").rstrip()
                    if "meltemix-vm:" in line:
                        print("  " + line[line.index("meltemix-vm:"):], flush=True)
                        if "job started" in line and not job_started.is_set():
                            self.booted_after = time.monotonic() - started
                            job_started.set()
        reader = threading.Thread(target=relay, daemon=True)
        reader.start()
        try:
            if not job_started.wait(BOOT_LIMIT):
                raise Failed(self._ended(process, f"the machine did not start its job within "
                                                  f"{BOOT_LIMIT} s"))
            try:
                process.wait(job_limit + SHUTDOWN_MARGIN)
            except subprocess.TimeoutExpired:
                raise Failed(self._ended(process, f"the machine was still running "
                                                  f"{job_limit + SHUTDOWN_MARGIN:.0f} s after "
                                                  f"its job started")) from None
            reader.join(10)
            if process.returncode != 0:
                raise Failed(self._ended(process, f"qemu ended with {process.returncode}"))
        finally:
            if process.poll() is None:
                process.kill()
                process.wait(30)

    def _ended(self, process: subprocess.Popen, why: str) -> str:
        if process.poll() is None:
            process.kill()
            process.wait(30)
        time.sleep(0.5)
        tail = self.console.read_bytes()[-3000:].decode(errors="replace") \
            if self.console.exists() else ""
        return f"{why}; the end of its console ({self.console}):\n{tail}"


def job_disk(folder: Path, limit: float) -> Path:
    (folder / "limit").write_text(str(int(limit)))
    image = STATE / "job.img"
    make_disk(folder, image, "1G", "job")
    return image


def ensure_root(rebuild: bool, out: Path, times: dict) -> None:
    image, stamp = STATE / "root.img", STATE / "root.stamp"
    digest = root_digest()
    if not rebuild and image.is_file() and stamp.is_file() and stamp.read_text() == digest:
        print(f"root disk: {image} (its inputs unchanged)")
        return
    print(f"root disk: making {image}")
    STATE.mkdir(parents=True, exist_ok=True)
    tree = STATE / "root"
    for old in (image, stamp, STATE / "root.img.partial"):
        old.unlink(missing_ok=True)
    remove_tree(tree)
    for log in STATE.glob("root.*.log"):
        log.unlink()

    started = time.monotonic()
    run([HERE / "make-root", tree], 1800, "make-root")
    for name, pattern in (("vmlinuz", "vmlinuz-*"), ("initrd.img", "initrd.img-*")):
        found = sorted((tree / "boot").glob(pattern))
        if not found:
            raise Failed(f"no {pattern} in {tree / 'boot'}")
        shutil.copyfile(found[-1], STATE / name)
    partial = STATE / "root.img.partial"
    make_disk(tree, partial, "6G", "root")
    remove_tree(tree)
    times["root image"] = time.monotonic() - started

    started = time.monotonic()
    with tempfile.TemporaryDirectory(dir=STATE) as folder:
        shutil.copy(HERE / "guest" / "make-prefix", Path(folder) / "run")
        job = job_disk(Path(folder), PREFIX_LIMIT)
    Machine(partial, job, out / "console-prefix.log", snapshot=False).boot(PREFIX_LIMIT)
    made = STATE / "prefix-out"
    shutil.rmtree(made, ignore_errors=True)
    read_back(job, made)
    if not (made / "prefix-made").is_file():
        log = made / "wineboot.log"
        raise Failed("the Wine prefix was not made: " +
                     (log.read_text(errors="replace")[-3000:] if log.exists() else
                      f"see {out / 'console-prefix.log'}"))
    partial.rename(image)
    stamp.write_text(digest)
    times["Wine prefix"] = time.monotonic() - started


def needed(path: Path, hint: str) -> Path:
    if not path.exists():
        raise Failed(f"{path} is missing: {hint}")
    return path


def test_job(folder: Path) -> None:
    hint = "build the win32 preset first (cmake --preset win32 && cmake --build --preset win32)"
    # The program and its pictures come in the setup; the settings are the test's.
    program = folder / "program"
    program.mkdir()
    url = f"http://127.0.0.1:{SERVICE_PORT}"
    # As the end-to-end cases start the program: every service at the test service, no
    # version question in front of the face, the details window beside it.
    write_options(program / "Options.ini", {
        "Endpoints": service_endpoints(url),
        "General": {"CheckNewVersion": "0"},
        "Appearance": {"InfoTextLeft": "600", "InfoTextTop": "300"},
    })
    (folder / "unit").mkdir()
    shutil.copy(needed(POSIX / "tests" / "unit" / "meltemix_tests.exe", hint), folder / "unit")
    # The cases read their files at the paths the build compiled in: the test data and, beside
    # it, the shipped settings and province list of data/.
    for part in ("tests/unit/data", "data"):
        shutil.copytree(REPO / part, folder / "source" / part)
    shutil.copy(needed(POSIX / "probe.exe", hint), folder)
    shutil.copy(needed(POSIX / "shellprobe.exe", hint), folder)
    shutil.copy(needed(BUILD / "installer" / SETUP, hint), folder)
    (folder / "service").mkdir()
    shutil.copy(REPO / "tests" / "e2e" / "service.py", folder / "service")
    shutil.copytree(REPO / "tests" / "e2e" / "fixtures", folder / "service" / "fixtures")
    shutil.copy(HERE / "guest" / "job.py", folder)
    (folder / "run").write_text("#!/bin/sh\nexec python3 /job/job.py\n")
    (folder / "run").chmod(0o755)
    (folder / "config.json").write_text(json.dumps({
        "winedebug": WINEDEBUG, "runs": RUNS, "service_port": SERVICE_PORT,
        "ready_title": READY_TITLE, "source_root": str(REPO),
        "unit_timeout": UNIT_LIMIT, "window_timeout": WINDOW_LIMIT,
        "report_timeout": REPORT_LIMIT, "exit_timeout": EXIT_LIMIT,
        "setup": SETUP, "setup_folder": SETUP_FOLDER, "setup_timeout": SETUP_LIMIT,
        "min_face_colours": 64,
    }, ensure_ascii=False, indent=1))


def fault_report(out: Path) -> list[str]:
    found = []
    for log in sorted(out.glob("*.log")):
        if log.name.startswith("console") or log.name in ("xvfb.log", "service.log"):
            continue
        found += [f"{log.name}: {line}" for line in faults(log.read_text(errors="replace"))]
    return found


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=Path, default=REPO / "out" / "i686",
                        help="folder for screenshots and logs (emptied first)")
    parser.add_argument("--rebuild-root", action="store_true",
                        help="make the root disk anew even when its inputs are unchanged")
    args = parser.parse_args(argv)
    if os.geteuid() != 0:
        print("i686: needs root (debootstrap, chroot, loop-free disk images)", file=sys.stderr)
        return 1
    for tool in ("qemu-system-x86_64", "debootstrap", "mke2fs", "debugfs"):
        if not shutil.which(tool):
            print(f"i686: {tool} is missing (scripts/lib/packages.sh installs it)",
                  file=sys.stderr)
            return 1
    out = args.out.resolve()
    shutil.rmtree(out, ignore_errors=True)
    out.mkdir(parents=True)
    times: dict[str, float] = {}
    problems: list[str] = []
    try:
        ensure_root(args.rebuild_root, out, times)
        with tempfile.TemporaryDirectory(dir=STATE) as folder:
            test_job(Path(folder))
            job = job_disk(Path(folder), JOB_LIMIT)
        machine = Machine(STATE / "root.img", job, out / "console.log", snapshot=True)
        started = time.monotonic()
        try:
            machine.boot(JOB_LIMIT)
        finally:
            if machine.booted_after is not None:
                times["boot"] = machine.booted_after
            times["machine in all"] = time.monotonic() - started
            results = STATE / "job-out"
            shutil.rmtree(results, ignore_errors=True)
            try:
                read_back(job, results)
                for item in results.iterdir():
                    shutil.move(str(item), out / item.name)
            except Failed as error:
                problems.append(str(error))
    except (Failed, subprocess.TimeoutExpired, OSError) as error:
        problems.append(str(error))

    steps = json.loads((out / "results.json").read_text()) \
        if (out / "results.json").is_file() else []
    for entry in steps:
        times[entry["name"]] = entry["seconds"]
        if not entry["ok"]:
            problems.append(f"{entry['name']}: {entry['message']}")
    if not steps and not problems:
        problems.append("the job inside reported no step")
    status = (out / "status").read_text().strip() if (out / "status").is_file() else "none"
    if steps and status not in ("0", "1"):
        problems.append(f"the job inside ended with status {status} (124: its time limit)")
    fault_lines = fault_report(out)
    if fault_lines:
        problems.append("Wine reported faults:\n" + "\n".join(fault_lines))

    print("i686 times: " + ", ".join(f"{name} {seconds:.0f} s" for name, seconds in times.items()))
    (out / "times.json").write_text(json.dumps(times, indent=1))
    for entry in steps:
        print(f"i686 {entry['name']}: {'ok' if entry['ok'] else 'FAILED'}: {entry['message']}")
    for problem in problems:
        print(f"i686: {problem}", file=sys.stderr)
    print(f"i686: screenshots and logs in {out}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
