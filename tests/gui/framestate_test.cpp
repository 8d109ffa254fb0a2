// The main frame's state around the space: the "where am I" pane, the unsaved mark in the
// title, the remembered window geometry, several dropped files, the help window's keys and
// File > Space Size.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <fstream>

#include "app/commandids.h"
#include "app/helpwindow.h"
#include "app/mainframe.h"
#include "app/spacesizedialog.h"
#include "app/tesseraapp.h"
#include "app/whereamipane.h"
#include "guitestsupport.h"

namespace {
void WriteFile(const QString& path, const std::string& bytes)
{
    std::ofstream out(path.toStdString(), std::ios::binary);
    out << bytes;
}

// Runs `answer` on the Space Size dialog once it is up, then returns.
void WhenSizeDialogOpens(QObject* context, std::function<void(CSpaceSizeDialog*)> answer)
{
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, answer] {
        auto* dialog = qobject_cast<CSpaceSizeDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        answer(dialog);
    });
    timer->start(20);
}
}  // namespace

class FrameStateTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void whereAmIFollowsCursorAreaColourAndSize();
    void titleMarksUnsavedChanges();
    void geometryIsRememberedBetweenSessions();
    void severalDroppedFilesAreOpenedInTurn();
    void helpWindowClosesWithEscAndCtrlW();
    void spaceSizeGrowKeepsEveryCell();
    void spaceSizeShrinkAsksBeforeDroppingCells();
    void spaceSizeFlatAndImpossibleSizes();
    void wideSpaceOpensFittedAndFitSpaceFromTheMenu();

private:
    SFrameFixture m_fixture;
    CMainFrame*& m_frame = m_fixture.frame;
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }
};

void FrameStateTest::init() { m_fixture.Make(false); }
void FrameStateTest::cleanup() { m_fixture.Drop(); }

void FrameStateTest::whereAmIFollowsCursorAreaColourAndSize()
{
    CWhereAmIPane* pane = m_frame->WhereAmI();
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    QVERIFY(pane->isVisible());
    QCOMPARE(pane->Text(), QString("x 20  y 0  z 15  in 40 × 10 × 30"));
    QCOMPARE(pane->ColourName(), QString("Green"));
    QCOMPARE(pane->SwatchColour(), QColor(0, 255, 0));
    // Commands update it at once.
    m_frame->Execute(ID_MOVECURSOR_UP);
    m_frame->Execute(ID_COLOR_RED);
    QCOMPARE(pane->Text(), QString("x 20  y 1  z 15  in 40 × 10 × 30"));
    QCOMPARE(pane->SwatchColour(), QColor(255, 0, 0));
    QCOMPARE(pane->ColourName(), QString("Red"));
    // An open area shows its size, whichever way it was drawn.
    m_frame->Execute(ID_EDIT_AREABEGIN);
    m_frame->Execute(ID_MOVECURSOR_UP);
    m_frame->Execute(ID_MOVECURSOR_UP);
    m_frame->GetView()->GetEditor().PlaceCursor(17, 3, 16);
    m_frame->UpdateCommandUI();
    QCOMPARE(pane->Text(), QString("x 17  y 3  z 16  in 40 × 10 × 30  area 4 × 3 × 2"));
    m_frame->Execute(ID_EDIT_AREACANCEL);
    QVERIFY(!pane->Text().contains("area"));
    // A change from elsewhere (the mouse, a run) shows by the idle update.
    m_frame->GetView()->GetEditor().PlaceCursor(1, 2, 3);
    QTRY_COMPARE(pane->Text(), QString("x 1  y 2  z 3  in 40 × 10 × 30"));
    // Another space shows its size.
    WriteFile(Path("small.ts3"), SpaceFileText(7, 1, 5));
    QVERIFY(m_frame->OpenDocumentFile(Path("small.ts3")));
    QCOMPARE(pane->Text(), QString("x 3  y 0  z 2  in 7 × 1 × 5"));
}

void FrameStateTest::titleMarksUnsavedChanges()
{
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    QVERIFY(!m_frame->isWindowModified());
    QCOMPARE(m_frame->windowHandle()->title(), QString("Untitled - 3D-Tessera"));
    m_frame->Execute(ID_EDIT_POINTSET);
    QVERIFY(m_frame->isWindowModified());
    QCOMPARE(m_frame->windowHandle()->title(), QString("Untitled* - 3D-Tessera"));
    QVERIFY(m_frame->DoSave(Path("saved.ts3")));
    QVERIFY(!m_frame->isWindowModified());
    QCOMPARE(m_frame->windowHandle()->title(), QString("saved.ts3 - 3D-Tessera"));
    // A change the frame did not run itself (the mouse, the joystick) shows by the idle update.
    m_frame->GetDocument()->SetModifiedFlag(true);
    QTRY_VERIFY(m_frame->isWindowModified());
}

void FrameStateTest::geometryIsRememberedBetweenSessions()
{
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    QCOMPARE(m_frame->size(), QSize(640, 480));  // the first start
    m_frame->setGeometry(QRect(QPoint(130, 90), QSize(820, 610)));
    QTRY_COMPARE(m_frame->size(), QSize(820, 610));
    const QPoint place = m_frame->pos();
    QVERIFY(m_frame->close());
    std::unique_ptr<CMainFrame> next(CTesseraApp::CreateMainFrame({}));
    next->show();
    QVERIFY(QTest::qWaitForWindowExposed(next.get()));
    QCOMPARE(next->size(), QSize(820, 610));
    QCOMPARE(next->pos(), place);
}

void FrameStateTest::severalDroppedFilesAreOpenedInTurn()
{
    QList<QUrl> urls;
    for (int i = 1; i <= 3; i++) {
        const QString name = Path(QString("drop%1.ts3").arg(i));
        WriteFile(name, SpaceFileText(3, 3, 3, {{i - 1, 0, 0, 100 + i}}));
        urls.append(QUrl::fromLocalFile(name));
    }
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_frame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_frame, &drop);
    QTRY_COMPARE(m_frame->windowTitle(), QString("drop3.ts3[*] - 3D-Tessera"));
    QCOMPARE(m_frame->GetDocument()->GetCell(2, 0, 0), 103);  // the last one stays open
    const QStringList recent = m_frame->RecentFiles().Files();
    QCOMPARE(recent.size(), 3);
    QVERIFY(recent[0].endsWith("drop3.ts3") && recent[1].endsWith("drop2.ts3") && recent[2].endsWith("drop1.ts3"));
}

void FrameStateTest::helpWindowClosesWithEscAndCtrlW()
{
    for (auto [key, modifiers] : {std::pair{Qt::Key_Escape, Qt::NoModifier}, std::pair{Qt::Key_W, Qt::ControlModifier}}) {
        m_frame->Execute(ID_HELP_INDEX);
        auto* help = m_frame->findChild<CHelpWindow*>();
        QVERIFY(help);
        QTRY_VERIFY(help->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QApplication::setActiveWindow(help);
        QTest::keyClick(help->Browser(), key, Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY(!help->isVisible());
    }
}

void FrameStateTest::spaceSizeGrowKeepsEveryCell()
{
    CTesseraDoc* doc = m_frame->GetDocument();
    WriteFile(Path("cells.ts3"), SpaceFileText(5, 2, 4, {{0, 0, 0, 103}, {4, 1, 3, 104}, {2, 1, 1, 107}}));
    QVERIFY(m_frame->OpenDocumentFile(Path("cells.ts3")));
    m_frame->Execute(ID_COLOR_BLUE);
    m_frame->Execute(ID_MOVECURSOR_STEPBIG);
    WhenSizeDialogOpens(this, [](CSpaceSizeDialog* dialog) {
        QCOMPARE(dialog->SizeX(), 5);
        QCOMPARE(dialog->SizeY(), 2);
        QCOMPARE(dialog->SizeZ(), 4);
        QVERIFY(!dialog->FlatBox()->isChecked());
        dialog->SpinX()->setValue(9);
        dialog->SpinY()->setValue(3);
        dialog->SpinZ()->setValue(6);
        dialog->accept();
    });
    CMessageBoxAnswerer none(QMessageBox::No);
    m_frame->Execute(ID_FILE_SPACESIZE);
    QVERIFY(none.texts.isEmpty());  // growing drops nothing: no question
    QCOMPARE(doc->GetSizeX(), 9);
    QCOMPARE(doc->GetSizeY(), 3);
    QCOMPARE(doc->GetSizeZ(), 6);
    QCOMPARE(doc->GetCell(0, 0, 0), 103);
    QCOMPARE(doc->GetCell(4, 1, 3), 104);
    QCOMPARE(doc->GetCell(2, 1, 1), 107);
    QCOMPARE(doc->GetSpace().countNonEmpty(), 3);
    QVERIFY(doc->IsModified());
    // The editing state stays: colour, step and cursor.
    QCOMPARE(m_frame->GetView()->GetEditor().GetColor(), 102);
    QCOMPARE(m_frame->GetView()->GetEditor().GetStep(), 10);
    QCOMPARE(m_frame->GetView()->GetEditor().GetCursorX(), 2);
    QVERIFY(m_frame->WhereAmI()->Text().endsWith("in 9 × 3 × 6"));
}

void FrameStateTest::spaceSizeShrinkAsksBeforeDroppingCells()
{
    CTesseraDoc* doc = m_frame->GetDocument();
    WriteFile(Path("cells.ts3"), SpaceFileText(6, 3, 7, {{0, 0, 0, 103}, {5, 0, 0, 104}, {1, 2, 5, 107}}));
    QVERIFY(m_frame->OpenDocumentFile(Path("cells.ts3")));
    m_frame->GetView()->GetEditor().PlaceCursor(5, 2, 5);
    // The same sizes change nothing and leave no step to undo.
    QVERIFY(m_frame->ResizeSpace(6, 3, 7));
    QVERIFY(!doc->IsModified());
    QVERIFY(!m_frame->GetView()->GetEditor().CanUndo());
    {
        CMessageBoxAnswerer answers(QMessageBox::No);  // keep the cells
        QVERIFY(!m_frame->ResizeSpace(4, 3, 4));
        QCOMPARE(answers.texts.size(), 1);
        QVERIFY2(answers.texts[0].contains("2 painted cells"), qPrintable(answers.texts[0]));
        QCOMPARE(doc->GetSizeX(), 6);
        QCOMPARE(doc->GetCell(5, 0, 0), 104);
        QVERIFY(!doc->IsModified());
    }
    {
        // Shrinking over empty cells only drops nothing: no question.
        CMessageBoxAnswerer answers(QMessageBox::No);
        QVERIFY(m_frame->ResizeSpace(6, 3, 6));
        QVERIFY(answers.texts.isEmpty());
        QCOMPARE(doc->GetSizeZ(), 6);
    }
    {
        CMessageBoxAnswerer answers(QMessageBox::Yes);
        QVERIFY(m_frame->ResizeSpace(4, 3, 4));
        QCOMPARE(answers.texts.size(), 1);
        QCOMPARE(doc->GetSizeX(), 4);
        QCOMPARE(doc->GetSizeZ(), 4);
        QCOMPARE(doc->GetCell(0, 0, 0), 103);
        QCOMPARE(doc->GetSpace().countNonEmpty(), 1);
        QVERIFY(doc->IsModified());
    }
    // The cursor comes back inside the smaller space.
    QCOMPARE(m_frame->GetView()->GetEditor().GetCursorX(), 3);
    QCOMPARE(m_frame->GetView()->GetEditor().GetCursorY(), 2);
    QCOMPARE(m_frame->GetView()->GetEditor().GetCursorZ(), 3);

    // One step, named in the Edit menu: Undo brings back the sizes and the dropped cells, and
    // the cursor where it was; Redo drops them again.
    m_frame->UpdateCommandUI();
    QCOMPARE(m_frame->Action(ID_EDIT_UNDO)->text(), QString("&Undo Space Size\tCtrl+Z"));
    m_frame->Execute(ID_EDIT_UNDO);
    QCOMPARE(doc->GetSizeX(), 6);
    QCOMPARE(doc->GetSizeZ(), 6);
    QCOMPARE(doc->GetCell(5, 0, 0), 104);
    QCOMPARE(doc->GetCell(1, 2, 5), 107);
    QCOMPARE(doc->GetSpace().countNonEmpty(), 3);
    QCOMPARE(m_frame->GetView()->GetEditor().GetCursorX(), 5);
    QCOMPARE(m_frame->GetView()->GetEditor().GetCursorZ(), 5);
    QVERIFY(m_frame->WhereAmI()->Text().endsWith("in 6 × 3 × 6"));
    m_frame->Execute(ID_EDIT_REDO);
    QCOMPARE(doc->GetSizeX(), 4);
    QCOMPARE(doc->GetSpace().countNonEmpty(), 1);
    QCOMPARE(m_frame->GetView()->GetEditor().GetCursorX(), 3);
    QVERIFY(m_frame->WhereAmI()->Text().endsWith("in 4 × 3 × 4"));
}

void FrameStateTest::spaceSizeFlatAndImpossibleSizes()
{
    CTesseraDoc* doc = m_frame->GetDocument();
    // New keeps making the solid 40 x 10 x 30 space; Flat makes the height 1.
    QCOMPARE(doc->GetSizeY(), 10);
    WhenSizeDialogOpens(this, [](CSpaceSizeDialog* dialog) {
        dialog->FlatBox()->setChecked(true);
        QCOMPARE(dialog->SpinY()->value(), 1);
        QVERIFY(!dialog->SpinY()->isEnabled());
        dialog->FlatBox()->setChecked(false);  // unchecking gives the height back
        QCOMPARE(dialog->SpinY()->value(), 10);
        dialog->FlatBox()->setChecked(true);
        dialog->SpinX()->setValue(12);
        dialog->SpinZ()->setValue(8);
        dialog->accept();
    });
    m_frame->Execute(ID_FILE_SPACESIZE);
    QCOMPARE(doc->GetSizeX(), 12);
    QCOMPARE(doc->GetSizeY(), 1);
    QCOMPARE(doc->GetSizeZ(), 8);
    // Cancel changes nothing.
    WhenSizeDialogOpens(this, [](CSpaceSizeDialog* dialog) {
        dialog->SpinX()->setValue(30);
        dialog->reject();
    });
    m_frame->Execute(ID_FILE_SPACESIZE);
    QCOMPARE(doc->GetSizeX(), 12);
    // Sizes whose product is too large are refused with a message, the space untouched.
    CMessageBoxAnswerer answers(QMessageBox::Ok);
    QVERIFY(!m_frame->ResizeSpace(65536, 65536, 65536));
    QCOMPARE(answers.texts.size(), 1);
    QVERIFY(answers.texts[0].contains("too large"));
    QCOMPARE(doc->GetSizeX(), 12);
}

void FrameStateTest::wideSpaceOpensFittedAndFitSpaceFromTheMenu()
{
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    CTesseraView* view = m_frame->GetView();
    // A long flat row: the first view (distance sizeY + sizeZ = 11) shows only a part of it.
    WriteFile(Path("wide.ts3"), SpaceFileText(130, 1, 10));
    QVERIFY(m_frame->OpenDocumentFile(Path("wide.ts3")));
    QTRY_VERIFY(view->GetViewpoint().distance > 11);
    const float fitted = view->GetViewpoint().distance;
    QCOMPARE(fitted, view->FitSpaceDistance());
    // View > Fit Space goes back there from near by.
    view->PlaceEye(view->GetViewpoint().elevation, view->GetViewpoint().azimuth, 3);
    m_frame->Execute(ID_VIEW_FIT_SPACE);
    QCOMPARE(view->GetViewpoint().distance, fitted);
    // A space that fits keeps the first view.
    WriteFile(Path("small.ts3"), SpaceFileText(4, 3, 4));
    QVERIFY(m_frame->OpenDocumentFile(Path("small.ts3")));
    QTest::qWait(50);
    QCOMPARE(view->GetViewpoint().distance, 7.0f);
}

QTEST_MAIN(FrameStateTest)
#include "framestate_test.moc"
