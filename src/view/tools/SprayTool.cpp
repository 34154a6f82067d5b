#include "view/tools/SprayTool.h"

#include "document/PictorraDoc.h"
#include "paint/Spray.h"
#include "ui/ToolOptions.h"
#include "view/PictorraView.h"

void CSprayTool::Begin(CToolEvent& ev, int timer) {
    // The right button does not start a second spray while the left one sprays, nor the
    // other way round.
    if (m_nTimer != 0 || !PointOnActiveLayer(ev) || !StartStroke(ev)) {
        return;
    }
    m_nTimer = timer;
    ev.view.StartToolTimer(timer, 1);
    ev.view.SetCurrentTool(ToolSpraying);
}

void CSprayTool::Puff(CToolEvent& ev) {
    CPaintTarget target = CurrentPaintTarget(ev.doc);
    if (!target) {
        return;
    }
    CDocumentHost& host = ev.doc.Host();
    const uint32_t colour = m_nTimer == kRightTimer ? host.SecondaryColor() : host.PrimaryColor();
    const int size = ev.options.m_nSpraySize;
    const QRect reach = SprayPuff(*target.bitmap, m_ptLast, SprayRadius(size), SprayDots(size),
                                  colour, host.RandomSequence());
    Repaint(ev, reach.adjusted(-1, -1, 1, 1));
}

void CSprayTool::OnMove(CToolEvent& ev) {
    if (!InStroke(ev)) {
        return;
    }
    // The centre follows the cursor.
    m_ptLast = TargetPoint(ev);
    ev.view.m_ptAnchor = ev.layer;
    Puff(ev);
}

void CSprayTool::OnTimer(CToolEvent& ev, int id) {
    if (m_bStroke && id == m_nTimer) {
        Puff(ev);
    }
}

void CSprayTool::StopTimer(CPictorraView& view) {
    if (m_nTimer != 0) {
        view.KillToolTimer(m_nTimer);
        m_nTimer = 0;
    }
    if (view.CurrentTool() == ToolSpraying) {
        view.SetCurrentTool(ToolSpray);
    }
}

void CSprayTool::End(CToolEvent& ev) {
    if (!InStroke(ev)) {
        return;
    }
    StopTimer(ev.view);
    FinishStroke(ev.doc);
}

void CSprayTool::Deactivate(CPictorraView& view) {
    if (m_nTimer != 0) {
        view.KillToolTimer(m_nTimer);
        m_nTimer = 0;
    }
    CFreehandTool::Deactivate(view);
}
