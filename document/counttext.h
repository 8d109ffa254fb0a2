// countText: a count with its noun, singular for exactly one ("1 step", "0 steps", "3 steps").
#pragma once

#include <string>

inline std::string countText(long count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}
