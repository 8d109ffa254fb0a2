// CHeadlessView: the runner's stand-in for the editor's view. It queues the worker's messages
// for the main thread, which answers every show request at once.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "document/docview.h"
#include "run/runwindow.h"

class CHeadlessView : public IDocView, public IRunWindow {
public:
    void OnUpdate() override {}
    void OnInitialUpdate() override {}
    IRunWindow* GetRunWindow() override { return this; }

    void postRunShow() override { post(WM_RUN_SHOW); }
    void postRunFinished() override { post(WM_RUN_FINISHED); }

    // The next message, or 0 when none arrived within the time-out.
    int waitMessage(std::chrono::milliseconds timeout);

private:
    void post(int message);

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<int> m_queue;
};
