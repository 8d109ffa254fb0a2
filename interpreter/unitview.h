// CUnitView: a unit's own cells, with a count of the cells holding each value. A rule's left side
// that needs a value the unit does not hold matches nowhere, which is known without a search: the
// device pictures, for one, are seldom drawn in a work area. The counts follow every write made
// through this class; the writers of CSpace that it does not count are hidden.
#pragma once

#include <array>
#include <cstdint>
#include <utility>

#include "space/cellcodes.h"
#include "space/space.h"

class CUnitView : public CSpace {
public:
    CUnitView() { recount(); }
    CUnitView(const CSpace& cells) : CSpace(cells) { recount(); }
    CUnitView(CSpace&& cells) noexcept : CSpace(std::move(cells)) { recount(); }
    CUnitView& operator=(const CSpace& cells)
    {
        CSpace::operator=(cells);
        recount();
        return *this;
    }
    CUnitView& operator=(CSpace&& cells) noexcept
    {
        CSpace::operator=(std::move(cells));
        recount();
        return *this;
    }

    void set(int x, int y, int z, int value)
    {
        if (!inside(x, y, z)) return;
        int& cell = cells[x + std::int64_t(sizeX) * (y + std::int64_t(sizeY) * z)];
        counts[slot(cell)]--;
        counts[slot(value)]++;
        cell = value;
    }

    // False only when no cell holds `value`. Values other than empty and the colours are not
    // told apart: for those the answer is true.
    bool holds(int value) const
    {
        const int s = slot(value);
        return s == OTHER || counts[s] > 0;
    }

    // How many cells hold `value`; for a value other than empty and the colours, how many hold
    // any such value.
    std::int64_t countOf(int value) const { return counts[slot(value)]; }

    // False when the pattern needs, somewhere, a value that no cell holds: then it matches at no
    // position, as such a cell must lie inside the grid (outside reads 2, which is not counted).
    bool mayMatch(const CSpace& pattern) const
    {
        const std::int64_t n = std::int64_t(pattern.getSizeX()) * pattern.getSizeY() * pattern.getSizeZ();
        const int* c = pattern.data();
        for (std::int64_t i = 0; i < n; i++)
            if (c[i] != CELL_ANY && c[i] != CELL_OUTSIDE && !holds(c[i])) return false;
        return true;
    }

private:
    using CSpace::fillCount;
    using CSpace::overwrite;
    using CSpace::paste;
    using CSpace::resize;

    static constexpr int OTHER = 9;
    // Empty is slot 0, the colours 1 to 8, anything else OTHER.
    static int slot(int value)
    {
        if (value == CELL_EMPTY) return 0;
        const unsigned colour = unsigned(value) - unsigned(CELL_WHITE);
        return colour <= unsigned(CELL_YELLOW - CELL_WHITE) ? 1 + int(colour) : OTHER;
    }
    void recount()
    {
        counts.fill(0);
        const std::int64_t n = std::int64_t(getSizeX()) * getSizeY() * getSizeZ();
        const int* c = data();
        for (std::int64_t i = 0; i < n; i++) counts[slot(c[i])]++;
    }

    std::array<std::int64_t, 10> counts{};
};
