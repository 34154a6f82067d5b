#pragma once

#include <QImage>
#include <QPointer>
#include <memory>

#include "paint/HueMask.h"
#include "view/HueSelectDlg.h"
#include "view/tools/SelectionTool.h"

class CLayerFrame;

// The hue selection (states 19 and 20): a click opens "Hue Selection" for the pixel under
// the mouse; while the range is chosen the pixels it would take (those of similar hue
// connected to the pixel) are shown inverted. OK lifts them into the fragment, leaving the
// secondary colour in their place, and the selection can then be moved like any other.
class CHueSelectTool : public CSelectionTool {
public:
    ~CHueSelectTool() override;

    void OnPress(CToolEvent& ev) override;
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override;
    void PaintOverlay(QPainter& painter, CToolPaint& paint) override;
    void Deactivate(CPictorraView& view) override;

    // The open dialog, or null.
    CHueSelectDlg* Dialog() const { return m_pDialog.data(); }

private:
    // The range changed: the pixels taken are worked out again and shown.
    void ShowRange(CPictorraView& view, int range);
    // OK: the pixels taken become the selection.
    void Apply(CPictorraView& view);
    // Cancel, or the dialog goes away: nothing taken is shown any more.
    void Forget(CPictorraView& view);
    void CloseDialog();
    // The same from inside one of the dialog's own signals.
    void CloseDialogLater();

    QPointer<CHueSelectDlg> m_pDialog;
    CLayerFrame* m_pLayer = nullptr;  // the layer clicked
    QPoint m_ptStart;                 // the pixel clicked, layer pixels
    CHueMask m_mask;
    QImage m_maskImage;  // the taken pixels of m_mask's box, white, for the overlay
};
