// Watching a run in the editor: Step, Pause and speed from the menus, the step and state panes,
// the final status text, and the Changes, Applied Rules and Program Blocks overlays.
#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/tesseraapp.h"
#include "guitestsupport.h"
#include "view/runwatcher.h"

namespace {
// Pixels that only the work-area outline (cyan) draws: the example scenes hold no such colour.
int CountCyan(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); y++)
        for (int x = 0; x < image.width(); x++) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 60 && c.green() > 200 && c.blue() > 200) n++;
        }
    return n;
}

// Pixels of the near-miss outline's warning red, which no cell colour or block outline has.
int CountWarning(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); y++)
        for (int x = 0; x < image.width(); x++) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 230 && c.green() >= 25 && c.green() <= 55 && c.blue() >= 12 && c.blue() <= 40) n++;
        }
    return n;
}

// What the screen shows of the view, once pending paints are done.
QImage OnScreen(QWidget* view)
{
    QTest::qWait(100);
    const QPoint at = view->mapToGlobal(QPoint(0, 0));
    return view->screen()->grabWindow(0, at.x(), at.y(), view->width(), view->height()).toImage();
}
}  // namespace

class RunWatchTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void stepPauseEditAndPanes();
    void endStopAndNothingToRun();
    void programBlocksFollowEdits();
    void nearMissesAreExplained();

private:
    QString State() const { return m_frame->StatePane()->text(); }
    QString Step() const { return m_frame->StepPane()->text(); }
    QString Message() const { return m_frame->statusBar()->currentMessage(); }
    SFrameFixture m_fixture;
    CMainFrame*& m_frame = m_fixture.frame;
};

void RunWatchTest::init() { m_fixture.Make(true); }
void RunWatchTest::cleanup() { m_fixture.Drop(); }

void RunWatchTest::stepPauseEditAndPanes()
{
    QVERIFY(m_frame->OpenDocumentFile(TESSERA_EXAMPLES "/long-run.ts3"));
    CTesseraView* view = m_frame->GetView();
    QCOMPARE(State(), QString());
    QVERIFY(m_frame->RunToolBar()->actions().contains(m_frame->Action(ID_RUN_PAUSE)));

    // Step from a stopped state: a run that pauses after its first step.
    m_frame->Execute(ID_RUN_STEP);
    QTRY_COMPARE(State(), QString("Paused"));
    QCOMPARE(Step(), QString("Step 1"));
    QVERIFY(m_frame->Action(ID_RUN_PAUSE)->isChecked());
    QTest::qWait(300);
    QCOMPARE(Step(), QString("Step 1"));  // held

    // Changes and Applied Rules: the walking cell leaves one cell and enters the next, by the
    // one rule drawn at (1,0,1)-(7,0,3).
    m_frame->Execute(ID_VIEW_CHANGES);
    m_frame->Execute(ID_VIEW_APPLIED_RULES);
    QVERIFY(m_frame->Action(ID_VIEW_CHANGES)->isChecked());
    m_frame->Execute(ID_RUN_STEP);
    QTRY_COMPARE(Step(), QString("Step 2"));
    QCOMPARE(State(), QString("Paused"));
    QCOMPARE(int(view->RunWatcher().GetChanges().size()), 2);
    QCOMPARE(int(view->RunWatcher().GetAppliedRules().size()), 1);
    QVERIFY(view->RunWatcher().GetAppliedRules()[0].drawing.isEqual(CBox(1, 0, 1, 7, 0, 3)));
    QCOMPARE(view->RunWatcher().GetAppliedRules()[0].positions, 1);

    // An edit while paused restarts the run, paused again after its first step; the outlines
    // of the old step are gone.
    view->GetEditor().PlaceCursor(30, 0, 20);
    m_frame->Execute(ID_EDIT_POINTSET);
    QVERIFY(view->RunWatcher().GetChanges().empty());
    QTRY_COMPARE(Step(), QString("Step 1"));
    QTRY_COMPARE(State(), QString("Paused"));

    // F8 resumes; the run goes on to its end and the message pane says how it ended.
    QApplication::setActiveWindow(m_frame);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F8);
    QVERIFY(!m_frame->GetDocument()->Session().RunControl().isPaused());
    QTRY_VERIFY_WITH_TIMEOUT(State().startsWith("Ended after"), 20000);
    // The restarted run began where the cell had walked to in two steps.
    QCOMPARE(State(), QString("Ended after 118 steps"));
    QCOMPARE(m_frame->statusBar()->currentMessage(), QString("Phase:Match(End )"));
}

void RunWatchTest::endStopAndNothingToRun()
{
    QVERIFY(m_frame->OpenDocumentFile(TESSERA_EXAMPLES "/long-run.ts3"));
    // One step a second: Stop still answers at once.
    m_frame->Execute(ID_RUN_SPEED_FIRST + 3);
    QVERIFY(m_frame->Action(ID_RUN_SPEED_FIRST + 3)->isChecked());
    QVERIFY(!m_frame->Action(ID_RUN_SPEED_FIRST)->isChecked());
    m_frame->Execute(ID_RUN_START);
    QTRY_COMPARE(Step(), QString("Step 1"));
    QCOMPARE(State(), QString("Running"));
    QTest::qWait(300);
    QCOMPARE(Step(), QString("Step 1"));  // the next step waits for the delay
    m_frame->GetView()->Redraw();  // a frame of the run drawn, and Stop before it is painted
    QElapsedTimer timer;
    timer.start();
    m_frame->Execute(ID_RUN_STOP);
    QVERIFY(timer.elapsed() < 500);
    QCOMPARE(State(), QString("Stopped at step 1"));
    QVERIFY(m_frame->GetDocument()->IsModified());  // the step's result cannot be made again
    // The frame after Stop, drawn at the next paint, is on screen as a drawing made now draws it:
    // with the cursor back, not the last frame of the run.
    const QImage afterStop = OnScreen(m_frame->GetView());
    m_frame->GetView()->Redraw();
    QCOMPARE(OnScreen(m_frame->GetView()), afterStop);

    // A new space is no run's: the panes are empty. Then a space without a work area or a
    // window: the message pane keeps the scan's last status, the state pane says why it ended.
    m_frame->Execute(ID_RUN_SPEED_FIRST);
    m_frame->GetDocument()->SetModifiedFlag(false);
    m_frame->OnFileNew();
    QCOMPARE(State(), QString());
    QCOMPARE(Step(), QString());
    m_frame->Execute(ID_RUN_START);
    QTRY_COMPARE(State(), QString("Nothing to run"));
    QCOMPARE(m_frame->StatePane()->toolTip(), QString("Nothing to run: no work area or sub-program found"));
    QCOMPARE(m_frame->statusBar()->currentMessage(), QString("Phase:Separate 30/30"));
}

void RunWatchTest::programBlocksFollowEdits()
{
    QVERIFY(m_frame->OpenDocumentFile(TESSERA_EXAMPLES "/gravity.ts3"));
    CTesseraView* view = m_frame->GetView();
    view->OnViewCursor();  // the cursor's guides would cover parts of the scene
    QCOMPARE(CountCyan(RenderScene(*view)), 0);

    m_frame->Execute(ID_VIEW_PROGRAM_BLOCKS);
    const std::vector<CBlockEntry>& blocks = view->GetProgramBlocks();
    QCOMPARE(int(blocks.size()), 2);
    QCOMPARE(blocks[0].kind, CBlockKind::RuleGroup);
    QVERIFY(blocks[0].box.isEqual(CBox(0, 0, 1, 2, 2, 2)));
    QCOMPARE(blocks[1].kind, CBlockKind::WorkArea);
    QVERIFY(blocks[1].box.isEqual(CBox(6, 0, 1, 9, 4, 3)));
    QVERIFY(CountCyan(RenderScene(*view)) > 20);  // the work area is outlined

    // Taking the work area's post away breaks it: after the edit its outline goes.
    view->GetEditor().PlaceCursor(6, 1, 1);
    m_frame->Execute(ID_EDIT_POINTRESET);
    QTRY_COMPARE(int(view->GetProgramBlocks().size()), 1);
    QCOMPARE(view->GetProgramBlocks()[0].kind, CBlockKind::RuleGroup);
    QCOMPARE(CountCyan(RenderScene(*view)), 0);
}

// gravity.ts3 broken one cell at a time: the work area's post, then the rule group's corner.
void RunWatchTest::nearMissesAreExplained()
{
    QVERIFY(m_frame->OpenDocumentFile(TESSERA_EXAMPLES "/gravity.ts3"));
    CTesseraView* view = m_frame->GetView();
    m_frame->Execute(ID_VIEW_PROGRAM_BLOCKS);
    QVERIFY(view->GetNearMisses().empty());
    QCOMPARE(CountWarning(RenderScene(*view)), 0);

    view->GetEditor().PlaceCursor(6, 1, 1);
    m_frame->Execute(ID_EDIT_POINTRESET);
    QTRY_COMPARE(int(view->GetNearMisses().size()), 1);
    QVERIFY(CountWarning(RenderScene(*view)) > 20);
    const QString post = "Work area at (6,0,1): the cell (6,1,1) of the left post should be green; it is empty";
    const struct {
        int x, y, z;
        bool on;
    } cursors[] = {{6, 1, 1, true}, {8, 2, 2, true}, {14, 0, 7, false}, {9, 4, 3, true}, {10, 4, 3, false}};
    for (const auto& c : cursors) {
        view->GetEditor().PlaceCursor(c.x, c.y, c.z);
        m_frame->UpdateCommandUI();
        QCOMPARE(Message(), c.on ? post : QString());
    }
    // Off, the outlines and the explanations go.
    m_frame->Execute(ID_VIEW_PROGRAM_BLOCKS);
    view->GetEditor().PlaceCursor(6, 1, 1);
    m_frame->UpdateCommandUI();
    QCOMPARE(Message(), QString());
    QCOMPARE(CountWarning(RenderScene(*view)), 0);

    // With no work area left, the run names the near miss nearest the cursor, Program Blocks off.
    m_frame->Execute(ID_RUN_START);
    QTRY_COMPARE(State(), QString("Nothing to run"));
    QTRY_COMPARE(Message(), "Nothing to run. Nearest near miss: " + post);
    // A work area whose only rule group is broken: the run ends at once, and says why.
    m_frame->Execute(ID_EDIT_POINTSET);
    view->GetEditor().PlaceCursor(0, 0, 1);
    m_frame->Execute(ID_EDIT_POINTRESET);
    m_frame->Execute(ID_RUN_START);
    QTRY_COMPARE(State(), QString("Ended after 1 step"));
    QTRY_COMPARE(Message(), QString("No rule applied. Nearest near miss: Rule group at (0,0,1): the front bottom left "
                                    "corner (0,0,1) of the left box should be green; it is empty"));
}

QTEST_MAIN(RunWatchTest)
#include "runwatch_test.moc"
