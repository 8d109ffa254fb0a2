// CRunLink: the one block shared by the interface thread and the interpreter's worker thread.
#pragma once

#include <mutex>
#include <string>

#include "run/appliedgroup.h"
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
    bool busy = false;
    IRunWindow* viewWnd = nullptr;
    // True while the last Match sweep found every unit asleep with no message pending: such a run
    // can never end by itself. The headless runner watches it; the editor waits for Stop.
    bool asleep = false;
    // True when the last Separate found no work area and no window: the run ends after that step,
    // and its status text stays the scan's last one.
    bool nothingToRun = false;
    // Counts the worker's writes to the space (each step that wrote cells, each resize), so that
    // the document can tell whether a run changed the space.
    unsigned long spaceWrites = 0;
    // Counts every change to the space, by the worker or by the document (edits, undo, loads):
    // a reader that finds the same count as at its last look under the lock knows the cells
    // are as they were then.
    unsigned long spaceChanges = 0;
    // Raised by the document for every start or restart request, so that a show or an end that
    // belongs to an earlier run can be told apart.
    int runNumber = 0;
    CShownStep shown;  // written by the worker just before it asks the view to show a step
    int finishedRun = 0;  // the run number of the run whose end the worker reported last

    CEventHub eventHub;  // shared by the four events, so a two-event wait is race-free
    CEvent goEvent{eventHub};
    CEvent stopEvent{eventHub};
    CEvent finishedEvent{eventHub};
    CEvent continueEvent{eventHub};

    std::recursive_mutex mutex;  // re-entrant for its owner
};
