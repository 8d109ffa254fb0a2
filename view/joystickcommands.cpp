// The joystick commands of the view: Tool > SideWinder 3D Pro turns polling on and off; the stick
// and its twist move the cursor, the hat turns and zooms the eye, buttons 1 and 2 set and clear.
#include <QTimer>

#include "view/joystickdevice.h"
#include "view/joystickinput.h"
#include "view/tesseraview.h"

void CTesseraView::OnJoystick()
{
    m_bJoystick = !m_bJoystick;
    if (!m_bJoystick) {
        m_joyTimer->stop();
        return;
    }
    // SDL starts on first use; without it, or without a joystick, the polls read nothing.
    if (!m_pJoystickDevice) m_pJoystickDevice = std::make_unique<CJoystickDevice>();
    m_joyButtons = 0;
    if (m_pJoystickDevice->IsStarted()) m_joyTimer->start();
}

bool CTesseraView::ReadJoystick(SJoyPosition& position)
{
    return m_pJoystickDevice && m_pJoystickDevice->Read(position);
}

void CTesseraView::PollJoystick()
{
    if (!m_bJoystick || !m_pJoystickDevice || !m_pJoystickDevice->Update()) return;
    SJoyPosition position;
    if (!ReadJoystick(position)) return;
    const unsigned pressed = position.buttons & ~m_joyButtons;
    m_joyButtons = position.buttons;
    if (pressed) OnJoyButtonDown();
    OnJoyMove();
}

void CTesseraView::OnJoyButtonDown()
{
    if (!m_bJoystick) return;
    SJoyPosition position;
    if (!ReadJoystick(position)) return;
    if (!HatCentred(position.hat)) {
        HatToEye(position.hat);
        Redraw();
        return;
    }
    if (position.buttonNumber == 1 && m_bCursor) OnPointSet();
    if (position.buttonNumber == 2 && m_bCursor) OnPointReset();
}

void CTesseraView::OnJoyMove()
{
    if (!m_bJoystick) return;
    SJoyPosition position;
    if (!ReadJoystick(position)) return;
    StickToCursor(NormaliseAxis(position.x, position.min, position.max), NormaliseAxis(position.y, position.min, position.max),
                  NormaliseAxis(position.twist, position.min, position.max));
    if (!HatCentred(position.hat)) {
        HatToEye(position.hat);
        Redraw();
    }
}

void CTesseraView::HatToEye(unsigned angle)
{
    if (!m_bJoystick) return;
    switch (HatAction(angle)) {
    case HAT_ZOOM_IN: ZoomIn(); break;
    case HAT_EYE_RIGHT: EyeRight(); break;
    case HAT_ZOOM_OUT: ZoomOut(); break;
    case HAT_EYE_LEFT: EyeLeft(); break;
    case HAT_NONE: break;
    }
}

// One axis's move; a fast one goes JOY_FAST_STEP cells whatever the current step is.
void CTesseraView::MoveByStick(int cells, ECursorMove minus, ECursorMove plus)
{
    if (cells == 0) return;
    const bool fast = cells == JOY_FAST_STEP || cells == -JOY_FAST_STEP;
    m_editor.MoveBy(cells < 0 ? minus : plus, fast ? JOY_FAST_STEP : m_editor.GetStep());
}

void CTesseraView::StickToCursor(float x, float y, float twist)
{
    if (!m_bJoystick) return;
    const SStickWorld w = StickToWorld(x, y, twist, m_azimuth);
    if (StickAtRest(w)) {
        m_bJoyMoving = false;
        return;
    }
    if (!StickMayMove(m_bJoyMoving, m_joyMoveTick, m_joyClock())) return;
    MoveByStick(AxisCells(w.h, JOY_DEAD_ZONE, JOY_FAST), MOVE_X_MINUS, MOVE_X_PLUS);
    MoveByStick(AxisCells(w.v, JOY_TWIST_DEAD_ZONE, JOY_TWIST_FAST), MOVE_Y_MINUS, MOVE_Y_PLUS);
    MoveByStick(AxisCells(w.d, JOY_DEAD_ZONE, JOY_FAST), MOVE_Z_MINUS, MOVE_Z_PLUS);
    Redraw();
}
