#pragma once

#include "paint/Eraser.h"
#include "view/tools/PaintStroke.h"

// The eraser: squares of the size chosen in the options (m_nEraserSize) along the path of the
// left button take away the share of each pixel's alpha that the secondary colour's alpha
// gives, each pixel once per stroke. The right button erases nothing.
class CEraserTool : public CFreehandTool {
public:
    void OnPress(CToolEvent& ev) override;
    void OnMove(CToolEvent& ev) override;
    void OnRelease(CToolEvent& ev) override;

protected:
    QRect OutlineAt(CPictorraView& view, int tool, QPoint client) override;

private:
    CEraseMask m_arrErased;  // the pixels this stroke has reduced
};
