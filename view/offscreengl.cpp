// Offscreen GL through EGL: Mesa's surfaceless platform needs neither a display server nor a
// GPU device (llvmpipe renders in software), and a pixel buffer surface holds the picture.
#include "view/offscreengl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>

#ifndef EGL_PLATFORM_SURFACELESS_MESA
#define EGL_PLATFORM_SURFACELESS_MESA 0x31DD
#endif

COffscreenGL::~COffscreenGL()
{
    if (!m_display) return;
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (m_context) eglDestroyContext(m_display, m_context);
    if (m_surface) eglDestroySurface(m_display, m_surface);
    eglTerminate(m_display);
}

bool COffscreenGL::Create(int w, int h)
{
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay display =
        getPlatformDisplay ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr) : EGL_NO_DISPLAY;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        m_error = "no offscreen OpenGL (EGL surfaceless platform) is available";
        return false;
    }
    m_display = display;
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                       EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 24, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                       EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count < 1) {
        m_error = "no offscreen OpenGL configuration with 8-bit colours and a depth buffer";
        return false;
    }
    const EGLint size[] = {EGL_WIDTH, w, EGL_HEIGHT, h, EGL_NONE};
    m_surface = eglCreatePbufferSurface(display, config, size);
    if (m_surface == EGL_NO_SURFACE) {
        m_surface = nullptr;
        m_error = "cannot make an offscreen picture of " + std::to_string(w) + " x " + std::to_string(h) + " pixels";
        return false;
    }
    eglBindAPI(EGL_OPENGL_API);
    m_context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (m_context == EGL_NO_CONTEXT || !eglMakeCurrent(display, m_surface, m_surface, m_context)) {
        if (m_context == EGL_NO_CONTEXT) m_context = nullptr;
        m_error = "cannot create an offscreen OpenGL context";
        return false;
    }
    m_w = w;
    m_h = h;
    return true;
}

bool COffscreenGL::MakeCurrent()
{
    return m_context && eglMakeCurrent(m_display, m_surface, m_surface, m_context);
}

std::vector<unsigned char> COffscreenGL::ReadPixels() const
{
    std::vector<unsigned char> pixels(std::size_t(m_w) * m_h * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_w, m_h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    // GL rows run upward.
    const std::size_t row = std::size_t(m_w) * 4;
    std::vector<unsigned char> line(row);
    for (int y = 0; y < m_h / 2; y++) {
        unsigned char* a = pixels.data() + row * y;
        unsigned char* b = pixels.data() + row * (m_h - 1 - y);
        std::memcpy(line.data(), a, row);
        std::memcpy(a, b, row);
        std::memcpy(b, line.data(), row);
    }
    return pixels;
}
