#include "app/ChildFrame.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <utility>

#include "app/DocCommands.h"
#include "app/MainFrame.h"
#include "document/PictorraDoc.h"
#include "view/PictorraView.h"

CChildFrame::CChildFrame(std::unique_ptr<CPictorraDoc> doc, CPictorraApp& app,
                         CMainFrame& mainFrame)
    : m_app(app), m_mainFrame(mainFrame), m_pDocument(std::move(doc)) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_pCommands = std::make_unique<CDocCommands>(*m_pDocument, *this, m_app);
    m_pView = new CPictorraView(*m_pDocument, *this);
    setWidget(m_pView);
    m_pView->OnInitialUpdate();
}

CChildFrame::~CChildFrame() {
    m_mainFrame.ChildClosing(this);
    // The view reads the document, so it goes first.
    delete std::exchange(m_pView, nullptr);
}

QString CChildFrame::ShownCaption() const {
    QString caption = windowTitle();
    caption.replace(QStringLiteral("[*]"), isWindowModified() ? QStringLiteral("*") : QString());
    return caption;
}

void CChildFrame::SetCaption(const QString& caption) {
    setWindowTitle(caption);
    setWindowModified(m_pDocument->IsModified());
}

CToolOptions& CChildFrame::ToolOptions() {
    return m_mainFrame.ToolOptions();
}

void CChildFrame::SetStatusText(const QString& text) {
    if (m_bActive) {
        m_mainFrame.SetStatusPane(1, text);
    }
}

void CChildFrame::RefreshLayersPanel() {
    if (m_bActive) {
        m_mainFrame.RefreshLayersPanel();
    }
}

CSelection* CChildFrame::ViewSelection() const {
    return m_pView ? &m_pView->Selection() : nullptr;
}

void CChildFrame::OnMDIActivate(bool active) {
    CDocumentHost& host = m_pDocument->Host();
    if (!active) {
        m_bActive = false;
        m_pDocument->OnFrameDeactivated();
        m_nRememberedTool = host.CurrentTool();
        return;
    }
    m_bActive = true;
    if (!m_bShownOnce) {
        OnFirstActivation();
    } else {
        m_pDocument->OnFrameActivated();
    }
    host.SetCurrentTool(m_nRememberedTool);
    m_pView->viewport()->update();
    m_pView->setFocus();
}

void CChildFrame::OnFirstActivation() {
    m_bShownOnce = true;
    // Makes the first layer from the picture and rebuilds the caches.
    m_pDocument->OnFrameActivated();
    m_pView->UpdateScrollAndTitle();
    m_pView->UpdateOrigin();
    m_pView->ChooseFirstZoom(m_mainFrame.width());
    if (!isMaximized()) {
        // Big enough to show the whole picture, as far as the main window allows.
        const QSize decoration = size() - m_pView->size();
        const QSize room = m_mainFrame.MdiArea()->viewport()->size();
        resize((m_pView->sizeHint() + decoration).boundedTo(room));
    }
}

void CChildFrame::OnDocumentChanged(unsigned changes) {
    if (!m_pView) {
        return;  // the frame is closing: its view went first
    }
    if (changes & (kChangeCaches | kChangeStack | kChangeImageSize | kChangeTitle)) {
        m_pView->UpdateScrollAndTitle();
        m_pView->UpdateOrigin();
    }
    if (changes & (kChangeCaches | kChangeStack | kChangeActiveLayer | kChangeImageSize |
                   kChangeSelection | kChangeThumbnails)) {
        m_pView->InvalidateImage();
    }
    if (changes & kChangeTitle) {
        setWindowModified(m_pDocument->IsModified());
        if (m_bActive) {
            m_mainFrame.UpdateMenus();
        }
    }
}

void CChildFrame::CloseWithoutAsking() {
    m_bAsked = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_bAsked) {
        if (m_pDocument->IsModified()) {
            // The picture asked about is the one in front.
            m_mainFrame.MdiArea()->setActiveSubWindow(this);
        }
        if (!m_pCommands->SaveModified()) {
            event->ignore();
            return;
        }
        m_bAsked = true;
    }
    m_pDocument->OnCloseDocument();
    m_mainFrame.ChildClosing(this);
    QMdiSubWindow::closeEvent(event);
}
