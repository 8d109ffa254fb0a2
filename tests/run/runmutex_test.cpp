// CRunMutex: re-entrant for its holder, closed to every other thread, and exact under contention.
#include "run/runmutex.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

namespace {
// Whether another thread can take the lock at this moment (it lets go again at once).
bool freeForAnotherThread(CRunMutex& mutex)
{
    bool took = false;
    std::thread([&] {
        took = mutex.try_lock();
        if (took) mutex.unlock();
    }).join();
    return took;
}
}  // namespace

TEST(RunMutex, ItsHolderTakesItAgainAndOthersWaitUntilTheLastLetGo)
{
    CRunMutex mutex;
    mutex.lock();
    EXPECT_TRUE(mutex.try_lock());
    mutex.lock();
    EXPECT_FALSE(freeForAnotherThread(mutex));
    mutex.unlock();
    mutex.unlock();
    EXPECT_FALSE(freeForAnotherThread(mutex)) << "still held once";
    mutex.unlock();
    EXPECT_TRUE(freeForAnotherThread(mutex));
    EXPECT_TRUE(mutex.try_lock()) << "and this thread takes it afresh";
    mutex.unlock();
}

TEST(RunMutex, ThreadsThatWaitForItLoseNoUpdate)
{
    // Every thread adds under the lock, now and then with a nested hold, while the others wait.
    CRunMutex mutex;
    constexpr int threads = 4, rounds = 5000;
    long total = 0;
    std::vector<std::thread> adders;
    for (int t = 0; t < threads; t++)
        adders.emplace_back([&] {
            for (int i = 0; i < rounds; i++) {
                std::lock_guard<CRunMutex> hold(mutex);
                const long seen = total;
                if (i % 64 == 0) {
                    std::lock_guard<CRunMutex> again(mutex);
                    std::this_thread::yield();  // let others find it held and sleep
                }
                total = seen + 1;
            }
        });
    for (std::thread& adder : adders) adder.join();
    EXPECT_EQ(total, long(threads) * rounds);
}
