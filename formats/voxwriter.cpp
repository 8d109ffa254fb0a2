// The .vox writer: "VOX " 200, then MAIN holding a SIZE and XYZI chunk per model, the scene (a
// root transform, one group, and a transform and shape per model) and the palette. Models are
// the space cut at every 256th cell along each axis, in our scan order (z, y, x outermost
// first); a model's translation puts its voxel v at v - size / 2 + t, MagicaVoxel's convention.
#include "formats/voxwriter.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "formats/voxpalette.h"

namespace {
struct SPart {
    int x0, y0, z0;  // our corner
    int w, h, d;     // our sizes
    int voxels = 0;
};

void Int(std::string& out, std::int32_t v)
{
    const auto u = std::uint32_t(v);
    const char bytes[4] = {char(u & 0xFF), char(u >> 8 & 0xFF), char(u >> 16 & 0xFF), char(u >> 24 & 0xFF)};
    out.append(bytes, 4);
}

void String(std::string& out, const std::string& s)
{
    Int(out, std::int32_t(s.size()));
    out += s;
}

// A chunk without children.
void Chunk(std::string& out, const char* id, const std::string& content)
{
    out.append(id, 4);
    Int(out, std::int32_t(content.size()));
    Int(out, 0);
    out += content;
}

bool Voxel(int value) { return value != CELL_EMPTY && value != CELL_OUTSIDE; }

std::vector<SPart> Parts(const CSpace& space)
{
    std::vector<SPart> parts;
    const int sx = space.getSizeX(), sy = space.getSizeY(), sz = space.getSizeZ();
    for (int z0 = 0; z0 < sz; z0 += VOX_MODEL_SIDE)
        for (int y0 = 0; y0 < sy; y0 += VOX_MODEL_SIDE)
            for (int x0 = 0; x0 < sx; x0 += VOX_MODEL_SIDE) {
                SPart p{x0, y0, z0, std::min(VOX_MODEL_SIDE, sx - x0), std::min(VOX_MODEL_SIDE, sy - y0),
                        std::min(VOX_MODEL_SIDE, sz - z0)};
                for (int z = z0; z < z0 + p.d; z++)
                    for (int y = y0; y < y0 + p.h; y++)
                        for (int x = x0; x < x0 + p.w; x++) p.voxels += Voxel(space.get(x, y, z));
                parts.push_back(p);
            }
    return parts;
}
}  // namespace

bool isVoxName(const std::string& name)
{
    if (name.size() < 4) return false;
    const std::string ending = name.substr(name.size() - 4);
    return ending == ".vox" || ending == ".VOX";
}

bool writeVoxFile(CByteStream& out, const CSpace& space)
{
    const std::vector<SPart> parts = Parts(space);
    const int sz = space.getSizeZ();

    // The scene: node 0 the root transform, node 1 the group, then a transform and a shape per
    // model, each transform moving its model into place.
    std::string scene, content;
    Int(content, 0);
    Int(content, 0);   // no attributes
    Int(content, 1);   // child: the group
    Int(content, -1);  // reserved
    Int(content, -1);  // layer
    Int(content, 1);   // one frame,
    Int(content, 0);   // without attributes
    Chunk(scene, "nTRN", content);
    content.clear();
    Int(content, 1);
    Int(content, 0);
    Int(content, std::int32_t(parts.size()));
    for (std::size_t i = 0; i < parts.size(); i++) Int(content, std::int32_t(2 + 2 * i));
    Chunk(scene, "nGRP", content);
    for (std::size_t i = 0; i < parts.size(); i++) {
        const SPart& p = parts[i];
        // Their corner: x0, sizeZ - z0 - d, y0; their sizes: w, d, h.
        const std::string t = std::to_string(p.x0 + p.w / 2) + " " + std::to_string(sz - p.z0 - p.d + p.d / 2) +
                              " " + std::to_string(p.y0 + p.h / 2);
        content.clear();
        Int(content, std::int32_t(2 + 2 * i));
        Int(content, 0);
        Int(content, std::int32_t(3 + 2 * i));
        Int(content, -1);
        Int(content, 0);
        Int(content, 1);
        Int(content, 1);
        String(content, "_t");
        String(content, t);
        Chunk(scene, "nTRN", content);
        content.clear();
        Int(content, std::int32_t(3 + 2 * i));
        Int(content, 0);
        Int(content, 1);
        Int(content, std::int32_t(i));
        Int(content, 0);
        Chunk(scene, "nSHP", content);
    }
    std::string palette;
    const VoxPalette colours = writerPalette();
    for (int i = 1; i <= 256; i++) {
        const SVoxColour c = colours[i % 256];
        palette += {char(c.r), char(c.g), char(c.b), char(c.a)};
    }

    std::int64_t children = std::int64_t(scene.size()) + 12 + 1024;
    for (const SPart& p : parts) children += 12 + 12 + 12 + 4 + 4 * std::int64_t(p.voxels);
    if (children > INT32_MAX) return false;  // beyond what the format can say
    std::string head = "VOX ";
    Int(head, 200);
    head += "MAIN";
    Int(head, 0);
    Int(head, std::int32_t(children));
    if (!out.write(head.data(), int(head.size()))) return false;

    for (const SPart& p : parts) {
        std::string model;
        content.clear();
        Int(content, p.w);
        Int(content, p.d);
        Int(content, p.h);
        Chunk(model, "SIZE", content);
        model += "XYZI";
        Int(model, 4 + 4 * p.voxels);
        Int(model, 0);
        Int(model, p.voxels);
        for (int z = p.z0; z < p.z0 + p.d; z++)
            for (int y = p.y0; y < p.y0 + p.h; y++)
                for (int x = p.x0; x < p.x0 + p.w; x++) {
                    const int v = space.get(x, y, z);
                    if (!Voxel(v)) continue;
                    model += {char(x - p.x0), char(p.z0 + p.d - 1 - z), char(y - p.y0), char(voxIndexOfCell(v))};
                }
        if (!out.write(model.data(), int(model.size()))) return false;
    }
    std::string tail = scene;
    Chunk(tail, "RGBA", palette);
    return out.write(tail.data(), int(tail.size()));
}
