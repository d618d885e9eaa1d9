#pragma once

namespace meltemix {

// Where the last feed request stands; only the main window's controller changes it.
enum TConnectionState { cnReady = 0, cnConnecting = 1, cnNoConnection = 2, cnError = 3 };

} // namespace meltemix
