// fuzz-seed: turns space files into interpreter fuzz inputs, to seed that target's corpus with
// real programs. Usage: fuzz-seed OUTDIR FILE.ts3...
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "formats/filestream.h"
#include "formats/spacereader.h"
#include "fuzz/fuzzspace.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: fuzz-seed OUTDIR FILE.ts3...\n");
        return 2;
    }
    const std::filesystem::path outDir = argv[1];
    std::filesystem::create_directories(outDir);
    int status = 0;
    for (int i = 2; i < argc; i++) {
        CFileReadStream in(argv[i]);
        CSpace space;
        if (!readSpaceFile(in, space)) {
            std::fprintf(stderr, "fuzz-seed: %s is not a space file\n", argv[i]);
            status = 1;
            continue;
        }
        const std::filesystem::path name = std::filesystem::path(argv[i]).stem().string() + ".seed";
        std::ofstream(outDir / name, std::ios::binary) << FuzzSpace::encode(space, 16);
    }
    return status;
}
