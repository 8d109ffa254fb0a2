// Near-miss sentences: where a cell lies on a part of a block (a corner, an edge, a face) or beside
// it, and what it should hold.
#include "interpreter/nearmissreason.h"

#include <algorithm>
#include <cstdio>

#include "space/cellcodes.h"

namespace {
std::string at(int x, int y, int z)
{
    char text[48];
    std::snprintf(text, sizeof text, "(%d,%d,%d)", x, y, z);
    return text;
}

bool holds(const CBox& b, int x, int y, int z)
{
    return x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1 && z >= b.z0 && z <= b.z1;
}

bool touches(const CBox& b, int x, int y, int z)
{
    return x >= b.x0 - 1 && x <= b.x1 + 1 && y >= b.y0 - 1 && y <= b.y1 + 1 && z >= b.z0 - 1 && z <= b.z1 + 1;
}

std::string joined(const std::vector<const char*>& words, const char* glue)
{
    std::string text;
    for (const char* w : words) {
        if (!text.empty()) text += glue;
        text += w;
    }
    return text;
}

// Where on the outline of `b` the cell lies: "top left corner", "left wall" (flat, the x-z plane
// seen from above: small z is the top), "front bottom edge", "left face" (solid).
std::string placeOn(const CBox& b, int x, int y, int z, bool flat)
{
    std::vector<const char*> words;
    if (flat) {
        if (z == b.z0) words.push_back("top");
        if (z == b.z1) words.push_back("bottom");
        if (x == b.x0) words.push_back("left");
        if (x == b.x1) words.push_back("right");
        if (words.size() >= 2) return std::string(words[0]) + " " + words[1] + " corner";
        if (words.empty()) return "inside";
        return std::string(words[0]) + (z == b.z0 || z == b.z1 ? " edge" : " wall");
    }
    // An axis the part is one cell thick along names no side: a floor has a front edge, a post a
    // top end.
    const int thin = (b.x0 == b.x1) + (b.y0 == b.y1) + (b.z0 == b.z1);
    if (b.z0 != b.z1 && z == b.z0) words.push_back("front");
    if (b.z0 != b.z1 && z == b.z1) words.push_back("back");
    if (b.y0 != b.y1 && y == b.y0) words.push_back("bottom");
    if (b.y0 != b.y1 && y == b.y1) words.push_back("top");
    if (b.x0 != b.x1 && x == b.x0) words.push_back("left");
    if (b.x0 != b.x1 && x == b.x1) words.push_back("right");
    if (words.empty()) return thin ? "cell" : "inside";
    static const char* const shapes[3][3] = {
        {" face", " edge", " corner"}, {" edge", " corner", " corner"}, {" end", " end", " end"}};
    return joined(words, " ") + shapes[std::min(thin, 2)][std::min<std::size_t>(words.size(), 3) - 1];
}

// Which way the cell lies outside `b`: "below", "left of", "behind and above", ...
std::string sideOf(const CBox& b, int x, int y, int z, bool flat)
{
    std::vector<const char*> words;
    if (z < b.z0) words.push_back(flat ? "above" : "in front of");
    if (z > b.z1) words.push_back(flat ? "below" : "behind");
    if (!flat && y < b.y0) words.push_back("below");
    if (!flat && y > b.y1) words.push_back("above");
    if (x < b.x0) words.push_back("left of");
    if (x > b.x1) words.push_back("right of");
    return joined(words, " and ");
}
}  // namespace

const char* nearMissKindTitle(CBlockKind kind)
{
    switch (kind) {
    case CBlockKind::WorkArea: return "Work area";
    case CBlockKind::RuleGroup: return "Rule group";
    case CBlockKind::Sequence: return "Sequence";
    case CBlockKind::Declaration: return "Declaration window";
    case CBlockKind::SubProgram: return "Sub-program window";
    case CBlockKind::InstanceFrame: return "Instance frame";
    case CBlockKind::Window: return "Window";
    }
    return "Block";
}

std::string cellValueName(int value)
{
    switch (value) {
    case CELL_EMPTY: return "empty";
    case CELL_ANY: return "any";
    case CELL_OUTSIDE: return "outside";
    case CELL_WHITE: return "white";
    case CELL_BLACK: return "black";
    case CELL_BLUE: return "blue";
    case CELL_RED: return "red";
    case CELL_GREEN: return "green";
    case CELL_PURPLE: return "purple";
    case CELL_PALE: return "pale";
    case CELL_YELLOW: return "yellow";
    }
    return "the value " + std::to_string(value);
}

std::string nearMissReason(CBlockKind kind, const CBox& box, const std::vector<CBlockPart>& parts, bool flat,
                           const CCell& cell, int wanted, int outline)
{
    const int x = cell.x, y = cell.y, z = cell.z;
    std::string text = std::string(nearMissKindTitle(kind)) + " at " + at(box.x0, box.y0, box.z0) + ": ";
    const CBlockPart* on = nullptr;
    const CBlockPart* beside = nullptr;
    for (const CBlockPart& p : parts) {
        if (!on && holds(p.box, x, y, z)) on = &p;
        if (!beside && touches(p.box, x, y, z)) beside = &p;
    }
    const bool single = on && on->box.x0 == on->box.x1 && on->box.y0 == on->box.y1 && on->box.z0 == on->box.z1;
    if (single) {
        text += "the " + on->name + " " + at(x, y, z);
    } else if (on) {
        const std::string place = placeOn(on->box, x, y, z, flat);
        if (place == "inside")
            text += "the cell " + at(x, y, z) + " inside the " + on->name;
        else if (place == "cell")
            text += "the cell " + at(x, y, z) + " of the " + on->name;
        else
            text += "the " + place + " " + at(x, y, z) + " of the " + on->name;
    } else if (beside) {
        text += "the cell " + at(x, y, z) + " " + sideOf(beside->box, x, y, z, flat) + " the " + beside->name;
    } else {
        text += "the cell " + at(x, y, z);
    }
    if (wanted == outline) return text + " should be " + cellValueName(outline) + "; it is " + cellValueName(cell.value);
    return text + " should not be " + cellValueName(outline) + "; it is one cell too many";
}
