// CTesseraDoc: the interface thread's side of the run protocol. Everything shared with the
// worker lives in m_link and is touched only under its mutex; the two threads signal each other
// with the link's four auto-reset events.
#include "document/tesseradoc.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <utility>

#include "document/docview.h"
#include "document/spaceresize.h"
#include "formats/bytestream.h"
#include "formats/spacefile.h"
#include "formats/spacereader.h"
#include "interpreter/interpreter.h"
#include "interpreter/runworker.h"

namespace {
// The worker runs below normal priority so that the interface stays responsive.
void RunWorkerBelowNormal(CRunLink* link, CInterpreter* interpreter)
{
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 2);  // failure is harmless
    RunWorker(link, *interpreter);
}

// The part of a box (corners in any order) that lies inside the space; false when none does.
bool ClipBox(const CBox& box, const CSpace& space, int lo[3], int size[3])
{
    const int a[3] = {box.x0, box.y0, box.z0}, b[3] = {box.x1, box.y1, box.z1};
    const int n[3] = {space.getSizeX(), space.getSizeY(), space.getSizeZ()};
    for (int i = 0; i < 3; i++) {
        lo[i] = std::max(std::min(a[i], b[i]), 0);
        const int hi = std::min(std::max(a[i], b[i]), n[i] - 1);
        if (hi < lo[i]) return false;
        size[i] = hi - lo[i] + 1;
    }
    return true;
}

// A box's extents; boxes come from cursor positions, so they fit an int.
void BoxExtent(const CBox& box, int lo[3], int size[3])
{
    const int a[3] = {box.x0, box.y0, box.z0}, b[3] = {box.x1, box.y1, box.z1};
    for (int i = 0; i < 3; i++) {
        lo[i] = std::min(a[i], b[i]);
        size[i] = std::max(a[i], b[i]) - lo[i] + 1;
    }
}

// The box of cells where two spaces of the same sizes differ; false when they are equal.
bool DifferenceBox(const CSpace& a, const CSpace& b, int lo[3], int size[3])
{
    int hi[3] = {-1, -1, -1};
    lo[0] = a.getSizeX(), lo[1] = a.getSizeY(), lo[2] = a.getSizeZ();
    for (int z = 0; z < a.getSizeZ(); z++)
        for (int y = 0; y < a.getSizeY(); y++)
            for (int x = 0; x < a.getSizeX(); x++) {
                if (a.get(x, y, z) == b.get(x, y, z)) continue;
                lo[0] = std::min(lo[0], x), hi[0] = std::max(hi[0], x);
                lo[1] = std::min(lo[1], y), hi[1] = std::max(hi[1], y);
                lo[2] = std::min(lo[2], z), hi[2] = std::max(hi[2], z);
            }
    for (int i = 0; i < 3; i++) size[i] = hi[i] - lo[i] + 1;
    return hi[0] >= 0;
}

class CLinkLock {
public:
    explicit CLinkLock(CRunLink& link) : m_link(link) { m_link.Lock(); }
    ~CLinkLock() { m_link.Unlock(); }
    CLinkLock(const CLinkLock&) = delete;
    CLinkLock& operator=(const CLinkLock&) = delete;

private:
    CRunLink& m_link;
};
}  // namespace

CTesseraDoc::CTesseraDoc() : m_interpreter(std::make_unique<CInterpreter>()), m_backup(1, 1, 1, 0) {}

CTesseraDoc::~CTesseraDoc()
{
    if (m_pThread) {
        m_link.stopEvent.set();
        m_link.goEvent.set();
        m_link.finishedEvent.wait();
        m_pThread->join();
        delete m_pThread;
        m_pThread = nullptr;
    }
}

void CTesseraDoc::AddView(IDocView* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
}

void CTesseraDoc::RemoveView(IDocView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CTesseraDoc::UpdateAllViews()
{
    for (IDocView* v : m_views) v->OnUpdate();
}

void CTesseraDoc::InitialUpdateFirstView()
{
    if (!m_views.empty()) m_views.front()->OnInitialUpdate();
}

void CTesseraDoc::Lock() { m_link.Lock(); }
void CTesseraDoc::Unlock() { m_link.Unlock(); }

int CTesseraDoc::GetSizeX()
{
    CLinkLock lock(m_link);
    return m_link.space.getSizeX();
}

int CTesseraDoc::GetSizeY()
{
    CLinkLock lock(m_link);
    return m_link.space.getSizeY();
}

int CTesseraDoc::GetSizeZ()
{
    CLinkLock lock(m_link);
    return m_link.space.getSizeZ();
}

int CTesseraDoc::GetCell(int x, int y, int z)
{
    CLinkLock lock(m_link);
    return m_link.space.get(x, y, z);
}

void CTesseraDoc::SetCell(int x, int y, int z, int value)
{
    CLinkLock lock(m_link);
    m_link.space.set(x, y, z, value);
}

CSpace CTesseraDoc::GetSpace()
{
    CLinkLock lock(m_link);
    return m_link.space;
}

CSpace CTesseraDoc::ExtractBox(const CBox& box)
{
    int lo[3], size[3];
    BoxExtent(box, lo, size);
    CLinkLock lock(m_link);
    return m_link.space.extract(lo[0], lo[1], lo[2], size[0], size[1], size[2]);
}

void CTesseraDoc::FillBox(const CBox& box, int value, const SEditMark& mark)
{
    CLinkLock lock(m_link);
    CSpace& space = m_link.space;
    int lo[3], size[3];
    if (!ClipBox(box, space, lo, size)) {
        m_history.Record(CEditStep::Nothing(mark));
        return;
    }
    CSpace before = space.extract(lo[0], lo[1], lo[2], size[0], size[1], size[2]);
    CSpace after(size[0], size[1], size[2], value);
    space.overwrite(lo[0], lo[1], lo[2], after);
    m_history.Record(CEditStep::Box(mark, lo[0], lo[1], lo[2], std::move(before), std::move(after)));
}

CSpace CTesseraDoc::CutBox(const CBox& box, const SEditMark& mark)
{
    CLinkLock lock(m_link);  // re-entrant: the copy and the clearing are one step for the worker
    CSpace cut = ExtractBox(box);
    FillBox(box, 0, mark);
    return cut;
}

void CTesseraDoc::PasteBox(int x, int y, int z, const CSpace& src, const SEditMark& mark)
{
    CLinkLock lock(m_link);
    CSpace& space = m_link.space;
    int lo[3], size[3];
    const CBox box(x, y, z, x + src.getSizeX() - 1, y + src.getSizeY() - 1, z + src.getSizeZ() - 1);
    if (src.getSizeX() == 0 || !ClipBox(box, space, lo, size)) {
        m_history.Record(CEditStep::Nothing(mark));
        return;
    }
    CSpace before = space.extract(lo[0], lo[1], lo[2], size[0], size[1], size[2]);
    CSpace after = before;
    after.paste(0, 0, 0, src.extract(lo[0] - x, lo[1] - y, lo[2] - z, size[0], size[1], size[2]), 2);
    space.overwrite(lo[0], lo[1], lo[2], after);
    m_history.Record(CEditStep::Box(mark, lo[0], lo[1], lo[2], std::move(before), std::move(after)));
}

void CTesseraDoc::SaveBackup()
{
    CLinkLock lock(m_link);
    m_backup = m_link.space;
}

void CTesseraDoc::RestoreBackup(const SEditMark& mark)
{
    RestoreBackupSpace(mark);
    // An edit like the others: the document is modified and a busy run starts again from the
    // restored space; the panes no longer speak of the last run.
    m_bModified = true;
    RestartIfBusy();
    m_control.forgetRun();
}

void CTesseraDoc::RestoreBackupSpace(const SEditMark& mark)
{
    CLinkLock lock(m_link);
    CSpace& space = m_link.space;
    const bool sameSize = space.getSizeX() == m_backup.getSizeX() && space.getSizeY() == m_backup.getSizeY() &&
                          space.getSizeZ() == m_backup.getSizeZ();
    if (!sameSize) {
        CSpace before = std::move(space);
        space = m_backup;
        m_history.Record(CEditStep::Whole(mark, std::move(before), m_backup));
        return;
    }
    // Only the box where the run changed cells goes into the history.
    int lo[3], size[3];
    if (!DifferenceBox(space, m_backup, lo, size)) {
        m_history.Record(CEditStep::Nothing(mark));
        return;
    }
    CSpace before = space.extract(lo[0], lo[1], lo[2], size[0], size[1], size[2]);
    CSpace after = m_backup.extract(lo[0], lo[1], lo[2], size[0], size[1], size[2]);
    space.overwrite(lo[0], lo[1], lo[2], after);
    m_history.Record(CEditStep::Box(mark, lo[0], lo[1], lo[2], std::move(before), std::move(after)));
}

bool CTesseraDoc::Undo(SEditMark& where)
{
    if (!m_history.CanUndo()) return false;
    {
        CLinkLock lock(m_link);
        m_history.NextUndo().Undo(m_link.space);
    }
    where = m_history.NextUndo().Mark();
    m_history.StepBack();
    m_bModified = !m_history.IsAtSaved();
    RestartIfBusy();
    return true;
}

bool CTesseraDoc::Redo(SEditMark& where)
{
    if (!m_history.CanRedo()) return false;
    {
        CLinkLock lock(m_link);
        m_history.NextRedo().Redo(m_link.space);
    }
    where = m_history.NextRedo().Mark();
    m_history.StepForward();
    m_bModified = !m_history.IsAtSaved();
    RestartIfBusy();
    return true;
}

void CTesseraDoc::SetModifiedFlag(bool modified)
{
    m_bModified = modified;
    if (!modified) m_history.MarkSaved();
}

int CTesseraDoc::IsBusy()
{
    CLinkLock lock(m_link);
    return m_link.busy;
}

std::string CTesseraDoc::GetStatusText()
{
    CLinkLock lock(m_link);
    return m_link.status;
}

bool CTesseraDoc::IsLastStepShown()
{
    // The worker sets the phase before it posts the show request and leaves it alone until the
    // request is answered, so the request's delivery orders this read after the write.
    return m_interpreter->phase == CInterpreter::PHASE_RUN_OVER;
}

bool CTesseraDoc::IsRunAsleep()
{
    CLinkLock lock(m_link);
    return m_link.asleep != 0;
}

void CTesseraDoc::SignalContinue() { m_link.continueEvent.set(); }

void CTesseraDoc::StartRun()
{
    UpdateAllViews();
    if (!m_pThread) m_pThread = new std::thread(RunWorkerBelowNormal, &m_link, m_interpreter.get());
    int run;
    {
        CLinkLock lock(m_link);
        m_link.viewWnd = m_views.empty() ? nullptr : m_views.front()->GetRunWindow();
        run = ++m_link.runNumber;
    }
    const bool held = m_control.onStart(run);
    m_link.stopEvent.reset();
    m_link.finishedEvent.reset();
    m_link.goEvent.set();
    // A worker held at a show (paused, or waiting out a delay) must go on to see the request.
    if (held) ContinueShow(m_keptShow);
}

void CTesseraDoc::StopRun()
{
    if (!m_pThread) return;
    m_link.stopEvent.set();
    m_link.goEvent.set();
    m_link.finishedEvent.wait();
    m_pThread->join();
    delete m_pThread;
    m_pThread = nullptr;
    // The worker may have written a step whose show was queued but not yet answered: the
    // panes and the modified flag speak of the space as the worker left it.
    const CShownStep last = GetShownStep();
    m_control.onStopped(last.run, last.step);
    NoteRunWrites();
    UpdateAllViews();
}

int CTesseraDoc::AnswerShow(const CShownStep& shown)
{
    NoteRunWrites();
    const int answer = m_control.onShow(shown.run, shown.step, shown.last != 0);
    if (answer == 0)
        ContinueShow(shown.serial);
    else
        m_keptShow = shown.serial;
    return answer;
}

void CTesseraDoc::ContinueShow(unsigned serial)
{
    // Under the lock, as the worker resets continue and writes a new show in one hold.
    CLinkLock lock(m_link);
    if (m_link.shown.serial == serial) m_link.continueEvent.set();
}

void CTesseraDoc::ContinueAfterDelay(unsigned ticket)
{
    if (m_control.delayDue(ticket)) ContinueShow(m_keptShow);
}

void CTesseraDoc::PauseRun() { m_control.pause(); }

void CTesseraDoc::ResumeRun()
{
    if (m_control.resume()) ContinueShow(m_keptShow);
}

bool CTesseraDoc::StepRun()
{
    if (!m_control.inRun()) {
        m_control.pause();
        return false;
    }
    if (m_control.stepOnce()) ContinueShow(m_keptShow);
    return true;
}

bool CTesseraDoc::RunFinished()
{
    int run;
    bool nothingToRun;
    {
        CLinkLock lock(m_link);
        run = m_link.finishedRun;
        nothingToRun = m_link.nothingToRun != 0;
    }
    NoteRunWrites();
    return m_control.onFinished(run, nothingToRun);
}

bool CTesseraDoc::IsNothingToRun()
{
    CLinkLock lock(m_link);
    return m_link.nothingToRun != 0;
}

void CTesseraDoc::NoteRunWrites()
{
    CLinkLock lock(m_link);
    if (m_link.spaceWrites == m_runWritesSeen) return;
    m_runWritesSeen = m_link.spaceWrites;
    // A run's result cannot be made again (clicks, coin tosses): no earlier state counts as
    // saved any more.
    m_bModified = true;
    m_history.ForgetSaved();
}

bool CTesseraDoc::IsModified()
{
    NoteRunWrites();
    return m_bModified;
}

CShownStep CTesseraDoc::GetShownStep()
{
    CLinkLock lock(m_link);
    return m_link.shown;
}

void CTesseraDoc::RestartIfBusy()
{
    if (IsBusy()) StartRun();
}

void CTesseraDoc::PressLeft()
{
    CLinkLock lock(m_link);
    m_link.devices.pressLeft();
}

void CTesseraDoc::PressRight()
{
    CLinkLock lock(m_link);
    m_link.devices.pressRight();
}

void CTesseraDoc::ClearLeft()
{
    CLinkLock lock(m_link);
    m_link.devices.clearLeft();
}

void CTesseraDoc::ClearRight()
{
    CLinkLock lock(m_link);
    m_link.devices.clearRight();
}

bool CTesseraDoc::OnNewDocument()
{
    StopRun();
    {
        CLinkLock lock(m_link);
        m_link.busy = 0;
        m_link.space = CSpace(40, 10, 30, 0);
        m_link.devices.latch();  // drops pending clicks
        m_runWritesSeen = m_link.spaceWrites;
    }
    m_history.Clear();
    m_bModified = false;
    m_control.forgetRun();
    UpdateAllViews();
    return true;
}

bool CTesseraDoc::Load(CByteStream& in)
{
    StopRun();
    CSpace loaded(1, 1, 1, 0);
    if (!readSpaceFile(in, loaded)) return false;
    {
        CLinkLock lock(m_link);
        m_link.space = std::move(loaded);
        m_runWritesSeen = m_link.spaceWrites;
    }
    RestartIfBusy();
    SaveBackup();
    m_history.Clear();
    m_bModified = false;
    m_control.forgetRun();
    UpdateAllViews();
    return true;
}

bool CTesseraDoc::Store(CByteStream& out)
{
    StopRun();
    bool ok = writeSpaceOrVrml(out, GetSpace());
    UpdateAllViews();
    return ok;
}

void CTesseraDoc::OnSizeUp(const SEditMark& mark)
{
    StopRun();
    // Each size grows by half, truncated: 1 stays 1, 2 becomes 3, 40 becomes 60. The history
    // keeps no copy of the space, only the sizes.
    {
        CLinkLock lock(m_link);
        CSpace before = std::move(m_link.space);
        m_link.space = CEditStep::Grown(before);
        m_history.Record(CEditStep::SizeUp(mark, before, m_link.space));
    }
    m_bModified = true;  // a saved file would hold other sizes
    RestartIfBusy();
    m_control.forgetRun();
    InitialUpdateFirstView();
}

void CTesseraDoc::OnSizeDown(const SEditMark& mark)
{
    StopRun();
    {
        CLinkLock lock(m_link);
        CSpace& space = m_link.space;
        const int sx = space.getSizeX(), sy = space.getSizeY(), sz = space.getSizeZ();
        int minX = sx - 1, minY = sy - 1, minZ = sz - 1, maxX = 0, maxY = 0, maxZ = 0;
        bool any = false;
        for (int x = 0; x < sx; x++)
            for (int y = 0; y < sy; y++)
                for (int z = 0; z < sz; z++)
                    if (space.get(x, y, z) != 0) {
                        any = true;
                        minX = std::min(minX, x), maxX = std::max(maxX, x);
                        minY = std::min(minY, y), maxY = std::max(maxY, y);
                        minZ = std::min(minZ, z), maxZ = std::max(maxZ, z);
                    }
        if (!any) {
            minX = minY = minZ = 0;
            maxX = maxY = maxZ = 1;
        }
        // The crop keeps at least two cells on every axis; beyond the old grid it is empty.
        CSpace before = std::move(space);
        space = CEditStep::Cropped(before, minX, minY, minZ, std::max(maxX - minX + 1, 2), std::max(maxY - minY + 1, 2),
                                   std::max(maxZ - minZ + 1, 2));
        m_history.Record(CEditStep::SizeDown(mark, before, space, minX, minY, minZ));
    }
    m_bModified = true;
    RestartIfBusy();
    m_control.forgetRun();
    InitialUpdateFirstView();
}

bool CTesseraDoc::ResizeSpace(int sizeX, int sizeY, int sizeZ, const SEditMark& mark)
{
    if (!isPossibleSpaceSize(sizeX, sizeY, sizeZ)) return false;
    CSpace resized(sizeX, sizeY, sizeZ, 0);
    if (resized.getSizeX() != sizeX) return false;  // no memory for it: keep the space as it is
    StopRun();
    {
        CLinkLock lock(m_link);
        const CSpace& old = m_link.space;
        const int nx = std::min(sizeX, old.getSizeX()), ny = std::min(sizeY, old.getSizeY());
        const int nz = std::min(sizeZ, old.getSizeZ());
        for (int z = 0; z < nz; z++)
            for (int y = 0; y < ny; y++)
                for (int x = 0; x < nx; x++) resized.set(x, y, z, old.get(x, y, z));
        // The crop of the old space at its origin, to the new sizes.
        m_history.Record(CEditStep::SizeDown(mark, old, resized, 0, 0, 0));
        m_link.space = std::move(resized);
    }
    RestartIfBusy();
    m_bModified = true;
    m_control.forgetRun();
    UpdateAllViews();
    return true;
}
