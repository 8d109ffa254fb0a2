// The main frame: menus, accelerators, toolbar and prompts against the program's tables,
// update handlers, the file commands with their failure cases, the command line, dropped
// files, the About box and help.
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest>
#include <unistd.h>

#include <fstream>

#include "app/aboutbox.h"
#include "app/commandids.h"
#include "app/helpwindow.h"
#include "app/mainframe.h"
#include "app/tesseraapp.h"
#include "guitestsupport.h"
#include "view/runwatcher.h"
#include "view/joystickcontroller.h"

namespace {
void WriteFile(const QString& path, const std::string& bytes)
{
    std::ofstream out(path.toStdString(), std::ios::binary);
    out << bytes;
}

std::string ReadFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

class FrameTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyMenuItemHasAHandlerAndAPrompt();
    void guideListsEveryMenuItem();
    void acceleratorsMatchTheTable();
    void toolbarOrderTipsAndIcons();
    void statusPromptsAndIdleText();
    void updateHandlers();
    void startRunsAndFinishesAndEnablesBack();
    void undoAndRedoThroughMenuAndKeys();
    void titleAndNewDocument();
    void openReadsSpaceAndNamesDocument();
    void unreadableFileChangesNothing();
    void missingFileChangesNothing();
    void saveWritesAndClearsModified();
    void saveAsAddsDefaultExtension();
    void saveFailureKeepsEverything();
    void vrmlExportKeepsDocumentName();
    void saveChangesQuestionOnNewAndClose();
    void recentFilesKeepFour();
    void commandLineFileIsOpened();
    void droppedFileIsOpened();
    void aboutBox();
    void helpOpensGuide();

private:
    SFrameFixture m_fixture;
    CMainFrame*& m_frame = m_fixture.frame;
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }
};

void FrameTest::init() { m_fixture.Make(false); }
void FrameTest::cleanup() { m_fixture.Drop(); }

// What every menu must have, whatever items it holds: the menus in one bar with Help last (after
// the separator that puts it at the right end in styles that can), and every item a command
// with a handler, a text and a prompt for the status bar.
void FrameTest::everyMenuItemHasAHandlerAndAPrompt()
{
    const QList<QAction*> bar = m_frame->menuBar()->actions();
    QVERIFY(bar[bar.size() - 2]->isSeparator());
    QVERIFY(!m_frame->menuBar()->cornerWidget(Qt::TopRightCorner));
    QCOMPARE(m_frame->findChildren<QMenuBar*>().size(), 1);
    QStringList titles;
    int items = 0;
    for (QAction* menu : bar) {
        if (menu->isSeparator()) continue;
        titles.append(menu->menu()->title());
        for (QAction* a : menu->menu()->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            const int id = a->data().toInt();
            const QString what = menu->menu()->title() + " > " + a->text();
            QVERIFY2(m_frame->HasHandler(id), qPrintable(what));
            QVERIFY2(!a->text().isEmpty(), qPrintable(what));
            QVERIFY2(!a->statusTip().isEmpty(), qPrintable(what));
            items++;
        }
    }
    // The menus the program has always had, in their order; new ones may come between them.
    const QStringList always = {"&File", "&Run", "&Edit", "&MoveCursor", "&Color", "M&oveEye", "&View", "&Tool", "&Help"};
    int next = 0;
    for (const QString& title : titles)
        if (next < always.size() && title == always[next]) next++;
    QCOMPARE(next, always.size());
    QCOMPARE(titles.last(), QString("&Help"));
    QVERIFY(items >= 60);
}

// The guide's table of menus has a row for each menu of the bar that names every item in it.
void FrameTest::guideListsEveryMenuItem()
{
    const std::string guide = ReadFile(CHelpWindow::FindGuide());
    QVERIFY(!guide.empty());
    QStringList missing;
    for (QAction* menu : m_frame->menuBar()->actions()) {
        if (!menu->menu()) continue;
        const QString title = menu->menu()->title().remove('&');
        const auto row = guide.find("| " + title.toStdString() + " (Alt+");
        if (row == std::string::npos) {
            missing.append(title);
            continue;
        }
        const QString line = QString::fromStdString(guide.substr(row, guide.find('\n', row) - row));
        for (QAction* a : menu->menu()->actions()) {
            const int id = a->data().toInt();
            if (a->isSeparator() || (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + ID_FILE_MRU_COUNT)) continue;
            const QString words = a->text().section('\t', 0, 0).remove('&').remove("...");
            if (!line.contains(words)) missing.append(title + " > " + words);
        }
    }
    QCOMPARE(missing, QStringList());
}

void FrameTest::acceleratorsMatchTheTable()
{
    const QList<QPair<int, QList<QKeySequence>>> expected = {
        {57600, {QKeySequence("Ctrl+N")}},
        {57601, {QKeySequence("Ctrl+O")}},
        {57603, {QKeySequence("Ctrl+S")}},
        {57643, {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
        {57644, {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}},
        {57635, {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}},
        {57634, {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}},
        {57637, {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}},
        {57680, {QKeySequence("F6")}},
        {57681, {QKeySequence("Shift+F6")}},
        {57669, {QKeySequence("Shift+F1")}},
        {57670, {QKeySequence("F1")}},
        {32852, {QKeySequence("F5")}},
        {32851, {QKeySequence("F7")}},
        {32850, {QKeySequence("F8")}},
        {32900, {QKeySequence("Ctrl+1")}},
        {32901, {QKeySequence("Ctrl+2")}},
        {32902, {QKeySequence("Ctrl+3")}},
        {57665, {QKeySequence("Ctrl+Q")}},
    };
    int withKeys = 0;
    for (const auto& [id, keys] : expected) {
        QAction* a = m_frame->Action(id);
        QVERIFY2(a, qPrintable(QString::number(id)));
        QCOMPARE(a->shortcuts(), keys);
    }
    // Beside them only the view's direct keys: 23 commands with one key each (Take Color and
    // four Insert items among them), and the six Shift moves on actions of their own.
    for (QAction* a : m_frame->findChildren<QAction*>())
        if (!a->shortcuts().isEmpty()) withKeys++;
    QCOMPARE(withKeys, expected.size() + 23 + 6);
    // No key is bound twice (an ambiguous key does nothing).
    QSet<QString> bound;
    for (QAction* a : m_frame->findChildren<QAction*>())
        for (const QKeySequence& k : a->shortcuts()) {
            QVERIFY2(!bound.contains(k.toString()), qPrintable(k.toString()));
            bound.insert(k.toString());
        }

    // The keys reach their commands: Ctrl+C copies, Shift+Insert pastes.
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    QApplication::setActiveWindow(m_frame);  // no window manager hands out the focus here
    QCOMPARE(QApplication::activeWindow(), m_frame);
    CTesseraView* view = m_frame->GetView();
    view->setFocus();
    m_frame->GetDocument()->SetCell(view->GetEditor().GetCursorX(), 0, view->GetEditor().GetCursorZ(), 103);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(view->GetEditor().IsAreaMove());
    m_frame->Execute(ID_MOVECURSOR_UP);
    QTest::keyClick(view, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(m_frame->GetDocument()->GetCell(view->GetEditor().GetCursorX(), 1, view->GetEditor().GetCursorZ()), 103);
}

void FrameTest::toolbarOrderTipsAndIcons()
{
    const QList<QPair<int, QString>> expected = {
        {57601, "Open"},        {0, {}},
        {32773, "Start"},       {32774, "Stop"},         {0, {}},
        {32776, "Pset"},        {32777, "Preset"},       {0, {}},
        {32781, "Cursur:up"},   {32782, "Cursor:down"},  {32783, "Cursor:left"}, {32784, "Cursor:right"},
        {32786, "Cursor:front"}, {32785, "Cursor:rear"}, {0, {}},
        {32789, "White"},       {32790, "Red"},          {32791, "Green"},       {32792, "Blue"},
        {32793, "Purple"},      {32794, "Pale"},         {32795, "Yellow"},      {32796, "Black"},
        {0, {}},
        {32797, "Eye:up"},      {32798, "Eye:down"},     {32799, "Eye:left"},    {32800, "Eye:right"},
        {32802, "ZoomOut"},     {32801, "ZoomIn"},
    };
    const QList<QAction*> actions = m_frame->ToolBar()->actions();
    QCOMPARE(actions.size(), 30);
    QSet<QByteArray> icons;
    for (int i = 0; i < actions.size(); i++) {
        if (expected[i].first == 0) {
            QVERIFY(actions[i]->isSeparator());
            continue;
        }
        QCOMPARE(actions[i]->data().toInt(), expected[i].first);
        QCOMPARE(actions[i]->toolTip(), expected[i].second);
        const QIcon icon = actions[i]->icon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        icons.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes())));
    }
    // Every button has a picture of its own. The listed order holds 25 buttons and 5 gaps.
    QCOMPARE(icons.size(), 25);
    // The buttons fit the 640-pixel frame.
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    for (QAction* a : actions)
        if (!a->isSeparator()) QVERIFY2(m_frame->ToolBar()->widgetForAction(a)->isVisible(), qPrintable(a->toolTip()));
    QCOMPARE(m_frame->size(), QSize(640, 480));
}

void FrameTest::statusPromptsAndIdleText()
{
    const QList<QPair<int, QString>> prompts = {
        {32771, "Size up the active space"},         {32772, "Size down the active space"},
        {32773, "Start program execution"},          {32775, "Back to the state before Start"},
        {32777, "Reset a point at the cursor"},      {32780, "Move area by MoveCursor"},
        {32781, "Move the cursor up"},               {32785, "Move the cursor to the rear"},
        {32787, "Move the cursor by 1 dot"},         {32788, "Move the cursor by some dots"},
        {32794, "Make the current color pale"},      {32801, "Move the viewpoint near the cursor"},
        {32802, "Move the viewpoint far from the cursor"}, {32803, "Reset the viewpoint"},
        {32804, "Show or hide the cursor"},          {32805, "Enable the Microsoft SideWinder 3D Pro joystick"},
        {57600, "Create new space"},                 {57601, "Open existing space"},
        {57603, "Save the active space"},            {57604, "Save the active space with a new name"},
        {57616, "Open this space"},                  {57634, "Memorize the selection"},
        {57635, "Cut the selection and memorize it"}, {57637, "Insert memorized contents"},
        {57665, "Quit the application; prompts to save space"},
    };
    for (const auto& [id, text] : prompts) QCOMPARE(m_frame->Action(id)->statusTip(), text);
    QCOMPARE(m_frame->IdleLabel()->text(), QString("For Help, press F1"));
    QVERIFY(m_frame->statusBar()->children().contains(m_frame->IdleLabel()));
    // A run's status replaces the idle text until it is cleared.
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    emit m_frame->GetView()->RunWatcher().StatusText("Phase:Ready");
    QCOMPARE(m_frame->statusBar()->currentMessage(), QString("Phase:Ready"));
    QVERIFY(!m_frame->IdleLabel()->isVisible());
    m_frame->statusBar()->clearMessage();
    QVERIFY(m_frame->IdleLabel()->isVisible());
}

void FrameTest::updateHandlers()
{
    auto a = [this](int id) { return m_frame->Action(id); };
    m_frame->UpdateCommandUI();
    QVERIFY(!a(ID_RUN_START)->isChecked());
    QVERIFY(a(ID_RUN_STOP)->isChecked());
    QVERIFY(a(ID_RUN_START)->isEnabled() && a(ID_RUN_STOP)->isEnabled());
    QVERIFY(!a(ID_RUN_BACK)->isEnabled());
    QVERIFY(!a(ID_EDIT_UNDO)->isEnabled());
    QVERIFY(!a(ID_FILE_MRU_FILE1)->isEnabled());  // the placeholder of an empty list
    QVERIFY(a(ID_EDIT_AREABEGIN)->isEnabled());
    QVERIFY(!a(ID_EDIT_AREACANCEL)->isEnabled());
    QVERIFY(!a(ID_EDIT_AREAMOVE)->isEnabled());
    m_frame->Execute(ID_EDIT_AREABEGIN);
    QVERIFY(!a(ID_EDIT_AREABEGIN)->isEnabled());
    QVERIFY(a(ID_EDIT_AREACANCEL)->isEnabled());
    QVERIFY(a(ID_EDIT_AREAMOVE)->isEnabled());
    m_frame->Execute(ID_EDIT_AREAMOVE);
    QVERIFY(!a(ID_EDIT_AREAMOVE)->isEnabled());
    QVERIFY(a(ID_EDIT_AREACANCEL)->isEnabled());
    // A disabled command does nothing even when reached by its identifier.
    const int areaX = m_frame->GetView()->GetEditor().GetAreaX();
    m_frame->Execute(ID_MOVECURSOR_RIGHT);
    m_frame->Execute(ID_EDIT_AREABEGIN);
    QCOMPARE(m_frame->GetView()->GetEditor().GetAreaX(), areaX + 1);

    // Colour and step check marks follow the view.
    auto checkedColours = [&] {
        QList<int> ids;
        for (int id = ID_COLOR_WHITE; id <= ID_COLOR_BLACK; id++)
            if (a(id)->isChecked()) ids.append(id);
        return ids;
    };
    QCOMPARE(checkedColours(), QList<int>{ID_COLOR_GREEN});
    m_frame->Execute(ID_COLOR_BLACK);
    QCOMPARE(checkedColours(), QList<int>{ID_COLOR_BLACK});
    QCOMPARE(m_frame->GetView()->GetEditor().GetColor(), 101);
    a(ID_COLOR_PALE)->trigger();  // as a click on the button
    QCOMPARE(checkedColours(), QList<int>{ID_COLOR_PALE});
    QVERIFY(a(ID_MOVECURSOR_STEP1)->isChecked() && !a(ID_MOVECURSOR_STEPBIG)->isChecked());
    a(ID_MOVECURSOR_STEPBIG)->trigger();
    QVERIFY(!a(ID_MOVECURSOR_STEP1)->isChecked() && a(ID_MOVECURSOR_STEPBIG)->isChecked());
    a(ID_MOVECURSOR_STEPBIG)->trigger();  // choosing it again keeps it
    QVERIFY(a(ID_MOVECURSOR_STEPBIG)->isChecked());
    QCOMPARE(m_frame->GetView()->GetEditor().GetStep(), 10);

    QVERIFY(a(ID_VIEW_CURSOR)->isChecked());
    a(ID_VIEW_CURSOR)->trigger();
    QVERIFY(!a(ID_VIEW_CURSOR)->isChecked());
    QVERIFY(!m_frame->GetView()->IsCursorShown());
    QVERIFY(!a(ID_TOOL_SIDEWINDER)->isChecked());
    a(ID_TOOL_SIDEWINDER)->trigger();
    QVERIFY(a(ID_TOOL_SIDEWINDER)->isChecked());
    QVERIFY(m_frame->GetView()->Joystick().IsJoystick());
    QVERIFY(a(ID_VIEW_TOOLBAR)->isChecked());
    a(ID_VIEW_TOOLBAR)->trigger();
    QVERIFY(!a(ID_VIEW_TOOLBAR)->isChecked());
    QVERIFY(!m_frame->ToolBar()->isVisibleTo(m_frame));
    a(ID_VIEW_STATUS_BAR)->trigger();
    QVERIFY(!a(ID_VIEW_STATUS_BAR)->isChecked());
}

void FrameTest::startRunsAndFinishesAndEnablesBack()
{
    // An empty space holds no program: the run ends at once and the cursor comes back.
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    CTesseraView* view = m_frame->GetView();
    CTesseraDoc* doc = m_frame->GetDocument();
    m_frame->Execute(ID_EDIT_POINTSET);  // edited: Start takes the Back copy
    m_frame->Execute(ID_RUN_START);
    QVERIFY(!view->IsCursorShown());
    QVERIFY(m_frame->Action(ID_RUN_BACK)->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(view->IsCursorShown(), 10000);
    m_frame->UpdateCommandUI();
    QVERIFY(!m_frame->Action(ID_RUN_START)->isChecked());
    QVERIFY(m_frame->Action(ID_RUN_STOP)->isChecked());
    m_frame->Execute(ID_RUN_STOP);
    QVERIFY(view->IsCursorShown());
    // Back returns to the space as it was at Start: the later edit goes, the earlier stays.
    m_frame->Execute(ID_MOVECURSOR_UP);
    m_frame->Execute(ID_EDIT_POINTSET);
    m_frame->Execute(ID_RUN_BACK);
    QCOMPARE(doc->GetCell(20, 0, 15), 104);
    QCOMPARE(doc->GetCell(20, 1, 15), 0);
}

void FrameTest::undoAndRedoThroughMenuAndKeys()
{
    auto a = [this](int id) { return m_frame->Action(id); };
    CTesseraView* view = m_frame->GetView();
    CTesseraDoc* doc = m_frame->GetDocument();
    const int x = view->GetEditor().GetCursorX(), z = view->GetEditor().GetCursorZ();
    m_frame->UpdateCommandUI();
    QCOMPARE(a(ID_EDIT_UNDO)->text(), QString("&Undo\tCtrl+Z"));
    QCOMPARE(a(ID_EDIT_REDO)->text(), QString("Re&do\tCtrl+Y"));
    QVERIFY(!a(ID_EDIT_UNDO)->isEnabled() && !a(ID_EDIT_REDO)->isEnabled());
    QCOMPARE(a(ID_EDIT_REDO)->statusTip(), QString("Redo the previously undone action"));

    m_frame->Execute(ID_EDIT_POINTSET);
    m_frame->Execute(ID_EDIT_COPY);
    m_frame->Execute(ID_MOVECURSOR_UP);
    m_frame->Execute(ID_EDIT_PASTE);
    QCOMPARE(a(ID_EDIT_UNDO)->text(), QString("&Undo Paste\tCtrl+Z"));
    QVERIFY(a(ID_EDIT_UNDO)->isEnabled());
    QVERIFY(!a(ID_EDIT_REDO)->isEnabled());

    // The menu item, as a click on it would.
    a(ID_EDIT_UNDO)->trigger();
    QCOMPARE(a(ID_EDIT_UNDO)->text(), QString("&Undo PointSet\tCtrl+Z"));
    QCOMPARE(a(ID_EDIT_REDO)->text(), QString("Re&do Paste\tCtrl+Y"));
    QVERIFY(a(ID_EDIT_REDO)->isEnabled());
    QCOMPARE(doc->GetCell(x, 1, z), 0);
    m_frame->Execute(ID_MOVECURSOR_RIGHT);
    m_frame->Execute(ID_MOVECURSOR_DOWN);
    m_frame->Execute(ID_EDIT_REDO);
    QCOMPARE(doc->GetCell(x, 1, z), 104);
    QCOMPARE(view->GetEditor().GetCursorX(), x);  // where the paste was made
    QCOMPARE(view->GetEditor().GetCursorY(), 1);
    m_frame->Execute(ID_EDIT_UNDO);

    // The keys: Ctrl+Z and Alt+Backspace undo, Ctrl+Y and Ctrl+Shift+Z redo.
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    QApplication::setActiveWindow(m_frame);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(doc->GetCell(x, 0, z), 0);
    QVERIFY(!doc->IsModified());  // back at the state of the new document
    m_frame->UpdateCommandUI();
    QVERIFY(!a(ID_EDIT_UNDO)->isEnabled());
    QCOMPARE(a(ID_EDIT_UNDO)->text(), QString("&Undo\tCtrl+Z"));
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(doc->GetCell(x, 0, z), 104);
    QVERIFY(doc->IsModified());
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(doc->GetCell(x, 1, z), 104);
    QTest::keyClick(view, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(doc->GetCell(x, 1, z), 0);
    QCOMPARE(doc->GetCell(x, 0, z), 104);
}

void FrameTest::titleAndNewDocument()
{
    QCOMPARE(m_frame->windowTitle(), QString("Untitled[*] - 3D-Tessera"));
    CTesseraDoc* doc = m_frame->GetDocument();
    QCOMPARE(doc->GetSizeX(), 40);
    QCOMPARE(doc->GetSizeY(), 10);
    QCOMPARE(doc->GetSizeZ(), 30);
    QCOMPARE(m_frame->GetView()->GetEditor().GetCursorX(), 20);
}

void FrameTest::openReadsSpaceAndNamesDocument()
{
    WriteFile(Path("ring.ts3"), SpaceFileText(7, 1, 5, {{3, 0, 2, 103}}));
    QVERIFY(m_frame->OpenDocumentFile(Path("ring.ts3")));
    QCOMPARE(m_frame->windowTitle(), QString("ring.ts3[*] - 3D-Tessera"));
    CTesseraDoc* doc = m_frame->GetDocument();
    QCOMPARE(doc->GetSizeX(), 7);
    QCOMPARE(doc->GetCell(3, 0, 2), 103);
    QVERIFY(!doc->IsModified());
    QCOMPARE(m_frame->GetView()->GetEditor().GetCursorX(), 3);  // reinitialised for the new space
    QCOMPARE(m_frame->RecentFiles().Files().value(0), QFileInfo(Path("ring.ts3")).absoluteFilePath());
}

void FrameTest::unreadableFileChangesNothing()
{
    WriteFile(Path("mine.ts3"), SpaceFileText(5, 2, 5, {{1, 1, 1, 106}}));
    QVERIFY(m_frame->OpenDocumentFile(Path("mine.ts3")));
    m_frame->Execute(ID_EDIT_POINTSET);  // modified, unsaved
    const CSpace before = m_frame->GetDocument()->GetSpace();
    WriteFile(Path("notes.txt"), "Shopping list\r\n- milk\r\n");
    WriteFile(Path("scene.wrl"), "#VRML V1.0 ascii\r\n");
    WriteFile(Path("bad.ts3"), "3D-Tessera\r\nThe Q is 4\r\n");
    for (const QString& name : QStringList{"notes.txt", "scene.wrl", "bad.ts3"}) {
        CMessageBoxAnswerer answers(QMessageBox::No);  // "Save changes?" No, then the warning
        QVERIFY(!m_frame->OpenDocumentFile(Path(name)));
        QCOMPARE(answers.texts.size(), 2);
        QVERIFY(answers.texts[0].startsWith("Save changes to mine.ts3?"));
        QVERIFY2(answers.texts[1].contains("not a 3D-Tessera space or plane file"), qPrintable(answers.texts[1]));
        QVERIFY(answers.texts[1].contains(name));
        QCOMPARE(m_frame->windowTitle(), QString("mine.ts3[*] - 3D-Tessera"));
        QCOMPARE(m_frame->GetPathName(), QFileInfo(Path("mine.ts3")).absoluteFilePath());
        QVERIFY(m_frame->GetDocument()->IsModified());
        QVERIFY(m_frame->GetDocument()->GetSpace().isEqual(before));
    }
    QCOMPARE(m_frame->RecentFiles().Files().size(), 1);
}

void FrameTest::missingFileChangesNothing()
{
    CMessageBoxAnswerer answers(QMessageBox::Ok);
    QVERIFY(!m_frame->OpenDocumentFile(Path("nowhere.ts3")));
    QCOMPARE(answers.texts.size(), 1);
    QVERIFY(answers.texts[0].startsWith("Cannot open"));
    QCOMPARE(m_frame->windowTitle(), QString("Untitled[*] - 3D-Tessera"));
    QCOMPARE(m_frame->GetDocument()->GetSizeX(), 40);
}

void FrameTest::saveWritesAndClearsModified()
{
    CTesseraView* view = m_frame->GetView();
    view->GetEditor().SetColor(103);
    m_frame->Execute(ID_EDIT_POINTSET);
    QVERIFY(m_frame->GetDocument()->IsModified());
    QVERIFY(m_frame->DoSave(Path("out.ts3")));
    QVERIFY(!m_frame->GetDocument()->IsModified());
    QCOMPARE(m_frame->windowTitle(), QString("out.ts3[*] - 3D-Tessera"));
    QCOMPARE(ReadFile(Path("out.ts3")), SpaceFileText(40, 10, 30, {{20, 0, 15, 103}}));
    // Save now goes to the same file without asking.
    m_frame->Execute(ID_EDIT_POINTRESET);
    QVERIFY(m_frame->OnFileSave());
    QCOMPARE(ReadFile(Path("out.ts3")), SpaceFileText(40, 10, 30));
    // No temporary file (hidden, beside the target) is left behind.
    QCOMPARE(QDir(m_dir.path()).entryList({"*out*"}, QDir::Files | QDir::Hidden), QStringList{"out.ts3"});
}

void FrameTest::saveAsAddsDefaultExtension()
{
    // Type a name without an extension into the dialog, as a user would.
    QString filter;
    QTimer typer;
    connect(&typer, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        if (!name) return;
        filter = dialog->nameFilters().value(0);
        name->setText("typed");  // typed into the name field, and Save pressed at once
        QMetaObject::invokeMethod(dialog, "accept");
    });
    typer.start(20);
    // The dialog opens in the working folder. Changing its folder from here instead would let
    // the dialog's own asynchronous folder load put the default name back after the typing.
    const QString working = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    const bool saved = m_frame->OnFileSaveAs();
    QDir::setCurrent(working);
    typer.stop();
    QVERIFY(saved);
    QCOMPARE(filter, QString("Tessera Files (*.ts3)"));
    QCOMPARE(m_frame->GetPathName(), QFileInfo(Path("typed.ts3")).absoluteFilePath());
    QVERIFY(QFileInfo(Path("typed.ts3")).isFile());
}

void FrameTest::saveFailureKeepsEverything()
{
    QVERIFY(m_frame->DoSave(Path("keep.ts3")));
    const std::string saved = ReadFile(Path("keep.ts3"));
    m_frame->Execute(ID_EDIT_POINTSET);
    {
        CMessageBoxAnswerer answers(QMessageBox::Ok);
        QVERIFY(!m_frame->DoSave(Path("no/such/folder/x.ts3")));
        QCOMPARE(answers.texts.size(), 1);
        QVERIFY2(answers.texts[0].startsWith("Cannot save"), qPrintable(answers.texts[0]));
    }
    QVERIFY(m_frame->GetDocument()->IsModified());
    QCOMPARE(m_frame->windowTitle(), QString("keep.ts3[*] - 3D-Tessera"));
    // A folder that cannot be written: the old file stays as it was.
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool writable = QFileInfo(m_dir.path()).isWritable() && ::access(m_dir.path().toLocal8Bit(), W_OK) == 0;
    if (!writable) {
        CMessageBoxAnswerer answers(QMessageBox::Ok);
        QVERIFY(!m_frame->DoSave(Path("keep.ts3")));
        QCOMPARE(answers.texts.size(), 1);
        QCOMPARE(ReadFile(Path("keep.ts3")), saved);
        QVERIFY(m_frame->GetDocument()->IsModified());
    }
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void FrameTest::vrmlExportKeepsDocumentName()
{
    m_frame->Execute(ID_EDIT_POINTSET);
    QVERIFY(m_frame->DoSave(Path("scene.WRL")));
    QVERIFY(ReadFile(Path("scene.WRL")).rfind("#VRML V1.0 ascii\r\n", 0) == 0);
    QCOMPARE(m_frame->windowTitle(), QString("Untitled[*] - 3D-Tessera"));
    QVERIFY(m_frame->GetDocument()->IsModified());
    QVERIFY(m_frame->RecentFiles().Files().isEmpty());
}

void FrameTest::saveChangesQuestionOnNewAndClose()
{
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    m_frame->Execute(ID_EDIT_POINTSET);
    {
        CMessageBoxAnswerer answers(QMessageBox::Cancel);
        QVERIFY(!m_frame->OnFileNew());
        QCOMPARE(answers.texts, QStringList{"Save changes to Untitled?"});
        QCOMPARE(m_frame->GetDocument()->GetCell(20, 0, 15), 104);
    }
    {
        CMessageBoxAnswerer answers(QMessageBox::Cancel);
        QVERIFY(!m_frame->close());
        QVERIFY(m_frame->isVisible());
        QCOMPARE(answers.texts.size(), 1);
    }
    {
        CMessageBoxAnswerer answers(QMessageBox::No);
        QVERIFY(m_frame->OnFileNew());
        QCOMPARE(m_frame->GetDocument()->GetCell(20, 0, 15), 0);
        QVERIFY(!m_frame->GetDocument()->IsModified());
    }
    CMessageBoxAnswerer none(QMessageBox::Cancel);
    QVERIFY(m_frame->close());  // unmodified: no question
    QVERIFY(none.texts.isEmpty());
}

void FrameTest::recentFilesKeepFour()
{
    for (int i = 1; i <= 5; i++) {
        const QString name = Path(QString("f%1.ts3").arg(i));
        WriteFile(name, SpaceFileText(3, 1, 3, {{0, 0, 0, 100 + i}}));
        QVERIFY(m_frame->OpenDocumentFile(name));
    }
    const QStringList files = m_frame->RecentFiles().Files();
    QCOMPARE(files.size(), 4);
    QVERIFY(files[0].endsWith("f5.ts3"));
    QVERIFY(files[3].endsWith("f2.ts3"));
    m_frame->UpdateCommandUI();
    QAction* second = m_frame->Action(ID_FILE_MRU_FILE1 + 1);
    QVERIFY(second->isVisible() && second->isEnabled());
    QVERIFY(second->text().startsWith("&2 "));
    second->trigger();
    QCOMPARE(m_frame->GetDocument()->GetCell(0, 0, 0), 104);  // f4
    QVERIFY(m_frame->RecentFiles().Files()[0].endsWith("f4.ts3"));
    // The list survives into the next session.
    CRecentFileList reloaded;
    QCOMPARE(reloaded.Files(), m_frame->RecentFiles().Files());
    // A file that has gone away is dropped when chosen.
    QFile::remove(Path("f3.ts3"));
    const int index = m_frame->RecentFiles().Files().indexOf(QFileInfo(Path("f3.ts3")).absoluteFilePath());
    QVERIFY(index > 0);
    CMessageBoxAnswerer answers(QMessageBox::Ok);
    m_frame->Action(ID_FILE_MRU_FILE1 + index)->trigger();
    QCOMPARE(m_frame->RecentFiles().Files().size(), 3);
}

void FrameTest::commandLineFileIsOpened()
{
    WriteFile(Path("with space.ts3"), SpaceFileText(4, 2, 4, {{1, 1, 1, 107}}));
    // The whole command line is one file name, even when the shell split it.
    std::unique_ptr<CMainFrame> frame(CTesseraApp::CreateMainFrame({Path("with"), "space.ts3"}));
    QCOMPARE(frame->windowTitle(), QString("with space.ts3[*] - 3D-Tessera"));
    QCOMPARE(frame->GetDocument()->GetCell(1, 1, 1), 107);
    // An unreadable one leaves a new document after saying why.
    WriteFile(Path("junk.bin"), "\x01\x02\x03");
    CMessageBoxAnswerer answers(QMessageBox::Ok);
    std::unique_ptr<CMainFrame> other(CTesseraApp::CreateMainFrame({Path("junk.bin")}));
    QCOMPARE(answers.texts.size(), 1);
    QCOMPARE(other->windowTitle(), QString("Untitled[*] - 3D-Tessera"));
    QCOMPARE(other->GetDocument()->GetSizeX(), 40);
}

void FrameTest::droppedFileIsOpened()
{
    WriteFile(Path("dropped.ts3"), SpaceFileText(3, 3, 3, {{2, 2, 2, 102}}));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path("dropped.ts3"))});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_frame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_frame, &drop);
    QTRY_COMPARE(m_frame->windowTitle(), QString("dropped.ts3[*] - 3D-Tessera"));
    QCOMPARE(m_frame->GetDocument()->GetCell(2, 2, 2), 102);
}

void FrameTest::aboutBox()
{
    CAboutBox about;
    QCOMPARE(about.windowTitle(), QString("About 3D-Tessera"));
    QCOMPARE(about.font().pointSize(), 8);
    QStringList texts;
    for (QLabel* label : about.findChildren<QLabel*>())
        if (!label->text().isEmpty()) texts.append(label->text());
    QCOMPARE(texts, (QStringList{"3D-Tessera 1997/03/14", "(Tessera ver.3.52)"}));
    auto* icon = about.findChild<QLabel*>("aboutIcon");
    QVERIFY(icon && !icon->pixmap().isNull());
    auto* buttons = about.findChild<QDialogButtonBox*>();
    QCOMPARE(buttons->buttons().size(), 1);
    QCOMPARE(buttons->standardButton(buttons->buttons().first()), QDialogButtonBox::Ok);
    about.show();
    buttons->buttons().first()->click();
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void FrameTest::helpOpensGuide()
{
    QVERIFY(!CHelpWindow::FindGuide().isEmpty());
    m_frame->Execute(ID_HELP_INDEX);
    auto* help = m_frame->findChild<CHelpWindow*>();
    QVERIFY(help);
    QTRY_VERIFY(help->isVisible());
    QVERIFY(help->Browser()->toPlainText().contains("The space, its cells and colours"));
    help->close();
}

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
