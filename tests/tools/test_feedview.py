"""feedview: the report and the texts of a downloaded feed, one line per item, in order."""
import json
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
                     "MoonIndex", *[f"Access.{i}" for i in range(11)],
                     *[f"AccessInfo.{i}" for i in range(1, 11)]]
    values = dict(line.split("=", 1) for line in lines)
    assert values["DateText"] == "7 Aralık 2026 Pazartesi"
    assert values["HijriText"] == "27 Cemâziye'l-âhir 1448 Pazartesi"
    # Line breaks inside a value are written out, so each item stays on one line.
    assert values["InfoText"].startswith(values["WeatherText"] + "\\r\\n")
    assert values["InfoText"].endswith("IP: Araştırılıyor...")
    # What a screen reader hears: the parts shown, the buttons not before a click.
    assert values["Access.0"] == "Meltemix! - Istanbul"
    assert values["Access.1"] == "Istanbul, 11 derece, Yağışlı"
    assert values["Access.3"] == "Yarın: Parçalı Bulutlu, en yüksek 14, en düşük 8 derece"
    assert values["Access.10"] == ""
    assert values["AccessInfo.1"] == values["WeatherText"]


def test_windows_1254_feed_keeps_turkish_letters():
    status, out, _ = feedview(os.path.join(DATA, "izmir-1254.xml"), "--now", "2026-12-07T18:30")
    assert status == 0 and "CityName=İzmir\n" in out


@pytest.mark.parametrize("args", [["/nonexistent/feed.xml"], ["/"], [], ["feed.xml", "--now", "tomorrow"]])
def test_unreadable_input_ends_with_code_2(args):
    status, out, err = feedview(*args)
    assert status == 2 and out == "" and err


def reykjavik(tmp_path, now, sunrise, sunset, code=0):
    answer = {"latitude": 64.125, "longitude": -21.875, "utc_offset_seconds": 0,
              "timezone_abbreviation": "GMT",
              "current": {"time": now, "is_day": 1, "weather_code": code, "temperature_2m": 12.3},
              "daily": {"time": [now[:10]], "weather_code": [code], "sunrise": [sunrise],
                        "sunset": [sunset], "temperature_2m_max": [14], "temperature_2m_min": [8]}}
    path = tmp_path / "answer.json"
    path.write_text(json.dumps(answer), "utf-8")
    return str(path)


def forecast_values(*args):
    status, out, err = feedview("--forecast", *args)
    assert status == 0, err
    return dict(line.split("=", 1) for line in out.splitlines())


def test_a_forecast_answer_prints_the_feeds_lines_and_what_the_face_draws(tmp_path):
    values = forecast_values(os.path.join(DATA, "openmeteo_istanbul_day.json"), "--name", "İstanbul",
                             "--now", "2026-12-08T13:30")
    names = list(values)
    assert names[-3:] == ["Period", "Backdrop", "BigPicture"]
    assert names[:-3] == [line.split("=", 1)[0] for line in feedview(
        os.path.join(DATA, "istanbul.xml"))[1].splitlines()]
    assert values["CityName"] == "İstanbul" and values["Latitude"] == "41.00"
    assert (values["ConditionCode"], values["Period"]) == ("30", "day")
    assert (values["Backdrop"], values["BigPicture"]) == ("Big\\Sun.png", "Big\\Clouds.png")

    night = forecast_values(os.path.join(DATA, "openmeteo_istanbul_night.json"), "--now", "2026-12-08T23:45")
    assert night["CityName"] == "" and night["Period"] == "night"
    assert night["Backdrop"] == f"Moons\\{night['MoonIndex']}.png"
    assert night["BigPicture"] == "Big\\None.png"


@pytest.mark.parametrize("now, sunrise, sunset, period", [
    ("2026-06-21T14:00", "2026-06-21T02:55", "2026-06-22T00:03", "day"),    # sunset after midnight
    ("2026-06-21T01:30", "2026-06-21T02:55", "2026-06-22T00:03", "night"),
    ("2026-06-21T23:45", "2026-06-21T00:00", "2026-06-22T00:00", "day"),    # polar day
    ("2026-12-21T12:00", "2026-12-21T00:00", "2026-12-21T00:00", "night"),  # polar night
])
def test_the_sun_of_a_high_latitude(tmp_path, now, sunrise, sunset, period):
    values = forecast_values(reykjavik(tmp_path, now, sunrise, sunset), "--name", "Reykjavík", "--now", now)
    assert values["Period"] == period
    assert values["Backdrop"] == ("Big\\Sun.png" if period == "day" else f"Moons\\{values['MoonIndex']}.png")
    # No sun time of another day is named as today's.
    assert values["SunText"] == ""


def test_a_forecast_code_without_a_sky(tmp_path):
    values = forecast_values(reykjavik(tmp_path, "2026-06-21T14:00", "2026-06-21T02:55",
                                       "2026-06-21T23:50", code=77))
    assert (values["WeatherText"], values["Backdrop"], values["BigPicture"]) == (
        "Kar yağışlı", "Big\\None.png", "Big\\Snow.png")
    assert values["SunText"] == "GD: 02:55, GB: 23:50"


@pytest.mark.parametrize("answer", ["openmeteo_error.json", "istanbul.xml"])
def test_an_answer_the_provider_makes_no_report_of_is_an_error(answer):
    status, out, err = feedview("--forecast", os.path.join(DATA, answer))
    assert status == 1 and out == "" and "no report" in err


@pytest.mark.parametrize("args", [["--forecast"], ["feed.xml", "--name", "X"]])
def test_forecast_arguments(args):
    status, out, err = feedview(*args)
    assert status == 2 and out == "" and err
