// Block frames, drawn the way the reader recognises them. Every block is kept as boxes of the
// outline colour (blue flat, green solid) from its low corner, plus the keyword icon that heads a
// declaration; nothing is allocated until a block is painted, so a request's sizes cost nothing.
#include "document/blockstamp.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "interpreter/keywordicons.h"
#include "space/cellcodes.h"

namespace {
bool sizeOk(const SBoxSize& s)
{
    auto ok = [](int v) { return v >= 1 && v <= STAMP_MAX_SIZE; };
    return ok(s.x) && ok(s.y) && ok(s.z);
}
}  // namespace

bool isDeclaration(EInsertBlock kind) { return int(kind) >= int(EInsertBlock::Palette); }

const char* insertBlockName(EInsertBlock kind)
{
    static const char* const names[INSERT_BLOCK_COUNT] = {
        "work area",            "rule",          "rule group",          "sequence",
        "palette declaration",  "variables declaration", "receive declaration", "own key declaration",
        "reply key declaration", "sub-program declaration"};
    return names[int(kind)];
}

CBlockStamp::CBlockStamp(const SBlockRequest& request) : m_name(insertBlockName(request.kind))
{
    SBlockRequest r = request;
    m_outline = r.flat ? CELL_BLUE : CELL_GREEN;
    if (r.flat) r.first.y = r.second.y = 1;
    if (r.kind == EInsertBlock::Rule) r.count = 1;
    const bool sizes = sizeOk(r.first) && sizeOk(r.second);
    if (!sizes || r.count < 0 || r.count > STAMP_MAX_COUNT) {
        m_reason = "Each size must be between 1 and 4096, and a count at most 256.";
        return;
    }
    if (r.flat && isDeclaration(r.kind)) {
        m_reason = "Declarations are windows, which are drawn only in a solid space.";
        return;
    }
    switch (r.kind) {
    case EInsertBlock::WorkArea: makeWorkArea(r); break;
    case EInsertBlock::Rule:
    case EInsertBlock::RuleGroup: makeRules(r, r.count); break;
    case EInsertBlock::Sequence: makeSequence(r); break;
    case EInsertBlock::Palette: makeWindow({{1, 1, 1}}, makePaletteIcon()); break;
    case EInsertBlock::Variables: makeWindow(std::vector<SBoxSize>(std::max(r.count, 1), r.first), makeTwoBlockIcon()); break;
    case EInsertBlock::Receive: makeWindow({r.first}, makeArrowCrossIcon()); break;
    case EInsertBlock::OwnKey: makeWindow({r.first, r.second}, makeDownArrowIcon()); break;
    case EInsertBlock::ReplyKey: makeWindow({r.first, r.second}, makeUpArrowIcon()); break;
    case EInsertBlock::SubProgram: {
        std::vector<SBoxSize> frames = {r.first};
        frames.insert(frames.end(), std::size_t(r.count) + 1, r.second);  // the rule frame, then the instances
        makeWindow(frames, makeThreeBlockIcon());
        break;
    }
    }
}

void CBlockStamp::fill(int x0, int y0, int z0, int x1, int y1, int z1)
{
    m_frame.emplace_back(x0, y0, z0, x1, y1, z1);
    m_sizeX = std::max(m_sizeX, x1 + 1);
    m_sizeY = std::max(m_sizeY, y1 + 1);
    m_sizeZ = std::max(m_sizeZ, z1 + 1);
}

// Flat: a rectangle with a dot diagonally outside each corner. Solid: a floor with a post at
// each front corner, the interior standing on the floor behind the posts.
void CBlockStamp::makeWorkArea(const SBlockRequest& r)
{
    const int w = r.first.x, h = r.first.y, d = r.first.z;
    if (r.flat) {
        for (int x : {0, w + 3})
            for (int z : {0, d + 3}) fill(x, 0, z, x, 0, z);
        fill(1, 0, 1, w + 2, 0, 1);
        fill(1, 0, d + 2, w + 2, 0, d + 2);
        fill(1, 0, 1, 1, 0, d + 2);
        fill(w + 2, 0, 1, w + 2, 0, d + 2);
        m_content = CCell(2, 0, 2, 0);
        return;
    }
    if (w < 3) {
        m_reason = "A solid work area is at least 3 cells wide.";
        return;
    }
    fill(0, 0, 0, w - 1, 0, d);
    fill(0, 1, 0, 0, h, 0);
    fill(w - 1, 1, 0, w - 1, h, 0);
    m_content = CCell(0, 1, 1, 0);
}

// Rules one below the other (flat) or one behind the other (solid), sharing the wall between the
// left and right boxes; a connector cell on that wall joins each rule to the next.
void CBlockStamp::makeRules(const SBlockRequest& r, int rules)
{
    if (rules < 1) {
        m_reason = "A rule group has at least one rule.";
        return;
    }
    const SBoxSize& left = r.first;
    const SBoxSize& right = r.second;
    int z0 = 0;
    if (r.flat) {
        const int x0 = left.x + 1, xR = x0 + right.x + 1;
        for (int i = 0; i < rules; i++) {
            const int zB = z0 + left.z + 1, zLast = z0 + std::max(left.z, right.z) + 1;
            fill(0, 0, z0, x0, 0, z0);
            fill(0, 0, zB, x0, 0, zB);
            fill(0, 0, z0, 0, 0, zB);
            fill(x0, 0, z0, x0, 0, zLast);
            fill(x0, 0, z0, xR, 0, z0);
            fill(x0, 0, z0 + right.z + 1, xR, 0, z0 + right.z + 1);
            fill(xR, 0, z0, xR, 0, z0 + right.z + 1);
            if (i + 1 < rules) fill(x0, 0, zLast + 1, x0, 0, zLast + 1);
            z0 = zLast + 2;
        }
        m_content = CCell(1, 0, 1, 0);
        return;
    }
    // The wall must not stand above the right box: the reader checks the cells above the box.
    if (right.y < left.y) {
        m_reason = "In a solid rule the right box is at least as high as the left box.";
        return;
    }
    const int x0 = left.x, xE = x0 + right.x;
    for (int i = 0; i < rules; i++) {
        const int zE = z0 + left.z, zR = z0 + right.z, zLast = std::max(zE, zR);
        fill(0, 0, z0, x0, left.y, z0);
        fill(0, 0, z0, x0, 0, zE);
        fill(x0, 0, z0, x0, left.y, zE);
        fill(x0 + 1, 0, z0, xE, right.y, z0);
        fill(x0 + 1, 0, z0, xE, 0, zR);
        if (i + 1 < rules) fill(x0, 0, zLast + 1, x0, 0, zLast + 1);
        z0 = zLast + 2;
    }
    m_content = CCell(0, 1, 1, 0);
}

// The variable's frame, a tail sticking out along the bottom edge, then the value frames.
void CBlockStamp::makeSequence(const SBlockRequest& r)
{
    const int q = r.count;
    const int w = r.first.x, h = r.first.y, d = r.first.z;
    if (r.flat) {
        const int hz = r.first.z, xR = w + 1, zB = hz + 1, t = xR + 2, xLast = t + q * (w + 1);
        fill(0, 0, 0, xR, 0, 0);
        fill(0, 0, zB, xR + 1, 0, zB);
        fill(0, 0, 0, 0, 0, zB);
        fill(xR, 0, 0, xR, 0, zB);
        if (q > 0) {
            fill(t, 0, 0, xLast, 0, 0);
            fill(t, 0, zB, xLast, 0, zB);
            for (int wall = t; wall <= xLast; wall += w + 1) fill(wall, 0, 0, wall, 0, zB);
        }
        m_content = CCell(1, 0, 1, 0);
        return;
    }
    for (int k = 0; k <= q; k++) {
        const int x = k == 0 ? 0 : w + 2 + (k - 1) * (w + 1);
        fill(x, 0, 0, x + w, h, 0);
        fill(x, 0, 0, x + w, 0, d);
        fill(x + w, 0, 0, x + w, h, d);
    }
    fill(w + 1, 0, 0, w + 1, 0, 0);  // the tail
    m_content = CCell(0, 1, 1, 0);
}

// A chain of frames, each a handle cell, a front face and a floor; the first holds the keyword.
void CBlockStamp::makeWindow(const std::vector<SBoxSize>& frames, const CSpace& icon)
{
    std::vector<SBoxSize> all = {{icon.getSizeX(), icon.getSizeY(), icon.getSizeZ()}};
    all.insert(all.end(), frames.begin(), frames.end());
    int a = 0;
    for (std::size_t i = 0; i < all.size(); i++) {
        const SBoxSize& f = all[i];
        fill(a, 0, 0, a, 0, 0);
        fill(a + 1, 0, 0, a + f.x, f.y, 0);
        fill(a + 1, 0, 0, a + f.x, 0, f.z);
        if (i == 0) m_icons.emplace_back(CCell(a + 1, 1, 1, 0), icon);
        if (i == 1) m_content = CCell(a + 1, 1, 1, 0);
        a += f.x + 1;
    }
}

void CBlockStamp::paint(CSpace& target, int x, int y, int z) const
{
    for (const CBox& b : m_frame)
        for (int k = b.z0; k <= b.z1; k++)
            for (int j = b.y0; j <= b.y1; j++)
                for (int i = b.x0; i <= b.x1; i++) target.set(x + i, y + j, z + k, m_outline);
    for (const auto& [corner, icon] : m_icons)
        for (int k = 0; k < icon.getSizeZ(); k++)
            for (int j = 0; j < icon.getSizeY(); j++)
                for (int i = 0; i < icon.getSizeX(); i++)
                    target.set(x + corner.x + i, y + corner.y + j, z + corner.z + k, icon.get(i, j, k));
}

std::string CBlockStamp::problemAt(const CSpace& space, int x, int y, int z) const
{
    if (!isValid()) return m_reason;
    // In 64 bits: a cursor far out and a large block must not wrap around into the space.
    auto fits = [](int at, int size, int limit) { return at >= 0 && std::int64_t(at) + size <= limit; };
    if (!fits(x, m_sizeX, space.getSizeX()) || !fits(y, m_sizeY, space.getSizeY()) ||
        !fits(z, m_sizeZ, space.getSizeZ())) {
        char text[300];
        std::snprintf(text, sizeof text,
                      "The %s takes %d × %d × %d cells; from the cursor (%d, %d, %d) it does not fit in the space.",
                      m_name.c_str(), m_sizeX, m_sizeY, m_sizeZ, x, y, z);
        return text;
    }
    for (int k = z; k < z + m_sizeZ; k++)
        for (int j = y; j < y + m_sizeY; j++)
            for (int i = x; i < x + m_sizeX; i++)
                if (space.get(i, j, k) != CELL_EMPTY) {
                    char text[300];
                    std::snprintf(text, sizeof text, "The cell (%d, %d, %d) where the %s goes is not empty.", i, j, k,
                                  m_name.c_str());
                    return text;
                }
    const char* colour = m_outline == CELL_BLUE ? "blue" : "green";
    for (int k = z - 1; k <= z + m_sizeZ; k++)
        for (int j = y - 1; j <= y + m_sizeY; j++)
            for (int i = x - 1; i <= x + m_sizeX; i++)
                if (space.get(i, j, k) == m_outline) {
                    char text[300];
                    std::snprintf(text, sizeof text,
                                  "The %s cell (%d, %d, %d) touches where the %s goes; the reader would take it for "
                                  "part of the frame.",
                                  colour, i, j, k, m_name.c_str());
                    return text;
                }
    return {};
}
