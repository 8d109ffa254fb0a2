// CEditStep: a box step writes its before or after cells back over the box; a whole step puts
// back a whole space. A resize step recomputes the resize for Redo and, for Undo, frames the
// resized space back into the old sizes: every old cell that the resize dropped was empty, and
// the patch holds the few it changed otherwise (cells holding 2, which Size Up empties).
#include "document/editstep.h"

#include <algorithm>
#include <utility>

CEditStep CEditStep::Box(SEditMark mark, int x, int y, int z, CSpace before, CSpace after)
{
    CEditStep step;
    step.m_kind = KIND_BOX;
    step.m_mark = std::move(mark);
    step.m_x = x, step.m_y = y, step.m_z = z;
    step.m_before = std::move(before);
    step.m_after = std::move(after);
    return step;
}

CEditStep CEditStep::Nothing(SEditMark mark)
{
    CEditStep step;
    step.m_mark = std::move(mark);
    step.m_before = CSpace(0, 0, 0, 0);
    step.m_after = CSpace(0, 0, 0, 0);
    return step;
}

CEditStep CEditStep::Whole(SEditMark mark, CSpace before, CSpace after)
{
    CEditStep step = Box(std::move(mark), 0, 0, 0, std::move(before), std::move(after));
    step.m_kind = KIND_WHOLE;
    return step;
}

CEditStep CEditStep::SizeUp(SEditMark mark, const CSpace& before, const CSpace& after)
{
    return Resize(KIND_SIZE_UP, std::move(mark), before, after, 0, 0, 0);
}

CEditStep CEditStep::SizeDown(SEditMark mark, const CSpace& before, const CSpace& after, int x, int y, int z)
{
    return Resize(KIND_SIZE_DOWN, std::move(mark), before, after, x, y, z);
}

CEditStep CEditStep::Resize(EKind kind, SEditMark mark, const CSpace& before, const CSpace& after, int x, int y, int z)
{
    CEditStep step = Nothing(std::move(mark));
    step.m_kind = kind;
    step.m_x = x, step.m_y = y, step.m_z = z;
    step.m_old[0] = before.getSizeX(), step.m_old[1] = before.getSizeY(), step.m_old[2] = before.getSizeZ();
    step.m_new[0] = after.getSizeX(), step.m_new[1] = after.getSizeY(), step.m_new[2] = after.getSizeZ();
    // The box of old cells that framing back would not restore.
    int lo[3] = {step.m_old[0], step.m_old[1], step.m_old[2]}, hi[3] = {-1, -1, -1};
    for (int k = 0; k < step.m_old[2]; k++)
        for (int j = 0; j < step.m_old[1]; j++)
            for (int i = 0; i < step.m_old[0]; i++) {
                const int ai = i - x, aj = j - y, ak = k - z;
                const bool inside = ai >= 0 && aj >= 0 && ak >= 0 && ai < step.m_new[0] && aj < step.m_new[1] &&
                                    ak < step.m_new[2];
                if (before.get(i, j, k) == (inside ? after.get(ai, aj, ak) : 0)) continue;
                lo[0] = std::min(lo[0], i), hi[0] = std::max(hi[0], i);
                lo[1] = std::min(lo[1], j), hi[1] = std::max(hi[1], j);
                lo[2] = std::min(lo[2], k), hi[2] = std::max(hi[2], k);
            }
    if (hi[0] >= 0) {
        step.m_hasPatch = true;
        std::copy(lo, lo + 3, step.m_patch);
        step.m_before = before.extract(lo[0], lo[1], lo[2], hi[0] - lo[0] + 1, hi[1] - lo[1] + 1, hi[2] - lo[2] + 1);
    }
    return step;
}

CSpace CEditStep::Grown(const CSpace& space)
{
    CSpace grown(int(space.getSizeX() * 1.5), int(space.getSizeY() * 1.5), int(space.getSizeZ() * 1.5), 0);
    if (!grown.data()) return space;  // too large to allocate: the contents stay as they are
    grown.paste(0, 0, 0, space, 2);   // cells keep their coordinates; 2 reads as empty
    return grown;
}

CSpace CEditStep::Cropped(const CSpace& space, int x, int y, int z, int w, int h, int d)
{
    CSpace cropped(w, h, d, 0);
    // Only the part inside the old grid is copied; beyond it the crop stays empty.
    const int iw = std::min(w, space.getSizeX() - x), ih = std::min(h, space.getSizeY() - y),
              id = std::min(d, space.getSizeZ() - z);
    if (iw > 0 && ih > 0 && id > 0) cropped.overwrite(0, 0, 0, space.extract(x, y, z, iw, ih, id));
    return cropped;
}

CSpace CEditStep::Unframed(const CSpace& after) const
{
    CSpace old(m_old[0], m_old[1], m_old[2], 0);
    const int w = std::min(after.getSizeX(), m_old[0] - m_x), h = std::min(after.getSizeY(), m_old[1] - m_y),
              d = std::min(after.getSizeZ(), m_old[2] - m_z);
    if (w > 0 && h > 0 && d > 0) old.overwrite(m_x, m_y, m_z, after.extract(0, 0, 0, w, h, d));
    if (m_hasPatch) old.overwrite(m_patch[0], m_patch[1], m_patch[2], m_before);
    return old;
}

void CEditStep::Undo(CSpace& space) const
{
    switch (m_kind) {
    case KIND_NOTHING: break;
    case KIND_BOX: space.overwrite(m_x, m_y, m_z, m_before); break;
    case KIND_WHOLE: space = m_before; break;
    case KIND_SIZE_UP:
    case KIND_SIZE_DOWN: space = Unframed(space); break;
    }
}

void CEditStep::Redo(CSpace& space) const
{
    switch (m_kind) {
    case KIND_NOTHING: break;
    case KIND_BOX: space.overwrite(m_x, m_y, m_z, m_after); break;
    case KIND_WHOLE: space = m_after; break;
    case KIND_SIZE_UP: space = Grown(space); break;
    case KIND_SIZE_DOWN: space = Cropped(space, m_x, m_y, m_z, m_new[0], m_new[1], m_new[2]); break;
    }
}

std::size_t CEditStep::Bytes() const
{
    auto cells = [](const CSpace& s) {
        return std::size_t(s.getSizeX()) * std::size_t(s.getSizeY()) * std::size_t(s.getSizeZ()) * sizeof(int);
    };
    return sizeof(CEditStep) + m_mark.name.size() + cells(m_before) + cells(m_after);
}
