// Recovery copies: written while there are unsaved changes, removed by a save and a clean end,
// never offered while their editor runs; and the real thing: an editor started as a separate
// process, edited through the X server, killed with SIGKILL, and started again, which offers
// the copy and restores the edit under the file's name.
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/recoveryfile.h"
#include "app/tesseraapp.h"
#include "guitestsupport.h"

namespace {
std::string ReadFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

QStringList Copies() { return QDir(CRecoveryFile::Folder()).entryList({"*.ts3"}, QDir::Files); }

// Runs xdotool; its searches wait for their window, so each call is bounded.
QString XDoTool(const QStringList& arguments)
{
    QProcess tool;
    tool.start("xdotool", arguments);
    if (!tool.waitForFinished(20000)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

// The first visible window whose name matches; waits for it.
QString WaitForWindow(const QString& pattern)
{
    return XDoTool({"search", "--sync", "--onlyvisible", "--name", pattern}).section('\n', 0, 0);
}

// Gives the window the keyboard (there is no window manager) and types the keys.
void Type(const QString& window, const QStringList& keys)
{
    XDoTool({"windowfocus", "--sync", window});
    XDoTool(QStringList{"key", "--delay", "50"} + keys);
}
}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void copyFollowsUnsavedChanges();
    void runningEditorsCopyIsNotOffered();
    void recoveredWideSpaceOpensFitted();
    void killedEditorIsRecoveredOnNextStart();

private:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }
};

void RecoveryTest::initTestCase()
{
    // The editor's own names: its copies live in <data>/Tessera/3D-Tessera/recovery.
    QCoreApplication::setOrganizationName("Tessera");
    QCoreApplication::setApplicationName("3D-Tessera");
    qputenv("XDG_DATA_HOME", QFile::encodeName(Path("data")));
    qputenv("TESSERA_RECOVERY_INTERVAL_MS", "100");
}

void RecoveryTest::init()
{
    QDir(CRecoveryFile::Folder()).removeRecursively();
    QSettings().clear();
}

void RecoveryTest::copyFollowsUnsavedChanges()
{
    std::unique_ptr<CMainFrame> frame(CTesseraApp::CreateMainFrame({}));
    QCOMPARE(frame->Recovery()->IntervalMs(), 100);
    QTest::qWait(400);
    QVERIFY(Copies().isEmpty());  // nothing unsaved, nothing written
    frame->GetView()->GetEditor().SetColor(103);
    frame->Execute(ID_EDIT_POINTSET);
    QTRY_COMPARE(Copies().size(), 1);
    QTRY_VERIFY(ReadFile(frame->Recovery()->CopyPath()).find("(20,0,15,103)") != std::string::npos);
    // A later edit reaches the copy at the next tick.
    frame->Execute(ID_MOVECURSOR_UP);
    frame->Execute(ID_EDIT_POINTSET);
    QTRY_VERIFY(ReadFile(frame->Recovery()->CopyPath()).find("(20,1,15,103)") != std::string::npos);
    // Saving removes it; the next edit writes it again.
    QVERIFY(frame->DoSave(Path("kept.ts3")));
    QVERIFY(Copies().isEmpty());
    frame->Execute(ID_EDIT_POINTRESET);
    QTRY_COMPARE(Copies().size(), 1);
    // Going back to an unmodified document (New after answering No) removes it.
    {
        CMessageBoxAnswerer answers(QMessageBox::No);
        QVERIFY(frame->OnFileNew());
    }
    QVERIFY(Copies().isEmpty());
    frame->Execute(ID_EDIT_POINTSET);
    QTRY_COMPARE(Copies().size(), 1);
    // A clean end of the editor leaves nothing behind, lock included.
    QVERIFY(frame->GetDocument()->IsModified());
    frame.reset();
    QVERIFY(QDir(CRecoveryFile::Folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void RecoveryTest::runningEditorsCopyIsNotOffered()
{
    std::unique_ptr<CMainFrame> first(CTesseraApp::CreateMainFrame({}));
    first->Execute(ID_EDIT_POINTSET);
    QTRY_COMPARE(Copies().size(), 1);
    QVERIFY(CRecoveryFile::FindOrphans().isEmpty());
    std::unique_ptr<CMainFrame> second(CTesseraApp::CreateMainFrame({}));
    CMessageBoxAnswerer answers(QMessageBox::Yes);
    QVERIFY(!second->OfferRecovery());
    QVERIFY(answers.texts.isEmpty());
    QCOMPARE(Copies().size(), 1);
    first->GetDocument()->SetModifiedFlag(false);
}

// A long flat row, as an opened file of that shape: the first view would show a part of it.
void RecoveryTest::recoveredWideSpaceOpensFitted()
{
    QDir().mkpath(CRecoveryFile::Folder());
    {
        std::ofstream out((CRecoveryFile::Folder() + "/left-behind.ts3").toStdString(), std::ios::binary);
        out << SpaceFileText(130, 1, 10);
    }
    SFrameFixture f;
    f.Make(true);
    CMessageBoxAnswerer answers(QMessageBox::Yes);
    QVERIFY(f.frame->OfferRecovery());
    CTesseraView* view = f.frame->GetView();
    QCOMPARE(f.frame->GetDocument()->GetSizeX(), 130);
    QTRY_VERIFY(view->GetViewpoint().distance > 11);
    QVERIFY(view->GetViewpoint().distance >= view->FitSpaceDistance() * 0.999f);
    f.Drop();
}

void RecoveryTest::killedEditorIsRecoveredOnNextStart()
{
    const QString editor = qEnvironmentVariable("TESSERA_EXECUTABLE");
    QVERIFY2(QFileInfo(editor).isExecutable(), "TESSERA_EXECUTABLE names the editor");
    const QString file = Path("mine.ts3");
    {
        std::ofstream out(file.toStdString(), std::ios::binary);
        out << SpaceFileText(5, 1, 5);
    }
    const std::string original = ReadFile(file);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", Path("data"));
    env.insert("XDG_CONFIG_HOME", Path("config"));
    env.insert("TESSERA_RECOVERY_INTERVAL_MS", "200");

    // Session 1: open the file, paint the cursor cell red, wait for the copy, then SIGKILL.
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(editor, {file});
    QVERIFY(first.waitForStarted());
    const QString window = WaitForWindow("^mine\\.ts3");
    QVERIFY2(!window.isEmpty(), "the editor's window came up");
    Type(window, {"2", "space"});
    QTRY_COMPARE_WITH_TIMEOUT(Copies().size(), 1, 10000);
    const QString copy = CRecoveryFile::Folder() + "/" + Copies().first();
    QTRY_VERIFY_WITH_TIMEOUT(ReadFile(copy).find("(2,0,2,103)") != std::string::npos, 10000);
    first.kill();  // SIGKILL: no clean end
    QVERIFY(first.waitForFinished());
    QCOMPARE(first.exitStatus(), QProcess::CrashExit);
    QCOMPARE(ReadFile(file), original);  // the edit was never saved
    QCOMPARE(CRecoveryFile::FindOrphans().size(), 1);
    QCOMPARE(CRecoveryFile::FindOrphans().first().originalName, QFileInfo(file).absoluteFilePath());

    // Session 2: a plain start offers the copy; Yes restores it under the file's name, unsaved;
    // Ctrl+S then writes the recovered edit into the file and removes every copy.
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(editor, {});
    QVERIFY(second.waitForStarted());
    const QString question = WaitForWindow("^3D-Tessera$");
    QVERIFY2(!question.isEmpty(), "the restore question came up");
    Type(question, {"Return"});
    const QString restored = WaitForWindow("^mine\\.ts3\\* - 3D-Tessera$");
    QVERIFY2(!restored.isEmpty(), "the restored document is named after its file and marked unsaved");
    Type(restored, {"ctrl+s"});
    QTRY_VERIFY_WITH_TIMEOUT(ReadFile(file).find("(2,0,2,103)") != std::string::npos, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(Copies().isEmpty(), 10000);
    second.terminate();
    if (!second.waitForFinished(5000)) second.kill();
    second.waitForFinished();
}

QTEST_MAIN(RecoveryTest)
#include "recovery_test.moc"
