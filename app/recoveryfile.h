// CRecoveryFile: while the document has unsaved changes, a copy of its space is written every
// 30 seconds (TESSERA_RECOVERY_INTERVAL_MS overrides it) into the user's application data
// folder, through the same atomic writer as Save. A save, a clean exit or an unmodified
// document removes the copy. A copy whose editor is gone (its lock is stale) is an orphan:
// the next start offers to restore it.
#pragma once

#include <QList>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "space/space.h"

class CTesseraDoc;

class CRecoveryFile : public QObject {
    Q_OBJECT

public:
    // pathName gives the document's file name (empty while untitled), kept beside the copy.
    CRecoveryFile(CTesseraDoc* doc, std::function<QString()> pathName, QObject* parent = nullptr);
    ~CRecoveryFile() override;  // a clean end: the copy goes

    static constexpr int DEFAULT_INTERVAL_MS = 30000;
    int IntervalMs() const { return m_timer.interval(); }

    // The folder that holds the copies.
    static QString Folder();
    QString CopyPath() const;

    // Writes the copy when the document is modified and differs from the copy written last;
    // removes it when the document is not modified. The timer runs this.
    void Update();
    // Removes this editor's copy (after a save, a New or an Open, and at a clean exit).
    void Discard();

    struct SOrphan {
        QString copyPath;
        QString namePath;
        QString originalName;  // the document's file name, empty if it was untitled
    };
    // Copies left by editors that are no longer running, newest first.
    static QList<SOrphan> FindOrphans();
    static void Remove(const SOrphan& orphan);

private:
    bool Write(const CSpace& space, const QString& name);

    CTesseraDoc* m_pDoc;
    std::function<QString()> m_pathName;
    QString m_id;  // process id and a number: unique among running editors
    QTimer m_timer;
    std::unique_ptr<QLockFile> m_lock;  // held from the first write: marks the copy as in use
    bool m_bWritten = false;
    CSpace m_written;
    QString m_writtenName;
};
