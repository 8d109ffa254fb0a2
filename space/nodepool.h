// CNodePool<Size>: where list nodes of one size come from. Memory is taken from the system in
// blocks of many nodes and never given back; freed nodes are kept on a per-thread free list and
// handed out again, so filling and emptying a list costs no trip to the general allocator in the
// steady state. A thread keeps at most a few thousand free nodes; more, and those left when the
// thread ends, go to a shared depot from which any thread refills. Since blocks are never freed,
// a node may be freed on another thread than the one that made it (lists move between the
// interpreter's worker threads).
#pragma once

#include <cstddef>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

template <std::size_t Size>
class CNodePool {
public:
    static void* allocate()
    {
        Local& local = local_();
        if (!local.free) refill(local);
        Free* node = local.free;
        local.free = node->next;
        local.count--;
        return node;
    }

    static void release(void* p)
    {
        Local& local = local_();
        Free* node = static_cast<Free*>(p);
        node->next = local.free;
        local.free = node;
        if (++local.count >= 2 * BATCH) giveBack(local, BATCH);
    }

private:
    static constexpr std::size_t NODE = Size < sizeof(void*) ? sizeof(void*) : Size;
    static constexpr std::size_t ALIGN = alignof(std::max_align_t);
    static constexpr std::size_t STRIDE = (NODE + ALIGN - 1) / ALIGN * ALIGN;
    // Nodes per block: up to 1024 small ones, but a block stays near 64 KiB, so that the first
    // node of a large kind (a whole unit) does not make and touch megabytes of nodes.
    static constexpr std::size_t BATCH =
        STRIDE >= 65536 ? 1 : (65536 / STRIDE > 1024 ? 1024 : 65536 / STRIDE);

    struct Free {
        Free* next;
    };
    // Chains of up to BATCH free nodes; the blocks themselves are only ever added.
    struct Depot {
        std::mutex mutex;
        std::vector<std::pair<Free*, std::size_t>> chains;
        std::vector<void*> blocks;
    };
    // Trivially destructible, so that lists destroyed after the thread's exit handlers (the
    // main thread's static objects) still find their free list.
    struct Local {
        Free* free;
        std::size_t count;
        bool leaving;
    };
    // Returns the thread's free nodes to the depot when the thread ends.
    struct Flush {
        ~Flush()
        {
            Local& local = local_();
            giveBack(local, local.count);
            local.leaving = true;
        }
    };

    static Local& local_()
    {
        static thread_local Local local{nullptr, 0, false};
        if (!local.leaving) {
            static thread_local Flush flush;
            (void)flush;
        }
        return local;
    }

    static Depot& depot()
    {
        static Depot* d = new Depot;  // never destroyed: nodes may be freed during exit
        return *d;
    }

    static void refill(Local& local)
    {
        Depot& d = depot();
        std::lock_guard<std::mutex> hold(d.mutex);
        if (!d.chains.empty()) {
            local.free = d.chains.back().first;
            local.count = d.chains.back().second;
            d.chains.pop_back();
            return;
        }
        char* block = static_cast<char*>(::operator new(STRIDE * BATCH));
        d.blocks.push_back(block);
        for (std::size_t i = 0; i < BATCH; i++) {
            Free* node = reinterpret_cast<Free*>(block + i * STRIDE);
            node->next = local.free;
            local.free = node;
        }
        local.count = BATCH;
    }

    static void giveBack(Local& local, std::size_t n)
    {
        if (n == 0) return;
        Free* first = local.free;
        Free* last = first;
        for (std::size_t i = 1; i < n; i++) last = last->next;
        local.free = last->next;
        local.count -= n;
        last->next = nullptr;
        Depot& d = depot();
        std::lock_guard<std::mutex> hold(d.mutex);
        d.chains.emplace_back(first, n);
    }
};
