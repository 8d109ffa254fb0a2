// CCallGate: the end of an object waits for a call still inside it.
#include "run/callgate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

TEST(CallGate, TheEndWaitsForACallStillInside)
{
    auto gate = std::make_unique<CCallGate>();
    std::optional<CCallGate::Pass> call(std::in_place, *gate);
    std::atomic<bool> ended{false};
    std::thread ender([&] { gate.reset(), ended = true; });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(ended) << "the gate ended while a call was inside";
    call.reset();
    ender.join();
    EXPECT_TRUE(ended);
}
