// File commands of the main frame. A file is read completely before the document sees it, and
// the document takes it only if the reader recognises it, so a failed Open changes nothing:
// not the space, not the name, not the modified flag. Saving goes through a temporary file
// that replaces the target only when every byte was written.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <string>

#include "app/mainframe.h"
#include "app/recoveryfile.h"
#include "app/resources.h"
#include "document/tesseradoc.h"
#include "formats/filestream.h"
#include "formats/memorystream.h"
#include "formats/spacefile.h"
#include "view/tesseraview.h"

namespace {
constexpr const char* VOX_FILTER = "MagicaVoxel Files (*.vox)";
QString FileFilter() { return QString("%1;;%2;;All Files (*)").arg(RES_FILE_FILTER, VOX_FILTER); }

// Reads the whole file; false with the reason when it cannot be opened or read.
bool ReadWholeFile(const QString& path, std::string& bytes, std::string& error)
{
    CFileReadStream in(path.toStdString());
    char chunk[65536];
    int n;
    while ((n = in.read(chunk, sizeof chunk)) > 0) bytes.append(chunk, std::size_t(n));
    if (in.failed() || !in.isOpen()) {
        error = in.error().empty() ? "The file could not be opened." : in.error();
        return false;
    }
    return true;
}
}  // namespace

QString CMainFrame::GetTitle() const
{
    return m_pathName.isEmpty() ? QString(RES_UNTITLED) : QFileInfo(m_pathName).fileName();
}

void CMainFrame::ShowError(const QString& text) { QMessageBox::warning(this, RES_APP_TITLE, text); }

bool CMainFrame::SaveModified()
{
    if (!m_pDoc->IsModified()) return true;
    const auto answer =
        QMessageBox::question(this, RES_APP_TITLE, QString("Save changes to %1?").arg(GetTitle()),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::No) return true;
    return OnFileSave();
}

bool CMainFrame::OnFileNew()
{
    if (!SaveModified()) return false;
    m_pDoc->OnNewDocument();
    m_pathName.clear();
    UpdateTitle();
    if (m_pRecovery) m_pRecovery->Discard();
    UpdateCommandUI();
    return true;
}

bool CMainFrame::OnFileOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, "Open", QFileInfo(m_pathName).path(), FileFilter());
    if (path.isEmpty()) return false;
    return OpenDocumentFile(path);
}

bool CMainFrame::OpenDocumentFile(const QString& path)
{
    if (!SaveModified()) return false;
    std::string bytes, error;
    if (!ReadWholeFile(path, bytes, error)) {
        ShowError(QString("Cannot open %1.\n%2").arg(QDir::toNativeSeparators(path), QString::fromStdString(error)));
        return false;
    }
    const QString name = QFileInfo(path).fileName();
    CMemoryStream in(std::move(bytes), name.toStdString());
    SReadNotes notes;
    if (!m_pDoc->Load(in, &notes)) {
        if (notes.vox)
            ShowError(QString("Cannot open %1.\n%2").arg(QDir::toNativeSeparators(path), QString::fromStdString(notes.error)));
        else
            ShowError(QString("%1\nThis file is not a 3D-Tessera space or plane file.").arg(name));
        return false;
    }
    if (notes.vox && notes.voxNotes.inexact > 0)
        QMessageBox::information(this, RES_APP_TITLE,
                                 QString("%1\n%2 of its %3 voxels have a colour that is none of the eight cell "
                                         "colours; they took the nearest one.")
                                     .arg(name)
                                     .arg(notes.voxNotes.inexact)
                                     .arg(notes.voxNotes.voxels));
    m_pathName = QFileInfo(path).absoluteFilePath();
    UpdateTitle();
    m_pRecovery->Discard();
    m_recent.Add(m_pathName);
    UpdateRecentFileMenu();
    m_pView->FitIfTooLarge();  // a wide space opens with all of it in view
    UpdateCommandUI();
    return true;
}

void CMainFrame::OpenRecentFile(int index)
{
    const QString path = m_recent.Files().value(index);
    if (path.isEmpty()) return;
    if (!OpenDocumentFile(path) && !QFileInfo(path).isFile()) {
        m_recent.Remove(path);  // gone: drop it from the list
        UpdateRecentFileMenu();
    }
}

bool CMainFrame::OnFileSave()
{
    if (m_pathName.isEmpty()) return OnFileSaveAs();
    return DoSave(m_pathName);
}

bool CMainFrame::OnFileSaveAs()
{
    QFileDialog dialog(this, "Save As", m_pathName.isEmpty() ? QString(RES_UNTITLED) : m_pathName, FileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The extension in the filter's letters: on a case-sensitive file system "*.ts3" would not
    // list a "typed.TS3".
    const QString extension = QString(RES_DEFAULT_EXT).toLower();
    dialog.setDefaultSuffix(extension.mid(1));  // before the overwrite question
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, extension](const QString& filter) {
        dialog.setDefaultSuffix(filter == VOX_FILTER ? QString("vox") : extension.mid(1));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    QString path = dialog.selectedFiles().first();
    if (QFileInfo(path).suffix().isEmpty()) path += extension;
    return DoSave(path);
}

bool CMainFrame::DoSave(const QString& path)
{
    CFileWriteStream out(path.toStdString());
    const bool written = out.isOpen() && m_pDoc->Store(out) && out.commit();
    if (!written) {
        const QString reason = out.error().empty() ? QString("The file could not be written.")
                                                   : QString::fromStdString(out.error());
        ShowError(QString("Cannot save %1.\n%2").arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    // A VRML scene is an export: the document keeps its name and stays unsaved, since the
    // scene cannot be read back.
    if (isVrmlName(QFileInfo(path).fileName().toStdString())) return true;
    m_pathName = QFileInfo(path).absoluteFilePath();
    m_pDoc->SetModifiedFlag(false);
    UpdateTitle();
    m_pRecovery->Discard();
    m_recent.Add(m_pathName);
    UpdateRecentFileMenu();
    return true;
}
