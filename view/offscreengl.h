// COffscreenGL: a GL context of its own drawing into an offscreen pixel buffer, for pictures
// made without a window or a display server (EGL on Mesa's surfaceless platform).
#pragma once

#include <string>
#include <vector>

class COffscreenGL {
public:
    COffscreenGL() = default;
    ~COffscreenGL();
    COffscreenGL(const COffscreenGL&) = delete;
    COffscreenGL& operator=(const COffscreenGL&) = delete;

    // Creates a compatibility-profile context with a w x h RGBA buffer with depth and makes it
    // current. False, with the reason in Error(), when that is not possible.
    bool Create(int w, int h);
    // Makes the context current again (after another context was).
    bool MakeCurrent();
    // The buffer's pixels, RGBA bytes, rows from the top down.
    std::vector<unsigned char> ReadPixels() const;
    const std::string& Error() const { return m_error; }

private:
    void* m_display = nullptr;
    void* m_surface = nullptr;
    void* m_context = nullptr;
    int m_w = 0, m_h = 0;
    std::string m_error;
};
