// Reading a block with the names of its parts: the recognisers' outputs turned back into the
// boxes of the drawing (a rule's left and right box, a work area's dots, a window's frames).
#include "interpreter/blockparts.h"

#include <algorithm>

#include "space/cellcodes.h"

namespace {

std::string numbered(const char* name, std::size_t i, std::size_t count)
{
    return count > 1 ? std::string(name) + " of rule " + std::to_string(i + 1) : std::string(name);
}

void ruleGroupParts(const CSpacePairList& group, int x, int y, int z, bool flat, std::vector<CBlockPart>& parts)
{
    std::vector<const CSpacePair*> rules;
    group.forEach([&](const CSpacePair& p) { rules.push_back(&p); });
    std::reverse(rules.begin(), rules.end());  // the first rule of the chain was pushed first
    int az = z;
    for (std::size_t i = 0; i < rules.size(); i++) {
        const CSpace& l = rules[i]->first;
        const CSpace& r = rules[i]->second;
        const bool right = r.getSizeX() > 0;
        int next;
        if (flat) {
            parts.push_back({numbered("left box", i, rules.size()),
                             CBox(x - l.getSizeX() - 1, 0, az, x, 0, az + l.getSizeZ() + 1)});
            if (right)
                parts.push_back({numbered("right box", i, rules.size()),
                                 CBox(x, 0, az, x + r.getSizeX() + 1, 0, az + r.getSizeZ() + 1)});
            next = az + std::max(l.getSizeZ(), r.getSizeZ()) + 2;
        } else {
            parts.push_back({numbered("left box", i, rules.size()),
                             CBox(x - l.getSizeX(), y, az, x, y + l.getSizeY(), az + l.getSizeZ())});
            if (right)
                parts.push_back({numbered("right box", i, rules.size()),
                                 CBox(x, y, az, x + r.getSizeX(), y + r.getSizeY(), az + r.getSizeZ())});
            next = az + std::max(l.getSizeZ(), r.getSizeZ()) + 1;
        }
        if (i + 1 < rules.size())
            parts.push_back({"connector after rule " + std::to_string(i + 1), CBox(x, y, next, x, y, next)});
        az = next + 1;
    }
}

void workAreaParts(const CBox& b, bool flat, std::vector<CBlockPart>& parts)
{
    if (flat) {
        parts.push_back({"top left dot", CBox(b.x0, 0, b.z0, b.x0, 0, b.z0)});
        parts.push_back({"top right dot", CBox(b.x1, 0, b.z0, b.x1, 0, b.z0)});
        parts.push_back({"bottom left dot", CBox(b.x0, 0, b.z1, b.x0, 0, b.z1)});
        parts.push_back({"bottom right dot", CBox(b.x1, 0, b.z1, b.x1, 0, b.z1)});
        parts.push_back({"rectangle", CBox(b.x0 + 1, 0, b.z0 + 1, b.x1 - 1, 0, b.z1 - 1)});
        return;
    }
    parts.push_back({"left post", CBox(b.x0, b.y0, b.z0, b.x0, b.y1, b.z0)});
    parts.push_back({"right post", CBox(b.x1, b.y0, b.z0, b.x1, b.y1, b.z0)});
    parts.push_back({"floor", CBox(b.x0, b.y0, b.z0, b.x1, b.y0, b.z1)});
}

std::string frameName(CBlockKind kind, std::size_t i)
{
    if (i == 0) return kind == CBlockKind::Window ? "first frame" : "keyword frame";
    if (kind == CBlockKind::SubProgram) {
        if (i == 1) return "name frame";
        if (i == 2) return "rule frame";
        return "instance frame " + std::to_string(i - 2);
    }
    return "frame " + std::to_string(i + 1);
}

void windowParts(const CWindow& window, CBlockKind kind, CBlockRead& read)
{
    window.forEach([&](const CPlacedSpace& f) { read.frames.push_back(f); });
    std::reverse(read.frames.begin(), read.frames.end());
    for (std::size_t i = 0; i < read.frames.size(); i++) {
        const CPlacedSpace& f = read.frames[i];
        const std::string name = frameName(kind, i);
        read.parts.push_back({"handle of the " + name, CBox(f.x - 1, f.y - 1, f.z - 1, f.x - 1, f.y - 1, f.z - 1)});
        read.parts.push_back({name, CBox(f.x, f.y - 1, f.z - 1, f.x + f.getSizeX() - 1, f.y + f.getSizeY() - 1,
                                         f.z + f.getSizeZ() - 1)});
    }
}

}  // namespace

bool CBlockPartsReader::readAt(CPatternSpace& s, int x, int y, int z, CBlockRead& read)
{
    const bool flat = s.isFlat();
    const int outline = flat ? CELL_BLUE : CELL_GREEN;
    s.resetConsumed();
    if (!sequence.isEmpty()) sequence.clear();
    if (s.findSequence(x, y, z, sequence)) {
        read.kind = CBlockKind::Sequence;
        read.parts.push_back({"strip", s.consumedBox});
        sequence.forEach([&](const CSpace& f) { read.outlineInside += f.countValue(outline); });
    } else if (s.findRuleGroup(x, y, z, group)) {
        read.kind = CBlockKind::RuleGroup;
        ruleGroupParts(group, x, y, z, flat, read.parts);
        group.forEach([&](const CSpacePair& r) {
            read.outlineInside += r.first.countValue(outline) + r.second.countValue(outline);
        });
    } else if (s.findWorkArea(x, y, z, interior)) {
        read.kind = CBlockKind::WorkArea;
        workAreaParts(s.consumedBox, flat, read.parts);
        read.outlineInside = interior.countValue(outline);
    } else if (s.findWindow(x, y, z, window)) {
        read.kind = windowKind(window);
        windowParts(window, read.kind, read);
        for (const CPlacedSpace& f : read.frames) read.outlineInside += f.countValue(outline);
    } else {
        return false;
    }
    read.box = s.consumedBox;
    return true;
}
