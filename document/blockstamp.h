// CBlockStamp: the frame of a program block the Insert menu places (work area, rule, rule group,
// sequence, or a declaration window with its keyword icon), flat or solid, as the reader expects
// to see it; where its first content cell lies; and whether it can go at a place of a space.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "space/box.h"
#include "space/cell.h"
#include "space/space.h"

enum class EInsertBlock { WorkArea, Rule, RuleGroup, Sequence, Palette, Variables, Receive, OwnKey, ReplyKey, SubProgram };
constexpr int INSERT_BLOCK_COUNT = 10;

struct SBoxSize {
    int x = 1, y = 1, z = 1;
};

// What to place. `first` is the work area's interior, a rule's left box, a sequence's frame, a
// variable, the expected message, a key's icon or a sub-program's name; `second` a rule's right
// box, the frame whose cell count is a key's value, or a sub-program's rule frame (and the size
// of each instance frame); `count` the rules of a group, the values of a sequence, the variables,
// or the instance frames. In a flat space every height is 1.
struct SBlockRequest {
    EInsertBlock kind = EInsertBlock::WorkArea;
    bool flat = false;
    SBoxSize first;
    SBoxSize second;
    int count = 1;
};

// The largest size and count a request may ask for; it keeps every coordinate far from overflow.
constexpr int STAMP_MAX_SIZE = 4096;
constexpr int STAMP_MAX_COUNT = 256;

// Declarations are windows, which exist only in solid spaces.
bool isDeclaration(EInsertBlock kind);
// "work area", "rule", ..., "sub-program declaration"
const char* insertBlockName(EInsertBlock kind);

class CBlockStamp {
public:
    explicit CBlockStamp(const SBlockRequest& request);

    // False, with the reason, when the request asks for a block that cannot be drawn.
    bool isValid() const { return m_reason.empty(); }
    const std::string& reason() const { return m_reason; }

    // The block's bounding box from its low corner, and its first content cell in that box.
    int sizeX() const { return m_sizeX; }
    int sizeY() const { return m_sizeY; }
    int sizeZ() const { return m_sizeZ; }
    const CCell& content() const { return m_content; }

    // The frame, in the outline colour, and any keyword icon, with the low corner at (x, y, z);
    // every other cell of the box is left as it is.
    void paint(CSpace& target, int x, int y, int z) const;
    // Empty when the block can go at (x, y, z) of `space`: inside it, on empty cells only, and
    // with no cell of the outline colour touching it (the reader would take that cell for part
    // of the frame). Otherwise the reason, naming the first cell in the way.
    std::string problemAt(const CSpace& space, int x, int y, int z) const;

private:
    void fill(int x0, int y0, int z0, int x1, int y1, int z1);
    void makeWorkArea(const SBlockRequest& r);
    void makeRules(const SBlockRequest& r, int rules);
    void makeSequence(const SBlockRequest& r);
    void makeWindow(const std::vector<SBoxSize>& frames, const CSpace& icon);

    std::string m_reason;
    std::string m_name;
    int m_outline = 0;
    int m_sizeX = 0, m_sizeY = 0, m_sizeZ = 0;
    CCell m_content;
    std::vector<CBox> m_frame;                // cells of the outline colour
    std::vector<std::pair<CCell, CSpace>> m_icons;  // keyword icons at their corners
};
