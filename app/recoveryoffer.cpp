// The offer at start-up: each recovery copy left by an editor that did not end normally is
// offered in turn, newest first. A restored copy keeps the name of the file it came from and
// stays unsaved; an offered copy is removed either way.
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <string>

#include "app/mainframe.h"
#include "app/recoveryfile.h"
#include "app/resources.h"
#include "formats/memorystream.h"
#include "document/tesseradoc.h"
#include "view/tesseraview.h"

bool CMainFrame::OfferRecovery()
{
    for (const CRecoveryFile::SOrphan& orphan : CRecoveryFile::FindOrphans()) {
        const QString title =
            orphan.originalName.isEmpty() ? QString(RES_UNTITLED) : QFileInfo(orphan.originalName).fileName();
        const auto answer = QMessageBox::question(
            this, RES_APP_TITLE,
            QString("3D-Tessera did not close normally. Restore the unsaved changes to %1?").arg(title),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer != QMessageBox::Yes) {
            CRecoveryFile::Remove(orphan);
            continue;
        }
        if (!SaveModified()) return false;  // the copy stays for the next start
        QFile file(orphan.copyPath);
        std::string bytes;
        if (file.open(QIODevice::ReadOnly)) bytes = file.readAll().toStdString();
        CMemoryStream in(std::move(bytes), QFileInfo(orphan.copyPath).fileName().toStdString());
        if (!m_pDoc->Load(in)) {
            ShowError(QString("The recovery copy of %1 could not be read.").arg(title));
            CRecoveryFile::Remove(orphan);
            continue;
        }
        m_pathName = orphan.originalName;
        m_pDoc->SetModifiedFlag(true);
        UpdateTitle();
        m_pView->FitIfTooLarge();  // as any opened file: a wide space comes up with all of it in view
        m_pRecovery->Update();  // this editor's own copy, before the old one goes
        CRecoveryFile::Remove(orphan);
        UpdateCommandUI();
        return true;
    }
    return false;
}
