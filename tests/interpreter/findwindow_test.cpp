// Windows: chains of frames come out left to right with their origins and the anchor after the
// chain; a green cell left of the first handle, a broken later frame or a flat space refuse it.
#include "blockscan.h"
#include "interpreter/keywordicons.h"
#include "space/cellcodes.h"

namespace {

std::vector<CPlacedSpace> framesOf(CWindow window)
{
    std::vector<CPlacedSpace> frames;
    CPlacedSpace f;
    while (window.popBack(f)) frames.push_back(f);
    return frames;
}

}  // namespace

TEST(FindWindow, ChainsComeOutLeftToRightWithOriginsAndAnchor)
{
    const std::vector<std::vector<CSpace>> chains = {
        {patternedContents(1, 1, 1)},
        {makeDownArrowIcon(), patternedContents(2, 3, 1, 1), patternedContents(3, 1, 2, 2)},
        {makeThreeBlockIcon(), patternedContents(1, 2, 2, 3)},
    };
    for (const std::vector<CSpace>& chain : chains) {
        CPatternSpace s(24, 10, 5, 0);
        const DrawnBlock block = drawWindow(s, 1, 1, 1, chain);
        const CSpace before = s;

        CPatternSpace scanned = s;
        EXPECT_EQ(scanBlocks(scanned), std::vector<FoundBlock>{foundAt('W', block)});

        CWindow window;
        ASSERT_EQ(s.findWindow(block.scan.x, block.scan.y, block.scan.z, window), 1);
        const std::vector<CPlacedSpace> frames = framesOf(window);
        ASSERT_EQ(frames.size(), chain.size());
        for (size_t i = 0; i < chain.size(); i++) {
            EXPECT_TRUE(frames[i].isEqual(chain[i])) << "frame " << i;
            const CCell& corner = block.contents[i];
            EXPECT_EQ(frames[i].x, corner.x);
            EXPECT_EQ(frames[i].y, corner.y);
            EXPECT_EQ(frames[i].z, corner.z);
        }
        EXPECT_EQ(window.anchor.x, block.anchor.x);
        EXPECT_EQ(window.anchor.y, block.anchor.y);
        EXPECT_EQ(window.anchor.z, block.anchor.z);
        EXPECT_TRUE(consumedExactly(before, s, block));
    }
}

TEST(FindWindow, EveryKeywordIconSurvivesTheFrame)
{
    for (const CPatternSpace& icon : {makePaletteIcon(), makeTwoBlockIcon(), makeThreeBlockIcon(),
                                      makeArrowCrossIcon(), makeDownArrowIcon(), makeUpArrowIcon()}) {
        CPatternSpace s(16, 11, 5, 0);
        const DrawnBlock block = drawWindow(s, 1, 0, 0, {icon, CSpace(1, 1, 1, CELL_PURPLE)});
        CWindow window;
        ASSERT_EQ(s.findWindow(block.scan.x, block.scan.y, block.scan.z, window), 1);
        const std::vector<CPlacedSpace> frames = framesOf(window);
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_TRUE(frames[0].isEqual(icon));
    }
}

TEST(FindWindow, GreenLeftOfTheFirstHandleRefusesAtOnce)
{
    CPatternSpace s(12, 4, 4, 0);
    const DrawnBlock block = drawWindow(s, 2, 1, 1, {CSpace(2, 1, 1, CELL_RED)});
    s.set(1, 1, 1, CELL_GREEN);
    const CSpace before = s;
    CWindow window;
    window.push(CPlacedSpace(3, 3, 3, CELL_WHITE));
    EXPECT_EQ(s.findWindow(block.scan.x, block.scan.y, block.scan.z, window), 0);
    EXPECT_EQ(window.count(), 1);  // refused before the output is touched
    EXPECT_TRUE(s.isEqual(before));
}

TEST(FindWindow, ABrokenLaterFrameRefusesTheWholeChain)
{
    // Frames: handle (1, 1, 1), frame x 2..3; handle (4, 1, 1), frame x 5..7; anchor (8, 1, 1).
    const std::vector<std::pair<const char*, CCell>> breaks = {
        {"second frame's front face", CCell(5, 2, 1, 0)},
        {"second frame's bottom face", CCell(5, 1, 2, 0)},
        {"green below the second handle", CCell(4, 0, 1, CELL_GREEN)},
        {"green behind the second handle", CCell(4, 1, 2, CELL_GREEN)},
    };
    for (const auto& [what, cell] : breaks) {
        CPatternSpace s(12, 5, 5, 0);
        const DrawnBlock block =
            drawWindow(s, 1, 1, 1, {CSpace(2, 1, 1, CELL_RED), CSpace(3, 2, 2, CELL_WHITE)});
        ASSERT_EQ(block.anchor.x, 8);
        s.set(cell.x, cell.y, cell.z, cell.value);
        const CSpace before = s;
        CWindow window;
        EXPECT_EQ(s.findWindow(block.scan.x, block.scan.y, block.scan.z, window), 0) << what;
        EXPECT_TRUE(s.isEqual(before)) << what;
    }
}

TEST(FindWindow, FlatAndEmptySpacesHaveNoWindows)
{
    CWindow window;
    CPatternSpace flat(8, 1, 8, 0);
    for (int x : {1, 2, 3}) flat.set(x, 0, 1, CELL_GREEN);  // a handle and a bottom row
    flat.set(2, 0, 2, CELL_GREEN);
    EXPECT_EQ(flat.findWindow(1, 0, 1, window), 0);
    CPatternSpace empty(0, 0, 0, 0);
    EXPECT_EQ(empty.findWindow(0, 0, 0, window), 0);
}

TEST(FindWindow, AVeryLongChainIsReadWithoutDeepRecursion)
{
    const int frames = 50000;
    CPatternSpace s(2 * frames + 2, 2, 2, 0);
    const DrawnBlock block = drawWindow(s, 0, 0, 0, std::vector<CSpace>(frames, CSpace(1, 1, 1, CELL_RED)));
    CWindow window;
    ASSERT_EQ(s.findWindow(0, 0, 0, window), 1);
    EXPECT_EQ(window.count(), frames);
    EXPECT_EQ(window.anchor.x, 2 * frames);
    EXPECT_EQ(s.get(2 * frames - 1, 1, 1), 2);  // the last frame's contents
}
