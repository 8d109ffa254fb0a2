// Measures how well near misses explain broken blocks. For every program given, every cell of each
// recognised block and of its neighbours is changed, one at a time, to empty and to each colour.
// A drawing in which some block of the program is no longer read is "broken"; it is "explained"
// when a near miss names the changed cell or a cell next to it. A drawing whose blocks all read as
// before must get no near miss at all.
//
//   measure_near_misses [--sample N] [--verbose] FILE.ts3...
//
// --sample N tries every Nth change only. Prints one line per file and the total; exits 1 when
// fewer than 90 % of the broken drawings are explained or any unbroken drawing gets a near miss.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/filestream.h"
#include "formats/spacereader.h"
#include "interpreter/blockcatalogue.h"
#include "interpreter/nearmiss.h"
#include "space/cellcodes.h"

namespace {
struct Tally {
    long broken = 0, explained = 0, unchanged = 0, falseReasons = 0, added = 0;
    void add(const Tally& o)
    {
        broken += o.broken;
        explained += o.explained;
        unchanged += o.unchanged;
        falseReasons += o.falseReasons;
        added += o.added;
    }
};

bool sameBlock(const CBlockEntry& a, const CBlockEntry& b)
{
    return describeBlock(a) == describeBlock(b);
}

bool contains(const std::vector<CBlockEntry>& list, const CBlockEntry& e)
{
    for (const CBlockEntry& x : list)
        if (sameBlock(x, e)) return true;
    return false;
}

Tally measure(const CSpace& space, long sample, bool verbose, const std::string& name)
{
    Tally t;
    const std::vector<CBlockEntry> before = catalogueBlocks(space);
    for (const CNearMiss& m : findNearMisses(space)) {
        t.falseReasons++;
        std::printf("%s: unchanged drawing: %s\n", name.c_str(), describeNearMiss(m).c_str());
    }
    // The cells of every block's box and the cells around it, each once.
    std::vector<bool> chosen(std::size_t(space.getSizeX()) * space.getSizeY() * space.getSizeZ(), false);
    for (const CBlockEntry& b : before)
        for (int z = b.box.z0 - 1; z <= b.box.z1 + 1; z++)
            for (int y = b.box.y0 - 1; y <= b.box.y1 + 1; y++)
                for (int x = b.box.x0 - 1; x <= b.box.x1 + 1; x++)
                    if (x >= 0 && y >= 0 && z >= 0 && x < space.getSizeX() && y < space.getSizeY() &&
                        z < space.getSizeZ())
                        chosen[(std::size_t(z) * space.getSizeY() + y) * space.getSizeX() + x] = true;
    const int values[] = {CELL_EMPTY, CELL_WHITE, CELL_BLACK, CELL_BLUE, CELL_RED,
                          CELL_GREEN, CELL_PURPLE, CELL_PALE,  CELL_YELLOW};
    long k = 0;
    CSpace changed(space);
    for (int z = 0; z < space.getSizeZ(); z++)
        for (int y = 0; y < space.getSizeY(); y++)
            for (int x = 0; x < space.getSizeX(); x++) {
                if (!chosen[(std::size_t(z) * space.getSizeY() + y) * space.getSizeX() + x]) continue;
                const int was = space.get(x, y, z);
                for (int v : values) {
                    if (v == was || k++ % sample != 0) continue;
                    changed.set(x, y, z, v);
                    const std::vector<CBlockEntry> after = catalogueBlocks(changed);
                    bool lost = false;
                    for (const CBlockEntry& b : before) lost = lost || !contains(after, b);
                    if (!lost && after.size() == before.size()) {
                        t.unchanged++;
                        for (const CNearMiss& m : findNearMisses(changed)) {
                            t.falseReasons++;
                            std::printf("%s: (%d,%d,%d) := %d reads as before, yet %s\n", name.c_str(), x, y, z,
                                        v, describeNearMiss(m).c_str());
                        }
                    } else if (!lost) {
                        t.added++;  // the change draws a further block; nothing was broken
                    } else {
                        t.broken++;
                        bool named = false;
                        const std::vector<CNearMiss> misses = findNearMisses(changed);
                        for (const CNearMiss& m : misses)
                            named = named || (std::abs(m.cell.x - x) <= 1 && std::abs(m.cell.y - y) <= 1 &&
                                              std::abs(m.cell.z - z) <= 1);
                        if (named) t.explained++;
                        if (verbose && !named) {
                            std::printf("%s: (%d,%d,%d) := %d unexplained", name.c_str(), x, y, z, v);
                            for (const CNearMiss& m : misses) std::printf("; %s", describeNearMiss(m).c_str());
                            std::printf("\n");
                        }
                    }
                    changed.set(x, y, z, was);
                }
            }
    return t;
}

void report(const char* name, const Tally& t)
{
    std::printf("%-24s broken %6ld explained %6ld (%5.1f %%)  unchanged %6ld with a reason %ld  added a block %ld\n",
                name, t.broken, t.explained, t.broken ? 100.0 * t.explained / t.broken : 100.0, t.unchanged,
                t.falseReasons, t.added);
}
}  // namespace

int main(int argc, char** argv)
{
    long sample = 1;
    bool verbose = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; i++) {
        const std::string arg = argv[i];
        if (arg == "--sample" && i + 1 < argc) {
            sample = std::max(1L, std::atol(argv[++i]));
        } else if (arg == "--verbose") {
            verbose = true;
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: measure_near_misses [--sample N] [--verbose] FILE.ts3...\n");
        return 2;
    }
    Tally total;
    for (const std::string& file : files) {
        CFileReadStream in(file);
        CSpace space;
        if (!in.isOpen() || !readSpaceFile(in, space)) {
            std::fprintf(stderr, "measure_near_misses: cannot read %s\n", file.c_str());
            return 2;
        }
        const std::string name = file.substr(file.find_last_of('/') + 1);
        const Tally t = measure(space, sample, verbose, name);
        report(name.c_str(), t);
        total.add(t);
    }
    report("all", total);
    const bool pass = total.explained * 10 >= total.broken * 9 && total.falseReasons == 0;
    return pass ? 0 : 1;
}
