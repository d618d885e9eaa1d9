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


def pytest_collection_modifyitems(items):
    # The cases in prefixes of another display density run last: the first case of the run's
    # own prefix after them stalled in its first probe, though each passes on its own.
    items.sort(key=lambda item: "e2e_at_dpi" in getattr(item, "fixturenames", ()))


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
