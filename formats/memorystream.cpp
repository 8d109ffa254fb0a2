// CMemoryStream: reads consume `bytes` from `readPos` onwards; writes append to the end, so a
// stream can be written and then read back from the start.
#include "formats/memorystream.h"

#include <algorithm>
#include <cstring>
#include <utility>

CMemoryStream::CMemoryStream(std::string contents, std::string name)
    : bytes(std::move(contents)), name(std::move(name))
{
}

int CMemoryStream::read(void* buf, int n)
{
    if (n <= 0 || readPos >= bytes.size()) return 0;
    std::size_t count = std::min(std::size_t(n), bytes.size() - readPos);
    std::memcpy(buf, bytes.data() + readPos, count);
    readPos += count;
    return int(count);
}

int CMemoryStream::readLine(char* buf, int max)
{
    if (readPos >= bytes.size()) return 0;
    const std::size_t feed = bytes.find('\n', readPos);
    const std::size_t count = (feed == std::string::npos ? bytes.size() : feed) - readPos;
    const std::size_t keep = std::min(count, std::size_t(max));
    std::memcpy(buf, bytes.data() + readPos, keep);
    readPos += count + (feed == std::string::npos ? 0 : 1);
    return int(keep);
}

bool CMemoryStream::write(const void* buf, int n)
{
    if (n < 0) return false;
    bytes.append(static_cast<const char*>(buf), std::size_t(n));
    return true;
}
