#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "document/ToolState.h"
#include "panels/ColorBar.h"
#include "ui/CommandIds.h"
#include "ui/CommandRouter.h"
#include "view/PictorraView.h"
#include "view/Tool.h"

void CMainFrame::ConnectColorBar() {
    CCommandRouter& r = *m_pRouter;
    const auto whileOpen = [this](CCmdUI& ui) { ui.Enable(ActiveChild() != nullptr); };
    OnCommand(
        ID_COLOR_PRIMARY, [this] { m_pColors->ChooseSystemColor(0); }, whileOpen);
    OnCommand(
        ID_COLOR_SECONDARY, [this] { m_pColors->ChooseSystemColor(1); }, whileOpen);
    m_pColors->SetColorButtonActions(r.Command(ID_COLOR_PRIMARY, QStringLiteral("Set Color")),
                                     r.Command(ID_COLOR_SECONDARY, QStringLiteral("Set Color")));

    // A colour chosen on the bar while text is being typed recolours that text.
    connect(m_pColors, &CColorBar::TextColorChanged, this, [this] {
        CChildFrame* child = ActiveChild();
        if (!child || ToolOptions().m_nTool != ToolTextTyping) {
            return;
        }
        CPictorraView& view = child->View();
        if (CTool* tool = view.ToolFor(ToolTextTyping)) {
            tool->OnColorsChanged(view);
        }
    });
}
