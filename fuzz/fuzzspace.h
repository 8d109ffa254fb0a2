// The small space that an interpreter fuzz input describes, and the input that describes a space.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "space/space.h"

// Layout: sizes X, Y, Z (each byte taken modulo the bound, plus 1), a flags byte, then one byte
// per cell in storage order (x fastest). A cell byte picks from the cell codes (mostly empty and
// the colours); 0xFF instead takes the next four bytes as a raw value. Missing cells are empty,
// and the space ends with the last layer (z) the cell bytes reach: a short input is a small space,
// so the fuzzer does not spend its time scanning empty cells that no byte chose.
struct FuzzSpace {
    static constexpr int MAX_X = 40;
    static constexpr int MAX_Y = 12;
    static constexpr int MAX_Z = 40;
    static constexpr std::uint8_t RAW_CELL = 0xFF;

    CSpace space;
    int stepLimit = 1;      // shown steps before the run is stopped: 1 to 16
    int pressLeft = 0;      // a left click is waiting when the run starts
    int pressRight = 0;

    // False when the input is too short to hold the header.
    bool decode(const std::uint8_t* data, std::size_t size);
    // The input that decodes to `s` (cropped to the bounds) with the given step limit.
    static std::string encode(const CSpace& s, int stepLimit);
};
