// File > Export Image: the view as a PNG picture, at the view's size or a chosen one.
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include "app/exportimagedialog.h"
#include "app/mainframe.h"
#include "view/tesseraview.h"

bool CMainFrame::OnFileExportImage()
{
    // Next to the space file, named after it.
    const QString base = m_pathName.isEmpty() ? QString("untitled") : QFileInfo(m_pathName).completeBaseName();
    const QString folder = m_pathName.isEmpty() ? QDir::currentPath() : QFileInfo(m_pathName).path();
    CExportImageDialog dialog(QDir(folder).filePath(base + ".png"), m_pView->size(), this);
    if (dialog.exec() != QDialog::Accepted) return false;
    return ExportImage(dialog.Path(), dialog.ImageSize());
}

bool CMainFrame::ExportImage(const QString& path, QSize size)
{
    QString error;
    const QImage image = m_pView->RenderImage(size, &error);
    if (image.isNull()) {
        ShowError(QString("Cannot export the view.\n%1").arg(error));
        return false;
    }
    QImageWriter writer(path, "png");
    if (!writer.write(image)) {
        ShowError(QString("Cannot save %1.\n%2").arg(QDir::toNativeSeparators(path), writer.errorString()));
        return false;
    }
    return true;
}
