"""The skinned windows on denser screens: at 144 and 192 dpi each window is 1.5 or 2 times
its size, drawn anew at that size from the pictures for twice the size and the fonts, not
enlarged; clicks land where the scaled face shows its buttons."""

from __future__ import annotations

import subprocess
import time
from pathlib import Path

import pytest

from conftest import SCREENSHOTS
from harness.polling import wait_until
from test_faces import (ABOUT, ABOUT_COMMAND, DESKTOPS, INFO, WM_COMMAND, WM_LBUTTONDOWN,
                        WM_LBUTTONUP, WM_RBUTTONDOWN, at, close, crop, desktop, ready, start)

# The windows' sizes at 96 dpi.
MAIN_SIZE, INFO_SIZE, ABOUT_SIZE = (233, 248), (209, 204), (329, 249)
EXIT_BUTTON_CENTRE = (203, 50)
INFO_CLOSE_CENTRE = (183, 23)
DETAILS_OFFSET = (260, 20)  # from the main window's left and top
SHOW_DETAILS_COMMAND = 103  # "&Bilgi Ekranı"


def scale(size: tuple[int, int], dpi: int) -> tuple[int, int]:
    return tuple((value * dpi + 48) // 96 for value in size)


def shot_of(session, window, out: Path) -> Path:
    out.parent.mkdir(parents=True, exist_ok=True)
    screen = session.screenshot(out.with_name(out.stem + "-screen.png"))
    return crop(screen, session.probe.info(window.hwnd).rect, out)


def measure(picture: Path, *operations: str) -> float:
    result = subprocess.run(["convert", str(picture), *operations, "-format", "%[fx:mean]",
                             "info:"], check=True, capture_output=True, text=True)
    return float(result.stdout)


def difference(a: Path, b: Path) -> float:
    """Root mean square difference of two pictures of one size, 0..1."""
    result = subprocess.run(["compare", "-metric", "RMSE", str(a), str(b), "null:"],
                            capture_output=True, text=True)
    return float(result.stderr.split("(")[1].rstrip(")"))


def edges(picture: Path) -> float:
    """How much fine detail a picture has: the mean strength of its brightness's edges."""
    return measure(picture, "-colorspace", "Gray", "-define", "convolve:scale=!",
                   "-morphology", "Convolve", "Laplacian:0", "-evaluate", "Abs", "0")


def faces(session, workdir: Path, dpi: int, details: bool = True, backdrop: str = "dark"):
    """The program with its first report, the details window right of the main window at
    the distance it has at 96 dpi, in the screen's pixels, as it was left there."""
    session.service.reset()
    desktop(session, DESKTOPS.get(backdrop, backdrop))
    left, top = (60 + value for value in scale(DETAILS_OFFSET, dpi))
    program, main = start(session, workdir, {
        "General": {"FirstUsage": "0"},
        "Appearance": {"InfoTextLeft": str(left), "InfoTextTop": str(top),
                       "ShowInfoText": "1" if details else "0"}})
    ready(session, main)
    return program, session.probe.info(main.hwnd)


@pytest.mark.parametrize("dpi", [144, 192])
def test_windows_grow_with_the_display_scale(e2e_at_dpi, tmp_path, dpi):
    session = e2e_at_dpi(dpi)
    try:
        program, main = faces(session, session.prepare_workdir(tmp_path / "work"), dpi)
        assert main.size == scale(MAIN_SIZE, dpi)
        shot = shot_of(session, main, SCREENSHOTS / f"face-{dpi}dpi.png")
        assert measure(shot, "-colorspace", "Gray", "-fx", "standard_deviation") > 0.1
        info = session.probe.visible_window(INFO)
        # where the settings put it, in the screen's own pixels
        assert info.position == tuple(60 + value for value in scale(DETAILS_OFFSET, dpi))
        assert info.size == scale(INFO_SIZE, dpi)
        shot_of(session, info, SCREENSHOTS / f"info-{dpi}dpi.png")
        session.probe.post(main.hwnd, WM_COMMAND, ABOUT_COMMAND)
        about = session.probe.visible_window(ABOUT)
        time.sleep(0.5)
        assert about.size == scale(ABOUT_SIZE, dpi)
        shot_of(session, about, SCREENSHOTS / f"about-{dpi}dpi.png")
        session.probe.post(about.hwnd, WM_RBUTTONDOWN, 0, at(20, 200))  # a click hides it
        wait_until(lambda: not session.probe.info(about.hwnd).visible, 5, what="about hidden")
        # The details window's close button where its larger face shows it.
        session.probe.post(info.hwnd, WM_RBUTTONDOWN, 0, at(*scale((60, 100), dpi)))
        time.sleep(0.3)
        x, y = scale(INFO_CLOSE_CENTRE, dpi)
        session.probe.post(info.hwnd, WM_LBUTTONDOWN, 1, at(x, y))
        session.probe.post(info.hwnd, WM_LBUTTONUP, 0, at(x, y))
        wait_until(lambda: not session.probe.info(info.hwnd).visible, 5, what="details hidden")

        # The close button where the larger face shows it: the click ends the program.
        session.probe.post(main.hwnd, WM_RBUTTONDOWN, 0, at(20, 300))  # the buttons show
        time.sleep(0.5)
        x, y = scale(EXIT_BUTTON_CENTRE, dpi)
        session.probe.post(main.hwnd, WM_LBUTTONDOWN, 1, at(x, y))
        session.probe.post(main.hwnd, WM_LBUTTONUP, 0, at(x, y))
        assert program.wait_exit(30) == 0
    finally:
        session.end_programs()


def face_at(session, folder: Path, dpi: int) -> Path:
    # on black, which the screen shows also where Wine's own desktop window covers the root
    program, main = faces(session, session.prepare_workdir(folder / f"at{dpi}"), dpi,
                          details=False, backdrop="#000000")
    shot = shot_of(session, main, folder / f"face-{dpi}.png")
    close(session, program, main)
    return shot


def test_the_doubled_face_is_drawn_at_twice_the_size_not_stretched(own_session_at_dpi,
                                                                   tmp_path):
    single = face_at(own_session_at_dpi(96), tmp_path, 96)
    double = face_at(own_session_at_dpi(192), tmp_path, 192)

    assert_drawn_at_twice_the_size(single, double)


def assert_drawn_at_twice_the_size(single: Path, double: Path) -> None:
    # Shrunk back, it is the same face (about 0.07 off, where fonts and pictures drawn larger
    # differ in their finest lines; the face one pixel aside is 0.14 off) ...
    shrunk = double.with_name(double.stem + "-shrunk.png")
    subprocess.run(["convert", str(double), "-filter", "box", "-resize", "50%", str(shrunk)],
                   check=True)
    assert difference(shrunk, single) < 0.1
    # ... and it has the fine detail that the smaller face, stretched, lacks.
    stretched = single.with_name(single.stem + "-stretched.png")
    subprocess.run(["convert", str(single), "-filter", "triangle", "-resize", "200%",
                    str(stretched)], check=True)
    assert edges(double) > 1.5 * edges(stretched), (edges(double), edges(stretched))


def rect_at(window, size: tuple[int, int]) -> tuple[int, int, int, int]:
    left, top = window.position
    return left, top, left + size[0], top + size[1]


def test_windows_moved_to_a_denser_screen_draw_themselves_anew(e2e, tmp_path):
    """What a window hears when it is dragged onto a screen of another density, here told by
    the probe: it takes the rectangle the system suggests and draws itself at that density."""
    e2e.end_programs()
    program, main = faces(e2e, e2e.prepare_workdir(tmp_path / "work"), 96, details=False,
                          backdrop="#000000")
    single = shot_of(e2e, main, tmp_path / "main-96.png")
    assert e2e.probe.dpi_changed(main.hwnd, 192, rect_at(main, scale(MAIN_SIZE, 192)))
    time.sleep(0.3)
    assert e2e.probe.info(main.hwnd).size == scale(MAIN_SIZE, 192)
    double = shot_of(e2e, main, tmp_path / "main-192.png")
    assert_drawn_at_twice_the_size(single, double)
    # and back, as it was
    assert e2e.probe.dpi_changed(main.hwnd, 96, rect_at(main, MAIN_SIZE))
    time.sleep(0.3)
    assert e2e.probe.info(main.hwnd).size == MAIN_SIZE
    assert difference(shot_of(e2e, main, tmp_path / "main-96-again.png"), single) < 0.01

    e2e.probe.post(main.hwnd, WM_COMMAND, SHOW_DETAILS_COMMAND)
    info = e2e.probe.visible_window(INFO)
    assert e2e.probe.dpi_changed(info.hwnd, 144, rect_at(info, scale(INFO_SIZE, 144)))
    wait_until(lambda: e2e.probe.info(info.hwnd).size == scale(INFO_SIZE, 144), 5,
               what="the details window at 144 dpi")
    e2e.probe.post(main.hwnd, WM_COMMAND, ABOUT_COMMAND)
    about = e2e.probe.visible_window(ABOUT)
    assert e2e.probe.dpi_changed(about.hwnd, 192, rect_at(about, scale(ABOUT_SIZE, 192)))
    wait_until(lambda: e2e.probe.info(about.hwnd).size == scale(ABOUT_SIZE, 192), 5,
               what="the about window at 192 dpi")
    shot_of(e2e, about, SCREENSHOTS / "about-moved-to-192dpi.png")
    close(e2e, program, main)


def test_the_details_window_keeps_its_distance_on_a_denser_screen(e2e, tmp_path):
    """The pair dragged onto a screen of twice the density: the details window stays beside
    the main window, at twice the distance in that screen's pixels, not on its buttons."""
    e2e.end_programs()
    program, main = faces(e2e, e2e.prepare_workdir(tmp_path / "work"), 96)
    info = e2e.probe.visible_window(INFO)

    def distance():
        (ml, mt), (il, it) = e2e.probe.info(main.hwnd).position, e2e.probe.info(info.hwnd).position
        return il - ml, it - mt
    assert distance() == DETAILS_OFFSET
    assert e2e.probe.dpi_changed(main.hwnd, 192, rect_at(main, scale(MAIN_SIZE, 192)))
    wait_until(lambda: distance() == scale(DETAILS_OFFSET, 192), 5,
               what=f"the details window at {scale(DETAILS_OFFSET, 192)} from the main window")
    assert e2e.probe.dpi_changed(main.hwnd, 96, rect_at(e2e.probe.info(main.hwnd), MAIN_SIZE))
    wait_until(lambda: distance() == DETAILS_OFFSET, 5, what="the distance at 96 dpi again")
    close(e2e, program, main)
