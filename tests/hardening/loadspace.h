// Puts a space into a document the way opening a file does: through the space file and Load.
#pragma once

#include <gtest/gtest.h>

#include "document/tesseradoc.h"
#include "formats/memorystream.h"
#include "formats/spacewriter.h"

inline void loadSpace(CTesseraDoc& doc, const CSpace& space)
{
    CMemoryStream text({}, "program.ts3");
    ASSERT_TRUE(writeSpaceFile(text, space));
    CMemoryStream in(text.contents(), "program.ts3");
    ASSERT_TRUE(doc.Load(in));
}
