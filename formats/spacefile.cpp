// The choice between the output formats, made on the last four characters of the name, and
// between the input formats, made on the first four bytes.
#include "formats/spacefile.h"

#include <algorithm>
#include <cstring>

#include "formats/spacereader.h"
#include "formats/spacewriter.h"
#include "formats/voxwriter.h"
#include "formats/vrmlwriter.h"

namespace {
// A stream whose first bytes were read already: they come again before the rest.
class CReplayStream : public CByteStream {
public:
    CReplayStream(std::string head, CByteStream& rest) : head(std::move(head)), rest(rest) {}
    int read(void* buf, int n) override
    {
        if (pos < head.size() && n > 0) {
            const int count = int(std::min(head.size() - pos, std::size_t(n)));
            std::memcpy(buf, head.data() + pos, std::size_t(count));
            pos += std::size_t(count);
            return count;
        }
        return rest.read(buf, n);
    }
    int readLine(char* buf, int max) override
    {
        // A line that starts in the head is read a byte at a time; the rest at the stream's pace.
        if (pos < head.size()) return CByteStream::readLine(buf, max);
        return rest.readLine(buf, max);
    }
    bool write(const void*, int) override { return false; }
    std::string fileName() const override { return rest.fileName(); }

private:
    std::string head;
    CByteStream& rest;
    std::size_t pos = 0;
};
}  // namespace

bool isVrmlName(const std::string& name)
{
    if (name.size() < 4) return false;
    std::string ending = name.substr(name.size() - 4);
    return ending == ".wrl" || ending == ".WRL";
}

bool writeSpaceOrVrml(CByteStream& out, const CSpace& space)
{
    if (isVrmlName(out.fileName())) return writeVrml(out, space);
    if (isVoxName(out.fileName())) return writeVoxFile(out, space);
    return writeSpaceFile(out, space);
}

bool readAnySpaceFile(CByteStream& in, CSpace& out, SReadNotes* notes)
{
    // Byte by byte, as the space reader reads: a short read means the end of the file.
    std::string head;
    char c;
    while (head.size() < 4 && in.read(&c, 1) == 1) {
        head += c;
        if (std::string_view("VOX ").substr(0, head.size()) != head) break;
    }
    CReplayStream replay(head, in);
    if (head != "VOX ") return readSpaceFile(replay, out);
    SReadNotes found;
    found.vox = true;
    const bool ok = readVoxFile(replay, out, found.voxNotes, found.error);
    if (notes) *notes = found;
    return ok;
}
