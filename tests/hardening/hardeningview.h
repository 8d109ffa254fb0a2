// CHardeningView: a document view for the hardening tests. It queues the worker's messages for the
// test thread, or answers each show request at once, as a view that draws instantly would.
#pragma once

#include <atomic>
#include <chrono>

#include "document/tesseradoc.h"
#include "run/queuedrunwindow.h"
#include "run/runwindow.h"

class CHardeningView : public CQueuedRunWindow {
public:
    CHardeningView(CTesseraDoc& doc, bool answerShows) : doc(doc), answerShows(answerShows) { doc.SetRunWindow(this); }
    ~CHardeningView() override
    {
        doc.StopRun();
        doc.SetRunWindow(nullptr);
    }

    void postRunShow() override
    {
        shows++;
        if (answerShows)
            doc.SignalContinue();
        else
            post(RunMessage::Show);
    }
    RunMessage next(std::chrono::milliseconds timeout = std::chrono::seconds(20)) { return CQueuedRunWindow::next(timeout); }

    std::atomic<int> shows{0};

private:
    CTesseraDoc& doc;
    const bool answerShows;
};
