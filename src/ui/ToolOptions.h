#pragma once

#include <array>

#include "document/ToolState.h"

// The current tool and its options, owned by the main frame and read by the view and the tools
// at every mouse and key event (nobody keeps a copy). The tool commands and the option bars
// change them; CMainFrameHost::CurrentTool reads m_nTool.
struct CToolOptions {
    // line, rectangle, filled rectangle, ellipse, filled ellipse
    static constexpr int kLineWidthTools = 5;

    int m_nTool = ToolPencil;  // the tool state, ToolState
    int m_nParkedTool = 0;     // the painting tool Alt turned into the colour picker, 0 when none
    int m_bGrid = 0;           // "Grid in edit area"
    int m_nPencilShape = 0;    // pencil tip 0..9
    int m_nEraserSize = 0;     // 0..3
    int m_nBlurToolSize = 0;   // 0..3
    int m_nSpraySize = 0;      // 0..3
    int m_nBrushSize = 0;      // 0..3
    int m_nStampSize = 0;      // 0..3
    int m_nGradientKind = 0;   // 0 linear, 1 circular
    // Width index 0..3 of the line, rectangle, filled rectangle, ellipse and filled ellipse
    // tools, in this order.
    std::array<int, kLineWidthTools> m_nLineWidth{};

    // The width entry of a shape tool state (ToolLine .. ToolFilledEllipse); null for any
    // other state.
    int* LineWidthOf(int tool) {
        return tool >= ToolLine && tool <= ToolFilledEllipse ? &m_nLineWidth[tool - ToolLine]
                                                             : nullptr;
    }
    const int* LineWidthOf(int tool) const {
        return const_cast<CToolOptions*>(this)->LineWidthOf(tool);
    }
    // The current tool's width entry, null unless a shape tool is current.
    int* CurrentLineWidth() { return LineWidthOf(m_nTool); }
};
