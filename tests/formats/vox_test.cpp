// MagicaVoxel files: our own round trip (every example, spaces split into several models), files
// made elsewhere (palettes, scenes, no scene), and broken files refused with a reason.
#include <gtest/gtest.h>

#include <filesystem>

#include "formats/filestream.h"
#include "formats/memorystream.h"
#include "formats/spacefile.h"
#include "formats/spacereader.h"
#include "formats/voxpalette.h"
#include "formats/voxwriter.h"
#include "support/spacetext.h"
#include "support/voxbuilder.h"

namespace {
std::string written(const CSpace& space)
{
    CMemoryStream out({}, "space.vox");
    EXPECT_TRUE(writeSpaceOrVrml(out, space));
    return out.contents();
}

// Reads through the same entry point as the document.
bool read(const std::string& bytes, CSpace& space, SReadNotes& notes)
{
    CMemoryStream in(bytes, "space.vox");
    return readAnySpaceFile(in, space, &notes);
}

// A solid space with every colour somewhere and cells on every border.
CSpace pattern(int sx, int sy, int sz)
{
    CSpace s(sx, sy, sz, 0);
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++)
            for (int x = 0; x < sx; x++)
                if ((x * 7 + y * 5 + z * 3) % 4 == 0 || x == sx - 1 || z == 0) s.set(x, y, z, 100 + (x + 2 * y + 3 * z) % 8);
    return s;
}
}  // namespace

TEST(Vox, SpacesComeBackCellForCell)
{
    struct Case {
        const char* what;
        CSpace space;
        int models;
    };
    const Case cases[] = {
        {"a flat space with every colour", flatSpace({"WKBR.", "GPCY.", "....W"}), 1},
        {"a solid space", pattern(7, 4, 5), 1},
        {"an empty 40 x 10 x 30 space keeps its sizes", CSpace(40, 10, 30, 0), 1},
        {"one cell", CSpace(1, 1, 1, 104), 1},
        {"x beyond one model's 256", pattern(300, 2, 3), 2},
        {"y beyond 256", pattern(2, 257, 1), 2},
        {"z beyond 256, 3 models", pattern(1, 1, 600), 3},
        {"exactly 256 on every side of x and z", pattern(256, 1, 256), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CSpace back(1, 1, 1, 0);
        SReadNotes notes;
        ASSERT_TRUE(read(written(c.space), back, notes)) << notes.error;
        EXPECT_TRUE(notes.vox);
        EXPECT_EQ(notes.voxNotes.models, c.models);
        EXPECT_EQ(notes.voxNotes.inexact, 0);
        EXPECT_EQ(notes.voxNotes.voxels, c.space.countNonEmpty());
        EXPECT_TRUE(back.isEqual(c.space));
    }
}

TEST(Vox, EveryExampleComesBack)
{
    int files = 0;
    for (const char* folder : {"/../../examples", "/../../gallery"}) {
        const std::filesystem::path dir = std::string(TESSERA_TEST_DATA) + folder;
        if (!std::filesystem::is_directory(dir)) continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
            if (entry.path().extension() != ".ts3") continue;
            SCOPED_TRACE(entry.path().string());
            CFileReadStream in(entry.path().string());
            CSpace space(1, 1, 1, 0), back(1, 1, 1, 0);
            ASSERT_TRUE(readSpaceFile(in, space));
            SReadNotes notes;
            ASSERT_TRUE(read(written(space), back, notes)) << notes.error;
            EXPECT_TRUE(back.isEqual(space));
            files++;
        }
    }
    EXPECT_GE(files, 20);
}

TEST(Vox, ValuesWithoutAColourAreBlackAndOutsideIsLeftOut)
{
    const CSpace space = flatSpace({"*oR"});
    CSpace back(1, 1, 1, 0);
    SReadNotes notes;
    ASSERT_TRUE(read(written(space), back, notes));
    EXPECT_EQ(rowsOf(back), std::vector<std::string>{"K.R"});
    EXPECT_EQ(notes.voxNotes.voxels, 2);
    EXPECT_EQ(notes.voxNotes.inexact, 1);  // the wildcard's black is not the black cell's grey
}

TEST(Vox, PaletteEntriesAreTheEditorsColours)
{
    const VoxPalette palette = writerPalette();
    const SVoxColour expected[8] = {{255, 255, 255, 255}, {64, 64, 64, 255}, {0, 0, 255, 255}, {255, 0, 0, 255},
                                    {0, 255, 0, 255},     {255, 0, 255, 255}, {0, 255, 255, 255}, {255, 255, 0, 255}};
    for (int code = 100; code <= 107; code++) {
        EXPECT_EQ(palette[voxIndexOfCell(code)], expected[code - 100]) << code;
        bool exact = false;
        EXPECT_EQ(nearestCellColour(expected[code - 100], &exact), code);
        EXPECT_TRUE(exact);
    }
}

TEST(Vox, ForeignColoursTakeTheNearestCellColour)
{
    // Index 1 near red, 2 exactly blue, 3 orange (nearer yellow than red), 4 dark (black), 5 near
    // pale; index 6 is not in the palette chunk's list and stays black (opaque 0,0,0).
    const std::string bytes =
        vox::file(vox::size(6, 1, 1) +
                  vox::xyzi({{0, 0, 0, 1}, {1, 0, 0, 2}, {2, 0, 0, 3}, {3, 0, 0, 4}, {4, 0, 0, 5}, {5, 0, 0, 6}}) +
                  vox::rgba({{1, 250, 10, 10}, {2, 0, 0, 255}, {3, 255, 170, 0}, {4, 40, 50, 60}, {5, 20, 230, 240}}));
    CSpace back(1, 1, 1, 0);
    SReadNotes notes;
    ASSERT_TRUE(read(bytes, back, notes)) << notes.error;
    EXPECT_EQ(rowsOf(back), std::vector<std::string>{"RBYKCK"});
    EXPECT_EQ(notes.voxNotes.inexact, 5);
}

TEST(Vox, WithoutAPaletteTheDefaultOneApplies)
{
    // Default palette: 1 is FFFFFF, 6 is FFFF00, 216 the first red of the ramps (EE0000).
    const std::string bytes = vox::file(vox::size(3, 1, 1) + vox::xyzi({{0, 0, 0, 1}, {1, 0, 0, 6}, {2, 0, 0, 216}}));
    CSpace back(1, 1, 1, 0);
    SReadNotes notes;
    ASSERT_TRUE(read(bytes, back, notes)) << notes.error;
    EXPECT_EQ(rowsOf(back), std::vector<std::string>{"WYR"});
    EXPECT_EQ(notes.voxNotes.inexact, 1);
    EXPECT_EQ(defaultVoxPalette()[255], (SVoxColour{0x11, 0x11, 0x11, 255}));
}

TEST(Vox, ModelsWithoutASceneLieSideBySide)
{
    const std::string bytes =
        vox::file(vox::size(2, 1, 1) + vox::xyzi({{0, 0, 0, 1}, {1, 0, 0, 1}}) + vox::size(1, 1, 2) +
                  vox::xyzi({{0, 0, 1, 4}}) + vox::rgba({{1, 255, 0, 0}, {4, 0, 255, 0}}));
    CSpace back(1, 1, 1, 0);
    SReadNotes notes;
    ASSERT_TRUE(read(bytes, back, notes)) << notes.error;
    EXPECT_EQ(notes.voxNotes.models, 2);
    ASSERT_EQ(back.getSizeX(), 4);  // 2, a gap, 1
    ASSERT_EQ(back.getSizeY(), 2);  // their z is our height
    ASSERT_EQ(back.getSizeZ(), 1);
    EXPECT_EQ(rowsOf(back, 0), std::vector<std::string>{"RR.."});
    EXPECT_EQ(rowsOf(back, 1), std::vector<std::string>{"...G"});
}

TEST(Vox, TheSceneMovesAndTurnsModels)
{
    // Model 0 (2 x 1 x 1) at the origin; model 1, the same, turned a quarter round their z axis
    // (_r 17: rows (0,-1,0), (1,0,0), (0,0,1)) and moved 3 along their y; our z runs against it.
    const std::string models = vox::size(2, 1, 1) + vox::xyzi({{0, 0, 0, 1}, {1, 0, 0, 2}}) + vox::size(2, 1, 1) +
                               vox::xyzi({{0, 0, 0, 1}, {1, 0, 0, 2}});
    const std::string scene = vox::transform(0, 1) + vox::group(1, {2, 4}) + vox::transform(2, 3, {{"_t", "1 0 0"}}) +
                              vox::shape(3, 0) + vox::transform(4, 5, {{"_t", "1 3 0"}, {"_r", "17"}}) +
                              vox::shape(5, 1);
    CSpace back(1, 1, 1, 0);
    SReadNotes notes;
    ASSERT_TRUE(read(vox::file(models + scene + vox::rgba({{1, 255, 0, 0}, {2, 0, 0, 255}})), back, notes))
        << notes.error;
    // Their voxels: model 0 at (0,0,0) R, (1,0,0) B; model 1 at (1,2,0) R, (1,3,0) B.
    // Our z is their y reversed: row z = 0 is their y = 3.
    EXPECT_EQ(rowsOf(back), (std::vector<std::string>{".B", ".R", "..", "RB"}));
}

TEST(Vox, BrokenFilesAreRefusedWithAReason)
{
    const std::string model = vox::size(2, 2, 2) + vox::xyzi({{0, 0, 0, 1}});
    const std::string full = vox::file(model);
    struct Case {
        const char* what;
        std::string bytes;
        const char* reason;  // a word of the message
    };
    const Case cases[] = {
        {"cut inside MAIN", full.substr(0, full.size() - 3), "truncated"},
        {"cut inside a chunk header", vox::file("SIZE" + vox::i32(12)), "truncated"},
        {"a chunk longer than its parent", "VOX " + vox::i32(150) + vox::chunk("MAIN", "", "SIZE" + vox::i32(1 << 30) + vox::i32(0)), "truncated"},
        {"a negative chunk length", vox::file("SIZE" + vox::i32(-4) + vox::i32(0)), "truncated"},
        {"more voxels declared than held", vox::file(vox::size(2, 2, 2) + vox::chunk("XYZI", vox::i32(1000) + "abcd")), "does not match"},
        {"a voxel count past 2^30", vox::file(vox::size(2, 2, 2) + vox::chunk("XYZI", vox::i32(0x7fffffff) + "abcd")), "does not match"},
        {"a voxel outside its model", vox::file(vox::size(2, 2, 2) + vox::xyzi({{0, 2, 0, 1}})), "outside"},
        {"a model of size 0", vox::file(vox::size(2, 0, 2) + vox::xyzi({})), "size 0"},
        {"a model above 256", vox::file(vox::size(257, 1, 1) + vox::xyzi({})), "256"},
        {"a huge declared size", vox::file(vox::size(0x7fffffff, 0x7fffffff, 0x7fffffff) + vox::xyzi({})), "256"},
        {"voxels without a size", vox::file(vox::xyzi({{0, 0, 0, 1}})), "SIZE"},
        {"a short palette", vox::file(model + vox::chunk("RGBA", "abcd")), "palette"},
        {"a scene far apart", vox::file(model + model + vox::transform(0, 1) + vox::group(1, {2, 4}) + vox::transform(2, 3) + vox::shape(3, 0) + vox::transform(4, 5, {{"_t", "1000000000 0 1000000000"}}) + vox::shape(5, 1)), "more than a space"},
        {"a scene node missing", vox::file(model + vox::transform(0, 7)), "node 7"},
        {"a scene with a cycle", vox::file(model + vox::transform(0, 1) + vox::group(1, {0})), "twice"},
        {"a shape of a model not there", vox::file(model + vox::transform(0, 1) + vox::shape(1, 3)), "model 3"},
        {"a rotation that is none", vox::file(model + vox::transform(0, 1, {{"_r", "3"}}) + vox::shape(1, 0)), "rotation"},
        {"a translation that is no number", vox::file(model + vox::transform(0, 1, {{"_t", "1 x 2"}}) + vox::shape(1, 0)), "translation"},
        {"a group counting more children than it holds", vox::file(model + vox::transform(0, 1) + vox::chunk("nGRP", vox::i32(1) + vox::dict({}) + vox::i32(1 << 28))), "truncated"},
        {"a dictionary string past its chunk", vox::file(model + vox::chunk("nTRN", vox::i32(0) + vox::i32(1) + vox::i32(1 << 30))), "truncated"},
        {"only the magic", "VOX ", "MAIN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CSpace space(2, 1, 1, 103);
        SReadNotes notes;
        EXPECT_FALSE(read(c.bytes, space, notes));
        EXPECT_TRUE(notes.vox);
        EXPECT_NE(notes.error.find(c.reason), std::string::npos) << notes.error;
        EXPECT_TRUE(space.isEqual(CSpace(2, 1, 1, 103)));
    }
}

TEST(Vox, OtherFilesStillGoToTheSpaceReader)
{
    // "VO" and "V" alone are not MagicaVoxel's magic: the space reader sees every byte and
    // refuses them, as it refuses any other first byte.
    for (const std::string bytes : {"V", "VOX", "VOXX", "3D-Tessera\r\nThe X is 1\r\nThe Y is 1\r\nThe Z is 1\r\n(0,0,0,103)\r\n"}) {
        CSpace space(1, 1, 1, 0);
        SReadNotes notes;
        const bool ok = read(bytes, space, notes);
        EXPECT_FALSE(notes.vox) << bytes;
        EXPECT_EQ(ok, bytes[0] == '3') << bytes;
    }
}

TEST(Vox, NamesAndTheWriterChoice)
{
    EXPECT_TRUE(isVoxName("a.vox"));
    EXPECT_TRUE(isVoxName("A.VOX"));
    EXPECT_FALSE(isVoxName("a.Vox"));
    EXPECT_FALSE(isVoxName("vox"));
    EXPECT_EQ(written(CSpace(1, 1, 1, 103)).substr(0, 8), "VOX " + vox::i32(200));
}
