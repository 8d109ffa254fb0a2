// The gallery programs: each draws itself into a space of its own.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shelf.h"
#include "space/space.h"

struct GalleryProgram {
    std::string name;
    int blocks;  // drawn blocks, each of which the scan must find
    std::function<CSpace()> draw;
};

std::vector<GalleryProgram> flatPrograms();
std::vector<GalleryProgram> solidPrograms();

// Shelf entries for the common blocks. Flat ones lie at y = 0; solid ones stand on y = 0.
CShelf::Draw flatArea(const CSpace& interior);
CShelf::Draw flatGroup(const std::vector<RuleSides>& rules);
CShelf::Draw flatSequence(int variable, const std::vector<int>& values);
CShelf::Draw solidArea(const CSpace& interior);
CShelf::Draw solidGroup(const std::vector<RuleSides>& rules);
CShelf::Draw solidSequence(int variable, const std::vector<int>& values);
CShelf::Draw window(const std::vector<CSpace>& frames);

// A deterministic stream of numbers for drawing random pictures (the same on every platform).
class CDice {
public:
    explicit CDice(unsigned seed) : state(seed) {}
    int roll(int n)  // 0 .. n-1
    {
        state = state * 1103515245u + 12345u;
        return int((state >> 8) % unsigned(n));
    }

private:
    unsigned state;
};
