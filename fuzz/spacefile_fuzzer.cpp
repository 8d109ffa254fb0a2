// Fuzz target: the space and plane file reader on arbitrary bytes, and the writer's round trip
// of whatever the reader accepted.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "formats/memorystream.h"
#include "formats/spacereader.h"
#include "formats/spacewriter.h"
#include "formats/vrmlwriter.h"

namespace {
// Round trips of bigger spaces only cost time: the reader already built them once.
constexpr std::int64_t ROUND_TRIP_CELLS = std::int64_t(1) << 22;
constexpr std::int64_t VRML_CELLS = 1 << 12;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "spacefile fuzzer: %s\n", what);
    std::abort();
}

std::int64_t cellCount(const CSpace& s)
{
    return std::int64_t(s.getSizeX()) * s.getSizeY() * s.getSizeZ();
}

// Either all three sizes are positive and within the cell limit, or the space is empty.
void checkShape(const CSpace& s)
{
    const bool empty = s.getSizeX() == 0 && s.getSizeY() == 0 && s.getSizeZ() == 0;
    const bool sized = s.getSizeX() > 0 && s.getSizeY() > 0 && s.getSizeZ() > 0;
    if (!empty && !sized) fail("a space with some sizes 0 and others not");
    if (cellCount(s) > CSpace::MAX_CELLS) fail("a space above the cell limit");
    if (sized && !s.data()) fail("a sized space without cells");
}

std::string written(const CSpace& s)
{
    CMemoryStream out({}, "fuzz.ts3");
    if (!writeSpaceFile(out, s)) fail("writing to memory failed");
    return out.contents();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemoryStream in(std::string(reinterpret_cast<const char*>(data), size), "fuzz.ts3");
    const CSpace untouched(1, 1, 1, 12345);
    CSpace read = untouched;
    if (!readSpaceFile(in, read)) {
        if (!read.isEqual(untouched)) fail("a rejected file changed the space");
        return 0;
    }
    checkShape(read);
    if (cellCount(read) > ROUND_TRIP_CELLS) return 0;

    // What was read, written and read again, is the same space, and writes the same bytes.
    const std::string text = written(read);
    CMemoryStream back(text, "fuzz.ts3");
    CSpace again = untouched;
    if (!readSpaceFile(back, again)) fail("the reader rejected the writer's output");
    if (!again.isEqual(read)) fail("the space changed on its way through a file");
    if (written(again) != text) fail("the same space was written as different bytes");

    if (cellCount(read) <= VRML_CELLS) {
        CMemoryStream vrml({}, "fuzz.wrl");
        if (!writeVrml(vrml, read)) fail("VRML export to memory failed");
    }
    return 0;
}
