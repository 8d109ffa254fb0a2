// The message pane on near misses. With Program Blocks on and no run in progress, a cursor on
// or in a near miss shows its reason, and the pane is cleared when the cursor leaves it. A run
// that finds nothing to do (no work area, or an end before any rule applied) names the near
// miss nearest the cursor, once, in place of the run's last status.
#include <QStatusBar>

#include "app/mainframe.h"
#include "document/tesseradoc.h"
#include "interpreter/nearmiss.h"
#include "view/tesseraview.h"

namespace {
// Near misses farther than this from the cursor are still named: any one is a lead.
constexpr int ANY_DISTANCE = 1 << 30;

// A run that ends at its first show rewrote nothing.
bool FoundNothingToDo(const CRunControl& control)
{
    return control.state() == CRunControl::State::NothingToRun ||
           (control.state() == CRunControl::State::Ended && control.step() <= 1);
}
}  // namespace

void CMainFrame::UpdateNearMissMessage()
{
    if (!m_pView) return;
    const CRunControl& control = m_pDoc->Session().RunControl();
    if (FoundNothingToDo(control) && control.run() != m_runExplained) {
        m_runExplained = control.run();
        const std::vector<CNearMiss> misses = findNearMisses(m_pDoc->GetSpace());
        const CNearMiss* nearest = nearestNearMiss(misses, m_pView->GetEditor().GetCursorX(), m_pView->GetEditor().GetCursorY(),
                                                   m_pView->GetEditor().GetCursorZ(), ANY_DISTANCE);
        if (nearest) {
            const QString head = control.state() == CRunControl::State::NothingToRun ? "Nothing to run"
                                                                                      : "No rule applied";
            statusBar()->showMessage(head + ". Nearest near miss: " + QString::fromStdString(nearest->reason));
        }
        return;
    }
    if (control.inRun()) return;
    const CNearMiss* here = m_pView->IsProgramBlocks() ? m_pView->NearMissAtCursor() : nullptr;
    const QString reason = here ? QString::fromStdString(here->reason) : QString();
    if (reason == m_nearMissShown) return;
    if (!reason.isEmpty()) statusBar()->showMessage(reason);
    else if (statusBar()->currentMessage() == m_nearMissShown) statusBar()->clearMessage();
    m_nearMissShown = reason;
}
