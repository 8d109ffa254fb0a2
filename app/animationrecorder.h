// CAnimationRecorder: runs a document's program and writes what a view shows of it as an
// animated GIF, a frame before the first step and then one every N steps, each frame encoded as
// it comes. Drives the run itself (it is the document's run window while it records), so the
// document must be one of its own: the command line's, or the editor's copy of its space.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

#include "run/queuedrunwindow.h"

class CTesseraDoc;
class CTesseraView;

struct SAnimationSettings {
    QSize size{640, 480};
    int every = 1;      // a frame every N steps (and the last step's)
    int steps = 1000;   // at most this many steps; 0: until the run ends
    int delay = 10;     // hundredths of a second per frame
    int lastDelay = 200;  // the last frame's, so that a looping picture rests on the result
};

class CAnimationRecorder : public CQueuedRunWindow {
public:
    // Called after every step with the steps done; returning false cancels.
    using Progress = std::function<bool(int step)>;

    enum EResult { WRITTEN, CANCELLED, FAILED };
    // Records `doc`'s run as `view` draws it into `path`. On CANCELLED and FAILED no file is left;
    // FAILED puts the reason in Error(). The run is stopped at the end in every case.
    EResult Record(CTesseraDoc& doc, CTesseraView& view, const QString& path, const SAnimationSettings& settings,
                   const Progress& progress = nullptr);
    int Frames() const { return m_frames; }
    int Steps() const { return m_steps; }
    const QString& Error() const { return m_error; }

private:
    int m_frames = 0;
    int m_steps = 0;
    QString m_error;
};
