// CSpace: cells are stored x fastest, then y, then z. Either all three sizes are positive and
// `cells` holds their product of values, or all sizes are 0 and `cells` is null (the empty
// space, whose every read yields 2).
#include "space/space.h"

#include <algorithm>
#include <new>
#include <utility>

CSpace::CSpace(int x, int y, int z, int fill) : sizeX(x), sizeY(y), sizeZ(z), cells(nullptr)
{
    allocate();
    if (cells) std::fill_n(cells, std::int64_t(sizeX) * sizeY * sizeZ, fill);
}

CSpace::CSpace(int x, int y, int z, Unset) : sizeX(x), sizeY(y), sizeZ(z), cells(nullptr) { allocate(); }

CSpace::CSpace(const CSpace& other) : sizeX(other.sizeX), sizeY(other.sizeY), sizeZ(other.sizeZ), cells(nullptr)
{
    allocate();
    if (cells) std::copy_n(other.cells, std::int64_t(sizeX) * sizeY * sizeZ, cells);
}

CSpace& CSpace::operator=(const CSpace& other)
{
    if (this == &other) return *this;
    // A space as large as the one it copies keeps its memory: the program's small spaces are
    // copied over others of their size at every pass.
    const std::int64_t count = std::int64_t(other.sizeX) * other.sizeY * other.sizeZ;
    if (cells && other.cells && std::int64_t(sizeX) * sizeY * sizeZ == count) {
        sizeX = other.sizeX;
        sizeY = other.sizeY;
        sizeZ = other.sizeZ;
        std::copy_n(other.cells, count, cells);
        return *this;
    }
    delete[] cells;
    cells = nullptr;
    sizeX = other.sizeX;
    sizeY = other.sizeY;
    sizeZ = other.sizeZ;
    allocate();
    if (cells) std::copy_n(other.cells, std::int64_t(sizeX) * sizeY * sizeZ, cells);
    return *this;
}

CSpace::CSpace(CSpace&& other) noexcept
    : CObject(), sizeX(other.sizeX), sizeY(other.sizeY), sizeZ(other.sizeZ), cells(other.cells)
{
    other.sizeX = other.sizeY = other.sizeZ = 0;
    other.cells = nullptr;
}

CSpace& CSpace::operator=(CSpace&& other) noexcept
{
    if (this == &other) return *this;
    delete[] cells;
    sizeX = other.sizeX;
    sizeY = other.sizeY;
    sizeZ = other.sizeZ;
    cells = other.cells;
    other.sizeX = other.sizeY = other.sizeZ = 0;
    other.cells = nullptr;
    return *this;
}

CSpace::~CSpace() { delete[] cells; }

void CSpace::allocate()
{
    cells = nullptr;
    if (sizeX <= 0 || sizeY <= 0 || sizeZ <= 0) {
        sizeX = sizeY = sizeZ = 0;
        return;
    }
    // Checked in two steps: three int sizes can overflow even a 64-bit product.
    std::int64_t plane = std::int64_t(sizeX) * sizeY;
    if (plane <= MAX_CELLS && plane * sizeZ <= MAX_CELLS) cells = new (std::nothrow) int[plane * sizeZ];
    if (!cells) sizeX = sizeY = sizeZ = 0;
}

int CSpace::isEqual(const CSpace& other) const
{
    if (this == &other) return 1;
    if (sizeX != other.sizeX || sizeY != other.sizeY) return 0;
    if (sizeZ != other.sizeZ) return 0;
    if (sizeZ <= 0) return 1;
    return std::equal(cells, cells + std::int64_t(sizeX) * sizeY * sizeZ, other.cells) ? 1 : 0;
}

void CSpace::resize(int newX, int newY, int newZ)
{
    if (newX < 1 || newY < 1 || newZ < 1) return;
    CSpace grown(newX, newY, newZ, CELL_EMPTY);
    if (!grown.cells) return;  // too large to allocate: keep the contents rather than lose them
    // Row by row over the part both grids share; the rest of the new grid stays empty.
    const int w = std::min(sizeX, newX), h = std::min(sizeY, newY), d = cells ? std::min(sizeZ, newZ) : 0;
    for (int z = 0; z < d; z++)
        for (int y = 0; y < h; y++) {
            const int* from = cells + index(0, y, z);
            int* to = grown.cells + grown.index(0, y, z);
            for (int x = 0; x < w; x++) to[x] = from[x] == CELL_OUTSIDE ? CELL_EMPTY : from[x];
        }
    *this = std::move(grown);
}

int CSpace::countNonEmpty() const
{
    if (!cells) return 0;
    std::int64_t n = std::int64_t(sizeX) * sizeY * sizeZ;
    return int(std::count_if(cells, cells + n, [](int v) { return v != CELL_EMPTY; }));
}

int CSpace::countValue(int value) const
{
    if (!cells) return 0;
    std::int64_t n = std::int64_t(sizeX) * sizeY * sizeZ;
    return int(std::count(cells, cells + n, value));
}

void CSpace::fillCount(int n)
{
    if (!cells) return;
    std::int64_t total = std::int64_t(sizeX) * sizeY * sizeZ;
    std::int64_t black = std::clamp<std::int64_t>(n, 0, total);
    std::fill_n(cells, black, CELL_BLACK);
    std::fill(cells + black, cells + total, CELL_EMPTY);
}

int CSpace::isBoxEmpty(int x, int y, int z, int w, int h, int d) const
{
    if (w <= 0 || h <= 0 || d <= 0) return 1;
    for (int i = 0; i < w; i++)
        for (int j = 0; j < h; j++)
            for (int k = 0; k < d; k++)
                if (getWide(std::int64_t(x) + i, std::int64_t(y) + j, std::int64_t(z) + k) != CELL_EMPTY) return 0;
    return 1;
}

CSpace CSpace::extract(int x, int y, int z, int w, int h, int d) const
{
    CSpace out(w, h, d, Unset{});
    for (int k = 0; k < out.sizeZ; k++) extractLayer(out, x, y, z, k);
    return out;
}

void CSpace::extractLayer(CSpace& out, int x, int y, int z, int k) const
{
    const std::int64_t w = out.sizeX, h = out.sizeY;
    int* row = out.cells + w * h * k;
    const std::int64_t gz = std::int64_t(z) + k;
    // Each row's cells inside the grid are those from i0 to i1 (exclusive); the rest read 2.
    const std::int64_t i0 = std::clamp<std::int64_t>(-std::int64_t(x), 0, w);
    const std::int64_t i1 = std::clamp<std::int64_t>(std::int64_t(sizeX) - x, i0, w);
    for (std::int64_t j = 0; j < h; j++, row += w) {
        const std::int64_t gy = std::int64_t(y) + j;
        if (!cells || i0 == i1 || gy < 0 || gy >= sizeY || gz < 0 || gz >= sizeZ) {
            std::fill_n(row, w, CELL_OUTSIDE);
            continue;
        }
        std::fill_n(row, i0, CELL_OUTSIDE);
        std::copy_n(cells + (x + i0) + sizeX * (gy + sizeY * gz), i1 - i0, row + i0);
        std::fill_n(row + i1, w - i1, CELL_OUTSIDE);
    }
}

// Only the far corner must fit; cells landing at negative coordinates are dropped by set.
bool CSpace::fits(int x, int y, int z, const CSpace& src) const
{
    return std::int64_t(x) + src.sizeX <= sizeX && std::int64_t(y) + src.sizeY <= sizeY &&
           std::int64_t(z) + src.sizeZ <= sizeZ && src.sizeZ > 0;
}

void CSpace::paste(int x, int y, int z, const CSpace& src) { paste(x, y, z, src, 1); }

void CSpace::paste(int x, int y, int z, const CSpace& src, int transparent)
{
    if (!fits(x, y, z, src)) return;
    for (int k = 0; k < src.sizeZ; k++)
        for (int j = 0; j < src.sizeY; j++)
            for (int i = 0; i < src.sizeX; i++) {
                int v = src.get(i, j, k);
                if (v != transparent) set(x + i, y + j, z + k, v);
            }
}

void CSpace::overwrite(int x, int y, int z, const CSpace& src)
{
    if (!fits(x, y, z, src)) return;
    for (int k = 0; k < src.sizeZ; k++)
        for (int j = 0; j < src.sizeY; j++)
            for (int i = 0; i < src.sizeX; i++) set(x + i, y + j, z + k, src.get(i, j, k));
}

CSpace CSpace::appendX(const CSpace& other) const
{
    CSpace out(*this);
    out.resize(sizeX + other.sizeX, std::max(sizeY, other.sizeY), std::max(sizeZ, other.sizeZ));
    if (out.sizeX != sizeX + other.sizeX) return CSpace(0, 0, 0, 0);  // could not grow: no half result
    for (int k = 0; k < other.sizeZ; k++)
        for (int j = 0; j < other.sizeY; j++)
            for (int i = 0; i < other.sizeX; i++) out.set(sizeX + i, j, k, other.get(i, j, k));
    return out;
}

int CSpace::matchAt(int x, int y, int z, const CSpace& pattern) const
{
    if (!cells) return 0;
    const int pw = pattern.sizeX, ph = pattern.sizeY, pd = pattern.sizeZ;
    // Fast path when the pattern lies wholly inside: no bounds test per cell.
    bool whollyInside = x >= 0 && y >= 0 && z >= 0 && std::int64_t(x) + pw <= sizeX &&
                        std::int64_t(y) + ph <= sizeY && std::int64_t(z) + pd <= sizeZ;
    const int* p = pattern.cells;
    for (int k = 0; k < pd; k++)
        for (int j = 0; j < ph; j++) {
            if (whollyInside) {
                const int* row = cells + index(x, y + j, z + k);
                for (int i = 0; i < pw; i++, p++)
                    if (*p != CELL_ANY && *p != row[i]) return 0;
            } else {
                for (int i = 0; i < pw; i++, p++)
                    if (*p != CELL_ANY && *p != getWide(std::int64_t(x) + i, std::int64_t(y) + j, std::int64_t(z) + k))
                        return 0;
            }
        }
    return 1;
}

template <class Visit>
void CSpace::forEachPosition(const CSpace& pattern, Visit visit) const
{
    if (sizeX == 0 || sizeY == 0 || sizeZ == 0 || sizeZ - pattern.sizeZ < 0) return;
    for (int z = 0; z <= sizeZ - pattern.sizeZ; z++)
        for (int y = 0; y <= sizeY - pattern.sizeY; y++)
            for (int x = 0; x <= sizeX - pattern.sizeX; x++)
                if (matchAt(x, y, z, pattern) && visit(x, y, z)) return;
}

int CSpace::contains(const CSpace& pattern) const
{
    int found = 0;
    forEachPosition(pattern, [&](int, int, int) { return (found = 1) == 1; });
    return found;
}

int CSpace::occursTwice(const CSpace& pattern) const
{
    int n = 0;
    forEachPosition(pattern, [&](int, int, int) {
        n++;
        return false;
    });
    return n == 2 ? 1 : 0;
}

int CSpace::find(const CSpace& pattern, int& x, int& y, int& z) const
{
    int found = 0;
    forEachPosition(pattern, [&](int px, int py, int pz) {
        x = px;
        y = py;
        z = pz;
        found = 1;
        return true;
    });
    return found;
}
