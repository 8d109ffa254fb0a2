// The flat gallery programs: fill, sand, sorting, a cellular automaton, a maze grown by the coin
// toss and a light cycle steered with the mouse.
#include <cmath>
#include <string>

#include "programs.h"
#include "space/cellcodes.h"
#include "support/picture.h"

namespace {

constexpr int Y = CELL_YELLOW, K = CELL_BLACK, E = CELL_EMPTY, R = CELL_RED, W = CELL_WHITE;

CSpace row(std::initializer_list<int> cells)
{
    CSpace s(int(cells.size()), 1, 1, 0);
    int x = 0;
    for (int c : cells) s.set(x++, 0, 0, c);
    return s;
}

CSpace column(std::initializer_list<int> cells)
{
    CSpace s(1, 1, int(cells.size()), 0);
    int z = 0;
    for (int c : cells) s.set(0, 0, z++, c);
    return s;
}

// Thick line of one colour from (x0, z0) to (x1, z1): every cell within `r` of the segment.
void line(CSpace& s, double x0, double z0, double x1, double z1, double r, int colour)
{
    for (int z = 0; z < s.getSizeZ(); z++)
        for (int x = 0; x < s.getSizeX(); x++) {
            const double dx = x1 - x0, dz = z1 - z0;
            double t = ((x - x0) * dx + (z - z0) * dz) / (dx * dx + dz * dz);
            t = t < 0 ? 0 : t > 1 ? 1 : t;
            if (std::hypot(x - (x0 + t * dx), z - (z0 + t * dz)) <= r) s.set(x, 0, z, colour);
        }
}

void disc(CSpace& s, double cx, double cz, double r, int colour)
{
    line(s, cx, cz, cx + 1e-9, cz, r, colour);
}

void box(CSpace& s, int x0, int z0, int x1, int z1, int colour)
{
    for (int z = z0; z <= z1; z++)
        for (int x = x0; x <= x1; x++) s.set(x, 0, z, colour);
}

// The four rules "colour a next to colour b becomes b next to b", one group each.
void spreadRules(CShelf& shelf, int a, int b)
{
    shelf.add(flatGroup({{row({b, a}), row({b, b})}}));
    shelf.add(flatGroup({{row({a, b}), row({b, b})}}));
    shelf.add(flatGroup({{column({b, a}), column({b, b})}}));
    shelf.add(flatGroup({{column({a, b}), column({b, b})}}));
}

// A heart outlined in black, with three black stones inside; one red cell floods the inside.
CSpace fillHeart()
{
    const int w = 100, d = 92;
    CSpace area(w, 1, d, 0);
    auto inside = [&](int i, int j) {
        if (i < 0 || j < 0 || i >= w || j >= d) return false;
        const double u = (i - (w - 1) / 2.0) / (w / 2.0) * 1.25, v = 1.25 - j / double(d - 1) * 2.3;
        const double a = u * u + v * v - 1;
        return a * a * a - u * u * v * v * v <= 0;
    };
    for (int j = 0; j < d; j++)
        for (int i = 0; i < w; i++)
            if (inside(i, j) && !(inside(i - 1, j) && inside(i + 1, j) && inside(i, j - 1) && inside(i, j + 1)))
                area.set(i, 0, j, K);
    disc(area, 32, 30, 6, K);
    disc(area, 66, 30, 6, K);
    line(area, 35, 58, 65, 58, 2, K);
    area.set(50, 0, 40, R);
    CShelf shelf(1);
    shelf.add(flatArea(area));
    spreadRules(shelf, E, R);
    return shelf.layOut(0);
}

// Yellow sand pours through a funnel onto a shelf and piles up. A grain falls into an empty cell
// below it; resting on sand or stone, it slides down to the right, or else to the left. The
// slides look at the cells around so that no two grains ever land in the same cell.
CSpace sand()
{
    const int w = 100, d = 100;
    CSpace area(w, 1, d, 0);
    box(area, 8, 2, 30, 22, Y);
    box(area, 40, 6, 60, 26, Y);
    box(area, 70, 2, 92, 18, Y);
    line(area, 8, 30, 44, 70, 1.0, K);
    line(area, 92, 30, 56, 70, 1.0, K);
    line(area, 28, 82, 72, 82, 1.0, K);
    disc(area, 16, 70, 3, K);
    disc(area, 84, 70, 3, K);
    line(area, 28, 74, 28, 82, 1.0, K);
    line(area, 72, 74, 72, 82, 1.0, K);

    const int X = CELL_RED, Fv = CELL_WHITE, Ev = CELL_PURPLE, Hv = CELL_PALE, Gv = CELL_GREEN;
    CShelf shelf(1);
    shelf.add(flatArea(area));
    shelf.add(flatGroup({{column({Y, E}), column({E, Y})}}));
    // Right: the grain rests on X (sand or stone) and the two cells to its right are empty.
    shelf.add(flatGroup({{flat({"Y.", "R."}), flat({"..", "RY"})}}));
    // Left, only when the way right is blocked (G) and no grain two cells to the left (E) could
    // slide into the same cell.
    shelf.add(flatGroup({{flat({"P.YQ", "W.RG"}), flat({"P..Q", "WYRG"})}}));
    shelf.add(flatSequence(X, {Y, K}));
    shelf.add(flatSequence(Gv, {Y, K}));
    shelf.add(flatSequence(Ev, {E, K}));
    shelf.add(flatSequence(Hv, {E, Y, K}));
    shelf.add(flatSequence(Fv, {E, Y, K}));
    return shelf.layOut(0);
}

// Bead sort: columns of beads of random heights; every bead slides right into an empty cell, so
// each row keeps its number of beads and the columns end sorted by height.
CSpace beadSort()
{
    const int w = 110, d = 80;
    const int bands[] = {CELL_RED, CELL_YELLOW, CELL_GREEN, CELL_PALE, CELL_PURPLE, CELL_WHITE};
    CSpace area(w, 1, d, 0);
    CDice dice(7);
    for (int i = 0; i < w; i++) {
        const int h = 2 + dice.roll(d - 2);
        for (int k = 0; k < h; k++) area.set(i, 0, d - 1 - k, bands[(k / 6) % 6]);
    }
    CShelf shelf(1);
    shelf.add(flatArea(area));
    shelf.add(flatGroup({{row({K, E}), row({E, K})}}));
    shelf.add(flatSequence(K, {bands[0], bands[1], bands[2], bands[3], bands[4], bands[5]}));
    return shelf.layOut(0);
}

// An excitable medium (a Greenberg-Hastings automaton) with five colours: a resting (empty) cell
// fires (red) when a neighbour fires; a fired cell then recovers through yellow, green and pale
// back to rest, and cannot fire meanwhile. Two broken wave fronts, each a row of red with yellow
// on one side, curl up at their free ends into spirals that turn for ever and fill the area with
// waves.
CSpace spirals()
{
    const int w = 80, d = 80;
    const int R_ = CELL_RED, Y_ = CELL_YELLOW, G_ = CELL_GREEN, Q_ = CELL_PALE;
    CSpace area(w, 1, d, 0);
    for (int x = 44; x < w; x++) area.set(x, 0, 30, R_), area.set(x, 0, 31, Y_);
    for (int x = 0; x < 30; x++) area.set(x, 0, 56, R_), area.set(x, 0, 55, Y_);
    CShelf shelf(1);
    shelf.add(flatArea(area));
    shelf.add(flatGroup({{cell(R_), cell(Y_)}}));
    shelf.add(flatGroup({{cell(Y_), cell(G_)}}));
    shelf.add(flatGroup({{cell(G_), cell(Q_)}}));
    shelf.add(flatGroup({{cell(Q_), cell(E)}}));
    spreadRules(shelf, E, R_);
    return shelf.layOut(0);
}

// The coin toss's picture, its box empty or holding the red cell on the left or on the right.
CSpace coin(int side)
{
    CSpace s = flat({".KKK....", "K...K...", "K...K...", "...K....", "..K.KKKK", "....K..K", "..K.KKKK"});
    if (side >= 0) s.set(5 + side, 0, 5, R);
    return s;
}

// The mouse picture, with the left (0) or right (1) button pressed, or none (-1).
CSpace mouse(int button)
{
    CSpace s = flat({"KKKKK", "K.K.K", "KKKKK", "K...K", "K...K", "KKKKK"});
    if (button >= 0) s.set(1 + 2 * button, 0, 1, R);
    return s;
}

const CSpace NONE(0, 0, 0, 0);  // a rule without a right side: it only has to match

// A maze grown by the coin toss (the binary-tree maze): a pale cursor visits the cells row by row,
// turning back at each end (purple when it walks left; not red, which the coin's
// picture holds); at every cell the coin decides whether
// the wall to the north or the one to the east is knocked down. The top row and the east column
// are open from the start, as this kind of maze always has them.
CSpace coinMaze()
{
    const int n = 16, P = CELL_PURPLE, C = CELL_PALE;
    const int w = 2 * n + 3, d = 2 * n + 11;
    CSpace area(w, 1, d, 0);
    box(area, 1, 1, 2 * n + 1, 2 * n + 1, K);
    box(area, 0, 1, 0, 2 * n + 2, Y);
    box(area, 0, 2 * n + 2, 2 * n + 2, 2 * n + 2, Y);
    for (int j = 0; j < n; j++)
        for (int i = 0; i < n; i++) area.set(2 + 2 * i, 0, 2 + 2 * j, j == 0 || i == n - 1 ? E : W);
    for (int i = 0; i + 1 < n; i++) area.set(3 + 2 * i, 0, 2, E);
    for (int j = 0; j + 1 < n; j++) area.set(2 * n, 0, 3 + 2 * j, E);
    area.set(2, 0, 4, C);
    area.paste(2, 0, 2 * n + 4, coin(-1));

    CShelf shelf(1);
    shelf.add(flatArea(area));
    struct Advance {
        int cursor;
        std::vector<RuleSides> rules;
    };
    const std::vector<Advance> advances = {
        {C, {{row({C, K, W}), row({E, K, C})}}},
        {C, {{row({C, K, E}), NONE}, {column({C, K, W}), column({E, K, P})}}},
        {C, {{row({C, K, E}), NONE}, {column({C, K, Y}), column({E, K, Y})}}},
        {P, {{row({W, K, P}), row({P, K, E})}}},
        {P, {{row({Y, K, P}), NONE}, {column({P, K, W}), column({E, K, C})}}},
        {P, {{row({Y, K, P}), NONE}, {column({P, K, Y}), column({E, K, Y})}}},
    };
    for (int side = 0; side < 2; side++)
        for (const Advance& a : advances) {
            std::vector<RuleSides> rules = {{coin(side), coin(-1)}};
            if (side == 0)
                rules.push_back({column({K, a.cursor}), column({E, a.cursor})});
            else
                rules.push_back({row({a.cursor, K}), row({a.cursor, E})});
            rules.insert(rules.end(), a.rules.begin(), a.rules.end());
            shelf.add(flatGroup(rules));
        }
    return shelf.layOut(0);
}

// A light cycle: the head runs straight on, leaving a yellow trail; a left click turns it left,
// a right click right. It stops where the trail, a stone or the border is in its way, and waits
// for a click that turns it free. Its colour says where it heads: white north, green east, purple
// south, pale west.
CSpace lightCycle()
{
    const int w = 64, d = 48;
    const int N = CELL_WHITE, Ea = CELL_GREEN, S = CELL_PURPLE, Wd = CELL_PALE;
    CSpace area(w, 1, d, 0);
    area.paste(1, 0, 1, mouse(-1));
    disc(area, 40, 14, 3, K);
    disc(area, 14, 34, 3, K);
    box(area, 44, 30, 52, 32, K);
    area.set(10, 0, 24, Ea);

    CShelf shelf(1);
    shelf.add(flatArea(area));
    const RuleSides calm = {mouse(-1), NONE}, left = {mouse(0), mouse(-1)}, right = {mouse(1), mouse(-1)};
    // Straight on.
    shelf.add(flatGroup({calm, {row({Ea, E}), row({Y, Ea})}}));
    shelf.add(flatGroup({calm, {row({E, Wd}), row({Wd, Y})}}));
    shelf.add(flatGroup({calm, {column({E, N}), column({N, Y})}}));
    shelf.add(flatGroup({calm, {column({S, E}), column({Y, S})}}));
    // Left turns: east to north, north to west, west to south, south to east.
    shelf.add(flatGroup({left, {column({E, Ea}), column({N, Y})}}));
    shelf.add(flatGroup({left, {row({E, N}), row({Wd, Y})}}));
    shelf.add(flatGroup({left, {column({Wd, E}), column({Y, S})}}));
    shelf.add(flatGroup({left, {row({S, E}), row({Y, Ea})}}));
    // A click that cannot turn the head (its way is blocked) is used up all the same.
    shelf.add(flatGroup({left}));
    shelf.add(flatGroup({right}));
    // Right turns: east to south, south to west, west to north, north to east.
    shelf.add(flatGroup({right, {column({Ea, E}), column({Y, S})}}));
    shelf.add(flatGroup({right, {row({E, S}), row({Wd, Y})}}));
    shelf.add(flatGroup({right, {column({E, Wd}), column({N, Y})}}));
    shelf.add(flatGroup({right, {row({N, E}), row({Y, Ea})}}));
    return shelf.layOut(0);
}

}  // namespace

std::vector<GalleryProgram> flatPrograms()
{
    return {
        {"fill-heart", 5, fillHeart},
        {"sand", 9, sand},
        {"bead-sort", 3, beadSort},
        {"spirals", 9, spirals},
        {"coin-maze", 13, coinMaze},
        {"light-cycle", 15, lightCycle},
    };
}
