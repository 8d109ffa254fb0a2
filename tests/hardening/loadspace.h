// Puts a space into a document the way opening a file does: through the space file and Load.
#pragma once

#include <gtest/gtest.h>

#include "document/memorystream.h"
#include "document/spacewriter.h"
#include "document/tesseradoc.h"

inline void loadSpace(CTesseraDoc& doc, const CSpace& space)
{
    CMemoryStream text({}, "program.ts3");
    ASSERT_TRUE(writeSpaceFile(text, space));
    CMemoryStream in(text.contents(), "program.ts3");
    ASSERT_TRUE(doc.Load(in));
}
