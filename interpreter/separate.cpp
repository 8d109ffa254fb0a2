// The Separate phase: reads the program's blocks out of a copy of the document space, cell by
// cell (z outermost, then x, then y from the top), with the four recognisers in fixed order.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#include "interpreter/blockreader.h"
#include "interpreter/interpreter.h"
#include "interpreter/patternspace.h"
#include "interpreter/scancolumns.h"
#include "run/runlink.h"
#include "space/cell.h"

namespace {
using Hold = std::lock_guard<std::recursive_mutex>;

// STATUS_SEPARATE filled in with the layer and the number of layers, as printf would, without
// its cost: a scan of a deep space shows every layer. Returns the text's length.
std::size_t separateStatus(char (&text)[48], int layer, int layers)
{
    constexpr std::string_view head = "Phase:Separate ";
    static_assert(std::string_view(CInterpreter::STATUS_SEPARATE) == "Phase:Separate %d/%d");
    static_assert(head.size() + 2 * 11 + 1 <= sizeof text);
    char* const last = text + sizeof text;
    char* end = std::to_chars(std::copy(head.begin(), head.end(), text), last, layer).ptr;
    if (end != last) end = std::to_chars(std::copy_n("/", 1, end), last, layers).ptr;
    return std::size_t(end - text);
}
}  // namespace

void CInterpreter::Separate()
{
    separateNext = 0;
    CUnitProgram program;
    CMatchContext top;
    top.setDevices(devices);

    int sizeX = 0, sizeY = 0, sizeZ = 0;
    auto readSizes = [&] {
        Hold hold(link->mutex);
        sizeX = link->space.getSizeX();
        sizeY = link->space.getSizeY();
        sizeZ = link->space.getSizeZ();
    };
    // The copy is the last one brought up to date (the document's size rarely changes): a step
    // pays for fresh pages only when the size changed, and for copying every cell only when more
    // than the run's own writes changed the document since.
    CPatternSpace& scan = scanCopy;
    {
        Hold hold(link->mutex);
        scanMemory.refresh(scan, link->space, link->spaceChanges);
    }
    // A block as large as the space takes a while to read: the reader polls as it goes.
    CSearchPoll poll{[this] { CheckInterruption(); }};
    struct PollFor {  // the copy outlives the scan, the poll and the log do not
        CPatternSpace& scan;
        ~PollFor()
        {
            scan.poll = nullptr;
            scan.consumedLog = nullptr;
        }
    } pollFor{scan};
    scan.poll = &poll;
    scan.consumedLog = &scanMemory.consumed;  // what the next refresh copies back

    CSpace area;  // the work area's contents; a later work area replaces an earlier one
    int foundWork = 0;
    CBlockReader reader;
    // The status names the layer, so it is formatted and stored only when that changes (the
    // test is made where it is called).
    int shownLayer = 0, shownLayers = -1;
    char text[48];

    auto showLayer = [&](int z) {
        shownLayer = z + 1;
        shownLayers = sizeZ;
        const std::size_t length = separateStatus(text, shownLayer, shownLayers);
        Hold hold(link->mutex);
        link->status.assign(text, length);
    };
    CScanColumns columns(scan);

    // The bounds come from the document space, read once per layer and again before every
    // column the reader looks into; a column passed over reads no cell, so the bounds it is
    // tested against need not be newer than the layer's.
    for (int z = 0; readSizes(), z < sizeZ; z++) {
        columns.enterLayer(z, poll);
        // One check and one look at the status stand for every column the reader would find
        // nothing in; the others are checked cell by cell.
        if (sizeX > 0 && sizeY > 0) {
            CheckInterruption();
            if (z + 1 != shownLayer || sizeZ != shownLayers) showLayer(z);
        }
        const std::vector<std::uint64_t>& layerRows = columns.layerRows(z);
        const int columnsToTry = int(layerRows.size());
        for (int x = 0; x < sizeX && x < columnsToTry; x++) {
            const std::uint64_t rows = layerRows[std::size_t(x)];
            if (!rows) continue;
            readSizes();
            if (x >= sizeX) break;
            // Only the cells where the reader's first test can pass, from the top down.
            CScanColumns::forEachRowDown(rows, sizeY, [&](int y) {
                CheckInterruption();
                if (z + 1 != shownLayer || sizeZ != shownLayers) showLayer(z);

                if (reader.readCell(scan, x, y, z, program, area)) {
                    foundWork = 1;
                    top.origin = CCell(x, y, z, 0);
                }
            });
        }
    }

    if (!foundWork && program.windows.isEmpty()) {
        phase = PHASE_RUN_OVER;  // nothing to run; no unit is built
        Hold hold(link->mutex);
        link->nothingToRun = true;
        return;
    }
    phase = PHASE_MATCH;
    BuildAndHandOver(program, top, area);
}

// Builds the units and hands them to Match: `contexts` holds the last sub-program instance at
// the head and the top-level unit at the back; `instances` is rebuilt by BuildUnits.
void CInterpreter::BuildAndHandOver(CUnitProgram& program, CMatchContext& top, CSpace& area)
{
    CMatchContextList subContexts;
    try {
        program.BuildUnits(devices, subContexts, instances, [this] { CheckInterruption(); });
    } catch (const CTooManyRuleGroups&) {
        // The drawing asks for more groups than can be held: the run ends here and says why.
        contexts.clear();
        phase = PHASE_RUN_OVER;
        Hold hold(link->mutex);
        link->status = STATUS_TOO_MANY_GROUPS;
        return;
    }
    if (program.ownKey.isEmpty()) program.ownKey.setDefault();

    contexts.clear();
    // The top-level unit goes in without its cells, which are then moved into it in place: a
    // work area may hold millions of cells, and copying them twice would delay a stop request.
    // The program too is moved, not copied: sequences may have made it hundreds of thousands
    // of groups.
    const CSpaceList sendIcons = program.sendIcons;
    contexts.push(top);  // origin and devices were set during the scan
    contexts.forEachContext([&](CMatchContext& only) { only.init(std::move(program), std::move(area)); });
    // Every instance may start the sub-programs declared at the top level.
    CMatchContext unit;
    while (subContexts.popBack(unit)) {
        unit.program.sendIcons = sendIcons;
        contexts.push(std::move(unit));
    }
}
