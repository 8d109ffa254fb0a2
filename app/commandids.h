// Command identifiers of the menus, accelerators and toolbar. The values are those the program
// has always used, so that resources, prompts and handlers meet on the same numbers.
#pragma once

// File
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_SIZEUP = 32771;
constexpr int ID_FILE_SIZEDOWN = 32772;
constexpr int ID_FILE_SPACESIZE = 32820;  // the exact-size dialog
constexpr int ID_FILE_MRU_FILE1 = 57616;  // the recent-file list: 57616 ... 57619
constexpr int ID_FILE_MRU_COUNT = 4;
constexpr int ID_APP_EXIT = 57665;

// Run
constexpr int ID_RUN_START = 32773;
constexpr int ID_RUN_STOP = 32774;
constexpr int ID_RUN_BACK = 32775;
// Watching a run: pause, single step, the keyboard's start-or-resume, and the speed settings.
constexpr int ID_RUN_PAUSE = 32850;
constexpr int ID_RUN_STEP = 32851;
constexpr int ID_RUN_GO = 32852;
constexpr int ID_RUN_SPEED_FIRST = 32853;  // one per speed setting: 32853 ... 32856
constexpr int ID_RUN_SPEED_COUNT = 4;

// Edit
constexpr int ID_EDIT_POINTSET = 32776;
constexpr int ID_EDIT_POINTRESET = 32777;
constexpr int ID_EDIT_AREABEGIN = 32778;
constexpr int ID_EDIT_AREACANCEL = 32779;
constexpr int ID_EDIT_AREAMOVE = 32780;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_PASTE = 57637;

// MoveCursor
constexpr int ID_MOVECURSOR_UP = 32781;
constexpr int ID_MOVECURSOR_DOWN = 32782;
constexpr int ID_MOVECURSOR_LEFT = 32783;
constexpr int ID_MOVECURSOR_RIGHT = 32784;
constexpr int ID_MOVECURSOR_REAR = 32785;
constexpr int ID_MOVECURSOR_FRONT = 32786;
constexpr int ID_MOVECURSOR_STEP1 = 32787;
constexpr int ID_MOVECURSOR_STEPBIG = 32788;

// Color
constexpr int ID_COLOR_WHITE = 32789;
constexpr int ID_COLOR_RED = 32790;
constexpr int ID_COLOR_GREEN = 32791;
constexpr int ID_COLOR_BLUE = 32792;
constexpr int ID_COLOR_PURPLE = 32793;
constexpr int ID_COLOR_PALE = 32794;
constexpr int ID_COLOR_YELLOW = 32795;
constexpr int ID_COLOR_BLACK = 32796;

// MoveEye
constexpr int ID_MOVEEYE_UP = 32797;
constexpr int ID_MOVEEYE_DOWN = 32798;
constexpr int ID_MOVEEYE_LEFT = 32799;
constexpr int ID_MOVEEYE_RIGHT = 32800;
constexpr int ID_MOVEEYE_ZOOMIN = 32801;
constexpr int ID_MOVEEYE_ZOOMOUT = 32802;
constexpr int ID_MOVEEYE_RESET = 32803;

// View and Tool
constexpr int ID_VIEW_CURSOR = 32804;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;
constexpr int ID_TOOL_SIDEWINDER = 32805;
constexpr int ID_VIEW_CHANGES = 32860;
constexpr int ID_VIEW_APPLIED_RULES = 32861;
constexpr int ID_VIEW_PROGRAM_BLOCKS = 32862;

// Added beside the original menus: picture export, cell edges and fitting the space in view.
constexpr int ID_FILE_EXPORT_IMAGE = 32870;
constexpr int ID_VIEW_CELL_EDGES = 32871;
constexpr int ID_VIEW_FIT_SPACE = 32872;
constexpr int ID_HELP_GALLERY = 32873;  // the gallery of programs
// Exchange with other tools: a run as an animated GIF, the space as a glTF mesh.
constexpr int ID_FILE_EXPORT_ANIMATION = 32880;
constexpr int ID_FILE_EXPORT_GLTF = 32881;
// Looking at a space: the eye straight from above, the front and the side, fitted.
constexpr int ID_VIEW_TOP = 32900;
constexpr int ID_VIEW_FRONT = 32901;
constexpr int ID_VIEW_SIDE = 32902;

// Insert: the frame of a block placed at the cursor, one per EInsertBlock in its order
// (32890 ... 32899), and taking the cursor cell's colour as the painting colour.
constexpr int ID_INSERT_FIRST = 32890;
constexpr int ID_INSERT_COUNT = 10;
constexpr int ID_EDIT_TAKECOLOR = 32889;

// Help and keyboard-only commands
constexpr int ID_HELP_INDEX = 57666;
constexpr int ID_HELP_USING = 57668;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_CONTEXT_HELP = 57669;
constexpr int ID_HELP = 57670;
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;
