// Drawing of valid program blocks; each function mirrors the shape its recogniser reads.
#include "support/blockbuilder.h"

#include <algorithm>
#include <stdexcept>

#include "space/cellcodes.h"

namespace {

void fillBox(CSpace& s, const CBox& b, int value)
{
    for (int z = b.z0; z <= b.z1; z++)
        for (int y = b.y0; y <= b.y1; y++)
            for (int x = b.x0; x <= b.x1; x++) s.set(x, y, z, value);
}

void writeContents(CSpace& s, int x, int y, int z, const CSpace& c)
{
    for (int k = 0; k < c.getSizeZ(); k++)
        for (int j = 0; j < c.getSizeY(); j++)
            for (int i = 0; i < c.getSizeX(); i++) s.set(x + i, y + j, z + k, c.get(i, j, k));
}

bool hasSize(const CSpace& s)
{
    return s.getSizeX() > 0;
}

void require(bool ok, const char* what)
{
    if (!ok) throw std::invalid_argument(what);
}

void requireFlat(const CSpace& c, const char* what)
{
    require(hasSize(c) && c.getSizeY() == 1, what);
}

// Refuses a block that would stick out of the target, before anything is drawn.
void requireInside(const CSpace& s, const DrawnBlock& block)
{
    for (const CBox& b : block.extent)
        if (b.x0 < 0 || b.y0 < 0 || b.z0 < 0 || b.x1 >= s.getSizeX() || b.y1 >= s.getSizeY() ||
            b.z1 >= s.getSizeZ())
            throw std::out_of_range("block does not fit into the space");
}

CBox cellBox(int x, int y, int z)
{
    return CBox(x, y, z, x, y, z);
}

}  // namespace

bool DrawnBlock::covers(int x, int y, int z) const
{
    return std::any_of(extent.begin(), extent.end(), [&](const CBox& b) {
        return x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1 && z >= b.z0 && z <= b.z1;
    });
}

CBox DrawnBlock::bounds() const
{
    CBox box = extent.front();
    for (const CBox& e : extent) {
        box.x0 = std::min(box.x0, e.x0), box.y0 = std::min(box.y0, e.y0), box.z0 = std::min(box.z0, e.z0);
        box.x1 = std::max(box.x1, e.x1), box.y1 = std::max(box.y1, e.y1), box.z1 = std::max(box.z1, e.z1);
    }
    return box;
}

CSpace blinkingProgram()
{
    CSpace space(40, 1, 20, 0);
    CSpace red(1, 1, 1, 103), green(1, 1, 1, 104);
    drawFlatRuleGroup(space, 1, 1, {{red, green}});
    drawFlatRuleGroup(space, 1, 8, {{green, red}});
    drawFlatWorkArea(space, 20, 2, CSpace(3, 1, 3, 103));
    return space;
}

DrawnBlock drawFlatWorkArea(CSpace& target, int x, int z, const CSpace& interior)
{
    requireFlat(interior, "flat work area interior must be w x 1 x d");
    const int xR = x + interior.getSizeX() + 2, zB = z + interior.getSizeZ() + 2;
    DrawnBlock block;
    block.scan = CCell(x + 2, 0, z + 2, 0);
    block.extent = {CBox(x, 0, z, xR + 1, 0, zB + 1)};
    block.contents = {CCell(x + 2, 0, z + 2, 0)};
    requireInside(target, block);

    for (const CCell& dot :
         {CCell(x, 0, z, 0), CCell(xR + 1, 0, z, 0), CCell(x, 0, zB + 1, 0), CCell(xR + 1, 0, zB + 1, 0)})
        target.set(dot.x, 0, dot.z, CELL_BLUE);
    fillBox(target, CBox(x + 1, 0, z + 1, xR, 0, z + 1), CELL_BLUE);
    fillBox(target, CBox(x + 1, 0, zB, xR, 0, zB), CELL_BLUE);
    fillBox(target, CBox(x + 1, 0, z + 1, x + 1, 0, zB), CELL_BLUE);
    fillBox(target, CBox(xR, 0, z + 1, xR, 0, zB), CELL_BLUE);
    writeContents(target, x + 2, 0, z + 2, interior);
    return block;
}

DrawnBlock drawSolidWorkArea(CSpace& target, int x, int y, int z, const CSpace& interior)
{
    require(interior.getSizeX() >= 3, "solid work area interior must be at least 3 wide");
    const int xE = x + interior.getSizeX() - 1, yT = y + interior.getSizeY(), zE = z + interior.getSizeZ();
    DrawnBlock block;
    block.scan = CCell(x, y + 1, z + 1, 0);
    block.extent = {CBox(x, y, z, xE, y, zE), CBox(x, y, z, x, yT, z), CBox(xE, y, z, xE, yT, z),
                    CBox(x, y + 1, z + 1, xE, yT, zE)};
    block.contents = {CCell(x, y + 1, z + 1, 0)};
    requireInside(target, block);

    for (int i = 0; i < 3; i++) fillBox(target, block.extent[i], CELL_GREEN);  // floor and posts
    writeContents(target, x, y + 1, z + 1, interior);
    return block;
}

DrawnBlock drawFlatRuleGroup(CSpace& target, int x, int z, const std::vector<RuleSides>& rules)
{
    require(!rules.empty(), "a rule group needs a rule");
    int widest = 0;
    for (const RuleSides& r : rules) {
        requireFlat(r.left, "flat left side must be w x 1 x h");
        require(!hasSize(r.right) || r.right.getSizeY() == 1, "flat right side must be m x 1 x n");
        widest = std::max(widest, r.left.getSizeX());
    }
    const int x0 = x + widest + 1;  // the shared wall
    DrawnBlock block;
    block.scan = CCell(x0, 0, z, 0);
    std::vector<CBox> blue;
    int z0 = z;
    for (size_t i = 0; i < rules.size(); i++) {
        const CSpace& left = rules[i].left;
        const CSpace& right = rules[i].right;
        const int xL = x0 - left.getSizeX() - 1, zB = z0 + left.getSizeZ() + 1;
        const int m = right.getSizeX(), n = right.getSizeZ();
        const int zLast = z0 + std::max(left.getSizeZ(), n) + 1;
        blue.insert(blue.end(), {CBox(xL, 0, z0, x0, 0, z0), CBox(xL, 0, zB, x0, 0, zB),
                                 CBox(xL, 0, z0, xL, 0, zB), CBox(x0, 0, z0, x0, 0, zLast)});
        block.extent.emplace_back(xL, 0, z0, x0, 0, zLast);
        block.contents.emplace_back(xL + 1, 0, z0 + 1, 0);
        if (hasSize(right)) {
            const int xR = x0 + m + 1;
            blue.insert(blue.end(), {CBox(x0, 0, z0, xR, 0, z0), CBox(x0, 0, z0 + n + 1, xR, 0, z0 + n + 1),
                                     CBox(xR, 0, z0, xR, 0, z0 + n + 1)});
            block.extent.emplace_back(x0 + 1, 0, z0, xR, 0, zLast);
            block.contents.emplace_back(x0 + 1, 0, z0 + 1, 0);
        }
        if (i + 1 < rules.size()) {
            blue.push_back(cellBox(x0, 0, zLast + 1));  // connector to the next rule
            block.extent.push_back(blue.back());
        }
        z0 = zLast + 2;
    }
    requireInside(target, block);

    for (const CBox& b : blue) fillBox(target, b, CELL_BLUE);
    auto corner = block.contents.begin();
    for (const RuleSides& r : rules) {
        writeContents(target, corner->x, 0, corner->z, r.left);
        ++corner;
        if (hasSize(r.right)) {
            writeContents(target, corner->x, 0, corner->z, r.right);
            ++corner;
        }
    }
    return block;
}

DrawnBlock drawSolidRuleGroup(CSpace& target, int x, int y, int z, const std::vector<RuleSides>& rules)
{
    require(!rules.empty(), "a rule group needs a rule");
    int widest = 0;
    for (const RuleSides& r : rules) {
        require(hasSize(r.left), "solid left side must not be empty");
        require(!hasSize(r.right) || r.right.getSizeY() >= r.left.getSizeY(),
                "solid right side must be at least as high as its left side");
        widest = std::max(widest, r.left.getSizeX());
    }
    const int x0 = x + widest, y0 = y;  // the shared wall's front bottom cell
    DrawnBlock block;
    block.scan = CCell(x0, y0, z, 0);
    std::vector<CBox> green;
    int z0 = z;
    for (size_t i = 0; i < rules.size(); i++) {
        const CSpace& left = rules[i].left;
        const CSpace& right = rules[i].right;
        const int xL = x0 - left.getSizeX(), yT = y0 + left.getSizeY(), zE = z0 + left.getSizeZ();
        green.insert(green.end(), {CBox(xL, y0, z0, x0, yT, z0), CBox(xL, y0, z0, x0, y0, zE),
                                   CBox(x0, y0, z0, x0, yT, zE)});
        block.extent.emplace_back(xL, y0, z0, x0, yT, zE);
        block.contents.emplace_back(xL, y0 + 1, z0 + 1, 0);
        int zLast = zE;
        if (hasSize(right)) {
            const int xE = x0 + right.getSizeX(), yR = y0 + right.getSizeY(), zR = z0 + right.getSizeZ();
            green.insert(green.end(), {CBox(x0 + 1, y0, z0, xE, yR, z0), CBox(x0 + 1, y0, z0, xE, y0, zR)});
            block.extent.emplace_back(x0, y0, z0, xE, yR, zR);
            block.contents.emplace_back(x0 + 1, y0 + 1, z0 + 1, 0);
            zLast = std::max(zLast, zR);
        }
        if (i + 1 < rules.size()) {
            green.push_back(cellBox(x0, y0, zLast + 1));
            block.extent.push_back(green.back());
        }
        z0 = zLast + 2;
    }
    requireInside(target, block);

    for (const CBox& b : green) fillBox(target, b, CELL_GREEN);
    auto corner = block.contents.begin();
    for (const RuleSides& r : rules) {
        writeContents(target, corner->x, corner->y, corner->z, r.left);
        ++corner;
        if (hasSize(r.right)) {
            writeContents(target, corner->x, corner->y, corner->z, r.right);
            ++corner;
        }
    }
    return block;
}

DrawnBlock drawFlatSequence(CSpace& target, int x, int z, const CSpace& variable,
                            const std::vector<CSpace>& values)
{
    requireFlat(variable, "flat variable must be w x 1 x h");
    for (const CSpace& v : values)
        require(
            v.getSizeX() == variable.getSizeX() && v.getSizeY() == 1 && v.getSizeZ() == variable.getSizeZ(),
            "values must have the variable's size");
    const int w = variable.getSizeX();
    const int xR = x + w + 1, zB = z + variable.getSizeZ() + 1, t = xR + 2;
    const int q = int(values.size());
    const int xLast = t + q * (w + 1);  // the strip's right wall
    DrawnBlock block;
    block.scan = CCell(x, 0, z, 0);
    if (q > 0)
        block.extent = {CBox(x, 0, z, xLast, 0, zB)};
    else
        block.extent = {CBox(x, 0, z, xR, 0, zB), cellBox(xR + 1, 0, zB)};
    block.contents.emplace_back(x + 1, 0, z + 1, 0);
    for (int k = 0; k < q; k++) block.contents.emplace_back(t + 1 + k * (w + 1), 0, z + 1, 0);
    requireInside(target, block);

    fillBox(target, CBox(x, 0, z, xR, 0, z), CELL_BLUE);
    fillBox(target, CBox(x, 0, zB, xR + 1, 0, zB), CELL_BLUE);  // bottom row with the tail
    fillBox(target, CBox(x, 0, z, x, 0, zB), CELL_BLUE);
    fillBox(target, CBox(xR, 0, z, xR, 0, zB), CELL_BLUE);
    if (q > 0) {
        fillBox(target, CBox(t, 0, z, xLast, 0, z), CELL_BLUE);
        fillBox(target, CBox(t, 0, zB, xLast, 0, zB), CELL_BLUE);
        for (int wall = t; wall <= xLast; wall += w + 1)
            fillBox(target, CBox(wall, 0, z, wall, 0, zB), CELL_BLUE);
    }
    writeContents(target, x + 1, 0, z + 1, variable);
    for (int k = 0; k < q; k++) writeContents(target, block.contents[k + 1].x, 0, z + 1, values[k]);
    return block;
}

DrawnBlock drawSolidSequence(CSpace& target, int x, int y, int z, const CSpace& variable,
                             const std::vector<CSpace>& values)
{
    require(hasSize(variable), "solid variable must not be empty");
    for (const CSpace& v : values)
        require(v.getSizeX() == variable.getSizeX() && v.getSizeY() == variable.getSizeY() &&
                    v.getSizeZ() == variable.getSizeZ(),
                "values must have the variable's size");
    const int w = variable.getSizeX(), yT = y + variable.getSizeY(), zE = z + variable.getSizeZ();
    const int t = x + w + 2;  // the first value frame, right after the tail
    const int q = int(values.size());
    DrawnBlock block;
    block.scan = CCell(x, y, z, 0);
    if (q > 0)
        block.extent = {CBox(x, y, z, t + q * (w + 1) - 1, yT, zE)};
    else
        block.extent = {CBox(x, y, z, x + w, yT, zE), cellBox(x + w + 1, y, z)};
    block.contents.emplace_back(x, y + 1, z + 1, 0);
    for (int k = 0; k < q; k++) block.contents.emplace_back(t + k * (w + 1), y + 1, z + 1, 0);
    requireInside(target, block);

    // Every frame is a front face, a bottom face and a right wall; the tail joins the first frame
    // to the strip along the front bottom edge.
    for (const CCell& c : block.contents) {
        const int xRight = c.x + w;
        fillBox(target, CBox(c.x, y, z, xRight, yT, z), CELL_GREEN);
        fillBox(target, CBox(c.x, y, z, xRight, y, zE), CELL_GREEN);
        fillBox(target, CBox(xRight, y, z, xRight, yT, zE), CELL_GREEN);
    }
    target.set(x + w + 1, y, z, CELL_GREEN);
    writeContents(target, x, y + 1, z + 1, variable);
    for (int k = 0; k < q; k++) writeContents(target, block.contents[k + 1].x, y + 1, z + 1, values[k]);
    return block;
}

DrawnBlock drawWindow(CSpace& target, int x, int y, int z, const std::vector<CSpace>& frames)
{
    require(!frames.empty(), "a window needs a frame");
    DrawnBlock block;
    block.scan = CCell(x, y, z, 0);
    int a = x;
    for (const CSpace& f : frames) {
        require(hasSize(f), "a frame's contents must not be empty");
        const int xE = a + f.getSizeX();
        block.extent.push_back(cellBox(a, y, z));
        block.extent.emplace_back(a + 1, y, z, xE, y + f.getSizeY(), z + f.getSizeZ());
        block.contents.emplace_back(a + 1, y + 1, z + 1, 0);
        a = xE + 1;
    }
    block.anchor = CCell(a, y, z, 0);
    requireInside(target, block);

    for (size_t i = 0; i < frames.size(); i++) {
        const CSpace& f = frames[i];
        const CCell& c = block.contents[i];
        const int xE = c.x + f.getSizeX() - 1;
        target.set(c.x - 1, y, z, CELL_GREEN);  // the handle
        fillBox(target, CBox(c.x, y, z, xE, y + f.getSizeY(), z), CELL_GREEN);
        fillBox(target, CBox(c.x, y, z, xE, y, z + f.getSizeZ()), CELL_GREEN);
        writeContents(target, c.x, c.y, c.z, f);
    }
    return block;
}

CSpace patternedContents(int w, int h, int d, int seed)
{
    static const int palette[] = {CELL_EMPTY,  CELL_WHITE, CELL_BLACK, CELL_RED,
                                  CELL_PURPLE, CELL_PALE,  CELL_YELLOW};
    CSpace s(w, h, d, 0);
    for (int k = 0; k < d; k++)
        for (int j = 0; j < h; j++)
            for (int i = 0; i < w; i++) s.set(i, j, k, palette[(i + 2 * j + 3 * k + seed) % 7]);
    return s;
}
