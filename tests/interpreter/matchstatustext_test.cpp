// The Match status as the link sees it: each unit's piece reads as the formats print it, the text
// of a sweep is built over the last one, and the link's text, given only the changed bytes, always
// reads as a text built afresh. Also: the sweep tells when a unit's own step put it to sleep.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "interpreter/matchcontextlist.h"
#include "interpreter/matchstatustext.h"
#include "interpreter/matchtestkit.h"
#include "space/cellcodes.h"

namespace {
using Kind = CStatusPiece::Kind;

CStatusPiece progress(int done, int groups)
{
    CStatusPiece p;
    p.setProgress(done, groups);
    return p;
}

CStatusPiece word(Kind k)
{
    CStatusPiece p;
    p.set(k);
    return p;
}

// One sweep over `pieces`, published into `link` when it changed; answers whether it did.
bool sweep(CMatchStatusText& text, const std::vector<CStatusPiece>& pieces, std::string& link)
{
    text.begin();
    for (const CStatusPiece& p : pieces) text.add(p);
    text.close();
    if (!text.changed()) return false;
    text.publishTo(link);
    return true;
}

std::string afresh(const std::vector<CStatusPiece>& pieces)
{
    std::string s = "Phase:Match(";
    for (const CStatusPiece& p : pieces) s += p.text();
    return s + ")";
}
}  // namespace

TEST(StatusPiece, ReadsAsThePrintedCounts)
{
    EXPECT_EQ(CStatusPiece().text(), "") << "a unit that has not searched yet";
    EXPECT_EQ(word(Kind::Asleep).text(), "zzz ");
    EXPECT_EQ(word(Kind::Done).text(), "Done ");
    EXPECT_EQ(word(Kind::End).text(), "End ");
    for (const auto& [done, groups] : std::vector<std::pair<int, int>>{
             {0, 0}, {3, 12}, {-1, 7}, {10, 12}, {INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}}) {
        char printed[40];
        std::snprintf(printed, sizeof printed, "%d/%d ", done, groups);
        EXPECT_EQ(progress(done, groups).text(), printed);
    }
}

TEST(MatchStatusText, TheLinkReadsEachSweepAsBuiltAfreshAndIsWrittenOnlyWhenItChanged)
{
    const CStatusPiece done = word(Kind::Done), end = word(Kind::End), zzz = word(Kind::Asleep);
    // Counting on in place (with nines rolling over and a digit added), earlier pieces changing
    // length under later ones, pieces coming and going, and sweeps that change nothing.
    const std::vector<std::vector<CStatusPiece>> sweeps = {
        {done},
        {done},
        {progress(0, 10)},
        {progress(1, 10)},
        {progress(9, 10)},
        {progress(10, 10)},
        {progress(10, 10), end},
        {progress(11, 10), end},
        {progress(19, 200), end},
        {progress(20, 200), end},
        {progress(99, 200), zzz},
        {progress(100, 200), zzz},
        {progress(100, 200), zzz},
        {progress(100, 200)},
        {},
        {CStatusPiece(), done},
        {end, done, progress(1, 2)},
        {done, progress(1, 2)},
    };
    CMatchStatusText text;
    std::string link = "Phase:Ready";
    std::string last;
    for (std::size_t i = 0; i < sweeps.size(); i++) {
        const std::string expected = afresh(sweeps[i]);
        EXPECT_EQ(sweep(text, sweeps[i], link), expected != last) << "sweep " << i;
        EXPECT_EQ(link, expected) << "sweep " << i;
        last = expected;
    }
}

TEST(MatchStatusText, RandomSweepsMatchATextBuiltAfresh)
{
    // Mostly one unit counting on, as in a run; now and then an abandoned sweep, or a link whose
    // text another step replaced (then forget() is called, as Match does when it starts).
    std::mt19937 random(7);
    CMatchStatusText text;
    std::string link;
    std::vector<CStatusPiece> pieces(3);
    for (int i = 0; i < 4000; i++) {
        const int unit = int(random() % pieces.size());
        CStatusPiece& p = pieces[std::size_t(unit)];
        switch (random() % 8) {
        case 0: p = word(Kind(random() % 5)); break;
        case 1: p = progress(int(random() % 120) - 5, int(random() % 1200)); break;
        case 2: pieces.resize(1 + random() % 4); break;
        case 3:  // abandoned after its first piece, as a sweep is by an interruption, which the
                 // next sweep then shows again
            pieces[0] = progress(int(random() % 1000), 7);
            text.begin();
            text.add(pieces[0]);
            break;
        case 4: link = "Phase:Ready"; text.forget(); break;
        default: {
            const int groups = 1 + int(random() % 150);
            for (int k = 0; k < 30; k++) {
                p = progress(k + int(random() % 3) * 95, groups);
                sweep(text, pieces, link);
                ASSERT_EQ(link, afresh(pieces)) << "sweep " << i << "." << k;
            }
        }
        }
        sweep(text, pieces, link);
        ASSERT_EQ(link, afresh(pieces)) << "sweep " << i;
    }
}

TEST(MatchSweep, TellsWhenAUnitsOwnStepPutItToSleep)
{
    // The unit receives its one queued result in its first search step and, with another still
    // pending, sleeps from then on: the sweep that took the result already finds every unit asleep.
    CUnitProgram p = programOf({ruleGroup(3, {{row({CELL_RED}), row({CELL_YELLOW})}})});
    p.sendIcons.push(CSpace(1, 1, 1, CELL_YELLOW));
    p.pendingReceives = 2;
    p.receivedData.push(CSpace(1, 1, 1, CELL_BLUE));
    p.receivedIds.push(1);
    CMatchContextList list;
    list.push(unitOf(p, row({CELL_RED})));
    std::vector<bool> asleep;
    for (int i = 0; i < 4; i++) {
        CCellSet writes;
        CMessageList ends, sends;
        std::string text;
        list.matchSweep(writes, ends, sends, text);
        asleep.push_back(list.everyAsleep);
    }
    EXPECT_EQ(asleep, (std::vector<bool>{false, true, true, true}));
}
