// CTesseraDoc: the space that the user edits and the interpreter runs, its edit history and
// modified flag, loading and storing, and the document's run (a CRunSession, which holds the
// space in the link it shares with the worker). Every edit goes through one entry that records
// it, marks the document modified, restarts a busy run and tells the listeners what changed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "document/doclistener.h"
#include "document/edithistory.h"
#include "document/runsession.h"
#include "space/box.h"
#include "space/space.h"

class CByteStream;
struct SReadNotes;

class CTesseraDoc {
public:
    CTesseraDoc() = default;
    CTesseraDoc(const CTesseraDoc&) = delete;
    CTesseraDoc& operator=(const CTesseraDoc&) = delete;

    void AddListener(IDocListener* listener);
    void RemoveListener(IDocListener* listener);

    // The run: the worker, the show handshake, pause, step and speed, the Back copy.
    CRunSession& Session() { return m_session; }
    const CRunSession& Session() const { return m_session; }
    CRunLink& GetLink() { return m_session.Link(); }
    // The window that receives the worker's messages.
    void SetRunWindow(IRunWindow* window) { m_session.SetRunWindow(window); }

    void Lock() { m_session.Lock(); }
    void Unlock() { m_session.Unlock(); }
    int GetSizeX();
    int GetSizeY();
    int GetSizeZ();
    int GetCell(int x, int y, int z);
    const CSpace& SpaceUnlocked() { return GetLink().space; }  // for readers holding the lock
    void SetCell(int x, int y, int z, int value);
    CSpace GetSpace();  // a copy, taken under the lock

    // Box operations, each under one hold of the lock. A box (inclusive corners in any order)
    // may reach beyond the space: cells outside read as CELL_OUTSIDE and are never written.
    // Each change is one undoable step named by the mark.
    CSpace ExtractBox(const CBox& box);
    void FillBox(const CBox& box, int value, const SEditMark& mark);
    // The box's cells into the returned space, then emptied.
    CSpace CutBox(const CBox& box, const SEditMark& mark);
    // The cells of src from (x, y, z) on, except those holding CELL_OUTSIDE.
    void PasteBox(int x, int y, int z, const CSpace& src, const SEditMark& mark);

    void SaveBackup() { m_session.SaveBackup(); }
    // Back: the space as it was saved by SaveBackup; an undoable edit like the others.
    void RestoreBackup(const SEditMark& mark = {"Back"});

    // Undo and redo of the last steps: the space exactly as before (after) the step, the
    // modified flag as it was in that state, and a busy run restarted. They return false when
    // there is nothing to undo (redo); otherwise `where` is where the cursor stood for the step.
    bool Undo(SEditMark& where);
    bool Redo(SEditMark& where);
    const CEditHistory& GetHistory() const { return m_history; }

    // The run operations; their bodies live in the session.
    bool IsBusy() { return m_session.IsBusy(); }
    std::string GetStatusText() { return m_session.GetStatusText(); }
    void SignalContinue() { m_session.SignalContinue(); }
    void StartRun();
    void StopRun();
    // A busy run starts again (StartRun) from the space as it is now.
    void RestartIfBusy()
    {
        if (IsBusy()) StartRun();
    }
    void PressLeft() { m_session.PressLeft(); }
    void PressRight() { m_session.PressRight(); }
    void ClearLeft() { m_session.ClearLeft(); }
    void ClearRight() { m_session.ClearRight(); }

    // A new empty 40 x 10 x 30 space.
    bool OnNewDocument();
    // Loads a space, plane or MagicaVoxel file from the stream. Returns false (space, Back copy
    // and listeners untouched) when the stream holds no space the reader recognises. `notes`, when
    // given, says what a MagicaVoxel file held, or why it was refused.
    bool Load(CByteStream& in, SReadNotes* notes = nullptr);
    // Writes the space file, the VRML scene when the stream's name ends in ".wrl"/".WRL", or a
    // MagicaVoxel file for ".vox"/".VOX". Returns false when a write failed.
    bool Store(CByteStream& out);
    // Size Up and Size Down: the run stops, and the listeners start afresh on the new space.
    void OnSizeUp(const SEditMark& mark = {"SizeUp"});
    void OnSizeDown(const SEditMark& mark = {"SizeDown"});
    // Gives the space exact sizes; every cell keeps its place, cells beyond the new sizes are
    // dropped. One undoable step, which keeps only the painted cells it dropped. Returns false,
    // changing nothing, when the sizes are not possible (spaceresize.h).
    bool ResizeSpace(int sizeX, int sizeY, int sizeZ, const SEditMark& mark = {"Space Size"});

    // Modified flag of the document ("save changes?"). Clearing it marks the present state as
    // the saved one, which undo and redo come back to.
    void SetModifiedFlag(bool modified = true);
    // Also true once a run has written to the space since it was loaded or saved.
    bool IsModified();

private:
    // The one entry for every edit of the cells in a box: the box is clipped to the space, its
    // cells are kept, `change` changes them (given their corner), the step is recorded.
    void EditBox(const CBox& box, const SEditMark& mark,
                 const std::function<void(CSpace& cells, int x, int y, int z)>& change);
    // The entry for every edit that gives the space other sizes: `resize` replaces the space
    // and returns the undo step.
    void EditSizes(ESpaceChange change, const std::function<CEditStep(CSpace& space)>& resize);
    // After every edit: the step recorded, modified, a busy run restarted, the listeners told.
    void EditDone(CEditStep step, ESpaceChange change, const CBox& box);
    bool Travel(bool back, SEditMark& where);  // Undo or Redo
    void Tell(ESpaceChange change, const CBox& box);
    void TellRunChanged();
    CBox WholeSpace();
    // The space replaced by a new one (New, Open): no history, not modified, the run forgotten.
    void Replaced(CSpace space);
    // Marks the document modified when the worker wrote to the space since the last look.
    void NoteRunWrites();

    CRunSession m_session;
    std::vector<IDocListener*> m_listeners;
    bool m_bModified = false;
    CEditHistory m_history;
};
