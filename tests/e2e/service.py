"""A local stand-in for the four online services the program talks to.

It answers the weather feed, the location search, the version answer and the IP answer
from the files in fixtures/, can be told to misbehave (per path or for everything), and
logs every request so that tests can see what the program asked for and how.

Scenarios:
  ok           the fixture, as it is
  refused      everything: the listening socket is closed, so connections are refused;
               per path: the connection is reset before any answer (after option
               delay=seconds, default 0)
  not_found    404 with an HTML page
  empty        200 with an empty body
  garbage      200 with bytes that are no XML at all
  truncated    200 with the first half of the fixture (an honest, short document)
  cut          200 promising the whole fixture, then the connection drops halfway
  slow         the fixture after a delay (option delay=seconds, default 5)
  bom_utf8     the fixture after a UTF-8 byte-order mark
  bom_utf16    the fixture as UTF-16LE with its byte-order mark
  endless      200 with a body that never ends (bounded here at 64 MiB or 60 s)
  custom       200 with the body given as option body=TEXT instead of the fixture
  bad_request  400 with the forecast service's error JSON (fixtures/openmeteo_error.json)

It also plays the upstream services of the program's built-in live provider, from the JSON
fixtures: /v1/forecast (openmeteo_forecast.json, whatever the place), /v1/search
(openmeteo_search.json, whatever the name), /v1/get?id=N (that place of the search fixture
or of openmeteo_get.json, else 400 with the error JSON) and the IP echo /ipify
(ipify.json). Point the Endpoints keys ForecastApi and GeocodingApi at the service's URL and
IpApi at its URL + "/ipify".

Used from tests as a library (TestService) or on its own:
  /usr/bin/python3 tests/e2e/service.py --port 8642
and steered over HTTP through /_control/scenario?name=N[&path=P][&delay=S], /_control/reset
and /_control/log (JSON). A global "refused" closes the port, control included: over HTTP
it cannot be lifted again, from a test it is lifted by reset().
"""

from __future__ import annotations

import argparse
import json
import os
import socket
import struct
import threading
import time
from dataclasses import asdict, dataclass, field
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path
from urllib.parse import parse_qs, urlsplit

FIXTURES = Path(__file__).resolve().parent / "fixtures"

SCENARIOS = (
    "ok", "refused", "not_found", "empty", "garbage", "truncated", "cut", "slow",
    "bom_utf8", "bom_utf16", "endless", "custom", "bad_request",
)

GARBAGE = b"\x89PNG\r\n\x1a\n\x00\x17\xff<<?>\xfe\xfe&&;;</>\x01" * 8


@dataclass
class Request:
    method: str
    path: str
    query: str           # not decoded; a space sent raw shows as %20 here...
    user_agent: str
    headers: dict
    target: str = ""     # ...and as itself here: the request target exactly as sent
    time: float = field(default_factory=time.time)

    @property
    def params(self) -> dict:
        return parse_qs(self.query, keep_blank_values=True)


def fixture_for(path: str) -> Path | None:
    """The fixture file that answers a request path, or None for an unknown path."""
    if path.startswith("/forecastrss/"):
        name = path[len("/forecastrss/"):]
        # Only plain file names: the path comes from the network.
        if not name or "/" in name or "\\" in name or name.startswith("."):
            return None
        candidate = FIXTURES / f"forecastrss_{name}"
        return candidate if candidate.is_file() else None
    return {
        "/search/search": FIXTURES / "search.xml",
        "/version.asp": FIXTURES / "version.xml",
        "/xml.aspx": FIXTURES / "ip.xml",
    }.get(path)


LIVE_FIXTURES = {
    "/v1/forecast": "openmeteo_forecast.json",
    "/v1/search": "openmeteo_search.json",
    "/ipify": "ipify.json",
}


def live_answer(path: str, query: str) -> tuple[int, bytes] | None:
    """Status and JSON body of an upstream service of the live provider, or None for a
    path that is not one of them."""
    if path in LIVE_FIXTURES:
        return 200, (FIXTURES / LIVE_FIXTURES[path]).read_bytes()
    if path != "/v1/get":
        return None
    wanted = parse_qs(query).get("id", [""])[0]
    places = json.loads((FIXTURES / "openmeteo_search.json").read_text("utf-8"))["results"]
    places.append(json.loads((FIXTURES / "openmeteo_get.json").read_text("utf-8")))
    for place in places:
        if str(place.get("id")) == wanted:
            return 200, json.dumps(place, ensure_ascii=False).encode("utf-8")
    return 400, json.dumps({"error": True, "reason": "Location not found"}).encode("utf-8")


def as_utf16(body: bytes) -> bytes:
    text = body.decode("utf-8")
    for declared in ('encoding="UTF-8"', 'encoding="utf-8"'):
        text = text.replace(declared, 'encoding="UTF-16"', 1)
    return b"\xff\xfe" + text.encode("utf-16-le")


class TestService:
    """The service on 127.0.0.1; port 0 picks a free one."""

    __test__ = False  # a tool, not a test class

    def __init__(self, port: int = 0, host: str = "127.0.0.1"):
        self.host = host
        self._requested_port = port
        self.port = 0
        self._server: ThreadingHTTPServer | None = None
        self._thread: threading.Thread | None = None
        self._lock = threading.Lock()
        self._log: list[Request] = []
        self._scenarios: dict[str | None, tuple[str, dict]] = {}
        self._arrived = threading.Condition(self._lock)

    # -- life

    def start(self) -> "TestService":
        self._listen(self._requested_port)
        return self

    def stop(self) -> None:
        self._close_listener()

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    @property
    def url(self) -> str:
        return f"http://{self.host}:{self.port}"

    def _listen(self, port: int) -> None:
        service = self

        class Handler(_Handler):
            pass

        Handler.service = service
        server = ThreadingHTTPServer((self.host, port), Handler)
        server.daemon_threads = True
        self._server = server
        self.port = server.server_address[1]
        self._thread = threading.Thread(target=server.serve_forever, name="test-service",
                                        kwargs={"poll_interval": 0.05}, daemon=True)
        self._thread.start()

    def _close_listener(self) -> None:
        if self._server is not None:
            self._server.shutdown()
            self._server.server_close()
            self._server = None
            self._thread = None

    # -- scenarios

    def set_scenario(self, name: str, path: str | None = None, **options) -> None:
        """Make `path` (a path prefix such as "/xml.aspx"), or every path, answer as `name`."""
        if name not in SCENARIOS:
            raise ValueError(f"unknown scenario {name!r}; known: {', '.join(SCENARIOS)}")
        with self._lock:
            self._scenarios[path] = (name, options)
        if path is None:
            self._apply_refusal(name == "refused")

    def reset(self) -> None:
        """Back to the fixtures everywhere, and an empty log."""
        with self._lock:
            self._scenarios.clear()
            self._log.clear()
        self._apply_refusal(False)

    def scenario_for(self, path: str) -> tuple[str, dict]:
        with self._lock:
            best = None
            for prefix in self._scenarios:
                if prefix is not None and path.startswith(prefix):
                    if best is None or len(prefix) > len(best):
                        best = prefix
            return self._scenarios.get(best) or self._scenarios.get(None) or ("ok", {})

    def _apply_refusal(self, refuse: bool) -> None:
        # Refusing for real means nobody listens; the port is kept for when it comes back.
        if refuse and self._server is not None:
            self._close_listener()
        elif not refuse and self._server is None and self.port:
            self._listen(self.port)

    # -- log

    def record(self, request: Request) -> None:
        with self._arrived:
            self._log.append(request)
            self._arrived.notify_all()

    @property
    def requests(self) -> list[Request]:
        with self._lock:
            return list(self._log)

    def requests_to(self, path: str) -> list[Request]:
        return [r for r in self.requests if r.path == path or r.path.startswith(path)]

    def wait_for_request(self, path: str, timeout: float = 10.0, count: int = 1) -> list[Request]:
        """Wait until `count` requests to `path` (a prefix) arrived; raise on time-out."""
        deadline = time.monotonic() + timeout
        with self._arrived:
            while True:
                matching = [r for r in self._log if r.path.startswith(path)]
                if len(matching) >= count:
                    return matching
                left = deadline - time.monotonic()
                if left <= 0:
                    raise TimeoutError(f"no request to {path} within {timeout} s "
                                       f"(seen: {[r.path for r in self._log]})")
                self._arrived.wait(left)


class _Handler(BaseHTTPRequestHandler):
    service: TestService
    server_version = "MeltemixTestService/1.0"

    def log_message(self, format, *args):  # quiet: the request log is the record
        pass

    def parse_request(self):
        # The location search sends the typed text unescaped, spaces included.
        words = self.raw_requestline.rstrip(b"\r\n").split(b" ")
        self.target = b" ".join(words[1:-1]).decode("latin-1") if len(words) > 2 else ""
        if len(words) > 3 and words[-1].startswith(b"HTTP/"):
            self.raw_requestline = b" ".join(
                [words[0], b"%20".join(words[1:-1]), words[-1]]) + b"\r\n"
        return super().parse_request()

    def do_GET(self):
        parts = urlsplit(self.path)
        if parts.path.startswith("/_control/"):
            self._control(parts.path, parse_qs(parts.query))
            return
        self.service.record(Request(
            method="GET", path=parts.path, query=parts.query,
            user_agent=self.headers.get("User-Agent", ""), headers=dict(self.headers.items()),
            target=self.target))
        name, options = self.service.scenario_for(parts.path)
        live = live_answer(parts.path, parts.query)
        if live is not None:
            self._answer(name, options, live[1], status=live[0], content_type="application/json")
            return
        fixture = fixture_for(parts.path)
        if fixture is None:
            self._not_found()
            return
        self._answer(name, options, fixture.read_bytes())

    do_HEAD = do_GET

    def _answer(self, name: str, options: dict, body: bytes, status: int = 200,
                content_type: str = "text/xml") -> None:
        if name == "refused":
            time.sleep(float(options.get("delay", 0)))  # a request that hangs, then fails
            self._reset()
        elif name == "not_found":
            self._not_found()
        elif name == "empty":
            self._send(200, b"")
        elif name == "garbage":
            self._send(200, GARBAGE, "application/octet-stream")
        elif name == "truncated":
            self._send(200, body[: len(body) // 2])
        elif name == "cut":
            self.send_response(200)
            self.send_header("Content-Type", "text/xml")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            self._reset()
        elif name == "slow":
            time.sleep(float(options.get("delay", 5)))
            self._send(200, body)
        elif name == "bom_utf8":
            self._send(200, b"\xef\xbb\xbf" + body)
        elif name == "bom_utf16":
            self._send(200, as_utf16(body))
        elif name == "endless":
            self._endless()
        elif name == "custom":
            text = options.get("body", "")
            self._send(200, text.encode("utf-8") if isinstance(text, str) else text)
        elif name == "bad_request":
            self._send(400, (FIXTURES / "openmeteo_error.json").read_bytes(), "application/json")
        else:
            self._send(status, body, content_type)

    def _send(self, status: int, body: bytes, content_type: str = "text/xml") -> None:
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def _endless(self) -> None:
        # No length and no end: the client must give up on its own. Bounded so that a client
        # that never does cannot keep the service busy for ever.
        self.send_response(200)
        self.send_header("Content-Type", "text/xml")
        self.end_headers()
        chunk = b"<rss>" + b"x" * 65531
        deadline = time.monotonic() + 60
        try:
            for _ in range(1024):
                if time.monotonic() > deadline:
                    break
                self.wfile.write(chunk)
        except OSError:
            pass
        self.close_connection = True

    def _not_found(self) -> None:
        self._send(404, (FIXTURES / "not_found.html").read_bytes(), "text/html; charset=iso-8859-1")

    def _reset(self) -> None:
        # A linger of zero turns the close into a reset: the client gets no answer at all.
        self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        self.close_connection = True
        try:
            self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass

    def _control(self, path: str, params: dict) -> None:
        first = {key: values[0] for key, values in params.items()}
        try:
            if path == "/_control/scenario":
                name = first.pop("name")
                target = first.pop("path", None)
                self.service.set_scenario(name, target, **first)
                reply = {"scenario": name, "path": target}
            elif path == "/_control/reset":
                self.service.reset()
                reply = {"reset": True}
            elif path == "/_control/log":
                reply = [asdict(r) for r in self.service.requests]
            else:
                self._send(404, b"{}", "application/json")
                return
        except (KeyError, ValueError) as error:
            self._send(400, json.dumps({"error": str(error)}).encode(), "application/json")
            return
        self._send(200, json.dumps(reply).encode(), "application/json")


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=8642, help="0 picks a free port")
    parser.add_argument("--scenario", default="ok", choices=SCENARIOS,
                        help="answer every path this way from the start")
    parser.add_argument("--port-file", help="write the chosen port here once listening")
    args = parser.parse_args(argv)
    service = TestService(args.port).start()
    if args.scenario != "ok":
        service.set_scenario(args.scenario)
    if args.port_file:
        Path(args.port_file).write_text(str(service.port))
    print(f"test service on {service.url} (pid {os.getpid()}); Ctrl+C ends it", flush=True)
    try:
        while True:
            time.sleep(3600)
    except KeyboardInterrupt:
        pass
    finally:
        service.stop()
    return 0


if __name__ == "__main__":
    raise SystemExit(main())
