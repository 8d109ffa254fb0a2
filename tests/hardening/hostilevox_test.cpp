// MagicaVoxel files from strangers: counts and lengths that the bytes do not back are refused
// before anything is allocated for them, and a scene spread too far is refused before its space.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "allocationprobe.h"
#include "formats/memorystream.h"
#include "formats/spacefile.h"
#include "support/voxbuilder.h"

TEST(HostileVox, DeclaredCountsAndSizesAllocateNothing)
{
    const std::string model = vox::size(2, 2, 2) + vox::xyzi({{0, 0, 0, 1}});
    struct Case {
        const char* what;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"2^31 - 1 voxels in 4 bytes", vox::file(vox::size(256, 256, 256) + vox::chunk("XYZI", vox::i32(0x7fffffff) + "abcd"))},
        {"a chunk of 2 GiB", vox::file("XYZI" + vox::i32(0x7fffffff) + vox::i32(0x7fffffff))},
        {"sizes of 2^31 - 1", vox::file(vox::size(0x7fffffff, 0x7fffffff, 0x7fffffff) + vox::xyzi({}))},
        {"a scene key of 1 GiB", vox::file(model + vox::chunk("nTRN", vox::i32(0) + vox::i32(1) + vox::i32(1 << 30) + "_t"))},
        {"a group of 2^28 children", vox::file(model + vox::transform(0, 1) + vox::chunk("nGRP", vox::i32(1) + vox::dict({}) + vox::i32(1 << 28) + vox::i32(2)))},
        {"two models 2^30 apart", vox::file(model + model + vox::transform(0, 1) + vox::group(1, {2, 4}) + vox::transform(2, 3) + vox::shape(3, 0) + vox::transform(4, 5, {{"_t", "1073741824 1073741824 1073741824"}}) + vox::shape(5, 1))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CMemoryStream in(c.bytes, "hostile.vox");
        CSpace space(2, 2, 2, 106);
        SReadNotes notes;
        std::size_t largest;
        {
            CAllocationProbe probe;
            EXPECT_FALSE(readAnySpaceFile(in, space, &notes));
            largest = probe.largest();
        }
        EXPECT_FALSE(notes.error.empty());
        EXPECT_TRUE(space.isEqual(CSpace(2, 2, 2, 106)));
        EXPECT_LT(largest, std::size_t(1) << 20);
    }
}
