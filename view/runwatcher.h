// CRunWatcher: the editor's side of a run. It is the document's run window: the worker's show
// and end messages are queued to the GUI thread, where it records what the shown step wrote and
// applied, asks the view to draw, and answers the show through the run control. It runs the Run
// menu (Start, Stop, Back, Pause, Step, Go, Speed) and says what the status bar shows. It draws
// nothing: the view reads its overlays and redraws when told.
#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "run/appliedgroup.h"
#include "run/runwindow.h"
#include "space/cell.h"
#include "space/space.h"

class CSpaceEditor;
class CTesseraDoc;
class QTimer;

class CRunWatcher : public QObject, public IRunWindow {
    Q_OBJECT

public:
    // Becomes the document's run window until it is destroyed.
    CRunWatcher(CTesseraDoc& doc, CSpaceEditor& editor);
    ~CRunWatcher() override;

    // IRunWindow: called on the worker thread; the handling is queued to this thread.
    void postRunShow() override;
    void postRunFinished() override;

    // Run menu.
    void OnRunStart();
    void OnRunStop();
    void OnRunBack();
    void OnRunPause();  // toggles
    void OnRunStep();
    void OnRunGo();     // Start when no run is in progress, else Resume
    void OnRunSpeed(int index);

    // View > Changes and View > Applied Rules: outlines of what the last shown step wrote and
    // of the rule groups it applied.
    void OnViewChanges();
    void OnViewAppliedRules();
    bool IsChanges() const { return m_bChanges; }
    bool IsAppliedRules() const { return m_bAppliedRules; }
    const std::vector<CCell>& GetChanges() const { return m_changes; }
    const std::vector<CAppliedGroup>& GetAppliedRules() const { return m_applied; }
    // An edit or a new space ends what the last step showed.
    void ClearStepOverlays();

signals:
    // The interpreter's status text, once a second while a run is busy, and a run's last word.
    void StatusText(const QString& text);
    // The run's step or state changed (panes of the status bar).
    void RunStateChanged();
    // The view is to draw now: the space or an overlay changed.
    void RedrawNeeded();
    // A step was shown: what the view derives from the space may be out of date.
    void StepShown();
    // A run hides the cursor while it goes; Stop and the run's end bring it back.
    void CursorShown(bool shown);

private:
    void OnRunShow();
    void OnRunFinished();
    void OnStatusTimer();
    // After a shown step: what it changed and applied.
    void WatchShownStep(const CShownStep& shown);

    CTesseraDoc& m_doc;
    CSpaceEditor& m_editor;
    QTimer* m_statusTimer = nullptr;
    bool m_bChanges = false;
    bool m_bAppliedRules = false;
    CSpace m_shownSpace;                   // the space at the last show, to find what a step wrote
    std::vector<CCell> m_changes;          // cells the last step wrote
    std::vector<CAppliedGroup> m_applied;  // groups the last step applied
};
