// CTesseraDoc: the interface thread's side of the run protocol. Everything shared with the
// worker lives in m_link and is touched only under its mutex; the two threads signal each other
// with the link's four auto-reset events.
#include "document/tesseradoc.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>

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

void CTesseraDoc::SaveBackup()
{
    CLinkLock lock(m_link);
    m_backup = m_link.space;
}

void CTesseraDoc::RestoreBackup()
{
    CLinkLock lock(m_link);
    m_link.space = m_backup;
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
    {
        CLinkLock lock(m_link);
        m_link.viewWnd = m_views.empty() ? nullptr : m_views.front()->GetRunWindow();
    }
    m_link.stopEvent.reset();
    m_link.finishedEvent.reset();
    m_link.goEvent.set();
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
    UpdateAllViews();
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
    }
    m_bModified = false;
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
        m_link.space = loaded;
    }
    RestartIfBusy();
    SaveBackup();
    m_bModified = false;
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

void CTesseraDoc::OnSizeUp()
{
    StopRun();
    int x = GetSizeX(), y = GetSizeY(), z = GetSizeZ();
    // Each size grows by half, truncated: 1 stays 1, 2 becomes 3, 40 becomes 60.
    {
        CLinkLock lock(m_link);
        m_link.space.resize(int(x * 1.5), int(y * 1.5), int(z * 1.5));
    }
    RestartIfBusy();
    InitialUpdateFirstView();
}

void CTesseraDoc::OnSizeDown()
{
    StopRun();
    const int sx = GetSizeX(), sy = GetSizeY(), sz = GetSizeZ();
    int minX = sx - 1, minY = sy - 1, minZ = sz - 1, maxX = 0, maxY = 0, maxZ = 0;
    bool any = false;
    {
        CLinkLock lock(m_link);
        for (int x = 0; x < sx; x++)
            for (int y = 0; y < sy; y++)
                for (int z = 0; z < sz; z++)
                    if (m_link.space.get(x, y, z) != 0) {
                        any = true;
                        minX = std::min(minX, x), maxX = std::max(maxX, x);
                        minY = std::min(minY, y), maxY = std::max(maxY, y);
                        minZ = std::min(minZ, z), maxZ = std::max(maxZ, z);
                    }
    }
    if (!any) {
        minX = minY = minZ = 0;
        maxX = maxY = maxZ = 1;
    }
    // The crop keeps at least two cells on every axis.
    CSpace cropped(std::max(maxX - minX + 1, 2), std::max(maxY - minY + 1, 2), std::max(maxZ - minZ + 1, 2), 0);
    {
        CLinkLock lock(m_link);
        for (int i = 0; i < cropped.getSizeX(); i++)
            for (int j = 0; j < cropped.getSizeY(); j++)
                for (int k = 0; k < cropped.getSizeZ(); k++) {
                    int x = minX + i, y = minY + j, z = minZ + k;
                    if (x >= sx || y >= sy || z >= sz) continue;  // beyond the old grid: stays empty
                    cropped.set(i, j, k, m_link.space.get(x, y, z));
                }
        m_link.space = cropped;
    }
    RestartIfBusy();
    InitialUpdateFirstView();
}

bool CTesseraDoc::ResizeSpace(int sizeX, int sizeY, int sizeZ)
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
        m_link.space = std::move(resized);
    }
    RestartIfBusy();
    m_bModified = true;
    UpdateAllViews();
    return true;
}
