// The resource tables; texts are the program's own and are used exactly as written here.
#include "app/resources.h"

#include <map>

#include "app/commandids.h"
#include "space/cellcodes.h"

const std::vector<SMenu>& MenuBarResource()
{
    static const std::vector<SMenu> menus = {
        {"&File",
         {{ID_FILE_NEW, "&New\tCtrl+N"},
          {ID_FILE_OPEN, "&Open...\tCtrl+O"},
          {ID_FILE_SAVE, "&Save\tCtrl+S"},
          {ID_FILE_SAVE_AS, "Save &As..."},
          {ID_FILE_EXPORT_IMAGE, "Export &Image..."},
          {ID_FILE_EXPORT_ANIMATION, "Export Ani&mation..."},
          {ID_FILE_EXPORT_GLTF, "Export &glTF..."},
          {0, nullptr},
          {ID_FILE_SIZEUP, "Size&Up"},
          {ID_FILE_SIZEDOWN, "Size&Down"},
          {ID_FILE_SPACESIZE, "Space Si&ze..."},
          {0, nullptr},
          {ID_FILE_MRU_FILE1, RES_RECENT_FILE},
          {0, nullptr},
          {ID_APP_EXIT, "E&xit"}},
         false},
        {"&Run",
         {{ID_RUN_START, "&Start"},
          {ID_RUN_STOP, "S&top"},
          {0, nullptr},
          {ID_RUN_BACK, "&Back"},
          {0, nullptr},
          {ID_RUN_PAUSE, "&Pause/Resume\tF8"},
          {ID_RUN_STEP, "St&ep\tF7"},
          {0, nullptr},
          {ID_RUN_SPEED_FIRST, "Speed: &As fast as possible"},
          {ID_RUN_SPEED_FIRST + 1, "Speed: &Fast (10 steps a second)"},
          {ID_RUN_SPEED_FIRST + 2, "Speed: S&low (3 steps a second)"},
          {ID_RUN_SPEED_FIRST + 3, "Speed: &One step a second"}},
         false},
        {"&Edit",
         {{ID_EDIT_POINTSET, "Point&Set"},
          {ID_EDIT_POINTRESET, "Point&Reset"},
          {0, nullptr},
          {ID_EDIT_AREABEGIN, "Area&Begin"},
          {ID_EDIT_AREACANCEL, "AreaCance&l"},
          {ID_EDIT_AREAMOVE, "Area&Move"},
          {0, nullptr},
          {ID_EDIT_UNDO, RES_UNDO},
          {ID_EDIT_REDO, RES_REDO},
          {0, nullptr},
          {ID_EDIT_CUT, "Cu&t\tCtrl+X"},
          {ID_EDIT_COPY, "&Copy\tCtrl+C"},
          {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
          {0, nullptr},
          {ID_EDIT_TAKECOLOR, "Ta&ke Color"}},
         false},
        // Blocks placed whole; the declarations are windows, which only a solid space holds.
        {"&Insert",
         {{ID_INSERT_FIRST, "&Work Area..."},
          {ID_INSERT_FIRST + 1, "&Rule..."},
          {ID_INSERT_FIRST + 2, "Rule &Group..."},
          {ID_INSERT_FIRST + 3, "&Sequence..."},
          {0, nullptr},
          {ID_INSERT_FIRST + 4, "&Transparent Color"},
          {ID_INSERT_FIRST + 5, "&Variables..."},
          {ID_INSERT_FIRST + 6, "Re&ceive..."},
          {ID_INSERT_FIRST + 7, "&Own Key..."},
          {ID_INSERT_FIRST + 8, "Repl&y Key..."},
          {ID_INSERT_FIRST + 9, "Su&b-Program..."}},
         false},
        {"&MoveCursor",
         {{ID_MOVECURSOR_UP, "&Up"},
          {ID_MOVECURSOR_DOWN, "&Down"},
          {ID_MOVECURSOR_LEFT, "&Left"},
          {ID_MOVECURSOR_RIGHT, "&Right"},
          {ID_MOVECURSOR_FRONT, "&Front"},
          {ID_MOVECURSOR_REAR, "R&ear"},
          {0, nullptr},
          {ID_MOVECURSOR_STEP1, "Step:1"},
          {ID_MOVECURSOR_STEPBIG, "Step:big"}},
         false},
        {"&Color",
         {{ID_COLOR_WHITE, "&White"},
          {ID_COLOR_RED, "&Red"},
          {ID_COLOR_GREEN, "&Green"},
          {ID_COLOR_BLUE, "&Blue"},
          {ID_COLOR_PURPLE, "&Purple"},
          {ID_COLOR_PALE, "Pa&le"},
          {ID_COLOR_YELLOW, "&Yellow"},
          {ID_COLOR_BLACK, "Blac&k"}},
         false},
        {"M&oveEye",
         {{ID_MOVEEYE_UP, "&Up"},
          {ID_MOVEEYE_DOWN, "&Down"},
          {ID_MOVEEYE_LEFT, "&Left"},
          {ID_MOVEEYE_RIGHT, "&Right"},
          {ID_MOVEEYE_ZOOMOUT, "Zoom&Out"},
          {ID_MOVEEYE_ZOOMIN, "Zoom&In"},
          {0, nullptr},
          {ID_MOVEEYE_RESET, "Re&set"}},
         false},
        {"&View",
         {{ID_VIEW_CURSOR, "&Cursor"},
          {ID_VIEW_TOOLBAR, "&Toolbar"},
          {ID_VIEW_STATUS_BAR, "&Status Bar"},
          {0, nullptr},
          {ID_VIEW_CHANGES, "C&hanges"},
          {ID_VIEW_APPLIED_RULES, "&Applied Rules"},
          {ID_VIEW_PROGRAM_BLOCKS, "&Program Blocks"},
          {0, nullptr},
          {ID_VIEW_CELL_EDGES, "Cell &Edges"},
          {ID_VIEW_FIT_SPACE, "&Fit Space"},
          {ID_VIEW_TOP, "T&op\tCtrl+1"},
          {ID_VIEW_FRONT, "F&ront\tCtrl+2"},
          {ID_VIEW_SIDE, "S&ide\tCtrl+3"}},
         false},
        {"&Tool", {{ID_TOOL_SIDEWINDER, "SideWinder 3D Pro"}}, false},
        {"&Help",
         {{ID_HELP_INDEX, "&Index\tF1"}, {ID_HELP_USING, "&Using Help"}, {ID_HELP_GALLERY, "&Gallery..."}, {0, nullptr},
          {ID_APP_ABOUT, "&About 3D-Tessera..."}},
         true},
    };
    return menus;
}

const std::vector<SAccelerator>& AcceleratorResource()
{
    static const std::vector<SAccelerator> accelerators = {
        {"Ctrl+N", ID_FILE_NEW},         {"Ctrl+O", ID_FILE_OPEN},          {"Ctrl+S", ID_FILE_SAVE},
        {"Ctrl+Z", ID_EDIT_UNDO},        {"Alt+Backspace", ID_EDIT_UNDO},   {"Ctrl+Y", ID_EDIT_REDO},
        {"Ctrl+Shift+Z", ID_EDIT_REDO},  {"Ctrl+X", ID_EDIT_CUT},
        {"Shift+Del", ID_EDIT_CUT},      {"Ctrl+C", ID_EDIT_COPY},          {"Ctrl+Ins", ID_EDIT_COPY},
        {"Ctrl+V", ID_EDIT_PASTE},       {"Shift+Ins", ID_EDIT_PASTE},      {"F6", ID_NEXT_PANE},
        {"Shift+F6", ID_PREV_PANE},      {"Shift+F1", ID_CONTEXT_HELP},     {"F1", ID_HELP},
        {"F5", ID_RUN_GO},               {"F7", ID_RUN_STEP},               {"F8", ID_RUN_PAUSE},
        {"Ctrl+1", ID_VIEW_TOP},         {"Ctrl+2", ID_VIEW_FRONT},         {"Ctrl+3", ID_VIEW_SIDE},
        {"Ctrl+Q", ID_APP_EXIT},  // Linux's Quit key, as Alt+F4 is the window manager's
    };
    return accelerators;
}

const std::vector<SDirectKey>& DirectKeyResource()
{
    // The arrows move in the screen's directions: up the screen is away from the eye (Rear).
    static const std::vector<SDirectKey> keys = {
        {"Left", ID_MOVECURSOR_LEFT, false},        {"Right", ID_MOVECURSOR_RIGHT, false},
        {"Down", ID_MOVECURSOR_FRONT, false},       {"Up", ID_MOVECURSOR_REAR, false},
        {"PgUp", ID_MOVECURSOR_UP, false},          {"PgDown", ID_MOVECURSOR_DOWN, false},
        {"Shift+Left", ID_MOVECURSOR_LEFT, true},   {"Shift+Right", ID_MOVECURSOR_RIGHT, true},
        {"Shift+Down", ID_MOVECURSOR_FRONT, true},  {"Shift+Up", ID_MOVECURSOR_REAR, true},
        {"Shift+PgUp", ID_MOVECURSOR_UP, true},     {"Shift+PgDown", ID_MOVECURSOR_DOWN, true},
        {"9", ID_MOVECURSOR_STEP1, false},          {"0", ID_MOVECURSOR_STEPBIG, false},
        {"Space", ID_EDIT_POINTSET, false},         {"Del", ID_EDIT_POINTRESET, false},
        {"1", ID_COLOR_WHITE, false},               {"2", ID_COLOR_RED, false},
        {"3", ID_COLOR_GREEN, false},               {"4", ID_COLOR_BLUE, false},
        {"5", ID_COLOR_PURPLE, false},              {"6", ID_COLOR_PALE, false},
        {"7", ID_COLOR_YELLOW, false},              {"8", ID_COLOR_BLACK, false},
        {"I", ID_EDIT_TAKECOLOR, false},            {"W", ID_INSERT_FIRST, false},
        {"R", ID_INSERT_FIRST + 1, false},          {"G", ID_INSERT_FIRST + 2, false},
        {"Q", ID_INSERT_FIRST + 3, false},
    };
    return keys;
}

const std::vector<int>& ToolbarResource()
{
    static const std::vector<int> toolbar = {
        ID_FILE_OPEN, 0,
        ID_RUN_START, ID_RUN_STOP, 0,
        ID_EDIT_POINTSET, ID_EDIT_POINTRESET, 0,
        ID_MOVECURSOR_UP, ID_MOVECURSOR_DOWN, ID_MOVECURSOR_LEFT, ID_MOVECURSOR_RIGHT, ID_MOVECURSOR_FRONT,
        ID_MOVECURSOR_REAR, 0,
        ID_COLOR_WHITE, ID_COLOR_RED, ID_COLOR_GREEN, ID_COLOR_BLUE, ID_COLOR_PURPLE, ID_COLOR_PALE,
        ID_COLOR_YELLOW, ID_COLOR_BLACK, 0,
        ID_MOVEEYE_UP, ID_MOVEEYE_DOWN, ID_MOVEEYE_LEFT, ID_MOVEEYE_RIGHT, ID_MOVEEYE_ZOOMOUT, ID_MOVEEYE_ZOOMIN,
    };
    return toolbar;
}

const std::vector<int>& RunToolbarResource()
{
    static const std::vector<int> toolbar = {ID_RUN_PAUSE, ID_RUN_STEP};
    return toolbar;
}

const char* PromptResource(int id)
{
    static const std::map<int, const char*> prompts = {
        {ID_FILE_SIZEUP, "Size up the active space"},
        {ID_FILE_SIZEDOWN, "Size down the active space"},
        {ID_FILE_SPACESIZE, "Set the three sizes of the active space\nSpace Size"},
        {ID_RUN_START, "Start program execution\nStart"},
        {ID_RUN_STOP, "Stop program execution\nStop"},
        {ID_RUN_BACK, "Back to the state before Start"},
        {ID_RUN_PAUSE, "Pause the run after the step on screen, or resume it\nPause"},
        {ID_RUN_STEP, "Run one step, then pause\nStep"},
        {ID_RUN_GO, "Start program execution, or resume a paused run\nStart/Resume"},
        {ID_RUN_SPEED_FIRST, "Run steps as fast as possible"},
        {ID_RUN_SPEED_FIRST + 1, "Run about 10 steps a second"},
        {ID_RUN_SPEED_FIRST + 2, "Run about 3 steps a second"},
        {ID_RUN_SPEED_FIRST + 3, "Run one step a second"},
        {ID_VIEW_CHANGES, "Outline the cells the last step wrote"},
        {ID_VIEW_APPLIED_RULES, "Outline the rule groups the last step applied"},
        {ID_VIEW_PROGRAM_BLOCKS, "Outline every program block the reader recognises"},
        {ID_EDIT_TAKECOLOR, "Make the color of the cell at the cursor the current color\nTake Color"},
        {ID_INSERT_FIRST, "Place the frame of a work area at the cursor\nWork Area"},
        {ID_INSERT_FIRST + 1, "Place the frame of a rule at the cursor\nRule"},
        {ID_INSERT_FIRST + 2, "Place the frames of a group of rules at the cursor\nRule Group"},
        {ID_INSERT_FIRST + 3, "Place the frames of a sequence at the cursor\nSequence"},
        {ID_INSERT_FIRST + 4, "Place a transparent color declaration at the cursor (solid spaces)\nTransparent Color"},
        {ID_INSERT_FIRST + 5, "Place a variables declaration at the cursor (solid spaces)\nVariables"},
        {ID_INSERT_FIRST + 6, "Place a declaration of the message to receive at the cursor (solid spaces)\nReceive"},
        {ID_INSERT_FIRST + 7, "Place an own key declaration at the cursor (solid spaces)\nOwn Key"},
        {ID_INSERT_FIRST + 8, "Place a reply key declaration at the cursor (solid spaces)\nReply Key"},
        {ID_INSERT_FIRST + 9, "Place a sub-program declaration with its instance frames at the cursor (solid spaces)\nSub-Program"},
        {ID_EDIT_POINTSET, "Set a point at the cursor\nPset"},
        {ID_EDIT_POINTRESET, "Reset a point at the cursor\nPreset"},
        {ID_EDIT_AREABEGIN, "Begin area setting"},
        {ID_EDIT_AREACANCEL, "Cancel area setting"},
        {ID_EDIT_AREAMOVE, "Move area by MoveCursor"},
        {ID_MOVECURSOR_UP, "Move the cursor up\nCursur:up"},
        {ID_MOVECURSOR_DOWN, "Move the cursor down\nCursor:down"},
        {ID_MOVECURSOR_LEFT, "Move the cursor left\nCursor:left"},
        {ID_MOVECURSOR_RIGHT, "Move the cursor right\nCursor:right"},
        {ID_MOVECURSOR_REAR, "Move the cursor to the rear\nCursor:rear"},
        {ID_MOVECURSOR_FRONT, "Move the cursor to the front\nCursor:front"},
        {ID_MOVECURSOR_STEP1, "Move the cursor by 1 dot"},
        {ID_MOVECURSOR_STEPBIG, "Move the cursor by some dots"},
        {ID_COLOR_WHITE, "Make the current color white\nWhite"},
        {ID_COLOR_RED, "Make the current color red\nRed"},
        {ID_COLOR_GREEN, "Make the current color green\nGreen"},
        {ID_COLOR_BLUE, "Make the current color blue\nBlue"},
        {ID_COLOR_PURPLE, "Make the current color purple\nPurple"},
        {ID_COLOR_PALE, "Make the current color pale\nPale"},
        {ID_COLOR_YELLOW, "Make the current color yellow\nYellow"},
        {ID_COLOR_BLACK, "Make the current color black\nBlack"},
        {ID_MOVEEYE_UP, "Move the viewpoint up\nEye:up"},
        {ID_MOVEEYE_DOWN, "Move the viewpoint down\nEye:down"},
        {ID_MOVEEYE_LEFT, "Move the viewpoint left\nEye:left"},
        {ID_MOVEEYE_RIGHT, "Move the viewpoint right\nEye:right"},
        {ID_MOVEEYE_ZOOMIN, "Move the viewpoint near the cursor\nZoomIn"},
        {ID_MOVEEYE_ZOOMOUT, "Move the viewpoint far from the cursor\nZoomOut"},
        {ID_MOVEEYE_RESET, "Reset the viewpoint"},
        {ID_VIEW_CURSOR, "Show or hide the cursor"},
        {ID_TOOL_SIDEWINDER, "Enable the Microsoft SideWinder 3D Pro joystick"},
        {ID_FILE_EXPORT_IMAGE, "Save the view as a PNG picture\nExport Image"},
        {ID_FILE_EXPORT_ANIMATION, "Run the program and save its steps as an animated GIF\nExport Animation"},
        {ID_FILE_EXPORT_GLTF, "Save the space as a glTF 2.0 mesh\nExport glTF"},
        {ID_VIEW_CELL_EDGES, "Show or hide the outline of every cell and the floor grid\nCell Edges"},
        {ID_VIEW_FIT_SPACE, "Move the viewpoint so that the whole space is in view\nFit Space"},
        {ID_VIEW_TOP, "Look straight down on the whole space\nTop"},
        {ID_VIEW_FRONT, "Look at the whole space straight from the front\nFront"},
        {ID_VIEW_SIDE, "Look at the whole space straight from the side\nSide"},
        // Framework commands, worded for spaces.
        {ID_FILE_NEW, "Create new space\nNew"},
        {ID_FILE_OPEN, "Open existing space\nOpen"},
        {ID_FILE_SAVE, "Save the active space\nSave"},
        {ID_FILE_SAVE_AS, "Save the active space with a new name\nSave As"},
        {ID_FILE_MRU_FILE1, "Open this space"},
        {ID_FILE_MRU_FILE1 + 1, "Open this space"},
        {ID_FILE_MRU_FILE1 + 2, "Open this space"},
        {ID_FILE_MRU_FILE1 + 3, "Open this space"},
        {ID_EDIT_COPY, "Memorize the selection\nCopy"},
        {ID_EDIT_CUT, "Cut the selection and memorize it\nCut"},
        {ID_EDIT_PASTE, "Insert memorized contents\nPaste"},
        {ID_APP_EXIT, "Quit the application; prompts to save space\nExit"},
        // The framework's own prompts.
        {ID_EDIT_UNDO, "Undo the last action\nUndo"},
        {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
        {ID_HELP_INDEX, "List Help topics\nHelp Topics"},
        {ID_HELP_USING, "Display instructions about how to use help\nHelp"},
        {ID_HELP_GALLERY, "Open a copy of a program from the gallery\nGallery"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_CONTEXT_HELP, "Display help for clicked buttons, menus and windows\nHelp"},
        {ID_HELP, "Display help for current task or command\nHelp"},
        {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
        {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    };
    auto it = prompts.find(id);
    return it == prompts.end() ? nullptr : it->second;
}

int ColorCodeOfCommand(int id)
{
    switch (id) {
    case ID_COLOR_WHITE: return CELL_WHITE;
    case ID_COLOR_RED: return CELL_RED;
    case ID_COLOR_GREEN: return CELL_GREEN;
    case ID_COLOR_BLUE: return CELL_BLUE;
    case ID_COLOR_PURPLE: return CELL_PURPLE;
    case ID_COLOR_PALE: return CELL_PALE;
    case ID_COLOR_YELLOW: return CELL_YELLOW;
    case ID_COLOR_BLACK: return CELL_BLACK;
    default: return 0;
    }
}

const char* ColorNameOfCode(int code)
{
    switch (code) {
    case CELL_WHITE: return "White";
    case CELL_RED: return "Red";
    case CELL_GREEN: return "Green";
    case CELL_BLUE: return "Blue";
    case CELL_PURPLE: return "Purple";
    case CELL_PALE: return "Pale";
    case CELL_YELLOW: return "Yellow";
    case CELL_BLACK: return "Black";
    default: return "";
    }
}
