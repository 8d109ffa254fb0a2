// Writes the flood-fill program (see tests/support/fillprogram.h) as a space file:
//   make_fill_program SIDE FILE [--maze CORRIDOR] [--seed N]
// e.g. make_fill_program 384 fill-384.ts3 && tessera-run fill-384.ts3 --trace
#include <cstdio>
#include <cstdlib>
#include <string>

#include "formats/filestream.h"
#include "formats/spacewriter.h"
#include "support/fillprogram.h"

int main(int argc, char** argv)
{
    const int side = argc >= 3 ? std::atoi(argv[1]) : 0;
    FillWalls walls = FillWalls::Lines;
    int corridor = 3;
    long seed = 1;
    bool ok = argc >= 3 && side >= 4 && side <= 8192;
    for (int i = 3; ok && i < argc; i++) {
        const std::string arg = argv[i];
        if (arg == "--maze" && i + 1 < argc) {
            walls = FillWalls::Maze;
            corridor = std::atoi(argv[++i]);
            ok = corridor >= 1 && corridor < side;
        } else if (arg == "--seed" && i + 1 < argc) {
            seed = std::atol(argv[++i]);
        } else {
            ok = false;
        }
    }
    if (!ok) {
        std::fprintf(stderr, "usage: make_fill_program SIDE FILE [--maze CORRIDOR] [--seed N]   (SIDE 4 to 8192)\n");
        return 2;
    }
    CFileWriteStream out(argv[2]);
    if (!out.isOpen() || !writeSpaceFile(out, drawFillProgram(side, walls, corridor, std::uint32_t(seed)).space) ||
        !out.commit()) {
        std::fprintf(stderr, "make_fill_program: cannot write %s: %s\n", argv[2], out.error().c_str());
        return 1;
    }
    return 0;
}
