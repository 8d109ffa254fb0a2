// Byte streams over files: a buffered reader, and a writer that replaces its target atomically.
#pragma once

#include <string>
#include <vector>

#include "formats/bytestream.h"

// Reads a file from the start. A failure to open or read is kept as a message (with the
// system's error text) for the caller to show; reads then return 0 as at the end of the file.
class CFileReadStream : public CByteStream {
public:
    explicit CFileReadStream(const std::string& path);
    ~CFileReadStream() override;
    CFileReadStream(const CFileReadStream&) = delete;
    CFileReadStream& operator=(const CFileReadStream&) = delete;

    bool isOpen() const { return fd >= 0; }
    // True once opening or a read has failed; error() says why.
    bool failed() const { return !message.empty(); }
    const std::string& error() const { return message; }

    int read(void* buf, int n) override;
    int readLine(char* buf, int max) override;
    bool write(const void* buf, int n) override;
    std::string fileName() const override;

private:
    bool refill();
    void fail(const char* what, int err);

    std::string path;
    std::string message;
    int fd = -1;
    std::vector<char> buffer;
    std::size_t pos = 0;
    std::size_t end = 0;
};

// Writes into a new temporary file beside the target. Only commit(), after every byte was
// written and synced, renames it over the target; a failure, or destruction without commit,
// removes the temporary and leaves any previous file untouched.
class CFileWriteStream : public CByteStream {
public:
    explicit CFileWriteStream(const std::string& path);
    ~CFileWriteStream() override;
    CFileWriteStream(const CFileWriteStream&) = delete;
    CFileWriteStream& operator=(const CFileWriteStream&) = delete;

    // True while the temporary file is open and nothing has failed.
    bool isOpen() const { return fd >= 0; }
    const std::string& error() const { return message; }

    int read(void* buf, int n) override;
    bool write(const void* buf, int n) override;
    std::string fileName() const override;

    // Syncs, closes and renames the temporary over the target; false (with error()) on failure.
    bool commit();

private:
    void fail(const std::string& what, int err);
    void discard();

    std::string path;    // as given; its last component names the stream
    std::string target;  // the file that is replaced (a symbolic link is followed)
    std::string temp;
    std::string message;
    int fd = -1;
    bool committed = false;
};
