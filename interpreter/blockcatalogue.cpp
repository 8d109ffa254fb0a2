// Block catalogue: the Separate scan's recognisers run over a copy of the space; each success is
// listed with the bounding box of the cells its recogniser consumed.
#include "interpreter/blockcatalogue.h"

#include <algorithm>
#include <cstdio>

#include "interpreter/keywordicons.h"
#include "interpreter/patternspace.h"
#include "interpreter/spacepairlist.h"
#include "interpreter/window.h"
#include "space/spacelist.h"

namespace {
CBox shifted(const CBox& b, int dx, int dy, int dz)
{
    return CBox(b.x0 + dx, b.y0 + dy, b.z0 + dz, b.x1 + dx, b.y1 + dy, b.z1 + dz);
}

struct Keywords {
    CPatternSpace declarations[5] = {makePaletteIcon(), makeTwoBlockIcon(), makeArrowCrossIcon(),
                                     makeDownArrowIcon(), makeUpArrowIcon()};
    CPatternSpace subProgram = makeThreeBlockIcon();
};

CBlockKind windowKind(const CWindow& window, const Keywords& keywords)
{
    // The first frame read is the last pushed: the list's tail.
    const CPlacedSpace* first = nullptr;
    window.forEach([&](const CPlacedSpace& frame) { first = &frame; });
    if (!first) return CBlockKind::Window;
    if (first->isEqual(keywords.subProgram)) return CBlockKind::SubProgram;
    for (const CPatternSpace& icon : keywords.declarations)
        if (first->isEqual(icon)) return CBlockKind::Declaration;
    return CBlockKind::Window;
}

std::vector<CRuleSides> sidesOf(const CSpacePairList& group)
{
    std::vector<CRuleSides> rules;
    // The group holds its last rule at the head.
    group.forEach([&](const CSpacePair& p) {
        rules.push_back({p.first.getSizeX(), p.first.getSizeY(), p.first.getSizeZ(), p.second.getSizeX(),
                         p.second.getSizeY(), p.second.getSizeZ()});
    });
    std::reverse(rules.begin(), rules.end());
    return rules;
}

void scan(const CSpace& contents, int dx, int dy, int dz, const Keywords& keywords, std::vector<CBlockEntry>& out);

void listWindow(const CWindow& found, const CBox& box, int dx, int dy, int dz, const Keywords& keywords,
                std::vector<CBlockEntry>& out)
{
    CWindow window(found);
    CBlockEntry entry;
    entry.box = shifted(box, dx, dy, dz);
    entry.kind = windowKind(window, keywords);
    out.push_back(entry);
    if (entry.kind != CBlockKind::SubProgram) return;
    CPlacedSpace first;
    window.popBack(first);  // the keyword

    // Frames after the name: the rule frame, then one instance frame each. A frame's contents
    // lie one cell inside its outline, which shares its side walls with the next frame's handle.
    std::vector<CPlacedSpace> frames;
    CPlacedSpace frame;
    window.popBack(frame);  // the name
    while (window.popBack(frame)) frames.push_back(frame);
    for (std::size_t i = 1; i < frames.size(); i++) {
        const CPlacedSpace& f = frames[i];
        CBlockEntry instance;
        instance.kind = CBlockKind::InstanceFrame;
        instance.box = shifted(CBox(f.x - 1, f.y - 1, f.z - 1, f.x + f.getSizeX(), f.y + f.getSizeY() - 1,
                                    f.z + f.getSizeZ() - 1),
                               dx, dy, dz);
        out.push_back(instance);
    }
    for (const CPlacedSpace& f : frames) scan(f, f.x + dx, f.y + dy, f.z + dz, keywords, out);
}

void scan(const CSpace& contents, int dx, int dy, int dz, const Keywords& keywords, std::vector<CBlockEntry>& out)
{
    CPatternSpace copy(contents);
    CSpaceList sequence;
    CSpacePairList group;
    CSpace interior;
    CWindow window;
    for (int z = 0; z < copy.getSizeZ(); z++)
        for (int x = 0; x < copy.getSizeX(); x++)
            for (int y = copy.getSizeY() - 1; y >= 0; y--) {
                copy.resetConsumed();
                CBlockEntry entry;
                // Failed recognisers may leave part of a block in their outputs.
                if (!sequence.isEmpty()) sequence.clear();
                if (!group.isEmpty()) group.clear();
                if (copy.findSequence(x, y, z, sequence)) {
                    entry.kind = CBlockKind::Sequence;
                } else if (copy.findRuleGroup(x, y, z, group)) {
                    entry.kind = CBlockKind::RuleGroup;
                    entry.rules = sidesOf(group);
                } else if (copy.findWorkArea(x, y, z, interior)) {
                    entry.kind = CBlockKind::WorkArea;
                } else if (copy.findWindow(x, y, z, window)) {
                    listWindow(window, copy.consumedBox, dx, dy, dz, keywords, out);
                    continue;
                } else {
                    continue;
                }
                entry.box = shifted(copy.consumedBox, dx, dy, dz);
                out.push_back(entry);
            }
}

const Keywords& keywords()
{
    static const Keywords icons;
    return icons;
}
}  // namespace

CBlockKind windowKind(const CWindow& window)
{
    return windowKind(window, keywords());
}

std::vector<CBlockEntry> catalogueBlocks(const CSpace& space)
{
    std::vector<CBlockEntry> out;
    scan(space, 0, 0, 0, keywords(), out);
    return out;
}

const char* blockKindName(CBlockKind kind)
{
    switch (kind) {
    case CBlockKind::WorkArea: return "work-area";
    case CBlockKind::RuleGroup: return "rule-group";
    case CBlockKind::Sequence: return "sequence";
    case CBlockKind::Declaration: return "declaration";
    case CBlockKind::SubProgram: return "sub-program";
    case CBlockKind::InstanceFrame: return "instance-frame";
    case CBlockKind::Window: return "window";
    }
    return "?";
}

std::string describeBlock(const CBlockEntry& block)
{
    char text[96];
    const CBox& b = block.box;
    std::snprintf(text, sizeof text, "%s (%d,%d,%d)-(%d,%d,%d)", blockKindName(block.kind), b.x0, b.y0, b.z0, b.x1,
                  b.y1, b.z1);
    std::string line = text;
    for (const CRuleSides& r : block.rules) {
        std::snprintf(text, sizeof text, " rule %dx%dx%d->%dx%dx%d", r.leftX, r.leftY, r.leftZ, r.rightX, r.rightY,
                      r.rightZ);
        line += text;
    }
    return line;
}
