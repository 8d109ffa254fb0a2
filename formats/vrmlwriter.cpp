// The VRML scene: a fixed header with one directional light, then a Separator per non-empty
// cell holding a unit cube centred on (x, y, z); colour components are 0 or 1 (cellcodes.h).
#include "formats/vrmlwriter.h"

#include "formats/chunkedoutput.h"
#include "space/cellcodes.h"

bool writeVrml(CByteStream& out, const CSpace& space)
{
    CChunkedOutput text(out);
    text.append("#VRML V1.0 ascii\r\n\r\nDirectionalLight {\r\n  direction -0.2 -1.0 -0.8\r\n}\r\n\r\n");

    const int* cell = space.data();
    for (int z = 0; z < space.getSizeZ(); z++)
        for (int y = 0; y < space.getSizeY(); y++) {
            if (!text.good()) return false;
            for (int x = 0; x < space.getSizeX(); x++, cell++) {
                int v = *cell;
                if (v == 0) continue;
                text.append("Separator {\r\n  Translation {translation ");
                text.appendInt(x);
                text.append(" ");
                text.appendInt(y);
                text.append(" ");
                text.appendInt(z);
                text.append(" }\r\n  Material {diffuseColor ");
                text.append(colourRed(v) ? "1 " : "0 ");
                text.append(colourGreen(v) ? "1 " : "0 ");
                text.append(colourBlue(v) ? "1 " : "0 ");
                text.append("}\r\n  Cube {width 1 height 1 depth 1}\r\n}\r\n\r\n");
            }
        }
    return text.flush();
}
