"""The test service as the live provider's upstream services: the provider's e2e cases trust
these answers."""

from __future__ import annotations

import http.client
import json

import pytest

from service import TestService

FORECAST = ("/v1/forecast?latitude=41.0100&longitude=28.9500&current=temperature_2m"
            "&daily=weather_code&forecast_days=5&timezone=auto")


@pytest.fixture
def service():
    with TestService() as running:
        yield running


def get(service, target: str):
    connection = http.client.HTTPConnection(service.host, service.port, timeout=5)
    try:
        connection.request("GET", target)
        response = connection.getresponse()
        return response.status, response.getheader("Content-Type"), response.read()
    finally:
        connection.close()


@pytest.mark.parametrize("target, key", [
    (FORECAST, "current"),
    ("/v1/search?name=%C4%B0stanbul&count=10&language=tr&format=json", "results"),
    ("/ipify?format=json", "ip"),
])
def test_upstream_answers_from_json_fixtures(service, target, key):
    status, content_type, body = get(service, target)
    assert (status, content_type) == (200, "application/json")
    assert key in json.loads(body)
    assert service.requests[-1].target == target


def test_look_up_by_id_answers_the_place_asked_for(service):
    for wanted, name in [(745044, "İstanbul"), (311046, "İzmir"), (3833367, "Ushuaia")]:
        status, _, body = get(service, f"/v1/get?id={wanted}&language=tr")
        place = json.loads(body)
        assert status == 200 and (place["id"], place["name"]) == (wanted, name)
    status, _, body = get(service, "/v1/get?id=1&language=tr")
    assert status == 400 and json.loads(body)["error"] is True


def test_scenarios_apply_to_the_upstream_paths(service):
    service.set_scenario("bad_request", path="/v1/forecast")
    status, content_type, body = get(service, FORECAST)
    assert (status, content_type) == (400, "application/json")
    assert json.loads(body) == {"error": True, "reason": json.loads(body)["reason"]}
    assert get(service, "/ipify?format=json")[0] == 200

    service.set_scenario("garbage", path="/ipify")
    assert get(service, "/ipify?format=json")[2].startswith(b"\x89PNG")
    service.set_scenario("not_found", path="/v1/search")
    assert get(service, "/v1/search?name=x")[0] == 404
