#pragma once

#include "core/provider/Lock.h"

#include <windows.h>

namespace meltemix {

// The system's lock between the threads of one process.
class CriticalSectionLock final : public Lock {
public:
    CriticalSectionLock() { InitializeCriticalSection(&section_); }
    ~CriticalSectionLock() override { DeleteCriticalSection(&section_); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

    void lock() override { EnterCriticalSection(&section_); }
    void unlock() override { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

} // namespace meltemix
