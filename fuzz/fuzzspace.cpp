// FuzzSpace: the cell byte's low four bits index CELL_OF (six empties, any, outside and the
// eight colours); the raw escape makes every other int reachable too.
#include "fuzz/fuzzspace.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int CELL_OF[16] = {0, 0, 0, 0, 0, 0, 1, 2, 100, 101, 102, 103, 104, 105, 106, 107};
constexpr std::size_t HEADER = 4;

// The code of a value in CELL_OF, or -1 when only the raw escape can carry it.
int codeOf(int value)
{
    if (value == 0) return 0;
    for (int i = 6; i < 16; i++)
        if (CELL_OF[i] == value) return i;
    return -1;
}
}  // namespace

bool FuzzSpace::decode(const std::uint8_t* data, std::size_t size)
{
    if (size < HEADER) return false;
    const int sx = 1 + data[0] % MAX_X, sy = 1 + data[1] % MAX_Y;
    const std::size_t layer = std::size_t(sx) * sy, given = size - HEADER;
    const int sz = int(std::min<std::size_t>(1 + data[2] % MAX_Z, std::max<std::size_t>(1, (given + layer - 1) / layer)));
    stepLimit = 1 + (data[3] & 15);
    pressLeft = (data[3] >> 4) & 1;
    pressRight = (data[3] >> 5) & 1;
    space = CSpace(sx, sy, sz, 0);

    std::size_t pos = HEADER;
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++)
            for (int x = 0; x < sx && pos < size; x++) {
                const std::uint8_t b = data[pos++];
                if (b != RAW_CELL) {
                    // The space starts empty, so an empty cell needs no write.
                    if (const int value = CELL_OF[b & 15]) space.set(x, y, z, value);
                } else if (size - pos >= 4) {
                    std::int32_t raw;
                    std::memcpy(&raw, data + pos, 4);
                    pos += 4;
                    space.set(x, y, z, raw);
                }
            }
    return true;
}

std::string FuzzSpace::encode(const CSpace& s, int limit)
{
    const int sx = std::min(s.getSizeX(), MAX_X), sy = std::min(s.getSizeY(), MAX_Y),
              sz = std::min(s.getSizeZ(), MAX_Z);
    std::string out;
    if (sx <= 0) return out;
    out += char(sx - 1);
    out += char(sy - 1);
    out += char(sz - 1);
    out += char(std::clamp(limit, 1, 16) - 1);
    for (int z = 0; z < sz; z++)
        for (int y = 0; y < sy; y++)
            for (int x = 0; x < sx; x++) {
                const int v = s.get(x, y, z);
                const int code = codeOf(v);
                if (code >= 0) {
                    out += char(code);
                    continue;
                }
                out += char(RAW_CELL);
                const std::int32_t raw = v;
                out.append(reinterpret_cast<const char*>(&raw), 4);
            }
    return out;
}
