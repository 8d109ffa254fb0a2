// File > Space Size...: asks for the sizes, asks again before painted cells would be dropped,
// and resizes the space in one step. The cursor, colour, step and eye stay as they were; a
// cursor beyond the new sizes comes back to the last cell on that axis.
#include <QMessageBox>

#include "app/mainframe.h"
#include "app/resources.h"
#include "app/spacesizedialog.h"
#include "document/spaceresize.h"
#include "document/tesseradoc.h"
#include "view/tesseraview.h"

void CMainFrame::OnSpaceSize()
{
    CSpaceSizeDialog dialog(m_pDoc->GetSizeX(), m_pDoc->GetSizeY(), m_pDoc->GetSizeZ(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    ResizeSpace(dialog.SizeX(), dialog.SizeY(), dialog.SizeZ());
}

bool CMainFrame::ResizeSpace(int sizeX, int sizeY, int sizeZ)
{
    if (!isPossibleSpaceSize(sizeX, sizeY, sizeZ)) {
        ShowError(QString("A space of %1 × %2 × %3 cells is too large.").arg(sizeX).arg(sizeY).arg(sizeZ));
        return false;
    }
    // The same sizes: nothing to do, no undo step, the document stays as it was.
    if (sizeX == m_pDoc->GetSizeX() && sizeY == m_pDoc->GetSizeY() && sizeZ == m_pDoc->GetSizeZ()) return true;
    const std::int64_t dropped = countCellsDropped(m_pDoc->GetSpace(), sizeX, sizeY, sizeZ);
    if (dropped > 0) {
        const auto answer = QMessageBox::question(
            this, RES_APP_TITLE,
            QString("The smaller space leaves out %1 painted cell%2. Drop %3 and resize?")
                .arg(dropped)
                .arg(dropped == 1 ? "" : "s")
                .arg(dropped == 1 ? "it" : "them"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes) return false;
    }
    CTesseraView* view = m_pView;
    if (!view->GetEditor().ResizeSpace(sizeX, sizeY, sizeZ)) {
        ShowError(QString("A space of %1 × %2 × %3 cells cannot be made.").arg(sizeX).arg(sizeY).arg(sizeZ));
        return false;
    }
    view->Redraw();
    UpdateCommandUI();
    return true;
}
