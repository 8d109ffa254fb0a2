// CJoystickController: the readings are turned into moves by joystickinput.h's rules; this file
// only carries them out on the editor and the viewpoint.
#include "view/joystickcontroller.h"

#include <QTimer>
#include <chrono>

#include "document/spaceeditor.h"
#include "document/viewpoint.h"
#include "view/joystickdevice.h"
#include "view/joystickinput.h"

CJoystickController::CJoystickController(CSpaceEditor& editor, CViewpoint& viewpoint, std::function<bool()> cursorShown,
                                         std::function<void()> redraw, QObject* parent)
    : QObject(parent),
      m_editor(editor),
      m_viewpoint(viewpoint),
      m_cursorShown(std::move(cursorShown)),
      m_redraw(std::move(redraw))
{
    // "A message at every poll": the joystick is read about 60 times a second while it is on.
    m_timer = new QTimer(this);
    m_timer->setInterval(15);
    connect(m_timer, &QTimer::timeout, this, &CJoystickController::Poll);
    m_clock = [] {
        using namespace std::chrono;
        return std::uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
}

CJoystickController::~CJoystickController() = default;

void CJoystickController::OnJoystick()
{
    m_bJoystick = !m_bJoystick;
    if (!m_bJoystick) {
        m_timer->stop();
        return;
    }
    // SDL starts on first use; without it, or without a joystick, the polls read nothing.
    if (!m_pDevice) m_pDevice = std::make_unique<CJoystickDevice>();
    m_buttons = 0;
    if (m_pDevice->IsStarted()) m_timer->start();
}

bool CJoystickController::Read(SJoyPosition& position) { return m_pDevice && m_pDevice->Read(position); }

void CJoystickController::Poll()
{
    if (!m_bJoystick || !m_pDevice || !m_pDevice->Update()) return;
    SJoyPosition position;
    if (!Read(position)) return;
    const unsigned pressed = position.buttons & ~m_buttons;
    m_buttons = position.buttons;
    if (pressed) OnJoyButtonDown();
    OnJoyMove();
}

void CJoystickController::OnJoyButtonDown()
{
    if (!m_bJoystick) return;
    SJoyPosition position;
    if (!Read(position)) return;
    if (!HatCentred(position.hat)) {
        HatToEye(position.hat);
        m_redraw();
        return;
    }
    if (position.buttonNumber == 1 && m_cursorShown()) {
        m_editor.PointSet();
        m_redraw();
    }
    if (position.buttonNumber == 2 && m_cursorShown()) {
        m_editor.PointReset();
        m_redraw();
    }
}

void CJoystickController::OnJoyMove()
{
    if (!m_bJoystick) return;
    SJoyPosition position;
    if (!Read(position)) return;
    StickToCursor(NormaliseAxis(position.x, position.min, position.max),
                  NormaliseAxis(position.y, position.min, position.max),
                  NormaliseAxis(position.twist, position.min, position.max));
    if (!HatCentred(position.hat)) {
        HatToEye(position.hat);
        m_redraw();
    }
}

void CJoystickController::HatToEye(unsigned angle)
{
    if (!m_bJoystick) return;
    switch (HatAction(angle)) {
    case HAT_ZOOM_IN: m_viewpoint.ZoomIn(); break;
    case HAT_EYE_RIGHT: m_viewpoint.EyeRight(); break;
    case HAT_ZOOM_OUT: m_viewpoint.ZoomOut(); break;
    case HAT_EYE_LEFT: m_viewpoint.EyeLeft(); break;
    case HAT_NONE: break;
    }
}

// One axis's move; a fast one goes JOY_FAST_STEP cells whatever the current step is.
void CJoystickController::MoveByStick(int cells, int minus, int plus)
{
    if (cells == 0) return;
    const bool fast = cells == JOY_FAST_STEP || cells == -JOY_FAST_STEP;
    m_editor.MoveBy(ECursorMove(cells < 0 ? minus : plus), fast ? JOY_FAST_STEP : m_editor.GetStep());
}

void CJoystickController::StickToCursor(float x, float y, float twist)
{
    if (!m_bJoystick) return;
    const SStickWorld w = StickToWorld(x, y, twist, m_viewpoint.azimuth);
    if (StickAtRest(w)) {
        m_bJoyMoving = false;
        return;
    }
    if (!StickMayMove(m_bJoyMoving, m_joyMoveTick, m_clock())) return;
    MoveByStick(AxisCells(w.h, JOY_DEAD_ZONE, JOY_FAST), MOVE_X_MINUS, MOVE_X_PLUS);
    MoveByStick(AxisCells(w.v, JOY_TWIST_DEAD_ZONE, JOY_TWIST_FAST), MOVE_Y_MINUS, MOVE_Y_PLUS);
    MoveByStick(AxisCells(w.d, JOY_DEAD_ZONE, JOY_FAST), MOVE_Z_MINUS, MOVE_Z_PLUS);
    m_redraw();
}
