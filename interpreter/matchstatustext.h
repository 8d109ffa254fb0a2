// CMatchStatusText: the Match status, "Phase:Match(" + one piece per stepped unit + ")", rebuilt
// at every sweep over the text of the last sweep. Most sweeps change one unit's numbers, so each
// piece remembers what it said and where it stands: an unchanged piece is passed over, a changed
// one is written in place and noted as the first change. A sweep that changes nothing is thus
// seen without comparing strings, and one that does copies only the bytes from its first change
// on into the link's text.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/statuspiece.h"

class CMatchStatusText {
public:
    static constexpr std::string_view PREFIX = "Phase:Match(";
    static constexpr char CLOSE = ')';

    CMatchStatusText() : text(PREFIX) {}

    // The next text the link is given is written in full: what the link holds is unknown.
    void forget() { published = false; }

    // Starts a sweep's text after the prefix.
    void begin()
    {
        // A sweep abandoned half way has changed the text since it was last published.
        if (open) published = false;
        open = true;
        before = text.size();
        at = PREFIX.size();
        slot = 0;
        firstChange = NONE;
    }
    void add(const CStatusPiece& piece)
    {
        if (slot < known && slots[slot].at == at) {
            Slot& s = slots[slot];
            if (s.piece == piece || (piece.countsOneOn(s.piece) && countOneOn(s))) {
                s.piece = piece;
                at += s.length;
                slot++;
                return;
            }
        }
        write(piece);
    }
    // Closes the text; afterwards changed() tells whether it differs from the last one published.
    void close()
    {
        if (at + 1 == text.size() && text[at] == CLOSE) {
            known = slot;
            open = false;
        } else {
            closeAnew();
        }
    }
    bool changed() const { return !published || firstChange != NONE || text.size() != before; }

    // Gives the text to `to`, the link's text, which holds the last one published unless forget()
    // was called since.
    void publishTo(std::string& to)
    {
        if (!published || to.size() != text.size()) return publishAll(to);
        // The same length: only the bytes from the first change on can differ.
        if (firstChange != NONE) std::memcpy(to.data() + firstChange, text.data() + firstChange, text.size() - firstChange);
        firstChange = NONE;
    }

    const std::string& str() const { return text; }
    // The pieces of the last sweep, without prefix and closing bracket.
    std::string_view pieces() const
    {
        return std::string_view(text).substr(PREFIX.size(), text.size() - PREFIX.size() - 1);
    }

private:
    static constexpr std::size_t NONE = std::string::npos;
    struct Slot {
        CStatusPiece piece;
        std::size_t at = 0, length = 0;
        std::size_t slash = 0;  // of a progress piece: where its slash stands
    };

    void write(const CStatusPiece& piece);
    void closeAnew();
    void publishAll(std::string& to);
    // Counts a piece's groups done one on, in place: the last digit before the slash goes up
    // and nines roll over to zeros. False, with nothing written, when a digit must be added.
    bool countOneOn(const Slot& s)
    {
        std::size_t i = s.slash;
        char* t = text.data();
        while (i > s.at && t[i - 1] == '9') i--;
        if (i == s.at || t[i - 1] < '0' || t[i - 1] > '9') return false;
        t[i - 1]++;
        for (std::size_t j = i; j < s.slash; j++) t[j] = '0';
        if (i - 1 < firstChange) firstChange = i - 1;
        return true;
    }

    std::string text;          // the prefix, then this sweep's pieces over the last sweep's
    std::vector<Slot> slots;   // what each piece of the text says and where it stands
    std::size_t known = 0;     // slots that describe the text
    std::size_t slot = 0;      // the next piece's slot
    std::size_t at = 0;        // where the next piece goes
    std::size_t before = 0;    // the length of the last sweep's text
    std::size_t firstChange = NONE;
    bool open = false;         // a sweep has begun and not closed
    bool published = false;    // the link holds the last text published
};
