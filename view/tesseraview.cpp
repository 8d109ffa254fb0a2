// CTesseraView: window set-up, the run handshake with the worker, the status timer, the run
// commands, initialisation and the mouse entry points. Drawing, editing and viewpoint commands
// live in scenedrawing.cpp, editcommands.cpp and viewpointcommands.cpp.
#include "view/tesseraview.h"

#include <QMouseEvent>
#include <QSurfaceFormat>
#include <QTimer>

#include "document/tesseradoc.h"

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
      m_elevation(viewpoint::DEFAULT_ELEVATION),
      m_azimuth(viewpoint::DEFAULT_AZIMUTH),
      m_clipboard(1, 1, 1, 0)
{
    setFormat(ViewFormat());
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);  // keeps the frame Redraw drew
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(16, 16);
    m_statusTimer = new QTimer(this);
    m_statusTimer->setInterval(1000);
    connect(m_statusTimer, &QTimer::timeout, this, &CTesseraView::OnStatusTimer);
    m_statusTimer->start();
    m_pDoc->AddView(this);
}

CTesseraView::~CTesseraView() { m_pDoc->RemoveView(this); }

void CTesseraView::initializeGL()
{
    // Nothing to build: the whole scene is sent to GL every frame.
}

void CTesseraView::resizeGL(int, int) { m_bFrameReady = false; }

void CTesseraView::paintGL()
{
    if (m_bFrameReady) {
        m_bFrameReady = false;  // Redraw has just drawn this frame
        return;
    }
    SetupCamera();
    DrawScene();
}

// Draws into the widget's framebuffer now, so that the frame holds the space as it is at this
// moment (a repaint() of a GL widget may be deferred by the window system's frame pacing); the
// frame is then composed on screen at the next opportunity.
void CTesseraView::Redraw()
{
    if (isVisible() && context()) {
        makeCurrent();
        SetupCamera();
        DrawScene();
        m_bFrameReady = true;
        doneCurrent();
    }
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
    // The step is on screen before the interpreter computes the next one.
    Redraw();
    m_pDoc->SignalContinue();
}

void CTesseraView::OnRunFinished()
{
    m_bCursor = true;
    Redraw();
}

void CTesseraView::OnStatusTimer()
{
    if (m_pDoc->IsBusy()) emit StatusText(QString::fromStdString(m_pDoc->GetStatusText()));
}

// --- Run commands ------------------------------------------------------------------------

void CTesseraView::OnRunStart()
{
    m_bCursor = false;
    m_pDoc->RestartIfBusy();
    m_pDoc->ClearLeft();
    m_pDoc->ClearRight();
    // Once the space has been edited, every Start takes a new Back copy; until then the copy
    // taken at load, creation or resize stays.
    if (m_bEdited) m_pDoc->SaveBackup();
    m_bBackAvailable = true;
    m_pDoc->StartRun();
}

void CTesseraView::OnRunStop()
{
    m_bCursor = true;
    m_pDoc->StopRun();
}

void CTesseraView::OnRunBack()
{
    m_pDoc->RestoreBackup();
    Redraw();
}

// --- Initialisation ----------------------------------------------------------------------

void CTesseraView::OnInitialUpdate()
{
    m_nStep = 1;
    m_bCursor = true;
    m_bArea = false;
    m_nColor = 104;
    m_cursorX = m_pDoc->GetSizeX() / 2;
    m_cursorY = 0;
    m_cursorZ = m_pDoc->GetSizeZ() / 2;
    ResetView();
    m_bEdited = false;
    m_pDoc->SaveBackup();
    m_bBackAvailable = false;
    m_bAreaMove = false;
    m_bJoyMoving = false;  // joystick 1 is (re)captured here once joystick input exists
    Redraw();
}

void CTesseraView::PlaceCursor(int x, int y, int z)
{
    m_cursorX = x;
    m_cursorY = y;
    m_cursorZ = z;
    m_targetX = x + 0.5f;
    m_targetY = y + 0.5f;
    m_targetZ = z + 0.5f;
}

void CTesseraView::PlaceEye(float elevation, float azimuth, float distance)
{
    m_elevation = elevation;
    m_azimuth = azimuth;
    m_distance = distance;
}

// --- Mouse -------------------------------------------------------------------------------

void CTesseraView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) OnLButtonDown(p.x(), p.y());
    else if (event->button() == Qt::RightButton) OnRButtonDown(p.x(), p.y());
    QOpenGLWidget::mousePressEvent(event);
}

void CTesseraView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) OnLButtonDblClk(p.x(), p.y());
    else if (event->button() == Qt::RightButton) OnRButtonDown(p.x(), p.y());
    QOpenGLWidget::mouseDoubleClickEvent(event);
}

void CTesseraView::OnLButtonDown([[maybe_unused]] int x, [[maybe_unused]] int y)
{
    // A running program sees every click, also while the cursor is hidden.
    m_pDoc->PressLeft();
    if (!m_bCursor) return;
    // Picking a guide line at (x, y) to move the cursor along it goes here.
}

void CTesseraView::OnLButtonDblClk([[maybe_unused]] int x, [[maybe_unused]] int y)
{
    if (!m_bCursor) return;
    // Picking the cursor cell at (x, y) to toggle it goes here.
}

void CTesseraView::OnRButtonDown(int, int) { m_pDoc->PressRight(); }
