// The Insert menu: the sizes from the dialog, the frame through the editing model (one undo
// step), the reason in a message box when the place is taken or too small.
#include "app/insertblockcommand.h"

#include <QMessageBox>

#include "app/insertblockdialog.h"
#include "app/mainframe.h"
#include "app/resources.h"
#include "document/tesseradoc.h"
#include "view/tesseraview.h"

CInsertBlockCommand::CInsertBlockCommand()
{
    for (int i = 0; i < INSERT_BLOCK_COUNT; i++) m_last[i].kind = EInsertBlock(i);
    m_last[int(EInsertBlock::WorkArea)].first = {3, 1, 3};
    m_last[int(EInsertBlock::RuleGroup)].count = 2;
    m_last[int(EInsertBlock::Sequence)].count = 2;
    m_last[int(EInsertBlock::SubProgram)].second = {12, 4, 8};  // room for a work area and a rule
}

bool CInsertBlockCommand::Run(CMainFrame* frame, EInsertBlock kind)
{
    CTesseraView* view = frame->GetView();
    SBlockRequest request = m_last[int(kind)];
    request.flat = frame->GetDocument()->GetSizeY() == 1;
    if (CInsertBlockDialog::HasSizes(kind)) {
        CInsertBlockDialog dialog(request, frame);
        if (dialog.exec() != QDialog::Accepted) return false;
        request = dialog.Request();
        m_last[int(kind)] = request;
    }
    const CBlockStamp stamp(request);
    const std::string name = std::string("Insert ") + insertBlockName(kind);
    const std::string problem = view->GetEditor().InsertBlock(stamp, name.c_str());
    if (!problem.empty()) {
        QMessageBox::warning(frame, RES_APP_TITLE, QString::fromStdString(problem));
        return false;
    }
    view->Redraw();
    return true;
}
