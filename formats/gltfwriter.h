// The space as a binary glTF 2.0 file (".glb"): one mesh with a quad (two triangles) for every
// face of a non-empty cell whose neighbour across it is empty or outside the space, coloured as
// the editor shades that face, under an unlit material (KHR_materials_unlit) so that viewers
// show those colours as they are. One cell is one metre; y is up, as in glTF.
#pragma once

#include <string>

#include "formats/bytestream.h"
#include "space/space.h"

// True when the name ends in ".glb" or ".GLB".
bool isGltfName(const std::string& name);

// Returns false, with the reason, when the file could not be made or written.
bool writeGltf(CByteStream& out, const CSpace& space, std::string* error = nullptr);
