// Saves that fail, made through the document and the atomic file writer as the editor and the
// runner make them: the previous file stays whole, no temporary is left, the work is still there.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "document/tesseradoc.h"
#include "formats/filestream.h"
#include "hardeningview.h"
#include "loadspace.h"
#include "support/blockbuilder.h"
#include "support/filesizelimit.h"

namespace fs = std::filesystem;

namespace {
// Saving as the editor and the runner do it: Store into the writer, then commit. The error
// text is what the user would be shown.
bool save(CTesseraDoc& doc, const std::string& path, std::string& error)
{
    CFileWriteStream out(path);
    const bool ok = out.isOpen() && doc.Store(out) && out.commit();
    error = out.error();
    return ok;
}

std::string slurp(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A program that never ends: one red cell that two groups turn green and back, plus enough
// painted cells that its file is several kilobytes long.
CSpace busyProgram()
{
    CSpace space(40, 1, 30, 0);
    const CSpace red(1, 1, 1, 103), green(1, 1, 1, 104);
    drawFlatRuleGroup(space, 1, 1, {{red, green}});
    drawFlatRuleGroup(space, 1, 8, {{green, red}});
    drawFlatWorkArea(space, 20, 2, CSpace(3, 1, 3, 103));
    for (int x = 0; x < 40; x++)
        for (int z = 20; z < 30; z++) space.set(x, 0, z, 100 + (x + z) % 8);
    return space;
}

class FailedSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/tessera-failedsave-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        file = dir / "program.ts3";
    }
    void TearDown() override { fs::remove_all(dir); }

    // Every name in the folder but the saved file: leftovers of a failed save.
    int strayFiles() const
    {
        int n = 0;
        for (const auto& e : fs::directory_iterator(dir)) n += e.path() != file;
        return n;
    }
    // Saves a small space as the previous file and loads the busy program; the file's text.
    std::string savePreviousThenLoadBusy()
    {
        std::string error;
        doc.OnNewDocument();
        doc.SetCell(1, 2, 3, 105);
        EXPECT_TRUE(save(doc, file.string(), error)) << error;
        const std::string previous = slurp(file);
        loadSpace(doc, busyProgram());
        return previous;
    }
    void loadFromFile(CTesseraDoc& into)
    {
        CFileReadStream in(file.string());
        ASSERT_TRUE(into.Load(in));
    }

    fs::path dir, file;
    CTesseraDoc doc;
};
}  // namespace

TEST_F(FailedSave, AWriteThatFailsLeavesThePreviousFileWhole)
{
    CHardeningView view(doc, true);
    std::string error;
    const std::string previous = savePreviousThenLoadBusy();
    const CSpace work = doc.GetSpace();
    {
        CFileSizeLimit limit(previous.size() + 10);  // the new file is much longer
        EXPECT_FALSE(save(doc, file.string(), error));
    }
    EXPECT_NE(error.find("File too large"), std::string::npos) << error;
    EXPECT_EQ(slurp(file), previous);
    EXPECT_EQ(strayFiles(), 0) << "the temporary was removed";
    EXPECT_TRUE(doc.GetSpace().isEqual(work)) << "the document keeps the work";

    // Once the disk takes the bytes again, the same document saves and reads back whole.
    ASSERT_TRUE(save(doc, file.string(), error)) << error;
    CTesseraDoc reader;
    loadFromFile(reader);
    EXPECT_TRUE(reader.GetSpace().isEqual(work));
}

// Saving stops a running program for good; a failed save must leave it stopped, the space as
// the run left it, and the previous file whole.
TEST_F(FailedSave, ASaveThatFailsDuringARunStopsItAndKeepsTheSpace)
{
    CHardeningView view(doc, true);
    std::string error;
    const std::string previous = savePreviousThenLoadBusy();
    doc.StartRun();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (view.shows < 20 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_GE(view.shows, 20) << "the program runs";
    {
        CFileSizeLimit limit(previous.size() + 10);
        EXPECT_FALSE(save(doc, file.string(), error));
    }
    EXPECT_FALSE(doc.IsBusy());
    const int shows = view.shows;
    const CSpace work = doc.GetSpace();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(view.shows, shows) << "no step runs after the save";
    EXPECT_EQ(slurp(file), previous);
    EXPECT_EQ(strayFiles(), 0);

    ASSERT_TRUE(save(doc, file.string(), error)) << error;
    CTesseraDoc reader;
    loadFromFile(reader);
    EXPECT_TRUE(reader.GetSpace().isEqual(work)) << "the space as the run left it";
}

// A save into a folder that is gone fails before a byte is written, and says why.
TEST_F(FailedSave, ASaveIntoAMissingFolderFailsWithTheSystemsReason)
{
    CHardeningView view(doc, true);
    doc.OnNewDocument();
    std::string error;
    EXPECT_FALSE(save(doc, (dir / "gone" / "program.ts3").string(), error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    EXPECT_EQ(strayFiles(), 0);
}

// A process killed after writing but before the rename leaves the previous file whole; the
// orphaned temporary never takes the file's name, and the next save still succeeds.
TEST_F(FailedSave, AProcessKilledBeforeTheRenameLeavesThePreviousFile)
{
    CHardeningView view(doc, true);
    std::string error;
    const std::string previous = savePreviousThenLoadBusy();

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CFileWriteStream out(file.string());
        const bool stored = out.isOpen() && doc.Store(out);
        if (!stored) _exit(1);
        raise(SIGKILL);  // no destructor, no commit, no clean-up
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child stored the space, then died";
    EXPECT_EQ(slurp(file), previous);
    EXPECT_EQ(strayFiles(), 1) << "the killed save's temporary is left beside the file";

    ASSERT_TRUE(save(doc, file.string(), error)) << error;
    CTesseraDoc reader;
    loadFromFile(reader);
    EXPECT_TRUE(reader.GetSpace().isEqual(doc.GetSpace()));
}
