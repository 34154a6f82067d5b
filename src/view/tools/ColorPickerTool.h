#pragma once

#include "view/Tool.h"

// The colour picker (state 9, also while Alt is held with a painting tool): the left button
// takes the colour under the mouse as the primary colour, the right button as the secondary.
// Over a lifted selection the lifted pixel counts, unless it is fully transparent.
class CColorPickerTool : public CTool {
public:
    void OnPress(CToolEvent& ev) override;
    void OnRightPress(CToolEvent& ev) override;

    // The colour at image point image of doc: the active layer's pixel, replaced by the
    // lifted fragment's pixel there when that is not fully transparent; nothing when neither
    // holds the point.
    static std::optional<uint32_t> ColorAt(const CPictorraDoc& doc, QPoint image);

private:
    void Pick(CToolEvent& ev, bool secondary);
};
