// CUnitProgram: the program of one runnable unit: its rule groups and what its declarations say.
#pragma once

#include <functional>

#include "interpreter/key.h"
#include "space/linklist.h"
#include "space/object.h"
#include "space/patternspace.h"
#include "space/placedspace.h"
#include "space/spacelist.h"
#include "space/spacepairlist.h"
#include "space/window.h"

class CInputDevices;
class CInstanceList;
class CMatchContextList;

class CUnitProgram : public CObject {
public:
    CUnitProgram();
    CUnitProgram(const CUnitProgram& other) = default;
    CUnitProgram& operator=(const CUnitProgram& other);
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

    // The keyword icons that head declaration windows.
    CPatternSpace paletteIcon;
    CPatternSpace twoBlockIcon;
    CPatternSpace threeBlockIcon;
    CPatternSpace arrowCrossIcon;
    CPatternSpace downArrowIcon;
    CPatternSpace upArrowIcon;
};
