#pragma once

// The states of the current tool (the main frame's m_nTool). Several tools have more than one
// state: the idle state their command chooses, and states entered while a shape is being drawn
// or a modifier key is held.
enum ToolState : int {
    ToolPencil = 1,
    ToolLine = 2,
    ToolRectangle = 3,
    ToolFilledRectangle = 4,
    ToolEllipse = 5,
    ToolFilledEllipse = 6,
    ToolRectSelect = 7,
    ToolRectSelectMove = 8,
    ToolColorPicker = 9,
    ToolText = 10,
    ToolTextTyping = 11,
    ToolFill = 12,
    ToolLasso = 13,
    ToolLassoDrawing = 14,
    ToolLassoMove = 15,
    ToolBlur = 16,
    ToolEllipseSelect = 17,
    ToolEllipseSelectMove = 18,
    ToolHueSelect = 19,
    ToolHueSelectMove = 20,
    ToolEraser = 21,
    ToolLassoCombine = 22,
    ToolLassoCombineDrawing = 23,
    ToolRectCombine = 24,
    ToolEllipseCombine = 25,
    ToolMoveLayer = 26,
    ToolMoveLayerDragging = 27,
    ToolSpray = 28,
    ToolSpraying = 29,
    ToolBrush = 30,
    ToolFreeLasso = 31,
    ToolFreeLassoDrawing = 32,
    ToolFreeLassoCombine = 33,
    ToolFreeLassoCombineDrawing = 34,
    ToolFreeLassoMove = 35,
    ToolScissor = 36,
    ToolScissorDrawing = 37,
    ToolScissorCombine = 38,
    ToolScissorCombineDrawing = 39,
    ToolScissorMove = 40,
    ToolScissorClosed = 41,
    ToolScissorEditAnchor = 42,
    ToolStampSourceSet = 43,
    ToolStampAligned = 44,
    ToolStampPickSource = 45,
    ToolStampPainting = 46,
    ToolRegionZoom = 47,
    ToolGradient = 48,
    ToolGradientDragging = 49,
};

// The selection tools' states: 7, 8, 13 to 15, 17 to 20, 22 to 25 and 31 to 42.
constexpr bool IsSelectionToolState(int tool) {
    return tool == ToolRectSelect || tool == ToolRectSelectMove ||
           (tool >= ToolLasso && tool <= ToolLassoMove) ||
           (tool >= ToolEllipseSelect && tool <= ToolHueSelectMove) ||
           (tool >= ToolLassoCombine && tool <= ToolEllipseCombine) ||
           (tool >= ToolFreeLasso && tool <= ToolScissorEditAnchor);
}
