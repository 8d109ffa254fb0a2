// Pictures of the scene one after another at one size, for the frames of an animation: the
// drawing target (a framebuffer in a GL context of its own, Qt's where the platform has one,
// else EGL's surfaceless one) is made at the first picture and kept until EndPictures, so that
// a frame costs a drawing and a read-back, not a new context.
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QtGui/qopengl.h>

#include "view/offscreengl.h"
#include "view/tesseraview.h"

struct SPictureTarget {
    QSize size;
    std::unique_ptr<QOffscreenSurface> surface;
    std::unique_ptr<QOpenGLContext> context;
    std::unique_ptr<QOpenGLFramebufferObject> buffer;
    std::unique_ptr<COffscreenGL> egl;

    ~SPictureTarget()
    {
        if (context && context->makeCurrent(surface.get())) {
            buffer.reset();
            context->doneCurrent();
        }
    }
    // A Qt context with a framebuffer of the size; false where the platform draws no GL.
    bool CreateQt()
    {
        if (QGuiApplication::platformName() == "offscreen") return false;
        surface = std::make_unique<QOffscreenSurface>();
        surface->create();
        context = std::make_unique<QOpenGLContext>();
        if (!context->create() || !context->makeCurrent(surface.get())) {
            context.reset();
            return false;
        }
        buffer = std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::Depth);
        if (!buffer->isValid()) {
            buffer.reset();
            context->doneCurrent();
            context.reset();
            return false;
        }
        return true;
    }
};

QImage CTesseraView::RenderNextPicture(QSize size, QString* error)
{
    if (size.width() <= 0 || size.height() <= 0) return {};
    FitIfPending();
    if (!m_pictures || m_pictures->size != size) {
        EndPictures();
        auto target = std::make_shared<SPictureTarget>();
        target->size = size;
        if (!target->CreateQt()) {
            target->egl = std::make_unique<COffscreenGL>();
            if (!target->egl->Create(size.width(), size.height())) {
                if (error) *error = QString::fromStdString(target->egl->Error());
                return {};
            }
        }
        m_pictures = target;
    }
    SPictureTarget& target = *m_pictures;
    if (target.context) {
        if (!target.context->makeCurrent(target.surface.get()) || !target.buffer->bind()) {
            if (error) *error = "cannot draw into the picture's buffer";
            return {};
        }
        SetupCamera(size.width(), size.height());
        DrawScene();
        QImage image = target.buffer->toImage().convertToFormat(QImage::Format_RGB32);
        target.buffer->release();
        target.context->doneCurrent();
        return image;
    }
    if (!target.egl->MakeCurrent()) {
        if (error) *error = "cannot make the offscreen OpenGL context current";
        return {};
    }
    SetupCamera(size.width(), size.height());
    DrawScene();
    const std::vector<unsigned char> pixels = target.egl->ReadPixels();
    return QImage(pixels.data(), size.width(), size.height(), size.width() * 4, QImage::Format_RGBA8888)
        .convertToFormat(QImage::Format_RGB32);
}

void CTesseraView::EndPictures() { m_pictures.reset(); }
