// The recording loop: while the worker waits at a step's show request, the view draws the space
// and the frame goes to the encoder; only then is the worker let go on. A run that shows nothing
// for 30 s (every unit asleep) ends the recording there, as it ends a picture's run.
#include "app/animationrecorder.h"

#include <QFile>
#include <chrono>

#include "document/tesseradoc.h"
#include "view/gifanimation.h"
#include "view/runwatcher.h"
#include "view/tesseraview.h"

namespace {
constexpr auto POLL = std::chrono::milliseconds(100);
constexpr int SILENT_POLLS = 300;  // 30 s
}  // namespace

CAnimationRecorder::EResult CAnimationRecorder::Record(CTesseraDoc& doc, CTesseraView& view, const QString& path,
                                                       const SAnimationSettings& settings, const Progress& progress)
{
    m_frames = m_steps = 0;
    CGifAnimation gif;
    if (!gif.Open(path, settings.size.width(), settings.size.height())) {
        m_error = gif.Error();
        return FAILED;
    }
    auto frame = [&] {
        QString error;
        const QImage image = view.RenderNextPicture(settings.size, &error);
        if (image.isNull()) {
            m_error = "cannot draw the frame: " + error;
            return false;
        }
        if (!gif.AddFrame(image, settings.delay)) {
            m_error = gif.Error();
            return false;
        }
        return true;
    };

    // The run's messages come here while the run lasts, then go back to the view.
    doc.SetRunWindow(this);
    EResult result = frame() ? WRITTEN : FAILED;
    if (result == WRITTEN && settings.steps != 0 && progress && !progress(0)) result = CANCELLED;
    if (result == WRITTEN && settings.steps != 0) doc.StartRun();
    int framed = 0;  // the step of the last frame
    for (int silent = 0; result == WRITTEN && settings.steps != 0;) {
        const RunMessage message = next(POLL);
        if (message == RunMessage::None) {
            if (progress && !progress(m_steps)) result = CANCELLED;
            if (++silent >= SILENT_POLLS) break;
            continue;
        }
        if (message != RunMessage::Show) {  // the run ended: its result is the last frame
            if (framed != m_steps && !frame()) result = FAILED;
            break;
        }
        silent = 0;
        m_steps++;
        const bool last = doc.Session().IsLastStepShown() || m_steps == settings.steps;
        if (m_steps % settings.every == 0 || last) {
            if (!frame()) result = FAILED;
            framed = m_steps;
        }
        if (result == WRITTEN && progress && !progress(m_steps)) result = CANCELLED;
        if (last) break;
        doc.SignalContinue();
    }
    doc.StopRun();
    doc.SetRunWindow(&view.RunWatcher());
    view.EndPictures();

    if (result == WRITTEN && !gif.Close(settings.lastDelay)) {
        m_error = gif.Error();
        result = FAILED;
    }
    m_frames = gif.Frames();
    if (result != WRITTEN) {
        gif.Close();
        QFile::remove(path);
    }
    return result;
}
