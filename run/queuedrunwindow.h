// CQueuedRunWindow: a run window whose posted messages queue up for another thread to take, as
// the interface thread's message queue would hold them. The headless runner, the tests and the
// fuzz targets all play the interface thread with it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "run/callgate.h"
#include "run/runwindow.h"

class CQueuedRunWindow : public IRunWindow {
public:
    void postRunShow() override { post(RunMessage::Show); }
    void postRunFinished() override { post(RunMessage::Finished); }

    // The next posted message, or RunMessage::None when none comes within the time-out.
    RunMessage next(std::chrono::milliseconds timeout);
    // How many messages wait in the queue.
    int queued();

protected:
    void post(RunMessage message);

private:
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<RunMessage> queue;
    CCallGate posting;  // last: a post still waking the taker delays the window's end
};
