// Each event is a flag changed only under its hub's mutex; every change that raises a flag wakes
// all waiters of the hub. The flag is also atomic, so a test of an unset event takes no lock.
// Waiters are woken while the mutex is held: once a waiter sees its event, set() touches
// nothing more, so the waiter may destroy the hub at once.
#include "run/event.h"

#include <cassert>

void CEvent::set()
{
    std::lock_guard<std::mutex> hold(hub.mutex);
    signalled.store(true, std::memory_order_release);
    hub.changed.notify_all();
}

void CEvent::reset()
{
    std::lock_guard<std::mutex> hold(hub.mutex);
    signalled.store(false, std::memory_order_release);
}

bool CEvent::tryConsume()
{
    // The cheap path: the scan of a large space tests two events before every cell.
    if (!signalled.load(std::memory_order_acquire)) return false;
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
