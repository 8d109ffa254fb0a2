// CTesseraView: window set-up, initialisation and the mouse handlers. Drawing, editing and
// viewpoint commands live in scenedrawing.cpp, editcommands.cpp and viewpointcommands.cpp,
// picking in picking.cpp; the run is watched by a CRunWatcher, the joystick is a
// CJoystickController of its own.
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
#include "view/runwatcher.h"
#include "view/planecache.h"

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
    m_watcher = std::make_unique<CRunWatcher>(*doc, m_editor);
    connect(m_watcher.get(), &CRunWatcher::RedrawNeeded, this, &CTesseraView::Redraw);
    connect(m_watcher.get(), &CRunWatcher::StepShown, this, &CTesseraView::ScheduleProgramBlocks);
    connect(m_watcher.get(), &CRunWatcher::CursorShown, this, [this](bool shown) { m_bCursor = shown; });
    m_joystick = new CJoystickController(m_editor, m_viewpoint, [this] { return m_bCursor; }, [this] { Redraw(); }, this);
    m_picker = std::make_unique<CGuidePicker>(*this);
    m_planeCache = std::make_unique<CPlaneCache>();
    // Every edit, from a menu, a key, the mouse or the joystick, ends what the last step showed.
    m_editor.SetEditListener([this] {
        m_watcher->ClearStepOverlays();
        ScheduleProgramBlocks();
    });
    m_pDoc->AddListener(this);
}

CTesseraView::~CTesseraView()
{
    if (context()) {
        disconnect(context(), nullptr, this, nullptr);
        makeCurrent();
        m_picker->Release();
        m_planeCache->ReleaseGL();
        doneCurrent();
    }
    m_watcher.reset();  // no longer the document's run window
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
    m_planeCache->ReleaseGL();
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
    m_watcher->ClearStepOverlays();
    ScheduleProgramBlocks();
    Redraw();
}

void CTesseraView::OnViewCursor()
{
    m_bCursor = !m_bCursor;
    Redraw();
}

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
    if (BeginDrag(event)) return;  // a navigation drag, not a click
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) OnLButtonDown(p.x(), p.y());
    else if (event->button() == Qt::RightButton) OnRButtonDown(p.x(), p.y());
    QOpenGLWidget::mousePressEvent(event);
}

// The first click of a double click has already arrived as a press. The base handler would
// hand the double click on as another press, so it is not called.
void CTesseraView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (BeginDrag(event)) return;
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
    for (int i = 0; i < pick.moves; i++) m_editor.Move(ECursorMove(pick.direction));
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
