// File streams. The reader keeps a window [pos, end) of `buffer` not yet handed out. The writer
// owns `temp` from construction until commit() renames it or discard() removes it; `fd` is open
// only in between, so a closed `fd` with no commit means the temporary is already gone.
#include "formats/filestream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>
#include <system_error>

namespace {

constexpr std::size_t READ_CHUNK = 64 * 1024;

std::string errorText(int err) { return std::generic_category().message(err); }

std::string baseName(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string dirName(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Saving through a symbolic link replaces the file it points to, not the link.
std::string resolveTarget(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved)) return path;
    return resolved;
}

}  // namespace

CFileReadStream::CFileReadStream(const std::string& path) : path(path)
{
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        fail("Cannot open", errno);
        return;
    }
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        fail("Cannot open", EISDIR);
        return;
    }
    buffer.resize(READ_CHUNK);
}

CFileReadStream::~CFileReadStream()
{
    if (fd >= 0) ::close(fd);
}

void CFileReadStream::fail(const char* what, int err)
{
    message = std::string(what) + " \"" + path + "\": " + errorText(err);
    if (fd >= 0) ::close(fd);
    fd = -1;
}

bool CFileReadStream::refill()
{
    pos = end = 0;
    while (fd >= 0) {
        ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got > 0) {
            end = std::size_t(got);
            return true;
        }
        if (got == 0) return false;
        if (errno != EINTR) fail("Cannot read", errno);
    }
    return false;
}

int CFileReadStream::read(void* buf, int n)
{
    char* out = static_cast<char*>(buf);
    int done = 0;
    while (done < n) {
        if (pos == end && !refill()) break;
        std::size_t count = std::min(end - pos, std::size_t(n - done));
        std::memcpy(out + done, buffer.data() + pos, count);
        pos += count;
        done += int(count);
    }
    return done;
}

int CFileReadStream::readLine(char* buf, int max)
{
    int kept = 0;
    for (;;) {
        if (pos == end && !refill()) return kept;
        const char* from = buffer.data() + pos;
        const char* feed = static_cast<const char*>(std::memchr(from, '\n', end - pos));
        const std::size_t count = feed ? std::size_t(feed - from) : end - pos;
        const std::size_t keep = std::min(count, std::size_t(max - kept));
        std::memcpy(buf + kept, from, keep);
        kept += int(keep);
        pos += count;
        if (feed) {
            pos++;  // the line feed itself
            return kept;
        }
    }
}

bool CFileReadStream::write(const void*, int) { return false; }

std::string CFileReadStream::fileName() const { return baseName(path); }

CFileWriteStream::CFileWriteStream(const std::string& path) : path(path), target(resolveTarget(path))
{
    // The temporary is a hidden sibling of the target, so the rename never crosses file systems.
    static std::atomic<unsigned> counter{0};
    std::string stem = dirName(target) + "/." + baseName(target) + ".tmp";
    std::random_device seed;
    int err = EEXIST;
    for (int attempt = 0; attempt < 100 && err == EEXIST; attempt++) {
        temp = stem + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" +
               std::to_string(seed() % 100000);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        err = fd < 0 ? errno : 0;
    }
    if (fd < 0) {
        temp.clear();
        fail("Cannot create a file in \"" + dirName(target) + "\"", err);
        return;
    }
    // A replaced file keeps its permissions; a new one gets the usual ones (0666 less umask).
    struct stat st;
    if (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) fchmod(fd, st.st_mode & 07777);
}

CFileWriteStream::~CFileWriteStream()
{
    if (!committed) discard();
}

void CFileWriteStream::discard()
{
    if (fd >= 0) ::close(fd);
    fd = -1;
    if (!temp.empty()) ::unlink(temp.c_str());
    temp.clear();
}

void CFileWriteStream::fail(const std::string& what, int err)
{
    if (message.empty()) message = what + ": " + errorText(err);
    discard();
}

int CFileWriteStream::read(void*, int) { return 0; }

bool CFileWriteStream::write(const void* buf, int n)
{
    if (fd < 0 || n < 0) return false;
    const char* p = static_cast<const char*>(buf);
    while (n > 0) {
        ssize_t put = ::write(fd, p, std::size_t(n));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            fail("Cannot write \"" + path + "\"", put < 0 ? errno : EIO);
            return false;
        }
        p += put;
        n -= int(put);
    }
    return true;
}

std::string CFileWriteStream::fileName() const { return baseName(path); }

bool CFileWriteStream::commit()
{
    if (fd < 0) return false;
    if (fsync(fd) != 0) {
        fail("Cannot write \"" + path + "\"", errno);
        return false;
    }
    int closed = ::close(fd);
    fd = -1;
    if (closed != 0) {
        fail("Cannot write \"" + path + "\"", errno);
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        fail("Cannot replace \"" + path + "\"", errno);
        return false;
    }
    temp.clear();
    committed = true;
    // Make the rename itself durable; a failure here leaves a complete file, so it is ignored.
    int dir = ::open(dirName(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    return true;
}
