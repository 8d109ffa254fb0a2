// CMemoryStream: a byte stream over a string held in memory.
#pragma once

#include <string>

#include "formats/bytestream.h"

class CMemoryStream : public CByteStream {
public:
    explicit CMemoryStream(std::string contents = {}, std::string name = {});

    int read(void* buf, int n) override;
    int readLine(char* buf, int max) override;
    bool write(const void* buf, int n) override;
    std::string fileName() const override { return name; }

    // Everything the stream holds, read or not.
    const std::string& contents() const { return bytes; }

private:
    std::string bytes;
    std::string name;
    std::size_t readPos = 0;
};
