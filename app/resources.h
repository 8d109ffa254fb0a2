// The editor's resources: document strings, menu bar, accelerators, toolbar layout, status
// prompts with tooltips, and the About box texts. Plain data, turned into widgets by CMainFrame.
#pragma once

#include <vector>

// Document template strings.
constexpr const char* RES_APP_TITLE = "3D-Tessera";
constexpr const char* RES_UNTITLED = "Untitled";
constexpr const char* RES_DOC_TYPE = "Tesse";
constexpr const char* RES_FILE_FILTER = "Tessera Files (*.ts3)";
constexpr const char* RES_DEFAULT_EXT = ".TS3";
constexpr const char* RES_FILE_TYPE_ID = "Tessera.Document";
constexpr const char* RES_FILE_TYPE_NAME = "Tesse Document";

constexpr const char* RES_IDLE_MESSAGE = "For Help, press F1";
// The state pane's tooltip after a run that found nothing to run (the interpreter's words).
constexpr const char* RES_NOTHING_TO_RUN_TIP = "Nothing to run: no work area or sub-program found";
constexpr const char* RES_RECENT_FILE = "Recent File";
// Undo and Redo with nothing to take back; with a step, its name follows the verb. Redo's
// letter is d: r belongs to PointReset.
constexpr const char* RES_UNDO = "&Undo\tCtrl+Z";
constexpr const char* RES_REDO = "Re&do\tCtrl+Y";

constexpr const char* RES_ABOUT_TITLE = "About 3D-Tessera";
constexpr const char* RES_ABOUT_LINE1 = "3D-Tessera 1997/03/14";
constexpr const char* RES_ABOUT_LINE2 = "(Tessera ver.3.52)";

constexpr int RES_FRAME_WIDTH = 640;
constexpr int RES_FRAME_HEIGHT = 480;
// The settings key of the main window's size and place.
constexpr const char* RES_SETTINGS_GEOMETRY = "MainFrame/geometry";

// One menu item; id 0 is a separator. The text carries the mnemonic (&) and, after a tab,
// the accelerator shown beside it.
struct SMenuItem {
    int id;
    const char* text;
};

struct SMenu {
    const char* title;
    std::vector<SMenuItem> items;
    bool rightAligned;
};

const std::vector<SMenu>& MenuBarResource();

// One accelerator: keys in the portable key-sequence text ("Ctrl+N", "Shift+Del").
struct SAccelerator {
    const char* keys;
    int id;
};

const std::vector<SAccelerator>& AcceleratorResource();

// Keys of the view, added beside the accelerators and shown in the menus next to their items.
// A key with bigStep runs its move once with the big step and leaves the chosen step as it was.
struct SDirectKey {
    const char* keys;
    int id;
    bool bigStep;
};

const std::vector<SDirectKey>& DirectKeyResource();

// The toolbar from left to right; 0 is a gap.
const std::vector<int>& ToolbarResource();
// The second toolbar, on a row of its own: watching a run.
const std::vector<int>& RunToolbarResource();

// The status-bar prompt of a command, with its tooltip after a line break; null if none.
const char* PromptResource(int id);

// The cell code a Color command paints with, or 0 for another identifier.
int ColorCodeOfCommand(int id);
// The Color menu's name of a cell code without its mnemonic ("Green"), or "" for no colour.
const char* ColorNameOfCode(int code);
