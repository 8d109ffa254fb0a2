// CUnitProgram: the program of one runnable unit: its rule groups and what its declarations say.
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>

#include "interpreter/key.h"
#include "interpreter/patternspace.h"
#include "interpreter/placedspace.h"
#include "interpreter/spacepairlist.h"
#include "interpreter/window.h"
#include "space/linklist.h"
#include "space/object.h"
#include "space/spacelist.h"

class CInputDevices;
class CInstanceList;
class CMatchContextList;

// Thrown when sequences would expand the rule groups past CUnitProgram::MAX_RULE_GROUPS.
class CTooManyRuleGroups : public std::runtime_error {
public:
    CTooManyRuleGroups() : std::runtime_error("the sequences make too many rule groups") {}
};

class CUnitProgram : public CObject {
public:
    // Sequences multiply the groups that use their variables, so a small drawing can ask for
    // more groups than memory holds. Building stops there instead of exhausting the machine.
    static constexpr std::size_t MAX_RULE_GROUPS = std::size_t(1) << 18;

    CUnitProgram();
    CUnitProgram(const CUnitProgram& other) = default;
    CUnitProgram& operator=(const CUnitProgram& other) = default;
    CUnitProgram(CUnitProgram&& other) noexcept = default;
    CUnitProgram& operator=(CUnitProgram&& other) noexcept = default;
    ~CUnitProgram() override = default;

    // Turns the found blocks into the runnable program: built-in groups, declarations, sequence
    // expansion, transparency; sub-program declarations become contexts and instance records.
    // `check` runs between pieces of work (sequences can multiply the groups without bound)
    // and may throw to abandon the build.
    void BuildUnits(const CInputDevices& devices, CMatchContextList& subContexts, CInstanceList& instances,
                    const std::function<void()>& check = {});
    // The same for a sub-program's program: its own sub-program declarations have no effect.
    void BuildNested(const CInputDevices& devices, const std::function<void()>& check = {});

    CLinkList<CSpacePairList> ruleGroups;  // one list per group; mark 1 random, 2 mouse, >2 own
    CLinkList<CSpaceList> sequences;       // each: the variable frame, then its values
    CLinkList<CWindow> windows;            // declarations as found
    int transparentSet = 0;
    int transparentColour = 0;
    CSpaceList variableIcons;
    CSpaceList sendIcons;  // the name frame of every sub-program declaration
    CKey ownKey;
    CKey replyKey;
    int pendingReceives = 0;
    int receiveSet = 0;
    CPlacedSpace receiveIcon;  // the receive declaration's argument frame, placed in the document
    CSpaceList receivedData;
    CLinkList<int> receivedIds;  // parallel to receivedData
};
