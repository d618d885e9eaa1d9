"""Documents from a plain-HTTP service that declare a document type: the program fetches
nothing they name, stalls on none of them and reads none of them."""

from __future__ import annotations

import time

import pytest

from harness.polling import wait_until
from service import FIXTURES

MAIN = "TMainForm"
FEED = "/forecastrss/"
WM_COMMAND = 0x0111
REFRESH_COMMAND = 102  # the "&Tazele" menu entry
READY = "Istanbul, Parçalı Bulutlu, 24° - Meltemix!"
NO_ANSWER = "Istanbul - Meltemix!"
OUTSIDE = "/outside/"

# Entities nested ten deep, ten times each: expanded, 10^10 copies of a word.
BOMB = "".join(
    f"<!ENTITY e{i} '{'&e%d;' % (i - 1) * 10 if i else 'meltem'}'>" for i in range(11))


def declaring(doctype: str, city: str = "Istanbul") -> str:
    feed = (FIXTURES / "forecastrss_TUXX0014_c.xml").read_text("utf-8")
    declaration, rest = feed.split("\n", 1)
    return f"{declaration}\n{doctype}\n" + rest.replace("<title>Yahoo! Weather - Istanbul, TU",
                                                        f"<title>{city}", 1)


def title(e2e, window) -> str:
    info = e2e.probe.info(window.hwnd)
    return info.title if info else ""


@pytest.mark.parametrize("kind", ["internal", "external", "bomb"])
def test_a_feed_with_a_document_type_is_no_answer_and_reaches_nothing(e2e, workdir, kind):
    outside = f"{e2e.service.url}{OUTSIDE}"
    doctype, city = {
        "internal": ("<!DOCTYPE rss [<!ENTITY city 'Istanbul'>]>", "&city;"),
        "external": (f"<!DOCTYPE rss SYSTEM '{outside}rss.dtd' "
                     f"[<!ENTITY city SYSTEM '{outside}city.txt'>]>", "&city;"),
        "bomb": (f"<!DOCTYPE rss [{BOMB}]>", "&e10;"),
    }[kind]
    e2e.service.set_scenario("custom", FEED, body=declaring(doctype, city))
    e2e.write_options(workdir, {"General": {"CheckNewVersion": "0"},
                                "Appearance": {"InfoTextLeft": "600", "InfoTextTop": "300"}})
    program = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN)
    wait_until(lambda: title(e2e, window) == NO_ANSWER, 20,
               what=f"the face to show {NO_ANSWER!r} (it shows {title(e2e, window)!r})")
    time.sleep(1)
    assert not e2e.service.requests_to(OUTSIDE)
    # Still answering: once the feed is plain again, a refresh shows its weather.
    e2e.service.reset()
    started = time.monotonic()
    e2e.probe.post(window.hwnd, WM_COMMAND, REFRESH_COMMAND)
    wait_until(lambda: title(e2e, window) == READY, 15,
               what=f"the face to show {READY!r} (it shows {title(e2e, window)!r})")
    assert time.monotonic() - started < 10
    assert not e2e.service.requests_to(OUTSIDE)
    e2e.probe.close(window.hwnd)
    assert program.wait_exit(30) == 0
