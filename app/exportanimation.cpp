// File > Export Animation and File > Export glTF. The animation runs a document of its own,
// loaded from a copy of the space, drawn by a hidden view that looks as the editor's view does;
// the editor's document, its run and its undo history are not touched.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>

#include "app/animationrecorder.h"
#include "app/exportanimationdialog.h"
#include "app/mainframe.h"
#include "document/tesseradoc.h"
#include "formats/filestream.h"
#include "formats/gltfwriter.h"
#include "formats/memorystream.h"
#include "formats/spacewriter.h"
#include "view/tesseraview.h"

namespace {
// Next to the space file, named after it.
QString Beside(const QString& pathName, const char* suffix)
{
    const QString base = pathName.isEmpty() ? QString("untitled") : QFileInfo(pathName).completeBaseName();
    const QString folder = pathName.isEmpty() ? QDir::currentPath() : QFileInfo(pathName).path();
    return QDir(folder).filePath(base + suffix);
}
}  // namespace

bool CMainFrame::OnFileExportAnimation()
{
    CExportAnimationDialog dialog(Beside(m_pathName, ".gif"), m_pView->size(), this);
    if (dialog.exec() != QDialog::Accepted) return false;
    return ExportAnimation(dialog.Path(), dialog.FrameSize(), dialog.Every(), dialog.Steps());
}

bool CMainFrame::ExportAnimation(const QString& path, QSize size, int every, int steps)
{
    CTesseraDoc doc;
    {
        CMemoryStream copy({}, "copy.ts3");
        writeSpaceFile(copy, m_pDoc->GetSpace());
        CMemoryStream in(copy.contents(), "copy.ts3");
        doc.Load(in);
    }
    CTesseraView view(&doc);
    view.resize(size);
    view.OnInitialUpdate();
    const CSpaceEditor& editor = m_pView->GetEditor();
    const CViewpoint& eye = m_pView->GetViewpoint();
    view.GetEditor().PlaceCursor(editor.GetCursorX(), editor.GetCursorY(), editor.GetCursorZ());
    view.PlaceEye(eye.elevation, eye.azimuth, eye.distance);
    view.SetCellEdges(m_pView->IsCellEdges());
    if (view.IsCursorShown()) view.OnViewCursor();  // hidden while a program runs

    QProgressDialog progress("Exporting the animation...", "Cancel", 0, steps, this);
    progress.setWindowTitle("Export Animation");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    SAnimationSettings settings;
    settings.size = size;
    settings.every = every;
    settings.steps = steps;
    CAnimationRecorder recorder;
    const auto result = recorder.Record(doc, view, path, settings, [&progress](int step) {
        progress.setValue(step);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    if (result == CAnimationRecorder::FAILED)
        ShowError(QString("Cannot export the animation to %1.\n%2").arg(QDir::toNativeSeparators(path), recorder.Error()));
    return result == CAnimationRecorder::WRITTEN;
}

bool CMainFrame::OnFileExportGltf()
{
    const QString path = QFileDialog::getSaveFileName(this, "Export glTF", Beside(m_pathName, ".glb"),
                                                      "glTF Binary (*.glb);;All Files (*)");
    if (path.isEmpty()) return false;
    return ExportGltf(QFileInfo(path).suffix().isEmpty() ? path + ".glb" : path);
}

bool CMainFrame::ExportGltf(const QString& path)
{
    CFileWriteStream out(path.toStdString());
    std::string error;
    if (!out.isOpen() || !writeGltf(out, m_pDoc->GetSpace(), &error) || !out.commit()) {
        const std::string reason = out.error().empty() ? error : out.error();
        ShowError(QString("Cannot save %1.\n%2").arg(QDir::toNativeSeparators(path), QString::fromStdString(reason)));
        return false;
    }
    return true;
}
