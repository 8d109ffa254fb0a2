// The command table: which document, editing model, viewpoint, run watcher, view, frame or
// application method each identifier runs, and the update handlers that give menu items and buttons their check marks and enabled state.
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
#include "view/runwatcher.h"
#include "view/tesseraview.h"

void CMainFrame::BindCommands()
{
    CTesseraView* view = m_pView;
    CTesseraDoc* doc = m_pDoc.get();
    CRunWatcher* watcher = &view->RunWatcher();
    CSpaceEditor* editor = &view->GetEditor();
    CViewpoint* eye = &view->GetViewpoint();
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
    // A command of the editing model or the viewpoint, after which the view draws the result.
    auto redrawn = [view](std::function<void()> command) {
        return [view, command] {
            command();
            view->Redraw();
        };
    };

    // File
    on(ID_FILE_NEW, [this] { OnFileNew(); });
    on(ID_FILE_OPEN, [this] { OnFileOpen(); });
    on(ID_FILE_SAVE, [this] { OnFileSave(); });
    on(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    on(ID_FILE_EXPORT_IMAGE, [this] { OnFileExportImage(); });
    on(ID_FILE_EXPORT_ANIMATION, [this] { OnFileExportAnimation(); });
    on(ID_FILE_EXPORT_GLTF, [this] { OnFileExportGltf(); });
    on(ID_FILE_SIZEUP, [editor] { editor->SizeUp(); });  // the view starts afresh on the new space
    on(ID_FILE_SIZEDOWN, [editor] { editor->SizeDown(); });
    on(ID_FILE_SPACESIZE, [this] { OnSpaceSize(); });
    for (int i = 0; i < ID_FILE_MRU_COUNT; i++)
        on(ID_FILE_MRU_FILE1 + i, [this, i] { OpenRecentFile(i); },
           [this, i](QAction* a) { a->setEnabled(i < m_recent.Files().size()); });
    on(ID_APP_EXIT, [this] { close(); });

    // Run: Start is checked while a run is busy, Stop while none is; Back once Start was used.
    checked(ID_RUN_START, [watcher] { watcher->OnRunStart(); }, [doc] { return doc->IsBusy(); });
    checked(ID_RUN_STOP, [watcher] { watcher->OnRunStop(); }, [doc] { return !doc->IsBusy(); });
    on(ID_RUN_BACK, [watcher] { watcher->OnRunBack(); }, enabled([editor] { return editor->IsBackAvailable(); }));
    checked(ID_RUN_PAUSE, [watcher] { watcher->OnRunPause(); }, [doc] { return doc->Session().RunControl().isPaused(); });
    on(ID_RUN_STEP, [watcher] { watcher->OnRunStep(); });
    on(ID_RUN_GO, [watcher] { watcher->OnRunGo(); });
    for (int i = 0; i < ID_RUN_SPEED_COUNT; i++)
        checked(ID_RUN_SPEED_FIRST + i, [watcher, i] { watcher->OnRunSpeed(i); },
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
    on(ID_EDIT_UNDO, redrawn([editor] { editor->Undo(); }), named(RES_UNDO, [editor] { return editor->UndoName(); }));
    on(ID_EDIT_REDO, redrawn([editor] { editor->Redo(); }), named(RES_REDO, [editor] { return editor->RedoName(); }));
    on(ID_EDIT_POINTSET, redrawn([editor] { editor->PointSet(); }));
    on(ID_EDIT_POINTRESET, redrawn([editor] { editor->PointReset(); }));
    on(ID_EDIT_AREABEGIN, redrawn([editor] { editor->AreaBegin(); }), enabled([editor] { return !editor->IsArea(); }));
    on(ID_EDIT_AREACANCEL, redrawn([editor] { editor->AreaCancel(); }), enabled([editor] { return editor->IsArea(); }));
    on(ID_EDIT_AREAMOVE, [editor] { editor->AreaMove(); },  // nothing to redraw
       enabled([editor] { return editor->IsArea() && !editor->IsAreaMove(); }));
    on(ID_EDIT_COPY, [editor] { editor->Copy(); });
    on(ID_EDIT_CUT, redrawn([editor] { editor->Cut(); }));
    on(ID_EDIT_PASTE, redrawn([editor] { editor->Paste(); }));
    on(ID_EDIT_TAKECOLOR, [editor] { editor->TakeColour(); });

    // Insert: declarations only in a solid space.
    for (int i = 0; i < ID_INSERT_COUNT; i++) {
        const auto kind = EInsertBlock(i);
        on(ID_INSERT_FIRST + i, [this, kind] { m_pInsert->Run(this, kind); },
           enabled([doc, kind] { return CInsertBlockCommand::IsAvailable(kind, doc->GetSizeY()); }));
    }

    // MoveCursor: Left, Right, Front and Rear along the world axis closest on screen.
    on(ID_MOVECURSOR_UP, redrawn([editor] { editor->MoveUp(); }));
    on(ID_MOVECURSOR_DOWN, redrawn([editor] { editor->MoveDown(); }));
    const std::pair<int, EScreenDirection> screenMoves[] = {{ID_MOVECURSOR_LEFT, SCREEN_LEFT}, {ID_MOVECURSOR_RIGHT, SCREEN_RIGHT},
                                                            {ID_MOVECURSOR_FRONT, SCREEN_FRONT}, {ID_MOVECURSOR_REAR, SCREEN_REAR}};
    for (auto [id, direction] : screenMoves)
        on(id, redrawn([editor, eye, direction] { editor->MoveScreen(direction, eye->azimuth); }));
    checked(ID_MOVECURSOR_STEP1, [editor] { editor->SetStep(1); }, [editor] { return editor->GetStep() == 1; });
    checked(ID_MOVECURSOR_STEPBIG, [editor] { editor->SetStep(CSpaceEditor::STEP_BIG); },
            [editor] { return editor->GetStep() == CSpaceEditor::STEP_BIG; });

    // Color: the current colour's item carries the check mark.
    for (int id = ID_COLOR_WHITE; id <= ID_COLOR_BLACK; id++) {
        const int code = ColorCodeOfCommand(id);
        checked(id, [editor, code] { editor->SetColor(code); }, [editor, code] { return editor->GetColor() == code; });
    }

    // MoveEye
    on(ID_MOVEEYE_UP, redrawn([eye] { eye->EyeUp(); }));
    on(ID_MOVEEYE_DOWN, redrawn([eye] { eye->EyeDown(); }));
    on(ID_MOVEEYE_LEFT, redrawn([eye] { eye->EyeLeft(); }));
    on(ID_MOVEEYE_RIGHT, redrawn([eye] { eye->EyeRight(); }));
    on(ID_MOVEEYE_ZOOMIN, redrawn([eye] { eye->ZoomIn(); }));
    on(ID_MOVEEYE_ZOOMOUT, redrawn([eye] { eye->ZoomOut(); }));
    on(ID_MOVEEYE_RESET, redrawn([view] { view->ResetView(); }));

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
    checked(ID_VIEW_CHANGES, [watcher] { watcher->OnViewChanges(); }, [watcher] { return watcher->IsChanges(); });
    checked(ID_VIEW_APPLIED_RULES, [watcher] { watcher->OnViewAppliedRules(); }, [watcher] { return watcher->IsAppliedRules(); });
    checked(ID_VIEW_PROGRAM_BLOCKS, [view] { view->OnViewProgramBlocks(); },
            [view] { return view->IsProgramBlocks(); });
    checked(ID_VIEW_CELL_EDGES, [view] { view->OnViewCellEdges(); }, [view] { return view->IsCellEdges(); });
    on(ID_VIEW_FIT_SPACE, redrawn([view] { view->FitSpace(); }));
    auto lookAlong = [view, doc](EAxisView axis) {
        const float aspect = view->height() > 0 ? float(view->width()) / float(view->height()) : 1.0f;
        const SViewPoint t = view->GetViewpoint().LookAlong(axis, doc->GetSizeX(), doc->GetSizeY(), doc->GetSizeZ(), aspect);
        view->GetEditor().SetTarget(t.x, t.y, t.z);
        view->Redraw();
    };
    on(ID_VIEW_TOP, [lookAlong] { lookAlong(EAxisView::Top); });
    on(ID_VIEW_FRONT, [lookAlong] { lookAlong(EAxisView::Front); });
    on(ID_VIEW_SIDE, [lookAlong] { lookAlong(EAxisView::Side); });
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
