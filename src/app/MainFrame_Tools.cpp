// The main frame's tool palette: the tool commands, the option bars' buttons and the hints
// of the current tool in status pane 2.
#include <QAction>

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/ToolCommands.h"
#include "document/PictorraDoc.h"
#include "ui/CommandRouter.h"
#include "view/PictorraView.h"

void CMainFrame::RegisterToolCommands() {
    CCommandRouter& r = *m_pRouter;
    for (const CToolCommand& tool : ToolCommands()) {
        const QString text = QLatin1String(tool.text);
        QAction* action = r.Command(tool.id, text);
        action->setCheckable(true);
        action->setStatusTip(text);
        OnCommand(
            tool.id, [this, &tool] { SelectTool(tool.state, tool.steps); },
            [this, &tool](CCmdUI& ui) { ui.SetCheck(tool.checked.Has(m_toolOptions.m_nTool)); });
    }

    for (const COptionBar& bar : OptionBars()) {
        for (const COptionButton& button : bar.buttons) {
            const QString text = QLatin1String(button.text);
            QAction* action = r.Command(button.id, text);
            action->setCheckable(true);
            action->setStatusTip(text);
            const int value = button.value;
            OnCommand(
                button.id,
                [this, &bar, value] {
                    if (int* option = OptionOf(bar, m_toolOptions)) {
                        *option = value;
                        // The brush, eraser and stamp outlines follow the new size.
                        if (CChildFrame* child = ActiveChild()) {
                            child->View().InvalidateImage();
                        }
                    }
                },
                [this, &bar, value](CCmdUI& ui) {
                    const int* option = OptionOf(bar, m_toolOptions);
                    ui.SetCheck(option && *option == value);
                });
        }
    }
}

void CMainFrame::SelectTool(int state, unsigned steps) {
    if (CChildFrame* child = ActiveChild()) {
        CPictorraDoc& doc = child->GetDocument();
        // Dropping the selection ends the typing too.
        if (steps & kStepDropSelection) {
            doc.DropSelection();
        } else if (steps & kStepFinishText) {
            doc.FinishTextEntry();
        }
    }
    m_toolOptions.m_nParkedTool = 0;
    m_toolOptions.m_nTool = state;
    OnToolChanged();
}

void CMainFrame::OnToolChanged() {
    if (CChildFrame* child = ActiveChild()) {
        child->View().ToolStateChanged();
    }
    UpdateOptionBars();
    SetStatusPane(2, ToolHint());
}

QString CMainFrame::ToolHint() const {
    const int tool = m_toolOptions.m_nTool;
    if (tool == ToolScissorClosed) {
        return QStringLiteral("ESC - Remove Selection, Enter - Apply Selection");
    }
    if (tool == ToolRectSelect || tool == ToolRectSelectMove ||
        (tool >= ToolLasso && tool <= ToolLassoMove) || tool == ToolEllipseSelect ||
        tool == ToolEllipseSelectMove || (tool >= ToolFreeLasso && tool <= ToolScissorMove) ||
        tool == ToolScissorEditAnchor) {
        return QStringLiteral(
            "SHIFT - Add region, ALT - Delete region, CTRL - Cut Selection, ESC - Remove "
            "Selection");
    }
    if (tool == ToolGradient || tool == ToolGradientDragging) {
        return QStringLiteral("Right key mouse - Options");
    }
    return {};
}

void CMainFrame::OnCommandsUpdated() {
    // Tool states also change without a tool command (Alt, Esc, Region Zoom, the tools' own
    // steps): the bars and the hint catch up whenever the program idles.
    UpdateOptionBars();
    SetStatusPane(2, ToolHint());
}
