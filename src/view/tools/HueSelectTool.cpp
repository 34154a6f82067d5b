#include "view/tools/HueSelectTool.h"

#include <QPainter>

#include "document/PictorraDoc.h"
#include "document/ToolState.h"
#include "view/HueSelectDlg.h"
#include "view/PictorraView.h"

CHueSelectTool::~CHueSelectTool() {
    CloseDialog();
}

void CHueSelectTool::CloseDialog() {
    if (CHueSelectDlg* dialog = m_pDialog.data()) {
        m_pDialog = nullptr;
        dialog->m_onRangeChanged = nullptr;
        dialog->disconnect();
        delete dialog;
    }
}

void CHueSelectTool::OnPress(CToolEvent& ev) {
    CPictorraView& view = ev.view;
    CPictorraDoc& doc = ev.doc;
    if (ev.tool == ToolHueSelectMove) {
        BeginMove(ev, true);
        return;
    }
    if (view.m_bResizing) {
        BeginResize(ev);
        return;
    }
    CLayerFrame* layer = doc.ActiveLayer();
    if (!layer || !doc.m_pActiveBitmap) {
        return;
    }
    // A selection made before is put down first: its lifted pixels must not be lost.
    if (doc.IsSelectionPresent() || doc.m_pFragment) {
        doc.DropSelection();
    }
    doc.PushUndoState();
    doc.SavePendingUndo();
    CloseDialog();
    Forget(view);
    m_pLayer = layer;
    m_ptStart = ev.layer;
    auto* dialog = new CHueSelectDlg(&view);
    m_pDialog = dialog;
    CPictorraView* shown = &view;
    dialog->m_onRangeChanged = [this, shown](int range) { ShowRange(*shown, range); };
    QObject::connect(dialog, &QDialog::accepted, dialog, [this, shown] {
        Apply(*shown);
        CloseDialogLater();
    });
    QObject::connect(dialog, &QDialog::rejected, dialog, [this, shown] {
        Forget(*shown);
        shown->GetDocument().DiscardPendingUndo();
        CloseDialogLater();
    });
    dialog->show();
}

void CHueSelectTool::CloseDialogLater() {
    if (CHueSelectDlg* dialog = m_pDialog.data()) {
        m_pDialog = nullptr;
        dialog->m_onRangeChanged = nullptr;
        dialog->disconnect();
        dialog->deleteLater();
    }
}

void CHueSelectTool::ShowRange(CPictorraView& view, int range) {
    const CPictorraDoc& doc = view.GetDocument();
    if (!m_pLayer || m_pLayer != doc.ActiveLayer() || !m_pLayer->m_pBitmap) {
        return;
    }
    m_mask = HueFloodMask(*m_pLayer->m_pBitmap, m_ptStart, range);
    m_maskImage = QImage();
    const QRect box = m_mask.bounds;
    if (m_mask.count > 0) {
        m_maskImage = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
        m_maskImage.fill(Qt::transparent);
        for (int y = box.top(); y <= box.bottom(); ++y) {
            auto* row = reinterpret_cast<uint32_t*>(m_maskImage.scanLine(y - box.top()));
            const uint8_t* taken = m_mask.marked.data() + size_t(y) * size_t(m_mask.width);
            for (int x = box.left(); x <= box.right(); ++x) {
                if (taken[x]) {
                    row[x - box.left()] = 0xFFFFFFFFu;
                }
            }
        }
    }
    view.InvalidateImage();
}

void CHueSelectTool::Apply(CPictorraView& view) {
    CPictorraDoc& doc = view.GetDocument();
    const int range = m_pDialog ? m_pDialog->Range() : 0;
    CLayerFrame* layer = m_pLayer;
    if (range == 0 || !layer || layer != doc.ActiveLayer() || !doc.m_pActiveBitmap) {
        Forget(view);
        return;
    }
    // The pixels as they are now: the picture may have changed while the dialog was open.
    m_mask = HueFloodMask(*doc.m_pActiveBitmap, m_ptStart, range);
    if (m_mask.count == 0) {
        Forget(view);
        return;
    }
    const CRect box =
        CRect::FromQRect(m_mask.bounds.translated(layer->m_nOffsetX, layer->m_nOffsetY));
    doc.SavePendingUndo();
    auto fragment = LiftMaskedPixels(*doc.m_pActiveBitmap, m_mask, doc.Host().SecondaryColor());
    auto original = fragment ? fragment->Clone() : nullptr;
    Forget(view);
    if (!original) {
        doc.Host().ShowMessage(QStringLiteral("There is not enough memory to lift the selection."));
        return;
    }
    doc.m_rcSelection = box;
    doc.m_bSelection = true;
    view.SetCurrentTool(ToolHueSelectMove);
    doc.m_pFragment = std::move(fragment);
    CSelection& selection = doc.Selection();
    selection.m_pFragmentOriginal = std::move(original);
    selection.Append(CSelectionShape::Rectangle(box));
    selection.m_nSelectionState = CSelection::kStateHue;
    doc.RebuildLayerCaches();
    view.InvalidateImage();
    doc.PushUndoState();
    doc.SavePendingUndo();
    doc.Notify(kChangeSelection | kChangeThumbnails);
}

void CHueSelectTool::Forget(CPictorraView& view) {
    const bool shown = !m_maskImage.isNull();
    m_mask = CHueMask();
    m_maskImage = QImage();
    if (shown) {
        view.InvalidateImage();
    }
}

void CHueSelectTool::OnMove(CToolEvent& ev) {
    if (!ev.rightButton) {
        ContinueMove(ev);
    }
}

void CHueSelectTool::OnRelease(CToolEvent& ev) {
    EndMove(ev);
}

void CHueSelectTool::PaintOverlay(QPainter& painter, CToolPaint& paint) {
    if (m_maskImage.isNull() || m_pLayer != paint.doc.ActiveLayer()) {
        return;
    }
    // The pixels taken show inverted.
    const QRect box = m_mask.bounds.translated(m_pLayer->m_nOffsetX, m_pLayer->m_nOffsetY);
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.drawImage(paint.view.ImageToClient(box), m_maskImage);
}

void CHueSelectTool::Deactivate(CPictorraView& view) {
    CloseDialog();
    Forget(view);
    m_pLayer = nullptr;
}
