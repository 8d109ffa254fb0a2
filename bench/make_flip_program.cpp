// Writes the flip program (see tests/support/flipprogram.h) as a space file, for end-to-end runs:
//   make_flip_program SIDE FILE [--one-cell]
// e.g. make_flip_program 128 flip-128.ts3 && tessera-run flip-128.ts3 --steps 1000
#include <cstdio>
#include <cstdlib>
#include <string>

#include "formats/filestream.h"
#include "formats/spacewriter.h"
#include "support/flipprogram.h"

int main(int argc, char** argv)
{
    const bool oneCell = argc == 4 && std::string(argv[3]) == "--one-cell";
    const int side = argc >= 3 ? std::atoi(argv[1]) : 0;
    if ((argc != 3 && !oneCell) || side < 1 || side > 8192) {
        std::fprintf(stderr, "usage: make_flip_program SIDE FILE [--one-cell]   (SIDE 1 to 8192)\n");
        return 2;
    }
    CFileWriteStream out(argv[2]);
    if (!out.isOpen() || !writeSpaceFile(out, drawFlipProgram(side, oneCell).space) || !out.commit()) {
        std::fprintf(stderr, "make_flip_program: cannot write %s: %s\n", argv[2], out.error().c_str());
        return 1;
    }
    return 0;
}
