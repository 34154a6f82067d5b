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
#include <QTimer>
#include <array>

#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/CommandRouter.h"
#include "app/DocCommands.h"
#include "app/MainFrameHost.h"
#include "app/MainMenus.h"
#include "app/PictorraApp.h"
#include "document/PictorraDoc.h"
#include "document/SelectionCommands.h"
#include "effects/EffectCommands.h"
#include "panels/LayerDialog.h"
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
    statusBar()->showMessage(QStringLiteral("Ready"));

    OnCommand(ID_WINDOW_CASCADE, [this] { m_pMdiArea->cascadeSubWindows(); });
    OnCommand(ID_WINDOW_TILE_HORZ, [this] { m_pMdiArea->tileSubWindows(); });
    OnCommand(ID_WINDOW_ARRANGE, [this] { ArrangeIcons(); });
    OnCommand(
        ID_VIEW_STATUS_BAR, [this] { statusBar()->setHidden(!statusBar()->isHidden()); },
        [this](CCmdUI& ui) { ui.SetCheck(!statusBar()->isHidden()); });

    m_pMenus->UpdateRecentFiles(m_app.Settings().m_RecentFiles);
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

    // Menu 128: no picture open.
    QMenu* file = m.Menu(CMainMenus::kNoDocumentMenu, QStringLiteral("&File"));
    file->addAction(r.Command(ID_FILE_NEW));
    file->addAction(r.Command(ID_FILE_OPEN));
    file->addSeparator();
    m.AddRecentFiles(file);
    file->addSeparator();
    file->addAction(r.Command(ID_APP_EXIT));
    m.Menu(CMainMenus::kNoDocumentMenu, QStringLiteral("&Edit"))
        ->addAction(r.Command(ID_EDIT_PASTE_NEW));
    m.Menu(CMainMenus::kNoDocumentMenu, QStringLiteral("&View"))
        ->addAction(r.Command(ID_VIEW_STATUS_BAR));
    m.Menu(CMainMenus::kNoDocumentMenu, QStringLiteral("&Help"))
        ->addAction(r.Command(ID_APP_ABOUT));

    // Menu 129: a picture is open.
    file = m.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&File"));
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS}) {
        file->addAction(r.Command(id));
    }
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
    m.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&View"))
        ->addAction(r.Command(ID_VIEW_STATUS_BAR));
    AddViewMenus(m, r);
    AddEffectsMenu(m, r);
    QMenu* window = m.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&Window"));
    window->addAction(r.Command(ID_WINDOW_CASCADE));
    window->addAction(r.Command(ID_WINDOW_TILE_HORZ));
    window->addAction(r.Command(ID_WINDOW_ARRANGE));
    connect(window, &QMenu::aboutToShow, this, [this, window] { FillWindowMenu(window); });
    m.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&Help"))->addAction(r.Command(ID_APP_ABOUT));
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
            next->OnMDIActivate(true);
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
