// CHardeningView: a document view for the hardening tests. It queues the worker's messages for the
// test thread, or answers each show request at once, as a view that draws instantly would.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "document/docview.h"
#include "document/runwindow.h"
#include "document/tesseradoc.h"

class CHardeningView : public IDocView, public IRunWindow {
public:
    CHardeningView(CTesseraDoc& doc, bool answerShows) : doc(doc), answerShows(answerShows) { doc.AddView(this); }
    ~CHardeningView() override
    {
        doc.StopRun();
        doc.RemoveView(this);
    }

    void OnUpdate() override {}
    void OnInitialUpdate() override {}
    IRunWindow* GetRunWindow() override { return this; }

    void postRunShow() override
    {
        shows++;
        if (answerShows)
            doc.SignalContinue();
        else
            post(WM_RUN_SHOW);
    }
    void postRunFinished() override { post(WM_RUN_FINISHED); }

    // The next queued message, or 0 when none comes in time.
    int next(std::chrono::milliseconds timeout = std::chrono::seconds(20))
    {
        std::unique_lock<std::mutex> hold(mutex);
        if (!posted.wait_for(hold, timeout, [this] { return !queue.empty(); })) return 0;
        const int m = queue.front();
        queue.pop_front();
        return m;
    }

    std::atomic<int> shows{0};

private:
    void post(int m)
    {
        std::lock_guard<std::mutex> hold(mutex);
        queue.push_back(m);
        posted.notify_all();
    }

    CTesseraDoc& doc;
    const bool answerShows;
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<int> queue;
};
