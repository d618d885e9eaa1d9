"""The options dialog of the real program: opening it from the main window's menu, saving,
cancelling, the opacity check, the location search, favourites, a new place and the
shortcuts in the Wine prefix."""

from __future__ import annotations

import shutil
import subprocess
from pathlib import Path

import pytest

from conftest import SCREENSHOTS
from harness import read_options, wait_until
from harness.dialogs import Control, DialogProbe
from harness.ini import parse
from harness.paths import REPO
from harness.screen import wait_for_still_screen

MAIN = "TMainForm"
TITLE = "Ayarlar..."
ERROR_TITLE = "Meltemix!"
LINK = "Meltemix!.lnk"

# The controls in the order of the dialog's identifiers (1000 on); the buttons are IDOK
# and IDCANCEL.
NAMES = [
    "CheckBox1", "CheckBox18", "CheckBox19", "CheckBox3", "CheckBox2", "Label3", "ComboBox3",
    "CheckBox4", "CheckBox17", "CheckBox16",
    "Label5", "ComboBox2", "Panel1", "Label1", "Bevel1", "Shape1", "CheckBox5", "Label2", "Edit1",
    "UpDown1", "Label6", "CheckBox20", "CheckBox15", "CheckBox6", "CheckBox7", "CheckBox8",
    "CheckBox9", "CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14",
    "RadioButton1", "Label4", "ComboBox1", "Button3", "RadioButton2", "Label8", "Label12",
    "Edit2", "Button5", "Label9", "Label10", "ListBox1", "Button4", "RadioButton3", "ListBox2",
    "Button6", "Button7",
]
IDS = {name: 1000 + index for index, name in enumerate(NAMES)} | {"Button1": 1, "Button2": 2}
# A control that only its page has.
PAGE_MARKS = ["CheckBox1", "CheckBox20", "RadioButton1"]

# The version question, the welcome balloon and the info window would cover the main
# window where the tests click it; the shell's menu builder would put links to the
# shortcuts outside the prefix.
QUIET = {"General": {"CheckNewVersion": "0", "FirstUsage": "0"},
         "Appearance": {"InfoTextLeft": "700", "InfoTextTop": "40"}}
NO_MENU_BUILDER = {"WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe="}

VK_RETURN, VK_ESCAPE, VK_TAB = 0x0D, 0x1B, 0x09
WM_COMMAND = 0x0111
MENU_COMMANDS = {"A": 104, "Y": 101}  # OptionsAction, AddLocAction

THREE_PLACES = ('<?xml version="1.0" encoding="UTF-8"?>\n<search ver="3.0">'
                '<loc id="USNY0996" type="1">New York, NY</loc>'
                '<loc id="USNY0998" type="1">New York Mills, NY</loc>'
                '<loc id="USND0245" type="1">New Salem, ND</loc></search>')
NO_PLACE = '<?xml version="1.0" encoding="UTF-8"?>\n<search ver="3.0"></search>'
TURKISH_PLACE = ('<?xml version="1.0" encoding="UTF-8"?>\n<search ver="3.0">'
                 '<loc id="TUXX0015" type="1">İzmir, Türkiye</loc></search>')
SEARCH = "/search/search"


class OptionsWindow:
    """The open dialog, looked at and driven as a person would."""

    def __init__(self, e2e, dialogs: DialogProbe, hwnd: str):
        self.e2e, self.dialogs, self.hwnd = e2e, dialogs, hwnd

    def controls(self) -> dict[str, Control]:
        by_id = self.dialogs.controls(self.hwnd)
        return {name: by_id[i] for name, i in IDS.items() if i in by_id}

    def __getitem__(self, name: str) -> Control:
        return self.controls()[name]

    def click(self, name: str) -> None:
        control = self[name]
        assert control.visible and control.enabled, f"{name} cannot be clicked: {control}"
        self.e2e.probe.click(*control.centre)

    def choose(self, name: str, row: int) -> None:
        self.dialogs.choose(self[name].hwnd, row)

    @property
    def page(self) -> int:
        controls = self.controls()
        shown = [i for i, mark in enumerate(PAGE_MARKS) if controls[mark].visible]
        assert len(shown) == 1, shown
        return shown[0]

    @property
    def open(self) -> bool:
        return bool(self.e2e.probe.find(title=TITLE))

    def wait_closed(self) -> None:
        assert self.e2e.probe.wait_gone(self.hwnd, 10), "the dialog stayed open"

    def wait_for(self, name: str, condition, what: str) -> Control:
        return wait_until(lambda: (lambda c: c if condition(c) else None)(self[name]), 10,
                          what=what)

    def answer_error(self, text: str) -> None:
        box = self.e2e.probe.message_box(ERROR_TITLE)
        assert box.text == text
        self.e2e.probe.click(*box.button_centre("OK"))
        assert self.e2e.probe.wait_gone(box.window.hwnd, 10)

    def screenshot(self, name: str) -> Path:
        path = self.e2e.screenshot(SCREENSHOTS / f"{name}.png")
        window = self.e2e.probe.info(self.hwnd)
        left, top, right, bottom = window.rect
        if shutil.which("convert"):
            subprocess.run(["convert", str(path), "-crop",
                            f"{right - left}x{bottom - top}+{left}+{top}", "+repage", str(path)],
                           check=True, timeout=30)
        return path


@pytest.fixture
def dialogs(e2e) -> DialogProbe:
    return DialogProbe(e2e.prefix)


@pytest.fixture(scope="module")
def shell_folders(e2e) -> dict[str, Path]:
    """The three shortcut places in the prefix. The prefix's desktop is a link to the home
    folder of whoever runs the tests; it becomes a folder of the prefix's own."""
    users = e2e.prefix.path / "drive_c" / "users"
    user = next(p for p in users.iterdir() if p.name != "Public")
    desktop = user / "Desktop"
    if desktop.is_symlink():
        desktop.unlink()
    desktop.mkdir(exist_ok=True)
    roaming = user / "AppData" / "Roaming" / "Microsoft"
    programs = roaming / "Windows" / "Start Menu" / "Programs"
    startup = next((p for p in programs.iterdir() if p.name.lower() == "startup"),
                   programs / "Startup")
    startup.mkdir(parents=True, exist_ok=True)
    quick_launch = roaming / "Internet Explorer" / "Quick Launch"
    quick_launch.mkdir(parents=True, exist_ok=True)
    return {"desktop": desktop / LINK, "startup": startup / LINK,
            "quick_launch": quick_launch / LINK}


@pytest.fixture
def shortcuts(shell_folders) -> dict[str, Path]:
    for path in shell_folders.values():
        path.unlink(missing_ok=True)
    yield shell_folders
    for path in shell_folders.values():
        path.unlink(missing_ok=True)


def start(e2e, workdir, sections: dict | None = None, live: bool = False):
    content = {section: dict(keys) for section, keys in QUIET.items()}
    for section, keys in (sections or {}).items():
        content.setdefault(section, {}).update(keys)
    e2e.write_options(workdir, content, live=live)
    program = e2e.start_program(workdir, extra_env=NO_MENU_BUILDER)
    main = e2e.probe.window(MAIN, wait=20)
    e2e.service.wait_for_request("/v1/forecast" if live else "/forecastrss/")
    # A click during the fade-in would go through the still transparent window.
    wait_for_still_screen(e2e.display)
    return program, main


def open_options(e2e, dialogs, main, accelerator: str) -> OptionsWindow:
    """As the window's menu does: "&Ayarlar..." (A) or "&Yeni Yer Ekle..." (Y). The menu
    itself is opened by a click in the runtime cases; here its command is sent straight, which
    does not depend on how the test display hands the focus around."""
    e2e.probe.post(main.hwnd, WM_COMMAND, MENU_COMMANDS[accelerator])
    found = e2e.probe.find(title=TITLE, wait=10)
    assert len(found) == 1, found
    window = OptionsWindow(e2e, dialogs, found[0].hwnd)
    wait_until(lambda: window.controls().get("Button1"), 10, what="the dialog's controls")
    return window


def end(e2e, program, main) -> None:
    assert e2e.probe.close(main.hwnd)
    assert program.wait_exit(15) == 0


def options_bytes(workdir: Path) -> bytes:
    return (workdir / "Options.ini").read_bytes()


@pytest.mark.parametrize("page, name", [(0, "genel"), (1, "gorunum"), (2, "sehirler")])
def test_options_action_opens_the_last_page(e2e, workdir, dialogs, page, name):
    program, main = start(e2e, workdir, {"Appearance": {"LastTabSheet": str(page)}})
    window = open_options(e2e, dialogs, main, "A")
    info = e2e.probe.info(window.hwnd)
    assert info.title == TITLE
    left, top, right, bottom = window["Button1"].rect
    assert (right - left, bottom - top) == (75, 25)
    assert window.page == page
    wait_for_still_screen(e2e.display)
    window.screenshot(f"options-{name}")
    e2e.probe.keys(VK_ESCAPE)
    window.wait_closed()
    end(e2e, program, main)


def test_add_location_opens_sehirler_and_saving_remembers_it(e2e, workdir, dialogs, shortcuts):
    program, main = start(e2e, workdir, {"Appearance": {"LastTabSheet": "1"}})
    window = open_options(e2e, dialogs, main, "Y")
    assert window.page == 2
    controls = window.controls()
    assert controls["RadioButton1"].checked
    assert not controls["Button3"].enabled
    assert controls["Label10"].text == ""
    assert controls["Button1"].default

    window.click("Button1")
    window.wait_closed()
    saved = read_options(workdir / "Options.ini")
    assert saved["Appearance"]["LastTabSheet"] == "2"
    end(e2e, program, main)


def test_changes_are_saved(e2e, workdir, dialogs, shortcuts):
    program, main = start(e2e, workdir, {"Appearance": {"LastTabSheet": "0"}})
    window = open_options(e2e, dialogs, main, "A")
    window.click("CheckBox4")  # always on top
    window.click("CheckBox2")  # no automatic refresh: its period greys
    period = window.wait_for("ComboBox3", lambda c: not c.enabled, "the period greyed")
    assert period.selection == 0 and period.items[0] == "5 dk."
    window.click("Button1")
    window.wait_closed()

    saved = read_options(workdir / "Options.ini")
    general, appearance = saved["General"], saved["Appearance"]
    assert general["AlwaysTop"] == "1" and general["AutoUpdate"] == "0"
    assert general["UpdatePeriod"] == "0"
    assert appearance["GlassOpacity"] == "240"
    assert appearance["Background"] == "2"
    for key in ("Startup", "Desktop", "QuickLunch", "ShowTrayIcon", "CheckNewVersion",
                "FadeEffect"):
        assert key in general, key
    for key in ("BackColor", "GlassEffect", "ShowIP", "ShowSunInfo", "ShowSituation", "ShowDate",
                "ShowHijri", "ShowWind", "ShowVisibility", "ShowHumidity", "ShowChill",
                "ShowWeatherText", "ShowInfoText", "LastTabSheet", "TempFontName",
                "CityFontName"):
        assert key in appearance, key
    end(e2e, program, main)


@pytest.mark.parametrize("how", ["button", "escape", "close-box"])
def test_cancelling_changes_nothing(e2e, workdir, dialogs, shortcuts, how):
    program, main = start(e2e, workdir, {"Appearance": {"LastTabSheet": "0"}})
    window = open_options(e2e, dialogs, main, "A")
    before = options_bytes(workdir)
    window.click("CheckBox4")
    window.click("CheckBox1")
    if how == "button":
        window.click("Button2")
    elif how == "escape":
        e2e.probe.keys(VK_ESCAPE)
    else:
        e2e.probe.close(window.hwnd)  # what the title bar's close box sends
    window.wait_closed()
    assert options_bytes(workdir) == before
    assert not any(path.exists() for path in shortcuts.values())
    end(e2e, program, main)


@pytest.mark.parametrize("typed, accepted", [("abc", False), ("-1", False), ("256", False),
                                             ("0", True), ("255", True)])
def test_opacity_check(e2e, workdir, dialogs, shortcuts, typed, accepted):
    program, main = start(e2e, workdir, {"Appearance": {
        "LastTabSheet": "1", "Background": "4", "GlassEffect": "1", "GlassOpacity": "100"}})
    window = open_options(e2e, dialogs, main, "A")
    assert window["Edit1"].enabled and window["Edit1"].text == "100"
    before = options_bytes(workdir)
    dialogs.set_text(window["Edit1"].hwnd, typed)
    window.click("Button1")
    if accepted:
        window.wait_closed()
        assert read_options(workdir / "Options.ini")["Appearance"]["GlassOpacity"] == typed
    else:
        window.answer_error("Saydamlık 0-255 arasında olmalıdır")
        assert window.open
        assert window["Edit1"].text == "100"
        assert options_bytes(workdir) == before
        e2e.probe.keys(VK_ESCAPE)
        window.wait_closed()
    end(e2e, program, main)


def test_location_search(e2e, workdir, dialogs):
    program, main = start(e2e, workdir, {"Appearance": {"LastTabSheet": "2"}})
    window = open_options(e2e, dialogs, main, "A")
    window.click("RadioButton2")
    edit = window.wait_for("Edit2", lambda c: c.enabled, "the search box enabled")
    assert dialogs.focus(window.hwnd) == edit.hwnd

    # Typed, then Enter in the search box: a search, not a close.
    e2e.service.set_scenario("custom", SEARCH, body=THREE_PLACES)
    dialogs.type("New York")
    e2e.probe.keys(VK_RETURN)
    request = e2e.service.wait_for_request("/search/search")[-1]
    assert request.target == "/search/search?where=New%20York"
    assert request.user_agent == "Lodosware XML Search"
    results = window.wait_for("ListBox1", lambda c: c.items, "the results")
    assert results.items == ["New York, NY", "New York Mills, NY", "New Salem, ND"]
    assert results.selection == -1
    assert window["Label10"].text == "3 yer bulundu."
    assert window.open

    e2e.service.set_scenario("custom", SEARCH, body=NO_PLACE)
    dialogs.set_text(edit.hwnd, "Atlantis")
    window.click("Button5")
    window.wait_for("Label10", lambda c: c.text == "Herhangi bir yer bulunamadı.", "no place")
    assert window["ListBox1"].items == []

    e2e.service.set_scenario("custom", SEARCH, body=TURKISH_PLACE)
    dialogs.set_text(edit.hwnd, "")
    window.click("Edit2")
    dialogs.type("İzmir Çeşme")
    e2e.probe.keys(VK_RETURN)
    window.wait_for("ListBox1", lambda c: c.items == ["İzmir, Türkiye"], "the Turkish place")
    assert e2e.service.requests_to("/search/search")[-1].target == \
        "/search/search?where=%C4%B0zmir%20%C3%87e%C5%9Fme"
    assert window["Label10"].text == "1 yer bulundu."

    # Picking the result and saving makes it the place; the window asks for its weather.
    window.choose("ListBox1", 0)
    window.wait_for("Button4", lambda c: c.enabled, "the add button")
    window.click("Button1")
    window.wait_closed()
    assert read_options(workdir / "Options.ini")["Location"]["CityID"] == "TUXX0015"
    e2e.service.wait_for_request("/forecastrss/TUXX0015_c.xml")
    end(e2e, program, main)


def test_enter_on_the_search_button_searches(e2e, workdir, dialogs):
    program, main = start(e2e, workdir, {"Appearance": {"LastTabSheet": "2"}})
    window = open_options(e2e, dialogs, main, "A")
    window.click("RadioButton2")
    window.wait_for("Edit2", lambda c: c.enabled, "the search box enabled")
    e2e.service.set_scenario("custom", SEARCH, body=THREE_PLACES)
    dialogs.type("New York")
    e2e.probe.keys(VK_TAB)  # on to "&Araştır"
    assert dialogs.focus(window.hwnd) == window["Button5"].hwnd
    e2e.probe.keys(VK_RETURN)
    e2e.service.wait_for_request(SEARCH)
    window.wait_for("ListBox1", lambda c: len(c.items) == 3, "the results")
    assert window.open

    e2e.probe.keys(VK_ESCAPE)
    window.wait_closed()
    end(e2e, program, main)


def test_live_search_offers_places_by_their_geonames_code(e2e, workdir, dialogs):
    program, main = start(e2e, workdir, {"Appearance": {"LastTabSheet": "2"}}, live=True)
    window = open_options(e2e, dialogs, main, "A")
    window.click("RadioButton2")
    window.wait_for("Edit2", lambda c: c.enabled, "the search box enabled")
    dialogs.type("Berlin")
    e2e.probe.keys(VK_RETURN)
    request = e2e.service.wait_for_request("/v1/search")[-1]
    assert request.params["name"] == ["Berlin"] and request.params["language"] == ["tr"]
    results = window.wait_for("ListBox1", lambda c: c.items, "the results")
    assert results.items == ["İstanbul, Türkiye", "Ankara, Türkiye", "İzmir, Türkiye"]
    window.choose("ListBox1", 1)
    window.wait_for("Button4", lambda c: c.enabled, "the add button")
    window.click("Button1")
    window.wait_closed()
    assert read_options(workdir / "Options.ini")["Location"]["CityID"] == "GN323786"
    e2e.service.wait_for_request("/v1/forecast", count=2)
    wait_until(lambda: e2e.probe.info(main.hwnd).title.startswith("Ankara, "), 15,
               what="Ankara's weather on the face")
    # The search told the program where Ankara is: no look-up by id was needed.
    assert not e2e.service.requests_to("/v1/get")
    end(e2e, program, main)


def test_favourites(e2e, workdir, dialogs):
    program, main = start(e2e, workdir, {
        "Appearance": {"LastTabSheet": "2"},
        "CitiesTU": {"Adana": "TUXX0061", "Şanlıurfa": "TUXX0163"},
        "Favorites": {"Ankara": "TUXX0002"}})
    window = open_options(e2e, dialogs, main, "A")
    window.choose("ComboBox1", 1)
    add = window.wait_for("Button3", lambda c: c.enabled, "the add button")
    # Its hint, as the mouse resting on the button shows it.
    x, y = add.centre
    dialogs.move(x, y)
    dialogs.move(x + 1, y)
    hints = wait_until(lambda: [t for t in e2e.probe.find("tooltips_class32") if t.visible], 10,
                       what="the hint of the add button")
    assert [t.title for t in hints] == ["Favorilerime ekle..."]
    window.click("Button3")
    window.wait_for("ListBox2", lambda c: c.items == ["Ankara", "Şanlıurfa"], "a favourite")
    window.click("Button3")
    window.answer_error('"Şanlıurfa" favorilerim listesine zaten eklenmiş.')
    assert window["ListBox2"].items == ["Ankara", "Şanlıurfa"]
    window.choose("ComboBox1", 0)
    window.click("Button3")
    window.wait_for("ListBox2", lambda c: len(c.items) == 3, "a second favourite")
    assert window["ListBox2"].items == ["Adana", "Ankara", "Şanlıurfa"]
    window.click("Button1")
    window.wait_closed()
    assert read_options(workdir / "Options.ini")["Favorites"] == {
        "Adana": "TUXX0061", "Ankara": "TUXX0002", "Şanlıurfa": "TUXX0163"}

    window = open_options(e2e, dialogs, main, "A")
    window.click("RadioButton3")
    window.choose("ListBox2", 2)
    window.wait_for("Button6", lambda c: c.enabled, "the delete button")
    window.click("Button6")
    favourites = window.wait_for("ListBox2", lambda c: len(c.items) == 2, "one deleted")
    assert favourites.items == ["Adana", "Ankara"] and favourites.selection == 1
    window.click("Button7")
    window.wait_for("ListBox2", lambda c: not c.items, "all deleted")
    controls = window.controls()
    assert not controls["Button6"].enabled and not controls["Button7"].enabled
    window.click("Button1")
    window.wait_closed()
    assert "Favorites" not in read_options(workdir / "Options.ini")
    end(e2e, program, main)


def test_turkish_city_becomes_the_place(e2e, workdir, dialogs):
    shipped = parse((REPO / "data" / "Options.ini").read_text(encoding="utf-8"))
    program, main = start(e2e, workdir, {"Appearance": {"LastTabSheet": "2"},
                                         "CitiesTU": shipped["CitiesTU"]})
    window = open_options(e2e, dialogs, main, "A")
    cities = window["ComboBox1"]
    assert cities.items == list(shipped["CitiesTU"])
    assert len(cities.items) == 81 and cities.selection == -1
    window.choose("ComboBox1", cities.items.index("Şanlıurfa"))
    window.wait_for("Button3", lambda c: c.enabled, "a city chosen")
    window.click("Button1")
    window.wait_closed()
    location = read_options(workdir / "Options.ini")["Location"]
    assert location["CityID"] == "TUXX0163"
    e2e.service.wait_for_request("/forecastrss/TUXX0163_c.xml")
    end(e2e, program, main)


def test_shortcuts_follow_the_ticks(e2e, workdir, dialogs, shortcuts):
    program, main = start(e2e, workdir, {"Appearance": {"LastTabSheet": "0"}})
    window = open_options(e2e, dialogs, main, "A")
    window.click("Button1")
    window.wait_closed()
    for path in shortcuts.values():
        assert path.read_bytes()[:4] == b"L\x00\x00\x00", f"{path} is no shell link"

    # One the user put there, or an older one: left as it is while its tick stays on.
    shortcuts["desktop"].write_bytes(b"an older shortcut")
    window = open_options(e2e, dialogs, main, "A")
    window.click("CheckBox1")  # no start with Windows
    window.click("Button1")
    window.wait_closed()
    assert not shortcuts["startup"].exists()
    assert shortcuts["desktop"].read_bytes() == b"an older shortcut"
    assert shortcuts["quick_launch"].exists()
    general = read_options(workdir / "Options.ini")["General"]
    assert (general["Startup"], general["Desktop"], general["QuickLunch"]) == ("0", "1", "1")
    end(e2e, program, main)


def test_the_swatch_opens_the_colour_picker(e2e, workdir, dialogs):
    # The picker's library is loaded only when the swatch is first pressed, so this is the one
    # place that shows it still opens.
    program, main = start(e2e, workdir, {"Appearance": {
        "LastTabSheet": "1", "Background": "4", "BackColor": "0x00336699"}})
    window = open_options(e2e, dialogs, main, "A")
    before = options_bytes(workdir)
    window.click("Shape1")
    picker = wait_until(
        lambda: [w for w in e2e.probe.find(cls="#32770") if w.hwnd != window.hwnd and w.visible],
        10, what="the colour picker")
    e2e.probe.keys(VK_ESCAPE)
    assert e2e.probe.wait_gone(picker[0].hwnd, 10), "the colour picker stayed open"
    assert window.open
    e2e.probe.keys(VK_ESCAPE)
    window.wait_closed()
    assert options_bytes(workdir) == before
    end(e2e, program, main)


# Where some controls sit at 96 dpi: (x, y) in the page or, for the two buttons, in the
# client area, and the size.
SCALED = {
    "CheckBox1": ((24, 27), (385, 17)), "Shape1": ((86, 76), (30, 23)),
    "CheckBox14": ((224, 276), (170, 17)), "RadioButton1": ((24, 32), (377, 17)),
    "Button5": ((248, 143), (73, 23)), "ListBox1": ((40, 184), (249, 89)),
    "ListBox2": ((40, 304), (249, 73)), "Button7": ((296, 336), (75, 25)),
}
BUTTONS = {"Button1": ((286, 448), (75, 25)), "Button2": ((366, 448), (75, 25))}


def scale(value: int, dpi: int) -> int:
    return (value * dpi + 48) // 96


def assert_laid_out_at(session, window, dpi: int) -> None:
    assert session.probe.info(window.hwnd).client_size == (scale(448, dpi), scale(481, dpi))
    # Every page's controls are there, the hidden pages' too, in one place.
    controls = window.controls()

    def check(table, reference):
        (x, y), _ = table[reference]
        left, top = controls[reference].rect[:2]
        origin = left - scale(x, dpi), top - scale(y, dpi)
        for name, ((x, y), (width, height)) in table.items():
            left, top, right, bottom = controls[name].rect
            assert (left - origin[0], top - origin[1]) == (scale(x, dpi), scale(y, dpi)), name
            assert (right - left, bottom - top) == (scale(width, dpi), scale(height, dpi)), name
    check(BUTTONS, "Button1")
    check(SCALED, "CheckBox1")
    # the font grows too: a pick list is as high as its text needs
    left, top, right, bottom = controls["ComboBox2"].rect
    assert bottom - top >= scale(16, dpi), bottom - top


def test_the_dialog_moved_to_a_denser_screen_lays_itself_out_anew(e2e, workdir):
    """As the system tells it when it is dragged onto a screen at 200 %."""
    dialogs = DialogProbe(e2e.prefix)
    program, main = start(e2e, workdir, {"Appearance": {"LastTabSheet": "1"}})
    window = open_options(e2e, dialogs, main, "A")
    info = e2e.probe.info(window.hwnd)
    (left, top, right, bottom), (width, height) = info.rect, info.client_size
    frame = (right - left - width, bottom - top - height)
    assert e2e.probe.dpi_changed(window.hwnd, 192, (left, top, left + frame[0] + scale(448, 192),
                                                   top + frame[1] + scale(481, 192)))
    assert_laid_out_at(e2e, window, 192)
    window.screenshot("options-moved-to-192dpi")
    e2e.probe.keys(VK_ESCAPE)
    window.wait_closed()
    end(e2e, program, main)


@pytest.mark.parametrize("dpi", [96, 144, 192])
def test_the_dialog_grows_with_the_display_scale(e2e, e2e_at_dpi, tmp_path, dpi):
    session = e2e if dpi == 96 else e2e_at_dpi(dpi)
    session.service.reset()
    workdir = session.prepare_workdir(tmp_path / "work")
    dialogs = DialogProbe(session.prefix)
    try:
        program, main = start(session, workdir, {"Appearance": {
            "LastTabSheet": "1", "Background": "4", "BackColor": "255", "GlassEffect": "1"}})
        window = open_options(session, dialogs, main, "A")
        assert_laid_out_at(session, window, dpi)
        wait_for_still_screen(session.display)
        window.screenshot(f"options-{dpi}dpi")
        session.probe.keys(VK_ESCAPE)
        window.wait_closed()
        end(session, program, main)
    finally:
        session.end_programs()

