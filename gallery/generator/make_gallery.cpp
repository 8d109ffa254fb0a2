// Draws the gallery programs and writes them as space files. Each drawing is read back with the
// block recognisers, in the order of the Separate scan, to make sure every block is found as
// drawn. Usage: make_gallery OUTPUT_FOLDER
#include <cstdio>

#include "formats/filestream.h"
#include "formats/spacewriter.h"
#include "programs.h"
#include "support/picture.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_gallery OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::vector<GalleryProgram> programs = flatPrograms();
    for (GalleryProgram& p : solidPrograms()) programs.push_back(std::move(p));
    int failures = 0;
    for (const GalleryProgram& p : programs) {
        const CSpace space = p.draw();
        const int found = countBlocks(space);
        if (found != p.blocks) {
            std::fprintf(stderr, "%s: the scan finds %d blocks, %d were drawn\n", p.name.c_str(), found, p.blocks);
            failures++;
            continue;
        }
        CFileWriteStream out(folder + "/" + p.name + ".ts3");
        if (!out.isOpen() || !writeSpaceFile(out, space) || !out.commit()) {
            std::fprintf(stderr, "%s: %s\n", p.name.c_str(), out.error().c_str());
            failures++;
        }
    }
    return failures ? 1 : 0;
}
