// Rule groups: rules of a left and a right box sharing one wall, chained by connector cells on
// that wall. The group holds its rules with the last one of the chain at the head.
#include <algorithm>
#include <vector>

#include "interpreter/blockprobe.h"
#include "interpreter/spacepairlist.h"

namespace {

// One rule of a flat group with its anchor (x0, z0), the top of the shared wall. On success
// pushes the pair, adds the cells to consume and returns the last row the rule occupies.
bool flatRule(CBlockProbe& b, int x0, int z0, CSpacePairList& out, std::vector<CBox>& used, int& zLast)
{
    if (!b.hasAll({{x0, 0, z0}, {x0, 0, z0 + 1}, {x0, 0, z0 + 2}, {x0 - 2, 0, z0}, {x0 - 1, 0, z0}}))
        return false;

    const int wl = 1 + b.run(x0 - 3, 0, z0, -1, 0, 0);
    const int xL = x0 - wl - 1;
    const int h = 1 + b.run(xL, 0, z0 + 3, 0, 0, 1);
    const int zB = z0 + h + 1;

    for (int x = xL - 1; x <= x0 - 1; x++)
        if (b.has(x, 0, z0 - 1) || b.has(x, 0, zB + 1)) return false;
    for (int z = z0; z <= zB; z++)
        if (b.has(xL - 1, 0, z) || !b.has(x0, 0, z)) return false;
    for (int x = xL; x <= x0 - 1; x++)
        if (!b.has(x, 0, zB)) return false;
    CSpace left = b.space.extract(x0 - wl, 0, z0 + 1, wl, 1, h);

    const int m = b.run(x0 + 2, 0, z0, 1, 0, 0);
    const int xR = x0 + m + 1;
    const int n = b.run(xR, 0, z0 + 2, 0, 0, 1);
    bool formed = m >= 1 && n >= 1;
    for (int x = x0 + 1; formed && x <= xR; x++)
        formed =
            !b.has(x, 0, z0 - 1) && b.has(x, 0, z0) && b.has(x, 0, z0 + n + 1) && !b.has(x, 0, z0 + n + 2);
    for (int z = z0; formed && z <= z0 + n + 1; z++) formed = b.has(xR, 0, z) && !b.has(xR + 1, 0, z);
    formed = formed && !b.has(xR + 1, 0, z0 - 1) && !b.has(xR + 1, 0, z0 + n + 2);

    // Without a right box, nothing blue may touch the shared wall from the right.
    if (!formed && !b.none(x0 + 1, 0, z0 - 1, x0 + 1, 0, zB + 1)) return false;

    out.push(CSpacePair(left, formed ? b.space.extract(x0 + 1, 0, z0 + 1, m, 1, n) : CSpace(0, 0, 0, 0)));
    // A malformed right box that was let pass is not part of the rule, so its height does not
    // extend the rule downwards; nor does it move the chain: the connector of such a rule is
    // looked for just below its left box.
    zLast = z0 + std::max(h, formed ? n : 0) + 1;
    used.emplace_back(xL, 0, z0, x0, 0, zLast);
    if (formed) used.emplace_back(x0 + 1, 0, z0, xR, 0, zLast);
    return true;
}

// One rule of a solid group with its anchor (x0, y0, z0), the front bottom right corner of the
// left box. Returns the last z the rule occupies.
bool solidRule(CBlockProbe& g, int x0, int y0, int z0, CSpacePairList& out, std::vector<CBox>& used,
               int& zLast)
{
    if (!g.hasAll({{x0, y0, z0},
                   {x0 - 1, y0, z0},
                   {x0, y0, z0 + 1},
                   {x0 - 1, y0, z0 + 1},
                   {x0, y0 + 1, z0},
                   {x0 - 1, y0 + 1, z0},
                   {x0, y0 + 1, z0 + 1}}))
        return false;
    if (g.has(x0, y0 - 1, z0)) return false;

    const int w = 1 + g.run(x0 - 2, y0, z0, -1, 0, 0);
    const int xL = x0 - w;
    const int h = 1 + g.run(x0 - 1, y0 + 2, z0, 0, 1, 0);
    const int d = 1 + g.run(x0 - 1, y0, z0 + 2, 0, 0, 1);

    // Front, bottom and shared wall are whole; nothing green lies against the box outside them.
    if (!g.all(xL, y0, z0, x0, y0 + h, z0) || !g.all(xL, y0, z0, x0, y0, z0 + d) ||
        !g.all(x0, y0, z0, x0, y0 + h, z0 + d))
        return false;
    if (!g.none(xL, y0, z0 - 1, x0 - 1, y0 + h, z0 - 1) ||
        !g.none(xL, y0, z0 + d + 1, x0 - 1, y0 + h, z0 + d + 1) ||
        !g.none(xL, y0 - 1, z0, x0, y0 - 1, z0 + d) || !g.none(xL, y0 + h + 1, z0, x0, y0 + h + 1, z0 + d) ||
        !g.none(xL - 1, y0, z0, xL - 1, y0 + h, z0 + d))
        return false;
    CSpace left = g.space.extract(xL, y0 + 1, z0 + 1, w, h, d);

    const int m = g.run(x0 + 1, y0, z0, 1, 0, 0);
    const int xE = x0 + m;
    const int n = g.run(x0 + 1, y0 + 1, z0, 0, 1, 0);
    const int l = g.run(x0 + 1, y0, z0 + 1, 0, 0, 1);
    const bool formed =
        m >= 1 && n >= 1 && l >= 1 && g.all(x0 + 1, y0, z0, xE, y0 + n, z0) &&
        g.all(x0 + 1, y0, z0, xE, y0, z0 + l) && g.none(x0 + 1, y0, z0 - 1, xE, y0 + n, z0 - 1) &&
        g.none(x0 + 1, y0, z0 + l + 1, xE, y0 + n, z0 + l + 1) &&
        g.none(x0, y0 - 1, z0, xE, y0 - 1, z0 + l) && g.none(x0, y0 + n + 1, z0, xE, y0 + n + 1, z0 + l) &&
        g.none(xE + 1, y0, z0, xE + 1, y0 + n, z0 + l);

    if (!formed && !g.none(x0 + 1, y0, z0, x0 + 1, y0 + h, z0 + d)) return false;

    out.push(
        CSpacePair(left, formed ? g.space.extract(x0 + 1, y0 + 1, z0 + 1, m, n, l) : CSpace(0, 0, 0, 0)));
    zLast = z0 + std::max(d, formed ? l : 0);
    used.emplace_back(xL, y0, z0, x0, y0 + h, z0 + d);
    if (formed) used.emplace_back(x0, y0, z0, xE, y0 + n, z0 + l);
    return true;
}

}  // namespace

// Follows the chain in a loop, so a chain of any length needs no deeper stack, and consumes only
// once every rule of it was read.
int CPatternSpace::findRuleGroup(int x, int y, int z, CSpacePairList& out)
{
    const bool flat = isFlat();
    CBlockProbe probe(*this, flat ? CELL_BLUE : CELL_GREEN);
    if (probe.emptySpace() || !probe.inGrid(x, flat ? 0 : y, z)) return 0;
    if (!probe.has(x, flat ? 0 : y, z)) return 0;  // the common case, before any allocation

    out.clear();
    std::vector<CBox> used;
    int anchorZ = z;
    for (;;) {
        int zLast = 0;
        const bool found = flat ? flatRule(probe, x, anchorZ, out, used, zLast)
                                : solidRule(probe, x, y, anchorZ, out, used, zLast);
        if (!found) return 0;
        // A single connector cell on the shared wall, just after the rule, chains the next one.
        const int yWall = flat ? 0 : y;
        if (!probe.has(x, yWall, zLast + 1)) break;
        used.emplace_back(x, yWall, zLast + 1, x, yWall, zLast + 1);
        anchorZ = zLast + 2;
    }
    for (const CBox& box : used) probe.consume(box);
    return 1;
}
