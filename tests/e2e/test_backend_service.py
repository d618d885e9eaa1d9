"""The test service itself: the other cases trust what it answers and what it logs."""

from __future__ import annotations

import http.client
import socket

import pytest

from service import TestService, as_utf16, fixture_for

FEED = "/forecastrss/TUXX0014_c.xml"


@pytest.fixture
def service():
    with TestService() as running:
        yield running


def get(service, target: str, agent: str = "Lodosware Weather XML"):
    connection = http.client.HTTPConnection(service.host, service.port, timeout=5)
    try:
        connection.request("GET", target, headers={"User-Agent": agent})
        response = connection.getresponse()
        return response.status, response.read()
    finally:
        connection.close()


def get_unescaped(service, target: str, agent: str) -> bytes:
    """What a client sends that puts the typed text into the address as it is."""
    with socket.create_connection((service.host, service.port), timeout=5) as connection:
        connection.sendall(f"GET {target} HTTP/1.1\r\nHost: x\r\nUser-Agent: {agent}\r\n"
                           f"Connection: close\r\n\r\n".encode("latin-1"))
        return b"".join(iter(lambda: connection.recv(65536), b""))


@pytest.mark.parametrize("target, root", [
    (FEED, b"<rss"),
    ("/search/search?where=istanbul", b"<search"),
    ("/version.asp?fmt=xml", b"<version>"),
    ("/xml.aspx", b"<data>"),
])
def test_endpoints_answer_from_fixtures(service, target, root):
    status, body = get(service, target)
    assert status == 200
    assert root in body


@pytest.mark.parametrize("path", ["/forecastrss/NOPE0000_c.xml", "/forecastrss/../ip.xml",
                                  "/forecastrss/", "/elsewhere"])
def test_unknown_paths_get_the_404_page(service, path):
    status, body = get(service, path)
    assert status == 404
    assert b"<html>" in body


def test_log_keeps_path_raw_query_and_agent(service):
    assert b" 200 " in get_unescaped(service, "/search/search?where=New York",
                                     agent="Lodosware XML Search")
    get(service, "/xml.aspx")
    first, second = service.requests
    assert (first.path, first.user_agent) == ("/search/search", "Lodosware XML Search")
    assert first.params["where"] == ["New York"]
    assert first.target == "/search/search?where=New York"
    assert second.path == "/xml.aspx" and second.query == ""
    assert service.wait_for_request("/xml.aspx", timeout=0.1) == [second]
    with pytest.raises(TimeoutError):
        service.wait_for_request("/version.asp", timeout=0.1)


def test_control_requests_are_not_logged(service):
    get(service, "/_control/scenario?name=garbage&path=/xml.aspx")
    assert service.requests == []
    assert get(service, "/xml.aspx")[1].startswith(b"\x89PNG")


FULL = fixture_for(FEED).read_bytes()


@pytest.mark.parametrize("scenario, check", [
    ("ok", lambda status, body: status == 200 and body == FULL),
    ("not_found", lambda status, body: status == 404 and b"Not Found" in body),
    ("empty", lambda status, body: status == 200 and body == b""),
    ("garbage", lambda status, body: status == 200 and b"<rss" not in body),
    ("truncated", lambda status, body: status == 200 and body == FULL[:len(FULL) // 2]),
    ("bom_utf8", lambda status, body: body == b"\xef\xbb\xbf" + FULL),
    ("bom_utf16", lambda status, body: body.startswith(b"\xff\xfe")
        and 'encoding="UTF-16"' in body[2:].decode("utf-16-le")),
    ("slow", lambda status, body: status == 200 and body == FULL),
])
def test_scenario_on_one_path_leaves_the_others_alone(service, scenario, check):
    service.set_scenario(scenario, "/forecastrss/", delay=0.2)
    assert check(*get(service, FEED))
    assert get(service, "/xml.aspx")[0] == 200


@pytest.mark.parametrize("scenario", ["refused", "cut"])
def test_broken_connections_give_no_complete_answer(service, scenario):
    service.set_scenario(scenario, "/xml.aspx")
    with pytest.raises((ConnectionError, http.client.HTTPException, socket.timeout)):
        get(service, "/xml.aspx")


def test_global_refusal_closes_the_port_until_reset(service):
    port = service.port
    service.set_scenario("refused")
    with pytest.raises(ConnectionRefusedError):
        socket.create_connection(("127.0.0.1", port), timeout=2).close()
    service.reset()
    assert service.port == port
    assert get(service, "/xml.aspx")[0] == 200


def test_unknown_scenario_is_refused():
    with pytest.raises(ValueError):
        TestService().set_scenario("sometimes")


def test_utf16_form_is_the_same_document():
    assert as_utf16(FULL)[2:].decode("utf-16-le").replace('"UTF-16"', '"UTF-8"') == \
        FULL.decode("utf-8")
