#include "app/MainFrame.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <array>

#include "app/ChildFrame.h"
#include "app/DocCommands.h"
#include "app/MainFrameHost.h"
#include "app/PictorraApp.h"
#include "app/PreferenceDialog.h"
#include "app/ToolCommands.h"
#include "document/PictorraDoc.h"
#include "document/SelectionCommands.h"
#include "effects/EffectCommands.h"
#include "panels/ColorBar.h"
#include "panels/LayerDialog.h"
#include "ui/CommandIds.h"
#include "ui/CommandRouter.h"
#include "ui/MainMenus.h"
#include "view/PictorraView.h"
#include "view/ViewCommands.h"

CMainFrame::CMainFrame(CPictorraApp& app) : m_app(app) {
    setWindowTitle(QStringLiteral("Pictorra"));
    setAcceptDrops(true);

    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMdiArea);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    // The layers panel holds the active layer number the documents point at: it comes first.
    m_pLayerBar = new CLayerDialog(this);
    addDockWidget(Qt::RightDockWidgetArea, m_pLayerBar);
    // The colours the documents' host hands to the tools and the effects live in the bar.
    m_pColors = new CColorBar(this);
    SetColorBar(m_pColors);
    m_pHost = std::make_unique<CMainFrameHost>(*this);
    m_pRouter = new CCommandRouter(this);
    m_pRouter->SetChain([this]() -> std::vector<const CCmdTarget*> {
        const CChildFrame* child = ActiveChild();
        if (!child) {
            return {this, &m_app};
        }
        return {&child->View(), &child->DocCommands(), child, this, &m_app};
    });
    m_pMenus = std::make_unique<CMainMenus>(menuBar(), *m_pRouter, this);

    CreateActions();
    CreateMenus();
    CreateToolBars();
    CreateOptionBars();
    CreateStatusBar();
    RegisterBarCommands();
    RegisterToolCommands();
    RegisterFrameCommands();
    connect(m_pRouter, &CCommandRouter::Updated, this, &CMainFrame::OnCommandsUpdated);
    ConnectColorBar();

    OnCommand(ID_WINDOW_CASCADE, [this] { m_pMdiArea->cascadeSubWindows(); });
    OnCommand(ID_WINDOW_TILE_HORZ, [this] { m_pMdiArea->tileSubWindows(); });
    OnCommand(ID_WINDOW_ARRANGE, [this] { ArrangeIcons(); });
    OnCommand(
        ID_VIEW_STATUS_BAR, [this] { statusBar()->setHidden(!statusBar()->isHidden()); },
        [this](CCmdUI& ui) { ui.SetCheck(!statusBar()->isHidden()); });

    m_pMenus->UpdateRecentFiles(m_app.Settings().m_RecentFiles);
    RestoreWindowState(m_app.Settings());
    UpdateMenus();
}

CMainFrame::~CMainFrame() {
    // The child windows go first, while the host and the router they use still exist; also
    // those closed but not yet deleted, which the MDI area no longer lists.
    disconnect(m_pMdiArea, nullptr, this, nullptr);
    qDeleteAll(findChildren<CChildFrame*>());
}

void CMainFrame::CreateActions() {
    CCommandRouter& r = *m_pRouter;
    r.Command(ID_FILE_NEW, QStringLiteral("&New"), {QKeySequence::New});
    r.Command(ID_FILE_OPEN, QStringLiteral("&Open..."), {QKeySequence::Open});
    r.Command(ID_FILE_CLOSE, QStringLiteral("&Close"), {QKeySequence(Qt::CTRL | Qt::Key_W)});
    r.Command(ID_FILE_SAVE, QStringLiteral("&Save"), {QKeySequence::Save});
    r.Command(ID_FILE_SAVE_AS, QStringLiteral("Save &As..."),
              {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    r.Command(ID_APP_EXIT, QStringLiteral("E&xit"), {QKeySequence(Qt::CTRL | Qt::Key_Q)});
    r.Command(ID_EDIT_UNDO, QStringLiteral("&Undo"),
              {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    r.Command(ID_EDIT_REDO, QStringLiteral("&Redo"), {QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (const CSelectionCommand& command : SelectionCommands()) {
        r.Command(command.id, command.name, command.keys);
    }
    // Menu 128's Paste: Ctrl+V makes a new picture while none is open. Menu 129 holds the
    // document's own Paste with the same keys; only the menu bar shown lends its keys.
    r.Command(ID_EDIT_PASTE_NEW, QStringLiteral("&Paste"), {QKeySequence(Qt::CTRL | Qt::Key_V)});
    r.Command(ID_VIEW_STATUS_BAR, QStringLiteral("&Status Bar"));
    r.Command(ID_VIEW_TOOLBAR, QStringLiteral("&Toolbar"));
    r.Command(ID_VIEW_TOOLS_BAR, QStringLiteral("T&ools Bar"));
    r.Command(ID_VIEW_EFFECTS_BAR, QStringLiteral("&Effects Bar"));
    r.Command(ID_VIEW_COLORS_BAR, QStringLiteral("&Colors Bar"));
    r.Command(ID_VIEW_LAYER_BAR, QStringLiteral("&Layer Bar"));
    r.Command(ID_VIEW_ALL_TOOLBARS, QStringLiteral("Show/Hide &All Toolbars"),
              {QKeySequence(Qt::Key_Tab)});
    r.Command(ID_VIEW_GRID, QStringLiteral("&Grid in edit area"))->setCheckable(true);
    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_TOOLS_BAR, ID_VIEW_EFFECTS_BAR, ID_VIEW_COLORS_BAR,
                   ID_VIEW_LAYER_BAR, ID_VIEW_STATUS_BAR}) {
        r.Command(id)->setCheckable(true);
    }
    r.Command(ID_LAYER_ADD, QStringLiteral("Add &Empty Layer"));
    r.Command(ID_LAYER_DUPLICATE, QStringLiteral("&Duplicate Layer"));
    r.Command(ID_LAYER_DELETE, QStringLiteral("De&lete Layer"));
    r.Command(ID_LAYER_OPTIONS, QStringLiteral("Layer &Options"));
    r.Command(ID_LAYER_FLATTEN, QStringLiteral("&Flattern Layers"));
    r.Command(ID_PREFERENCES, QStringLiteral("&Preferences..."));
    r.Command(ID_HELP_INDEX, QStringLiteral("&Index"), {QKeySequence::HelpContents});
    // Present in the menus; the scanner, the camera and the file types come with their own
    // windows.
    r.Command(ID_FILE_ASSOCIATES, QStringLiteral("File &Associates..."));
    r.Command(ID_TWAIN_SETTINGS, QStringLiteral("&TWAIN Settings..."));
    r.Command(ID_WEB_CAMERA, QStringLiteral("&WEB Camera ..."));
    r.Command(ID_SCAN_NOW, QStringLiteral("Sc&an Now..."));
    // The transforms of the "Effects" bar; the document handles them.
    r.Command(ID_TOOLS_FLIP_VERTICAL, QStringLiteral("Flip &Vertical"));
    r.Command(ID_TOOLS_FLIP_HORIZONTAL, QStringLiteral("Flip &Horizontal"));
    r.Command(ID_TOOLS_ROTATE_LEFT, QStringLiteral("Rotate &Left"));
    r.Command(ID_TOOLS_ROTATE_RIGHT, QStringLiteral("Rotate &Right"));
    r.Command(ID_TOOLS_ROTATE_ANGLE, QStringLiteral("Rotate &Angle..."));
    AddViewCommands(r);
    AddEffectCommands(r);
    r.Command(ID_WINDOW_CASCADE, QStringLiteral("&Cascade"));
    r.Command(ID_WINDOW_TILE_HORZ, QStringLiteral("&Tile"));
    r.Command(ID_WINDOW_ARRANGE, QStringLiteral("&Arrange Icons"));
    r.Command(ID_APP_ABOUT, QStringLiteral("&About Pictorra..."));
}

void CMainFrame::CreateMenus() {
    CMainMenus& m = *m_pMenus;
    CCommandRouter& r = *m_pRouter;

    const auto addAcquire = [&r](QMenu* menu) {
        for (int id : {ID_SCAN_NOW, ID_TWAIN_SETTINGS, ID_WEB_CAMERA}) {
            menu->addAction(r.Command(id));
        }
    };
    const auto addBars = [&r](QMenu* menu) {
        for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_TOOLS_BAR, ID_VIEW_EFFECTS_BAR, ID_VIEW_COLORS_BAR,
                       ID_VIEW_LAYER_BAR, ID_VIEW_STATUS_BAR, ID_VIEW_ALL_TOOLBARS}) {
            menu->addAction(r.Command(id));
        }
    };
    const auto addSettings = [&r](QMenu* menu) {
        menu->addAction(r.Command(ID_PREFERENCES));
        menu->addAction(r.Command(ID_FILE_ASSOCIATES));
    };
    const auto addHelp = [&r](QMenu* menu) {
        menu->addAction(r.Command(ID_HELP_INDEX));
        menu->addSeparator();
        menu->addAction(r.Command(ID_APP_ABOUT));
    };

    // Menu 128: no picture open.
    QMenu* file = m.Menu(CMainMenus::kNoDocumentMenu, QStringLiteral("&File"));
    file->addAction(r.Command(ID_FILE_NEW));
    file->addAction(r.Command(ID_FILE_OPEN));
    file->addSeparator();
    addAcquire(file);
    file->addSeparator();
    m.AddRecentFiles(file);
    file->addSeparator();
    file->addAction(r.Command(ID_APP_EXIT));
    m.Menu(CMainMenus::kNoDocumentMenu, QStringLiteral("&Edit"))
        ->addAction(r.Command(ID_EDIT_PASTE_NEW));
    addBars(m.Menu(CMainMenus::kNoDocumentMenu, QStringLiteral("&View")));
    addSettings(m.Menu(CMainMenus::kNoDocumentMenu, QStringLiteral("&Tools")));
    addHelp(m.Menu(CMainMenus::kNoDocumentMenu, QStringLiteral("&Help")));

    // Menu 129: a picture is open.
    file = m.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&File"));
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS}) {
        file->addAction(r.Command(id));
    }
    file->addSeparator();
    addAcquire(file);
    file->addSeparator();
    m.AddRecentFiles(file);
    file->addSeparator();
    file->addAction(r.Command(ID_APP_EXIT));
    QMenu* edit = m.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&Edit"));
    edit->addAction(r.Command(ID_EDIT_UNDO));
    edit->addAction(r.Command(ID_EDIT_REDO));
    edit->addSeparator();
    for (int id : {kCmdCut, kCmdCopy, kCmdPaste, kCmdDelete}) {
        edit->addAction(r.Command(id));
    }
    edit->addSeparator();
    for (int id : {kCmdSelectAll, kCmdCrop, kCmdExchangeColor}) {
        edit->addAction(r.Command(id));
    }
    QMenu* selections = m.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&Selections"));
    selections->addAction(r.Command(kCmdInvertSelection));
    for (const auto& group : {
             std::array{kCmdShiftLeft, kCmdShiftRight, kCmdShiftUp, kCmdShiftDown},
             std::array{kCmdIncreaseUp, kCmdIncreaseDown, kCmdIncreaseLeft, kCmdIncreaseRight},
             std::array{kCmdDecreaseUp, kCmdDecreaseDown, kCmdDecreaseLeft, kCmdDecreaseRight},
         }) {
        selections->addSeparator();
        for (int id : group) {
            selections->addAction(r.Command(id));
        }
    }
    QMenu* view = m.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&View"));
    addBars(view);
    view->addSeparator();
    view->addAction(r.Command(ID_VIEW_GRID));
    AddViewMenus(m, r);
    QMenu* tools = m.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&Tools"));
    QMenu* toolList = tools->addMenu(QStringLiteral("&Tool"));
    connect(toolList, &QMenu::aboutToShow, &r, &CCommandRouter::UpdateAll);
    for (const CToolCommand& tool : ToolCommands()) {
        toolList->addAction(r.Command(tool.id));
    }
    toolList->addAction(r.Command(ID_VIEW_REGION_ZOOM));
    QMenu* layers = tools->addMenu(QStringLiteral("&Layers"));
    connect(layers, &QMenu::aboutToShow, &r, &CCommandRouter::UpdateAll);
    for (int id :
         {ID_LAYER_ADD, ID_LAYER_DUPLICATE, ID_LAYER_DELETE, ID_LAYER_OPTIONS, ID_LAYER_FLATTEN}) {
        layers->addAction(r.Command(id));
    }
    tools->addSeparator();
    for (int id : {ID_TOOLS_FLIP_VERTICAL, ID_TOOLS_FLIP_HORIZONTAL, ID_TOOLS_ROTATE_LEFT,
                   ID_TOOLS_ROTATE_RIGHT, ID_TOOLS_ROTATE_ANGLE}) {
        tools->addAction(r.Command(id));
    }
    tools->addSeparator();
    addSettings(tools);
    AddEffectsMenu(m, r);
    QMenu* window = m.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&Window"));
    window->addAction(r.Command(ID_WINDOW_CASCADE));
    window->addAction(r.Command(ID_WINDOW_TILE_HORZ));
    window->addAction(r.Command(ID_WINDOW_ARRANGE));
    connect(window, &QMenu::aboutToShow, this, [this, window] { FillWindowMenu(window); });
    addHelp(m.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&Help")));
}

void CMainFrame::RegisterFrameCommands() {
    OnCommand(
        ID_VIEW_GRID, [this] { ToggleGrid(); },
        [this](CCmdUI& ui) { ui.SetCheck(m_toolOptions.m_bGrid != 0); });

    // The layer commands work on the active document's stack.
    const auto layerCommand = [this](int id, auto run, int minimumLayers) {
        OnCommand(
            id,
            [this, run] {
                if (CChildFrame* child = ActiveChild()) {
                    run(child->GetDocument());
                }
            },
            [this, minimumLayers](CCmdUI& ui) {
                const CChildFrame* child = ActiveChild();
                ui.Enable(child && child->GetDocument().LayerCount() >= minimumLayers);
            });
    };
    layerCommand(
        ID_LAYER_ADD, [](CPictorraDoc& doc) { doc.AddEmptyLayer(); }, 1);
    layerCommand(
        ID_LAYER_DUPLICATE, [](CPictorraDoc& doc) { doc.DuplicateLayer(); }, 1);
    layerCommand(
        ID_LAYER_DELETE, [](CPictorraDoc& doc) { doc.DeleteLayer(); }, 2);
    layerCommand(
        ID_LAYER_OPTIONS,
        [this](CPictorraDoc& doc) { m_pLayerBar->OpenLayerOptions(doc.ActiveLayer()); }, 1);
    layerCommand(
        ID_LAYER_FLATTEN, [](CPictorraDoc& doc) { doc.FlattenLayers(); }, 1);

    OnCommand(ID_PREFERENCES, [this] { OpenPreferences(); });
    OnCommand(ID_HELP_INDEX, [this] { OpenHelp(); });
}

void CMainFrame::ToggleGrid() {
    m_toolOptions.m_bGrid = !m_toolOptions.m_bGrid;
    for (CChildFrame* child : Children()) {
        child->View().InvalidateImage();
    }
}

void CMainFrame::OpenPreferences() {
    CPreferenceDialog dialog(m_app.Settings().m_nHistoryStates, this);
    if (dialog.exec() == QDialog::Accepted) {
        m_app.Settings().m_nHistoryStates = dialog.HistoryStates();
    }
}

QTextBrowser* CMainFrame::HelpWindow() const {
    return m_pHelp.data();
}

void CMainFrame::OpenHelp() {
    if (!m_pHelp) {
        m_pHelp = new QTextBrowser(this);
        m_pHelp->setWindowFlag(Qt::Window);
        m_pHelp->setAttribute(Qt::WA_DeleteOnClose);
        m_pHelp->setObjectName(QStringLiteral("Help"));
        m_pHelp->setWindowTitle(QStringLiteral("Pictorra Help"));
        m_pHelp->setOpenExternalLinks(true);
        m_pHelp->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
        m_pHelp->resize(640, 560);
    }
    m_pHelp->show();
    m_pHelp->raise();
    m_pHelp->activateWindow();
}

void CMainFrame::RefreshLayersPanel() {
    m_pLayerBar->Sync();
}

CChildFrame* CMainFrame::ActiveChild() const {
    return m_pActiveChild.data();
}

QList<CChildFrame*> CMainFrame::Children() const {
    QList<CChildFrame*> children;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
        if (auto* child = qobject_cast<CChildFrame*>(window)) {
            children.append(child);
        }
    }
    return children;
}

CChildFrame* CMainFrame::FindChild(const CPictorraDoc* doc) const {
    for (CChildFrame* child : Children()) {
        if (&child->GetDocument() == doc) {
            return child;
        }
    }
    return nullptr;
}

void CMainFrame::AddChild(CChildFrame* child) {
    m_pMdiArea->addSubWindow(child);
    child->show();
    m_pMdiArea->setActiveSubWindow(child);
    // The area activates a window only while it is shown; the picture needs its first
    // activation anyway.
    OnSubWindowActivated(child);
}

void CMainFrame::ChildClosing(CChildFrame* child) {
    if (m_pActiveChild == child) {
        m_pActiveChild = nullptr;
    }
    if (m_pLayerBar->Document() == &child->GetDocument()) {
        m_pLayerBar->SetDocument(nullptr);
    }
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    auto* next = qobject_cast<CChildFrame*>(window);
    if (next != m_pActiveChild) {
        // The document going to the background parks its active layer number before the
        // next one takes the shared number over.
        if (CChildFrame* previous = m_pActiveChild) {
            previous->OnMDIActivate(false);
        }
        m_pActiveChild = next;
        m_pLayerBar->SetDocument(next ? &next->GetDocument() : nullptr);
        if (next) {
            // The tool last used in that document comes back.
            next->OnMDIActivate(true);
            OnToolChanged();
        }
    }
    UpdateMenus();
}

void CMainFrame::UpdateMenus() {
    const CChildFrame* child = ActiveChild();
    m_pMenus->Show(child ? CMainMenus::kDocumentMenu : CMainMenus::kNoDocumentMenu);
    setWindowTitle(child ? QStringLiteral("Pictorra - %1").arg(child->GetDocument().GetTitle())
                         : QStringLiteral("Pictorra"));
    m_pRouter->UpdateAll();
}

void CMainFrame::FillWindowMenu(QMenu* menu) {
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const QList<CChildFrame*> children = Children();
    if (children.isEmpty()) {
        return;
    }
    m_windowListActions.append(menu->addSeparator());
    for (qsizetype i = 0; i < children.size(); ++i) {
        CChildFrame* child = children[i];
        QString caption = child->ShownCaption();
        caption.replace(u'&', QStringLiteral("&&"));
        QAction* action = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
        action->setCheckable(true);
        action->setChecked(child == ActiveChild());
        connect(action, &QAction::triggered, this, [this, child = QPointer<CChildFrame>(child)] {
            if (child) {
                m_pMdiArea->setActiveSubWindow(child);
            }
        });
        m_windowListActions.append(action);
    }
}

void CMainFrame::ArrangeIcons() {
    // Minimised windows in a row along the bottom of the area, left to right.
    int x = 0;
    const int bottom = m_pMdiArea->viewport()->height();
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
        if (window->isMinimized()) {
            window->move(x, bottom - window->height());
            x += window->width();
        }
    }
}

bool CMainFrame::CloseAllDocuments() {
    for (CChildFrame* child : Children()) {
        if (child->GetDocument().IsModified()) {
            // Shown while asked about, and its document active so that it saves its own
            // layers.
            m_pMdiArea->setActiveSubWindow(child);
            OnSubWindowActivated(child);
            if (!child->DocCommands().SaveModified()) {
                return false;
            }
        }
    }
    for (CChildFrame* child : Children()) {
        child->CloseWithoutAsking();
    }
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!CloseAllDocuments()) {
        event->ignore();
        return;
    }
    SaveWindowState(m_app.Settings());
    m_app.OnMainFrameClosed();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    // Opened once the drop has ended: a message about a file must not hold up the program
    // the files came from.
    QTimer::singleShot(0, this,
                       [this, urls = event->mimeData()->urls()] { OpenDroppedFiles(urls); });
}

void CMainFrame::OpenDroppedFiles(const QList<QUrl>& urls) {
    activateWindow();
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            m_app.OpenDocumentFile(url.toLocalFile());
        }
    }
}
