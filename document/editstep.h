// CEditStep: one undoable change of the document's space, kept as the box it changed (the
// cells before and after), the whole space when its size changed freely, or for Size Up and
// Size Down only the two sizes and the crop corner.
#pragma once

#include <cstddef>
#include <string>

#include "space/space.h"

// The name of a change, as its menu command is called, and where the cursor stood.
struct SEditMark {
    std::string name;
    int x = 0, y = 0, z = 0;
};

class CEditStep {
public:
    // A change of the cells from (x, y, z) on: before and after have the same sizes and lie
    // wholly inside the space. A step with no cells (a box wholly outside) changes nothing.
    static CEditStep Box(SEditMark mark, int x, int y, int z, CSpace before, CSpace after);
    static CEditStep Nothing(SEditMark mark);
    // The whole space replaced by one of another size (Back after an undone resize).
    static CEditStep Whole(SEditMark mark, CSpace before, CSpace after);
    // Size Up and Size Down (Space Size is the crop at the origin). `before` is the space before
    // the command: the step keeps only the few of its cells that the inverse frame cannot bring back.
    static CEditStep SizeUp(SEditMark mark, const CSpace& before, const CSpace& after);
    static CEditStep SizeDown(SEditMark mark, const CSpace& before, const CSpace& after, int x, int y, int z);

    // Both expect the space as the other one left it.
    void Undo(CSpace& space) const;
    void Redo(CSpace& space) const;

    const SEditMark& Mark() const { return m_mark; }
    // Memory the step holds: its cells and a small fixed part.
    std::size_t Bytes() const;

    // The grown space of Size Up (each size times 1.5, truncated) and the crop of Size Down
    // (the cells from the corner on, in the given sizes; beyond the old grid empty).
    static CSpace Grown(const CSpace& space);
    static CSpace Cropped(const CSpace& space, int x, int y, int z, int w, int h, int d);

private:
    enum EKind { KIND_NOTHING, KIND_BOX, KIND_WHOLE, KIND_SIZE_UP, KIND_SIZE_DOWN };

    static CEditStep Resize(EKind kind, SEditMark mark, const CSpace& before, const CSpace& after, int x, int y, int z);
    // The space `after` framed back into the old sizes, with the patch written over it.
    CSpace Unframed(const CSpace& after) const;

    EKind m_kind = KIND_NOTHING;
    SEditMark m_mark;
    int m_x = 0, m_y = 0, m_z = 0;  // box corner, or the crop corner of Size Down
    int m_old[3] = {0, 0, 0};       // resize: the sizes before and after
    int m_new[3] = {0, 0, 0};
    CSpace m_before;  // box: the cells before; whole: the space before; resize: the patch
    CSpace m_after;   // box: the cells after; whole: the space after
    int m_patch[3] = {0, 0, 0};  // resize: where the patch lies in the old space
    bool m_hasPatch = false;
};
