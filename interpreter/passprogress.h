// passProgressText: a unit's piece of the Match status, "done/groups " (groups evaluated in this
// pass and in all). Written at every search step, so it is built without a format parser.
#pragma once

#include <charconv>
#include <string>

inline void passProgressText(std::string& out, int done, int groups)
{
    char text[32];
    char* end = std::to_chars(text, text + 11, done).ptr;
    *end++ = '/';
    end = std::to_chars(end, end + 11, groups).ptr;
    *end++ = ' ';
    out.assign(text, end);
}
