// CChunkedOutput: gathers the text of a writer and hands it to a byte stream in large writes.
#pragma once

#include <charconv>
#include <string>
#include <string_view>

#include "formats/bytestream.h"

class CChunkedOutput {
public:
    explicit CChunkedOutput(CByteStream& out) : out(out) { text.reserve(CHUNK + 256); }

    void append(std::string_view s)
    {
        text.append(s);
        if (text.size() >= CHUNK) flush();
    }
    void appendInt(int v)
    {
        char digits[16];
        auto res = std::to_chars(digits, digits + sizeof digits, v);
        append(std::string_view(digits, std::size_t(res.ptr - digits)));
    }
    // Writes what is gathered; after the first failed write nothing more is written.
    bool flush()
    {
        if (ok && !text.empty()) ok = out.write(text.data(), int(text.size()));
        text.clear();
        return ok;
    }
    bool good() const { return ok; }

private:
    static constexpr std::size_t CHUNK = 64 * 1024;
    CByteStream& out;
    std::string text;
    bool ok = true;
};
