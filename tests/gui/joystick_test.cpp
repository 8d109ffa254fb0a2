// The joystick, driven through an SDL virtual joystick with a test clock: stick moves with their
// dead zones, fast moves and repeat delay, the hat on the eye, and the buttons on the cell.
#include <QtTest>
#include <SDL.h>
#include <cmath>

#include "guitestsupport.h"
#include "view/camera.h"
#include "view/joystickcontroller.h"
#include "view/joystickdevice.h"
#include "view/joystickinput.h"

namespace {
constexpr Sint16 HALF_RIGHT = 16383;  // reads as 0.5
constexpr Sint16 FULL_RIGHT = 32767;
constexpr Sint16 FULL_LEFT = -32768;

// A shown 40 x 10 x 30 space with the cursor at (20, 0, 15), the eye at azimuth 0, the joystick
// on and a clock the test sets.
struct SJoyFixture {
    SJoyFixture()
    {
        f.view.PlaceEye(0.4f, 0.0f, 40);
        f.view.Joystick().SetClock([this] { return now; });
        f.view.Joystick().OnJoystick();
    }
    SViewFixture f{40, 10, 30, {}, true};
    std::uint32_t now = 1000;
};
}  // namespace

class JoystickTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void readingsAndRules();
    void heldStickMovesAtOnceThenAfterTheDelay();
    void fullDeflectionMovesTen();
    void hatTurnsTheEyeAndButtonsSetCells();
    void offMeansNothingChanges();

private:
    void Set(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(m_joystick, axis, value); }
    void SetButton(int button, bool down) { SDL_JoystickSetVirtualButton(m_joystick, button, down ? 1 : 0); }
    void SetHat(Uint8 mask) { SDL_JoystickSetVirtualHat(m_joystick, 0, mask); }

    SDL_Joystick* m_joystick = nullptr;
};

void JoystickTest::initTestCase()
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    QCOMPARE(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 3, 4, 1);
    QCOMPARE(index, 0);  // the view takes the first joystick
    m_joystick = SDL_JoystickOpen(index);
    QVERIFY(m_joystick);
}

void JoystickTest::cleanupTestCase()
{
    if (m_joystick) SDL_JoystickClose(m_joystick);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

// Every case starts with the stick and the hat centred and no button down.
void JoystickTest::init()
{
    for (int axis = 0; axis < 3; axis++) Set(axis, 0);
    for (int b = 0; b < 4; b++) SetButton(b, false);
    SetHat(SDL_HAT_CENTERED);
}

void JoystickTest::readingsAndRules()
{
    QCOMPARE(NormaliseAxis(70000, 0, 65535), 0.0f);  // beyond the range reads as centred
    QCOMPARE(NormaliseAxis(1500, 1000, 2000), 0.0f);  // min is not subtracted: 2 is beyond
    const unsigned nothing[] = {4500, 13500, 22500, 31500, 35901};
    for (unsigned angle : nothing) QCOMPARE(HatAction(angle), HAT_NONE);
    QCOMPARE(HatAction(4501), HAT_EYE_RIGHT);
    QCOMPARE(HatAction(35900), HAT_ZOOM_IN);
    QCOMPARE(HatAction(HatMaskToAngle(SDL_HAT_LEFT)), HAT_EYE_LEFT);
    QCOMPARE(AxisCells(0.19f, JOY_DEAD_ZONE, JOY_FAST), 0);
    QCOMPARE(AxisCells(-0.2f, JOY_DEAD_ZONE, JOY_FAST), -1);
    QCOMPARE(AxisCells(0.6f, JOY_DEAD_ZONE, JOY_FAST), 10);
    QCOMPARE(AxisCells(0.79f, JOY_TWIST_DEAD_ZONE, JOY_TWIST_FAST), 1);
    // At a quarter turn, right on the stick is -z in the world.
    const SStickWorld quarter = StickToWorld(1, 0, 0, float(M_PI / 2));
    QVERIFY(std::fabs(quarter.h) < 1e-6f && std::fabs(quarter.d + float(M_SQRT1_2)) < 1e-6f);
    // The delay holds across a wrap of the tick count.
    bool moving = true;
    std::uint32_t tick = 0xFFFFFF00u;
    QVERIFY(!StickMayMove(moving, tick, tick + 499));
    QVERIFY(StickMayMove(moving, tick, tick + 500));
}

void JoystickTest::heldStickMovesAtOnceThenAfterTheDelay()
{
    SJoyFixture j;
    CTesseraView& view = j.f.view;
    Set(0, HALF_RIGHT);  // h = 0.5 / sqrt 2: one step along +x
    const struct {
        std::uint32_t now;
        Sint16 x;
        int cursorX;
    } polls[] = {{1000, HALF_RIGHT, 21}, {1499, HALF_RIGHT, 21}, {1500, HALF_RIGHT, 22}, {1501, HALF_RIGHT, 23},
                 // back in the dead zone, then out again: at once, and a new delay
                 {1502, 0, 23}, {1503, HALF_RIGHT, 24}, {2002, HALF_RIGHT, 24}, {2003, HALF_RIGHT, 25}};
    for (const auto& p : polls) {
        j.now = p.now;
        Set(0, p.x);
        view.Joystick().Poll();
        QVERIFY2(view.GetEditor().GetCursorX() == p.cursorX, qPrintable(QString("at %1 ms x is %2").arg(p.now).arg(view.GetEditor().GetCursorX())));
    }
    QCOMPARE(view.GetEditor().GetCursorY(), 0);
    QCOMPARE(view.GetEditor().GetCursorZ(), 15);
}

void JoystickTest::fullDeflectionMovesTen()
{
    SJoyFixture j;
    CTesseraView& view = j.f.view;
    Set(0, FULL_RIGHT);
    view.Joystick().Poll();
    QCOMPARE(view.GetEditor().GetCursorX(), 30);
    QCOMPARE(view.GetEditor().GetStep(), 1);  // the big step was for that move only
    Set(0, 0);
    view.Joystick().Poll();
    Set(1, FULL_LEFT);  // stick forward: away from the viewer, along -z
    Set(2, FULL_RIGHT);  // full twist as well: up ten, held at the top
    view.Joystick().Poll();
    QCOMPARE(view.GetEditor().GetCursorZ(), 5);
    QCOMPARE(view.GetEditor().GetCursorY(), 9);
}

void JoystickTest::hatTurnsTheEyeAndButtonsSetCells()
{
    SJoyFixture j;
    CTesseraView& view = j.f.view;
    const float distance = view.GetViewpoint().distance;
    const float right = float(0.0 + viewpoint::TURN_STEP);
    SetHat(SDL_HAT_RIGHTUP);  // exactly 4500: nothing
    view.Joystick().Poll();
    QCOMPARE(view.GetViewpoint().azimuth, 0.0f);
    QCOMPARE(view.GetViewpoint().distance, distance);
    SetHat(SDL_HAT_RIGHT);
    view.Joystick().Poll();
    QCOMPARE(view.GetViewpoint().azimuth, right);
    // A button while the hat is pushed turns the eye (once for the press, once for the hat's
    // own move in the same poll) and sets no cell.
    SetButton(0, true);
    view.Joystick().Poll();
    QCOMPARE(view.GetViewpoint().azimuth, float(float(right + viewpoint::TURN_STEP) + viewpoint::TURN_STEP));
    QCOMPARE(j.f.doc.GetCell(20, 0, 15), 0);

    view.GetEditor().SetColor(105);
    SetHat(SDL_HAT_CENTERED);
    SetButton(0, false);
    view.Joystick().Poll();
    SetButton(0, true);  // button 1 sets
    view.Joystick().Poll();
    QCOMPARE(j.f.doc.GetCell(20, 0, 15), 105);
    j.f.doc.SetCell(20, 0, 15, 0);
    view.Joystick().Poll();  // held: no new press
    QCOMPARE(j.f.doc.GetCell(20, 0, 15), 0);
    j.f.doc.SetCell(20, 0, 15, 107);
    SetButton(0, false);
    SetButton(1, true);  // button 2 clears
    view.Joystick().Poll();
    QCOMPARE(j.f.doc.GetCell(20, 0, 15), 0);
    SetButton(1, false);
    view.Joystick().Poll();
    view.OnViewCursor();  // with the cursor hidden, buttons do nothing
    SetButton(0, true);
    view.Joystick().Poll();
    QCOMPARE(j.f.doc.GetCell(20, 0, 15), 0);
}

void JoystickTest::offMeansNothingChanges()
{
    SJoyFixture j;
    CTesseraView& view = j.f.view;
    view.Joystick().OnJoystick();
    QVERIFY(!view.Joystick().IsJoystick());
    const float azimuth = view.GetViewpoint().azimuth, distance = view.GetViewpoint().distance;
    Set(0, FULL_RIGHT);
    SetHat(SDL_HAT_RIGHT);
    SetButton(0, true);
    view.Joystick().Poll();
    view.Joystick().OnJoyMove();
    view.Joystick().OnJoyButtonDown();
    view.Joystick().HatToEye(9000);
    view.Joystick().StickToCursor(1, 1, 1);
    QCOMPARE(view.GetEditor().GetCursorX(), 20);
    QCOMPARE(view.GetEditor().GetCursorY(), 0);
    QCOMPARE(view.GetViewpoint().azimuth, azimuth);
    QCOMPARE(view.GetViewpoint().distance, distance);
    QCOMPARE(j.f.doc.GetCell(20, 0, 15), 0);
    view.Joystick().OnJoystick();  // on again, the same joystick moves the cursor
    SetHat(SDL_HAT_CENTERED);
    view.Joystick().Poll();
    QCOMPARE(view.GetEditor().GetCursorX(), 30);
}

QTEST_MAIN(JoystickTest)
#include "joystick_test.moc"
