// CRunSession: the interface thread's side of the run protocol. Everything shared with the
// worker lives in m_link and is touched only under its mutex; the two threads signal each other
// with the link's four auto-reset events.
#include "document/runsession.h"

#include <sys/resource.h>
#include <sys/syscall.h>

#include <mutex>
#include <unistd.h>

#include "interpreter/interpreter.h"
#include "interpreter/runworker.h"

namespace {
using Hold = std::lock_guard<std::recursive_mutex>;

// The worker runs below normal priority so that the interface stays responsive.
void RunWorkerBelowNormal(CRunLink* link, CInterpreter* interpreter)
{
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 2);  // failure is harmless
    RunWorker(link, *interpreter);
}
}  // namespace

CRunSession::CRunSession() : m_interpreter(std::make_unique<CInterpreter>()) {}

CRunSession::~CRunSession() { StopRun(); }

void CRunSession::SetRunWindow(IRunWindow* window)
{
    m_runWindow = window;
    // A worker already running posts to the new window at once (never to one that is gone).
    Hold hold(m_link.mutex);
    if (m_thread) m_link.viewWnd = window;
}

void CRunSession::StartRun()
{
    if (!m_thread) m_thread = std::make_unique<std::thread>(RunWorkerBelowNormal, &m_link, m_interpreter.get());
    int run;
    {
        Hold hold(m_link.mutex);
        m_link.viewWnd = m_runWindow;
        run = ++m_link.runNumber;
    }
    const bool held = m_control.onStart(run);
    m_link.stopEvent.reset();
    m_link.finishedEvent.reset();
    m_link.goEvent.set();
    // A worker held at a show (paused, or waiting out a delay) must go on to see the request.
    if (held) ContinueShow(m_keptShow);
}

bool CRunSession::StopRun()
{
    if (!m_thread) return false;
    m_link.stopEvent.set();
    m_link.goEvent.set();
    m_link.finishedEvent.wait();
    m_thread->join();
    m_thread.reset();
    // A worker that ended at a show or a poll leaves the go raised: the next worker would take it
    // at once, before its run number is set, and then restart on the next run's own go after its
    // first step, counting that step again.
    m_link.goEvent.reset();
    m_link.stopEvent.reset();
    // The worker may have written a step whose show was queued but not yet answered: the
    // panes speak of the space as the worker left it.
    const CShownStep last = GetShownStep();
    m_control.onStopped(last.run, last.step);
    return true;
}

void CRunSession::RestartIfBusy()
{
    if (IsBusy()) StartRun();
}

bool CRunSession::IsBusy()
{
    Hold hold(m_link.mutex);
    return m_link.busy;
}

std::string CRunSession::GetStatusText()
{
    Hold hold(m_link.mutex);
    return m_link.status;
}

bool CRunSession::IsLastStepShown()
{
    // The worker sets the phase before it posts the show request and leaves it alone until the
    // request is answered, so the request's delivery orders this read after the write.
    return m_interpreter->phase == CInterpreter::PHASE_RUN_OVER;
}

bool CRunSession::IsRunAsleep()
{
    Hold hold(m_link.mutex);
    return m_link.asleep;
}

bool CRunSession::IsNothingToRun()
{
    Hold hold(m_link.mutex);
    return m_link.nothingToRun;
}

int CRunSession::AnswerShow(const CShownStep& shown)
{
    const int answer = m_control.onShow(shown.run, shown.step, shown.last != 0);
    if (answer == 0) ContinueShow(shown.serial);
    else m_keptShow = shown.serial;
    return answer;
}

void CRunSession::ContinueShow(unsigned serial)
{
    // Under the lock, as the worker resets continue and writes a new show in one hold.
    Hold hold(m_link.mutex);
    if (m_link.shown.serial == serial) m_link.continueEvent.set();
}

void CRunSession::ContinueAfterDelay(unsigned ticket)
{
    if (m_control.delayDue(ticket)) ContinueShow(m_keptShow);
}

void CRunSession::ResumeRun()
{
    if (m_control.resume()) ContinueShow(m_keptShow);
}

bool CRunSession::StepRun()
{
    if (!m_control.inRun()) {
        m_control.pause();
        return false;
    }
    if (m_control.stepOnce()) ContinueShow(m_keptShow);
    return true;
}

bool CRunSession::RunFinished()
{
    int run;
    bool nothingToRun;
    {
        Hold hold(m_link.mutex);
        run = m_link.finishedRun;
        nothingToRun = m_link.nothingToRun;
    }
    return m_control.onFinished(run, nothingToRun);
}

CShownStep CRunSession::GetShownStep()
{
    Hold hold(m_link.mutex);
    return m_link.shown;
}

void CRunSession::PressLeft()
{
    Hold hold(m_link.mutex);
    m_link.devices.pressLeft();
}

void CRunSession::PressRight()
{
    Hold hold(m_link.mutex);
    m_link.devices.pressRight();
}

void CRunSession::ClearLeft()
{
    Hold hold(m_link.mutex);
    m_link.devices.clearLeft();
}

void CRunSession::ClearRight()
{
    Hold hold(m_link.mutex);
    m_link.devices.clearRight();
}

void CRunSession::DropClicks()
{
    Hold hold(m_link.mutex);
    m_link.devices.latch();
}

void CRunSession::SaveBackup()
{
    Hold hold(m_link.mutex);
    m_backup = m_link.space;
}

bool CRunSession::TakeRunWrites()
{
    Hold hold(m_link.mutex);
    if (m_link.spaceWrites == m_runWritesSeen) return false;
    m_runWritesSeen = m_link.spaceWrites;
    return true;
}
