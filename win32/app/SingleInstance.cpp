#include "SingleInstance.h"

#include "win32/platform/ProgramFile.h"

namespace meltemix {

SingleInstance::SingleInstance()
    : mutex_(CreateMutexW(nullptr, FALSE, L"globalUniqueMutexHandle")) {
    alreadyExists_ = GetLastError() == ERROR_ALREADY_EXISTS;
    // The running instance's window is known by its class and by the file its process runs:
    // the same program started from another working folder hands over, another program
    // with a window of that class does not.
    found_ = FindProgramWindow(MainWindowClass, OwnProgramFile());
}

SingleInstance::~SingleInstance() {
    if (mutex_)
        WaitForSingleObject(mutex_.get(), 0);
}

bool IsSupportedWindowsVersion() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version))
        return true;
    return version.dwMajorVersion > 5 ||
           (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
}

} // namespace meltemix
