// Help > Gallery...: the index lists every gallery program with its picture, and the command
// opens a copy of the chosen one, never the gallery's own file.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QListWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "app/commandids.h"
#include "app/gallerydialog.h"
#include "app/mainframe.h"
#include "app/tesseraapp.h"
#include "document/tesseradoc.h"

namespace {
QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

class GalleryTest : public QObject {
    Q_OBJECT

private slots:
    void indexListsEveryProgramWithItsPicture();
    void copiesNeverOverwrite();
    void commandOpensACopyOfTheChosenProgram();
    void cancelledOpeningLeavesNoCopy();
};

void GalleryTest::indexListsEveryProgramWithItsPicture()
{
    const QString folder = FindGalleryFolder();
    QVERIFY(!folder.isEmpty());
    const std::vector<SGalleryEntry> entries = ReadGalleryIndex(folder);
    QVERIFY(entries.size() >= 10);
    for (const SGalleryEntry& e : entries) {
        QVERIFY2(!e.title.isEmpty() && !e.description.isEmpty(), qPrintable(e.name));
        QVERIFY2(QFile::exists(e.file), qPrintable(e.file));
        QVERIFY2(!QIcon(e.picture).isNull(), qPrintable(e.name + ": no picture"));
    }
    QCOMPARE(entries.front().name, QString("fill-heart"));
    // A folder without an index lists nothing.
    QTemporaryDir empty;
    QVERIFY(ReadGalleryIndex(empty.path()).empty());
}

void GalleryTest::copiesNeverOverwrite()
{
    QTemporaryDir dir;
    const QString original = FindGalleryFolder() + "/sand.ts3";
    const QString folder = dir.filePath("copies/gallery");
    const QString first = CopyForEditing(original, folder), second = CopyForEditing(original, folder);
    QCOMPARE(first, folder + "/sand.ts3");
    QCOMPARE(second, folder + "/sand-2.ts3");
    QCOMPARE(Bytes(first), Bytes(original));
    QCOMPARE(Bytes(second), Bytes(original));
}

void GalleryTest::commandOpensACopyOfTheChosenProgram()
{
    QSettings().clear();
    CMainFrame* frame = CTesseraApp::CreateMainFrame({});
    const std::vector<SGalleryEntry> entries = ReadGalleryIndex(FindGalleryFolder());
    const SGalleryEntry& chosen = entries[2];
    const QByteArray before = Bytes(chosen.file);
    QTimer::singleShot(50, [] {
        auto* dialog = qobject_cast<CGalleryDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->List()->count(), 10);
        dialog->List()->setCurrentRow(2);
        dialog->accept();
    });
    frame->Execute(ID_HELP_GALLERY);
    const QString copies = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/gallery";
    QVERIFY(frame->GetPathName().startsWith(copies));
    QVERIFY(QFileInfo(frame->GetPathName()).fileName().startsWith(chosen.name));
    const CSpace space = frame->GetDocument()->GetSpace();
    QVERIFY(before.contains(QString("The X is %1\r\n").arg(space.getSizeX()).toUtf8()));
    QVERIFY(before.contains(QString("The Z is %1\r\n").arg(space.getSizeZ()).toUtf8()));
    // Editing and saving change the copy only.
    frame->Execute(ID_EDIT_POINTSET);
    QVERIFY(frame->OnFileSave());
    QCOMPARE(Bytes(chosen.file), before);
    QVERIFY(Bytes(frame->GetPathName()) != before);
    delete frame;
}

void GalleryTest::cancelledOpeningLeavesNoCopy()
{
    CMainFrame* frame = CTesseraApp::CreateMainFrame({});
    frame->Execute(ID_EDIT_POINTSET);  // unsaved changes: opening asks first
    const QString copies = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/gallery";
    const QStringList before = QDir(copies).entryList(QDir::Files);
    QTimer::singleShot(50, [] {
        auto* dialog = qobject_cast<CGalleryDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->accept();
        QTimer::singleShot(50, [] {
            auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(question);
            question->button(QMessageBox::Cancel)->click();
        });
    });
    frame->Execute(ID_HELP_GALLERY);
    QVERIFY(frame->GetPathName().isEmpty());
    QCOMPARE(QDir(copies).entryList(QDir::Files), before);
    frame->GetDocument()->SetModifiedFlag(false);
    delete frame;
}

QTEST_MAIN(GalleryTest)
#include "gallery_test.moc"
