#pragma once

#include "core/options/OptionsView.h"
#include "win32/platform/Dpi.h"

#include <windows.h>

#include <vector>

namespace meltemix {

// Where the options dialog's controls sit, what they say and what they are. Positions and
// sizes are pixels at 96 dots per inch; ScaleRect puts them on a screen of another density.

enum class ControlKind { Group, Label, CheckBox, Radio, Button, Combo, List, Edit, UpDown, Swatch, Bevel };
enum class TypeFace { Normal, Small, Bold };

struct ControlLayout {
    int page;       // 0 "Genel", 1 "Görünüm", 2 "Şehirler"
    int id;         // the control's dialog identifier
    ControlKind kind;
    const wchar_t* caption;
    int x, y, width, height; // pixels at 96 dpi, in the page
    TypeFace face;
    const wchar_t* hint;
};

// In creation order, which is also the order of the Tab key.
const std::vector<ControlLayout>& OptionsControls();

constexpr const wchar_t* PageCaptions[] = {L"Genel", L"Görünüm", L"Şehirler"};

constexpr int OptionsClientWidth = 448;
constexpr int OptionsClientHeight = 481;
constexpr RECT PageControlRect = {8, 8, 8 + 433, 8 + 433};
constexpr RECT SaveButtonRect = {286, 448, 286 + 75, 448 + 25};
constexpr RECT CancelButtonRect = {366, 448, 366 + 75, 448 + 25};

// Position and size each times f, so that controls of one size stay of one size.
RECT ScaleRect(const Dpi& dpi, const RECT& logical);
RECT ScaleRect(const Dpi& dpi, const ControlLayout& control);

// Dialog identifiers: Button1 is IDOK and Button2 IDCANCEL, so that the dialog manager's
// Enter and Esc reach them; the others follow the control's place in OptionsControl.
int ControlId(OptionsControl control);
// The control of an identifier; false for the group boxes, which have no rules.
bool ControlOfId(int id, OptionsControl& control);

// The radio buttons carry their mode.
int RadioMode(OptionsControl control);

} // namespace meltemix
