// The view's direct keys: each runs what its menu item runs, Shift moves by the big step and
// keeps the chosen step, the keys show in the menus, and a small program placed with the Insert
// keys takes few keystrokes from New to its run (the count is printed).
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QtTest>

#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/tesseraapp.h"
#include "guitestsupport.h"

namespace {
struct SCursor {
    int x, y, z;
    bool operator==(const SCursor&) const = default;
};

SCursor CursorOf(const CTesseraView* view) { return {view->GetEditor().GetCursorX(), view->GetEditor().GetCursorY(), view->GetEditor().GetCursorZ()}; }

char* toString(const SCursor& c) { return qstrdup(qPrintable(QString("(%1, %2, %3)").arg(c.x).arg(c.y).arg(c.z))); }
}  // namespace

class DirectKeysTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void movesDoWhatTheirMenuItemsDo();
    void shiftMovesByTheBigStepAndKeepsTheStep();
    void paintClearColoursAndSteps();
    void menusShowTheKeys();
    void keystrokesWithInsertSolidAndFlat();

private:
    // A key as a user presses it: to the open menu if there is one, else to the focused view.
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A key that opens a dialog; the dialog's keys are pressed in it (all of them counted). The
    // frame is made active again afterwards, as a window manager would.
    void PressIntoDialog(int key, Qt::KeyboardModifiers modifiers, const QList<QKeyCombination>& dialogKeys);
    SFrameFixture m_fixture;
    CMainFrame*& m_frame = m_fixture.frame;
    CTesseraView* m_view = nullptr;
    int m_keystrokes = 0;
};

void DirectKeysTest::init()
{
    m_fixture.Make(true);
    m_view = m_frame->GetView();
    m_keystrokes = 0;
}

void DirectKeysTest::cleanup() { m_fixture.Drop(); }

void DirectKeysTest::Press(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::activePopupWidget();
    if (!target) target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key(key), modifiers);
    m_keystrokes++;
}

void DirectKeysTest::PressIntoDialog(int key, Qt::KeyboardModifiers modifiers, const QList<QKeyCombination>& dialogKeys)
{
    QVERIFY(AnswerDialog([&] { Press(key, modifiers); }, [&](QDialog* dialog) {
        for (const QKeyCombination& k : dialogKeys) {
            QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, k.key(), k.keyboardModifiers());
            m_keystrokes++;
            QTest::qWait(150);  // a mnemonic clicks its button 100 ms later, as a hand is no faster
        }
    }));
    QApplication::setActiveWindow(m_frame);
    m_view->setFocus();
}

void DirectKeysTest::movesDoWhatTheirMenuItemsDo()
{
    const QList<QPair<int, int>> keys = {
        {Qt::Key_Left, ID_MOVECURSOR_LEFT},   {Qt::Key_Right, ID_MOVECURSOR_RIGHT},
        {Qt::Key_Down, ID_MOVECURSOR_FRONT},  {Qt::Key_Up, ID_MOVECURSOR_REAR},
        {Qt::Key_PageUp, ID_MOVECURSOR_UP},   {Qt::Key_PageDown, ID_MOVECURSOR_DOWN},
    };
    // At every eye direction: the screen-relative moves change their axis with the eye.
    for (float azimuth : {0.2f, 0.8f, 2.0f, 3.0f, -1.0f, -2.5f}) {
        m_view->PlaceEye(0.4f, azimuth, 40);
        QSet<QString> moves;
        for (const auto& [key, id] : keys) {
            const SCursor start{20, 4, 15};
            m_view->GetEditor().PlaceCursor(start.x, start.y, start.z);
            Press(key);
            const SCursor byKey = CursorOf(m_view);
            m_view->GetEditor().PlaceCursor(start.x, start.y, start.z);
            m_frame->Execute(id);
            QCOMPARE(byKey, CursorOf(m_view));
            QVERIFY(!(byKey == start));
            moves.insert(QString(toString(byKey)));
        }
        QCOMPARE(moves.size(), 6);  // six keys, six different cells
    }
}

void DirectKeysTest::shiftMovesByTheBigStepAndKeepsTheStep()
{
    m_view->PlaceEye(0.4f, 0.2f, 40);  // Left is x minus
    m_view->GetEditor().PlaceCursor(20, 4, 15);
    Press(Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(CursorOf(m_view), (SCursor{10, 4, 15}));
    QCOMPARE(m_view->GetEditor().GetStep(), 1);
    Press(Qt::Key_Left);
    QCOMPARE(CursorOf(m_view), (SCursor{9, 4, 15}));
    Press(Qt::Key_PageUp, Qt::ShiftModifier);  // clamped at the top, as the menu item is
    QCOMPARE(CursorOf(m_view), (SCursor{9, 9, 15}));
    Press(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(CursorOf(m_view), (SCursor{9, 9, 25}));
    // With the big step chosen, Shift moves by it too and the step stays big.
    Press(Qt::Key_0);
    QCOMPARE(m_view->GetEditor().GetStep(), 10);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(CursorOf(m_view), (SCursor{19, 9, 25}));
    QCOMPARE(m_view->GetEditor().GetStep(), 10);
    Press(Qt::Key_Up);
    QCOMPARE(CursorOf(m_view), (SCursor{19, 9, 15}));
    Press(Qt::Key_9);
    QCOMPARE(m_view->GetEditor().GetStep(), 1);
    // An area in move mode travels by the distance moved.
    m_frame->Execute(ID_EDIT_AREABEGIN);
    m_frame->Execute(ID_EDIT_AREAMOVE);
    m_view->GetEditor().PlaceCursor(4, 9, 15);
    const int areaX = m_view->GetEditor().GetAreaX();
    Press(Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(m_view->GetEditor().GetCursorX(), 0);
    QCOMPARE(m_view->GetEditor().GetAreaX(), areaX - 4);
}

void DirectKeysTest::paintClearColoursAndSteps()
{
    CTesseraDoc* doc = m_frame->GetDocument();
    const QList<QPair<int, int>> colours = {{Qt::Key_1, 100}, {Qt::Key_2, 103}, {Qt::Key_3, 104},
                                            {Qt::Key_4, 102}, {Qt::Key_5, 105}, {Qt::Key_6, 106},
                                            {Qt::Key_7, 107}, {Qt::Key_8, 101}};
    m_view->GetEditor().PlaceCursor(3, 0, 3);
    for (const auto& [key, code] : colours) {
        Press(key);
        QCOMPARE(m_view->GetEditor().GetColor(), code);
        Press(Qt::Key_Space);
        QCOMPARE(doc->GetCell(3, 0, 3), code);
        QVERIFY(doc->IsModified());
    }
    Press(Qt::Key_3);
    Press(Qt::Key_I);  // Take Color: the cursor cell's black
    QCOMPARE(m_view->GetEditor().GetColor(), 101);
    Press(Qt::Key_Delete);
    QCOMPARE(doc->GetCell(3, 0, 3), 0);
    // Space fills an open area and closes it, as PointSet does; Delete clears one.
    Press(Qt::Key_2);
    m_frame->Execute(ID_EDIT_AREABEGIN);
    Press(Qt::Key_Right);
    Press(Qt::Key_PageUp);
    Press(Qt::Key_Space);
    QVERIFY(!m_view->GetEditor().IsArea());
    for (int x = 3; x <= 4; x++)
        for (int y = 0; y <= 1; y++) QCOMPARE(doc->GetCell(x, y, 3), 103);
    m_frame->Execute(ID_EDIT_AREABEGIN);
    Press(Qt::Key_Left);
    Press(Qt::Key_Delete);
    QCOMPARE(doc->GetCell(3, 1, 3), 0);
    QCOMPARE(doc->GetCell(4, 1, 3), 0);
    QCOMPARE(doc->GetCell(3, 0, 3), 103);
    // The Shift+Delete accelerator still cuts, and Shift+Insert still pastes.
    m_view->GetEditor().PlaceCursor(3, 0, 3);
    Press(Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(doc->GetCell(3, 0, 3), 0);
    QCOMPARE(m_view->GetEditor().GetClipboard().get(0, 0, 0), 103);
    Press(Qt::Key_PageUp);
    Press(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(doc->GetCell(3, 1, 3), 103);
}

void DirectKeysTest::menusShowTheKeys()
{
    const QList<QPair<int, QString>> shown = {
        {ID_MOVECURSOR_UP, "PgUp"},  {ID_MOVECURSOR_DOWN, "PgDown"}, {ID_MOVECURSOR_LEFT, "Left"},
        {ID_MOVECURSOR_RIGHT, "Right"}, {ID_MOVECURSOR_FRONT, "Down"}, {ID_MOVECURSOR_REAR, "Up"},
        {ID_MOVECURSOR_STEP1, "9"},  {ID_MOVECURSOR_STEPBIG, "0"},   {ID_EDIT_POINTSET, "Space"},
        {ID_EDIT_POINTRESET, "Del"}, {ID_COLOR_WHITE, "1"},           {ID_COLOR_BLACK, "8"},
        {ID_EDIT_TAKECOLOR, "I"},    {ID_INSERT_FIRST, "W"},          {ID_INSERT_FIRST + 1, "R"},
    };
    // A menu shows an item's first key beside its text; the item must be in a menu of the bar.
    QSet<QAction*> inMenus;
    for (QMenu* menu : m_frame->menuBar()->findChildren<QMenu*>())
        for (QAction* a : menu->actions()) inMenus.insert(a);
    for (const auto& [id, key] : shown) {
        QAction* a = m_frame->Action(id);
        QCOMPARE(a->shortcut().toString(), key);
        QVERIFY(inMenus.contains(a));
        QVERIFY(!a->text().contains('\t'));  // a text after a tab would hide the key
    }
}

// A small program (a work area holding one red cell, and a rule red -> green) drawn with the
// Insert menu's keys, from File > New to the end of the run, solid and then flat (File > Space
// Size, Flat); the keys are counted. R and W place a rule and a work area at the cursor (Enter
// takes the dialog's sizes: 1 x 1 x 1 boxes, a 3 x 3 interior), which then stands on the box to fill.
void DirectKeysTest::keystrokesWithInsertSolidAndFlat()
{
    CTesseraDoc* doc = m_frame->GetDocument();
    const QList<QKeyCombination> enter = {QKeyCombination(Qt::Key_Return)};
    for (bool flat : {false, true}) {
        m_keystrokes = 0;
        doc->SetCell(0, 0, 0, 103);  // New starts again from any space
        {
            CMessageBoxAnswerer dontSave(QMessageBox::No);  // "Save changes?" after the first run
            Press(Qt::Key_N, Qt::ControlModifier);
        }
        QApplication::setActiveWindow(m_frame);  // back from the question, as a window manager does
        m_view->setFocus();
        QCOMPARE(doc->GetSpace().countNonEmpty(), 0);
        if (flat) {
            Press(Qt::Key_F, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            PressIntoDialog(Qt::Key_Z, Qt::NoModifier, {QKeyCombination(Qt::AltModifier, Qt::Key_F), enter[0]});
            QCOMPARE(doc->GetSizeY(), 1);
        }
        const int y = flat ? 0 : 1;  // the content's height: on the floor of a solid block
        PressIntoDialog(Qt::Key_R, Qt::NoModifier, enter);
        const SCursor left = CursorOf(m_view);
        QCOMPARE(left, (SCursor{flat ? 21 : 20, y, 16}));
        Press(Qt::Key_2);
        Press(Qt::Key_Space);
        Press(Qt::Key_Right);
        Press(Qt::Key_Right);
        Press(Qt::Key_3);
        Press(Qt::Key_Space);
        Press(Qt::Key_Right, Qt::ShiftModifier);  // clear of the rule, with room for the work area
        PressIntoDialog(Qt::Key_W, Qt::NoModifier, enter);
        const SCursor inside = CursorOf(m_view);
        Press(Qt::Key_2);
        Press(Qt::Key_Space);
        Press(Qt::Key_F5);
        QTRY_VERIFY_WITH_TIMEOUT(!doc->IsBusy() && doc->Session().RunControl().state() == CRunControl::State::Ended, 20000);
        qInfo("Keystrokes from New to a finished run with Insert, %s: %d", flat ? "flat" : "solid", m_keystrokes);
        QCOMPARE(doc->GetCell(inside.x, inside.y, inside.z), 104);  // the rule ran
        QCOMPARE(doc->GetCell(left.x, left.y, left.z), 103);
        QVERIFY(m_keystrokes <= (flat ? 20 : 15));
    }
}

QTEST_MAIN(DirectKeysTest)
#include "directkeys_test.moc"
