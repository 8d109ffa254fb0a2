// CAllocationProbe: the largest single heap request, and the peak of bytes held, while a probe is
// alive, so a test can show that hostile input was refused without allocating what it asked for.
#pragma once

#include <cstddef>

class CAllocationProbe {
public:
    CAllocationProbe();
    ~CAllocationProbe();
    CAllocationProbe(const CAllocationProbe&) = delete;
    CAllocationProbe& operator=(const CAllocationProbe&) = delete;

    // Bytes of the largest operator new request (any thread) since construction.
    std::size_t largest() const;
    // Highest total of bytes allocated since construction and not yet freed (any thread).
    std::size_t peak() const;
};
