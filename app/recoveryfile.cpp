// Recovery copies: "<id>.ts3" holds the space, "<id>.name" the document's file name and
// "<id>.lock" the running editor's lock. All three live in <AppDataLocation>/recovery.
#include "app/recoveryfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <atomic>
#include <chrono>
#include <string>

#include "formats/filestream.h"
#include "formats/spacefile.h"
#include "document/tesseradoc.h"

namespace {
// A lock is stale only when its process is gone, never by age: an editor may run for weeks.
constexpr std::chrono::milliseconds NEVER_STALE_BY_AGE = std::chrono::hours(24 * 365 * 10);

int IntervalFromEnvironment()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("TESSERA_RECOVERY_INTERVAL_MS", &ok);
    return ok && ms > 0 ? ms : CRecoveryFile::DEFAULT_INTERVAL_MS;
}

QString WithSuffix(const QString& copyPath, const char* suffix)
{
    QString base = copyPath;
    base.chop(4);  // ".ts3"
    return base + suffix;
}

bool WriteBytes(const QString& path, const std::string& bytes)
{
    CFileWriteStream out(QFile::encodeName(path).toStdString());
    return out.isOpen() && out.write(bytes.data(), int(bytes.size())) && out.commit();
}

QString ReadName(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.read(4096));
}
}  // namespace

CRecoveryFile::CRecoveryFile(CTesseraDoc* doc, std::function<QString()> pathName, QObject* parent)
    : QObject(parent), m_pDoc(doc), m_pathName(std::move(pathName))
{
    static std::atomic<int> counter{0};
    m_id = QString("%1-%2").arg(QCoreApplication::applicationPid()).arg(counter++);
    m_timer.setInterval(IntervalFromEnvironment());
    connect(&m_timer, &QTimer::timeout, this, &CRecoveryFile::Update);
    m_timer.start();
}

CRecoveryFile::~CRecoveryFile() { Discard(); }

QString CRecoveryFile::Folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery";
}

QString CRecoveryFile::CopyPath() const { return Folder() + "/" + m_id + ".ts3"; }

void CRecoveryFile::Update()
{
    if (!m_pDoc->IsModified()) {
        Discard();
        return;
    }
    CSpace space = m_pDoc->GetSpace();
    const QString name = m_pathName();
    if (m_bWritten && name == m_writtenName && space.isEqual(m_written)) return;
    if (Write(space, name)) {
        m_written = std::move(space);
        m_writtenName = name;
        m_bWritten = true;
    }
}

bool CRecoveryFile::Write(const CSpace& space, const QString& name)
{
    if (!QDir().mkpath(Folder())) return false;
    if (!m_lock) {
        m_lock = std::make_unique<QLockFile>(WithSuffix(CopyPath(), ".lock"));
        m_lock->setStaleLockTime(NEVER_STALE_BY_AGE);
        if (!m_lock->tryLock(0)) {
            m_lock.reset();
            return false;
        }
    }
    // The name first: a copy is never without the name it belongs to.
    if (!WriteBytes(WithSuffix(CopyPath(), ".name"), name.toUtf8().toStdString())) return false;
    CFileWriteStream out(QFile::encodeName(CopyPath()).toStdString());
    return out.isOpen() && writeSpaceOrVrml(out, space) && out.commit();
}

void CRecoveryFile::Discard()
{
    m_bWritten = false;
    if (!m_lock) return;  // nothing was written
    QFile::remove(CopyPath());
    QFile::remove(WithSuffix(CopyPath(), ".name"));
    m_lock->unlock();  // removes the lock file
    m_lock.reset();
}

QList<CRecoveryFile::SOrphan> CRecoveryFile::FindOrphans()
{
    QList<SOrphan> orphans;
    const QDir folder(Folder());
    const QFileInfoList copies = folder.entryInfoList({"*.ts3"}, QDir::Files, QDir::Time);
    for (const QFileInfo& copy : copies) {
        const QString lockPath = WithSuffix(copy.absoluteFilePath(), ".lock");
        if (QFileInfo::exists(lockPath)) {
            QLockFile lock(lockPath);
            lock.setStaleLockTime(NEVER_STALE_BY_AGE);
            if (!lock.tryLock(0)) continue;  // its editor is still running
            lock.unlock();                   // it was stale: its editor is gone
        }
        SOrphan orphan;
        orphan.copyPath = copy.absoluteFilePath();
        orphan.namePath = WithSuffix(orphan.copyPath, ".name");
        orphan.originalName = ReadName(orphan.namePath);
        orphans.append(orphan);
    }
    return orphans;
}

void CRecoveryFile::Remove(const SOrphan& orphan)
{
    QFile::remove(orphan.copyPath);
    QFile::remove(orphan.namePath);
}
