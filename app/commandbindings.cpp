// The command table: which document, view, frame or application method each identifier runs,
// and the update handlers that give menu items and buttons their check marks and enabled state.
#include <QAction>
#include <QApplication>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

#include "app/commandids.h"
#include "app/gallerydialog.h"
#include "app/insertblockcommand.h"
#include "app/mainframe.h"
#include "app/resources.h"
#include "app/tesseraapp.h"
#include "document/tesseradoc.h"
#include "view/joystickcontroller.h"
#include "view/tesseraview.h"

void CMainFrame::BindCommands()
{
    CTesseraView* view = m_pView;
    CTesseraDoc* doc = m_pDoc.get();
    auto on = [this](int id, std::function<void()> run, std::function<void(QAction*)> update = nullptr) {
        m_commands[id] = {std::move(run), std::move(update)};
    };
    auto checked = [this](int id, std::function<void()> run, std::function<bool()> state) {
        m_actions[id]->setCheckable(true);
        m_commands[id] = {std::move(run), [state](QAction* a) {
                              a->setEnabled(true);
                              a->setChecked(state());
                          }};
    };
    auto enabled = [](std::function<bool()> state) { return [state](QAction* a) { a->setEnabled(state()); }; };

    // File
    on(ID_FILE_NEW, [this] { OnFileNew(); });
    on(ID_FILE_OPEN, [this] { OnFileOpen(); });
    on(ID_FILE_SAVE, [this] { OnFileSave(); });
    on(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    on(ID_FILE_EXPORT_IMAGE, [this] { OnFileExportImage(); });
    on(ID_FILE_EXPORT_ANIMATION, [this] { OnFileExportAnimation(); });
    on(ID_FILE_EXPORT_GLTF, [this] { OnFileExportGltf(); });
    on(ID_FILE_SIZEUP, [view] { view->OnSizeUp(); });
    on(ID_FILE_SIZEDOWN, [view] { view->OnSizeDown(); });
    on(ID_FILE_SPACESIZE, [this] { OnSpaceSize(); });
    for (int i = 0; i < ID_FILE_MRU_COUNT; i++)
        on(ID_FILE_MRU_FILE1 + i, [this, i] { OpenRecentFile(i); },
           [this, i](QAction* a) { a->setEnabled(i < m_recent.Files().size()); });
    on(ID_APP_EXIT, [this] { close(); });

    // Run: Start is checked while a run is busy, Stop while none is; Back once Start was used.
    checked(ID_RUN_START, [view] { view->OnRunStart(); }, [doc] { return doc->IsBusy(); });
    checked(ID_RUN_STOP, [view] { view->OnRunStop(); }, [doc] { return !doc->IsBusy(); });
    on(ID_RUN_BACK, [view] { view->OnRunBack(); }, enabled([view] { return view->IsBackAvailable(); }));
    checked(ID_RUN_PAUSE, [view] { view->OnRunPause(); }, [doc] { return doc->Session().RunControl().isPaused(); });
    on(ID_RUN_STEP, [view] { view->OnRunStep(); });
    on(ID_RUN_GO, [view] { view->OnRunGo(); });
    for (int i = 0; i < ID_RUN_SPEED_COUNT; i++)
        checked(ID_RUN_SPEED_FIRST + i, [view, i] { view->OnRunSpeed(i); },
                [doc, i] { return doc->Session().RunControl().speed() == i; });

    // Edit: Undo and Redo name the step they would take back or make again ("&Undo Paste").
    auto named = [](const char* resource, std::function<std::string()> name) {
        return [resource, name](QAction* a) {
            const std::string step = name();
            QString text = resource;
            if (!step.empty()) text.insert(text.indexOf('\t'), ' ' + QString::fromStdString(step));
            a->setText(text);
            a->setEnabled(!step.empty());
        };
    };
    on(ID_EDIT_UNDO, [view] { view->OnEditUndo(); }, named(RES_UNDO, [view] { return view->GetEditor().UndoName(); }));
    on(ID_EDIT_REDO, [view] { view->OnEditRedo(); }, named(RES_REDO, [view] { return view->GetEditor().RedoName(); }));
    on(ID_EDIT_POINTSET, [view] { view->OnPointSet(); });
    on(ID_EDIT_POINTRESET, [view] { view->OnPointReset(); });
    on(ID_EDIT_AREABEGIN, [view] { view->OnAreaBegin(); }, enabled([view] { return !view->IsArea(); }));
    on(ID_EDIT_AREACANCEL, [view] { view->OnAreaCancel(); }, enabled([view] { return view->IsArea(); }));
    on(ID_EDIT_AREAMOVE, [view] { view->OnAreaMove(); },
       enabled([view] { return view->IsArea() && !view->IsAreaMove(); }));
    on(ID_EDIT_COPY, [view] { view->OnEditCopy(); });
    on(ID_EDIT_CUT, [view] { view->OnEditCut(); });
    on(ID_EDIT_PASTE, [view] { view->OnEditPaste(); });
    on(ID_EDIT_TAKECOLOR, [view] { view->GetEditor().TakeColour(); });

    // Insert: declarations only in a solid space.
    for (int i = 0; i < ID_INSERT_COUNT; i++) {
        const auto kind = EInsertBlock(i);
        on(ID_INSERT_FIRST + i, [this, kind] { m_pInsert->Run(this, kind); },
           enabled([doc, kind] { return CInsertBlockCommand::IsAvailable(kind, doc->GetSizeY()); }));
    }

    // MoveCursor
    on(ID_MOVECURSOR_UP, [view] { view->OnMoveUp(); });
    on(ID_MOVECURSOR_DOWN, [view] { view->OnMoveDown(); });
    on(ID_MOVECURSOR_LEFT, [view] { view->OnMoveLeft(); });
    on(ID_MOVECURSOR_RIGHT, [view] { view->OnMoveRight(); });
    on(ID_MOVECURSOR_FRONT, [view] { view->OnMoveFront(); });
    on(ID_MOVECURSOR_REAR, [view] { view->OnMoveRear(); });
    checked(ID_MOVECURSOR_STEP1, [view] { view->OnStep1(); }, [view] { return view->GetStep() == 1; });
    checked(ID_MOVECURSOR_STEPBIG, [view] { view->OnStepBig(); }, [view] { return view->GetStep() == CSpaceEditor::STEP_BIG; });

    // Color: the current colour's item carries the check mark.
    for (int id = ID_COLOR_WHITE; id <= ID_COLOR_BLACK; id++) {
        const int code = ColorCodeOfCommand(id);
        checked(id, [view, code] { view->OnColor(code); }, [view, code] { return view->GetColor() == code; });
    }

    // MoveEye
    on(ID_MOVEEYE_UP, [view] { view->OnEyeUp(); });
    on(ID_MOVEEYE_DOWN, [view] { view->OnEyeDown(); });
    on(ID_MOVEEYE_LEFT, [view] { view->OnEyeLeft(); });
    on(ID_MOVEEYE_RIGHT, [view] { view->OnEyeRight(); });
    on(ID_MOVEEYE_ZOOMIN, [view] { view->OnZoomIn(); });
    on(ID_MOVEEYE_ZOOMOUT, [view] { view->OnZoomOut(); });
    on(ID_MOVEEYE_RESET, [view] { view->OnResetView(); });

    // View and Tool
    checked(ID_VIEW_CURSOR, [view] { view->OnViewCursor(); }, [view] { return view->IsCursorShown(); });
    checked(ID_VIEW_TOOLBAR,
            [this] {
                const bool show = !m_pToolBar->isVisibleTo(this);
                m_pToolBar->setVisible(show);
                m_pRunToolBar->setVisible(show);
            },
            [this] { return m_pToolBar && m_pToolBar->isVisibleTo(this); });
    checked(ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(!statusBar()->isVisibleTo(this)); },
            [this] { return statusBar()->isVisibleTo(this); });
    checked(ID_VIEW_CHANGES, [view] { view->OnViewChanges(); }, [view] { return view->IsChanges(); });
    checked(ID_VIEW_APPLIED_RULES, [view] { view->OnViewAppliedRules(); }, [view] { return view->IsAppliedRules(); });
    checked(ID_VIEW_PROGRAM_BLOCKS, [view] { view->OnViewProgramBlocks(); },
            [view] { return view->IsProgramBlocks(); });
    checked(ID_VIEW_CELL_EDGES, [view] { view->OnViewCellEdges(); }, [view] { return view->IsCellEdges(); });
    on(ID_VIEW_FIT_SPACE, [view] { view->OnFitSpace(); });
    checked(ID_TOOL_SIDEWINDER, [view] { view->Joystick().OnJoystick(); }, [view] { return view->Joystick().IsJoystick(); });

    // Help
    on(ID_HELP_INDEX, [this] { ShowHelp(); });
    on(ID_HELP_USING, [this] { ShowHelp(); });
    on(ID_HELP_GALLERY, [this] { ShowGallery(this); });
    on(ID_HELP, [this] { ShowHelp(); });
    on(ID_CONTEXT_HELP, [] { QWhatsThis::enterWhatsThisMode(); });
    on(ID_APP_ABOUT, [this] { CTesseraApp::OnAppAbout(this); });
    // One pane only: both pane keys bring the focus back to the view.
    on(ID_NEXT_PANE, [view] { view->setFocus(); });
    on(ID_PREV_PANE, [view] { view->setFocus(); });
}
