"""Weeks of a desktop widget's life in minutes: one program through hundreds of refreshes of
two places in turn, some of them failing, with wakes, display and clock changes, menus,
hides and shows, and the options dialog opened and cancelled among them. Each step is
checked as it ends (the face's title, one request to the feed, no dialog left standing);
resident memory and the X server's resources of the program are sampled as it goes.

Used by tests/e2e/test_soak.py (the case) and bench/soak.py (a longer run of it).
"""

from __future__ import annotations

import time
from collections import Counter
from dataclasses import dataclass, field
from pathlib import Path

from .driver import Driver
from .polling import wait_until
from .session import Session
from .xresources import resources_of

FEED = "/forecastrss/"
WM_SETTINGCHANGE, SPI_SETWORKAREA = 0x001A, 0x002F
WM_TIMECHANGE, WM_DISPLAYCHANGE = 0x001E, 0x007E
WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC = 0x0218, 0x12
REFRESH, SHOW, HIDE, FAVORITE = 102, 106, 107, 1000

# The favourites in the order their menu shows them, with the title each one's report gives.
PLACES = [("Ankara", "TUXX0002", "Ankara, Açık, 19° - Meltemix!"),
          ("İstanbul", "TUXX0014", "Istanbul, Parçalı Bulutlu, 24° - Meltemix!")]
NO_CONNECTION = "Meltemix! - Bağlantı yok"
# What the service does to one refresh in seven, in turn: the network gone, then answers that
# are not the feed (the report is cleared, the place's name stays).
FAILURES = ("refused", "not_found", "garbage", "empty", "truncated", "cut")
# The kinds of step beside the refreshes.
EXTRAS = ("tray menu", "window menu", "options", "hide", "display change", "clock change")
# The X resources that a window system's leak would show in.
X_KINDS = ("windows", "pixmaps", "GCs", "pictures", "glyphsets", "cursors", "fonts")

OPTIONS = {"General": {"CheckNewVersion": "0", "FirstUsage": "0"},
           "Appearance": {"Left": "200", "Top": "200", "InfoTextLeft": "600",
                          "InfoTextTop": "300"},
           "Favorites": {name: code for name, code, _ in PLACES}}


def rss_kib(pid: int) -> int:
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    raise RuntimeError(f"no VmRSS for {pid}")


@dataclass
class Sample:
    cycle: int
    seconds: float
    rss_kib: int
    x: Counter

    def line(self) -> str:
        x = ", ".join(f"{kind} {self.x[kind]}" for kind in X_KINDS if self.x[kind])
        return (f"cycle {self.cycle:5d} at {self.seconds:6.1f} s: resident {self.rss_kib} KiB; "
                f"X: {x} ({self.x['clients']} connections)")


@dataclass
class SoakResult:
    cycles: int
    done: int = 0
    samples: list[Sample] = field(default_factory=list)
    steps: Counter = field(default_factory=Counter)
    step_seconds: Counter = field(default_factory=Counter)
    last_title: str = ""
    seconds: float = 0.0

    def sample_at(self, cycle: int) -> Sample:
        return next(s for s in self.samples if s.cycle >= cycle)

    def summary(self) -> str:
        steps = ", ".join(f"{name} {count} ({self.step_seconds[name]:.1f} s)"
                          for name, count in sorted(self.steps.items()))
        return "\n".join([f"{self.done} of {self.cycles} cycles in {self.seconds:.1f} s; "
                          f"steps: {steps}",
                          *(s.line() for s in self.samples)])


class Soak:
    def __init__(self, session: Session, workdir: Path, cycles: int, warmup: int = 30,
                 samples_every: int = 50, only: set[str] | None = None):
        self.session, self.workdir = session, Path(workdir)
        self.only = only  # the kinds of step beside the refreshes; None for the day's mix
        self.cycles, self.warmup, self.samples_every = cycles, warmup, samples_every
        self.result = SoakResult(cycles)
        self.city = "Istanbul"  # the name the face shows: the last report's
        self.place = 1

    def run(self) -> SoakResult:
        session = self.session
        session.write_options(self.workdir, OPTIONS)
        self.program = session.start_program(self.workdir)
        start = time.monotonic()
        try:
            self._run(start)
        finally:
            self.result.seconds = time.monotonic() - start
        return self.result

    def _run(self, start: float) -> None:
        with Driver(self.session.prefix) as self.driver:
            self.driver.attach()
            wait_until(lambda: self.driver.state()["title"] == PLACES[1][2], 30,
                       what="the first report")
            self._sample(0, start)
            # The favourites' captions are read when a menu opens.
            self._step("tray menu", lambda: self.driver.menu("tray"))
            for cycle in range(1, self.cycles + 1):
                self._cycle(cycle)
                self.result.done = cycle
                if cycle == self.warmup or cycle % self.samples_every == 0 or cycle == self.cycles:
                    self._sample(cycle, start)
            # The last word is a good report of the place the user set.
            self._refresh("last favorite", FAVORITE + 1, None, 1)
            self.result.last_title = self.driver.state()["title"]

    # -- one cycle: one refresh, and what else a day brings

    def _cycle(self, i: int) -> None:
        failure = FAILURES[(i // 7) % len(FAILURES)] if i % 7 == 3 else None
        if i % 20 == 10:
            # A wake whose refresh fails is tried again seconds later, in the middle of the
            # next steps: the wakes find the network up.
            self._refresh("wake", WM_POWERBROADCAST, None, self.place, PBT_APMRESUMEAUTOMATIC)
        elif i % 2 == 0:
            place = (i // 2) % 2
            self._refresh("favorite", FAVORITE + place, failure, place)
        else:
            self._refresh("refresh", REFRESH, failure, self.place)
        driver = self.driver
        if self._due("tray menu", i, 10, 1):
            self._step("tray menu", lambda: driver.menu("tray"))
        if self._due("window menu", i, 10, 6):
            self._step("window menu", lambda: driver.menu("window"))
        if self._due("options", i, 15, 4):
            self._step("options", driver.options)
        if self._due("hide", i, 30, 8):
            self._step("hide", lambda: self._check_visible(driver.command(HIDE), False))
            self._step("show", lambda: self._check_visible(driver.command(SHOW), True))
        if self._due("display change", i, 30, 20):
            self._step("display change", lambda: (
                driver.send(WM_DISPLAYCHANGE, 32, (768 << 16) | 1024),
                driver.send(WM_SETTINGCHANGE, SPI_SETWORKAREA)))
        if self._due("clock change", i, 30, 25):
            self._step("clock change", lambda: driver.send(WM_TIMECHANGE))
        state = driver.state()
        assert not state["dialogs"], f"cycle {i}: a dialog stands open: {state['dialogs']}"

    def _due(self, kind: str, cycle: int, period: int, phase: int) -> bool:
        if self.only is not None:
            return kind in self.only  # a benchmark of one kind of step: at every cycle
        return cycle % period == phase

    def _refresh(self, name: str, message_or_command: int, failure: str | None, place: int,
                 wparam: int | None = None) -> None:
        service = self.session.service
        before = len(service.requests_to(FEED))
        if failure == "refused":
            service.set_scenario("refused")  # nobody listens: the network is gone
        elif failure:
            service.set_scenario(failure, FEED)
        try:
            def refresh():
                if wparam is None:
                    self.driver.command(message_or_command)
                else:
                    self.driver.send(message_or_command, wparam)
                return self.driver.settle()
            title = self._step(name if not failure else f"{name} ({failure})", refresh)
        finally:
            if failure == "refused":
                service.set_scenario("ok")
            elif failure:
                service.set_scenario("ok", FEED)
        self.place = place  # the place asked for, whatever the answer
        if failure is None:
            self.city = PLACES[place][2].split(",")[0]  # the name comes with the report
            expected = PLACES[place][2]
        elif failure == "refused":
            expected = NO_CONNECTION
        else:
            expected = f"{self.city} - Meltemix!"
        # A connection reset halfway through the body loses, at times, what had arrived
        # before it, and with it the answer: then it is no connection.
        allowed = {expected, NO_CONNECTION} if failure == "cut" else {expected}
        assert title in allowed, (f"{name} ({failure or 'ok'}): the face shows {title!r}; "
                                  f"dialogs: {self.driver.state()['dialogs']}")
        asked = len(service.requests_to(FEED)) - before
        assert asked == (0 if failure == "refused" else 1), \
            f"{name} ({failure or 'ok'}): {asked} requests to the feed"

    def _step(self, name: str, action):
        started = time.monotonic()
        value = action()
        self.result.steps[name] += 1
        self.result.step_seconds[name] += time.monotonic() - started
        return value

    @staticmethod
    def _check_visible(answer: dict, visible: bool) -> dict:
        assert answer["visible"] == visible, f"the window's visibility is {answer['visible']}"
        return answer

    def _sample(self, cycle: int, start: float) -> None:
        pid = self.program.process.pid
        self.result.samples.append(Sample(cycle, time.monotonic() - start, rss_kib(pid),
                                          resources_of(self.session.display, pid)))
