// Fuzz target: the MagicaVoxel reader on arbitrary bytes (a refused file leaves the space as it
// was and says why), and the writer's round trip of whatever the reader accepted.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "formats/memorystream.h"
#include "formats/spacefile.h"
#include "formats/voxwriter.h"

namespace {
// Round trips of bigger spaces only cost time: the reader already built them once.
constexpr std::int64_t ROUND_TRIP_CELLS = std::int64_t(1) << 20;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "voxfile fuzzer: %s\n", what);
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemoryStream in(std::string(reinterpret_cast<const char*>(data), size), "fuzz.vox");
    const CSpace untouched(1, 1, 1, 12345);
    CSpace read = untouched;
    SReadNotes notes;
    if (!readAnySpaceFile(in, read, &notes)) {
        if (!read.isEqual(untouched)) fail("a refused file changed the space");
        if (notes.vox && notes.error.empty()) fail("a MagicaVoxel file was refused without a reason");
        return 0;
    }
    if (!notes.vox) return 0;  // a space file: the spacefile target's business
    const std::int64_t cells = std::int64_t(read.getSizeX()) * read.getSizeY() * read.getSizeZ();
    if (cells > CSpace::MAX_CELLS) fail("a space above the cell limit");
    if (notes.voxNotes.inexact > notes.voxNotes.voxels) fail("more inexact voxels than voxels");
    if (cells > ROUND_TRIP_CELLS) return 0;

    // What was read, written and read again, is the same space, with every colour exact.
    CMemoryStream out({}, "fuzz.vox");
    if (!writeVoxFile(out, read)) fail("writing to memory failed");
    CMemoryStream back(out.contents(), "fuzz.vox");
    CSpace again = untouched;
    SReadNotes againNotes;
    if (!readAnySpaceFile(back, again, &againNotes)) fail(("the reader refused the writer's file: " + againNotes.error).c_str());
    if (!again.isEqual(read)) fail("the space changed on its way through a file");
    if (againNotes.voxNotes.inexact != 0) fail("a written colour came back inexact");
    return 0;
}
