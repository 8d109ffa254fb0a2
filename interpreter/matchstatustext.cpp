#include "interpreter/matchstatustext.h"

#include <cstring>

void CMatchStatusText::write(const CStatusPiece& piece)
{
    char bytes[CStatusPiece::MAX_LENGTH];
    const std::size_t length = piece.write(bytes);
    if (at + length > text.size()) text.resize(at + length);
    std::memcpy(text.data() + at, bytes, length);
    if (at < firstChange) firstChange = at;
    if (slot >= slots.size()) slots.resize(slot + 1);
    Slot& s = slots[slot];
    // A piece of another length moves the pieces after it, or writes over them when the sweep
    // is abandoned before it reaches them: they are written again.
    known = s.at == at && s.length == length && slot < known ? known : slot + 1;
    s.piece = piece;
    s.at = at;
    s.length = length;
    if (piece.getKind() == CStatusPiece::Kind::Progress) {
        const void* slash = std::memchr(bytes, '/', length);
        s.slash = at + std::size_t(static_cast<const char*>(slash) - bytes);
    }
    at += length;
    slot++;
}

void CMatchStatusText::closeAnew()
{
    if (at + 1 > text.size()) text.resize(at + 1);
    if (text[at] != CLOSE) {
        text[at] = CLOSE;
        if (at < firstChange) firstChange = at;
    }
    text.resize(at + 1);
    known = slot;
    open = false;
}

void CMatchStatusText::publishAll(std::string& to)
{
    to.assign(text);
    published = true;
    firstChange = NONE;
}
