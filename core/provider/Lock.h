#pragma once

namespace meltemix {

// A lock the platform provides. A thread that finds it taken sleeps until it is free: a spin
// would keep the user-interface thread busy for its whole time slice on a one-core machine,
// while the worker that holds the lock waits to run.
class Lock {
public:
    virtual ~Lock() = default;
    virtual void lock() = 0;
    virtual void unlock() = 0;
};

} // namespace meltemix
