// Space and plane file reader. Headers are matched by fixed-length reads; every other line is
// a "value line": the bytes up to the line feed, of which at most LINE_LIMIT are kept (a CR
// stays in). Numbers are parsed within the kept bytes only, so no scan leaves a line.
#include "formats/spacereader.h"

#include <climits>
#include <cstring>
#include <string_view>
#include <utility>

namespace {

constexpr int LINE_LIMIT = 199;

struct Line {
    char bytes[LINE_LIMIT];
    int length = 0;
};

bool readExact(CByteStream& in, char* buf, int n)
{
    int got = 0;
    while (got < n) {
        int r = in.read(buf + got, n - got);
        if (r <= 0) return false;
        got += r;
    }
    return true;
}

bool expect(CByteStream& in, std::string_view text)
{
    char buf[32];
    return readExact(in, buf, int(text.size())) && std::memcmp(buf, text.data(), text.size()) == 0;
}

void readValueLine(CByteStream& in, Line& line) { line.length = in.readLine(line.bytes, LINE_LIMIT); }

// The line end after the first header word: LF, or CR and one more byte taken unseen.
bool readLineEnd(CByteStream& in)
{
    char c;
    if (!readExact(in, &c, 1)) return false;
    if (c == '\n') return true;
    return c == '\r' && readExact(in, &c, 1);
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Blanks, an optional sign, then digits up to the first other byte; no digits give 0.
int integerAt(const Line& line, int pos)
{
    while (pos < line.length && isBlank(line.bytes[pos])) pos++;
    bool negative = false;
    if (pos < line.length && (line.bytes[pos] == '+' || line.bytes[pos] == '-'))
        negative = line.bytes[pos++] == '-';
    // Accumulate the magnitude and saturate just past the int range, so no overflow can occur.
    constexpr long long LIMIT = 1LL + INT_MAX;
    long long magnitude = 0;
    for (; pos < line.length && line.bytes[pos] >= '0' && line.bytes[pos] <= '9'; pos++) {
        magnitude = magnitude * 10 + (line.bytes[pos] - '0');
        if (magnitude > LIMIT) magnitude = LIMIT;
    }
    if (negative) return int(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : int(magnitude);
}

// The index of the first comma at or after pos within the line, or -1.
int findComma(const Line& line, int pos)
{
    if (pos >= line.length) return -1;
    const void* comma = std::memchr(line.bytes + pos, ',', std::size_t(line.length - pos));
    return comma ? int(static_cast<const char*>(comma) - line.bytes) : -1;
}

bool readHeaderValue(CByteStream& in, std::string_view label, int& value)
{
    Line line;
    if (!expect(in, label)) return false;
    readValueLine(in, line);
    if (line.length == 0) return false;
    value = integerAt(line, 0);
    return true;
}

// Reads "(a,b,...)" lines until an empty line or the end of the file: the first number starts
// at the second byte, each further one after the next comma. Lines with too few commas are
// skipped. Calls store(numbers) for each complete line.
template <int COUNT, class Store>
void readCellLines(CByteStream& in, Store store)
{
    Line line;
    int numbers[COUNT];
    for (;;) {
        readValueLine(in, line);
        if (line.length == 0) return;
        numbers[0] = integerAt(line, 1);
        int pos = 1;
        int found = 1;
        for (; found < COUNT; found++) {
            int comma = findComma(line, pos);
            if (comma < 0) break;
            pos = comma + 1;
            numbers[found] = integerAt(line, pos);
        }
        if (found == COUNT) store(numbers);
    }
}

bool readSpaceBody(CByteStream& in, CSpace& out)
{
    int sizeX, sizeY, sizeZ;
    if (!expect(in, "D-Tessera") || !readLineEnd(in)) return false;
    if (!readHeaderValue(in, "The X is ", sizeX) || !readHeaderValue(in, "The Y is ", sizeY) ||
        !readHeaderValue(in, "The Z is ", sizeZ))
        return false;
    // CSpace yields the empty space for sizes below 1 or too many cells, without allocating.
    CSpace space(sizeX, sizeY, sizeZ, 0);
    readCellLines<4>(in, [&space](const int* n) { space.set(n[0], n[1], n[2], n[3]); });
    out = std::move(space);  // a declared space may be large: never hold it twice
    return true;
}

bool readPlaneBody(CByteStream& in, CSpace& out)
{
    int width, height;
    if (!expect(in, "essera") || !readLineEnd(in)) return false;
    if (!readHeaderValue(in, "The width is ", width) || !readHeaderValue(in, "The height is ", height))
        return false;
    // The plane lies in the x-z plane of a flat space: plane y becomes z.
    CSpace space(width, 1, height, 0);
    readCellLines<3>(in, [&space](const int* n) { space.set(n[0], 0, n[1], n[2]); });
    out = std::move(space);
    return true;
}

}  // namespace

bool readSpaceFile(CByteStream& in, CSpace& out)
{
    char first;
    if (!readExact(in, &first, 1)) return false;
    if (first == '3') return readSpaceBody(in, out);
    if (first == 'T') return readPlaneBody(in, out);
    return false;
}
