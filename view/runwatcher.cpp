// CRunWatcher: the run handshake with the worker, the status timer, the Run menu and the data
// of the step overlays.
#include "view/runwatcher.h"

#include <QTimer>

#include "document/changedcells.h"
#include "document/spaceeditor.h"
#include "document/tesseradoc.h"

namespace {
// Cells outlined for Changes are capped: beyond this many, the picture says no more.
constexpr std::size_t MAX_OUTLINED_CHANGES = 20000;
}  // namespace

CRunWatcher::CRunWatcher(CTesseraDoc& doc, CSpaceEditor& editor) : m_doc(doc), m_editor(editor)
{
    m_statusTimer = new QTimer(this);
    m_statusTimer->setInterval(1000);
    connect(m_statusTimer, &QTimer::timeout, this, &CRunWatcher::OnStatusTimer);
    m_statusTimer->start();
    m_doc.SetRunWindow(this);
}

CRunWatcher::~CRunWatcher() { m_doc.SetRunWindow(nullptr); }

// --- Run handshake -----------------------------------------------------------------------

void CRunWatcher::postRunShow()
{
    QMetaObject::invokeMethod(this, [this] { OnRunShow(); }, Qt::QueuedConnection);
}

void CRunWatcher::postRunFinished()
{
    QMetaObject::invokeMethod(this, [this] { OnRunFinished(); }, Qt::QueuedConnection);
}

void CRunWatcher::OnRunShow()
{
    // The step is on screen before the interpreter computes the next one; the run control
    // decides when that is (at once, after the speed's delay, or after Resume or Step). The
    // record is taken before drawing: the answer is for the show whose space was drawn.
    const CShownStep shown = m_doc.Session().GetShownStep();
    WatchShownStep(shown);
    emit RedrawNeeded();
    const int answer = m_doc.Session().AnswerShow(shown);
    if (answer > 0) {
        const unsigned ticket = m_doc.Session().RunControl().ticket();
        QTimer::singleShot(answer, this, [this, ticket] {
            m_doc.Session().ContinueAfterDelay(ticket);
            emit RunStateChanged();
        });
    }
    emit RunStateChanged();
}

void CRunWatcher::OnRunFinished()
{
    // The end of a run that was stopped or followed by a new Start before this message came
    // must not bring the cursor back or overwrite the message pane while the new run goes on.
    if (!m_doc.Session().RunFinished()) return;
    emit CursorShown(true);
    emit RedrawNeeded();
    // The run's last word, once, so that the message pane is never left with a stale phase.
    emit StatusText(QString::fromStdString(m_doc.GetStatusText()));
    emit RunStateChanged();
}

void CRunWatcher::OnStatusTimer()
{
    if (m_doc.IsBusy()) emit StatusText(QString::fromStdString(m_doc.GetStatusText()));
}

void CRunWatcher::WatchShownStep(const CShownStep& shown)
{
    if (m_bChanges) {
        CSpace now = m_doc.GetSpace();
        m_changes = changedCells(m_shownSpace, now, MAX_OUTLINED_CHANGES);
        m_shownSpace = std::move(now);
    }
    if (m_bAppliedRules) m_applied = shown.applied;
    emit StepShown();
}

// --- Run menu ----------------------------------------------------------------------------

void CRunWatcher::OnRunStart()
{
    emit CursorShown(false);
    m_editor.StartRun();
    ClearStepOverlays();
    emit RunStateChanged();
}

void CRunWatcher::OnRunStop()
{
    emit CursorShown(true);
    m_doc.StopRun();
    emit RunStateChanged();
}

void CRunWatcher::OnRunBack()
{
    m_editor.Back();
    emit RedrawNeeded();
}

// Pause, Step and speed go through the session's run control.
void CRunWatcher::OnRunPause()
{
    if (m_doc.Session().RunControl().isPaused())
        m_doc.Session().ResumeRun();
    else
        m_doc.Session().PauseRun();
    emit RunStateChanged();
}

void CRunWatcher::OnRunStep()
{
    // With no run in progress, Step starts one that pauses after its first step.
    if (!m_doc.Session().StepRun()) OnRunStart();
    emit RunStateChanged();
}

void CRunWatcher::OnRunGo()
{
    if (m_doc.Session().RunControl().inRun()) {
        m_doc.Session().ResumeRun();
        emit RunStateChanged();
    } else {
        m_doc.Session().ResumeRun();  // a run started with F5 runs freely
        OnRunStart();
    }
}

void CRunWatcher::OnRunSpeed(int index) { m_doc.Session().SetRunSpeed(index); }

// --- Step overlays -----------------------------------------------------------------------

void CRunWatcher::OnViewChanges()
{
    m_bChanges = !m_bChanges;
    m_changes.clear();
    m_shownSpace = m_bChanges ? m_doc.GetSpace() : CSpace();
    emit RedrawNeeded();
}

void CRunWatcher::OnViewAppliedRules()
{
    m_bAppliedRules = !m_bAppliedRules;
    m_applied.clear();
    emit RedrawNeeded();
}

void CRunWatcher::ClearStepOverlays()
{
    m_changes.clear();
    m_applied.clear();
    if (m_bChanges) m_shownSpace = m_doc.GetSpace();
}
