// The solid gallery programs: Langton's ant, a shortest path through a maze, sand in three
// dimensions and a binary counter that calls a sub-program to add one.
#include <algorithm>
#include <utility>

#include "interpreter/keywordicons.h"
#include "programs.h"
#include "space/cellcodes.h"
#include "support/picture.h"

namespace {

constexpr int E = CELL_EMPTY, K = CELL_BLACK, Y = CELL_YELLOW, R = CELL_RED, W = CELL_WHITE, B = CELL_BLUE,
              Q = CELL_PALE, P = CELL_PURPLE;
const CSpace NONE(0, 0, 0, 0);

// The palette declaration that makes purple transparent: a purple cell in a rule matches
// anything and leaves the cell under it as it is.
CShelf::Draw purpleIsTransparent()
{
    return window({makePaletteIcon(), cell(P)});
}

// Two columns of two cells, the second at (dx, dz) from the first (one of them 0, the other
// +-1): bottom and top of each.
CSpace pairOfColumns(int dx, int dz, int bottom1, int top1, int bottom2, int top2)
{
    CSpace s(std::abs(dx) + 1, 2, std::abs(dz) + 1, 0);
    const int x1 = dx < 0 ? 1 : 0, z1 = dz < 0 ? 1 : 0;
    s.set(x1, 0, z1, bottom1);
    s.set(x1, 1, z1, top1);
    s.set(x1 + dx, 0, z1 + dz, bottom2);
    s.set(x1 + dx, 1, z1 + dz, top2);
    return s;
}

const int DX[] = {0, 1, 0, -1}, DZ[] = {-1, 0, 1, 0};  // north, east, south, west

// Langton's ant: the ant (top layer) looks at the floor under it; on an empty cell it turns right,
// on a yellow one left; it flips the cell and steps on. Red heads north, white east, pale south,
// blue west. After some ten thousand steps of chaos it builds a highway and leaves the area.
CSpace ant()
{
    const int ants[] = {R, W, Q, B};
    const int size = 72;
    CSpace area(size, 2, size, 0);
    area.set(size / 2, 1, size / 2, R);
    CShelf shelf(3);
    shelf.add(purpleIsTransparent());
    shelf.add(solidArea(area));
    for (int d = 0; d < 4; d++)
        for (int floor : {E, Y}) {
            const int turned = floor == E ? (d + 1) % 4 : (d + 3) % 4, flipped = floor == E ? Y : E;
            shelf.add(solidGroup({{pairOfColumns(DX[turned], DZ[turned], floor, ants[d], P, E),
                                   pairOfColumns(DX[turned], DZ[turned], flipped, E, P, ants[turned])}}));
        }
    return shelf.layOut(0);
}

// A maze with a few loops, drawn by a depth-first walk; `m` x `m` rooms with walls between.
CSpace maze(int m, unsigned seed)
{
    const int n = 2 * m + 1;
    CSpace floor(n, 1, n, K);
    CDice dice(seed);
    std::vector<std::pair<int, int>> stack = {{0, 0}};
    std::vector<bool> seen(size_t(m * m), false);
    seen[0] = true;
    floor.set(1, 0, 1, E);
    while (!stack.empty()) {
        auto [i, j] = stack.back();
        std::vector<int> ways;
        for (int d = 0; d < 4; d++) {
            const int a = i + DX[d], b = j + DZ[d];
            if (a >= 0 && b >= 0 && a < m && b < m && !seen[size_t(b * m + a)]) ways.push_back(d);
        }
        if (ways.empty()) {
            stack.pop_back();
            continue;
        }
        const int d = ways[size_t(dice.roll(int(ways.size())))];
        const int a = i + DX[d], b = j + DZ[d];
        seen[size_t(b * m + a)] = true;
        floor.set(1 + 2 * i + DX[d], 0, 1 + 2 * j + DZ[d], E);
        floor.set(1 + 2 * a, 0, 1 + 2 * b, E);
        stack.push_back({a, b});
    }
    for (int z = 1; z < n - 1; z++)
        for (int x = 1; x < n - 1; x++)
            if ((x + z) % 2 == 1 && floor.get(x, 0, z) == K && dice.roll(7) == 0) floor.set(x, 0, z, E);
    return floor;
}

// A shortest way through a maze. From the red start (top left) a wave floods the floor; every cell
// it reaches remembers in its colour where the wave came from (red: from the west, blue: from the
// east, pale: from the north, white: from the south). When the wave reaches the black marker
// (bottom right) on the layer above the floor, the marker walks back along what the cells
// remember, leaving a yellow trail: a shortest way from the goal to the start. The top layer holds
// no wave colour, so the wave's one-cell-high rules never spread there.
CSpace shortestPath()
{
    const int m = 24, n = 2 * m + 1;
    const CSpace floor = maze(m, 5);
    CSpace area(n, 2, n, 0);
    area.paste(0, 0, 0, floor);
    area.set(1, 0, 1, R);
    area.set(n - 2, 1, n - 2, K);
    CShelf shelf(3);
    shelf.add(solidArea(area));
    // The wave, from any wave colour (the sequence's purple) into an empty floor cell.
    const int cameFrom[] = {W, R, Q, B};  // the colour of a cell entered heading north, east, ...
    for (int d = 0; d < 4; d++) {
        CSpace from(std::abs(DX[d]) + 1, 1, std::abs(DZ[d]) + 1, 0), to = from;
        const int x1 = DX[d] < 0 ? 1 : 0, z1 = DZ[d] < 0 ? 1 : 0;
        from.set(x1, 0, z1, P);
        to.set(x1, 0, z1, P);
        to.set(x1 + DX[d], 0, z1 + DZ[d], cameFrom[d]);
        shelf.add(solidGroup({{from, to}}));
    }
    // The walk back: from a cell that the wave entered heading d, to the cell it came from.
    for (int d = 0; d < 4; d++)
        shelf.add(solidGroup({{pairOfColumns(-DX[d], -DZ[d], cameFrom[d], K, P, E),
                               pairOfColumns(-DX[d], -DZ[d], cameFrom[d], Y, P, K)}}));
    shelf.add(solidSequence(P, {R, B, Q, W}));
    return shelf.layOut(0);
}

// Yellow sand in three dimensions pours onto a ramp, a stepped pyramid and a post. A grain falls
// into an empty cell below it; resting on sand or stone, it slides down along x, to the right if it
// can, else to the left when no grain two cells to its left could take the same cell. Purple is
// transparent: those cells of a rule may hold anything.
CSpace sand3d()
{
    const int w = 36, h = 24, d = 28;
    CSpace area(w, h, d, 0);
    auto fill = [&](int x0, int y0, int z0, int x1, int y1, int z1, int colour) {
        for (int z = z0; z <= z1; z++)
            for (int y = y0; y <= y1; y++)
                for (int x = x0; x <= x1; x++) area.set(x, y, z, colour);
    };
    for (int x = 0; x <= 12; x++) fill(x, 14 - x, 2, x, 14 - x, 25, K);  // the ramp
    for (int k = 0; k < 5; k++) fill(19 + k, 0, 11 + k, 31 - k, k, 23 - k, K);  // the pyramid
    fill(27, 0, 3, 28, 9, 4, K);  // the post
    fill(2, 17, 5, 33, 22, 22, Y);

    const int X = R, Ev = W, Gv = Q;
    CShelf shelf(h + 1);
    shelf.add(purpleIsTransparent());
    shelf.add(solidArea(area));
    shelf.add(solidGroup({{solid({{"Y", "."}}), solid({{".", "Y"}})}}));
    shelf.add(solidGroup({{solid({{"Y.", "R."}}), solid({{"..", "RY"}})}}));
    shelf.add(solidGroup({{solid({{"W.YP", "P.RQ"}}), solid({{"W..P", "PYRQ"}})}}));
    shelf.add(solidSequence(X, {Y, K}));
    shelf.add(solidSequence(Ev, {E, K}));
    shelf.add(solidSequence(Gv, {Y, K}));
    return shelf.layOut(0);
}

// A binary counter whose "add one" is a sub-program. The caller (the work area at the front) holds
// an eight-bit register (yellow is 1, the lowest bit on the right) under a white marker, and a row
// of pale tokens. Its one rule group sends the register to the sub-program named by the pattern
// K.K.K.K. and takes a token; the instance frame appears beside the declaration, its carry (red)
// ripples through the bits, the instance ends and its register comes back in place of the
// caller's. Ten tokens, ten calls: the register counts from 0 to 10.
CSpace counter()
{
    const CSpace name = solid({{"K.K.K.K."}});
    CSpace caller(12, 2, 1, 0);
    caller.set(0, 1, 0, W);
    for (int x = 2; x < 12; x++) caller.set(x, 1, 0, Q);
    CShelf top(4);
    top.add(purpleIsTransparent());
    top.add(solidArea(caller));
    CSpace call = solid({{"WPPPPPPP", "PPPPPPPP"}}), sent = call;
    sent.paste(0, 0, 0, name);
    top.add(solidGroup({{call, sent}, {solid({{".Q"}}), solid({{".."}})}}));
    const CSpace front = top.layOut(0);

    CSpace register8(8, 2, 1, 0);
    register8.set(7, 1, 0, R);
    CShelf inside(4);
    inside.add(solidArea(register8));
    inside.add(solidGroup({{solid({{"R", "."}}), solid({{".", "Y"}})}}));
    inside.add(solidGroup({{solid({{".R", ".Y"}}), solid({{"R.", ".."}})}}));
    inside.add(solidGroup({{solid({{".R", "YY"}}), solid({{"R.", "Y."}})}}));
    const CShelf::Draw declaration = window({makeThreeBlockIcon(), name, inside.layOut(0)});

    // The instances are drawn to the right of the declaration and reach about 25 cells toward
    // the front; leave that room empty.
    CSpace scratch(200, 12, 200, 0);
    const CBox b = declaration(scratch, 0, 0).bounds();
    CSpace space(std::max(front.getSizeX(), b.x1 + 48), 14, front.getSizeZ() + std::max(b.z1 + 1, 28) + 2, 0);
    space.paste(0, 0, 0, front);
    declaration(space, 1, front.getSizeZ() + 1);
    return space;
}

}  // namespace

std::vector<GalleryProgram> solidPrograms()
{
    return {
        {"langtons-ant", 10, ant},
        {"shortest-path", 10, shortestPath},
        {"sand-3d", 8, sand3d},
        {"counter", 4, counter},
    };
}
