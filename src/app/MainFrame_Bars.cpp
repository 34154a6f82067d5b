// The main frame's bars: the three tool bars, the eight option bars, the colour bar's and the
// layers panel's docks, the status bar panes, Show/Hide All Toolbars and the saved layout.
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include "app/AppSettings.h"
#include "app/MainFrame.h"
#include "app/ToolCommands.h"
#include "document/SelectionCommands.h"
#include "panels/LayerDialog.h"
#include "ui/BarIcons.h"
#include "ui/CommandIds.h"
#include "ui/CommandRouter.h"

namespace {

constexpr int kToolBarIconSize = 24;
constexpr int kSeparator = 0;

struct CBarButton {
    int id;  // kSeparator: a separator
    const char* icon;
};

const CBarButton kStandardButtons[] = {
    {ID_FILE_NEW, "new"},  {ID_FILE_OPEN, "open"}, {ID_FILE_SAVE, "save"}, {ID_FILE_CLOSE, "close"},
    {kSeparator, nullptr}, {ID_EDIT_UNDO, "undo"}, {ID_EDIT_REDO, "redo"},
};

const CBarButton kEffectsButtons[] = {
    {ID_TOOLS_FLIP_VERTICAL, "flip-vertical"},
    {ID_TOOLS_FLIP_HORIZONTAL, "flip-horizontal"},
    {ID_TOOLS_ROTATE_LEFT, "rotate-left"},
    {ID_TOOLS_ROTATE_RIGHT, "rotate-right"},
    {ID_TOOLS_ROTATE_ANGLE, "rotate-angle"},
    {kSeparator, nullptr},
    {kCmdShiftLeft, "shift-left"},
    {kCmdShiftRight, "shift-right"},
    {kCmdShiftUp, "shift-up"},
    {kCmdShiftDown, "shift-down"},
    {kSeparator, nullptr},
    {ID_VIEW_ZOOM_IN, "zoom-in"},
    {ID_VIEW_ZOOM_OUT, "zoom-out"},
    {ID_VIEW_REGION_ZOOM, "region-zoom"},
};

// The "Tools" bar: the selection tools, the painting tools, the shape tools.
const int kToolsButtons[] = {
    ID_TOOL_MOVE_LAYER,
    ID_TOOL_RECT_SELECT,
    ID_TOOL_ELLIPSE_SELECT,
    ID_TOOL_LASSO,
    ID_TOOL_FREE_LASSO,
    ID_TOOL_SCISSOR,
    ID_TOOL_HUE_SELECT,
    kSeparator,
    ID_TOOL_COLOR_SELECT,
    ID_TOOL_ERASE,
    ID_TOOL_FILL,
    ID_TOOL_SPRAY,
    ID_TOOL_STAMP,
    ID_TOOL_PENCIL,
    ID_TOOL_BRUSH,
    ID_TOOL_LINE,
    ID_TOOL_BLUR,
    ID_TOOL_TEXT,
    kSeparator,
    ID_TOOL_RECTANGLE,
    ID_TOOL_FILLED_RECTANGLE,
    ID_TOOL_ELLIPSE,
    ID_TOOL_FILLED_ELLIPSE,
    ID_TOOL_GRADIENT,
};

QToolBar* MakeBar(QMainWindow* window, const QString& name, const QString& title, int iconSize) {
    auto* bar = new QToolBar(title, window);
    bar->setObjectName(name);
    bar->setIconSize(QSize(iconSize, iconSize));
    return bar;
}

}  // namespace

void CMainFrame::CreateToolBars() {
    CCommandRouter& r = *m_pRouter;
    m_pStandardBar =
        MakeBar(this, QStringLiteral("Standard"), QStringLiteral("Standard"), kToolBarIconSize);
    m_pEffectsBar =
        MakeBar(this, QStringLiteral("Effects"), QStringLiteral("Effects"), kToolBarIconSize);
    for (const auto& [bar, buttons] :
         {std::pair{m_pStandardBar, std::span<const CBarButton>(kStandardButtons)},
          std::pair{m_pEffectsBar, std::span<const CBarButton>(kEffectsButtons)}}) {
        for (const CBarButton& button : buttons) {
            if (button.id == kSeparator) {
                bar->addSeparator();
                continue;
            }
            QAction* action = r.Command(button.id);
            action->setIcon(BarIcon(QLatin1String(button.icon), kToolBarIconSize));
            bar->addAction(action);
        }
    }

    m_pToolsBar = MakeBar(this, QStringLiteral("Tools"), QStringLiteral("Tools"), kToolBarIconSize);
    for (int id : kToolsButtons) {
        if (id == kSeparator) {
            m_pToolsBar->addSeparator();
            continue;
        }
        const CToolCommand* tool = FindToolCommand(id);
        QAction* action = r.Command(id);
        action->setIcon(BarIcon(QLatin1String(tool->icon), kToolBarIconSize));
        m_pToolsBar->addAction(action);
    }

    addToolBar(Qt::TopToolBarArea, m_pStandardBar);
    addToolBar(Qt::TopToolBarArea, m_pEffectsBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_pToolsBar);
}

void CMainFrame::CreateOptionBars() {
    // All docked beside the "Tools" bar and hidden; the current tool's bar shows
    // (UpdateOptionBars).
    const auto bars = OptionBars();
    for (size_t i = 0; i < bars.size(); ++i) {
        const COptionBar& options = bars[i];
        QToolBar* bar = MakeBar(this, QLatin1String(options.name), QLatin1String(options.title),
                                options.iconSize);
        for (const COptionButton& button : options.buttons) {
            QAction* action = m_pRouter->Command(button.id);
            action->setIcon(BarIcon(QLatin1String(button.icon), options.iconSize));
            bar->addAction(action);
        }
        addToolBar(Qt::TopToolBarArea, bar);
        bar->hide();
        m_optionBars[i] = bar;
    }
}

void CMainFrame::CreateStatusBar() {
    // Pane 0 takes the prompts (status tips), pane 1 the position and sizes the view reports,
    // pane 2 the hints of the current tool.
    constexpr int kWidths[kPaneCount] = {300, 150, 0};
    for (int i = 0; i < kPaneCount; ++i) {
        auto* pane = new QLabel(statusBar());
        pane->setObjectName(QStringLiteral("StatusPane%1").arg(i));
        pane->setTextFormat(Qt::PlainText);
        if (kWidths[i] > 0) {
            pane->setFixedWidth(kWidths[i]);
        }
        statusBar()->addWidget(pane, kWidths[i] > 0 ? 0 : 1);
        m_panes[size_t(i)] = pane;
    }
    SetStatusPane(0, QStringLiteral("Ready"));
}

void CMainFrame::SetStatusPane(int pane, const QString& text) {
    if (pane >= 0 && pane < kPaneCount && m_panes[size_t(pane)]->text() != text) {
        m_panes[size_t(pane)]->setText(text);
    }
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Prompts go to pane 0 and leave the other panes in place.
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        SetStatusPane(0, tip.isEmpty() ? QStringLiteral("Ready") : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::SetColorBar(QDockWidget* bar) {
    m_pColorBar = bar;
    if (!bar) {
        return;
    }
    if (bar->objectName().isEmpty()) {
        bar->setObjectName(QStringLiteral("Colors"));
    }
    addDockWidget(Qt::LeftDockWidgetArea, bar);
    if (!m_bLayoutRestored) {
        return;  // the saved layout places it
    }
    // Shown unless the saved layout has it hidden.
    bar->show();
    restoreDockWidget(bar);
    if (!m_bToolbarsShown && !bar->isHidden()) {
        // Hidden with the others; the next Tab shows it.
        bar->hide();
        m_hiddenByTab.append(bar);
    }
}

QDockWidget* CMainFrame::ColorBar() const {
    return m_pColorBar.data();
}

QList<QWidget*> CMainFrame::MainBars() const {
    QList<QWidget*> bars{m_pStandardBar, m_pToolsBar, m_pEffectsBar, m_pLayerBar};
    if (m_pColorBar) {
        bars.prepend(m_pColorBar);
    }
    return bars;
}

void CMainFrame::ToggleBar(QWidget* bar) {
    if (bar) {
        bar->setVisible(bar->isHidden());
    }
}

void CMainFrame::ToggleAllToolbars() {
    m_bToolbarsShown = !m_bToolbarsShown;
    if (!m_bToolbarsShown) {
        m_hiddenByTab.clear();
        for (QWidget* bar : MainBars()) {
            if (!bar->isHidden()) {
                m_hiddenByTab.append(bar);
                bar->hide();
            }
        }
    } else {
        for (const QPointer<QWidget>& bar : std::exchange(m_hiddenByTab, {})) {
            if (bar) {
                bar->show();
            }
        }
    }
    UpdateOptionBars();
}

void CMainFrame::UpdateOptionBars() {
    const CToolOptions& options = m_toolOptions;
    // While Alt turns a painting tool into the colour picker the painting tool's bar stays.
    const int tool = options.m_nTool == ToolColorPicker && options.m_nParkedTool != 0
                         ? options.m_nParkedTool
                         : options.m_nTool;
    const int shown = m_bToolbarsShown ? OptionBarIndexFor(tool) : -1;
    for (int i = 0; i < kOptionBarCount; ++i) {
        QToolBar* bar = m_optionBars[size_t(i)];
        if (bar->isHidden() == (i == shown)) {
            bar->setVisible(i == shown);
        }
    }
}

QMenu* CMainFrame::createPopupMenu() {
    // The bars the user may show and hide; the option bars follow the tool.
    auto* menu = new QMenu(this);
    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_TOOLS_BAR, ID_VIEW_EFFECTS_BAR, ID_VIEW_COLORS_BAR,
                   ID_VIEW_LAYER_BAR}) {
        menu->addAction(m_pRouter->Command(id));
    }
    m_pRouter->UpdateAll();
    return menu;
}

void CMainFrame::RegisterBarCommands() {
    const auto barCommand = [this](int id, auto bar) {
        OnCommand(
            id, [this, bar] { ToggleBar(bar()); },
            [bar](CCmdUI& ui) {
                QWidget* w = bar();
                ui.Enable(w != nullptr);
                ui.SetCheck(w && !w->isHidden());
            });
    };
    barCommand(ID_VIEW_TOOLBAR, [this]() -> QWidget* { return m_pStandardBar; });
    barCommand(ID_VIEW_TOOLS_BAR, [this]() -> QWidget* { return m_pToolsBar; });
    barCommand(ID_VIEW_EFFECTS_BAR, [this]() -> QWidget* { return m_pEffectsBar; });
    barCommand(ID_VIEW_COLORS_BAR, [this]() -> QWidget* { return m_pColorBar.data(); });
    barCommand(ID_VIEW_LAYER_BAR, [this]() -> QWidget* { return m_pLayerBar; });
    OnCommand(ID_VIEW_ALL_TOOLBARS, [this] { ToggleAllToolbars(); });
}

void CMainFrame::SaveWindowState(CAppSettings& settings) {
    settings.m_baGeometry = saveGeometry();
    // Saved with the bars Tab hid shown again, so that the next run does not start bare.
    const bool hiddenByTab = !m_bToolbarsShown;
    if (hiddenByTab) {
        ToggleAllToolbars();
    }
    settings.m_baBarState = saveState(kBarStateVersion);
    if (hiddenByTab) {
        ToggleAllToolbars();
    }
}

void CMainFrame::RestoreWindowState(const CAppSettings& settings) {
    if (!settings.m_baGeometry.isEmpty()) {
        restoreGeometry(settings.m_baGeometry);
    }
    if (!settings.m_baBarState.isEmpty()) {
        restoreState(settings.m_baBarState, kBarStateVersion);
    }
    m_bLayoutRestored = true;
    // The option bars follow the tool, whatever the saved layout says.
    UpdateOptionBars();
}
