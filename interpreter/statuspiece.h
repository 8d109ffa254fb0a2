// CStatusPiece: a unit's piece of the Match status, kept as what it says rather than as text:
// nothing ("" for a unit that has not searched yet), "done/groups " (groups evaluated in this
// pass and in all), "zzz ", "Done " or "End ". A search step only stores its numbers; the text
// is written when it is read, by the Match sweep where it changed.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstring>
#include <string>

class CStatusPiece {
public:
    enum class Kind : unsigned char { None, Progress, Asleep, Done, End };
    // The longest text: two integers of up to 11 characters, a slash and a blank.
    static constexpr std::size_t MAX_LENGTH = 24;

    void setProgress(int doneGroups, int allGroups)
    {
        kind = Kind::Progress;
        done = doneGroups;
        groups = allGroups;
    }
    void set(Kind k) { kind = k; }
    Kind getKind() const { return kind; }

    // Writes the text at `out`, which has room for MAX_LENGTH characters; answers its length.
    std::size_t write(char* out) const
    {
        switch (kind) {
        case Kind::None:
            return 0;
        case Kind::Progress: {
            char* end = std::to_chars(out, out + 11, done).ptr;
            *end++ = '/';
            end = std::to_chars(end, end + 11, groups).ptr;
            *end++ = ' ';
            return std::size_t(end - out);
        }
        case Kind::Asleep:
            return copy(out, "zzz ", 4);
        case Kind::Done:
            return copy(out, "Done ", 5);
        case Kind::End:
            return copy(out, "End ", 4);
        }
        return 0;
    }
    std::string text() const
    {
        char out[MAX_LENGTH];
        return std::string(out, write(out));
    }

    // The count of groups done is one more than in `before`, all else the same: its text differs
    // only in the digits before the slash.
    bool countsOneOn(const CStatusPiece& before) const
    {
        return kind == Kind::Progress && before.kind == Kind::Progress && groups == before.groups &&
               before.done >= 0 && done == before.done + 1;
    }

    // The same text.
    bool operator==(const CStatusPiece& other) const
    {
        return kind == other.kind && (kind != Kind::Progress || (done == other.done && groups == other.groups));
    }

private:
    static std::size_t copy(char* out, const char* text, std::size_t n)
    {
        std::memcpy(out, text, n);
        return n;
    }

    Kind kind = Kind::None;
    int done = 0, groups = 0;
};
