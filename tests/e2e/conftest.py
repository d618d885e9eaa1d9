"""Fixtures of the end-to-end suite: one X server, Wine prefix and test service per run,
a scratch working directory per case."""

from __future__ import annotations

import re
from pathlib import Path

import pytest

from harness import Session
from harness.paths import REPO
from harness.readonly import undo_read_only

SCREENSHOTS = REPO / "out" / "e2e"


@pytest.fixture(scope="session")
def e2e() -> Session:
    with Session() as session:
        yield session


AT_DPI = ("e2e_at_dpi", "own_session_at_dpi")


def pytest_collection_modifyitems(items):
    # The cases in prefixes of another display density run last, those of one density one
    # after the other: the first case in a prefix that another prefix was used after (the
    # run's own or another density's) stalled at times in its first probe, though each
    # passes on its own. Cases with prefixes of their own come at the very end.
    def order(item):
        names = getattr(item, "fixturenames", ())
        if not any(name in names for name in AT_DPI):
            return 0, 0
        callspec = getattr(item, "callspec", None)
        return 1, callspec.params.get("dpi", 10_000) if callspec else 10_000
    items.sort(key=order)


@pytest.fixture(scope="session")
def e2e_at_dpi():
    """Runs at another display density: `e2e_at_dpi(192)` is a session whose Wine prefix
    has that scale, made when a case first asks for it and kept for the whole run, as a
    prefix takes long to make."""
    sessions: dict[int, Session] = {}

    def at(dpi: int) -> Session:
        if dpi not in sessions:
            sessions[dpi] = Session(dpi=dpi).start()
        return sessions[dpi]
    yield at
    for session in sessions.values():
        session.stop()


@pytest.fixture
def own_session_at_dpi():
    """`own_session_at_dpi(96)` is a session in a prefix of its own at that density, ended
    with the case: for a case that needs two densities, each used once."""
    sessions: list[Session] = []

    def at(dpi: int) -> Session:
        sessions.append(Session(dpi=dpi).start())
        return sessions[-1]
    yield at
    for session in sessions:
        session.stop()


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    if report.when == "call":
        item.call_failed = report.failed
        session = item.funcargs.get("e2e")
        if report.failed and isinstance(session, Session):
            # A window that vanished says little on its own: was it a crash, an exit?
            report.sections.append(("programs of this case", session.describe_programs()))
            # A start that Wine gave up on is told first, not as a window that never came.
            verdicts = session.wine_gave_up()
            if verdicts:
                report.longrepr = "\n".join(verdicts) + f"\n\n{report.longrepr}"


@pytest.fixture
def workdir(e2e: Session, tmp_path: Path, request) -> Path:
    """The program's working directory for one case; the service is back to its fixtures."""
    e2e.service.reset()
    path = e2e.prepare_workdir(tmp_path / "work")
    yield path
    if getattr(request.node, "call_failed", False):
        name = re.sub(r"[^\w.-]+", "_", request.node.name)
        e2e.screenshot(SCREENSHOTS / f"{name}.png")
    undo_read_only(path)
    # A program a case left running would take the next case's start as a second instance.
    e2e.end_programs()
    leftovers = e2e.probe.find("TMainForm")
    assert not leftovers, f"a main window outlived its case: {leftovers}"
