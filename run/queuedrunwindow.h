// CQueuedRunWindow: a run window whose posted messages queue up for another thread to take, as
// the interface thread's message queue would hold them. Used by tests and the fuzz targets.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "run/runwindow.h"

class CQueuedRunWindow : public IRunWindow {
public:
    void postRunShow() override { post(WM_RUN_SHOW); }
    void postRunFinished() override { post(WM_RUN_FINISHED); }

    // The next posted message, or 0 when none comes within the time-out.
    int next(std::chrono::milliseconds timeout)
    {
        std::unique_lock<std::mutex> hold(mutex);
        if (!posted.wait_for(hold, timeout, [this] { return !queue.empty(); })) return 0;
        const int message = queue.front();
        queue.pop_front();
        return message;
    }
    int queued()
    {
        std::lock_guard<std::mutex> hold(mutex);
        return int(queue.size());
    }

protected:
    void post(int message)
    {
        std::lock_guard<std::mutex> hold(mutex);
        queue.push_back(message);
        posted.notify_all();
    }

private:
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<int> queue;
};
