// Recent files: absolute paths, at most SIZE, no duplicates, stored under "Recent File List".
#include "app/recentfilelist.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const char* const KEY = "Recent File List/files";

QString Normalised(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }
}  // namespace

CRecentFileList::CRecentFileList()
{
    QSettings settings;
    for (const QString& f : settings.value(KEY).toStringList()) {
        if (f.isEmpty() || m_files.contains(f)) continue;
        m_files.append(f);
        if (m_files.size() == SIZE) break;
    }
}

void CRecentFileList::Add(const QString& path)
{
    const QString p = Normalised(path);
    m_files.removeAll(p);
    m_files.prepend(p);
    while (m_files.size() > SIZE) m_files.removeLast();
    Save();
}

void CRecentFileList::Remove(const QString& path)
{
    m_files.removeAll(Normalised(path));
    Save();
}

QString CRecentFileList::MenuText(int i) const
{
    QString shown = QDir::toNativeSeparators(m_files.value(i));
    if (shown.size() > 40) shown = QFileInfo(shown).fileName();
    shown.replace("&", "&&");
    return QString("&%1 %2").arg(i + 1).arg(shown);
}

void CRecentFileList::Save() const
{
    QSettings settings;
    settings.setValue(KEY, m_files);
}
