#include "view/tools/ScissorTool.h"

#include <algorithm>
#include <cstdlib>

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "view/PictorraView.h"

namespace {

int SquaredDistance(QPoint a, QPoint b) {
    const QPoint d = a - b;
    return d.x() * d.x() + d.y() * d.y();
}

// A press in a closed outline picks points nearer than this (squared, image pixels).
constexpr int kPickReach = 19;

}  // namespace

bool CScissorTool::ClosesOutline(QPoint first, QPoint p) {
    return std::abs(p.x() - first.x()) <= 2 && std::abs(p.y() - first.y()) <= 2;
}

void CScissorTool::Start(CToolEvent& ev, int drawingState) {
    CPictorraView& view = ev.view;
    view.m_arrPathPoints = {ev.image, ev.image};
    view.m_arrAnchors = {0};
    // The layer may have been painted on since the last outline.
    m_bMapStale = true;
    view.SetCurrentTool(drawingState);
    RepaintAround(ev, QRect(ev.image, QSize(1, 1)));
}

std::vector<QPoint> CScissorTool::SearchPath(CToolEvent& ev, QPoint from, QPoint to) {
    CPictorraDoc& doc = ev.doc;
    const CLayerFrame* layer = doc.ActiveLayer();
    const Bitmap* bitmap = doc.m_pActiveBitmap;
    if (!layer || !bitmap) {
        return {from, to};
    }
    if (m_bMapStale || m_pMapOf != bitmap || m_nMapSerial != bitmap->Serial() ||
        m_LiveWire.Width() != bitmap->Width() || m_LiveWire.Height() != bitmap->Height()) {
        m_LiveWire.AttachPicture(*bitmap);
        m_pMapOf = bitmap;
        m_nMapSerial = bitmap->Serial();
        m_bMapStale = false;
    }
    const QPoint offset(layer->m_nOffsetX, layer->m_nOffsetY);
    std::vector<QPoint> path = m_LiveWire.FindPath(from - offset, to - offset);
    for (QPoint& p : path) {
        p += offset;
    }
    if (path.empty()) {
        path = {from, to};
    }
    return path;
}

void CScissorTool::AddAnchor(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    auto& points = view.m_arrPathPoints;
    auto& anchors = view.m_arrAnchors;
    if (points.size() < 2 || anchors.empty()) {
        Start(ev, ev.tool);
        return;
    }
    points.pop_back();  // the point that followed the mouse
    const std::vector<QPoint> path = SearchPath(ev, points.back(), ev.image);
    points.insert(points.end(), path.begin() + 1, path.end());
    anchors.push_back(int(points.size()) - 1);
    points.push_back(ev.image);
    if (ClosesOutline(points.front(), ev.image)) {
        ev.doc.m_bSelection = true;
        ev.doc.PushUndoState();
        points.back() = points.front();
        anchors.back() = int(points.size()) - 1;
        view.SetCurrentTool(ToolScissorClosed);
    }
    view.InvalidateImage();
}

void CScissorTool::PickAnchor(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    auto& points = view.m_arrPathPoints;
    auto& anchors = view.m_arrAnchors;
    if (anchors.size() < 2) {
        return;
    }
    int best = kPickReach, anchor = -1;
    for (size_t i = 0; i < anchors.size(); ++i) {
        const int d = SquaredDistance(points[size_t(anchors[i])], ev.image);
        if (d < best) {
            best = d;
            anchor = int(i);
        }
    }
    if (anchor < 0) {
        best = kPickReach;
        int point = -1;
        for (size_t j = 0; j < points.size(); ++j) {
            const int d = SquaredDistance(points[j], ev.image);
            if (d < best) {
                best = d;
                point = int(j);
            }
        }
        if (point < 0) {
            return;
        }
        const auto at = std::upper_bound(anchors.begin(), anchors.end(), point);
        anchor = int(at - anchors.begin());
        anchors.insert(at, point);
    }
    // The closing point is the first anchor.
    if (anchor == int(anchors.size()) - 1) {
        anchor = 0;
    }
    view.m_nEditAnchor = anchor;
    view.SetCurrentTool(ToolScissorEditAnchor);
}

void CScissorTool::ReshapeAroundAnchor(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    auto& points = view.m_arrPathPoints;
    auto& anchors = view.m_arrAnchors;
    const int count = int(anchors.size());
    const int e = view.m_nEditAnchor;
    view.SetCurrentTool(ToolScissorClosed);
    if (count < 2 || e < 0 || e >= count) {
        return;
    }
    // The outline as segments between anchors, each with both its ends.
    std::vector<std::vector<QPoint>> segments;
    for (int i = 0; i + 1 < count; ++i) {
        segments.emplace_back(points.begin() + anchors[size_t(i)],
                              points.begin() + anchors[size_t(i) + 1] + 1);
    }
    const int before = e == 0 ? count - 2 : e - 1;
    const int after = e == 0 ? 0 : e;
    for (int s : {before, after}) {
        if (s < 0 || s >= int(segments.size())) {
            continue;
        }
        std::vector<QPoint>& segment = segments[size_t(s)];
        const QPoint from = segment.front(), to = segment.back();
        if (from != to) {
            segment = SearchPath(ev, from, to);
            segment.front() = from;
            segment.back() = to;
        }
    }
    // The anchors after the dragged one shift by the change in length.
    points = segments.front();
    anchors = {0, int(points.size()) - 1};
    for (size_t s = 1; s < segments.size(); ++s) {
        points.insert(points.end(), segments[s].begin() + 1, segments[s].end());
        anchors.push_back(int(points.size()) - 1);
    }
    view.InvalidateImage();
}

void CScissorTool::Apply(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    CPictorraDoc& doc = ev.doc;
    std::vector<QPoint> outline = view.m_arrPathPoints;
    const bool combine = HasRegion(ev);
    if (!combine) {
        doc.SavePendingUndo();
    }
    FinishPolygon(ev, std::move(outline), combine, false, CSelection::kStateScissor);
    const bool made = !doc.Selection().m_rgnSelection.isEmpty();
    view.SetCurrentTool(made && !combine ? ToolScissorMove : ToolScissor);
}

void CScissorTool::OnPress(CToolEvent& ev) {
    switch (ev.tool) {
        case ToolScissorMove:
            BeginMove(ev, true);
            return;
        case ToolScissor:
            if (!PressOnSelection(ev)) {
                Start(ev, ToolScissorDrawing);
            }
            return;
        case ToolScissorCombine:
            Start(ev, ToolScissorCombineDrawing);
            ev.doc.m_bSelection = false;
            return;
        case ToolScissorDrawing:
        case ToolScissorCombineDrawing:
            AddAnchor(ev);
            return;
        case ToolScissorClosed:
            PickAnchor(ev);
            return;
        default:
            return;
    }
}

void CScissorTool::OnMove(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    auto& points = view.m_arrPathPoints;
    switch (ev.tool) {
        case ToolScissorDrawing:
        case ToolScissorCombineDrawing: {
            if (points.empty() || points.back() == ev.image) {
                return;
            }
            QRect touched(points.back(), ev.image);
            if (points.size() >= 2) {
                touched |= QRect(points[points.size() - 2], points.back());
            }
            points.back() = ev.image;
            RepaintAround(ev, touched.normalized());
            return;
        }
        case ToolScissorEditAnchor: {
            auto& anchors = view.m_arrAnchors;
            const int e = view.m_nEditAnchor;
            if (ev.rightButton || e < 0 || e >= int(anchors.size())) {
                return;
            }
            points[size_t(anchors[size_t(e)])] = ev.image;
            if (e == 0) {
                points.back() = ev.image;  // the closing point moves with the first
            }
            view.InvalidateImage();
            return;
        }
        default:
            if (!ev.rightButton) {
                ContinueMove(ev);
            }
            return;
    }
}

void CScissorTool::OnRelease(CToolEvent& ev) {
    if (ev.tool == ToolScissorEditAnchor) {
        ReshapeAroundAnchor(ev);
        return;
    }
    EndMove(ev);
}

void CScissorTool::OnRightPress(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    if (ev.tool != ToolScissorDrawing && ev.tool != ToolScissorCombineDrawing) {
        return;
    }
    auto& points = view.m_arrPathPoints;
    auto& anchors = view.m_arrAnchors;
    if (anchors.size() <= 1) {
        view.DiscardPolyline();
        ev.doc.m_bSelection = HasRegion(ev);
        view.SetCurrentTool(ToolScissor);
    } else {
        // Back to the anchor before; the point after it follows the mouse.
        anchors.pop_back();
        points.resize(size_t(anchors.back()) + 1);
        points.push_back(ev.image);
    }
    view.InvalidateImage();
}

bool CScissorTool::OnKeyDown(CToolEvent& ev, int key) {
    if (ev.tool == ToolScissorClosed && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        Apply(ev);
        return true;
    }
    return false;
}

void CScissorTool::Deactivate(CPictorraView& view) {
    if (!view.m_arrPathPoints.empty()) {
        view.DiscardPolyline();
        CPictorraDoc& doc = view.GetDocument();
        doc.m_bSelection = !doc.Selection().m_rgnSelection.isEmpty();
        view.InvalidateImage();
    }
    m_bMapStale = true;
}
