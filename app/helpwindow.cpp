// The help window: a read-only browser over the Markdown guide, opened beside the main frame.
#include "app/helpwindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/resources.h"

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setWindowTitle(QString("%1 Help").arg(RES_APP_TITLE));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 560);
    // Closed from the keyboard as other secondary windows are.
    for (const char* keys : {"Esc", "Ctrl+W"})
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this, &QWidget::close);
}

QString CHelpWindow::FindGuide()
{
    const QString bin = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        bin + "/../share/doc/tessera/guide.md",
        bin + "/../share/tessera/guide.md",
        QStringLiteral(TESSERA_SOURCE_DIR "/docs/guide.md"),
    };
    for (const QString& c : candidates)
        if (QFileInfo(c).isFile()) return QFileInfo(c).canonicalFilePath();
    return {};
}

bool CHelpWindow::ShowGuide()
{
    const QString guide = FindGuide();
    if (guide.isEmpty()) {
        QMessageBox::warning(parentWidget(), RES_APP_TITLE, "The user's guide (guide.md) could not be found.");
        return false;
    }
    m_browser->setSource(QUrl::fromLocalFile(guide), QTextDocument::MarkdownResource);
    show();
    raise();
    return true;
}
