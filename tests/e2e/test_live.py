"""The built-in provider: the program asks the public keyless services (played here by the
test service) and shows their weather, as if the old feed had answered."""

from __future__ import annotations

import pytest

from harness.polling import wait_until

MAIN, INFO = "TMainForm", "TInfoTextForm"
NO_CONNECTION = "Meltemix! - Bağlantı yok"


def start(e2e, workdir, code=None):
    sections = {"General": {"CheckNewVersion": "0"},
                "Appearance": {"InfoTextLeft": "600", "InfoTextTop": "300"}}
    if code:
        sections["Location"] = {"CityID": code}
    e2e.write_options(workdir, sections, live=True)
    program = e2e.start_program(workdir)
    return program, e2e.probe.visible_window(MAIN)


def title_of(e2e, hwnd) -> str:
    info = e2e.probe.info(hwnd)
    return info.title if info else ""


def wait_for(e2e, hwnd, test, what, timeout=20.0) -> str:
    return wait_until(lambda: (lambda t: t if test(t) else None)(title_of(e2e, hwnd)), timeout,
                      what=f"{what} (shown: {title_of(e2e, hwnd)!r})")


def close(e2e, program, window) -> None:
    e2e.probe.close(window.hwnd)
    assert program.wait_exit(30) == 0


def test_a_fresh_start_shows_istanbul_from_the_forecast_service(e2e, workdir):
    program, window = start(e2e, workdir)
    shown = wait_for(e2e, window.hwnd, lambda t: t.endswith("° - Meltemix!"), "a live report")
    assert shown == "İstanbul, Yağışlı, 11° - Meltemix!"
    forecast = e2e.service.requests_to("/v1/forecast")
    assert len(forecast) == 1
    params = forecast[0].params
    assert params["latitude"] and params["longitude"] and params["forecast_days"] == ["5"]
    assert params["timezone"] == ["auto"]
    # The IP line shows the echoed address.
    info = e2e.probe.window(INFO)
    wait_for(e2e, info.hwnd, lambda t: "IP: 203.0.113.7" in t, "the echoed address")
    close(e2e, program, window)


def test_a_place_found_by_the_search_is_looked_up_by_its_id(e2e, workdir):
    program, window = start(e2e, workdir, code="GN3833367")
    wait_for(e2e, window.hwnd, lambda t: t.endswith("° - Meltemix!"), "a live report")
    lookups = e2e.service.requests_to("/v1/get")
    assert [r.params.get("id") for r in lookups] == [["3833367"]]
    close(e2e, program, window)


@pytest.mark.parametrize("scenario", ["bad_request", "garbage", "refused"])
def test_a_failing_upstream_shows_no_connection(e2e, workdir, scenario):
    e2e.service.set_scenario(scenario, None if scenario == "refused" else "/v1/forecast")
    program, window = start(e2e, workdir)
    wait_for(e2e, window.hwnd, lambda t: t == NO_CONNECTION, "no connection")
    assert program.running
    close(e2e, program, window)


def test_an_unknown_code_is_no_connection_without_asking(e2e, workdir):
    program, window = start(e2e, workdir, code="XXXX9999")
    wait_for(e2e, window.hwnd, lambda t: t == NO_CONNECTION, "no connection")
    assert not e2e.service.requests_to("/v1/forecast")
    close(e2e, program, window)


def test_without_a_secure_connection_the_upstreams_are_asked_over_plain_http(e2e, workdir):
    # As on Windows XP: the service speaks only plain HTTP, so no https:// request to it
    # can set up its secure connection.
    secure = e2e.service.url.replace("http://", "https://")
    sections = {"General": {"CheckNewVersion": "0"},
                "Endpoints": {"ForecastApi": secure, "GeocodingApi": secure,
                              "IpApi": f"{secure}/ipify"}}
    e2e.write_options(workdir, sections, live=True)
    program = e2e.start_program(workdir)
    window = e2e.probe.visible_window(MAIN)
    shown = wait_for(e2e, window.hwnd, lambda t: t.endswith("° - Meltemix!"), "a live report")
    assert shown == "İstanbul, Yağışlı, 11° - Meltemix!"
    info = e2e.probe.window(INFO)
    wait_for(e2e, info.hwnd, lambda t: "IP: 203.0.113.7" in t, "the echoed address")
    close(e2e, program, window)
