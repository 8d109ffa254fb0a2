// CPatternSpace: a space with the interpreter's rewriting operations and block recognisers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "interpreter/searchpoll.h"
#include "space/box.h"
#include "space/linklist.h"
#include "space/space.h"

class CSpacePairList;
class CWindow;

class CPatternSpace : public CSpace {
public:
    CPatternSpace() = default;
    CPatternSpace(int x, int y, int z, int fill) : CSpace(x, y, z, fill) {}
    CPatternSpace(const CSpace& other) : CSpace(other) {}  // NOLINT: a copy of any space
    CPatternSpace(CSpace&& other) noexcept : CSpace(std::move(other)) {}  // NOLINT: takes its cells over
    CPatternSpace(const CPatternSpace& other) = default;
    CPatternSpace& operator=(const CPatternSpace& other) = default;
    CPatternSpace(CPatternSpace&& other) noexcept = default;
    CPatternSpace& operator=(CPatternSpace&& other) noexcept = default;
    CPatternSpace& operator=(const CSpace& other)
    {
        CSpace::operator=(other);
        return *this;
    }

    // Rewriting operations; all work in place and visit cells z outermost, x innermost.
    void copyAnyCells(const CSpace& other);
    void substitute(const CSpace& p, const CSpace& q);
    void substituteFirstRest(const CSpace& p, const CSpace& q1, const CSpace& q2);
    void blankMatches(const CSpace& p);
    void replaceColour(int k);
    CPatternSpace framed() const;

    // Block recognisers of the Separate scan. Each takes the scan cell, returns 1 when a block
    // was found (output filled, block consumed with 2) and 0 otherwise (space unchanged).
    int findSequence(int x, int y, int z, CLinkList<CSpace>& out);
    int findRuleGroup(int x, int y, int z, CSpacePairList& out);
    int findWorkArea(int x, int y, int z, CSpace& out);
    int findWindow(int x, int y, int z, CWindow& out);

    // The bounding box of the cells the recognisers consumed since resetConsumed(): the box of
    // the drawing a successful recogniser has just read.
    void resetConsumed() { consumedAny = 0; }
    void noteConsumed(const CBox& b)
    {
        if (consumedLog) consumedLog->push_back(b);
        if (!consumedAny) {
            consumedBox = b;
            consumedAny = 1;
            return;
        }
        if (b.x0 < consumedBox.x0) consumedBox.x0 = b.x0;
        if (b.y0 < consumedBox.y0) consumedBox.y0 = b.y0;
        if (b.z0 < consumedBox.z0) consumedBox.z0 = b.z0;
        if (b.x1 > consumedBox.x1) consumedBox.x1 = b.x1;
        if (b.y1 > consumedBox.y1) consumedBox.y1 = b.y1;
        if (b.z1 > consumedBox.z1) consumedBox.z1 = b.z1;
    }
    int consumedAny = 0;
    CBox consumedBox;
    // Where every consumed box is listed as well, when set (Separate's kept copy).
    std::vector<CBox>* consumedLog = nullptr;

    // The Separate scan's interruption check, polled while a recogniser copies or consumes a
    // block, which can be nearly as large as the space; none outside the scan.
    CSearchPoll* poll = nullptr;
    void pollCells(std::int64_t cells) const
    {
        if (poll) poll->advance(int(std::min<std::int64_t>(cells, CSearchPoll::TICKS_PER_CHECK)));
    }
    // Sets the cells from x0 to x1 (inclusive) of row (y, z) to v, those that lie in the grid.
    void setRow(int x0, int x1, int y, int z, int v)
    {
        if (!cells || y < 0 || z < 0 || y >= sizeY || z >= sizeZ) return;
        const int a = std::max(x0, 0), b = std::min(x1, sizeX - 1);
        if (a > b) return;
        std::fill_n(cells + a + std::int64_t(sizeX) * (y + std::int64_t(sizeY) * z), b - a + 1, v);
    }
    // Copies the cells from x0 to x1 (inclusive) of row (y, z) from `src`, a space of the same
    // sizes; the row must lie in the grid.
    void copyRow(const CSpace& src, int x0, int x1, int y, int z)
    {
        const std::int64_t row = std::int64_t(sizeX) * (y + std::int64_t(sizeY) * z);
        std::copy(src.data() + row + x0, src.data() + row + x1 + 1, cells + row + x0);
    }
    // As CSpace::extract, polling after each layer.
    CSpace extract(int x, int y, int z, int w, int h, int d) const;

private:
    CPatternSpace(int x, int y, int z, Unset u) : CSpace(x, y, z, u) {}
    // Calls f(x, y, z) at every position of p (where it lies wholly inside) that matches,
    // testing each position on the space as changed by the earlier ones.
    template <class F>
    void forEachMatch(const CSpace& p, F f);
};
