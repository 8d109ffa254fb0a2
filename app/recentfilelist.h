// CRecentFileList: the four most recently opened or saved files, newest first, kept in the
// user's settings between sessions.
#pragma once

#include <QString>
#include <QStringList>

class CRecentFileList {
public:
    static constexpr int SIZE = 4;

    CRecentFileList();

    const QStringList& Files() const { return m_files; }
    // Puts the file first (moving it up if it is listed already) and saves the list.
    void Add(const QString& path);
    // Drops a file that can no longer be opened and saves the list.
    void Remove(const QString& path);

    // The menu text of entry i: "&1 name" with the file's name shortened to fit a menu.
    QString MenuText(int i) const;

private:
    void Save() const;

    QStringList m_files;
};
