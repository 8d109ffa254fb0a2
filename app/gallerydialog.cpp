// The gallery dialog: an icon list over gallery.index, and the copy that is opened instead of the
// original file.
#include "app/gallerydialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTextStream>
#include <QVBoxLayout>

#include "app/mainframe.h"
#include "app/resources.h"

QString FindGalleryFolder()
{
    const QString bin = QCoreApplication::applicationDirPath();
    for (const QString& folder : {bin + "/../share/tessera/gallery", QStringLiteral(TESSERA_SOURCE_DIR "/gallery")})
        if (QFileInfo::exists(folder + "/gallery.index")) return QDir::cleanPath(folder);
    return QString();
}

std::vector<SGalleryEntry> ReadGalleryIndex(const QString& folder)
{
    std::vector<SGalleryEntry> entries;
    QFile index(folder + "/gallery.index");
    if (!index.open(QIODevice::ReadOnly | QIODevice::Text)) return entries;
    QTextStream in(&index);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const QStringList fields = line.split('|');
        if (line.startsWith('#') || fields.size() < 4) continue;
        SGalleryEntry e{fields[0].trimmed(), fields[2].trimmed(), fields[3].trimmed(), QString(), QString()};
        e.file = folder + "/" + e.name + ".ts3";
        if (!QFileInfo::exists(e.file)) continue;
        // Installed, the picture lies beside the program; in the source tree, with the guide's.
        for (const QString& picture : {folder + "/" + e.name + ".png",
                                       folder + "/../docs/pictures/gallery-" + e.name + ".png"})
            if (QFileInfo::exists(picture)) {
                e.picture = QDir::cleanPath(picture);
                break;
            }
        entries.push_back(e);
    }
    return entries;
}

QString CopyForEditing(const QString& file, const QString& folder)
{
    if (!QDir().mkpath(folder)) return QString();
    const QString name = QFileInfo(file).completeBaseName();
    QString copy = folder + "/" + name + ".ts3";
    for (int n = 2; QFileInfo::exists(copy); n++) copy = QString("%1/%2-%3.ts3").arg(folder, name).arg(n);
    return QFile::copy(file, copy) ? copy : QString();
}

CGalleryDialog::CGalleryDialog(const std::vector<SGalleryEntry>& entries, QWidget* parent)
    : QDialog(parent), m_entries(entries), m_list(new QListWidget(this)), m_text(new QLabel(this))
{
    setWindowTitle("Gallery");
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(200, 150));
    m_list->setGridSize(QSize(230, 190));
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setWordWrap(true);
    for (const SGalleryEntry& e : m_entries) {
        auto* item = new QListWidgetItem(QIcon(e.picture), e.title, m_list);
        item->setToolTip(e.description);
    }
    m_text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(m_list, &QListWidget::currentRowChanged, this, &CGalleryDialog::ShowDescription);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    resize(760, 620);
    if (!m_entries.empty()) m_list->setCurrentRow(0);
}

int CGalleryDialog::Chosen() const
{
    return m_list->currentRow();
}

void CGalleryDialog::ShowDescription()
{
    const int row = Chosen();
    m_text->setText(row >= 0 ? m_entries[size_t(row)].description +
                                   " A copy opens; the gallery's own file stays as it is."
                             : QString());
}

void ShowGallery(CMainFrame* frame)
{
    const QString folder = FindGalleryFolder();
    const std::vector<SGalleryEntry> entries = folder.isEmpty() ? std::vector<SGalleryEntry>() : ReadGalleryIndex(folder);
    if (entries.empty()) {
        QMessageBox::warning(frame, RES_APP_TITLE, "The gallery could not be found.");
        return;
    }
    CGalleryDialog dialog(entries, frame);
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen() < 0) return;
    const SGalleryEntry& e = entries[size_t(dialog.Chosen())];
    const QString copies = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/gallery";
    const QString copy = CopyForEditing(e.file, copies);
    if (copy.isEmpty()) {
        QMessageBox::warning(frame, RES_APP_TITLE,
                             QString("Cannot copy %1 into %2.").arg(e.file, QDir::toNativeSeparators(copies)));
        return;
    }
    // Cancelled (the unsaved-changes question) or unreadable: no stray copy stays behind.
    if (!frame->OpenDocumentFile(copy)) QFile::remove(copy);
}
