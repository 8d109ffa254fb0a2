// CTesseraDoc: owns the space, the run link shared with the worker thread, the Back copy, the
// interpreter that runs for the document and the worker thread that runs it. Plain C++: views
// attach as IDocView observers.
#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "run/runlink.h"
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
    void SaveBackup();
    void RestoreBackup();
    int IsBusy();
    // While a show request waits for its answer: whether the step shown is the run's last.
    bool IsLastStepShown();
    // Whether the last Match sweep found every unit asleep with no message pending: such a run
    // can never end by itself.
    bool IsRunAsleep();
    std::string GetStatusText();
    void SignalContinue();

    void StartRun();
    void StopRun();
    void RestartIfBusy();
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
    void OnSizeUp();
    void OnSizeDown();
    // Gives the space exact sizes; every cell keeps its place, cells beyond the new sizes are
    // dropped. Marks the document modified and redraws the views without reinitialising them.
    // Returns false, changing nothing, when the sizes are not possible (spaceresize.h).
    // The whole change happens here under one lock hold, so it is one step to undo.
    bool ResizeSpace(int sizeX, int sizeY, int sizeZ);

    // Modified flag of the document ("save changes?").
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    bool IsModified() const { return m_bModified; }

    CRunLink& GetLink() { return m_link; }

private:
    void InitialUpdateFirstView();

    CRunLink m_link;
    std::unique_ptr<CInterpreter> m_interpreter;  // runs on m_pThread only while it exists
    std::thread* m_pThread = nullptr;
    CSpace m_backup;
    std::vector<IDocView*> m_views;
    bool m_bModified = false;
};
