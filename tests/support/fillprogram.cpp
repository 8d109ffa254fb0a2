// Draws the flood-fill program with the block builder: four groups in a row above the work area.
#include "support/fillprogram.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

#include "space/cellcodes.h"
#include "support/blockbuilder.h"

namespace {
// Random straight walls, each with a gap, and never over the centre where the seed goes.
void drawLines(CSpace& area, std::mt19937& rng)
{
    const int n = area.getSizeX();
    std::uniform_int_distribution<int> at(0, n - 1);
    for (int i = 0; i < n / 16; i++) {
        const bool alongX = rng() % 2;
        const int fixed = at(rng), from = at(rng), length = n / 4 + at(rng) / 2, gap = from + length / 2;
        for (int t = from; t < std::min(n, from + length); t++) {
            if (t >= gap && t < gap + 8) continue;
            const int x = alongX ? t : fixed, z = alongX ? fixed : t;
            if (std::abs(x - n / 2) > 1 || std::abs(z - n / 2) > 1) area.set(x, 0, z, CELL_YELLOW);
        }
    }
    area.set(n / 2, 0, n / 2, CELL_RED);
}

// A maze on a grid of rooms `corridor` cells wide with walls one cell thick, opened by joining
// rooms in a random order wherever they are not connected yet (Kruskal), so every room is
// reachable and the paths branch often.
void drawMaze(CSpace& area, int corridor, std::mt19937& rng)
{
    const int n = area.getSizeX(), pitch = corridor + 1, rooms = std::max(1, (n + 1) / pitch);
    for (int z = 0; z < n; z++)
        for (int x = 0; x < n; x++)
            if (x % pitch == corridor || z % pitch == corridor || x >= rooms * pitch || z >= rooms * pitch)
                area.set(x, 0, z, CELL_YELLOW);
    std::vector<int> parent(std::size_t(rooms) * rooms);
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](int r) {
        while (parent[r] != r) r = parent[r] = parent[parent[r]];
        return r;
    };
    std::vector<std::pair<int, int>> doors;  // room and direction (0: to +x, 1: to +z)
    for (int r = 0; r < rooms * rooms; r++) {
        if (r % rooms + 1 < rooms) doors.emplace_back(r, 0);
        if (r / rooms + 1 < rooms) doors.emplace_back(r, 1);
    }
    std::shuffle(doors.begin(), doors.end(), rng);
    for (auto [r, dir] : doors) {
        const int other = dir == 0 ? r + 1 : r + rooms;
        if (root(r) == root(other)) continue;
        parent[root(r)] = root(other);
        const int rx = (r % rooms) * pitch, rz = (r / rooms) * pitch;
        for (int t = 0; t < corridor; t++)
            if (dir == 0)
                area.set(rx + corridor, 0, rz + t, CELL_EMPTY);
            else
                area.set(rx + t, 0, rz + corridor, CELL_EMPTY);
    }
    area.set(0, 0, 0, CELL_RED);
}
}  // namespace

FillProgram drawFillProgram(int side, FillWalls walls, int corridor, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    CSpace interior(side, 1, side, CELL_EMPTY);
    if (walls == FillWalls::Maze)
        drawMaze(interior, std::max(1, corridor), rng);
    else
        drawLines(interior, rng);

    CSpace redEmptyX(2, 1, 1, CELL_RED), emptyRedX(2, 1, 1, CELL_RED), redEmptyZ(1, 1, 2, CELL_RED),
        emptyRedZ(1, 1, 2, CELL_RED);
    redEmptyX.set(1, 0, 0, CELL_EMPTY);
    emptyRedX.set(0, 0, 0, CELL_EMPTY);
    redEmptyZ.set(0, 0, 1, CELL_EMPTY);
    emptyRedZ.set(0, 0, 0, CELL_EMPTY);
    const CSpace twoX(2, 1, 1, CELL_RED), twoZ(1, 1, 2, CELL_RED);
    const std::vector<RuleSides> rules = {{redEmptyX, twoX}, {emptyRedX, twoX}, {redEmptyZ, twoZ}, {emptyRedZ, twoZ}};

    // The groups stand in a row, each in its own 10 x 6 cells; the work area lies below them.
    FillProgram p{CSpace(std::max(side + 6, 42), 1, side + 12, CELL_EMPTY), 0, 0};
    for (std::size_t i = 0; i < rules.size(); i++) drawFlatRuleGroup(p.space, 1 + 10 * int(i), 1, {rules[i]});
    const DrawnBlock area = drawFlatWorkArea(p.space, 1, 7, interior);
    p.areaX = area.contents[0].x;
    p.areaZ = area.contents[0].z;
    return p;
}
