// The Separate phase: reads the program's blocks out of a copy of the document space, cell by
// cell (z outermost, then x, then y from the top), with the four recognisers in fixed order.
#include <cstdio>
#include <mutex>
#include <utility>

#include "interpreter/blockreader.h"
#include "interpreter/interpreter.h"
#include "interpreter/patternspace.h"
#include "interpreter/scancolumns.h"
#include "run/runlink.h"
#include "space/cell.h"

namespace {
using Hold = std::lock_guard<std::recursive_mutex>;
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
    // The copy goes into the memory of the last one (the document's size rarely changes), so a
    // step pays for copying the cells but not for fresh pages.
    CPatternSpace& scan = scanCopy;
    {
        Hold hold(link->mutex);
        scan = link->space;
    }
    // A block as large as the space takes a while to read: the reader polls as it goes.
    CSearchPoll poll{[this] { CheckInterruption(); }};
    struct PollFor {  // the copy outlives the scan, the poll does not
        CPatternSpace& scan;
        ~PollFor() { scan.poll = nullptr; }
    } pollFor{scan};
    scan.poll = &poll;

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
        std::snprintf(text, sizeof text, STATUS_SEPARATE, shownLayer, shownLayers);
        Hold hold(link->mutex);
        link->status = text;
    };
    CScanColumns columns(scan);

    // The bounds come from the document space, read once per layer and again before every
    // column the reader looks into; a column passed over reads no cell, so the bounds it is
    // tested against need not be newer than the layer's.
    for (int z = 0; readSizes(), z < sizeZ; z++) {
        columns.enterLayer(z, poll);
        for (int x = 0; x < sizeX; x++) {
            if (!columns.mayHold(x, z)) {
                // The reader would find nothing at any cell of the column: one check stands for
                // all of them.
                if (sizeY > 0) {
                    CheckInterruption();
                    if (z + 1 != shownLayer || sizeZ != shownLayers) showLayer(z);
                }
                continue;
            }
            readSizes();
            if (x >= sizeX) break;
            for (int y = sizeY - 1; y >= 0; y--) {
                CheckInterruption();
                if (z + 1 != shownLayer || sizeZ != shownLayers) showLayer(z);

                if (reader.readCell(scan, x, y, z, program, area)) {
                    foundWork = 1;
                    top.origin = CCell(x, y, z, 0);
                }
            }
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
