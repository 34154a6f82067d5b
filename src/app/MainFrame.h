#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/CmdTarget.h"
#include "app/ToolOptions.h"

class CChildFrame;
class CLayerDialog;
class CCommandRouter;
class CMainFrameHost;
class CMainMenus;
class CPictorraApp;
class CPictorraDoc;
class QMdiArea;
class QMdiSubWindow;

// The main window: one child window per open picture in its MDI area, the menus, the status
// bar, and the command router that sends every command along the active view, its document,
// the child frame, this frame and the application. It also holds the host through which the
// documents reach the windows.
class CMainFrame : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    explicit CMainFrame(CPictorraApp& app);
    ~CMainFrame() override;

    CCommandRouter& Router() const { return *m_pRouter; }
    CMainMenus& Menus() const { return *m_pMenus; }
    CMainFrameHost& Host() const { return *m_pHost; }
    QMdiArea* MdiArea() const { return m_pMdiArea; }
    CPictorraApp& App() const { return m_app; }
    // The current tool and its options, which the view and the tools read at every event.
    CToolOptions& ToolOptions() { return m_toolOptions; }
    const CToolOptions& ToolOptions() const { return m_toolOptions; }

    // The layers panel, and its repaint after a stroke (the thumbnails follow).
    CLayerDialog& LayerBar() const { return *m_pLayerBar; }
    void RefreshLayersPanel();

    // The active child window, or null when no picture is open.
    CChildFrame* ActiveChild() const;
    QList<CChildFrame*> Children() const;
    CChildFrame* FindChild(const CPictorraDoc* doc) const;

    // Shows a new child window and makes it the active one.
    void AddChild(CChildFrame* child);
    // A child window is going away: it is no longer the active one.
    void ChildClosing(CChildFrame* child);
    // Asks about every picture with unsaved changes, then closes all; false when the user
    // cancelled (nothing is closed then).
    bool CloseAllDocuments();

    // Menu bar 129 while a picture is open, 128 otherwise; the window title.
    void UpdateMenus();
    // Files dropped on the window are opened like Open.
    void OpenDroppedFiles(const QList<QUrl>& urls);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void FillWindowMenu(QMenu* menu);
    void ArrangeIcons();

    CPictorraApp& m_app;
    CToolOptions m_toolOptions;
    QMdiArea* m_pMdiArea;
    CLayerDialog* m_pLayerBar;
    CCommandRouter* m_pRouter;
    std::unique_ptr<CMainMenus> m_pMenus;
    std::unique_ptr<CMainFrameHost> m_pHost;
    QPointer<CChildFrame> m_pActiveChild;
    QList<QAction*> m_windowListActions;
};
