// CQueuedRunWindow: the worker's messages reach the other thread in the order posted, and a wait
// with nothing posted ends with RunMessage::None when its time is up.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "run/queuedrunwindow.h"

TEST(QueuedRunWindow, MessagesComeInTheOrderPostedAndNoneWhenTheWaitRunsOut)
{
    CQueuedRunWindow window;
    EXPECT_EQ(window.next(std::chrono::milliseconds(1)), RunMessage::None);
    window.postRunShow();
    window.postRunShow();
    window.postRunFinished();
    EXPECT_EQ(window.queued(), 3);
    EXPECT_EQ(window.next(std::chrono::milliseconds(1)), RunMessage::Show);
    EXPECT_EQ(window.next(std::chrono::milliseconds(1)), RunMessage::Show);
    EXPECT_EQ(window.next(std::chrono::milliseconds(1)), RunMessage::Finished);
    EXPECT_EQ(window.queued(), 0);
    EXPECT_EQ(window.next(std::chrono::milliseconds(1)), RunMessage::None);
}

TEST(QueuedRunWindow, APostFromAnotherThreadWakesTheWaiter)
{
    CQueuedRunWindow window;
    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        window.postRunFinished();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(window.next(std::chrono::seconds(10)), RunMessage::Finished);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "woken by the post, not the time-out";
    worker.join();
}
