"""feedview: the report and the texts of a downloaded feed, one line per item, in order."""
import os
import subprocess

import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
FEEDVIEW = os.path.join(os.environ.get("MELTEMIX_NATIVE_BUILD", os.path.join(ROOT, "build", "native")), "feedview")
DATA = os.path.join(ROOT, "tests", "unit", "data")

pytestmark = pytest.mark.skipif(not os.path.exists(FEEDVIEW), reason="no native build")


def feedview(*args):
    result = subprocess.run([FEEDVIEW, *args], capture_output=True)
    return result.returncode, result.stdout.decode("utf-8"), result.stderr.decode("utf-8")


def test_prints_every_item_in_order():
    status, out, _ = feedview(os.path.join(DATA, "istanbul.xml"), "--now", "2026-12-07T18:30")
    assert status == 0
    lines = out.splitlines()
    names = [line.split("=", 1)[0] for line in lines]
    forecast = [f"Forecast{i}.{f}" for i in range(5) for f in ("Day", "Low", "High", "Code")]
    assert names == ["LastBuildDate", "CityName", "Chill", "WindDirection", "WindSpeed", "Humidity",
                     "Visibility", "Sunrise", "Sunset", "Latitude", "Longitude", "ConditionCode",
                     "Temperature", "ConditionDate", *forecast, "DaysBehind", "WeatherText",
                     "SunText", "SituationText", "WindText", "VisibilityText", "TempText",
                     "DateText", "HijriText", "InfoText", "TrayHintText", "MoonPhasePercent",
                     "MoonIndex"]
    values = dict(line.split("=", 1) for line in lines)
    assert values["DateText"] == "7 Aralık 2026 Pazartesi"
    assert values["HijriText"] == "27 Cemâziye'l-âhir 1448 Pazartesi"
    # Line breaks inside a value are written out, so each item stays on one line.
    assert values["InfoText"].startswith(values["WeatherText"] + "\\r\\n")
    assert values["InfoText"].endswith("IP: Araştırılıyor...")


def test_windows_1254_feed_keeps_turkish_letters():
    status, out, _ = feedview(os.path.join(DATA, "izmir-1254.xml"), "--now", "2026-12-07T18:30")
    assert status == 0 and "CityName=İzmir\n" in out


@pytest.mark.parametrize("args", [["/nonexistent/feed.xml"], ["/"], [], ["feed.xml", "--now", "tomorrow"]])
def test_unreadable_input_ends_with_code_2(args):
    status, out, err = feedview(*args)
    assert status == 2 and out == "" and err
