// CInputDevices: the mouse clicks a running program can read, and the two device icons.
#pragma once

#include "space/object.h"
#include "space/space.h"

class CInputDevices : public CObject {
public:
    CInputDevices();
    CInputDevices(const CInputDevices&) = default;
    // Copies the clicks; the icons are one drawing that every copy shares, as they never change.
    CInputDevices& operator=(const CInputDevices& other);
    ~CInputDevices() override = default;

    // Hands the clicks over to the latched flags and forgets them, so one step sees each click.
    void latch();

    // The icons as they are drawn; a caller that changes one takes a copy.
    const CSpace& getRandomIcon() const { return randomIcon; }
    // The random icon with a red cell at (6, 0, 5) or (5, 0, 5), chosen by this thread's
    // pseudo-random sequence, which starts the same in every thread.
    CSpace rollRandomIcon() const;
    const CSpace& getMouseIcon() const { return mouseIcon; }
    // The mouse icon with a red cell in each button hole whose click is latched.
    CSpace getMouseState() const;

    void pressLeft() { leftClicked = 1; }
    void clearLeft() { leftClicked = 0; }
    void pressRight() { rightClicked = 1; }
    void clearRight() { rightClicked = 0; }

    int leftClicked = 0;
    int rightClicked = 0;
    const CSpace& randomIcon;  // 8x1x7: a question mark beside a box with room for one cell
    const CSpace& mouseIcon;   // 5x1x6: a mouse with two button holes
    int leftLatched = 0;
    int rightLatched = 0;
};
