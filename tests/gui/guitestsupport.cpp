// Test helpers for the editor; see guitestsupport.h.
#include "guitestsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMatrix4x4>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSettings>
#include <QtTest>
#include <QVector3D>
#include <cstdio>

#include "app/mainframe.h"
#include "app/tesseraapp.h"
#include "formats/memorystream.h"
#include "view/camera.h"

std::string SpaceFileText(int sx, int sy, int sz, std::initializer_list<SCellLiteral> cells)
{
    char line[128];
    std::snprintf(line, sizeof line, "3D-Tessera\r\nThe X is %d\r\nThe Y is %d\r\nThe Z is %d\r\n", sx, sy, sz);
    std::string text = line;
    for (const SCellLiteral& c : cells) {
        std::snprintf(line, sizeof line, "(%d,%d,%d,%d)\r\n", c.x, c.y, c.z, c.value);
        text += line;
    }
    return text;
}

void LoadSpace(CTesseraDoc& doc, int sx, int sy, int sz, std::initializer_list<SCellLiteral> cells)
{
    CMemoryStream in(SpaceFileText(sx, sy, sz, cells), "test.ts3");
    if (!doc.Load(in)) qFatal("test space was not loaded");
}

SViewFixture::SViewFixture(int sx, int sy, int sz, std::initializer_list<SCellLiteral> cells, bool show)
{
    LoadSpace(doc, sx, sy, sz, cells);
    view.resize(400, 300);
    if (show) {
        view.show();
        QApplication::processEvents();
    }
    view.OnInitialUpdate();
}

void SFrameFixture::Make(bool show)
{
    QSettings().clear();
    frame = CTesseraApp::CreateMainFrame({});
    if (!show) return;
    frame->show();
    if (!QTest::qWaitForWindowExposed(frame)) qFatal("the frame was not shown");
    QApplication::setActiveWindow(frame);  // no window manager hands out the focus here
    frame->GetView()->setFocus();
}

void SFrameFixture::Drop()
{
    frame->GetDocument()->SetModifiedFlag(false);
    delete frame;
    frame = nullptr;
}

std::pair<int, int> TakeClicks(CTesseraDoc& doc)
{
    CRunLink& link = doc.GetLink();
    link.Lock();
    link.devices.latch();
    const std::pair<int, int> clicks(link.devices.leftLatched, link.devices.rightLatched);
    link.Unlock();
    return clicks;
}

QImage RenderScene(CTesseraView& view) { return view.grabFramebuffer().convertToFormat(QImage::Format_RGB32); }

QImage ReadFrame(CTesseraView& view)
{
    const qreal ratio = view.devicePixelRatioF();
    QImage image(int(view.width() * ratio), int(view.height() * ratio), QImage::Format_RGBA8888);
    view.makeCurrent();
    QOpenGLFunctions* gl = view.context()->functions();
    gl->glBindFramebuffer(GL_FRAMEBUFFER, view.defaultFramebufferObject());
    gl->glReadPixels(0, 0, image.width(), image.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    view.doneCurrent();
    return image;  // bottom row first
}

QPoint Project(const CTesseraView& view, float x, float y, float z)
{
    CTesseraDoc* doc = view.GetDocument();
    const SVec3 target = {view.GetEditor().GetTargetX(), view.GetEditor().GetTargetY(), view.GetEditor().GetTargetZ()};
    const SVec3 eye = EyePosition(target, view.GetViewpoint().elevation, view.GetViewpoint().azimuth, view.GetViewpoint().distance);
    const SVec3 size = {float(doc->GetSizeX()), float(doc->GetSizeY()), float(doc->GetSizeZ())};
    const SClipPlanes planes = ComputeClipPlanes(size, target, eye, view.GetViewpoint().distance);
    const int w = view.width(), h = view.height();
    QMatrix4x4 m;
    m.perspective(60.0f, float(w) / h, planes.zNear, planes.zFar);
    m.lookAt({eye.x, eye.y, eye.z}, {target.x, target.y, target.z}, {0, 1, 0});
    const QVector3D ndc = m.map(QVector3D(x, y, z));
    return QPoint(int((ndc.x() + 1) / 2 * w), int((1 - ndc.y()) / 2 * h));
}

int CountBright(const QImage& image, QPoint p, int radius, int threshold)
{
    int n = 0;
    for (int y = p.y() - radius; y <= p.y() + radius; y++)
        for (int x = p.x() - radius; x <= p.x() + radius; x++) {
            if (!image.valid(x, y)) continue;
            const QRgb c = image.pixel(x, y);
            if (qRed(c) > threshold && qGreen(c) > threshold && qBlue(c) > threshold) n++;
        }
    return n;
}

CMessageBoxAnswerer::CMessageBoxAnswerer(int questionButton) : m_questionButton(questionButton)
{
    connect(&m_timer, &QTimer::timeout, this, &CMessageBoxAnswerer::Poll);
    m_timer.start(20);
}

void CMessageBoxAnswerer::Poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    texts.append(box->text());
    QAbstractButton* button = box->button(QMessageBox::StandardButton(m_questionButton));
    if (!button) button = box->button(QMessageBox::Ok);
    if (button) button->click();
}

bool AnswerDialog(const std::function<void()>& open, const std::function<void(QDialog*)>& answer)
{
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || seen || !dialog->isVisible()) return;
        seen = true;
        QApplication::setActiveWindow(dialog);  // no window manager here to do it
        answer(dialog);
    });
    poll.start(10);
    open();
    return seen;
}
