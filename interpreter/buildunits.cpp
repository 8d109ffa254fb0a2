// Unit building: turns the blocks found by a scan into a runnable program, in a fixed order:
// device groups, palette, declarations, sequence expansion, transparency, sub-programs.
// Each declaration pass works on its own copy of every window, so each sees the whole chain;
// frames come out of a copy with popBack, left to right.
#include <utility>

#include "interpreter/framescan.h"
#include "interpreter/instancerecord.h"
#include "interpreter/keywordicons.h"
#include "interpreter/matchcontext.h"
#include "interpreter/matchcontextlist.h"
#include "interpreter/rulegroup.h"
#include "interpreter/unitprogram.h"
#include "run/inputdevices.h"

namespace {
using GroupList = CLinkList<CSpacePairList>;

// The next frame of a window copy; a missing frame reads as one empty cell.
CPlacedSpace nextFrame(CWindow& window)
{
    CPlacedSpace frame(1, 1, 1, 0);
    window.popBack(frame);
    return frame;
}

// Whether a window's first frame (its tail) is the keyword, asked without copying the window: a
// copy is made only for the windows a pass reads.
bool headedBy(const CWindow& window, const CSpace& keyword)
{
    const CPlacedSpace* first = nullptr;
    window.forEach([&](const CPlacedSpace& frame) { first = &frame; });
    return first ? first->isEqual(keyword) != 0 : CPlacedSpace(1, 1, 1, 0).isEqual(keyword) != 0;
}

// A group of one rule whose both sides are the icon.
CSpacePairList deviceGroup(const CSpace& icon, int mark)
{
    CSpacePairList group;
    group.push(CSpacePair(icon, icon));
    group.mark = mark;
    return group;
}

// A key declaration: the key's picture, then a frame whose non-empty cells count its number.
CKey readKey(CWindow& window)
{
    const CPlacedSpace icon = nextFrame(window);
    const CPlacedSpace count = nextFrame(window);
    return CKey(icon, count.countNonEmpty());
}

// Moves every frame of every window by (dx, dy, dz): from frame to document coordinates.
void moveWindows(CLinkList<CWindow>& windows, int dx, int dy, int dz)
{
    CLinkList<CWindow> moved;
    CWindow window;
    while (windows.popBack(window)) {
        CWindow shifted;
        shifted.anchor = window.anchor;
        CPlacedSpace frame;
        while (window.popBack(frame)) {
            frame.setOrigin(frame.x + dx, frame.y + dy, frame.z + dz);
            shifted.push(frame);
        }
        moved.push(shifted);
    }
    windows = moved;
}

// Replaces every group that uses a sequence's variable by copies with the values put in.
void expandSequences(CUnitProgram& program, const std::function<void()>& check)
{
    auto transparent = [&](CPatternSpace frame) {
        if (program.transparentSet) frame.replaceColour(program.transparentColour);
        return frame;
    };
    auto finish = [&](CSpacePairList copy) {
        if (program.transparentSet) makeTransparent(copy, program.transparentColour);
        return copy;
    };
    CSpaceList sequence;
    CSpacePairList group;
    while (program.sequences.popBack(sequence)) {
        GroupList expanded;
        // Groups so far: those expanded plus those still waiting.
        std::size_t pushed = 0, waiting = std::size_t(program.ruleGroups.count());
        auto keep = [&](const CSpacePairList& g) {
            if (pushed + waiting >= CUnitProgram::MAX_RULE_GROUPS) throw CTooManyRuleGroups();
            expanded.push(g);
            pushed++;
        };
        program.ruleGroups.reverse();  // oldest first
        while (program.ruleGroups.pop(group)) {
            waiting--;
            if (check) check();
            CSpaceList values(sequence);
            CSpace variable;
            if (!values.popBack(variable)) {  // no variable frame: nothing to substitute
                keep(group);
                continue;
            }
            const CPatternSpace p = transparent(variable);
            if (!usesPattern(group, p)) {
                keep(group);
                continue;
            }
            if (isSingleDouble(group, p) && values.count() == 2) {
                CSpace first, second;
                values.popBack(first);
                values.popBack(second);
                const CPatternSpace q1 = transparent(first), q2 = transparent(second);
                const std::pair<const CSpace*, const CSpace*> orders[] = {
                    {&q1, &q1}, {&q2, &q2}, {&q1, &q2}, {&q2, &q1}};
                for (const auto& [a, b] : orders) {
                    CSpacePairList copy(group);
                    substitutePair(copy, p, *a, *b);
                    keep(finish(copy));
                }
                continue;
            }
            CSpace value;
            while (values.popBack(value)) {
                if (check) check();
                CSpacePairList copy(group);
                substituteAll(copy, p, transparent(value));
                keep(finish(copy));
            }
        }
        program.ruleGroups = std::move(expanded);
    }
}

// The unit of one instance frame: the sub-program's rules with the frame's own keys and
// reception, working on the frame's work area at its place in the document.
CMatchContext instanceUnit(const CPlacedSpace& frame, const CUnitProgram& shared, const CInputDevices& devices,
                           const std::function<void()>& check)
{
    CUnitProgram own;
    CSpace area;
    CCell areaCell;
    CMatchContext context;
    if (scanFrame(frame, own, area, areaCell, CCell(frame.x, frame.y, frame.z, 0)))
        context.origin = CCell(frame.x + areaCell.x, frame.y + areaCell.y, frame.z + areaCell.z, 0);
    moveWindows(own.windows, frame.x, frame.y, frame.z);
    own.BuildNested(devices, check);

    CUnitProgram unit(shared);
    unit.ownKey = own.ownKey;
    unit.replyKey = own.replyKey;
    unit.pendingReceives = own.pendingReceives;
    unit.receiveSet = own.receiveSet;
    unit.receiveIcon = own.receiveIcon;

    context.devices = devices;  // like the top-level unit, it sees this step's clicks
    context.init(std::move(unit), std::move(area));
    return context;
}
}  // namespace

void CUnitProgram::BuildUnits(const CInputDevices& devices, CMatchContextList& subContexts,
                              CInstanceList& instances, const std::function<void()>& check)
{
    // 1. The device groups go to the back, so they are evaluated first; the program's own
    //    groups follow in the order found, with marks raised past the device marks.
    GroupList groups;
    groups.push(deviceGroup(devices.getRandomIcon(), CSpacePairList::MARK_RANDOM_ICON));
    groups.push(deviceGroup(devices.getMouseIcon(), CSpacePairList::MARK_MOUSE_ICON));
    CSpacePairList group;
    ruleGroups.reverse();  // oldest first
    while (ruleGroups.pop(group)) {
        group.mark += CSpacePairList::MARK_RAISE;
        groups.push(std::move(group));
    }
    ruleGroups = std::move(groups);

    // 2. Palette: the transparent colour; a later window in list order overrides an earlier one.
    windows.forEach([&](const CWindow& found) {
        if (!headedBy(found, makePaletteIcon())) return;
        CWindow window(found);
        nextFrame(window);
        transparentSet = 1;
        transparentColour = nextFrame(window).get(0, 0, 0);
    });

    // 3. Variables, reception and the two keys.
    windows.forEach([&](const CWindow& found) {
        if (!headedBy(found, makeTwoBlockIcon()) && !headedBy(found, makeArrowCrossIcon()) && !headedBy(found, makeDownArrowIcon()) &&
            !headedBy(found, makeUpArrowIcon()))
            return;
        CWindow window(found);
        const CPlacedSpace keyword = nextFrame(window);
        if (keyword.isEqual(makeTwoBlockIcon())) {
            CPlacedSpace frame;
            while (window.popBack(frame)) {
                CPatternSpace icon(frame);
                if (transparentSet) icon.replaceColour(transparentColour);
                variableIcons.push(icon);
            }
        } else if (keyword.isEqual(makeArrowCrossIcon())) {
            CPlacedSpace frame;
            if (window.popBack(frame)) {
                pendingReceives = frame.countNonEmpty();
                receiveSet = 1;
                receiveIcon = frame;
            } else {
                pendingReceives = 0;
            }
        } else if (keyword.isEqual(makeDownArrowIcon())) {
            ownKey = readKey(window);
        } else if (keyword.isEqual(makeUpArrowIcon())) {
            replyKey = readKey(window);
        }
    });

    // 4. Sequences, oldest first: every group that uses the variable is replaced by one copy
    //    per value (four copies for a single rule holding the variable exactly twice on its left).
    expandSequences(*this, check);

    // 5. The transparent colour becomes "any" in every rule side.
    if (transparentSet)
        ruleGroups.forEach([&](CSpacePairList& g) {
            if (check) check();
            makeTransparent(g, transparentColour);
        });

    // 6. Sub-programs: one context per instance frame, one record per declaration.
    subContexts.clear();
    instances.clear();
    windows.forEach([&](const CWindow& found) {
        if (!headedBy(found, makeThreeBlockIcon())) return;
        CWindow window(found);
        nextFrame(window);
        const CPlacedSpace name = nextFrame(window);
        sendIcons.push(name);

        CUnitProgram shared;
        CSpace sharedArea;
        CCell unusedCell;
        const CPlacedSpace rules = nextFrame(window);
        scanFrame(rules, shared, sharedArea, unusedCell, CCell(rules.x, rules.y, rules.z, 0));
        shared.BuildNested(devices, check);

        CInstanceRecord record;
        record.icon = name;
        record.area = sharedArea;
        record.count = 1;
        record.anchor = window.anchor;

        CPlacedSpace frame;
        while (window.popBack(frame)) {
            record.count++;
            if (check) check();
            subContexts.push(instanceUnit(frame, shared, devices, check));
        }
        instances.push(record);
    });
}

void CUnitProgram::BuildNested(const CInputDevices& devices, const std::function<void()>& check)
{
    // Sub-program declarations inside a sub-program build nothing that survives.
    CMatchContextList ignoredContexts;
    CInstanceList ignoredInstances;
    BuildUnits(devices, ignoredContexts, ignoredInstances, check);
}
