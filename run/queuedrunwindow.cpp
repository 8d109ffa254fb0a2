// The queue between the worker thread, which posts, and the thread that plays the interface.
#include "run/queuedrunwindow.h"

RunMessage CQueuedRunWindow::next(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> hold(mutex);
    if (!posted.wait_for(hold, timeout, [this] { return !queue.empty(); })) return RunMessage::None;
    const RunMessage message = queue.front();
    queue.pop_front();
    return message;
}

int CQueuedRunWindow::queued()
{
    std::lock_guard<std::mutex> hold(mutex);
    return int(queue.size());
}

void CQueuedRunWindow::post(RunMessage message)
{
    // The taker is woken after the lock is let go, so that it does not wake only to wait for it.
    CCallGate::Pass pass(posting);
    {
        std::lock_guard<std::mutex> hold(mutex);
        queue.push_back(message);
    }
    posted.notify_all();
}
