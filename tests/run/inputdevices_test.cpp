// CInputDevices: the icons, the latch, the mouse picture and the per-thread random sequence.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "run/inputdevices.h"
#include "space/cellcodes.h"

namespace {
// Where the red cell of each of n rolls on a new thread landed (x = 5 or 6; -1 for anything else).
std::vector<int> rollsOnAFreshThread(int n)
{
    std::vector<int> cells;
    std::thread([&] {
        CInputDevices devices;
        for (int i = 0; i < n; i++) {
            CSpace rolled = devices.rollRandomIcon(), expected = devices.getRandomIcon();
            int x = rolled.get(5, 0, 5) == CELL_RED ? 5 : 6;
            expected.set(x, 0, 5, CELL_RED);
            cells.push_back(rolled.isEqual(expected) ? x : -1);
        }
    }).join();
    return cells;
}
}  // namespace

TEST(InputDevices, IconsLeaveTheirHolesFree)
{
    CInputDevices d;
    EXPECT_EQ(d.randomIcon.countNonEmpty(), 20);
    EXPECT_EQ(d.randomIcon.get(5, 0, 5) + d.randomIcon.get(6, 0, 5), 0);
    EXPECT_EQ(d.mouseIcon.countNonEmpty(), 22);
    EXPECT_EQ(d.mouseIcon.get(1, 0, 1) + d.mouseIcon.get(3, 0, 1), 0);
}

TEST(InputDevices, AClickIsLatchedForOneStepAndShownInTheMouseState)
{
    CInputDevices d;
    d.pressLeft();
    d.pressRight();
    EXPECT_TRUE(d.getMouseState().isEqual(d.getMouseIcon())) << "clicks count once latched";
    d.latch();
    EXPECT_EQ(d.leftClicked + d.rightClicked, 0);
    CSpace both = d.getMouseState();
    EXPECT_EQ(both.get(1, 0, 1), CELL_RED);
    EXPECT_EQ(both.get(3, 0, 1), CELL_RED);

    d.pressRight();
    d.latch();
    CSpace right = d.getMouseState();
    EXPECT_EQ(right.get(1, 0, 1), 0);
    right.set(3, 0, 1, 0);
    EXPECT_TRUE(right.isEqual(d.getMouseIcon())) << "only the right hole changed";
    d.latch();
    EXPECT_EQ(d.rightLatched, 0);
}

TEST(InputDevices, EveryNewThreadRollsTheSameSequence)
{
    std::vector<int> first = rollsOnAFreshThread(40);
    EXPECT_EQ(first, rollsOnAFreshThread(40));
    // The generator's first numbers are 41, 18467, 6334, 26500, 19169: odd, odd, even, even, odd.
    EXPECT_EQ(std::vector<int>(first.begin(), first.begin() + 5), (std::vector<int>{5, 5, 6, 6, 5}));
    for (int x : first) EXPECT_NE(x, -1);
}

TEST(InputDevices, ACopyTakesTheClicksAndSharesTheIcons)
{
    CInputDevices from;
    from.pressLeft();
    from.latch();
    from.pressRight();
    CInputDevices to;
    to.pressLeft();
    to = from;
    EXPECT_EQ(to.leftClicked, 0);
    EXPECT_EQ(to.rightClicked, 1);
    EXPECT_EQ(to.leftLatched, 1);
    EXPECT_EQ(to.rightLatched, 0);
    EXPECT_EQ(&to.getRandomIcon(), &from.getRandomIcon());
    EXPECT_EQ(&to.getMouseIcon(), &CInputDevices(from).getMouseIcon());
}
