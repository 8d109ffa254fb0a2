// Each event is a flag changed only under its hub's mutex; every change that raises a flag wakes
// all waiters of the hub. The flag is also atomic, so a test of an unset event takes no lock.
// Waiters are woken after the mutex is let go, so that they do not wake only to block on it (the
// worker and the interface thread hand each other every step); a waiter that sees its event may
// still destroy the hub at once, as the hub's end waits for the set to finish waking.
#include "run/event.h"

#include <cassert>

void CEvent::set()
{
    CCallGate::Pass pass(hub.setting);
    {
        std::lock_guard<std::mutex> hold(hub.mutex);
        signalled.store(true, std::memory_order_release);
    }
    hub.changed.notify_all();
}

void CEvent::reset()
{
    std::lock_guard<std::mutex> hold(hub.mutex);
    signalled.store(false, std::memory_order_release);
}

bool CEvent::consumeIfSet()
{
    std::lock_guard<std::mutex> hold(hub.mutex);
    return signalled.exchange(false, std::memory_order_acq_rel);
}

void CEvent::wait()
{
    std::unique_lock<std::mutex> hold(hub.mutex);
    hub.changed.wait(hold, [this] { return signalled.load(std::memory_order_relaxed); });
    signalled.store(false, std::memory_order_relaxed);
}

bool CEvent::waitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> hold(hub.mutex);
    if (!hub.changed.wait_for(hold, timeout, [this] { return signalled.load(std::memory_order_relaxed); }))
        return false;
    signalled.store(false, std::memory_order_relaxed);
    return true;
}

int waitForEither(CEvent& first, CEvent& second)
{
    assert(&first.hub == &second.hub);
    std::unique_lock<std::mutex> hold(first.hub.mutex);
    first.hub.changed.wait(hold, [&] {
        return first.signalled.load(std::memory_order_relaxed) || second.signalled.load(std::memory_order_relaxed);
    });
    if (first.signalled.load(std::memory_order_relaxed)) {
        first.signalled.store(false, std::memory_order_relaxed);
        return 0;
    }
    second.signalled.store(false, std::memory_order_relaxed);
    return 1;
}
