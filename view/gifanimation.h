// CGifAnimation: an animated GIF written frame by frame through giflib, so that a long run never
// holds more than two frames. Each frame after the first is stored as the rectangle in which it
// differs from the one before (left in place beneath it); the picture loops forever.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "view/gifpalette.h"

struct GifFileType;

class CGifAnimation {
public:
    CGifAnimation() = default;
    ~CGifAnimation();
    CGifAnimation(const CGifAnimation&) = delete;
    CGifAnimation& operator=(const CGifAnimation&) = delete;

    // Creates the file for frames of w x h pixels. False, with the reason in Error().
    bool Open(const QString& path, int w, int h);
    // Adds a frame (of the size given to Open) shown for `delay` hundredths of a second. The
    // frame is written when the next one comes or at Close, which may give it a longer delay.
    bool AddFrame(const QImage& frame, int delay);
    // Writes the last frame, shown for `lastDelay` hundredths (or its own delay when negative),
    // and closes the file. False, with the reason, when a write failed.
    bool Close(int lastDelay = -1);
    int Frames() const { return m_frames; }
    const QString& Error() const { return m_error; }

private:
    bool WritePending(int delay);
    bool Fail(int code);

    CGifPalette m_palette;
    GifFileType* m_gif = nullptr;
    int m_w = 0, m_h = 0;
    std::vector<unsigned char> m_shown;    // the picture as the frames written so far leave it
    std::vector<unsigned char> m_pending;  // the frame waiting to be written
    int m_pendingDelay = 0;
    bool m_hasPending = false;
    int m_frames = 0;
    QString m_error;
};
