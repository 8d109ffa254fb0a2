// Helpers of the editor tests: documents of a given size, scenes read back as images, points
// projected to pixels, and an answerer for the message boxes the commands open.
#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "document/tesseradoc.h"
#include "view/tesseraview.h"

#include "../support/cellliteral.h"

// The text of a space file holding the given cells.
std::string SpaceFileText(int sx, int sy, int sz, std::initializer_list<SCellLiteral> cells = {});

// Replaces the document's space through the file reader; the view is then initialised as after Open.
void LoadSpace(CTesseraDoc& doc, int sx, int sy, int sz, std::initializer_list<SCellLiteral> cells = {});

class CMainFrame;
class QDialog;

// The main frame of a test, made as the application makes it with no file named (the settings
// of earlier tests cleared) and, when asked, shown with the focus in its view. Dropping it
// never asks to save.
struct SFrameFixture {
    CMainFrame* frame = nullptr;
    void Make(bool show);
    void Drop();
};

// A document with its view, shown at a fixed size.
struct SViewFixture {
    explicit SViewFixture(int sx = 40, int sy = 10, int sz = 30, std::initializer_list<SCellLiteral> cells = {},
                          bool show = false);
    CTesseraDoc doc;
    CTesseraView view{&doc};
};

// The clicks the document holds for a running program, taken (and cleared) as a step would.
std::pair<int, int> TakeClicks(CTesseraDoc& doc);

// The scene as drawn now.
QImage RenderScene(CTesseraView& view);
// The view's framebuffer as it holds the last frame, without drawing.
QImage ReadFrame(CTesseraView& view);

// The pixel at which the world point appears in an image of the view.
QPoint Project(const CTesseraView& view, float x, float y, float z);

// Pixels within radius of p whose three components all exceed the threshold.
int CountBright(const QImage& image, QPoint p, int radius, int threshold = 240);

// Runs `open`, which opens a modal dialog, and hands the dialog, made the active window, to
// `answer`, which must close it. False when no dialog came up.
bool AnswerDialog(const std::function<void()>& open, const std::function<void(QDialog*)>& answer);

// Answers every message box that comes up while it exists: records its text and presses
// `button` (the first question box) or OK.
class CMessageBoxAnswerer : public QObject {
    Q_OBJECT

public:
    explicit CMessageBoxAnswerer(int questionButton);
    QStringList texts;

private:
    void Poll();
    QTimer m_timer;
    int m_questionButton;
};
