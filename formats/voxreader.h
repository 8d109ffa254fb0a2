// Reading a MagicaVoxel file (".vox") into a space: each voxel becomes a cell of the nearest of
// the eight cell colours; the models are placed as the file's scene places them, or side by side
// along x (one empty cell apart) in a file without a scene. The axes are as in voxwriter.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/bytestream.h"
#include "space/space.h"

struct SVoxNotes {
    int models = 0;                // models placed in the space
    std::int64_t voxels = 0;       // voxels read
    std::int64_t inexact = 0;      // voxels whose colour is none of the eight cell colours exactly
};

// Reads a whole file from its first byte ("VOX "). True: `out` is the space the models span,
// holding their voxels. False: `out` is untouched and `error` says what is wrong (a truncated
// chunk, a voxel list that does not match its size, a voxel outside its model, a model of size 0
// or above 256, a scene larger than CSpace::MAX_CELLS, ...). Nothing is allocated beyond the
// file's own size but the space itself.
bool readVoxFile(CByteStream& in, CSpace& out, SVoxNotes& notes, std::string& error);
bool readVox(std::string_view bytes, CSpace& out, SVoxNotes& notes, std::string& error);
