// CDocWatcher: stands in for a view in the document tests. It is the document's run window,
// queueing the worker's messages for the test thread, and a listener counting what the
// document told it.
#pragma once

#include <chrono>

#include "document/doclistener.h"
#include "document/tesseradoc.h"
#include "run/queuedrunwindow.h"

class CDocWatcher : public IDocListener, public CQueuedRunWindow {
public:
    explicit CDocWatcher(CTesseraDoc& doc) : m_doc(doc)
    {
        doc.AddListener(this);
        doc.SetRunWindow(this);
    }
    ~CDocWatcher() override
    {
        m_doc.StopRun();
        m_doc.SetRunWindow(nullptr);
        m_doc.RemoveListener(this);
    }
    CDocWatcher(const CDocWatcher&) = delete;
    CDocWatcher& operator=(const CDocWatcher&) = delete;

    void OnSpaceChanged(ESpaceChange change, const CBox&) override { m_changes[int(change)]++; }
    void OnRunChanged() override { runChanges++; }
    // How often the document told of this kind of change.
    int Told(ESpaceChange change) const { return m_changes[int(change)]; }

    // The next message, or RunMessage::None when none arrives in time.
    RunMessage next(std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        return CQueuedRunWindow::next(timeout);
    }

    int runChanges = 0;

private:
    CTesseraDoc& m_doc;
    int m_changes[3] = {0, 0, 0};
};
