// CTesseraView: the 3D view of the document's space and of its editing model (cursor, area,
// clipboard) with the viewpoint; it forwards commands and input to the model, draws the result
// and answers the running interpreter's show requests.
#pragma once

#include <QImage>
#include <QOpenGLWidget>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "run/appliedgroup.h"
#include "document/doclistener.h"
#include "interpreter/blockcatalogue.h"
#include "document/spaceeditor.h"
#include "run/runwindow.h"
#include "space/cell.h"
#include "space/space.h"
#include "view/camera.h"

class CGuidePicker;
struct SPictureTarget;
class CSceneCache;
class CJoystickController;
class CTesseraDoc;
class QTimer;

class CTesseraView : public QOpenGLWidget, public IDocListener, public IRunWindow {
    Q_OBJECT

public:
    explicit CTesseraView(CTesseraDoc* doc, QWidget* parent = nullptr);
    ~CTesseraView() override;

    CTesseraDoc* GetDocument() const { return m_pDoc; }
    // The editing model this view draws.
    CSpaceEditor& GetEditor() { return m_editor; }
    const CSpaceEditor& GetEditor() const { return m_editor; }

    // Draws the space again, and its program blocks shortly after.
    void OnUpdate()
    {
        ScheduleProgramBlocks();
        Redraw();
    }
    // Puts cursor, eye and flags back to their initial values, the editor's included (as after
    // Open); the view does it by itself when the document has a new space.
    void OnInitialUpdate();

    // IDocListener
    void OnSpaceChanged(ESpaceChange change, const CBox& box) override;
    // A run started or stopped: the picture follows at the next paint, so that Stop answers
    // without waiting for the faces of every block the run changed.
    void OnRunChanged() override
    {
        ScheduleProgramBlocks();
        ScheduleRedraw();
    }

    // IRunWindow: called on the worker thread; the handling is queued to this thread.
    void postRunShow() override;
    void postRunFinished() override;

    // Draws the scene at once (not through an invalidation).
    void Redraw();
    // Draws the scene at the next paint, as it is then.
    void ScheduleRedraw();

    // Run menu.
    void OnRunStart();
    void OnRunStop();
    void OnRunBack();
    // Watching a run (runwatch.cpp).
    void OnRunPause();  // toggles
    void OnRunStep();
    void OnRunGo();     // Start when no run is in progress, else Resume
    void OnRunSpeed(int index);
    void OnViewChanges();
    void OnViewAppliedRules();
    void OnViewProgramBlocks();
    bool IsChanges() const { return m_bChanges; }
    bool IsAppliedRules() const { return m_bAppliedRules; }
    bool IsProgramBlocks() const { return m_bProgramBlocks; }
    const std::vector<CCell>& GetChanges() const { return m_changes; }
    const std::vector<CAppliedGroup>& GetAppliedRules() const { return m_applied; }
    const std::vector<CBlockEntry>& GetProgramBlocks() const { return m_blocks; }
    // Recomputes the program blocks now (normally debounced after edits and steps).
    void RefreshProgramBlocks();

    // Edit menu.
    void OnPointSet();
    void OnPointReset();
    void OnAreaBegin();
    void OnAreaCancel();
    void OnAreaMove();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditUndo();
    void OnEditRedo();

    // File > SizeUp and SizeDown, through the model so that the step knows the cursor.
    void OnSizeUp();
    void OnSizeDown();

    // MoveCursor menu: each moves and redraws.
    void OnMoveUp();
    void OnMoveDown();
    void OnMoveLeft();
    void OnMoveRight();
    void OnMoveFront();
    void OnMoveRear();
    void OnStep1() { m_editor.SetStep(1); }
    void OnStepBig() { m_editor.SetStep(CSpaceEditor::STEP_BIG); }

    // Color menu: the current painting colour (no cell changes, no redraw).
    void OnColor(int code) { m_editor.SetColor(code); }

    // MoveEye menu: each changes the viewpoint and redraws.
    void OnEyeUp();
    void OnEyeDown();
    void OnEyeLeft();
    void OnEyeRight();
    void OnZoomIn();
    void OnZoomOut();
    void OnResetView();

    // View > Fit Space: the eye backs away from the cursor (or comes nearer) until the whole
    // space is in view, keeping its direction. FitSpace alone does not redraw.
    void OnFitSpace();
    void FitSpace();
    // Puts the cursor in the middle of the non-empty cells and the eye as near as it can be with
    // all of them in view (for pictures of the program rather than of the whole space). Does
    // nothing in an empty space.
    void FitCells();
    // The distance at which the whole space fits the view's current shape.
    float FitSpaceDistance() const;
    // After opening a file: once the view is shown at its size, Fit Space if the first view
    // does not show the whole space.
    void FitIfTooLarge();

    // View > Cell Edges: each cell's outline on its visible faces and a grid on the floor.
    void OnViewCellEdges();
    bool IsCellEdges() const { return m_bCellEdges; }
    void SetCellEdges(bool on) { m_bCellEdges = on; }

    // The scene as the view would show it now, drawn at the given size in pixels (an image
    // export). Uses the view's GL context when it has one, else an offscreen one; a null image
    // (with the reason in `error`) when no GL is available.
    QImage RenderImage(QSize size, QString* error = nullptr);
    // Pictures one after another at one size, as the frames of an animation (picturesequence.cpp):
    // the drawing target is made at the first and kept until EndPictures. A null image, with
    // the reason, when no GL is available.
    QImage RenderNextPicture(QSize size, QString* error = nullptr);
    void EndPictures();

    // View > Cursor.
    void OnViewCursor();
    // Tool > SideWinder 3D Pro: the joystick moving this view's cursor and eye.
    CJoystickController& Joystick() { return *m_joystick; }

    // The six axis moves, clamped to the space; they move the target, and the area in move
    // mode, but do not redraw. Shared by the menu, the mouse and the joystick.
    void MoveXMinus() { m_editor.MoveXMinus(); }
    void MoveXPlus() { m_editor.MoveXPlus(); }
    void MoveDown() { m_editor.MoveDown(); }
    void MoveUp() { m_editor.MoveUp(); }
    void MoveZMinus() { m_editor.MoveZMinus(); }
    void MoveZPlus() { m_editor.MoveZPlus(); }
    void Move(ECursorMove move) { m_editor.Move(move); }

    // Viewpoint operations without redraw (the joystick's hat uses them too).
    void EyeUp();
    void EyeDown();
    void EyeLeft();
    void EyeRight();
    void ZoomIn();
    void ZoomOut();
    void ResetView();

    // Mouse (window coordinates in logical pixels, y downward): clicks always reach a running
    // program; with the cursor shown, a click on a guide line moves the cursor along it and a
    // double click on the cursor cell sets or clears it (or the area).
    void OnLButtonDown(int x, int y);
    void OnLButtonDblClk(int x, int y);
    void OnRButtonDown(int x, int y);

    // Drawing primitives, shared with picking. Directions are EGuideDirection values.
    void DrawGuideNear(int direction);
    void DrawGuideFar(int direction);
    void DrawRun(int x0, int y, int z, int value, int length);

    // State read by the menus' update handlers and by tests.
    int GetColor() const { return m_editor.GetColor(); }
    int GetStep() const { return m_editor.GetStep(); }
    int GetCursorX() const { return m_editor.GetCursorX(); }
    int GetCursorY() const { return m_editor.GetCursorY(); }
    int GetCursorZ() const { return m_editor.GetCursorZ(); }
    float GetTargetX() const { return m_editor.GetTargetX(); }
    float GetTargetY() const { return m_editor.GetTargetY(); }
    float GetTargetZ() const { return m_editor.GetTargetZ(); }
    float GetElevation() const { return m_viewpoint.elevation; }
    float GetAzimuth() const { return m_viewpoint.azimuth; }
    float GetDistance() const { return m_viewpoint.distance; }
    int GetAreaX() const { return m_editor.GetAreaX(); }
    int GetAreaY() const { return m_editor.GetAreaY(); }
    int GetAreaZ() const { return m_editor.GetAreaZ(); }
    bool IsArea() const { return m_editor.IsArea(); }
    bool IsAreaMove() const { return m_editor.IsAreaMove(); }
    bool IsCursorShown() const { return m_bCursor; }
    bool IsEdited() const { return m_editor.IsEdited(); }
    bool IsBackAvailable() const { return m_editor.IsBackAvailable(); }
    const CSpace& GetClipboard() const { return m_editor.GetClipboard(); }

    // Places the cursor (with the target) and the eye directly, as the mouse and the joystick
    // do through their own paths; used to set up scenes.
    void PlaceCursor(int x, int y, int z);
    void PlaceEye(float elevation, float azimuth, float distance);
    // Faces lying against non-empty neighbours, and blocks of cells that nearer ones hide, are
    // normally left out; with this off every face is drawn (slower, the same picture).
    void SetSkipCoveredFaces(bool skip) { m_bSkipCovered = skip; }
    // The cells' faces the last frame sent to GL.
    std::size_t DrawnFaceCount() const;

signals:
    // The interpreter's status text, once a second while a run is busy.
    void StatusText(const QString& text);
    // The run's step or state changed (panes of the status bar).
    void RunStateChanged();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Mouse navigation (mousenavigation.cpp): middle drag or Alt + left drag orbits, the wheel zooms.
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class CGuidePicker;  // draws with the view's camera

    // The view's own part of OnInitialUpdate.
    void ResetViewState();
    void OnRunShow();
    void OnRunFinished();
    void OnStatusTimer();
    // After a shown step: what it changed and applied, and when the worker may go on.
    void WatchShownStep(const CShownStep& shown);
    void ClearStepOverlays();
    void ScheduleProgramBlocks();
    void DrawOverlays();

    // Scene drawing (scenedrawing.cpp).
    void SetupCamera();
    void SetupCamera(int w, int h);  // for a target of w x h pixels
    void DrawScene();
    void DrawCells();
    void DrawCursorBox();
    void DrawAreaBox();
    void DrawGuides();
    void DrawFloor();
    // Starts an orbit drag at the window point when the press is one (mousenavigation.cpp).
    bool BeginOrbit(QMouseEvent* event);
    // The fit a newly opened space waits for until the view has its size.
    void FitIfPending();
    SVec3 Eye() const;

    // Frees the picking target when the GL context ends.
    void ReleasePicker();

    CTesseraDoc* m_pDoc;
    QTimer* m_statusTimer = nullptr;

    bool m_bChanges = false;
    bool m_bAppliedRules = false;
    bool m_bProgramBlocks = false;
    CSpace m_shownSpace;                  // the space at the last show, to find what a step wrote
    std::vector<CCell> m_changes;         // cells the last step wrote
    std::vector<CAppliedGroup> m_applied; // groups the last step applied
    std::vector<CBlockEntry> m_blocks;    // blocks the reader recognises in the space
    QTimer* m_blocksTimer = nullptr;

    CSpaceEditor m_editor;
    CViewpoint m_viewpoint;
    bool m_bCursor = true;
    CJoystickController* m_joystick = nullptr;  // a child of the view
    std::unique_ptr<CGuidePicker> m_picker;
    std::shared_ptr<SPictureTarget> m_pictures;  // the frames' target, between pictures
    bool m_bFrameReady = false;  // the framebuffer holds the frame of the last Redraw
    bool m_bSkipCovered = true;
    std::unique_ptr<CSceneCache> m_sceneCache;  // the cells' faces, kept between frames
    bool m_bCellEdges = true;
    unsigned int m_edgeTexture = 0;        // the outline texture, kept by the context below
    const void* m_edgeTextureContext = nullptr;
    bool m_bFitPending = false;  // a newly opened space is fitted once the view is shown
    bool m_bOrbiting = false;
    QPoint m_orbitFrom;          // where the orbit drag began
    float m_orbitElevation = 0;  // the eye angles when it began
    float m_orbitAzimuth = 0;
    int m_wheelRemainder = 0;    // angle delta short of a whole notch
};
