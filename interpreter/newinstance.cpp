// Message delivery, send side: the sender's reception counter (drawn with its declaration on the
// first send) and the new instance frame drawn into the sub-program's declaration window.
#include <algorithm>
#include <cstdint>

#include "interpreter/boxwrites.h"
#include "interpreter/interpreter.h"
#include "interpreter/keywordicons.h"
#include "interpreter/window.h"
#include "space/cellcodes.h"

namespace {
// A count shown as that many black cells in a 5x5x5 box.
CPatternSpace counterPicture(int n)
{
    CPatternSpace counter(5, 5, 5, 0);
    counter.fillCount(n);
    return counter;
}

CSpace keyDeclarationPicture(const CKey& key, const CPatternSpace& keyword)
{
    return keyword.framed().appendX(key.icon.framed()).appendX(counterPicture(key.value).framed());
}

// Width of an instance frame beyond its work area: room for the three declarations.
int instanceMargin(const CMessage& m)
{
    return std::max(20, 18 + std::max(m.key.icon.getSizeX(), m.shape.getSizeX()));
}

// Where the next instance of a sub-program goes, as the records give it.
struct InstancePlace {
    CSpace area;     // the sub-program's work area
    CCell handle;    // the new frame's handle
    int number = 0;  // the new instance's number
    int margin = 0;  // width beyond the work area, room for the declarations
};

// Of several records naming the shape, the newest (nearest the head) gives the values used.
int findInstancePlace(const CInstanceList& records, const CMessage& m, InstancePlace& place)
{
    int found = 0;
    records.forEach([&](const CInstanceRecord& r) {
        if (found || !r.icon.isEqual(m.shape)) return;
        found = 1;
        place.area = r.area;
        place.handle = r.anchor;
        place.number = r.count;
        place.margin = instanceMargin(m);
    });
    return found;
}

// The inclusive far corner of an instance frame.
struct FrameExtent {
    std::int64_t x, y, z;
    int a, b;  // depths of the reply key and own key declarations
};

FrameExtent frameExtent(const InstancePlace& p, const CKey& reply, const CKey& own)
{
    FrameExtent e;
    const CSpace& A = p.area;
    e.x = std::int64_t(p.handle.x) + A.getSizeX() + p.margin - 1;
    e.y = std::int64_t(p.handle.y) +
          std::max({8, A.getSizeY() + 3, reply.icon.getSizeY() + 3, own.icon.getSizeY() + 3});
    e.a = std::max(6, reply.icon.getSizeZ() + 1);
    e.b = std::max(6, own.icon.getSizeZ() + 1);
    e.z = std::int64_t(p.handle.z) + std::max(A.getSizeZ() + 4, e.a + e.b + 11);
    return e;
}
}  // namespace

CSpace CInterpreter::receiveDeclarationPicture(int n)
{
    return makeArrowCrossIcon().framed().appendX(counterPicture(n).framed());
}

void CInterpreter::deliverSendMessage(const CMessage& m)
{
    // Plan first, change nothing until the whole send is known to fit: a send that names no
    // sub-program, or one that would grow the document past the largest space, is dropped.
    InstancePlace place;
    if (!findInstancePlace(instances, m, place)) return;
    const CSpace declaration = receiveDeclarationPicture(1);
    const int dw = declaration.getSizeX(), dh = declaration.getSizeY(), dd = declaration.getSizeZ();
    std::int64_t sx = GetSizeX(), sy = GetSizeY(), sz = GetSizeZ();
    const std::int64_t docX = sx, docY = sy, docZ = sz;
    // A box is empty when it lies inside the grown document and its part in the present one is.
    auto emptyAfterGrowth = [&](std::int64_t x, std::int64_t y, std::int64_t z) {
        if (x < 0 || y < 0 || z < 0 || x + dw > sx || y + dh > sy || z + dd > sz) return 0;
        return IsBoxEmpty(int(x), int(y), int(z), int(std::min<std::int64_t>(dw, docX - x)),
                          int(std::min<std::int64_t>(dh, docY - y)), int(std::min<std::int64_t>(dd, docZ - z)));
    };
    // The senders in the order they are served below (oldest first), each seeing the growth the
    // ones before it caused.
    contexts.forEachOldestFirst([&](const CMatchContext& cx) {
        if (!cx.program.ownKey.isEqual(m.key) || cx.program.receiveSet) return;
        if (!emptyAfterGrowth(sx - dw, std::int64_t(cx.origin.y) - 1, std::int64_t(cx.origin.z) - 1)) sx += dw + 1;
    });
    const CKey own(m.shape, place.number);
    const FrameExtent far = frameExtent(place, m.key, own);
    sx = std::max(sx, far.x + 1);
    sy = std::max(sy, far.y + 1);
    sz = std::max(sz, far.z + 1);
    const std::int64_t most = CSpace::MAX_CELLS;  // checked axis by axis, so no product overflows
    if (sx > most || sy > most || sz > most || sx * sy > most || sx * sy * sz > most) return;

    separateNext = 1;

    // The sender counts one more result to wait for; senders sharing the key are served oldest
    // first, so of two without a reception the older one gets the place at the right end.
    contexts.forEachOldestFirst([&](CMatchContext& cx) {
        CUnitProgram& p = cx.program;
        if (!p.ownKey.isEqual(m.key)) return;
        if (p.receiveSet) {
            p.pendingReceives += 1;
            p.receiveIcon.fillCount(p.pendingReceives);
            writeSpace(p.receiveIcon.x, p.receiveIcon.y, p.receiveIcon.z, p.receiveIcon);
            return;
        }
        p.receiveSet = 1;
        p.pendingReceives = 1;
        // At the right end of the document, one row below and one in front of the unit; beyond
        // the right end when that place is taken.
        const int docSizeX = GetSizeX();
        int x = docSizeX - dw;
        const int y = cx.origin.y - 1, z = cx.origin.z - 1;
        if (!IsBoxEmpty(x, y, z, dw, dh, dd)) {
            x = docSizeX + 1;
            Resize(docSizeX + dw + 1, GetSizeY(), GetSizeZ());
        }
        writeSpace(x, y, z, declaration);
        CPatternSpace scan(declaration);
        CWindow frames;
        scan.findWindow(0, 0, 0, frames);
        CPlacedSpace counter;
        frames.popBack(counter);  // the keyword frame
        frames.popBack(counter);  // the counter frame, when there is one
        counter.setOrigin(counter.x + x, counter.y + y, counter.z + z);
        p.receiveIcon = counter;
    });

    // The records: the next instance goes further right and gets the next number.
    CInstanceList records;
    CInstanceRecord r;
    while (instances.popBack(r)) {
        if (r.icon.isEqual(m.shape)) {
            r.anchor.x += r.area.getSizeX() + instanceMargin(m);
            r.count += 1;
        }
        records.push(r);
    }
    instances = records;

    const int xE = int(far.x), yE = int(far.y), zE = int(far.z);
    if (xE >= GetSizeX() || yE >= GetSizeY() || zE >= GetSizeZ())
        Resize(std::max(xE + 1, GetSizeX()), std::max(yE + 1, GetSizeY()), std::max(zE + 1, GetSizeZ()));

    // The frame: handle, front face and bottom face, as a window frame is drawn. Each face and
    // part of the work area's outline is a box whose cells go in through CBoxPushes.
    const CCell& P0 = place.handle;
    pendingWrites.push(CCell(P0.x, P0.y, P0.z, CELL_GREEN));
    {
        CBoxPushes front(pendingWrites, CBox(P0.x + 1, P0.y, P0.z, xE, yE, P0.z));
        CBoxPushes bottom(pendingWrites, CBox(P0.x + 1, P0.y, P0.z, xE, P0.y, zE));
        for (int x = P0.x + 1; x <= xE; x++) {
            for (int y = P0.y; y <= yE; y++) front.push(CCell(x, y, P0.z, CELL_GREEN));
            // The faces share their first row, which the front face has just written.
            for (int z = P0.z; z <= zE; z++) (z == P0.z ? front : bottom).push(CCell(x, P0.y, z, CELL_GREEN));
        }
    }

    // The work area holding the sent data (unless it does not fit): floor, two posts, contents.
    CSpace A = place.area;
    A.paste(0, 0, 0, m.data);
    const int ax = A.getSizeX(), ay = A.getSizeY(), az = A.getSizeZ();
    {
        CBoxPushes floor(pendingWrites, CBox(P0.x + 2, P0.y + 1, P0.z + 2, P0.x + 1 + ax, P0.y + 1, P0.z + 2 + az));
        for (int x = P0.x + 2; x <= P0.x + 1 + ax; x++)
            for (int z = P0.z + 2; z <= P0.z + 2 + az; z++) floor.push(CCell(x, P0.y + 1, z, CELL_GREEN));
    }
    {
        CBoxPushes posts(pendingWrites, CBox(P0.x + 2, P0.y + 1, P0.z + 2, P0.x + 1 + ax, P0.y + 1 + ay, P0.z + 2));
        for (int y = P0.y + 1; y <= P0.y + 1 + ay; y++) {
            posts.push(CCell(P0.x + 2, y, P0.z + 2, CELL_GREEN));
            posts.push(CCell(P0.x + 1 + ax, y, P0.z + 2, CELL_GREEN));
        }
    }
    writeSpace(P0.x + 2, P0.y + 2, P0.z + 3, A);

    // The declarations: reply key (the caller), own key (name and number), an empty reception.
    const int dx = P0.x + ax + 3, dy = P0.y + 1;
    writeSpace(dx, dy, P0.z + 2, keyDeclarationPicture(m.key, makeUpArrowIcon()));
    writeSpace(dx, dy, P0.z + far.a + 3, keyDeclarationPicture(own, makeDownArrowIcon()));
    writeSpace(dx, dy, P0.z + far.a + far.b + 4, receiveDeclarationPicture(0));
}
