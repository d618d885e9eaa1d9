#pragma once

#include <windows.h>

namespace meltemix {

struct OptionsOutcome {
    bool ok = false;           // closed with "&Kaydet", everything saved
    bool placeChanged = false; // a place was picked on "Şehirler": download its weather
};

// Runs the options dialog modally over `owner` on the process's settings file. `page` 0..2
// opens that page; any other value the page shown last. COM must be initialised on the
// calling thread (the search's DOM and the shortcuts need it).
OptionsOutcome RunOptionsDialog(HWND owner, int page);

} // namespace meltemix
