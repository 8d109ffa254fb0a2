// passProgressText: a unit's piece of the Match status, "done/groups " (groups evaluated in this
// pass and in all). Written at every search step, so it is built without a format parser.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstring>
#include <string>

inline void passProgressText(std::string& out, int done, int groups)
{
    char text[32];
    char* end = std::to_chars(text, text + 11, done).ptr;
    *end++ = '/';
    end = std::to_chars(end, end + 11, groups).ptr;
    *end++ = ' ';
    // Mostly the length stays from one step to the next: then the digits are copied over.
    const std::size_t length = std::size_t(end - text);
    if (out.size() == length)
        std::memcpy(out.data(), text, length);
    else
        out.assign(text, end);
}
