// CByteStream: the raw byte channel that files are read from and written to.
#pragma once

#include <string>

class CByteStream {
public:
    virtual ~CByteStream() = default;

    // Reads up to n bytes into buf; returns the count read, 0 at the end (or on an error).
    virtual int read(void* buf, int n) = 0;
    // Writes all n bytes; false when they could not be written.
    virtual bool write(const void* buf, int n) = 0;
    // The name of the file behind the stream, without its directory.
    virtual std::string fileName() const = 0;
};
