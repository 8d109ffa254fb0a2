// CTesseraDoc: edits, undo, load and store over the space that lies in the session's run link.
// The space is read and written only under the link's lock; the listeners are told after the
// lock is released.
#include "document/tesseradoc.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <utility>

#include "document/spaceresize.h"
#include "formats/bytestream.h"
#include "formats/spacefile.h"
#include "formats/spacereader.h"
#include "space/cellcodes.h"

namespace {
using Hold = std::lock_guard<std::recursive_mutex>;

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

// The box of cells where two spaces of the same sizes differ; none when they are equal.
std::optional<CBox> DifferenceBox(const CSpace& a, const CSpace& b)
{
    int lo[3] = {a.getSizeX(), a.getSizeY(), a.getSizeZ()}, hi[3] = {-1, -1, -1};
    for (int z = 0; z < a.getSizeZ(); z++)
        for (int y = 0; y < a.getSizeY(); y++)
            for (int x = 0; x < a.getSizeX(); x++) {
                if (a.get(x, y, z) == b.get(x, y, z)) continue;
                lo[0] = std::min(lo[0], x), hi[0] = std::max(hi[0], x);
                lo[1] = std::min(lo[1], y), hi[1] = std::max(hi[1], y);
                lo[2] = std::min(lo[2], z), hi[2] = std::max(hi[2], z);
            }
    if (hi[0] < 0) return std::nullopt;
    return CBox(lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
}

bool SameSizes(const CSpace& a, const CSpace& b)
{
    return a.getSizeX() == b.getSizeX() && a.getSizeY() == b.getSizeY() && a.getSizeZ() == b.getSizeZ();
}
}  // namespace

void CTesseraDoc::AddListener(IDocListener* listener)
{
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void CTesseraDoc::RemoveListener(IDocListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void CTesseraDoc::Tell(ESpaceChange change, const CBox& box)
{
    // A copy: a listener may add or remove listeners while it is told.
    const std::vector<IDocListener*> listeners = m_listeners;
    for (IDocListener* l : listeners) l->OnSpaceChanged(change, box);
}

void CTesseraDoc::TellRunChanged()
{
    const std::vector<IDocListener*> listeners = m_listeners;
    for (IDocListener* l : listeners) l->OnRunChanged();
}

CBox CTesseraDoc::WholeSpace()
{
    Hold hold(GetLink().mutex);
    const CSpace& space = GetLink().space;
    return CBox(0, 0, 0, space.getSizeX() - 1, space.getSizeY() - 1, space.getSizeZ() - 1);
}

int CTesseraDoc::GetSizeX()
{
    Hold hold(GetLink().mutex);
    return GetLink().space.getSizeX();
}

int CTesseraDoc::GetSizeY()
{
    Hold hold(GetLink().mutex);
    return GetLink().space.getSizeY();
}

int CTesseraDoc::GetSizeZ()
{
    Hold hold(GetLink().mutex);
    return GetLink().space.getSizeZ();
}

int CTesseraDoc::GetCell(int x, int y, int z)
{
    Hold hold(GetLink().mutex);
    return GetLink().space.get(x, y, z);
}

void CTesseraDoc::SetCell(int x, int y, int z, int value)
{
    Hold hold(GetLink().mutex);
    GetLink().space.set(x, y, z, value);
    GetLink().spaceChanges++;
}

CSpace CTesseraDoc::GetSpace()
{
    Hold hold(GetLink().mutex);
    return GetLink().space;
}

// --- Edits -------------------------------------------------------------------------------

void CTesseraDoc::EditBox(const CBox& box, const SEditMark& mark,
                          const std::function<void(CSpace& cells, int x, int y, int z)>& change)
{
    CEditStep step = CEditStep::Nothing(mark);
    std::optional<CBox> changed;
    {
        Hold hold(GetLink().mutex);
        CSpace& space = GetLink().space;
        int lo[3], size[3];
        if (ClipBox(box, space, lo, size)) {
            CSpace before = space.extract(lo[0], lo[1], lo[2], size[0], size[1], size[2]);
            CSpace after = before;
            change(after, lo[0], lo[1], lo[2]);
            space.overwrite(lo[0], lo[1], lo[2], after);
            GetLink().spaceChanges++;
            step = CEditStep::Box(mark, lo[0], lo[1], lo[2], std::move(before), std::move(after));
            changed = CBox(lo[0], lo[1], lo[2], lo[0] + size[0] - 1, lo[1] + size[1] - 1, lo[2] + size[2] - 1);
        }
    }
    EditDone(std::move(step), ESpaceChange::Cells, changed ? *changed : WholeSpace());
}

void CTesseraDoc::EditSizes(ESpaceChange change, const std::function<CEditStep(CSpace& space)>& resize)
{
    CEditStep step;
    {
        Hold hold(GetLink().mutex);
        step = resize(GetLink().space);
        GetLink().spaceChanges++;
    }
    EditDone(std::move(step), change, WholeSpace());
}

void CTesseraDoc::EditDone(CEditStep step, ESpaceChange change, const CBox& box)
{
    NoteRunWrites();  // a run's writes before this edit count, whatever the edit does
    m_history.Record(std::move(step));
    m_bModified = true;
    RestartIfBusy();
    Tell(change, box);
}

CSpace CTesseraDoc::ExtractBox(const CBox& box)
{
    int lo[3], size[3];
    BoxExtent(box, lo, size);
    Hold hold(GetLink().mutex);
    return GetLink().space.extract(lo[0], lo[1], lo[2], size[0], size[1], size[2]);
}

void CTesseraDoc::FillBox(const CBox& box, int value, const SEditMark& mark)
{
    EditBox(box, mark, [value](CSpace& cells, int, int, int) {
        cells = CSpace(cells.getSizeX(), cells.getSizeY(), cells.getSizeZ(), value);
    });
}

CSpace CTesseraDoc::CutBox(const CBox& box, const SEditMark& mark)
{
    std::optional<CSpace> cut;
    // The copy and the clearing happen under the edit's one hold of the lock: one step for the
    // worker. The listeners are told after the lock is released.
    EditBox(box, mark, [&](CSpace& cells, int, int, int) {
        cut = ExtractBox(box);
        cells = CSpace(cells.getSizeX(), cells.getSizeY(), cells.getSizeZ(), CELL_EMPTY);
    });
    return cut ? std::move(*cut) : ExtractBox(box);  // wholly outside: all of it reads as outside
}

void CTesseraDoc::PasteBox(int x, int y, int z, const CSpace& src, const SEditMark& mark)
{
    if (src.getSizeX() == 0) {
        EditDone(CEditStep::Nothing(mark), ESpaceChange::Cells, WholeSpace());
        return;
    }
    const CBox box(x, y, z, x + src.getSizeX() - 1, y + src.getSizeY() - 1, z + src.getSizeZ() - 1);
    EditBox(box, mark, [&](CSpace& cells, int lx, int ly, int lz) {
        cells.paste(0, 0, 0, src.extract(lx - x, ly - y, lz - z, cells.getSizeX(), cells.getSizeY(), cells.getSizeZ()),
                    CELL_OUTSIDE);
    });
}

void CTesseraDoc::RestoreBackup(const SEditMark& mark)
{
    const CSpace& backup = m_session.Backup();
    bool sameSizes;
    std::optional<CBox> differs;
    {
        Hold hold(GetLink().mutex);
        sameSizes = SameSizes(GetLink().space, backup);
        if (sameSizes) differs = DifferenceBox(GetLink().space, backup);
    }
    // Only the box where the run changed cells goes into the history.
    if (sameSizes && !differs) EditDone(CEditStep::Nothing(mark), ESpaceChange::Cells, WholeSpace());
    else if (sameSizes)
        EditBox(*differs, mark, [&](CSpace& cells, int x, int y, int z) {
            cells = backup.extract(x, y, z, cells.getSizeX(), cells.getSizeY(), cells.getSizeZ());
        });
    else
        EditSizes(ESpaceChange::Sizes, [&](CSpace& space) {
            CSpace before = std::move(space);
            space = backup;
            return CEditStep::Whole(mark, std::move(before), backup);
        });
    // The panes no longer speak of the last run.
    m_session.ForgetRun();
}

bool CTesseraDoc::Undo(SEditMark& where) { return Travel(true, where); }
bool CTesseraDoc::Redo(SEditMark& where) { return Travel(false, where); }

bool CTesseraDoc::Travel(bool back, SEditMark& where)
{
    if (back ? !m_history.CanUndo() : !m_history.CanRedo()) return false;
    NoteRunWrites();
    const CEditStep& step = back ? m_history.NextUndo() : m_history.NextRedo();
    bool resized;
    {
        Hold hold(GetLink().mutex);
        CSpace& space = GetLink().space;
        const int sizes[3] = {space.getSizeX(), space.getSizeY(), space.getSizeZ()};
        if (back) step.Undo(space);
        else step.Redo(space);
        GetLink().spaceChanges++;
        resized = sizes[0] != space.getSizeX() || sizes[1] != space.getSizeY() || sizes[2] != space.getSizeZ();
    }
    where = step.Mark();
    if (back) m_history.StepBack();
    else m_history.StepForward();
    m_bModified = !m_history.IsAtSaved();
    RestartIfBusy();
    Tell(resized ? ESpaceChange::Sizes : ESpaceChange::Cells, WholeSpace());
    return true;
}

void CTesseraDoc::SetModifiedFlag(bool modified)
{
    NoteRunWrites();
    m_bModified = modified;
    if (!modified) m_history.MarkSaved();
}

bool CTesseraDoc::IsModified()
{
    NoteRunWrites();
    return m_bModified;
}

void CTesseraDoc::NoteRunWrites()
{
    if (!m_session.TakeRunWrites()) return;
    // A run's result cannot be made again (clicks, coin tosses): no earlier state counts as
    // saved any more.
    m_bModified = true;
    m_history.ForgetSaved();
}

// --- Run -----------------------------------------------------------------------------------

void CTesseraDoc::StartRun()
{
    TellRunChanged();
    m_session.StartRun();
}

void CTesseraDoc::StopRun()
{
    if (m_session.StopRun()) TellRunChanged();
}

// --- New, load, store and the size commands --------------------------------------------------

void CTesseraDoc::Replaced(CSpace space)
{
    {
        Hold hold(GetLink().mutex);
        GetLink().busy = false;
        GetLink().space = std::move(space);
        GetLink().spaceChanges++;
    }
    m_session.TakeRunWrites();  // what the stopped run wrote went with the old space
    m_session.DropClicks();
    m_session.ForgetRun();
    m_history.Clear();
    m_bModified = false;
}

bool CTesseraDoc::OnNewDocument()
{
    StopRun();
    Replaced(CSpace(40, 10, 30, CELL_EMPTY));
    Tell(ESpaceChange::NewSpace, WholeSpace());
    return true;
}

bool CTesseraDoc::Load(CByteStream& in, SReadNotes* notes)
{
    StopRun();
    CSpace loaded(1, 1, 1, CELL_EMPTY);
    if (!readAnySpaceFile(in, loaded, notes)) return false;
    Replaced(std::move(loaded));
    SaveBackup();
    Tell(ESpaceChange::NewSpace, WholeSpace());
    return true;
}

bool CTesseraDoc::Store(CByteStream& out)
{
    StopRun();
    return writeSpaceOrVrml(out, GetSpace());
}

void CTesseraDoc::OnSizeUp(const SEditMark& mark)
{
    StopRun();
    // Each size grows by half, truncated: 1 stays 1, 2 becomes 3, 40 becomes 60. The history
    // keeps no copy of the space, only the sizes.
    EditSizes(ESpaceChange::NewSpace, [&](CSpace& space) {
        CSpace before = std::move(space);
        space = CEditStep::Grown(before);
        return CEditStep::SizeUp(mark, before, space);
    });
    m_session.ForgetRun();
}

void CTesseraDoc::OnSizeDown(const SEditMark& mark)
{
    StopRun();
    EditSizes(ESpaceChange::NewSpace, [&](CSpace& space) {
        const int sx = space.getSizeX(), sy = space.getSizeY(), sz = space.getSizeZ();
        int minX = sx - 1, minY = sy - 1, minZ = sz - 1, maxX = 0, maxY = 0, maxZ = 0;
        bool any = false;
        for (int x = 0; x < sx; x++)
            for (int y = 0; y < sy; y++)
                for (int z = 0; z < sz; z++)
                    if (space.get(x, y, z) != CELL_EMPTY) {
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
        return CEditStep::SizeDown(mark, before, space, minX, minY, minZ);
    });
    m_session.ForgetRun();
}

bool CTesseraDoc::ResizeSpace(int sizeX, int sizeY, int sizeZ, const SEditMark& mark)
{
    if (!isPossibleSpaceSize(sizeX, sizeY, sizeZ)) return false;
    CSpace resized(sizeX, sizeY, sizeZ, CELL_EMPTY);
    if (resized.getSizeX() != sizeX) return false;  // no memory for it: keep the space as it is
    StopRun();
    EditSizes(ESpaceChange::Sizes, [&](CSpace& space) {
        const int nx = std::min(sizeX, space.getSizeX()), ny = std::min(sizeY, space.getSizeY());
        const int nz = std::min(sizeZ, space.getSizeZ());
        for (int z = 0; z < nz; z++)
            for (int y = 0; y < ny; y++)
                for (int x = 0; x < nx; x++) resized.set(x, y, z, space.get(x, y, z));
        // The crop of the old space at its origin, to the new sizes.
        CEditStep step = CEditStep::SizeDown(mark, space, resized, 0, 0, 0);
        space = std::move(resized);
        return step;
    });
    m_session.ForgetRun();
    return true;
}
