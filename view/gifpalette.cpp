// The palette's exact entries come from the same shading the scene drawing uses (cellshading.h,
// celledges.h); two exact colours that share a 6-6-6 key would make one of them approximate,
// which the tests check does not happen for the cell colours.
#include "view/gifpalette.h"

#include <algorithm>

#include "view/cellshading.h"
#include "view/celledges.h"

namespace {
std::uint8_t Byte(float c) { return std::uint8_t(c * 255.0f + 0.5f); }
}  // namespace

CGifPalette::CGifPalette()
{
    auto add = [this](std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        for (const SColour& c : m_exactColours)
            if (c.r == r && c.g == g && c.b == b) return;
        m_exactColours.push_back({r, g, b});
    };
    // The cell colours first: where keys collide, the first colour keeps its key.
    const float shades[6] = {SHADE_Y_TOWARD, SHADE_Z_TOWARD, SHADE_X_TOWARD, SHADE_X_AWAY, SHADE_Z_AWAY, SHADE_Y_AWAY};
    const std::uint8_t edge = Byte(EDGE_SHADE);
    for (int edged = 0; edged < 2; edged++)
        for (int value = CELL_WHITE; value <= CELL_YELLOW + 1; value++) {
            const SRgb base = CellBaseColour(value > CELL_YELLOW ? CELL_ANY : value);
            for (float shade : shades) {
                std::uint8_t c[3] = {Byte(base.r * shade), Byte(base.g * shade), Byte(base.b * shade)};
                if (edged)
                    for (std::uint8_t& v : c) v = std::uint8_t((v * edge + 127) / 255);
                add(c[0], c[1], c[2]);
            }
        }
    for (float grey : {FLOOR_GREY_FLAT, FLOOR_GREY_SOLID, FloorGridGrey(FLOOR_GREY_FLAT), FloorGridGrey(FLOOR_GREY_SOLID)})
        add(Byte(grey), Byte(grey), Byte(grey));

    m_colours = m_exactColours;
    const int cubeEntries = 6 * 6 * 5;
    m_colours.resize(256 - cubeEntries, {0, 0, 0});
    for (int r = 0; r < 6; r++)
        for (int g = 0; g < 6; g++)
            for (int b = 0; b < 5; b++) m_colours.push_back({Byte(r / 5.0f), Byte(g / 5.0f), Byte(b / 4.0f)});

    m_exact.assign(1 << 18, NONE);
    for (std::size_t i = m_exactColours.size(); i-- > 0;) {
        const SColour& c = m_exactColours[i];
        m_exact[Key(c.r, c.g, c.b)] = std::uint8_t(i);
    }
    m_nearest.resize(1 << 18);
    for (std::uint32_t key = 0; key < (1u << 18); key++) {
        const int r = int(key >> 12) * 4 + 2, g = int(key >> 6 & 63) * 4 + 2, b = int(key & 63) * 4 + 2;
        // The cube's nearest entry, then any exact colour nearer still.
        auto level = [](int v, int steps) { return std::clamp((v * steps + 127) / 255, 0, steps); };
        int best = 256 - cubeEntries + (level(r, 5) * 6 + level(g, 5)) * 5 + level(b, 4);
        auto distance = [&](const SColour& c) {
            return (r - c.r) * (r - c.r) + (g - c.g) * (g - c.g) + (b - c.b) * (b - c.b);
        };
        int bestDistance = distance(m_colours[std::size_t(best)]);
        for (std::size_t i = 0; i < m_exactColours.size(); i++)
            if (distance(m_exactColours[i]) < bestDistance) {
                best = int(i);
                bestDistance = distance(m_exactColours[i]);
            }
        m_nearest[key] = std::uint8_t(best);
    }
}
