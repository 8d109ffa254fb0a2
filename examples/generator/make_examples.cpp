// Draws the example programs with the block builder and writes them as space files. Each drawing
// is read back with the block recognisers, in the order of the Separate scan, to make sure every
// block is found as drawn. Usage: make_examples OUTPUT_FOLDER
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "formats/filestream.h"
#include "formats/spacewriter.h"
#include "interpreter/keywordicons.h"
#include "space/cellcodes.h"
#include "support/blockbuilder.h"
#include "support/picture.h"

namespace {

struct Example {
    std::string name;
    int blocks;  // drawn blocks, each of which the scan must find
    std::function<CSpace()> draw;
};

std::vector<Example> examples()
{
    return {
        {"recolour", 2,
         [] {
             CSpace s(24, 1, 12, 0);
             drawFlatRuleGroup(s, 1, 1, {{cell(CELL_RED), cell(CELL_GREEN)}});
             drawFlatWorkArea(s, 10, 1, flat({"R..R..", ".RR.W.", "R....R"}));
             return s;
         }},
        {"gravity", 2,
         [] {
             CSpace s(16, 8, 8, 0);
             CSpace above = solid({{"Y", "."}}), below = solid({{".", "Y"}});
             drawSolidRuleGroup(s, 0, 0, 1, {{above, below}});
             drawSolidWorkArea(s, 6, 0, 1, solid({{"Y.Y.", "....", ".Y..", "...."}, {"..Y.", "Y...", "....", "...."}}));
             return s;
         }},
        {"rule-group", 3,
         [] {
             CSpace s(30, 1, 16, 0);
             // Applies only where both rules match: red and blue react together.
             drawFlatRuleGroup(s, 1, 1, {{cell(CELL_RED), cell(CELL_EMPTY)}, {cell(CELL_BLUE), cell(CELL_GREEN)}});
             // Never applies: its second rule finds no black cell.
             drawFlatRuleGroup(s, 1, 9, {{cell(CELL_WHITE), cell(CELL_YELLOW)}, {cell(CELL_BLACK), cell(CELL_BLACK)}});
             drawFlatWorkArea(s, 12, 1, flat({"R.B.W", ".....", "B.R.W"}));
             return s;
         }},
        {"sequence", 3,
         [] {
             CSpace s(30, 1, 14, 0);
             // Pale rather than blue as the third value: blue would vanish against the outline.
             drawFlatSequence(s, 1, 1, cell(CELL_PURPLE), {cell(CELL_RED), cell(CELL_GREEN), cell(CELL_PALE)});
             drawFlatRuleGroup(s, 1, 7, {{cell(CELL_PURPLE), cell(CELL_YELLOW)}});
             drawFlatWorkArea(s, 16, 1, flat({"RGQW", "WQGR", "K.RR"}));
             return s;
         }},
        {"long-run", 2,
         [] {
             CSpace s(130, 1, 10, 0);
             drawFlatRuleGroup(s, 1, 1, {{flat({"R."}), flat({".R"})}});
             drawFlatWorkArea(s, 2, 5, flat({"R" + std::string(119, '.')}));
             return s;
         }},
        {"overlap", 3,
         [] {
             // The whites turn red; the next step both reds paint four cells to their right. The
             // two right sides share a cell: the red found later, the one on the right, wins it.
             CSpace s(30, 1, 12, 0);
             drawFlatRuleGroup(s, 1, 1, {{cell(CELL_WHITE), cell(CELL_RED)}});
             drawFlatRuleGroup(s, 1, 6, {{cell(CELL_RED), flat({"GYYY"})}});
             drawFlatWorkArea(s, 12, 1, flat({"W..W....", "........", "RR......"}));
             return s;
         }},
        {"coin-toss", 1,
         [] {
             CSpace s(14, 1, 11, 0);
             CSpace icon = flat({".KKK....", "K...K...", "K...K...", "...K....", "..K.KKKK", "....K..K",
                                 "..K.KKKK"});
             drawFlatWorkArea(s, 1, 0, icon);
             return s;
         }},
        {"mouse", 1,
         [] {
             CSpace s(11, 1, 12, 0);
             drawFlatWorkArea(s, 1, 1, flat({"KKKKK", "K.K.K", "KKKKK", "K...K", "K...K", "KKKKK"}));
             return s;
         }},
        {"variables", 3,
         [] {
             CSpace s(40, 12, 12, 0);
             CSpace variable = cell(CELL_PURPLE);
             drawWindow(s, 1, 0, 1, {makeTwoBlockIcon(), variable});
             // A white cell swaps places with whatever lies between it and a black cell.
             drawSolidRuleGroup(s, 1, 0, 5, {{solid({{"WPK"}}), solid({{"PWK"}})}});
             drawSolidWorkArea(s, 10, 0, 5, solid({{"WRK.", "WGK."}, {"W.K.", "RWYK"}}));
             return s;
         }},
        {"palette", 3,
         [] {
             CSpace s(40, 6, 12, 0);
             drawWindow(s, 1, 0, 1, {makePaletteIcon(), cell(CELL_PURPLE)});
             // Purple is transparent: whatever lies between two white cells turns yellow, the whites black.
             drawSolidRuleGroup(s, 1, 0, 5, {{solid({{"WPW"}}), solid({{"KYK"}})}});
             drawSolidWorkArea(s, 12, 0, 5, solid({{"WRW.WGW"}, {"W.WYW.."}}));
             return s;
         }},
        {"subprogram", 3,
         [] {
             // The caller hands its red cell to the sub-program named by the yellow cell, which turns
             // red purple; the result comes back in place of the caller's red cell.
             CSpace s(70, 12, 60, 0);
             CSpace area(3, 1, 1, 0);
             area.set(0, 0, 0, CELL_RED);
             drawSolidWorkArea(s, 2, 0, 2, area);
             drawSolidRuleGroup(s, 8, 0, 2, {{cell(CELL_RED), cell(CELL_YELLOW)}});
             CSpace program(16, 4, 6, 0);
             drawSolidWorkArea(program, 0, 0, 0, CSpace(3, 1, 1, 0));
             drawSolidRuleGroup(program, 6, 0, 0, {{cell(CELL_RED), cell(CELL_PURPLE)}});
             drawWindow(s, 2, 0, 12, {makeThreeBlockIcon(), cell(CELL_YELLOW), program});
             return s;
         }},
    };
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_examples OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    int failures = 0;
    for (const Example& e : examples()) {
        CSpace space = e.draw();
        int found = countBlocks(space);
        if (found != e.blocks) {
            std::fprintf(stderr, "%s: the scan finds %d blocks, %d were drawn\n", e.name.c_str(), found, e.blocks);
            failures++;
            continue;
        }
        CFileWriteStream out(folder + "/" + e.name + ".ts3");
        if (!out.isOpen() || !writeSpaceFile(out, space) || !out.commit()) {
            std::fprintf(stderr, "%s: %s\n", e.name.c_str(), out.error().c_str());
            failures++;
        }
    }
    return failures ? 1 : 0;
}
