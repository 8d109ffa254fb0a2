// CSearchPoll: the interruption check a long search step calls now and then.
#pragma once

#include <functional>

// Lets a long search step be interrupted: `tick` counts units of work (positions tested, cells
// written) and runs `check` every few thousand of them; `check` may throw to abandon the step.
struct CSearchPoll {
    // Units of work between two checks: a few microseconds of searching.
    static constexpr int TICKS_PER_CHECK = 4096;

    std::function<void()> check;
    int count = 0;
    void tick()
    {
        if (check && ++count >= TICKS_PER_CHECK) now();
    }
    // As `n` ticks.
    void advance(int n)
    {
        if (check && (count += n) >= 4096) now();
    }
    // Between two large pieces of work that cannot be split.
    void now()
    {
        count = 0;
        if (check) check();
    }
};
