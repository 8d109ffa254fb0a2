// Flat spaces written as rows of characters, so that space tests read like pictures.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "space/space.h"

// One character per cell: '.' empty, '*' any, 'o' outside, and the colours by initial
// (W white, K black, B blue, R red, G green, P purple, C pale, Y yellow).
inline int cellOfChar(char c)
{
    const std::string codes = ".*o";
    const std::string colours = "WKBRGPCY";
    if (auto i = codes.find(c); i != std::string::npos) return int(i);
    if (auto i = colours.find(c); i != std::string::npos) return 100 + int(i);
    throw std::invalid_argument(std::string("no cell code for '") + c + "'");
}

inline char charOfCell(int v)
{
    if (v >= 0 && v <= 2) return ".*o"[v];
    if (v >= 100 && v <= 107) return "WKBRGPCY"[v - 100];
    return '?';
}

// A space of height 1: row k is the line z = k, character i of it the cell x = i.
inline CSpace flatSpace(const std::vector<std::string>& rows)
{
    CSpace s(rows.empty() ? 0 : int(rows[0].size()), 1, int(rows.size()), 0);
    for (int z = 0; z < int(rows.size()); z++) {
        if (rows[z].size() != rows[0].size()) throw std::invalid_argument("rows of unequal length");
        for (int x = 0; x < int(rows[z].size()); x++) s.set(x, 0, z, cellOfChar(rows[z][x]));
    }
    return s;
}

// The layer y of a space as rows, one per z, in the notation of flatSpace.
inline std::vector<std::string> rowsOf(const CSpace& s, int y = 0)
{
    std::vector<std::string> rows;
    for (int z = 0; z < s.getSizeZ(); z++) {
        std::string row;
        for (int x = 0; x < s.getSizeX(); x++) row += charOfCell(s.get(x, y, z));
        rows.push_back(row);
    }
    return rows;
}

using Rows = std::vector<std::string>;
