// CRunSession: one document's run. It owns the run link shared with the worker thread (the
// space lies in it), the worker thread and its interpreter, the run control (pause, step,
// speed) with the answers to show requests, the click latches, the Back copy, and the step and
// state the panes show. It posts to the run window it is handed and calls nothing above it.
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "document/runcontrol.h"
#include "run/runlink.h"
#include "space/space.h"

class CInterpreter;
class IRunWindow;

class CRunSession {
public:
    CRunSession();
    ~CRunSession();
    CRunSession(const CRunSession&) = delete;
    CRunSession& operator=(const CRunSession&) = delete;

    // The window that receives the worker's show and finished messages; null: none is posted.
    void SetRunWindow(IRunWindow* window);
    CRunLink& Link() { return m_link; }
    void Lock() { m_link.Lock(); }
    void Unlock() { m_link.Unlock(); }

    // Starts the worker when there is none and asks it for a (re)start of the run.
    void StartRun();
    // Ends the worker, waiting for it; false when there was none.
    bool StopRun();
    // Restarts a busy run, from the space as it is now.
    void RestartIfBusy();
    bool IsBusy();
    std::string GetStatusText();
    void SignalContinue() { m_link.continueEvent.set(); }
    // While a show request waits for its answer: whether the step shown is the run's last.
    bool IsLastStepShown();
    // Whether the last Match sweep found every unit asleep with no message pending: such a run
    // can never end by itself.
    bool IsRunAsleep();
    // Whether the last run's Separate found no work area and no window.
    bool IsNothingToRun();

    // Watching a run (interface thread). On a show request the view first takes the record
    // (GetShownStep), draws, then answers that record with AnswerShow: it lets the worker go on
    // and returns 0, or returns the delay after which ContinueAfterDelay(ticket) is due, or
    // CRunControl::HOLD. A request can outlive its run (Stop, then Start before the queue is
    // read): the record taken then is that of a later show, which is answered as any other, or
    // that of the stopped run, whose answer releases nothing. Pause and Step never hold the
    // lock; Stop ends a held show at once.
    int AnswerShow(const CShownStep& shown);
    void ContinueAfterDelay(unsigned ticket);
    void PauseRun() { m_control.pause(); }
    void ResumeRun();
    // One step of a run in progress; false when no run is in progress (the caller starts one,
    // which is then paused after its first step).
    bool StepRun();
    void SetRunSpeed(int index) { m_control.setSpeed(index); }
    // The worker reported the end of a run. False when that was the end of an earlier run than
    // the one in progress (its message came after Stop or a new Start): nothing changes then.
    bool RunFinished();
    const CRunControl& RunControl() const { return m_control; }
    CShownStep GetShownStep();  // a copy, under the lock
    // The space is no longer the last run's (New, Open, Back, a resize): the panes forget it.
    void ForgetRun() { m_control.forgetRun(); }

    // The mouse buttons a running program reads; a press waits for the run's next step.
    void PressLeft();
    void PressRight();
    void ClearLeft();
    void ClearRight();
    // Drops pending clicks (a new space).
    void DropClicks();

    // The Back copy: the space as it was before Start (interface thread only).
    void SaveBackup();
    const CSpace& Backup() const { return m_backup; }

    // True, once, when the worker has written to the space since the last call.
    bool TakeRunWrites();

private:
    // Sets continue if the worker still waits at the show numbered `serial`; otherwise that
    // show is gone (its run stopped or restarted, or it was let go already) and nothing is set.
    void ContinueShow(unsigned serial);

    CRunLink m_link;
    CRunControl m_control;
    unsigned m_keptShow = 0;                      // the serial of the show the run control holds or delays
    std::unique_ptr<CInterpreter> m_interpreter;  // runs on m_thread only while it exists
    std::unique_ptr<std::thread> m_thread;
    IRunWindow* m_runWindow = nullptr;
    CSpace m_backup{1, 1, 1, 0};
    unsigned long m_runWritesSeen = 0;  // the link's count of worker writes at the last look
};
