// CInputDevices: the icons are drawn once for all devices, so a step's copy of the devices copies
// only the clicks. The pseudo-random state is per thread and never seeded, so every new thread
// repeats one sequence.
#include "run/inputdevices.h"

#include <cstdint>

#include "space/cellcodes.h"

namespace {
thread_local std::uint32_t randomState = 1;

// Linear congruential generator: 15-bit numbers from the upper half of the state.
int nextRandom()
{
    randomState = randomState * 214013u + 2531011u;
    return int((randomState >> 16) & 0x7FFF);
}

struct CellXZ {
    int x;
    int z;
};

constexpr CellXZ randomIconCells[] = {{0, 1}, {0, 2}, {1, 0}, {2, 0}, {2, 4}, {2, 6}, {3, 0},
                                      {3, 3}, {4, 1}, {4, 2}, {4, 4}, {4, 5}, {4, 6}, {5, 4},
                                      {5, 6}, {6, 4}, {6, 6}, {7, 4}, {7, 5}, {7, 6}};
constexpr CellXZ mouseIconCells[] = {{1, 0}, {1, 2}, {1, 5}, {2, 0}, {2, 1}, {2, 2},
                                     {2, 5}, {3, 0}, {3, 2}, {3, 5}};

const CSpace& drawnRandomIcon()
{
    static const CSpace icon = [] {
        CSpace drawn(8, 1, 7, 0);
        for (CellXZ c : randomIconCells) drawn.set(c.x, 0, c.z, CELL_BLACK);
        return drawn;
    }();
    return icon;
}

const CSpace& drawnMouseIcon()
{
    static const CSpace icon = [] {
        CSpace drawn(5, 1, 6, 0);
        for (int z = 0; z < 6; z++) {
            drawn.set(0, 0, z, CELL_BLACK);
            drawn.set(4, 0, z, CELL_BLACK);
        }
        for (CellXZ c : mouseIconCells) drawn.set(c.x, 0, c.z, CELL_BLACK);
        return drawn;
    }();
    return icon;
}
}  // namespace

CInputDevices::CInputDevices() : randomIcon(drawnRandomIcon()), mouseIcon(drawnMouseIcon()) {}

CInputDevices& CInputDevices::operator=(const CInputDevices& other)
{
    leftClicked = other.leftClicked;
    rightClicked = other.rightClicked;
    leftLatched = other.leftLatched;
    rightLatched = other.rightLatched;
    return *this;
}

void CInputDevices::latch()
{
    leftLatched = leftClicked;
    rightLatched = rightClicked;
    leftClicked = 0;
    rightClicked = 0;
}

CSpace CInputDevices::rollRandomIcon() const
{
    CSpace icon(randomIcon);
    icon.set(nextRandom() % 2 == 0 ? 6 : 5, 0, 5, CELL_RED);
    return icon;
}

CSpace CInputDevices::getMouseState() const
{
    CSpace icon(mouseIcon);
    if (leftLatched) icon.set(1, 0, 1, CELL_RED);
    if (rightLatched) icon.set(3, 0, 1, CELL_RED);
    return icon;
}
