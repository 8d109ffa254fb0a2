// The choice between the two output formats, made on the last four characters of the name.
#include "formats/spacefile.h"

#include "formats/spacewriter.h"
#include "formats/vrmlwriter.h"

bool isVrmlName(const std::string& name)
{
    if (name.size() < 4) return false;
    std::string ending = name.substr(name.size() - 4);
    return ending == ".wrl" || ending == ".WRL";
}

bool writeSpaceOrVrml(CByteStream& out, const CSpace& space)
{
    return isVrmlName(out.fileName()) ? writeVrml(out, space) : writeSpaceFile(out, space);
}
