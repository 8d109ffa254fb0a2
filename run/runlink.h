// CRunLink: the one block shared by the interface thread and the interpreter's worker thread.
#pragma once

#include <mutex>
#include <string>

#include "run/event.h"
#include "run/inputdevices.h"
#include "run/runwindow.h"
#include "space/space.h"

// Every data member is read and written only under `mutex`; the events need no lock.
class CRunLink {
public:
    CRunLink() = default;
    CRunLink(const CRunLink&) = delete;
    CRunLink& operator=(const CRunLink&) = delete;

    void Lock() { mutex.lock(); }
    void Unlock() { mutex.unlock(); }

    CSpace space{1, 1, 1, 0};
    CInputDevices devices;
    std::string status;
    int busy = 0;
    IRunWindow* viewWnd = nullptr;
    // 1 while the last Match sweep found every unit asleep with no message pending: such a run
    // can never end by itself. The headless runner watches it; the editor waits for Stop.
    int asleep = 0;

    CEventHub eventHub;  // shared by the four events, so a two-event wait is race-free
    CEvent goEvent{eventHub};
    CEvent stopEvent{eventHub};
    CEvent finishedEvent{eventHub};
    CEvent continueEvent{eventHub};

    std::recursive_mutex mutex;  // re-entrant for its owner
};
