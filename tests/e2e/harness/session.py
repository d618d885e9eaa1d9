"""One run of end-to-end work: an X server, a Wine prefix, the test service, the probe."""

from __future__ import annotations

import shutil
import sys
from pathlib import Path

from .faults import describe
from .ini import Sections, write_options
from .paths import PICTURE_FOLDERS, meltemix_exe, probe_exe, resources_dir
from .probe import Probe
from .program import Program
from .wine import STANDARD_DPI, WinePrefix
from .xserver import Xvfb

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from service import TestService  # noqa: E402  (lives beside the harness, runs standalone too)


def service_endpoints(url: str, live: bool = False) -> dict[str, str]:
    """The `Endpoints` keys for a test service at `url`: the service as every online service;
    with `live`, as the upstream services of the built-in provider, which then answers the
    weather, the search and the IP. The upstream bases are always the service's, so nothing
    ever reaches out."""
    upstream = {"ForecastApi": url, "GeocodingApi": url, "IpApi": f"{url}/ipify"}
    if live:
        return {"Weather": "live", "Search": "live", "IP": "live", "Maker": "", **upstream}
    return {"Weather": url, "Search": url, "Maker": url, "IP": url, **upstream}


class Session:
    def __init__(self, display: str | None = None, service_port: int = 0,
                 dpi: int = STANDARD_DPI, locale_env: dict | None = None):
        # Fail before anything starts when the build is not there.
        self.exe, self.probe_exe = meltemix_exe(), probe_exe()
        self._display = display
        self._service_port = service_port
        self.dpi = dpi
        self.locale_env = locale_env
        self.xvfb: Xvfb | None = None
        self.prefix: WinePrefix | None = None
        self.service: TestService | None = None
        self.probe: Probe | None = None
        self._programs: list[Program] = []

    @property
    def display(self) -> str:
        return self._display or self.xvfb.display

    def start(self) -> "Session":
        try:
            if self._display is None:
                # A screen of the same size in inches: at 200 % twice the pixels each way.
                self.xvfb = Xvfb(1024 * self.dpi // STANDARD_DPI,
                                 768 * self.dpi // STANDARD_DPI).start()
            self.service = TestService(self._service_port).start()
            self.prefix = WinePrefix(self.display, dpi=self.dpi, locale_env=self.locale_env)
            self.prefix.create()
            self.probe = Probe(self.prefix, self.probe_exe)
        except BaseException:
            self.stop()
            raise
        return self

    def stop(self) -> None:
        try:
            self.end_programs()
        finally:
            if self.prefix:
                self.prefix.close()
            if self.service:
                self.service.stop()
            if self.xvfb:
                self.xvfb.stop()

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    # -- the program's working directory

    def endpoints(self, live: bool = False) -> dict[str, str]:
        return service_endpoints(self.service.url, live)

    def prepare_workdir(self, workdir: Path) -> Path:
        """A working directory with the picture folders of the build, as the download has them
        (or an empty picture folder)."""
        workdir = Path(workdir)
        for folder in PICTURE_FOLDERS:
            source, pictures = resources_dir(folder), workdir / "Contents" / folder
            if source and not pictures.exists():
                shutil.copytree(source, pictures)
        (workdir / "Contents" / "Resources").mkdir(parents=True, exist_ok=True)
        return workdir

    def write_options(self, workdir: Path, sections: Sections | None = None,
                      encoding: str = "utf-16", endpoints: bool = True,
                      live: bool = False) -> Path:
        """Options.ini with the given sections, the endpoints pointing at the service first."""
        content: Sections = {"Endpoints": self.endpoints(live)} if endpoints else {}
        for section, keys in (sections or {}).items():
            content.setdefault(section, {}).update(keys)
        return write_options(Path(workdir) / "Options.ini", content, encoding)

    # -- the program

    def start_program(self, workdir: Path, extra_env: dict | None = None,
                      exe: Path | None = None, args: list[str] | None = None) -> Program:
        program = Program(self.prefix, workdir, exe or self.exe, extra_env, args).start()
        self._programs.append(program)
        return program

    def wine_gave_up(self) -> list[str]:
        """For each program Wine ended at its start, what to say of it."""
        return [said for said in (p.wine_gave_up() for p in self._programs) if said]

    def describe_programs(self) -> str:
        return "\n".join(program.describe() for program in self._programs)

    def end_programs(self) -> None:
        """Kill what is still running of the programs started so far; fails when any of them
        raised a fault, which Windows would have ended it for."""
        reports = []
        for program in self._programs:
            program.kill()
            if program.faults():
                reports.append(describe(program.describe().splitlines()[0], program.faults()))
        self._programs.clear()
        assert not reports, "\n".join(reports)

    def screenshot(self, path: Path | str) -> Path:
        from .xserver import screenshot
        return screenshot(self.display, path)
