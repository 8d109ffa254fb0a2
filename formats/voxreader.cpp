// The .vox reader. The file is "VOX ", a version, then a MAIN chunk whose children are SIZE and
// XYZI pairs (one per model), an optional RGBA palette and the scene nodes (nTRN, nGRP, nSHP);
// every chunk is an id, its content's length, its children's length, then both. Every length is
// checked against what is left of the file and of its parent before anything is read, and a
// model's voxels stay where they lie in the file's bytes until the space is filled.
#include "formats/voxreader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <vector>

#include "formats/voxpalette.h"
#include "formats/voxscene.h"

namespace {
constexpr int MODEL_LIMIT = 256;

struct SModel {
    int size[3];
    std::string_view voxels;  // 4 bytes each: x, y, z, colour index
    bool hasVoxels = false;
};

// A bounded reader over one chunk's content.
class CCursor {
public:
    explicit CCursor(std::string_view bytes) : rest(bytes) {}
    bool int32(std::int32_t& v)
    {
        if (rest.size() < 4) return false;
        const auto* p = reinterpret_cast<const unsigned char*>(rest.data());
        v = std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                         std::uint32_t(p[3]) << 24);
        rest.remove_prefix(4);
        return true;
    }
    bool bytes(std::size_t n, std::string_view& out)
    {
        if (rest.size() < n) return false;
        out = rest.substr(0, n);
        rest.remove_prefix(n);
        return true;
    }
    bool string(std::string& s)
    {
        std::int32_t n;
        std::string_view text;
        if (!int32(n) || n < 0 || !bytes(std::size_t(n), text)) return false;
        s.assign(text);
        return true;
    }
    // A dictionary; only the keys asked for are kept.
    bool dict(std::map<std::string, std::string>& kept)
    {
        std::int32_t n;
        if (!int32(n) || n < 0) return false;
        for (std::int32_t i = 0; i < n; i++) {
            std::string key, value;
            if (!string(key) || !string(value)) return false;
            if (key == "_r" || key == "_t") kept[key] = value;
        }
        return true;
    }
    std::size_t left() const { return rest.size(); }

private:
    std::string_view rest;
};

class CVoxParser {
public:
    bool parse(std::string_view file, std::string& error);

    std::vector<SModel> models;
    std::map<int, SVoxNode> nodes;
    VoxPalette palette = defaultVoxPalette();

private:
    bool chunk(std::string_view id, std::string_view content, std::string& error);
    bool transformNode(CCursor& in, std::string& error);
    bool listNode(CCursor& in, SVoxNode::EKind kind, std::string& error);
};

bool CVoxParser::parse(std::string_view file, std::string& error)
{
    CCursor in(file);
    std::string_view magic, id;
    std::int32_t version, contentSize, childrenSize;
    if (!in.bytes(4, magic) || magic != "VOX ") {
        error = "This is not a MagicaVoxel file (it does not begin with \"VOX \").";
        return false;
    }
    if (!in.int32(version) || !in.bytes(4, id) || id != "MAIN" || !in.int32(contentSize) || !in.int32(childrenSize)) {
        error = "The file ends before its MAIN chunk.";
        return false;
    }
    std::string_view skipped, children;
    if (contentSize < 0 || childrenSize < 0 || !in.bytes(std::size_t(contentSize), skipped) ||
        !in.bytes(std::size_t(childrenSize), children)) {
        error = "The MAIN chunk is truncated: it declares more bytes than the file holds.";
        return false;
    }
    CCursor list(children);
    while (list.left() > 0) {
        std::string_view content, grandchildren;
        if (!list.bytes(4, id) || !list.int32(contentSize) || !list.int32(childrenSize) || contentSize < 0 ||
            childrenSize < 0 || !list.bytes(std::size_t(contentSize), content) ||
            !list.bytes(std::size_t(childrenSize), grandchildren)) {
            error = "A chunk is truncated: it declares more bytes than the file holds.";
            return false;
        }
        if (!chunk(id, content, error)) return false;
    }
    return true;
}

bool CVoxParser::chunk(std::string_view id, std::string_view content, std::string& error)
{
    CCursor in(content);
    if (id == "SIZE") {
        SModel model{};
        for (int& s : model.size) {
            std::int32_t v;
            if (!in.int32(v)) {
                error = "A SIZE chunk is shorter than its three sizes.";
                return false;
            }
            if (v < 1 || v > MODEL_LIMIT) {
                error = "Model " + std::to_string(models.size()) + " has the size " + std::to_string(v) +
                        (v < 1 ? ": a model of size 0 holds nothing." : ", above the limit of 256 per side.");
                return false;
            }
            s = v;
        }
        models.push_back(model);
        return true;
    }
    if (id == "XYZI") {
        if (models.empty() || models.back().hasVoxels) {
            error = "A voxel list (XYZI) comes without a model size (SIZE) before it.";
            return false;
        }
        SModel& model = models.back();
        std::int32_t count = 0;
        if (!in.int32(count) || count < 0 || std::uint64_t(count) * 4 != in.left()) {
            error = "The voxel list of model " + std::to_string(models.size() - 1) +
                    " does not match its size: it declares " + std::to_string(count) + " voxels in " +
                    std::to_string(content.size()) + " bytes.";
            return false;
        }
        in.bytes(in.left(), model.voxels);
        model.hasVoxels = true;
        for (std::size_t i = 0; i < model.voxels.size(); i += 4)
            for (int axis = 0; axis < 3; axis++)
                if (static_cast<unsigned char>(model.voxels[i + axis]) >= model.size[axis]) {
                    error = "Model " + std::to_string(models.size() - 1) + " has a voxel outside its size.";
                    return false;
                }
        return true;
    }
    if (id == "RGBA") {
        if (content.size() < 256 * 4) {
            error = "The palette (RGBA) is shorter than 256 colours.";
            return false;
        }
        // Entry i of the chunk is the colour of index i + 1.
        for (int i = 0; i < 255; i++) {
            const auto* p = reinterpret_cast<const unsigned char*>(content.data()) + 4 * i;
            palette[i + 1] = {p[0], p[1], p[2], p[3]};
        }
        return true;
    }
    if (id == "nTRN") return transformNode(in, error);
    if (id == "nGRP") return listNode(in, SVoxNode::GROUP, error);
    if (id == "nSHP") return listNode(in, SVoxNode::SHAPE, error);
    return true;  // materials, layers, cameras, notes: not ours to read
}

bool CVoxParser::transformNode(CCursor& in, std::string& error)
{
    std::int32_t nodeId, child, reserved, layer, frames;
    std::map<std::string, std::string> attributes, frame;
    if (!in.int32(nodeId) || !in.dict(attributes) || !in.int32(child) || !in.int32(reserved) || !in.int32(layer) ||
        !in.int32(frames) || frames < 1 || !in.dict(frame)) {
        error = "A transform node (nTRN) is truncated.";
        return false;
    }
    SVoxNode node;
    node.kind = SVoxNode::TRANSFORM;
    node.children = {child};
    if (frame.count("_r") && !decodeVoxRotation(std::atoi(frame["_r"].c_str()), node.frame.r)) {
        error = "Transform node " + std::to_string(nodeId) + " has a rotation that is not one.";
        return false;
    }
    if (frame.count("_t") && !parseVoxTranslation(frame["_t"], node.frame.t)) {
        error = "Transform node " + std::to_string(nodeId) + " has a translation that is not three whole numbers.";
        return false;
    }
    if (!nodes.emplace(nodeId, node).second) {
        error = "Node " + std::to_string(nodeId) + " is defined twice.";
        return false;
    }
    return true;
}

bool CVoxParser::listNode(CCursor& in, SVoxNode::EKind kind, std::string& error)
{
    std::int32_t nodeId, count;
    std::map<std::string, std::string> attributes;
    SVoxNode node;
    node.kind = kind;
    bool ok = in.int32(nodeId) && in.dict(attributes) && in.int32(count) && count >= 0 &&
              std::uint64_t(count) * 4 <= in.left();
    for (std::int32_t i = 0; ok && i < count; i++) {
        std::int32_t child = 0;
        ok = in.int32(child);
        if (kind == SVoxNode::SHAPE) ok = ok && in.dict(attributes);
        node.children.push_back(child);
    }
    if (!ok) {
        error = kind == SVoxNode::GROUP ? "A group node (nGRP) is truncated." : "A shape node (nSHP) is truncated.";
        return false;
    }
    if (!nodes.emplace(nodeId, node).second) {
        error = "Node " + std::to_string(nodeId) + " is defined twice.";
        return false;
    }
    return true;
}

struct SBounds {
    std::int64_t lo[3] = {std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max(),
                          std::numeric_limits<std::int64_t>::max()};
    std::int64_t hi[3] = {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::min(),
                          std::numeric_limits<std::int64_t>::min()};
};

// Where voxel v of a model lands.
void Place(const SVoxTransform& t, const int size[3], const std::int64_t v[3], std::int64_t w[3])
{
    for (int i = 0; i < 3; i++) {
        w[i] = t.t[i];
        for (int j = 0; j < 3; j++) w[i] += t.r[i][j] * (v[j] - size[j] / 2);
    }
}
}  // namespace

bool readVox(std::string_view bytes, CSpace& out, SVoxNotes& notes, std::string& error)
{
    CVoxParser parser;
    if (!parser.parse(bytes, error)) return false;
    std::vector<SPlacedModel> placed;
    if (!parser.nodes.empty()) {
        if (!placeVoxModels(parser.nodes, int(parser.models.size()), placed, error)) return false;
    } else {
        // No scene: side by side along x, one empty cell apart, their corners at the origin.
        std::int64_t x = 0;
        for (int m = 0; m < int(parser.models.size()); m++) {
            SPlacedModel p{m, {}};
            for (int i = 0; i < 3; i++) p.transform.t[i] = parser.models[m].size[i] / 2;
            p.transform.t[0] += x;
            x += parser.models[m].size[0] + 1;
            placed.push_back(p);
        }
    }

    // The space spans every placed model's whole box, empty or not.
    SBounds bounds;
    for (const SPlacedModel& p : placed) {
        const int* size = parser.models[p.model].size;
        for (int corner = 0; corner < 8; corner++) {
            const std::int64_t v[3] = {corner & 1 ? size[0] - 1 : 0, corner & 2 ? size[1] - 1 : 0,
                                       corner & 4 ? size[2] - 1 : 0};
            std::int64_t w[3];
            Place(p.transform, size, v, w);
            for (int i = 0; i < 3; i++) {
                bounds.lo[i] = std::min(bounds.lo[i], w[i]);
                bounds.hi[i] = std::max(bounds.hi[i], w[i]);
            }
        }
    }
    std::int64_t extent[3] = {0, 0, 0};
    if (!placed.empty())
        for (int i = 0; i < 3; i++) extent[i] = bounds.hi[i] - bounds.lo[i] + 1;
    // Ours (x, y up, z) from theirs (x, y, z up); their y runs against our z.
    const std::int64_t sx = extent[0], sy = extent[2], sz = extent[1];
    if (sx > CSpace::MAX_CELLS || sy > CSpace::MAX_CELLS || sz > CSpace::MAX_CELLS ||
        sx * sy * sz > CSpace::MAX_CELLS) {
        error = "The scene spans " + std::to_string(sx) + " x " + std::to_string(sy) + " x " + std::to_string(sz) +
                " cells, more than a space may hold.";
        return false;
    }

    int codeOf[256];
    bool exactOf[256];
    for (int i = 0; i < 256; i++) codeOf[i] = nearestCellColour(parser.palette[i], &exactOf[i]);
    CSpace space(int(sx), int(sy), int(sz), CELL_EMPTY);
    SVoxNotes counted;
    counted.models = int(placed.size());
    for (const SPlacedModel& p : placed) {
        const SModel& model = parser.models[p.model];
        const auto* voxel = reinterpret_cast<const unsigned char*>(model.voxels.data());
        for (std::size_t i = 0; i < model.voxels.size(); i += 4) {
            const int index = voxel[i + 3];
            if (index == 0) continue;  // index 0 is no voxel
            const std::int64_t v[3] = {voxel[i], voxel[i + 1], voxel[i + 2]};
            std::int64_t w[3];
            Place(p.transform, model.size, v, w);
            space.set(int(w[0] - bounds.lo[0]), int(w[2] - bounds.lo[2]), int(bounds.hi[1] - w[1]), codeOf[index]);
            counted.voxels++;
            if (!exactOf[index]) counted.inexact++;
        }
    }
    out = std::move(space);
    notes = counted;
    return true;
}

bool readVoxFile(CByteStream& in, CSpace& out, SVoxNotes& notes, std::string& error)
{
    std::string bytes;
    char chunk[65536];
    int n;
    while ((n = in.read(chunk, sizeof chunk)) > 0) bytes.append(chunk, std::size_t(n));
    return readVox(bytes, out, notes, error);
}
