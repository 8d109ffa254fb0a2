// CJoystickController: Tool > SideWinder 3D Pro. While on, it polls joystick 1 about 60 times a
// second: the stick and its twist move the editor's cursor, the hat turns and zooms the
// viewpoint, buttons 1 and 2 set and clear the cursor cell (while the cursor is shown).
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

class CJoystickDevice;
class CSpaceEditor;
class CViewpoint;
class QTimer;
struct SJoyPosition;

class CJoystickController : public QObject {
    Q_OBJECT

public:
    // `cursorShown` says whether the buttons may edit; `redraw` draws the view again.
    CJoystickController(CSpaceEditor& editor, CViewpoint& viewpoint, std::function<bool()> cursorShown,
                        std::function<void()> redraw, QObject* parent);
    ~CJoystickController() override;

    // The Tool menu's command: polling on or off.
    void OnJoystick();
    bool IsJoystick() const { return m_bJoystick; }
    // The stick counts as at rest (a new space).
    void Rest() { m_bJoyMoving = false; }

    // What the poll timer runs while the joystick is on: a button that went down, then the
    // stick and the hat.
    void Poll();
    void OnJoyMove();
    void OnJoyButtonDown();
    void HatToEye(unsigned angle);
    void StickToCursor(float x, float y, float twist);
    // The millisecond tick count of the stick's repeat delay (replaceable for tests).
    void SetClock(std::function<std::uint32_t()> clock) { m_clock = std::move(clock); }

private:
    bool Read(SJoyPosition& position);
    void MoveByStick(int cells, int minus, int plus);

    CSpaceEditor& m_editor;
    CViewpoint& m_viewpoint;
    std::function<bool()> m_cursorShown;
    std::function<void()> m_redraw;
    bool m_bJoystick = false;
    bool m_bJoyMoving = false;
    std::uint32_t m_joyMoveTick = 0;
    std::unique_ptr<CJoystickDevice> m_pDevice;  // opened when the joystick is first turned on
    QTimer* m_timer = nullptr;
    unsigned m_buttons = 0;  // buttons down at the last poll
    std::function<std::uint32_t()> m_clock;
};
