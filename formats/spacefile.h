// Saving a space under a file name: a VRML scene for ".wrl" names, a MagicaVoxel file for ".vox"
// names, the space file otherwise; and reading whichever of the space, plane and MagicaVoxel
// files a stream holds.
#pragma once

#include <string>

#include "formats/bytestream.h"
#include "formats/voxreader.h"
#include "space/space.h"

// True when the name ends in exactly ".wrl" or ".WRL" (no other mix of cases).
bool isVrmlName(const std::string& name);

// Writes the VRML export, the MagicaVoxel file or the space file, chosen by the stream's
// fileName(). Returns false when the stream refused a write.
bool writeSpaceOrVrml(CByteStream& out, const CSpace& space);

// What reading found beyond the space itself.
struct SReadNotes {
    bool vox = false;    // the stream held a MagicaVoxel file
    SVoxNotes voxNotes;  // its models and voxels
    std::string error;   // why a MagicaVoxel file was refused; empty for the other formats
};

// A MagicaVoxel file (first bytes "VOX ") goes to readVoxFile, anything else to readSpaceFile;
// true and `out` replaced when the stream held a space, false and `out` untouched otherwise.
bool readAnySpaceFile(CByteStream& in, CSpace& out, SReadNotes* notes = nullptr);
