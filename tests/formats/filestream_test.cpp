// File streams: reading a file, and the writer that replaces its target only on commit.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "formats/filestream.h"
#include "formats/memorystream.h"
#include "formats/spacereader.h"
#include "formats/spacewriter.h"
#include "support/filesizelimit.h"

namespace fs = std::filesystem;

namespace {

class FileStreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/tessera-filestream-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    static std::string slurp(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void put(const std::string& file, const std::string& text)
    {
        std::ofstream(file, std::ios::binary) << text;
    }
    // The names in the folder, so a leftover temporary shows up.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
};

}  // namespace

TEST_F(FileStreamTest, ReadsAFileInPieces)
{
    std::string text;
    for (int i = 0; i < 200000; i++) text += char('a' + i % 26);
    put(path("data.ts3"), text);
    CFileReadStream in(path("data.ts3"));
    ASSERT_TRUE(in.isOpen());
    EXPECT_EQ(in.fileName(), "data.ts3");
    std::string got;
    char buf[7000];
    for (int n; (n = in.read(buf, sizeof buf)) > 0;) got.append(buf, std::size_t(n));
    EXPECT_EQ(got, text);
    EXPECT_EQ(in.read(buf, 1), 0);
    EXPECT_FALSE(in.failed());
}

TEST_F(FileStreamTest, OpenFailuresCarryTheSystemMessage)
{
    CFileReadStream missing(path("missing.ts3"));
    EXPECT_FALSE(missing.isOpen());
    EXPECT_TRUE(missing.failed());
    EXPECT_NE(missing.error().find("No such file or directory"), std::string::npos) << missing.error();
    char c;
    EXPECT_EQ(missing.read(&c, 1), 0);

    CFileReadStream folder(dir.string());
    EXPECT_FALSE(folder.isOpen());
    EXPECT_NE(folder.error().find("Is a directory"), std::string::npos) << folder.error();

    CFileWriteStream nowhere(path("no/such/folder/x.ts3"));
    EXPECT_FALSE(nowhere.isOpen());
    EXPECT_FALSE(nowhere.write("x", 1));
    EXPECT_FALSE(nowhere.commit());
    EXPECT_NE(nowhere.error().find("No such file or directory"), std::string::npos) << nowhere.error();
    EXPECT_TRUE(entries().empty());
}

TEST_F(FileStreamTest, CommitReplacesTheTarget)
{
    put(path("prog.ts3"), "old contents");
    fs::permissions(path("prog.ts3"), fs::perms(0640));
    {
        CFileWriteStream out(path("prog.ts3"));
        ASSERT_TRUE(out.isOpen()) << out.error();
        EXPECT_EQ(out.fileName(), "prog.ts3");
        ASSERT_TRUE(out.write("new ", 4));
        ASSERT_TRUE(out.write("contents", 8));
        // Until commit, the old file is what a reader sees.
        EXPECT_EQ(slurp(path("prog.ts3")), "old contents");
        ASSERT_TRUE(out.commit()) << out.error();
    }
    EXPECT_EQ(slurp(path("prog.ts3")), "new contents");
    EXPECT_EQ(fs::status(path("prog.ts3")).permissions(), fs::perms(0640));
    EXPECT_EQ(entries(), std::vector<std::string>{"prog.ts3"});
}

TEST_F(FileStreamTest, NoCommitLeavesThePreviousFile)
{
    put(path("prog.ts3"), "old contents");
    {
        CFileWriteStream out(path("prog.ts3"));
        ASSERT_TRUE(out.write("half", 4));
    }
    EXPECT_EQ(slurp(path("prog.ts3")), "old contents");
    EXPECT_EQ(entries(), std::vector<std::string>{"prog.ts3"});
    {
        CFileWriteStream fresh(path("new.ts3"));
        ASSERT_TRUE(fresh.write("x", 1));
    }
    EXPECT_EQ(entries(), std::vector<std::string>{"prog.ts3"});
}

TEST_F(FileStreamTest, FailedWriteLeavesThePreviousFileAndNoTemporary)
{
    CSpace big(100, 100, 10, 104);  // about 1.9 MB of cell lines
    std::string previous = "3D-Tessera\r\nThe X is 1\r\nThe Y is 1\r\nThe Z is 1\r\n(0,0,0,103)\r\n";
    put(path("prog.ts3"), previous);
    {
        CFileSizeLimit limit(100000);
        CFileWriteStream out(path("prog.ts3"));
        ASSERT_TRUE(out.isOpen());
        EXPECT_FALSE(writeSpaceFile(out, big));
        EXPECT_FALSE(out.isOpen());
        EXPECT_FALSE(out.commit());
        EXPECT_NE(out.error().find("File too large"), std::string::npos) << out.error();
        EXPECT_EQ(entries(), std::vector<std::string>{"prog.ts3"});
    }
    EXPECT_EQ(slurp(path("prog.ts3")), previous);

    // Without the limit the same save succeeds and reads back.
    CFileWriteStream out(path("prog.ts3"));
    ASSERT_TRUE(writeSpaceFile(out, big));
    ASSERT_TRUE(out.commit()) << out.error();
    CFileReadStream in(path("prog.ts3"));
    CSpace loaded(1, 1, 1, 0);
    ASSERT_TRUE(readSpaceFile(in, loaded));
    EXPECT_EQ(loaded.isEqual(big), 1);
}

TEST_F(FileStreamTest, SavingThroughALinkReplacesItsTarget)
{
    fs::create_directory(dir / "real");
    put(path("real/prog.ts3"), "old");
    fs::create_symlink(dir / "real/prog.ts3", dir / "link.ts3");
    CFileWriteStream out(path("link.ts3"));
    ASSERT_TRUE(out.write("new", 3));
    ASSERT_TRUE(out.commit()) << out.error();
    EXPECT_TRUE(fs::is_symlink(dir / "link.ts3"));
    EXPECT_EQ(slurp(path("real/prog.ts3")), "new");
}

// Whole lines, kept up to a limit: the file and memory streams scan their buffers, and must keep
// and skip what reading one byte at a time does, across the file reader's 64 KB chunks too.
TEST_F(FileStreamTest, ReadsLinesAsOneByteAtATimeWould)
{
    // Only `read`: the line reading every stream falls back on.
    struct ByteAtATime : CByteStream {
        explicit ByteAtATime(std::string text) : inner(std::move(text)) {}
        int read(void* buf, int n) override { return inner.read(buf, n); }
        bool write(const void*, int) override { return false; }
        std::string fileName() const override { return {}; }
        CMemoryStream inner;
    };
    std::string text;
    for (int i = 0; text.size() < 3 * 65536; i++)
        text += std::string(std::size_t(i * 37 % 450), char('a' + i % 26)) + (i % 5 == 0 ? "\r\n" : "\n");
    text += "\n\nlast line without a feed";
    put(path("lines.ts3"), text);
    auto lines = [](CByteStream& in, int max) {
        std::vector<std::string> got;
        char buf[512];
        for (int n = 0; n < 1200; n++) got.emplace_back(buf, std::size_t(in.readLine(buf, max)));
        return got;
    };
    for (const int max : {0, 1, 199, 512}) {
        ByteAtATime bytes(text);
        const std::vector<std::string> expected = lines(bytes, max);
        CFileReadStream file(path("lines.ts3"));
        CMemoryStream memory(text);
        EXPECT_EQ(lines(file, max), expected) << "max " << max;
        EXPECT_EQ(lines(memory, max), expected) << "max " << max;
    }
}
