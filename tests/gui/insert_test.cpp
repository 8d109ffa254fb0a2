// The Insert menu through the frame's commands: a block placed from its dialog is
// one undo step the reader recognises, a place that is taken says why, declarations need a solid
// space; and no dialog shows a label's "&".
#include <QLabel>
#include <QMessageBox>
#include <QSpinBox>
#include <QtTest>
#include <functional>

#include "app/commandids.h"
#include "app/insertblockdialog.h"
#include "app/mainframe.h"
#include "guitestsupport.h"
#include "interpreter/blockcatalogue.h"

class InsertTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_fixture.Make(true); }
    void cleanup() { m_fixture.Drop(); }
    void ruleGroupFromItsDialogIsOneUndoStep();
    void aTakenPlaceSaysWhyAndPaintsNothing();
    void declarationsOnlyInASolidSpace();
    void dialogLabelsShowNoAmpersand();

private:
    // Runs the command; `answer` gets the modal dialog it opens (and closes it).
    void WithDialog(int id, const std::function<void(QDialog*)>& answer);
    SFrameFixture m_fixture;
    CMainFrame*& m_frame = m_fixture.frame;
};

void InsertTest::WithDialog(int id, const std::function<void(QDialog*)>& answer)
{
    QVERIFY2(AnswerDialog([&] { m_frame->Execute(id); }, answer), qPrintable(QString::number(id)));
}

void InsertTest::ruleGroupFromItsDialogIsOneUndoStep()
{
    CTesseraView* view = m_frame->GetView();
    view->GetEditor().PlaceCursor(5, 0, 3);
    WithDialog(ID_INSERT_FIRST + 2, [](QDialog* d) {
        auto* dialog = qobject_cast<CInsertBlockDialog*>(d);
        if (!dialog) return d->reject();
        dialog->Spins()[0]->setValue(2);      // left boxes 2 wide
        dialog->Spins().back()->setValue(3);  // three rules
        dialog->accept();
    });
    const std::vector<CBlockEntry> blocks = catalogueBlocks(m_frame->GetDocument()->GetSpace());
    QCOMPARE(blocks.size(), std::size_t(1));
    QCOMPARE(blocks[0].kind, CBlockKind::RuleGroup);
    QCOMPARE(blocks[0].rules.size(), std::size_t(3));
    QCOMPARE(blocks[0].rules[0].leftX, 2);
    QCOMPARE(blocks[0].box.x0, 5);
    QCOMPARE(view->GetEditor().GetCursorX(), 5);  // on the first cell of the top rule's left box
    QCOMPARE(view->GetEditor().GetCursorY(), 1);
    QCOMPARE(view->GetEditor().GetCursorZ(), 4);
    m_frame->UpdateCommandUI();
    QCOMPARE(m_frame->Action(ID_EDIT_UNDO)->text(), QString("&Undo Insert rule group\tCtrl+Z"));
    m_frame->Execute(ID_EDIT_UNDO);
    QCOMPARE(m_frame->GetDocument()->GetSpace().countNonEmpty(), 0);
    // Cancel places nothing.
    WithDialog(ID_INSERT_FIRST, [](QDialog* d) { d->reject(); });
    QCOMPARE(m_frame->GetDocument()->GetSpace().countNonEmpty(), 0);
}

void InsertTest::aTakenPlaceSaysWhyAndPaintsNothing()
{
    CTesseraDoc* doc = m_frame->GetDocument();
    CTesseraView* view = m_frame->GetView();
    doc->SetCell(12, 1, 11, 103);
    const struct {
        int x, z;
        const char* reason;
    } places[] = {{38, 10, "does not fit"}, {11, 10, "(12, 1, 11) where the work area goes is not empty"}};
    for (const auto& p : places) {
        view->GetEditor().PlaceCursor(p.x, 0, p.z);
        CMessageBoxAnswerer answerer(QMessageBox::Ok);
        WithDialog(ID_INSERT_FIRST, [](QDialog* d) { d->accept(); });
        QTRY_COMPARE(answerer.texts.size(), 1);
        QVERIFY2(answerer.texts[0].contains(p.reason), qPrintable(answerer.texts[0]));
        QCOMPARE(doc->GetSpace().countNonEmpty(), 1);
        QCOMPARE(view->GetEditor().GetCursorX(), p.x);
    }
    QVERIFY(!view->GetEditor().CanUndo());
}

void InsertTest::declarationsOnlyInASolidSpace()
{
    for (bool flat : {false, true}) {
        if (flat) QVERIFY(m_frame->ResizeSpace(40, 1, 30));
        m_frame->UpdateCommandUI();
        for (int i = 0; i < ID_INSERT_COUNT; i++)
            QCOMPARE(m_frame->Action(ID_INSERT_FIRST + i)->isEnabled(), !flat || i < 4);
    }
}

void InsertTest::dialogLabelsShowNoAmpersand()
{
    QList<int> ids = {ID_FILE_EXPORT_IMAGE, ID_FILE_EXPORT_ANIMATION, ID_FILE_SPACESIZE};
    for (int i = 0; i < ID_INSERT_COUNT; i++)
        if (CInsertBlockDialog::HasSizes(EInsertBlock(i))) ids.append(ID_INSERT_FIRST + i);
    QStringList shown;
    for (int id : ids)
        WithDialog(id, [id, &shown](QDialog* dialog) {
            // A label shows its "&" unless it has a buddy that the letter goes to.
            for (QLabel* label : dialog->findChildren<QLabel*>())
                if (label->text().contains('&') && !label->buddy()) shown.append(QString("%1: %2").arg(id).arg(label->text()));
            dialog->reject();
        });
    QCOMPARE(shown, QStringList());
}

QTEST_MAIN(InsertTest)
#include "insert_test.moc"
