// The six keyword icons, drawn from rows of colour letters (W K B R G P Q Y for 100..107, '.'
// for 0); each layer lists its rows from the highest y down to y = 0. Each is drawn once and
// copied from then on: every unit program holds all six, and a run builds many.
#include "interpreter/keywordicons.h"

#include <initializer_list>
#include <string_view>

namespace {

using Layer = std::initializer_list<std::string_view>;

int cellOfLetter(char c)
{
    constexpr std::string_view letters = "WKBRGPQY";
    const auto i = letters.find(c);
    return i == std::string_view::npos ? 0 : 100 + int(i);
}

CPatternSpace drawIcon(int sx, int sy, int sz, std::initializer_list<Layer> layers)
{
    CPatternSpace icon(sx, sy, sz, 0);
    int z = 0;
    for (const Layer& layer : layers) {
        int y = sy - 1;
        for (std::string_view row : layer) {
            for (int x = 0; x < int(row.size()); x++) icon.set(x, y, z, cellOfLetter(row[x]));
            y--;
        }
        z++;
    }
    return icon;
}

}  // namespace

const CPatternSpace& makePaletteIcon()
{
    static const CPatternSpace icon = drawIcon(8, 1, 1, {{"WRGBPQYK"}});
    return icon;
}

const CPatternSpace& makeTwoBlockIcon()
{
    static const CPatternSpace icon = drawIcon(8, 6, 2,
                                               {{"...RR.R.",
                                                 "..R..RR.",
                                                 ".R..RRR.",
                                                 "........",
                                                 "KKK..KKK",
                                                 "KKK..KKK"},
                                                {"........",
                                                 "........",
                                                 "........",
                                                 "........",
                                                 "KKK..KKK",
                                                 "KKK..KKK"}});
    return icon;
}

const CPatternSpace& makeThreeBlockIcon()
{
    static const CPatternSpace icon = drawIcon(11, 8, 2,
                                               {{"....KKK....",
                                                 "....KKK....",
                                                 "...........",
                                                 "...K.K.K...",
                                                 "..K..K..K..",
                                                 "...........",
                                                 "RRR.RRR.RRR",
                                                 "RRR.RRR.RRR"},
                                                {"....KKK....",
                                                 "....KKK....",
                                                 "...........",
                                                 "...........",
                                                 "...........",
                                                 "...........",
                                                 "RRR.RRR.RRR",
                                                 "RRR.RRR.RRR"}});
    return icon;
}

const CPatternSpace& makeArrowCrossIcon()
{
    static const CPatternSpace icon = drawIcon(8, 5, 1,
                                               {{".K......",
                                                 "..K..R.R",
                                                 "KKKK..R.",
                                                 "..K..R.R",
                                                 ".K......"}});
    return icon;
}

const CPatternSpace& makeDownArrowIcon()
{
    static const CPatternSpace icon = drawIcon(5, 4, 1,
                                               {{"..K..",
                                                 "K.K.K",
                                                 ".KKK.",
                                                 "..K.."}});
    return icon;
}

const CPatternSpace& makeUpArrowIcon()
{
    static const CPatternSpace icon = drawIcon(5, 4, 1,
                                               {{"..K..",
                                                 ".KKK.",
                                                 "K.K.K",
                                                 "..K.."}});
    return icon;
}
