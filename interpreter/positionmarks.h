// CPositionMarks: one bit for each position of a frame, set as positions come up and cleared for
// the next round by clearing only the words that were set (or all of them, when that is less).
// A bit per position keeps the marks of a large unit in few pages and cache lines; memory from
// the system is zeroed and costs nothing until touched, so a huge frame is never cleared whole.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

class CPositionMarks {
public:
    CPositionMarks() = default;
    // A copy starts with no marks: they only matter within one round.
    CPositionMarks(const CPositionMarks&) {}
    CPositionMarks& operator=(const CPositionMarks&)
    {
        *this = CPositionMarks();
        return *this;
    }
    CPositionMarks(CPositionMarks&&) noexcept = default;
    CPositionMarks& operator=(CPositionMarks&&) noexcept = default;

    // Starts a round over a frame of `count` positions, every one unmarked. False when the
    // memory could not be had: then nothing may be marked.
    bool begin(std::size_t count)
    {
        if (count != size || !words) {
            touched.clear();
            size = count;
            words.reset(static_cast<std::uint64_t*>(std::calloc(wordCount(), sizeof(std::uint64_t))));
            return words != nullptr;
        }
        if (touched.size() * 8 >= wordCount()) {
            std::memset(words.get(), 0, wordCount() * sizeof(std::uint64_t));
        } else {
            for (const std::size_t w : touched) words[w] = 0;
        }
        touched.clear();
        return true;
    }

    // Whether positions may be marked: begun, with the memory.
    bool ready() const { return words != nullptr; }

    // Marks position `i` (below the frame's count); true when it was not marked yet.
    bool mark(std::size_t i)
    {
        std::uint64_t& word = words[i >> 6];
        const std::uint64_t bit = std::uint64_t(1) << (i & 63);
        if (word & bit) return false;
        if (!word) touched.push_back(i >> 6);
        word |= bit;
        return true;
    }

    // Marks the positions of `bits` in word `w` (positions 64 w to 64 w + 63); returns those of
    // them that were not marked yet.
    std::uint64_t markBits(std::size_t w, std::uint64_t bits)
    {
        std::uint64_t& word = words[w];
        const std::uint64_t fresh = bits & ~word;
        if (fresh && !word) touched.push_back(w);
        word |= bits;
        return fresh;
    }

    // Marks the positions first to first + n - 1; calls visit(i) for each that was not marked
    // yet, in ascending order.
    template <class Visit>
    void markRun(std::size_t first, std::size_t n, Visit visit)
    {
        if (n > 0 && (first & 63) + n <= 64) {  // within one word: the common short run
            const std::size_t w = first >> 6;
            const std::uint64_t run = (n == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << n) - 1) << (first & 63);
            std::uint64_t& word = words[w];
            std::uint64_t fresh = run & ~word;
            if (!fresh) return;
            if (!word) touched.push_back(w);
            word |= run;
            for (; fresh; fresh &= fresh - 1) visit((w << 6) + std::size_t(__builtin_ctzll(fresh)));
            return;
        }
        while (n > 0) {
            const std::size_t w = first >> 6, b = first & 63, take = n < 64 - b ? n : 64 - b;
            const std::uint64_t run = (take == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << take) - 1) << b;
            std::uint64_t& word = words[w];
            std::uint64_t fresh = run & ~word;
            if (fresh) {
                if (!word) touched.push_back(w);
                word |= run;
                for (; fresh; fresh &= fresh - 1) visit((w << 6) + std::size_t(__builtin_ctzll(fresh)));
            }
            first += take, n -= take;
        }
    }

    // Marks the positions first to first + n - 1; returns how many of them were not marked yet.
    std::size_t markCount(std::size_t first, std::size_t n)
    {
        if (n > 0 && (first & 63) + n <= 64) {  // within one word: the common short run
            const std::uint64_t run = (n == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << n) - 1) << (first & 63);
            return bitsIn(markBits(first >> 6, run));
        }
        std::size_t fresh = 0;
        while (n > 0) {
            const std::size_t w = first >> 6, b = first & 63, take = n < 64 - b ? n : 64 - b;
            const std::uint64_t run = (take == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << take) - 1) << b;
            fresh += bitsIn(markBits(w, run));
            first += take, n -= take;
        }
        return fresh;
    }

    // Calls visit(i) for each marked position from first to first + n - 1, in ascending order.
    template <class Visit>
    void forEachMarked(std::size_t first, std::size_t n, Visit visit) const
    {
        while (n > 0) {
            const std::size_t w = first >> 6, b = first & 63, take = n < 64 - b ? n : 64 - b;
            const std::uint64_t run = (take == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << take) - 1) << b;
            for (std::uint64_t set = words[w] & run; set; set &= set - 1)
                visit((w << 6) + std::size_t(__builtin_ctzll(set)));
            first += take, n -= take;
        }
    }

private:
    // The bits set in `bits`, seldom more than a few (the machines built for may lack a popcount).
    static std::size_t bitsIn(std::uint64_t bits)
    {
        std::size_t n = 0;
        for (; bits; bits &= bits - 1) n++;
        return n;
    }
    std::size_t wordCount() const { return (size + 63) / 64; }

    struct Free {
        void operator()(std::uint64_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint64_t[], Free> words;
    std::size_t size = 0;
    std::vector<std::size_t> touched;  // the words set in this round
};
