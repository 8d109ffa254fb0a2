// CEvent and waitForEither: auto-reset semantics, consuming tests, the order of a two-event
// wait, and no lost wake-ups between threads.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "run/event.h"

namespace {
constexpr std::chrono::milliseconds kPatience = std::chrono::seconds(10);
}

TEST(Event, AutoResetAndConsumingTests)
{
    CEventHub hub;
    CEvent e(hub);
    EXPECT_FALSE(e.tryConsume()) << "created unsignalled";
    e.set();
    e.set();  // setting twice is still one signal
    EXPECT_TRUE(e.tryConsume());
    EXPECT_FALSE(e.tryConsume());
    e.set();
    e.reset();
    EXPECT_FALSE(e.tryConsume());
    e.set();
    e.wait();  // a set before the wait is not lost; the wait consumes it
    EXPECT_FALSE(e.waitFor(std::chrono::milliseconds(1)));
}

TEST(Event, WaitForEitherPrefersTheFirstAndConsumesOnlyTheOneReturned)
{
    CEventHub hub;
    CEvent first(hub), second(hub);
    first.set();
    second.set();
    EXPECT_EQ(waitForEither(first, second), 0);
    EXPECT_EQ(waitForEither(first, second), 1);
    EXPECT_FALSE(first.tryConsume() || second.tryConsume());
    second.set();
    EXPECT_EQ(waitForEither(first, second), 1);
}

TEST(Event, PingPongBetweenThreadsLosesNoSignal)
{
    // The other thread answers each ping; a lost set would stall one side.
    CEventHub hub;
    CEvent ping(hub), pong(hub), stop(hub);
    constexpr int rounds = 20000;
    int answered = 0, completed = 0;
    std::thread other([&] {
        while (waitForEither(stop, ping) == 1) {
            answered++;
            pong.set();
        }
    });
    for (; completed < rounds; completed++) {
        ping.set();
        if (!pong.waitFor(kPatience)) break;
    }
    stop.set();
    other.join();
    EXPECT_EQ(completed, rounds);
    EXPECT_EQ(answered, rounds);
}
