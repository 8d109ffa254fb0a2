// CGifPalette: the 256 colours of an animated picture of the scene. The colours the editor draws
// cells and floor in (the eight cell colours and black, under each face's shading, with and
// without the cell-edge darkening) are entries of their own, so pixels of those colours keep
// them exactly; the remaining entries are a 6 x 6 x 5 colour cube for everything else (lines,
// blends), which takes the nearest entry.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class CGifPalette {
public:
    CGifPalette();

    struct SColour {
        std::uint8_t r, g, b;
    };
    const std::vector<SColour>& Colours() const { return m_colours; }  // 256 entries

    // The entry for a pixel: exact for the drawn colours, the nearest otherwise.
    std::uint8_t Index(std::uint8_t r, std::uint8_t g, std::uint8_t b) const
    {
        const std::uint8_t exact = m_exact[Key(r, g, b)];
        if (exact != NONE) {
            const SColour& c = m_colours[exact];
            if (c.r == r && c.g == g && c.b == b) return exact;
        }
        return m_nearest[Key(r, g, b)];
    }

    // The colours that are entries of their own (the drawn ones).
    const std::vector<SColour>& ExactColours() const { return m_exactColours; }

private:
    static constexpr std::uint8_t NONE = 255;  // no exact entry has this index: it is the cube's last
    static std::uint32_t Key(std::uint8_t r, std::uint8_t g, std::uint8_t b)
    {
        return std::uint32_t(r >> 2) << 12 | std::uint32_t(g >> 2) << 6 | std::uint32_t(b >> 2);
    }

    std::vector<SColour> m_colours;
    std::vector<SColour> m_exactColours;
    std::vector<std::uint8_t> m_exact;    // by 6-6-6 bit key: the exact entry there, or NONE
    std::vector<std::uint8_t> m_nearest;  // by 6-6-6 bit key: the nearest entry to its middle
};
