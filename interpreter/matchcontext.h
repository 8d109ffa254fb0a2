// CMatchContext: one runnable unit: its program, its own cells and its incremental search state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "interpreter/message.h"
#include "interpreter/messagelist.h"
#include "interpreter/reachcover.h"
#include "interpreter/reachlist.h"
#include "interpreter/reachmatches.h"
#include "interpreter/searchpoll.h"
#include "interpreter/spacepairlist.h"
#include "interpreter/statuspiece.h"
#include "interpreter/testedpositions.h"
#include "interpreter/unitprogram.h"
#include "interpreter/unitview.h"
#include "run/appliedgroup.h"
#include "run/inputdevices.h"
#include "space/boxset.h"
#include "space/cell.h"
#include "space/cellset.h"
#include "space/object.h"
#include "space/space.h"
#include "space/spacelist.h"

class CMatchContext : public CObject {
public:
    CMatchContext() = default;
    CMatchContext(const CMatchContext& other) = default;
    CMatchContext& operator=(const CMatchContext& other) = default;
    CMatchContext(CMatchContext&& other) noexcept = default;
    CMatchContext& operator=(CMatchContext&& other) noexcept = default;
    ~CMatchContext() override = default;

    // Called by Ready before every step with the interpreter's fresh snapshot.
    void setDevices(const CInputDevices& d) { devices = d; }

    // A fresh unit: idle, with the whole of its cells to search in the first pass.
    void init(CUnitProgram p, CSpace unitCells);  // pass rvalues to avoid copies
    int step();        // one step by state; 1 when the context reports (a pass applied, or ended)
    int step(CSearchPoll& poll);  // the same, polling for interruption during long work
    // Waiting for results of instances it started, none queued. Asked several times a sweep.
    int isSleeping() const { return program.pendingReceives > 0 && program.receivedData.isEmpty() ? 1 : 0; }
    int isEnded() const;
    int popWrite(int& x, int& y, int& z, int& value);  // 0 when none is left
    int popEndMessage(CMessage& m);                    // oldest first; 0 when none is left
    int popSendMessage(CMessage& m);                   // oldest first; 0 when none is left
    void beginPass();
    void beginPass(CSearchPoll& poll);
    void searchStep();  // evaluates one rule group, or closes the pass when none is left
    void searchStep(CSearchPoll& poll);

    // The current pass's groups (a queue it consumes) and the declarations it reads: variable
    // icons, send icons and own key, copied from the program when the pass begins.
    CUnitProgram work;
    CUnitProgram program;   // the program; evaluated groups return here with their positions
    CInputDevices devices;  // snapshot, refreshed before every step
    CCell origin;           // the unit's corner in the document space
    CStatusPiece statusPiece;  // progress of the last search step
    std::string statusText() const { return statusPiece.text(); }
    CUnitView view;         // the unit's own cells
    // Where the step cycle stands.
    enum class State {
        Idle,       // the next step begins a pass
        Searching,  // a pass is under way
        Applied,    // the pass applied a group; the next step reports it
        Ended,      // no group applied in the last pass: the unit has ended
    };
    State state = State::Idle;
    CCellSet writes;        // writes of the last applied pass, in unit coordinates
    CMessageList endMessages;
    CMessageList sendMessages;
    int appliedMark = 0;    // mark of the last group applied in this pass; 0 when none
    CBoxSet dirtyBoxes;     // boxes changed by applied groups: the next pass's search region
    CBoxSet searchBoxes;    // the search region of the current pass
    int receiveCount = 0;   // receive operations done since the pass began
    // Groups applied in this pass (unit left unset), for the user; collected once reported.
    std::vector<CAppliedGroup> applied;
    // Groups evaluated so far in this pass and in all, for the status text; known from beginPass
    // on (-1 before), so that a step does not count the lists.
    int passDone = 0, passGroups = -1;
    CTestedPositions tested;  // positions tested in the current evaluation of one pair
    CReachCover reachCover;   // scratch of the sweep, kept for its memory
    std::vector<CBoxSet::Item> changedBoxes;  // of the group being evaluated; kept to reuse its memory
    CCellSet spareCells;  // an empty set's memory, for found cells and for laying them out again
    std::vector<std::uint8_t> oldMatches;  // scratch: which old positions matched again
    CCellSet groupWrites;  // scratch: the writes of a group applied after others in the pass
    std::vector<CCell> fewCells;  // scratch: a group's few writes, or a pair's few positions
    // One cell of a right side that is written wherever it differs from the unit: all but "any".
    struct RightCell {
        int x, y, z, value;
    };
    // Scratch of applying a group, kept for its memory: the cells of a right side; which pairs
    // have a right side that is the same at every position.
    std::vector<RightCell> rightCellsScratch;
    std::vector<char> fixedPairsScratch;
    // The positions of this pass's search region for each left-side size that several pairs
    // share, listed once for all of them when the first of them is evaluated, if that costs less.
    struct SharedReach {
        int lx, ly, lz;
        int pairs = 0;  // pairs of this pass with a left side of this size that may match
        bool decided = false;  // whether to list them has been weighed in this pass
        bool worth = false;    // then: `reach` holds this pass's positions
        CReachList reach;
        std::vector<int> oldMatches;  // of each such pair, in the last pass
        // When there are many such pairs: a table of the left sides of all pairs of this size,
        // kept while they stay the same, and once the list is built, where each matches in it.
        bool tabled = false;  // `table` holds this pass's matches
        CReachMatches table;
        std::vector<CSpace> tableLefts;  // as drawn, in the order of the pass, when it was prepared
        CSpaceList tableVariables;       // the variable icons masked in them
        bool tablePrepared = false;
        std::size_t cursor = 0;  // the pairs of this size whose matches were asked for in this pass
        std::vector<const CSpace*> passLefts;  // scratch: this pass's, while they are compared
    };
    std::vector<SharedReach> sharedReaches;
    static constexpr int MIN_SHARING_PAIRS = 2;
    // Costs in tests of one position: listing a position; starting a row of a box's reach.
    static constexpr std::int64_t LIST_COST = 3, ROW_COST = 4;
    static constexpr std::size_t MAX_SHARED_SIZES = 16;
    // Pairs of one size from which their matches are found for all of them in one walk.
    static constexpr std::size_t MIN_TABLE_PAIRS = 6;

private:
    void closePass(CSearchPoll& poll);
    bool searchPair(CSpacePair& pair, const CSpace& left, bool possible, bool hadCells, int& pairsWithBoxes,
                    CSearchPoll& poll);
    bool findsFew(const CSpacePair& pair, const CSpace& left) const;  // inline, below the class
    bool searchFewPair(CSpacePair& pair, const CSpace& left, bool hadCells, int& pairsWithBoxes, CSearchPoll& poll);
    void countSharedReaches();
    void keepTables();
    SharedReach* sharedReachFor(const CSpace& left, CSearchPoll& poll);
    const std::vector<std::uint32_t>* tabledMatches(SharedReach& shared, const CSpace& left, CSearchPoll& poll);
    // `distinct`: no box occurs twice in `changed`.
    void applyGroup(CSpacePairList& group, int useDevices, std::vector<CBoxSet::Item>& changed, bool distinct,
                    CSearchPoll& poll);
    bool applyFewWrites(CSpacePairList& group, int useDevices, std::vector<CBoxSet::Item>& changed, bool distinct,
                        CSearchPoll& poll);
    bool hasFixedRight(const CSpacePair& pair, int useDevices) const;
    bool repaintsEveryPosition(const CSpacePair& pair, CCellSet& into, CSearchPoll& poll) const;
    void addDirtyBoxes(std::vector<CBoxSet::Item>& boxes, bool distinct);
    void adaptRight(CPatternSpace& right, const CSpace& left, const CSpacePairList& group, const CCell& at,
                    int useDevices, std::vector<CSpace>& sentIcons, std::vector<CSpace>& sentData);
    int variableIn(const CSpace& right) const;
    const CSpace* sendIconIn(const CSpace& right) const;
    void receive(CPatternSpace& right);
    void bindVariables(const CSpace& left, const CSpacePairList& group, const CCell& at,
                       CPatternSpace& right) const;
};

// Whether a pair that may match can find at most a few positions: its old ones, and every
// position at which its left side overlaps the single box of the search region.
inline bool CMatchContext::findsFew(const CSpacePair& pair, const CSpace& left) const
{
    const std::int64_t old = pair.cells.count();
    if (old > std::int64_t(CCellSet::FEW)) return false;
    const std::span<const CBoxSet::Item> boxes = searchBoxes.stored();
    if (boxes.size() > 1) return false;
    if (boxes.empty()) return true;
    const CBoxSet::Item& h = boxes[0];
    const std::int64_t w = std::int64_t(h.x1) - h.x0 + left.getSizeX(), d = std::int64_t(h.y1) - h.y0 + left.getSizeY(),
                       t = std::int64_t(h.z1) - h.z0 + left.getSizeZ();
    if (w <= 0 || d <= 0 || t <= 0) return true;  // no position overlaps the box
    return w <= std::int64_t(CCellSet::FEW) && d <= std::int64_t(CCellSet::FEW) &&
           w * d * t + old <= std::int64_t(CCellSet::FEW);
}
