#pragma once

#include <string>
#include <vector>

namespace meltemix {

// The error boxes standing open, by their text. Each box runs a message loop of its own that
// goes on dispatching the timers and the downloads' messages, so a fault that persists (no
// XML component on the system, a settings file that refuses every write) raises again at
// every refresh behind the box the user has not read yet: without this, a hundred boxes of
// the same text would stand nested by morning. A different error is news and is shown.
class OpenErrorBoxes {
public:
    // Whether a box of this text may open now; if it may, it counts as open until Closed.
    bool Open(const std::string& text);
    void Closed(const std::string& text);

private:
    std::vector<std::string> open_;
};

} // namespace meltemix
