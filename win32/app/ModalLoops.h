#pragma once

namespace meltemix {

// Ends every modal loop this thread is in: the system's move loop of a drag, a menu, the
// options dialog, message boxes. A close (an upgrade's, taskkill's, a log-off's) can arrive
// inside any of them; the code that started the loop must get back, or the program would
// stand without windows in a loop nothing ends.
void EndModalLoops();

} // namespace meltemix
