#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

#include "ui/CmdTarget.h"
#include "ui/ToolOptions.h"

struct CAppSettings;
class CChildFrame;
class CColorBar;
class CLayerDialog;
class CCommandRouter;
class CMainFrameHost;
class CMainMenus;
class CPictorraApp;
class CPictorraDoc;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTextBrowser;
class QToolBar;

// The main window: one child window per open picture in its MDI area, the menus, the tool
// bars ("Standard", "Effects", "Tools"), the eight option bars of the tools, the colour bar and
// the layers panel, the status bar, and the command router that sends every command along the
// active view, its document, the child frame, this frame and the application. It holds the
// current tool and its options, and the host through which the documents reach the windows.
class CMainFrame : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    static constexpr int kOptionBarCount = 8;
    // The status bar's panes: 0 messages and prompts, 1 the cursor position and sizes, 2 the
    // current tool's hints.
    static constexpr int kPaneCount = 3;
    // The version stamped on the saved bar layout.
    static constexpr int kBarStateVersion = 1;

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
    // The colour bar, holding the primary and secondary colours.
    CColorBar& Colors() const { return *m_pColors; }
    void RefreshLayersPanel();

    // --- Bars (MainFrame_Bars.cpp) -----------------------------------------------------------
    QToolBar* StandardBar() const { return m_pStandardBar; }
    QToolBar* EffectsBar() const { return m_pEffectsBar; }
    QToolBar* ToolsBar() const { return m_pToolsBar; }
    // The option bars in the order of OptionBars() (app/ToolCommands.h).
    QToolBar* OptionBar(int index) const { return m_optionBars[size_t(index)]; }
    // The colour bar's dock, installed by the colour bar from the constructor; it takes the
    // saved place at once (also when installed after the saved layout came back).
    void SetColorBar(QDockWidget* bar);
    QDockWidget* ColorBar() const;
    // A pane of the status bar.
    QLabel* StatusPane(int pane) const { return m_panes[size_t(pane)]; }
    void SetStatusPane(int pane, const QString& text);
    // Show/Hide All Toolbars (Tab): hiding remembers which bars were shown, showing brings
    // exactly those back.
    void ToggleAllToolbars();
    bool ToolbarsShown() const { return m_bToolbarsShown != 0; }
    // Shows the option bar of the current tool (the tool Alt parked counts) and hides the
    // others; all stay hidden while Tab hid the bars.
    void UpdateOptionBars();
    // The window's geometry and bar layout, kept in the settings between runs.
    void SaveWindowState(CAppSettings& settings);
    void RestoreWindowState(const CAppSettings& settings);

    // --- Tools (MainFrame_Tools.cpp) ----------------------------------------------------------
    // What a tool command does: ends the text being typed or drops the selection as steps
    // (ToolStep) asks, sets m_nTool, lets the view end what the previous tool had in progress,
    // shows the tool's option bar and cursor.
    void SelectTool(int state, unsigned steps);
    // The current tool changed by other means (a child frame brought its tool back).
    void OnToolChanged();
    // Status pane 2 as the current tool asks.
    QString ToolHint() const;
    // The help window, once Help has opened it.
    QTextBrowser* HelpWindow() const;

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
    bool event(QEvent* event) override;
    QMenu* createPopupMenu() override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreateOptionBars();
    void CreateStatusBar();
    void RegisterBarCommands();
    void RegisterToolCommands();
    void RegisterFrameCommands();
    // After every round of command updates (when the program idles): the hint pane and the
    // option bars follow the tool.
    void OnCommandsUpdated();
    // The bars Tab shows and hides besides the option bars.
    QList<QWidget*> MainBars() const;
    void ToggleBar(QWidget* bar);
    void ToggleGrid();
    void OpenPreferences();
    void OpenHelp();

    // The "Set Color" commands and the text tool's following of the bar (MainFrame_ColorBar).
    void ConnectColorBar();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void FillWindowMenu(QMenu* menu);
    void ArrangeIcons();

    CPictorraApp& m_app;
    CToolOptions m_toolOptions;
    QMdiArea* m_pMdiArea;
    CLayerDialog* m_pLayerBar;
    CColorBar* m_pColors = nullptr;
    CCommandRouter* m_pRouter;
    std::unique_ptr<CMainMenus> m_pMenus;
    std::unique_ptr<CMainFrameHost> m_pHost;
    QPointer<CChildFrame> m_pActiveChild;
    QList<QAction*> m_windowListActions;

    QToolBar* m_pStandardBar = nullptr;
    QToolBar* m_pEffectsBar = nullptr;
    QToolBar* m_pToolsBar = nullptr;
    std::array<QToolBar*, kOptionBarCount> m_optionBars{};
    QPointer<QDockWidget> m_pColorBar;
    std::array<QLabel*, kPaneCount> m_panes{};
    int m_bToolbarsShown = 1;
    bool m_bLayoutRestored = false;
    QList<QPointer<QWidget>> m_hiddenByTab;  // the bars Tab hid, shown again by the next Tab
    QPointer<QTextBrowser> m_pHelp;
};
