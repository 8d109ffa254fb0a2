// CSpace: the box-shaped 3D grid of integer cells that everything in the program works on.
#pragma once

#include <cstdint>

#include "space/cellcodes.h"
#include "space/object.h"

class CSpace : public CObject {
public:
    // Largest number of cells a space may hold; a bigger request yields the empty space.
    static constexpr std::int64_t MAX_CELLS = std::int64_t(1) << 28;

    // A space whose contents are not known yet: 1x1x1 holding 0 (also a list's empty element).
    CSpace() : CSpace(1, 1, 1, 0) {}
    CSpace(int sizeX, int sizeY, int sizeZ, int fill);
    CSpace(const CSpace& other);
    CSpace& operator=(const CSpace& other);
    // A moved-from space is the empty space; moving spares a second copy of a large grid.
    CSpace(CSpace&& other) noexcept;
    CSpace& operator=(CSpace&& other) noexcept;
    ~CSpace() override;

    int getSizeX() const { return sizeX; }
    int getSizeY() const { return sizeY; }
    int getSizeZ() const { return sizeZ; }

    int get(int x, int y, int z) const
    {
        if (!inside(x, y, z)) return CELL_OUTSIDE;
        return cells[index(x, y, z)];
    }
    void set(int x, int y, int z, int value)
    {
        if (inside(x, y, z)) cells[index(x, y, z)] = value;
    }
    int isFlat() const { return sizeY == 1 ? 1 : 0; }

    int isEqual(const CSpace& other) const;
    void resize(int newX, int newY, int newZ);
    int countNonEmpty() const;
    int countValue(int value) const;  // cells holding exactly this value
    void fillCount(int n);
    int isBoxEmpty(int x, int y, int z, int w, int h, int d) const;

    CSpace extract(int x, int y, int z, int w, int h, int d) const;
    void paste(int x, int y, int z, const CSpace& src);
    // As paste, but the cells of src holding `transparent` are the ones left alone.
    void paste(int x, int y, int z, const CSpace& src, int transparent);
    // Writes every cell of src from (x, y, z) on, exactly; src must fit wholly, as for paste.
    void overwrite(int x, int y, int z, const CSpace& src);
    CSpace appendX(const CSpace& other) const;

    int matchAt(int x, int y, int z, const CSpace& pattern) const;
    int contains(const CSpace& pattern) const;
    int occursTwice(const CSpace& pattern) const;
    int find(const CSpace& pattern, int& x, int& y, int& z) const;

    // Direct access to the cell array (x fastest, then y, then z) for bulk readers.
    const int* data() const { return cells; }

protected:
    // A space whose cells are left unset, for a caller that writes every one: a large block is
    // then paid for (its memory touched) as it is written, not all at once.
    struct Unset {};
    CSpace(int x, int y, int z, Unset);
    // Writes layer k of `out` with this space's cells from corner (x, y, z) on, row by row, and
    // 2 where the box reaches outside the grid: extract, one layer of it at a time.
    void extractLayer(CSpace& out, int x, int y, int z, int k) const;

    int sizeX;
    int sizeY;
    int sizeZ;
    int* cells;

    bool inside(std::int64_t x, std::int64_t y, std::int64_t z) const
    {
        return cells && x >= 0 && y >= 0 && z >= 0 && x < sizeX && y < sizeY && z < sizeZ;
    }
    // get for a coordinate computed as corner plus offset, which may lie beyond the int range.
    int getWide(std::int64_t x, std::int64_t y, std::int64_t z) const
    {
        if (!inside(x, y, z)) return CELL_OUTSIDE;
        return cells[x + std::int64_t(sizeX) * (y + std::int64_t(sizeY) * z)];
    }

private:
    void allocate();
    bool fits(int x, int y, int z, const CSpace& src) const;
    std::int64_t index(int x, int y, int z) const
    {
        return x + std::int64_t(sizeX) * (y + std::int64_t(sizeY) * z);
    }
    // Calls visit(x, y, z) at each position where the pattern lies wholly inside the space,
    // z outermost and x innermost, until visit returns true.
    template <class Visit>
    void forEachPosition(const CSpace& pattern, Visit visit) const;
};
