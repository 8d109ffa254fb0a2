// File > Export Image in the main frame: the dialog's answers reach the file, at the view's size
// or a chosen one, and a file that cannot be written is reported.
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "app/commandids.h"
#include "app/exportimagedialog.h"
#include "app/mainframe.h"
#include "app/tesseraapp.h"
#include "guitestsupport.h"

namespace {
// Fills in the Export Image dialog when it comes up, presses its View size button if asked,
// and presses OK (or Cancel).
void AnswerExportDialog(const QString& path, QSize size, bool ok = true, bool viewSize = false)
{
    QTimer::singleShot(50, [=] {
        auto* dialog = qobject_cast<CExportImageDialog*>(QApplication::activeModalWidget());
        if (!dialog) return AnswerExportDialog(path, size, ok, viewSize);
        dialog->PathEdit()->setText(path);
        if (size.isValid()) {
            dialog->WidthBox()->setValue(size.width());
            dialog->HeightBox()->setValue(size.height());
        }
        if (viewSize)
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->text() == "&View size") button->click();
        if (ok) dialog->accept();
        else dialog->reject();
    });
}

int Colours(const QImage& image)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) seen.insert(image.pixel(x, y));
    return seen.size();
}
}  // namespace

class ExportTest : public QObject {
    Q_OBJECT

private slots:
    void exportWritesThePicture();
};

void ExportTest::exportWritesThePicture()
{
    QTemporaryDir dir;
    std::unique_ptr<CMainFrame> frame(CTesseraApp::CreateMainFrame({}));
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    for (int x = 8; x < 32; x += 4) frame->GetDocument()->SetCell(x, 1, 10, 103 + x % 5);
    QVERIFY(frame->Action(ID_FILE_EXPORT_IMAGE));

    // At the view's size: the dialog starts there.
    const QString atView = dir.filePath("view.png");
    AnswerExportDialog(atView, QSize());
    frame->Action(ID_FILE_EXPORT_IMAGE)->trigger();
    QImage image(atView);
    QCOMPARE(image.size(), frame->GetView()->size());
    QVERIFY(Colours(image) > 5);  // a scene, not a blank

    // A chosen size; a name without an extension gets ".png".
    AnswerExportDialog(dir.filePath("chosen"), QSize(321, 123));
    frame->Action(ID_FILE_EXPORT_IMAGE)->trigger();
    image = QImage(dir.filePath("chosen.png"));
    QCOMPARE(image.size(), QSize(321, 123));
    QVERIFY(Colours(image) > 5);

    // View size puts the view's size back after another was typed.
    AnswerExportDialog(dir.filePath("back.png"), QSize(99, 77), true, true);
    frame->Action(ID_FILE_EXPORT_IMAGE)->trigger();
    QCOMPARE(QImage(dir.filePath("back.png")).size(), frame->GetView()->size());

    // Cancel writes nothing; an unwritable place says why.
    AnswerExportDialog(dir.filePath("cancelled.png"), QSize(), false);
    frame->Action(ID_FILE_EXPORT_IMAGE)->trigger();
    QVERIFY(!QFile::exists(dir.filePath("cancelled.png")));
    CMessageBoxAnswerer answers(QMessageBox::Ok);
    QVERIFY(!frame->ExportImage(dir.filePath("no/such/folder/x.png"), QSize(50, 50)));
    QCOMPARE(answers.texts.size(), 1);
    QVERIFY(answers.texts.first().startsWith("Cannot save"));
}

QTEST_MAIN(ExportTest)
#include "export_test.moc"
