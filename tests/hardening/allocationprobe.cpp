// CAllocationProbe: replaces the global operator new and delete of the hardening test program
// with malloc and free. While a probe is alive each request may raise `g_largest`, and `g_live`
// follows the usable size of blocks allocated and freed, raising `g_peak`.
#include "allocationprobe.h"

#include <atomic>
#include <malloc.h>

#include <cstdlib>
#include <new>

namespace {
std::atomic<int> g_probes{0};
std::atomic<std::size_t> g_largest{0};
std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

void raise(auto& maximum, auto value)
{
    auto seen = maximum.load(std::memory_order_relaxed);
    while (value > seen && !maximum.compare_exchange_weak(seen, value)) {
    }
}

void* allocate(std::size_t n)
{
    void* p = std::malloc(n ? n : 1);
    if (p && g_probes.load(std::memory_order_relaxed) > 0) {
        raise(g_largest, n);
        raise(g_peak, g_live += static_cast<long long>(malloc_usable_size(p)));
    }
    return p;
}

void release(void* p)
{
    if (p && g_probes.load(std::memory_order_relaxed) > 0) g_live -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
}  // namespace

CAllocationProbe::CAllocationProbe()
{
    g_largest = 0;
    g_live = 0;
    g_peak = 0;
    g_probes++;
}

CAllocationProbe::~CAllocationProbe() { g_probes--; }

std::size_t CAllocationProbe::largest() const { return g_largest; }

std::size_t CAllocationProbe::peak() const { return static_cast<std::size_t>(g_peak.load()); }

void* operator new(std::size_t n)
{
    if (void* p = allocate(n)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }
