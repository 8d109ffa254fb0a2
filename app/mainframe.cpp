// CMainFrame set-up: one QAction per command identifier (text, prompt, tooltip, accelerators
// and the view's direct keys), the one menu bar with Help last, the toolbar, the status bar
// with its idle prompt and the "where am I" pane, the update handlers that run before a menu
// opens and on an idle timer, the remembered window geometry and the recovery copy.
#include "app/mainframe.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/accessiblenames.h"
#include "app/commandids.h"
#include "app/helpwindow.h"
#include "app/insertblockcommand.h"
#include "app/recoveryfile.h"
#include "app/resources.h"
#include "app/toolbaricons.h"
#include "app/toolbarstyle.h"
#include "app/whereamipane.h"
#include "document/tesseradoc.h"
#include "view/runwatcher.h"
#include "view/tesseraview.h"

CMainFrame::CMainFrame() : m_pDoc(std::make_unique<CTesseraDoc>()), m_pInsert(std::make_unique<CInsertBlockCommand>())
{
    InstallViewAccessibility();  // before the view: its interface is made when it is named
    m_pView = new CTesseraView(m_pDoc.get(), this);
    setCentralWidget(m_pView);
    setWindowIcon(ApplicationIcon());
    // The size and place of the last session; the first start has the program's own size.
    if (!restoreGeometry(QSettings().value(RES_SETTINGS_GEOMETRY).toByteArray()))
        resize(RES_FRAME_WIDTH, RES_FRAME_HEIGHT);
    setAcceptDrops(true);
    m_pView->setAccessibleName("Space view");

    CreateActions();
    BindCommands();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    UpdateTitle();

    m_pUpdateTimer = new QTimer(this);
    m_pUpdateTimer->setInterval(250);
    connect(m_pUpdateTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    connect(m_pUpdateTimer, &QTimer::timeout, this, &CMainFrame::UpdateRunPanes);
    m_pUpdateTimer->start();
    UpdateCommandUI();

    m_pRecovery = new CRecoveryFile(m_pDoc.get(), [this] { return m_pathName; }, this);
}

CMainFrame::~CMainFrame()
{
    // The worker posts to the view: end it before the view goes, and the view before the document.
    delete m_pRecovery;  // a clean end: the copy goes
    m_pRecovery = nullptr;
    m_pDoc->StopRun();
    delete m_pView;
    m_pView = nullptr;
}

QAction* CMainFrame::Action(int id) const
{
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions()
{
    auto make = [this](int id, const QString& text) {
        auto* action = new QAction(text, this);
        action->setData(id);
        if (const char* prompt = PromptResource(id)) {
            const QStringList parts = QString(prompt).split('\n');
            action->setStatusTip(parts[0]);
            action->setWhatsThis(parts[0]);
            if (parts.size() > 1) action->setToolTip(parts[1]);
        }
        const QIcon icon = CommandIcon(id);
        if (!icon.isNull()) action->setIcon(icon);
        action->setIconVisibleInMenu(false);
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        m_actions[id] = action;
    };
    for (const SMenu& menu : MenuBarResource())
        for (const SMenuItem& item : menu.items)
            if (item.id) make(item.id, item.text);
    for (int i = 1; i < ID_FILE_MRU_COUNT; i++) make(ID_FILE_MRU_FILE1 + i, QString());
    // Commands reached only from the keyboard live on the frame so that their keys work.
    for (int id : {ID_NEXT_PANE, ID_PREV_PANE, ID_CONTEXT_HELP, ID_HELP, ID_RUN_GO}) {
        make(id, QString());
        addAction(m_actions[id]);
    }
    std::map<int, QList<QKeySequence>> keys;
    for (const SAccelerator& a : AcceleratorResource()) keys[a.id].append(QKeySequence(a.keys));
    // The view's keys follow the accelerators: a menu shows its item's first key.
    for (const SDirectKey& k : DirectKeyResource()) {
        if (!k.bigStep) {
            keys[k.id].append(QKeySequence(k.keys));
            continue;
        }
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(k.keys));
        const int id = k.id;
        connect(action, &QAction::triggered, this, [this, id] { ExecuteWithBigStep(id); });
        addAction(action);
    }
    for (auto& [id, sequences] : keys) m_actions[id]->setShortcuts(sequences);
}

void CMainFrame::CreateMenus()
{
    for (const SMenu& resource : MenuBarResource()) {
        // A separator puts the menus after it at the right end where the style draws that;
        // other styles place them last. Either way they stay in the one bar that assistive
        // technology reads.
        if (resource.rightAligned) menuBar()->addSeparator();
        QMenu* menu = menuBar()->addMenu(resource.title);
        for (const SMenuItem& item : resource.items) {
            if (!item.id) {
                menu->addSeparator();
                continue;
            }
            menu->addAction(m_actions[item.id]);
            if (item.id == ID_FILE_MRU_FILE1)
                for (int i = 1; i < ID_FILE_MRU_COUNT; i++) menu->addAction(m_actions[ID_FILE_MRU_FILE1 + i]);
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    }
    UpdateRecentFileMenu();
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = new QToolBar("Toolbar", this);
    m_pToolBar->setObjectName("toolBar");
    m_pToolBar->setIconSize(QSize(16, 16));
    auto* style = new CToolBarStyle;
    style->setParent(m_pToolBar);  // deleted with the toolbar
    m_pToolBar->setStyle(style);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : ToolbarResource()) {
        if (id) m_pToolBar->addAction(m_actions[id]);
        else m_pToolBar->addSeparator();
    }
    // A widget's style does not pass to its children: the buttons take it one by one.
    for (QAction* action : m_pToolBar->actions())
        if (QWidget* button = m_pToolBar->widgetForAction(action)) button->setStyle(style);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    NameToolbarButtons(m_pToolBar);
    // The button that shows the buttons a narrow window cannot hold has no words of its own.
    if (auto* more = m_pToolBar->findChild<QToolButton*>("qt_toolbar_ext_button")) {
        more->setAccessibleName("More buttons");
        more->setToolTip("More buttons");
    }

    // Pause and Step on a row of their own, so that the main toolbar keeps its width.
    m_pRunToolBar = new QToolBar(tr("Run"), this);
    m_pRunToolBar->setObjectName("runToolBar");
    m_pRunToolBar->setIconSize(m_pToolBar->iconSize());
    for (int id : RunToolbarResource()) {
        if (id) m_pRunToolBar->addAction(m_actions[id]);
        else m_pRunToolBar->addSeparator();
    }
    for (QAction* action : m_pRunToolBar->actions())
        if (QWidget* button = m_pRunToolBar->widgetForAction(action)) button->setStyle(style);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_pRunToolBar);
}

void CMainFrame::CreateStatusBar()
{
    // A normal status-bar widget is hidden while a prompt or the run status is shown, and
    // comes back when the message is cleared: the idle prompt.
    m_pIdleLabel = new QLabel(RES_IDLE_MESSAGE);
    statusBar()->addWidget(m_pIdleLabel, 1);
    FollowStatusMessages(statusBar(), m_pIdleLabel);
    m_pWhereAmI = new CWhereAmIPane;
    statusBar()->addPermanentWidget(m_pWhereAmI);
    connect(&m_pView->RunWatcher(), &CRunWatcher::StatusText, statusBar(), [this](const QString& text) { statusBar()->showMessage(text); });
    // The run's step number and state, beside the message pane.
    m_pStepPane = new QLabel;
    m_pStatePane = new QLabel;
    m_pStepPane->setMinimumWidth(80);
    m_pStatePane->setMinimumWidth(150);
    statusBar()->addPermanentWidget(m_pStepPane);
    statusBar()->addPermanentWidget(m_pStatePane);
    connect(&m_pView->RunWatcher(), &CRunWatcher::RunStateChanged, this, &CMainFrame::UpdateRunPanes);
    UpdateRunPanes();
}

void CMainFrame::UpdateRunPanes()
{
    const CRunControl& control = m_pDoc->Session().RunControl();
    m_pStepPane->setText(control.state() == CRunControl::State::Idle ? QString()
                                                                      : QString("Step %1").arg(control.step()));
    m_pStatePane->setText(QString::fromStdString(control.stateText()));
    m_pStatePane->setToolTip(control.state() == CRunControl::State::NothingToRun ? QString(RES_NOTHING_TO_RUN_TIP)
                                                                                : QString());
    UpdateNearMissMessage();
}

void CMainFrame::Execute(int id)
{
    auto it = m_commands.find(id);
    if (it != m_commands.end() && it->second.run) {
        QAction* action = Action(id);
        if (action && !action->isEnabled()) return;
        it->second.run();
    }
    UpdateCommandUI();
}

void CMainFrame::ExecuteWithBigStep(int id)
{
    const bool bigAlready = m_pView->GetEditor().GetStep() == CSpaceEditor::STEP_BIG;
    Execute(ID_MOVECURSOR_STEPBIG);
    Execute(id);
    if (!bigAlready) Execute(ID_MOVECURSOR_STEP1);
}

void CMainFrame::UpdateCommandUI()
{
    for (auto& [id, action] : m_actions) {
        auto it = m_commands.find(id);
        if (it == m_commands.end() || !it->second.run) {
            action->setEnabled(false);  // no handler anywhere: disabled, as Undo
            continue;
        }
        if (it->second.update) it->second.update(action);
        else action->setEnabled(true);
    }
    setWindowModified(m_pDoc->IsModified());
    UpdateWhereAmI();
    if (m_pStepPane) UpdateRunPanes();
}

void CMainFrame::UpdateWhereAmI()
{
    if (!m_pWhereAmI) return;
    const CSpaceEditor& v = m_pView->GetEditor();
    m_pWhereAmI->Show({v.GetCursorX(), v.GetCursorY(), v.GetCursorZ(), m_pDoc->GetSizeX(), m_pDoc->GetSizeY(),
                       m_pDoc->GetSizeZ(), v.IsArea(), v.GetAreaX(), v.GetAreaY(), v.GetAreaZ(), v.GetColor()});
}

// "[*]" is where the desktop's unsaved-changes mark goes while the window is modified.
void CMainFrame::UpdateTitle()
{
    setWindowTitle(QString("%1[*] - %2").arg(GetTitle(), RES_APP_TITLE));
    setWindowModified(m_pDoc->IsModified());
}

void CMainFrame::UpdateRecentFileMenu()
{
    const QStringList& files = m_recent.Files();
    for (int i = 0; i < ID_FILE_MRU_COUNT; i++) {
        QAction* action = m_actions[ID_FILE_MRU_FILE1 + i];
        if (i < files.size()) {
            action->setText(m_recent.MenuText(i));
            action->setVisible(true);
        } else if (i == 0) {
            action->setText(RES_RECENT_FILE);  // the placeholder of an empty list, disabled
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
}

void CMainFrame::ShowHelp()
{
    if (!m_pHelp) m_pHelp = new CHelpWindow(this);
    m_pHelp->ShowGuide();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    m_pDoc->StopRun();
    if (m_pHelp) m_pHelp->close();
    QSettings().setValue(RES_SETTINGS_GEOMETRY, saveGeometry());
    m_pRecovery->Discard();  // a clean exit leaves no copy to recover
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths.append(url.toLocalFile());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    activateWindow();
    // Open once the drag has finished, so that a question box does not block the drop.
    QTimer::singleShot(0, this, [this, paths] { OpenDroppedFiles(paths); });
}

// Each file is opened in turn, as if chosen one after the other: the last one stays open and
// every one that opened reaches the recent-file list.
void CMainFrame::OpenDroppedFiles(const QStringList& paths)
{
    for (const QString& path : paths) OpenDocumentFile(path);
}
