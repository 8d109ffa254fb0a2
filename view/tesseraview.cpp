// CTesseraView: window set-up, the run handshake with the worker, the status timer, the run
// commands, initialisation and the mouse handlers. Drawing, editing and viewpoint commands live
// in scenedrawing.cpp, editcommands.cpp and viewpointcommands.cpp, picking in picking.cpp; the
// joystick is a CJoystickController of its own.
#include "view/tesseraview.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QTimer>
#include <chrono>

#include "document/tesseradoc.h"
#include "view/framememory.h"
#include "view/joystickcontroller.h"
#include "view/picking.h"
#include "view/scenecache.h"

namespace {
// Flat colours for picking: no multisampling; a depth buffer for the scene.
QSurfaceFormat ViewFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setSamples(0);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}
}  // namespace

CTesseraView::CTesseraView(CTesseraDoc* doc, QWidget* parent)
    : QOpenGLWidget(parent),
      m_pDoc(doc),
      m_editor(*doc)
{
    KeepFrameMemory();
    setFormat(ViewFormat());
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);  // keeps the frame Redraw drew
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(16, 16);
    m_statusTimer = new QTimer(this);
    m_statusTimer->setInterval(1000);
    connect(m_statusTimer, &QTimer::timeout, this, &CTesseraView::OnStatusTimer);
    m_statusTimer->start();
    m_joystick = new CJoystickController(m_editor, m_viewpoint, [this] { return m_bCursor; }, [this] { Redraw(); }, this);
    m_picker = std::make_unique<CGuidePicker>(*this);
    m_sceneCache = std::make_unique<CSceneCache>();
    // Every edit, from a menu, a key, the mouse or the joystick, ends what the last step showed.
    m_editor.SetEditListener([this] {
        ClearStepOverlays();
        ScheduleProgramBlocks();
    });
    m_pDoc->AddListener(this);
    m_pDoc->SetRunWindow(this);
}

CTesseraView::~CTesseraView()
{
    if (context()) {
        disconnect(context(), nullptr, this, nullptr);
        makeCurrent();
        m_picker->Release();
        m_sceneCache->ReleaseGL();
        doneCurrent();
    }
    m_pDoc->SetRunWindow(nullptr);
    m_pDoc->RemoveListener(this);
}

void CTesseraView::initializeGL()
{
    // The scene's face buffers and the picking target belong to this context and go with it.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CTesseraView::ReleasePicker);
}

// The context is current while it announces its end.
void CTesseraView::ReleasePicker()
{
    m_picker->Release();
    m_sceneCache->ReleaseGL();
    m_edgeTexture = 0;  // goes with the context
    m_edgeTextureContext = nullptr;
}

void CTesseraView::resizeGL(int, int) { m_bFrameReady = false; }

void CTesseraView::paintGL()
{
    if (m_bFrameReady) {
        m_bFrameReady = false;  // Redraw has just drawn this frame
        return;
    }
    FitIfPending();
    SetupCamera();
    DrawScene();
}

// Draws into the widget's framebuffer now, so that the frame holds the space as it is at this
// moment (a repaint() of a GL widget may be deferred by the window system's frame pacing); the
// frame is then composed on screen at the next opportunity.
void CTesseraView::Redraw()
{
    if (isVisible() && context()) {
        FitIfPending();
        makeCurrent();
        SetupCamera();
        DrawScene();
        m_bFrameReady = true;
        doneCurrent();
    }
    update();
}

void CTesseraView::ScheduleRedraw()
{
    m_bFrameReady = false;  // a frame Redraw left must not stand for this one
    update();
}

// --- Run handshake -----------------------------------------------------------------------

void CTesseraView::postRunShow()
{
    QMetaObject::invokeMethod(this, [this] { OnRunShow(); }, Qt::QueuedConnection);
}

void CTesseraView::postRunFinished()
{
    QMetaObject::invokeMethod(this, [this] { OnRunFinished(); }, Qt::QueuedConnection);
}

void CTesseraView::OnRunShow()
{
    // The step is on screen before the interpreter computes the next one; the run control
    // decides when that is (at once, after the speed's delay, or after Resume or Step). The
    // record is taken before drawing: the answer is for the show whose space was drawn.
    const CShownStep shown = m_pDoc->Session().GetShownStep();
    WatchShownStep(shown);
    Redraw();
    const int answer = m_pDoc->Session().AnswerShow(shown);
    if (answer > 0) {
        const unsigned ticket = m_pDoc->Session().RunControl().ticket();
        QTimer::singleShot(answer, this, [this, ticket] {
            m_pDoc->Session().ContinueAfterDelay(ticket);
            emit RunStateChanged();
        });
    }
    emit RunStateChanged();
}

void CTesseraView::OnRunFinished()
{
    // The end of a run that was stopped or followed by a new Start before this message came
    // must not bring the cursor back or overwrite the message pane while the new run goes on.
    if (!m_pDoc->Session().RunFinished()) return;
    m_bCursor = true;
    Redraw();
    // The run's last word, once, so that the message pane is never left with a stale phase.
    emit StatusText(QString::fromStdString(m_pDoc->GetStatusText()));
    emit RunStateChanged();
}

void CTesseraView::OnStatusTimer()
{
    if (m_pDoc->IsBusy()) emit StatusText(QString::fromStdString(m_pDoc->GetStatusText()));
}

// --- Run commands ------------------------------------------------------------------------

void CTesseraView::OnRunStart()
{
    m_bCursor = false;
    m_editor.StartRun();
    ClearStepOverlays();
    emit RunStateChanged();
}

void CTesseraView::OnRunStop()
{
    m_bCursor = true;
    m_pDoc->StopRun();
    emit RunStateChanged();
}

void CTesseraView::OnRunBack()
{
    m_editor.Back();
    Redraw();
}

// --- Initialisation ----------------------------------------------------------------------

void CTesseraView::OnInitialUpdate()
{
    m_editor.Initialise();
    ResetViewState();
}

// The editor, a listener of its own, has started afresh on the new space before the view is told.
void CTesseraView::OnSpaceChanged(ESpaceChange change, const CBox&)
{
    if (change == ESpaceChange::NewSpace) ResetViewState();
}

void CTesseraView::ResetViewState()
{
    m_bCursor = true;
    ResetView();
    m_joystick->Rest();  // the stick starts at rest; polling goes on as the Tool menu set it
    ClearStepOverlays();
    ScheduleProgramBlocks();
    Redraw();
}

void CTesseraView::PlaceCursor(int x, int y, int z) { m_editor.PlaceCursor(x, y, z); }

void CTesseraView::PlaceEye(float elevation, float azimuth, float distance)
{
    m_viewpoint.elevation = elevation;
    m_viewpoint.azimuth = azimuth;
    m_viewpoint.distance = distance;
    m_bFitPending = false;  // an eye placed on purpose stays where it was put
}

// --- Mouse -------------------------------------------------------------------------------

void CTesseraView::mousePressEvent(QMouseEvent* event)
{
    if (BeginOrbit(event)) return;  // a navigation drag, not a click
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) OnLButtonDown(p.x(), p.y());
    else if (event->button() == Qt::RightButton) OnRButtonDown(p.x(), p.y());
    QOpenGLWidget::mousePressEvent(event);
}

// The first click of a double click has already arrived as a press. The base handler would
// hand the double click on as another press, so it is not called.
void CTesseraView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (BeginOrbit(event)) return;
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) OnLButtonDblClk(p.x(), p.y());
    else if (event->button() == Qt::RightButton) OnRButtonDown(p.x(), p.y());
    event->accept();
}

// A picked guide direction is the cursor move along it.
static_assert(int(GUIDE_X_MINUS) == MOVE_X_MINUS && int(GUIDE_X_PLUS) == MOVE_X_PLUS && int(GUIDE_Y_MINUS) == MOVE_Y_MINUS &&
              int(GUIDE_Y_PLUS) == MOVE_Y_PLUS && int(GUIDE_Z_MINUS) == MOVE_Z_MINUS && int(GUIDE_Z_PLUS) == MOVE_Z_PLUS);

void CTesseraView::OnLButtonDown(int x, int y)
{
    // A running program sees every click, also while the cursor is hidden.
    m_pDoc->PressLeft();
    if (!m_bCursor) return;
    const SGuidePick pick = m_picker->PickGuide(x, y);
    if (pick.direction < 0) return;  // on no guide line: nothing to redraw
    for (int i = 0; i < pick.moves; i++) Move(ECursorMove(pick.direction));
    Redraw();
}

void CTesseraView::OnLButtonDblClk(int x, int y)
{
    if (!m_bCursor) return;
    if (!m_picker->PickCursorCell(x, y)) return;
    m_editor.ToggleCursorCell();
    Redraw();
}

void CTesseraView::OnRButtonDown(int, int) { m_pDoc->PressRight(); }
