// CTesseraDoc: owns the space, the run link shared with the worker thread, the Back copy, the
// undo history, the interpreter that runs for the document and the worker thread that runs it.
// Plain C++: views attach as IDocView observers.
#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "document/runcontrol.h"
#include "document/edithistory.h"
#include "run/runlink.h"
#include "space/box.h"
#include "space/space.h"

class CByteStream;
class CInterpreter;
class IDocView;

class CTesseraDoc {
public:
    CTesseraDoc();
    ~CTesseraDoc();
    CTesseraDoc(const CTesseraDoc&) = delete;
    CTesseraDoc& operator=(const CTesseraDoc&) = delete;

    // Views; the first one added is "the first view" (run messages, reinitialisation).
    void AddView(IDocView* view);
    void RemoveView(IDocView* view);
    void UpdateAllViews();

    void Lock();
    void Unlock();
    int GetSizeX();
    int GetSizeY();
    int GetSizeZ();
    int GetCell(int x, int y, int z);
    const CSpace& SpaceUnlocked() const { return m_link.space; }  // for readers holding the lock
    void SetCell(int x, int y, int z, int value);
    CSpace GetSpace();  // a copy, taken under the lock

    // Box operations, each under one hold of the lock. A box (inclusive corners in any order)
    // may reach beyond the space: cells outside read as 2 and are never written. Each change
    // is one undoable step named by the mark.
    CSpace ExtractBox(const CBox& box);
    void FillBox(const CBox& box, int value, const SEditMark& mark);
    // The box's cells into the returned space, then emptied.
    CSpace CutBox(const CBox& box, const SEditMark& mark);
    // The cells of src from (x, y, z) on, except those holding 2.
    void PasteBox(int x, int y, int z, const CSpace& src, const SEditMark& mark);

    void SaveBackup();
    // Back: the space as it was saved by SaveBackup; an undoable edit, which marks the document
    // modified and restarts a busy run.
    void RestoreBackup(const SEditMark& mark = {"Back"});

    // Undo and redo of the last steps: the space exactly as before (after) the step, the
    // modified flag as it was in that state, and a busy run restarted. They return false when
    // there is nothing to undo (redo); otherwise `where` is where the cursor stood for the step.
    bool Undo(SEditMark& where);
    bool Redo(SEditMark& where);
    const CEditHistory& GetHistory() const { return m_history; }
    int IsBusy();
    // While a show request waits for its answer: whether the step shown is the run's last.
    bool IsLastStepShown();
    // Whether the last Match sweep found every unit asleep with no message pending: such a run
    // can never end by itself.
    bool IsRunAsleep();
    // Whether the last run's Separate found no work area and no window.
    bool IsNothingToRun();
    std::string GetStatusText();
    void SignalContinue();

    void StartRun();
    void StopRun();
    void RestartIfBusy();
    // Watching a run (interface thread). On a show request the view first takes the record
    // (GetShownStep), draws, then answers that record with AnswerShow: it lets the worker go on
    // and returns 0, or returns the delay after which ContinueAfterDelay(ticket) is due, or
    // CRunControl::HOLD. A request can outlive its run (Stop, then Start before the queue is
    // read): the record taken then is that of a later show, which is answered as any other, or
    // that of the stopped run, whose answer releases nothing. Pause and Step never hold the
    // lock; Stop ends a held show at once.
    int AnswerShow(const CShownStep& shown);
    void ContinueAfterDelay(unsigned ticket);
    void PauseRun();
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

    void PressLeft();
    void PressRight();
    void ClearLeft();
    void ClearRight();

    // A new empty 40 x 10 x 30 space.
    bool OnNewDocument();
    // Loads a space or plane file from the stream. Returns false (space, Back copy and views
    // untouched) when the stream holds no space the reader recognises.
    bool Load(CByteStream& in);
    // Writes the space file, or the VRML scene when the stream's name ends in ".wrl"/".WRL".
    // Returns false when a write failed.
    bool Store(CByteStream& out);
    void OnSizeUp(const SEditMark& mark = {"SizeUp"});
    void OnSizeDown(const SEditMark& mark = {"SizeDown"});
    // Gives the space exact sizes; every cell keeps its place, cells beyond the new sizes are
    // dropped. Marks the document modified and redraws the views without reinitialising them.
    // Returns false, changing nothing, when the sizes are not possible (spaceresize.h).
    // The whole change happens here under one lock hold, so it is one undoable step, which
    // keeps only the painted cells it dropped.
    bool ResizeSpace(int sizeX, int sizeY, int sizeZ, const SEditMark& mark = {"Space Size"});

    // Modified flag of the document ("save changes?"). Clearing it marks the present state as
    // the saved one, which undo and redo come back to.
    void SetModifiedFlag(bool modified = true);
    // Also true once a run has written to the space since it was loaded or saved.
    bool IsModified();

    CRunLink& GetLink() { return m_link; }

private:
    void InitialUpdateFirstView();
    void RestoreBackupSpace(const SEditMark& mark);
    // Marks the document modified when the worker wrote to the space since the last look.
    void NoteRunWrites();
    // Sets continue if the worker still waits at the show numbered `serial`; otherwise that
    // show is gone (its run stopped or restarted, or it was let go already) and nothing is set.
    void ContinueShow(unsigned serial);

    CRunLink m_link;
    CRunControl m_control;
    unsigned m_keptShow = 0;  // the serial of the show the run control holds or delays
    std::unique_ptr<CInterpreter> m_interpreter;  // runs on m_pThread only while it exists
    std::thread* m_pThread = nullptr;
    CSpace m_backup;
    std::vector<IDocView*> m_views;
    bool m_bModified = false;
    unsigned long m_runWritesSeen = 0;  // the link's count of worker writes at the last look
    CEditHistory m_history;
};
