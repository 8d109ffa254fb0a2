// Saving a space under a file name: a VRML scene for ".wrl" names, the space file otherwise.
#pragma once

#include <string>

#include "formats/bytestream.h"
#include "space/space.h"

// True when the name ends in exactly ".wrl" or ".WRL" (no other mix of cases).
bool isVrmlName(const std::string& name);

// Writes the VRML export or the space file, chosen by the stream's fileName().
// Returns false when the stream refused a write.
bool writeSpaceOrVrml(CByteStream& out, const CSpace& space);
