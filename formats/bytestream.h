// CByteStream: the raw byte channel that files are read from and written to.
#pragma once

#include <string>

class CByteStream {
public:
    virtual ~CByteStream() = default;

    // Reads up to n bytes into buf; returns the count read, 0 at the end (or on an error).
    virtual int read(void* buf, int n) = 0;
    // Reads through the next line feed (or to the end) and keeps the first `max` bytes before it
    // in buf; returns the count kept. Streams with a buffer override it to scan that buffer
    // rather than take one byte per call.
    virtual int readLine(char* buf, int max)
    {
        int kept = 0;
        char c;
        while (read(&c, 1) > 0 && c != '\n')
            if (kept < max) buf[kept++] = c;
        return kept;
    }
    // Writes all n bytes; false when they could not be written.
    virtual bool write(const void* buf, int n) = 0;
    // The name of the file behind the stream, without its directory.
    virtual std::string fileName() const = 0;
};
