// The scene as a picture of any size: drawn into a framebuffer object of the view's own context
// when the view has one, else into an offscreen context of its own (no window needed).
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QtGui/qopengl.h>

#include "view/offscreengl.h"
#include "view/tesseraview.h"

QImage CTesseraView::RenderImage(QSize size, QString* error)
{
    if (size.width() <= 0 || size.height() <= 0) return {};
    FitIfPending();
    if (context()) {
        makeCurrent();
        QImage image;
        {
            QOpenGLFramebufferObject target(size, QOpenGLFramebufferObject::Depth);
            if (target.isValid() && target.bind()) {
                SetupCamera(size.width(), size.height());
                DrawScene();
                image = target.toImage().convertToFormat(QImage::Format_RGB32);
                target.release();
            }
        }
        doneCurrent();
        if (image.isNull() && error) *error = "cannot make a picture of this size";
        return image;
    }
    COffscreenGL gl;
    if (!gl.Create(size.width(), size.height())) {
        if (error) *error = QString::fromStdString(gl.Error());
        return {};
    }
    SetupCamera(size.width(), size.height());
    DrawScene();
    const std::vector<unsigned char> pixels = gl.ReadPixels();
    return QImage(pixels.data(), size.width(), size.height(), size.width() * 4, QImage::Format_RGBA8888)
        .convertToFormat(QImage::Format_RGB32);
}
