// The GIF through giflib: a global palette (CGifPalette), the NETSCAPE2.0 extension for the
// loop, then per frame a graphics control block (delay, disposal "leave in place") and the
// changed rectangle, LZW-coded by giflib line by line.
#include "view/gifanimation.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

CGifAnimation::~CGifAnimation()
{
    if (m_gif) EGifCloseFile(m_gif, nullptr);
}

bool CGifAnimation::Fail(int code)
{
    m_error = QString::fromUtf8(GifErrorString(code));
    return false;
}

bool CGifAnimation::Open(const QString& path, int w, int h)
{
    // Opened here rather than by giflib, which would make the file readable by its owner only.
    const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    int code = 0;
    m_gif = EGifOpenFileHandle(fd, &code);
    if (!m_gif) {
        ::close(fd);
        return Fail(code);
    }
    m_w = w;
    m_h = h;
    std::vector<GifColorType> colours;
    for (const CGifPalette::SColour& c : m_palette.Colours()) colours.push_back({c.r, c.g, c.b});
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    EGifSetGifVersion(m_gif, true);
    const int put = EGifPutScreenDesc(m_gif, w, h, 8, 0, map);
    GifFreeMapObject(map);
    if (put == GIF_ERROR) return Fail(m_gif->Error);
    // Loop forever.
    unsigned char loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(m_gif, 11, "NETSCAPE2.0") == GIF_ERROR || EGifPutExtensionBlock(m_gif, 3, loop) == GIF_ERROR ||
        EGifPutExtensionTrailer(m_gif) == GIF_ERROR)
        return Fail(m_gif->Error);
    return true;
}

bool CGifAnimation::AddFrame(const QImage& frame, int delay)
{
    if (!m_gif) return false;
    const QImage rgb = frame.format() == QImage::Format_RGB32 ? frame : frame.convertToFormat(QImage::Format_RGB32);
    if (rgb.width() != m_w || rgb.height() != m_h) {
        m_error = "a frame of another size";
        return false;
    }
    if (m_hasPending && !WritePending(m_pendingDelay)) return false;
    m_pending.resize(std::size_t(m_w) * m_h);
    for (int y = 0; y < m_h; y++) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        unsigned char* out = m_pending.data() + std::size_t(y) * m_w;
        for (int x = 0; x < m_w; x++) out[x] = m_palette.Index(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
    }
    m_pendingDelay = delay;
    m_hasPending = true;
    return true;
}

bool CGifAnimation::WritePending(int delay)
{
    // The rectangle where the frame differs from what is shown (all of it for the first); an
    // unchanged frame still takes one pixel, to hold its time.
    int x0 = 0, y0 = 0, x1 = m_w - 1, y1 = m_h - 1;
    if (!m_shown.empty()) {
        x0 = m_w, y0 = m_h, x1 = -1, y1 = -1;
        for (int y = 0; y < m_h; y++) {
            const unsigned char* a = m_pending.data() + std::size_t(y) * m_w;
            const unsigned char* b = m_shown.data() + std::size_t(y) * m_w;
            if (std::memcmp(a, b, std::size_t(m_w)) == 0) continue;
            y0 = std::min(y0, y);
            y1 = y;
            int left = 0, right = m_w - 1;
            while (a[left] == b[left]) left++;
            while (a[right] == b[right]) right--;
            x0 = std::min(x0, left);
            x1 = std::max(x1, right);
        }
        if (x1 < 0) x0 = x1 = y0 = y1 = 0;
    }
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, delay, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_ERROR ||
        EGifPutImageDesc(m_gif, x0, y0, x1 - x0 + 1, y1 - y0 + 1, false, nullptr) == GIF_ERROR)
        return Fail(m_gif->Error);
    for (int y = y0; y <= y1; y++)
        if (EGifPutLine(m_gif, m_pending.data() + std::size_t(y) * m_w + x0, x1 - x0 + 1) == GIF_ERROR)
            return Fail(m_gif->Error);
    m_shown.swap(m_pending);
    m_hasPending = false;
    m_frames++;
    return true;
}

bool CGifAnimation::Close(int lastDelay)
{
    if (!m_gif) return false;
    bool ok = !m_hasPending || WritePending(lastDelay < 0 ? m_pendingDelay : lastDelay);
    int code = 0;
    if (EGifCloseFile(m_gif, &code) == GIF_ERROR && ok) ok = Fail(code);
    m_gif = nullptr;
    return ok;
}
