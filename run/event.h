// CEvent: an auto-reset event; CEventHub: the lock and wake-up shared by a group of events.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "run/callgate.h"

class CEvent;

// One mutex and one condition variable for a group of events, so that a thread can wait for
// either of two events of the group without missing a set.
class CEventHub {
public:
    CEventHub() = default;
    CEventHub(const CEventHub&) = delete;
    CEventHub& operator=(const CEventHub&) = delete;

private:
    friend class CEvent;
    friend int waitForEither(CEvent& first, CEvent& second);
    std::mutex mutex;
    std::condition_variable changed;
    CCallGate setting;  // last: a set still waking waiters delays the hub's end
};

// A flag that one set raises and one successful test or wait lowers again (auto-reset).
class CEvent {
public:
    explicit CEvent(CEventHub& hub) : hub(hub) {}
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void set();
    void reset();
    // Zero-time test: true, and the event is reset, when it was set. The test of an unset event
    // (the scan of a large space makes two before every column) takes no lock and no call.
    bool tryConsume() { return signalled.load(std::memory_order_acquire) && consumeIfSet(); }
    // Whether the event is set, leaving it as it is.
    bool isSet() const { return signalled.load(std::memory_order_acquire); }
    // Waits without time-out until the event is set, then resets it.
    void wait();
    // As wait, but gives up after the time-out; true when the event was set (and consumed).
    bool waitFor(std::chrono::milliseconds timeout);

private:
    friend int waitForEither(CEvent& first, CEvent& second);
    bool consumeIfSet();
    CEventHub& hub;
    std::atomic<bool> signalled{false};
};

// Waits without time-out until first or second is set; consumes and returns 0 for first, 1 for
// second. When both are set, first wins and second stays set. Both must share one hub.
int waitForEither(CEvent& first, CEvent& second);
