// The space file: "3D-Tessera", three size lines, then "(x,y,z,value)" for every cell that is
// not 0 in storage order (x fastest, z slowest); every line ends in CR LF, no end marker.
#include "formats/spacewriter.h"

#include "formats/chunkedoutput.h"

bool writeSpaceFile(CByteStream& out, const CSpace& space)
{
    CChunkedOutput text(out);
    text.append("3D-Tessera\r\nThe X is ");
    text.appendInt(space.getSizeX());
    text.append("\r\nThe Y is ");
    text.appendInt(space.getSizeY());
    text.append("\r\nThe Z is ");
    text.appendInt(space.getSizeZ());
    text.append("\r\n");

    const int* cell = space.data();
    for (int z = 0; z < space.getSizeZ(); z++)
        for (int y = 0; y < space.getSizeY(); y++) {
            if (!text.good()) return false;
            for (int x = 0; x < space.getSizeX(); x++, cell++) {
                if (*cell == 0) continue;
                text.append("(");
                text.appendInt(x);
                text.append(",");
                text.appendInt(y);
                text.append(",");
                text.appendInt(z);
                text.append(",");
                text.appendInt(*cell);
                text.append(")\r\n");
            }
        }
    return text.flush();
}
