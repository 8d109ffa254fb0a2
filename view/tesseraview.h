// CTesseraView: the 3D view of the document's space and of its editing model (cursor, area,
// clipboard) from its viewpoint. Commands change the model and the viewpoint directly and then
// ask it to redraw; it turns mouse clicks into model moves and draws the result, with the
// overlays its run watcher keeps.
#pragma once

#include <QImage>
#include <QOpenGLWidget>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "document/doclistener.h"
#include "interpreter/blockcatalogue.h"
#include "interpreter/nearmiss.h"
#include "document/spaceeditor.h"
#include "space/cell.h"
#include "space/space.h"
#include "view/camera.h"

class CGuidePicker;
struct SPictureTarget;
class CPlaneCache;
class CJoystickController;
class CRunWatcher;
class CTesseraDoc;
class QTimer;

class CTesseraView : public QOpenGLWidget, public IDocListener {
    Q_OBJECT

public:
    explicit CTesseraView(CTesseraDoc* doc, QWidget* parent = nullptr);
    ~CTesseraView() override;

    CTesseraDoc* GetDocument() const { return m_pDoc; }
    // The editing model and the viewpoint this view draws; commands, the mouse and the
    // joystick change them, then the view redraws.
    CSpaceEditor& GetEditor() { return m_editor; }
    const CSpaceEditor& GetEditor() const { return m_editor; }
    // Where the eye stands around the target.
    CViewpoint& GetViewpoint() { return m_viewpoint; }
    const CViewpoint& GetViewpoint() const { return m_viewpoint; }

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

    // Draws the scene at once (not through an invalidation).
    void Redraw();
    // Draws the scene at the next paint, as it is then.
    void ScheduleRedraw();

    // The document's run window: the Run menu, the status texts and the step overlays' data.
    CRunWatcher& RunWatcher() { return *m_watcher; }
    const CRunWatcher& RunWatcher() const { return *m_watcher; }

    // View > Program Blocks (runwatch.cpp).
    void OnViewProgramBlocks();
    bool IsProgramBlocks() const { return m_bProgramBlocks; }
    const std::vector<CBlockEntry>& GetProgramBlocks() const { return m_blocks; }
    // Recomputes the program blocks now (normally debounced after edits and steps).
    void RefreshProgramBlocks();
    // Beside the blocks: drawings that one changed cell would make blocks, outlined in a warning
    // colour (nearmissoverlay.cpp). The one the cursor is on or in, or null.
    const std::vector<CNearMiss>& GetNearMisses() const { return m_nearMisses; }
    const CNearMiss* NearMissAtCursor() const;

    // View > Fit Space: the eye backs away from the cursor (or comes nearer) until the whole
    // space is in view, keeping its direction. It does not redraw.
    void FitSpace();
    // MoveEye > Reset: the starting viewpoint, looking at the cursor. It does not redraw.
    void ResetView();
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
    bool IsCursorShown() const { return m_bCursor; }
    // Tool > SideWinder 3D Pro: the joystick moving this view's cursor and eye.
    CJoystickController& Joystick() { return *m_joystick; }

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

    // Places the eye directly, as the mouse and the joystick do through their own paths; used
    // to set up scenes (an eye placed on purpose is not fitted to a newly opened space).
    void PlaceEye(float elevation, float azimuth, float distance);
    // Faces lying against non-empty neighbours, and blocks of cells that nearer ones hide, are
    // normally left out; with this off every face is drawn (slower, the same picture).
    void SetSkipCoveredFaces(bool skip) { m_bSkipCovered = skip; }
    // The cells' faces the last frame sent to GL.
    std::size_t DrawnFaceCount() const;
    // The textured quads the last frame drew them with.
    std::size_t DrawnQuadCount() const;

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Mouse navigation (mousenavigation.cpp): middle drag or Alt + left drag orbits, Shift +
    // middle drag pans, Ctrl + left drag chooses the area, the wheel zooms toward the pointer.
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class CGuidePicker;  // draws with the view's camera

    // The view's own part of OnInitialUpdate.
    void ResetViewState();
    void ScheduleProgramBlocks();
    void DrawOverlays();
    void DrawNearMisses();

    // Scene drawing (scenedrawing.cpp).
    void SetupCamera();
    void SetupCamera(int w, int h);  // for a target of w x h pixels
    void DrawScene();
    void DrawCells();
    void DrawCursorBox();
    void DrawAreaBox();
    void DrawGuides();
    void DrawFloor();
    // Starts an orbit, pan or area drag when the press is one (mousenavigation.cpp).
    bool BeginDrag(QMouseEvent* event);
    bool CellUnder(QPoint at, CCell& cell);
    // The fit a newly opened space waits for until the view has its size.
    void FitIfPending();
    SVec3 Eye() const;

    // Frees the picking target when the GL context ends.
    void ReleasePicker();

    CTesseraDoc* m_pDoc;

    bool m_bProgramBlocks = false;
    std::vector<CBlockEntry> m_blocks;    // blocks the reader recognises in the space
    std::vector<CNearMiss> m_nearMisses;  // drawings one cell short of a block
    QTimer* m_blocksTimer = nullptr;

    CSpaceEditor m_editor;
    CViewpoint m_viewpoint;
    std::unique_ptr<CRunWatcher> m_watcher;
    bool m_bCursor = true;
    CJoystickController* m_joystick = nullptr;  // a child of the view
    std::unique_ptr<CGuidePicker> m_picker;
    std::shared_ptr<SPictureTarget> m_pictures;  // the frames' target, between pictures
    bool m_bFrameReady = false;  // the framebuffer holds the frame of the last Redraw
    bool m_bSkipCovered = true;
    std::unique_ptr<CPlaneCache> m_planeCache;  // the cells' faces, kept between frames
    bool m_bCellEdges = true;
    unsigned int m_edgeTexture = 0;        // the outline texture, kept by the context below
    const void* m_edgeTextureContext = nullptr;
    bool m_bFitPending = false;  // a newly opened space is fitted once the view is shown
    bool m_bOrbiting = false;
    QPoint m_orbitFrom;          // where the orbit drag began
    float m_orbitElevation = 0;  // the eye angles when it began
    float m_orbitAzimuth = 0;
    int m_wheelRemainder = 0;    // angle delta short of a whole notch
    bool m_bPanning = false;
    SViewPoint m_panFrom;        // the target when the pan began
    bool m_bSelecting = false;
    CCell m_selectFrom;          // the area's corner, where the Ctrl + left drag began
};
