#pragma once

#include <windows.h>

namespace meltemix {

struct LiveMemory;

struct OptionsOutcome {
    bool ok = false;           // closed with "&Kaydet", everything saved
    bool placeChanged = false; // a place was picked on "Şehirler": download its weather
};

// Runs the options dialog modally over `owner` on the process's settings file. `page` 0..2
// opens that page; any other value the page shown last. COM must be initialised on the
// calling thread (the search's DOM and the shortcuts need it). `live` is what the built-in
// provider learned this run: its search fills the places when the Search endpoint is
// "live", so that the feed needs no look-up for a place just found, and it asks the
// upstreams that had to fall back over plain HTTP; without one the dialog keeps its own.
OptionsOutcome RunOptionsDialog(HWND owner, int page, LiveMemory* live = nullptr);

} // namespace meltemix
