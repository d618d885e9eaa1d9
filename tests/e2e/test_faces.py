"""The skinned windows as a person sees them: pictures of the main window before and after
its first report, the details and about windows, and the five panel presets, on a dark and on
a light desktop. The pictures land in out/e2e/faces/; the checks look at their pixels."""

from __future__ import annotations

import subprocess
import time
from pathlib import Path

import pytest

from conftest import SCREENSHOTS
from harness.paths import built_program
from harness.polling import wait_until
from service import FIXTURES

MAIN, INFO, ABOUT = "TMainForm", "TInfoTextForm", "TAboutForm"
WM_COMMAND, ABOUT_COMMAND = 0x0111, 100
WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN = 0x0201, 0x0202, 0x0204
FACES = SCREENSHOTS / "faces"
ISTANBUL = (FIXTURES / "forecastrss_TUXX0014_c.xml").read_text(encoding="utf-8")
DESKTOPS = {"dark": "#1e2430", "light": "#e9edf2"}
ALL_LINES = {key: "1" for key in (
    "ShowIP", "ShowSunInfo", "ShowSituation", "ShowDate", "ShowHijri", "ShowWind",
    "ShowVisibility", "ShowHumidity", "ShowChill", "ShowWeatherText")}


def feed(temperature="24", city="Istanbul", time_of_day="10:50 am", code="30") -> str:
    text = ISTANBUL.replace('temp="24"', f'temp="{temperature}"')
    text = text.replace('city="Istanbul"', f'city="{city}"')
    text = text.replace('code="30"  temp', f'code="{code}"  temp')
    return text.replace("2009 10:50 am EEST", f"2009 {time_of_day} EEST")


def desktop(e2e, colour: str) -> None:
    subprocess.run(["xsetroot", "-display", e2e.display, "-solid", colour], check=True)


def crop(shot: Path, rect, out: Path) -> Path:
    left, top, right, bottom = rect
    subprocess.run(["convert", str(shot), "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                    "+repage", str(out)], check=True)
    return out


def mean(picture: Path, region: str = "") -> float:
    """Mean brightness 0..1 of a picture, or of a region "WxH+X+Y" of it."""
    args = ["convert", str(picture)] + (["-crop", region, "+repage"] if region else [])
    result = subprocess.run(args + ["-colorspace", "Gray", "-format", "%[fx:mean]", "info:"],
                            check=True, capture_output=True, text=True)
    return float(result.stdout)


def spread(picture: Path) -> float:
    result = subprocess.run(["convert", str(picture), "-colorspace", "Gray", "-format",
                             "%[fx:standard_deviation]", "info:"],
                            check=True, capture_output=True, text=True)
    return float(result.stdout)


def title(e2e, window) -> str:
    info = e2e.probe.info(window.hwnd)
    return info.title if info else ""


def at(x: int, y: int) -> int:
    return (y << 16) | x


def start(e2e, workdir, sections=None, body=None, slow=0.0, live=False):
    if body is not None:
        e2e.service.set_scenario("custom", "/forecastrss/", body=body)
    if slow:
        e2e.service.set_scenario("slow", "/forecastrss/", delay=slow)
    options = {"General": {"CheckNewVersion": "0"},
               "Appearance": {"Left": "60", "Top": "60", "InfoTextLeft": "320",
                              "InfoTextTop": "80"}}
    for section, keys in (sections or {}).items():
        options.setdefault(section, {}).update(keys)
    e2e.write_options(workdir, options, live=live)
    program = e2e.start_program(workdir)
    return program, e2e.probe.visible_window(MAIN)


def ready(e2e, window, timeout=15.0) -> None:
    wait_until(lambda: "Meltemix!" in title(e2e, window) and
               not title(e2e, window).startswith("Meltemix! - "), timeout, what="a report")
    time.sleep(0.8)  # the unrolling and the fades are done


def shoot(e2e, name: str, window) -> Path:
    FACES.mkdir(parents=True, exist_ok=True)
    shot = e2e.screenshot(FACES / f"{name}-screen.png")
    return crop(shot, e2e.probe.info(window.hwnd).rect, FACES / f"{name}.png")


def close(e2e, program, window) -> None:
    e2e.probe.close(window.hwnd)
    assert program.wait_exit(30) == 0


@pytest.fixture(params=list(DESKTOPS), ids=list(DESKTOPS))
def backdrop(e2e, request):
    desktop(e2e, DESKTOPS[request.param])
    yield request.param
    desktop(e2e, "#000000")


def test_main_window_before_and_after_the_first_report(e2e, workdir, backdrop):
    program, window = start(e2e, workdir, slow=2.5)
    time.sleep(0.6)
    before = shoot(e2e, f"main-connecting-{backdrop}", window)
    ready(e2e, window)
    after = shoot(e2e, f"main-day-{backdrop}", window)
    # The panel unrolls: the lower half is painted only after the report.
    assert abs(mean(after, "233x100+0+140") - mean(before, "233x100+0+140")) > 0.02
    assert spread(after) > 0.1
    close(e2e, program, window)


@pytest.mark.parametrize("name, body", [
    ("night", feed(time_of_day="9:50 pm", code="31")),
    ("minus-five", feed(temperature="-5")),
    ("long-name", feed(city="Kahramanmaraş Büyükşehir")),
])
def test_main_window_with_odd_reports(e2e, workdir, name, body):
    desktop(e2e, DESKTOPS["dark"])
    program, window = start(e2e, workdir, body=body)
    ready(e2e, window)
    face = shoot(e2e, f"main-{name}", window)
    # White text ends at x = 221: the column right of it stays free of it.
    assert mean(face, "10x30+222+60") < mean(face, "40x30+180+60") + 0.05
    close(e2e, program, window)


def test_details_window_with_every_line(e2e, workdir, backdrop):
    program, window = start(e2e, workdir, {"Appearance": ALL_LINES})
    ready(e2e, window)
    info = e2e.probe.visible_window(INFO)
    shot = shoot(e2e, f"info-all-lines-{backdrop}", info)
    assert spread(shot) > 0.1
    close(e2e, program, window)


def test_about_window(e2e, workdir, backdrop):
    program, window = start(e2e, workdir)
    ready(e2e, window)
    e2e.probe.post(window.hwnd, WM_COMMAND, ABOUT_COMMAND)
    about = e2e.probe.visible_window(ABOUT)
    time.sleep(0.5)
    shot = shoot(e2e, f"about-{backdrop}", about)
    assert about.size == (329, 249)
    assert spread(shot) > 0.1
    close(e2e, program, window)


def test_about_window_with_the_shipped_services_links_the_weather_source(e2e, workdir):
    """No maker: the band under the version is the pale yellow link to the data's source."""
    desktop(e2e, DESKTOPS["dark"])
    program, window = start(e2e, workdir, live=True)
    ready(e2e, window, timeout=30.0)
    e2e.probe.post(window.hwnd, WM_COMMAND, ABOUT_COMMAND)
    about = e2e.probe.visible_window(ABOUT)
    time.sleep(0.5)
    shot = shoot(e2e, "about-shipped", about)
    yellow = subprocess.run(
        ["convert", str(shot), "-crop", "200x14+120+113", "+repage", "-fx",
         "r > 0.85 && g > 0.85 && b < 0.7 ? 1 : 0", "-format", "%[fx:mean]", "info:"],
        check=True, capture_output=True, text=True)
    assert float(yellow.stdout) > 0.02, "a link where the maker's address would be"
    close(e2e, program, window)


def test_close_buttons_act_on_the_click(e2e, workdir):
    """Pressed alone, the close buttons of the details and about windows do nothing; the
    release on the button closes."""
    program, window = start(e2e, workdir)
    ready(e2e, window)
    info = e2e.probe.visible_window(INFO)
    e2e.probe.post(info.hwnd, WM_RBUTTONDOWN, 0, at(60, 100))  # the button shows after a click
    e2e.probe.post(info.hwnd, WM_LBUTTONDOWN, 1, at(183, 23))
    time.sleep(0.5)
    assert e2e.probe.info(info.hwnd).visible
    e2e.probe.post(info.hwnd, WM_LBUTTONUP, 0, at(183, 23))
    wait_until(lambda: not e2e.probe.info(info.hwnd).visible, 5, what="the details hidden")

    e2e.probe.post(window.hwnd, WM_COMMAND, ABOUT_COMMAND)
    about = e2e.probe.visible_window(ABOUT)
    e2e.probe.post(about.hwnd, WM_LBUTTONDOWN, 1, at(297, 24))
    time.sleep(0.5)
    assert e2e.probe.info(about.hwnd).visible
    e2e.probe.post(about.hwnd, WM_LBUTTONUP, 0, at(297, 24))
    wait_until(lambda: not e2e.probe.info(about.hwnd).visible, 5, what="the about window hidden")

    # and as a person clicks it
    e2e.probe.post(window.hwnd, WM_COMMAND, ABOUT_COMMAND)
    about = e2e.probe.visible_window(ABOUT)
    time.sleep(0.3)
    e2e.probe.click(about.rect[0] + 297, about.rect[1] + 24)
    wait_until(lambda: not e2e.probe.info(about.hwnd).visible, 5, what="the about window clicked away")
    close(e2e, program, window)


PRESETS = {
    "0-none": {"Background": "0"},
    "1-thin-glass": {"Background": "1"},
    "2-thick-glass": {"Background": "2"},
    "3-milky-coffee": {"Background": "3"},
    "4-own-colour": {"Background": "4", "BackColor": str(0x00A05020), "GlassEffect": "1",
                     "GlassOpacity": "200"},
}


@pytest.mark.parametrize("preset", list(PRESETS))
def test_panel_presets(e2e, workdir, backdrop, preset):
    program, window = start(e2e, workdir, {"Appearance": PRESETS[preset]})
    ready(e2e, window)
    face = shoot(e2e, f"preset-{preset}-{backdrop}", window)
    assert spread(face) > 0.05
    close(e2e, program, window)


# The program keeps its decoded pictures, its tinted panel slices, its pictures scaled to the
# sizes the canvas draws them at and its drawn texts between repaints; a build of it that
# reads, tints, scales and draws everything anew at each repaint shows what the faces look
# like without them. Both must show the same pixels, up to a rounding of colours.
ROUNDING = 2


def pixels(picture: Path) -> tuple[int, int, bytes]:
    ppm = subprocess.run(["convert", str(picture), "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    magic, width, height, depth, body = ppm.split(maxsplit=4)
    assert magic == b"P6" and depth == b"255"
    return int(width), int(height), body


def largest_difference(a: Path, b: Path) -> tuple[int, int]:
    """The largest difference of one colour channel between two pictures of one size, and
    how many channels differ by more than the rounding."""
    wa, ha, pa = pixels(a)
    wb, hb, pb = pixels(b)
    assert (wa, ha) == (wb, hb), f"{a.name} is {wa}x{ha}, {b.name} {wb}x{hb}"
    differences = [abs(x - y) for x, y in zip(pa, pb)]
    return max(differences), sum(1 for d in differences if d > ROUNDING)


def steady_shot(e2e, name: str, window) -> Path:
    """A picture of the window once two in a row agree: no fade or unrolling under way."""
    previous = shoot(e2e, name, window)
    for _ in range(10):
        time.sleep(0.3)
        shot = shoot(e2e, name + "-again", window)
        if largest_difference(previous, shot) == (0, 0):
            return previous
        previous.write_bytes(shot.read_bytes())
    raise AssertionError(f"{name}: the window never stood still")


def faces_of(e2e, workdir, exe, sections, name) -> dict[str, Path]:
    e2e.service.reset()
    e2e.service.set_scenario("slow", "/forecastrss/", delay=3.0)
    # No welcome balloon: it would cover the details window in one run and not the other.
    options = {"General": {"CheckNewVersion": "0", "FirstUsage": "0"},
               "Appearance": {"Left": "60", "Top": "60", "InfoTextLeft": "320",
                              "InfoTextTop": "80", **ALL_LINES, **sections}}
    e2e.write_options(workdir, options)
    program = e2e.start_program(workdir, exe=exe)
    window = e2e.probe.visible_window(MAIN)
    faces = {"connecting": steady_shot(e2e, f"{name}-connecting", window)}
    ready(e2e, window)
    faces["report"] = steady_shot(e2e, f"{name}-report", window)
    faces["details"] = steady_shot(e2e, f"{name}-details", e2e.probe.visible_window(INFO))
    close(e2e, program, window)
    return faces


def assert_kept_change_no_pixel(session, folder: Path, preset: str, name: str) -> None:
    reference = faces_of(session, session.prepare_workdir(folder / "uncached"),
                         built_program("MeltemixUncached.exe"), PRESETS[preset],
                         f"uncached-{name}")
    kept = faces_of(session, session.prepare_workdir(folder / "kept"), None, PRESETS[preset],
                    f"kept-{name}")
    for moment in reference:
        largest, beyond = largest_difference(reference[moment], kept[moment])
        assert beyond == 0, (f"{name}, {moment}: {beyond} channels differ by more than "
                             f"{ROUNDING} (largest {largest})")


@pytest.mark.parametrize("preset", list(PRESETS))
def test_kept_pictures_change_no_pixel(e2e, tmp_path, preset):
    desktop(e2e, DESKTOPS["dark"])
    assert_kept_change_no_pixel(e2e, tmp_path, preset, preset)


# 125 %, 150 %, 175 % and 200 %: every picture is scaled to the canvas's size for it, and texts
# land between the canvas's pixels at all but the last.
@pytest.mark.parametrize("dpi", [120, 144, 168, 192])
@pytest.mark.parametrize("preset", ["2-thick-glass", "4-own-colour"])
def test_kept_pictures_change_no_pixel_at_other_densities(e2e_at_dpi, tmp_path, dpi, preset):
    session = e2e_at_dpi(dpi)
    try:
        desktop(session, "#000000")
        assert_kept_change_no_pixel(session, tmp_path, preset, f"{preset}-{dpi}dpi")
    finally:
        session.end_programs()
