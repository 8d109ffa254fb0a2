// Writing a space as a MagicaVoxel file (".vox"). MagicaVoxel's z is up, ours is y: our cell
// (x, y, z) is its voxel (x, sizeZ - 1 - z, y), so that both are right-handed. A space larger
// than a model's limit of 256 per side is split into models of at most 256 per side, which the
// file's scene puts back together; every part of the space is a model, empty or not, so that the
// file keeps the space's sizes. Empty cells (0) and outside cells (2) are left out; each colour
// 100-107 is one palette entry in the editor's colour, every other value one more (black).
#pragma once

#include <string>

#include "formats/bytestream.h"
#include "space/space.h"

constexpr int VOX_MODEL_SIDE = 256;

// True when the name ends in ".vox" or ".VOX".
bool isVoxName(const std::string& name);

// Returns false when the stream refused a write.
bool writeVoxFile(CByteStream& out, const CSpace& space);
