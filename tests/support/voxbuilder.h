// MagicaVoxel files built chunk by chunk, for tests of the .vox reader with files that our
// writer would never make (other palettes, scenes, no scene, broken chunks).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vox {
inline std::string i32(std::int32_t v)
{
    const auto u = std::uint32_t(v);
    return {char(u & 0xFF), char(u >> 8 & 0xFF), char(u >> 16 & 0xFF), char(u >> 24 & 0xFF)};
}

inline std::string chunk(const std::string& id, const std::string& content, const std::string& children = {})
{
    return id + i32(std::int32_t(content.size())) + i32(std::int32_t(children.size())) + content + children;
}

// "VOX " 150 and a MAIN chunk around the given chunks.
inline std::string file(const std::string& chunks) { return "VOX " + i32(150) + chunk("MAIN", "", chunks); }

inline std::string size(int x, int y, int z) { return chunk("SIZE", i32(x) + i32(y) + i32(z)); }

inline std::string xyzi(const std::vector<std::array<int, 4>>& voxels)
{
    std::string content = i32(std::int32_t(voxels.size()));
    for (const auto& v : voxels) content += {char(v[0]), char(v[1]), char(v[2]), char(v[3])};
    return chunk("XYZI", content);
}

// A palette of opaque black but for the given (index, r, g, b) entries.
inline std::string rgba(const std::vector<std::array<int, 4>>& entries)
{
    std::string content;
    for (int i = 1; i <= 256; i++) {
        std::array<int, 4> c{i, 0, 0, 0};
        for (const auto& e : entries)
            if (e[0] == i) c = e;
        content += {char(c[1]), char(c[2]), char(c[3]), char(255)};
    }
    return chunk("RGBA", content);
}

inline std::string dict(const std::vector<std::pair<std::string, std::string>>& pairs)
{
    std::string out = i32(std::int32_t(pairs.size()));
    for (const auto& [key, value] : pairs) out += i32(std::int32_t(key.size())) + key + i32(std::int32_t(value.size())) + value;
    return out;
}

inline std::string transform(int id, int child, const std::vector<std::pair<std::string, std::string>>& frame = {})
{
    return chunk("nTRN", i32(id) + dict({}) + i32(child) + i32(-1) + i32(0) + i32(1) + dict(frame));
}

inline std::string group(int id, const std::vector<int>& children)
{
    std::string content = i32(id) + dict({}) + i32(std::int32_t(children.size()));
    for (int c : children) content += i32(c);
    return chunk("nGRP", content);
}

inline std::string shape(int id, int model) { return chunk("nSHP", i32(id) + dict({}) + i32(1) + i32(model) + dict({})); }
}  // namespace vox
