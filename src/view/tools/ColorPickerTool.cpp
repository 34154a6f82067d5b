#include "view/tools/ColorPickerTool.h"

#include <cmath>

#include "document/PictorraDoc.h"
#include "platform/ColorModel.h"
#include "view/PictorraView.h"

std::optional<uint32_t> CColorPickerTool::ColorAt(const CPictorraDoc& doc, QPoint image) {
    std::optional<uint32_t> color;
    const CLayerFrame* layer = doc.ActiveLayer();
    if (layer && doc.m_pActiveBitmap) {
        const QPoint p = image - QPoint(layer->m_nOffsetX, layer->m_nOffsetY);
        if (doc.m_pActiveBitmap->Rect().contains(p)) {
            color = doc.m_pActiveBitmap->GetPixel(p.x(), p.y());
        }
    }
    const CRect& r = doc.m_rcSelection;
    if (doc.m_pFragment && !r.IsEmpty() && r.Contains(image.x(), image.y())) {
        // The fragment is shown stretched into the selection's rectangle.
        const Bitmap& fragment = *doc.m_pFragment;
        const int fx = int(std::floor((image.x() - r.left + 0.5) * fragment.Width() / r.Width()));
        const int fy = int(std::floor((image.y() - r.top + 0.5) * fragment.Height() / r.Height()));
        if (fragment.Rect().contains(fx, fy)) {
            const uint32_t lifted = fragment.GetPixel(fx, fy);
            if (lifted > 0x00FFFFFFu) {
                color = lifted;
            }
        }
    }
    return color;
}

void CColorPickerTool::Pick(CToolEvent& ev, bool secondary) {
    CPictorraDoc& doc = ev.doc;
    if (doc.IsSelectionPresent() && !doc.m_pFragment) {
        doc.LiftSelection();
    }
    if (const std::optional<uint32_t> color = ColorAt(doc, ev.image)) {
        CDocumentHost& host = doc.Host();
        if (secondary) {
            host.SetColors(host.PrimaryColor(), *color);
        } else {
            host.SetColors(*color, host.SecondaryColor());
        }
        // The opacity slider shows the picked alpha; the other colour keeps its own.
        host.SetTransparency(OpacityPercentOfAlpha(int(*color >> 24)));
    }
    ev.view.ReleaseCapture();
}

void CColorPickerTool::OnPress(CToolEvent& ev) {
    Pick(ev, false);
}

void CColorPickerTool::OnRightPress(CToolEvent& ev) {
    Pick(ev, true);
}
