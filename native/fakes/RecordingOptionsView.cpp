#include "native/fakes/RecordingOptionsView.h"

#include <stdexcept>

namespace meltemix {

void RecordingShellLinks::createShortcut(const std::string& path) {
    if (refuseLinkObject)
        throw std::runtime_error("Sınıf kayıtlı değil");
    actions.push_back("create " + path);
    files.insert(path);
}

} // namespace meltemix
