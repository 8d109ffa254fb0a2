// CMainFrame: the main window. Owns the document and its view, builds the menus, toolbar and
// status bar from the resources, routes every command identifier to its handler, and carries
// the file commands (New, Open, Save, Save As, recent files, dropped files).
#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "app/recentfilelist.h"

class CHelpWindow;
class CInsertBlockCommand;
class CRecoveryFile;
class CWhereAmIPane;
class CTesseraDoc;
class CTesseraView;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame();
    ~CMainFrame() override;

    CTesseraDoc* GetDocument() const { return m_pDoc.get(); }
    CTesseraView* GetView() const { return m_pView; }
    // The action of a command identifier, or null.
    QAction* Action(int id) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    QToolBar* RunToolBar() const { return m_pRunToolBar; }
    CWhereAmIPane* WhereAmI() const { return m_pWhereAmI; }
    CRecoveryFile* Recovery() const { return m_pRecovery; }
    QLabel* IdleLabel() const { return m_pIdleLabel; }
    QLabel* StepPane() const { return m_pStepPane; }
    QLabel* StatePane() const { return m_pStatePane; }
    // The step and run-state panes, from the document's run control.
    void UpdateRunPanes();
    CRecentFileList& RecentFiles() { return m_recent; }

    // Runs every update handler: check marks and enabled states of menus and toolbar.
    void UpdateCommandUI();
    // Runs the handler of a command identifier, as a menu item or accelerator would.
    void Execute(int id);
    // Whether the command identifier has a handler.
    bool HasHandler(int id) const { return m_commands.count(id) && m_commands.at(id).run; }
    // Runs a cursor move once with the big step, leaving the chosen step as it was (Shift keys).
    void ExecuteWithBigStep(int id);

    // File > Space Size...: the dialog, the question before cells are dropped, the resize.
    void OnSpaceSize();
    // Sets the space's sizes, after asking when cells would be dropped; false when the user
    // declined or the sizes are not possible.
    bool ResizeSpace(int sizeX, int sizeY, int sizeZ);

    // Offers each recovery copy left by an editor that did not end normally; true when one
    // was restored into this window.
    bool OfferRecovery();

    // File commands (filecommands.cpp). Each returns false when it was cancelled or failed.
    bool OnFileNew();
    bool OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    bool OpenDocumentFile(const QString& path);
    bool DoSave(const QString& path);
    // File > Export Image (exportimage.cpp): asks for a file and a size, then ExportImage.
    bool OnFileExportImage();
    // Writes the view as a PNG picture of the given size; false (after saying why) on failure.
    bool ExportImage(const QString& path, QSize size);
    // File > Export Animation (exportanimation.cpp): asks for a file, a size, the steps between
    // frames and the most steps, then ExportAnimation.
    bool OnFileExportAnimation();
    // Runs a copy of the space from where it stands, drawn with the view's eye and cell edges,
    // into an animated GIF, with a progress dialog that can cancel; the document is not touched.
    // False (after saying why, unless cancelled) when no file was written.
    bool ExportAnimation(const QString& path, QSize size, int every, int steps);
    // File > Export glTF (exportgltf.cpp): asks for a file, then ExportGltf.
    bool OnFileExportGltf();
    bool ExportGltf(const QString& path);
    // Asks "Save changes to ...?" when the document is modified; false when the user cancels.
    bool SaveModified();
    QString GetPathName() const { return m_pathName; }
    // The document's name as shown in the title: the file name, or "Untitled".
    QString GetTitle() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct SCommand {
        std::function<void()> run;
        std::function<void(QAction*)> update;  // null: always enabled
    };

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void BindCommands();  // commandbindings.cpp
    void UpdateTitle();
    void UpdateWhereAmI();
    // The message pane on near misses (nearmissmessage.cpp): the one under the cursor while
    // Program Blocks is on, and the nearest one when a run finds nothing to do.
    void UpdateNearMissMessage();
    void OpenDroppedFiles(const QStringList& paths);
    void UpdateRecentFileMenu();
    void OpenRecentFile(int index);
    void ShowHelp();
    void ShowError(const QString& text);

    std::unique_ptr<CTesseraDoc> m_pDoc;
    CTesseraView* m_pView = nullptr;
    std::map<int, QAction*> m_actions;
    std::map<int, SCommand> m_commands;
    QToolBar* m_pToolBar = nullptr;
    QToolBar* m_pRunToolBar = nullptr;
    CWhereAmIPane* m_pWhereAmI = nullptr;
    CRecoveryFile* m_pRecovery = nullptr;
    QLabel* m_pIdleLabel = nullptr;
    QLabel* m_pStepPane = nullptr;
    QLabel* m_pStatePane = nullptr;
    QTimer* m_pUpdateTimer = nullptr;
    CHelpWindow* m_pHelp = nullptr;
    CRecentFileList m_recent;
    std::unique_ptr<CInsertBlockCommand> m_pInsert;  // the Insert menu, with the sizes last asked
    QString m_pathName;  // empty while the document is untitled
    QString m_nearMissShown;  // the near miss under the cursor the message pane tells of, or empty
    int m_runExplained = -1;  // the run whose end the message pane has explained
};
