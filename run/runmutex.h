// CRunMutex: the run link's lock. Re-entrant for the thread that holds it, waited for without
// time-out, and cheap to take when nobody else holds it: the worker takes it several times in
// every step and the view about once a frame, so it is almost never contended. A thread that
// finds it held sleeps on the lock word until the holder lets go.
#pragma once

#include <atomic>
#include <thread>

class CRunMutex {
public:
    CRunMutex() = default;
    CRunMutex(const CRunMutex&) = delete;
    CRunMutex& operator=(const CRunMutex&) = delete;

    void lock()
    {
        const std::thread::id self = std::this_thread::get_id();
        if (owner.load(std::memory_order_relaxed) == self) {  // only this thread can have stored self
            depth++;
            return;
        }
        int expected = FREE;
        if (!word.compare_exchange_strong(expected, HELD, std::memory_order_acquire, std::memory_order_relaxed))
            waitForIt();
        owner.store(self, std::memory_order_relaxed);
        depth = 1;
    }

    bool try_lock()
    {
        const std::thread::id self = std::this_thread::get_id();
        if (owner.load(std::memory_order_relaxed) == self) {
            depth++;
            return true;
        }
        int expected = FREE;
        if (!word.compare_exchange_strong(expected, HELD, std::memory_order_acquire, std::memory_order_relaxed))
            return false;
        owner.store(self, std::memory_order_relaxed);
        depth = 1;
        return true;
    }

    void unlock()
    {
        if (--depth > 0) return;
        owner.store(std::thread::id(), std::memory_order_relaxed);
        if (word.exchange(FREE, std::memory_order_release) == WAITED_FOR) word.notify_one();
    }

private:
    static constexpr int FREE = 0, HELD = 1, WAITED_FOR = 2;

    // Marks the word as waited for, so that the holder's unlock wakes a sleeper, and sleeps until
    // a swap finds it free (then this thread holds it, still marked: a wake-up too many is harmless).
    void waitForIt()
    {
        while (word.exchange(WAITED_FOR, std::memory_order_acquire) != FREE)
            word.wait(WAITED_FOR, std::memory_order_relaxed);
    }

    std::atomic<int> word{FREE};
    std::atomic<std::thread::id> owner{};
    int depth = 0;  // read and written only by the holder
};
