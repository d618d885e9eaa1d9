#pragma once

#include <windows.h>

namespace meltemix {

class PlaceCache;

struct OptionsOutcome {
    bool ok = false;           // closed with "&Kaydet", everything saved
    bool placeChanged = false; // a place was picked on "Şehirler": download its weather
};

// Runs the options dialog modally over `owner` on the process's settings file. `page` 0..2
// opens that page; any other value the page shown last. COM must be initialised on the
// calling thread (the search's DOM and the shortcuts need it). `places` is the program's
// cache of places that the built-in provider's search fills when the Search endpoint is
// "live", so that the feed needs no look-up for a place just found; without one the
// dialog keeps its own.
OptionsOutcome RunOptionsDialog(HWND owner, int page, PlaceCache* places = nullptr);

} // namespace meltemix
