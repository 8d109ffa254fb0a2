// CCallGate: counts the calls still running inside an object that another thread may destroy as
// soon as it sees their effect. A call that wakes its waiters after it has let go of its lock
// (so that they do not wake only to block on that lock) still touches the object afterwards; the
// gate, declared as the object's last member and so destroyed first, waits for it to leave.
#pragma once

#include <atomic>
#include <thread>

class CCallGate {
public:
    CCallGate() = default;
    CCallGate(const CCallGate&) = delete;
    CCallGate& operator=(const CCallGate&) = delete;
    ~CCallGate()
    {
        while (inside.load(std::memory_order_acquire) != 0) std::this_thread::yield();
    }

    // Held for the whole of a call; leaving is the call's last touch of the object.
    class Pass {
    public:
        explicit Pass(CCallGate& gate) : gate(gate) { gate.inside.fetch_add(1, std::memory_order_relaxed); }
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
        ~Pass() { gate.inside.fetch_sub(1, std::memory_order_release); }

    private:
        CCallGate& gate;
    };

private:
    std::atomic<int> inside{0};
};
