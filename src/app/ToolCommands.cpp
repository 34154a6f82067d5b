#include "app/ToolCommands.h"

#include <algorithm>

#include "document/ToolState.h"
#include "ui/CommandIds.h"

namespace {

constexpr unsigned A = kStepFinishText;
constexpr unsigned C = kStepDropSelection;

// A tool's button stays checked in every state of that tool, including the states its
// modifier keys lead to (Shift with the rectangle selection is still that tool).
const CToolCommand kToolCommands[] = {
    {ID_TOOL_MOVE_LAYER,
     "Move Layer",
     "move-layer",
     ToolMoveLayer,
     {ToolMoveLayer, ToolMoveLayerDragging},
     C},
    {ID_TOOL_RECT_SELECT,
     "Rectangle Selection Tool",
     "rect-select",
     ToolRectSelect,
     {ToolRectSelect, ToolRectSelectMove, ToolRectCombine},
     0},
    {ID_TOOL_ELLIPSE_SELECT,
     "Ellipse Selection Tool",
     "ellipse-select",
     ToolEllipseSelect,
     {ToolEllipseSelect, ToolEllipseSelectMove, ToolEllipseCombine},
     A},
    {ID_TOOL_LASSO, "Lasso Selection Tool", "lasso", ToolLasso,
     CToolStates::Range(ToolLasso, ToolLassoMove) |
         CToolStates{ToolLassoCombine, ToolLassoCombineDrawing},
     A},
    {ID_TOOL_FREE_LASSO, "Free Lasso Tool", "free-lasso", ToolFreeLasso,
     CToolStates::Range(ToolFreeLasso, ToolFreeLassoMove), 0},
    {ID_TOOL_SCISSOR, "Scissor Tool", "scissor", ToolScissor,
     CToolStates::Range(ToolScissor, ToolScissorEditAnchor), 0},
    {ID_TOOL_HUE_SELECT,
     "Hue Selection Tool",
     "hue-select",
     ToolHueSelect,
     {ToolHueSelect, ToolHueSelectMove},
     C},
    {ID_TOOL_COLOR_SELECT,
     "Color Selection Tool",
     "color-select",
     ToolColorPicker,
     {ToolColorPicker},
     A},
    {ID_TOOL_ERASE, "Erase Tool", "erase", ToolEraser, {ToolEraser}, A},
    {ID_TOOL_FILL, "Fill Tool", "fill", ToolFill, {ToolFill}, A},
    {ID_TOOL_SPRAY, "Spray Tool", "spray", ToolSpray, {ToolSpray, ToolSpraying}, A},
    {ID_TOOL_STAMP, "Stamp Tool", "stamp", ToolStampPickSource,
     CToolStates::Range(ToolStampSourceSet, ToolStampPainting), 0},
    {ID_TOOL_PENCIL, "Pencil Tool", "pencil", ToolPencil, {ToolPencil}, A},
    {ID_TOOL_BRUSH, "Brush Tool", "brush", ToolBrush, {ToolBrush}, A},
    {ID_TOOL_LINE, "Line Tool", "line", ToolLine, {ToolLine}, A},
    {ID_TOOL_BLUR, "Blur Tool", "blur", ToolBlur, {ToolBlur}, A},
    {ID_TOOL_TEXT, "Text Tool", "text", ToolText, {ToolText, ToolTextTyping}, 0},
    {ID_TOOL_RECTANGLE, "Rectangle Tool", "rectangle", ToolRectangle, {ToolRectangle}, A},
    {ID_TOOL_FILLED_RECTANGLE,
     "Filled Rectangle Tool",
     "filled-rectangle",
     ToolFilledRectangle,
     {ToolFilledRectangle},
     A},
    {ID_TOOL_ELLIPSE, "Ellipse Tool", "ellipse", ToolEllipse, {ToolEllipse}, A},
    {ID_TOOL_FILLED_ELLIPSE,
     "Filled Ellipse Tool",
     "filled-ellipse",
     ToolFilledEllipse,
     {ToolFilledEllipse},
     A},
    {ID_TOOL_GRADIENT,
     "Gradient Tool",
     "gradient",
     ToolGradient,
     {ToolGradient, ToolGradientDragging},
     0},
};

const COptionButton kPencilTips[] = {
    {ID_PENCIL_TIP_0, "One Pixel", "pencil-tip-0", 0},
    {ID_PENCIL_TIP_1, "Plus Sign", "pencil-tip-1", 1},
    {ID_PENCIL_TIP_2, "Small Disk", "pencil-tip-2", 2},
    {ID_PENCIL_TIP_3, "Large Disk", "pencil-tip-3", 3},
    {ID_PENCIL_TIP_4, "Rising Diagonal 3", "pencil-tip-4", 4},
    {ID_PENCIL_TIP_4 + 1, "Rising Diagonal 5", "pencil-tip-5", 5},
    {ID_PENCIL_TIP_4 + 2, "Rising Diagonal 7", "pencil-tip-6", 6},
    {ID_PENCIL_TIP_4 + 3, "Falling Diagonal 3", "pencil-tip-7", 7},
    {ID_PENCIL_TIP_4 + 4, "Falling Diagonal 5", "pencil-tip-8", 8},
    {ID_PENCIL_TIP_4 + 5, "Falling Diagonal 7", "pencil-tip-9", 9},
};
const COptionButton kEraserSizes[] = {
    {ID_ERASER_SIZE_0, "Eraser 3 x 3", "eraser-size-0", 0},
    {ID_ERASER_SIZE_0 + 1, "Eraser 5 x 5", "eraser-size-1", 1},
    {ID_ERASER_SIZE_0 + 2, "Eraser 9 x 9", "eraser-size-2", 2},
    {ID_ERASER_SIZE_0 + 3, "Eraser 13 x 13", "eraser-size-3", 3},
};
const COptionButton kLineWidths[] = {
    {ID_LINE_WIDTH_0, "Width 1", "line-width-0", 0},
    {ID_LINE_WIDTH_0 + 1, "Width 2", "line-width-1", 1},
    {ID_LINE_WIDTH_0 + 2, "Width 3", "line-width-2", 2},
    {ID_LINE_WIDTH_0 + 3, "Width 5", "line-width-3", 3},
};
const COptionButton kSpraySizes[] = {
    {ID_SPRAY_SIZE_0, "Spray Radius 5", "spray-size-0", 0},
    {ID_SPRAY_SIZE_0 + 1, "Spray Radius 10", "spray-size-1", 1},
    {ID_SPRAY_SIZE_0 + 2, "Spray Radius 15", "spray-size-2", 2},
    {ID_SPRAY_SIZE_0 + 3, "Spray Radius 20", "spray-size-3", 3},
};
const COptionButton kBlurSizes[] = {
    {ID_BLUR_SIZE_0, "Blur 1 Pixel", "blur-size-0", 0},
    {ID_BLUR_SIZE_0 + 1, "Blur 5 Pixels", "blur-size-1", 1},
    {ID_BLUR_SIZE_0 + 2, "Blur 21 Pixels", "blur-size-2", 2},
    {ID_BLUR_SIZE_0 + 3, "Blur 69 Pixels", "blur-size-3", 3},
};
const COptionButton kBrushSizes[] = {
    {ID_BRUSH_SIZE_0, "Brush 4", "brush-size-0", 0},
    {ID_BRUSH_SIZE_0 + 1, "Brush 8", "brush-size-1", 1},
    {ID_BRUSH_SIZE_0 + 2, "Brush 12", "brush-size-2", 2},
    {ID_BRUSH_SIZE_0 + 3, "Brush 16", "brush-size-3", 3},
};
const COptionButton kStampSizes[] = {
    {ID_STAMP_SIZE_0, "Stamp Radius 3", "stamp-size-0", 0},
    {ID_STAMP_SIZE_0 + 1, "Stamp Radius 5", "stamp-size-1", 1},
    {ID_STAMP_SIZE_0 + 2, "Stamp Radius 9", "stamp-size-2", 2},
    {ID_STAMP_SIZE_0 + 3, "Stamp Radius 14", "stamp-size-3", 3},
};
const COptionButton kGradientKinds[] = {
    {ID_GRADIENT_LINEAR, "Linear Gradient", "gradient-linear", 0},
    {ID_GRADIENT_CIRCULAR, "Circular Gradient", "gradient-circular", 1},
};

const COptionBar kOptionBars[] = {
    {"PencilBar", "Pencil", 16, kPencilTips, {ToolPencil}, &CToolOptions::m_nPencilShape},
    {"EraserBar", "Eraser", 16, kEraserSizes, {ToolEraser}, &CToolOptions::m_nEraserSize},
    {"LineWidthBar", "Line Width", 16, kLineWidths, CToolStates::Range(ToolLine, ToolFilledEllipse),
     nullptr},
    {"SprayBar", "Spray", 16, kSpraySizes, {ToolSpray, ToolSpraying}, &CToolOptions::m_nSpraySize},
    {"BlurBar", "Blur", 16, kBlurSizes, {ToolBlur}, &CToolOptions::m_nBlurToolSize},
    {"BrushBar", "Brush", 16, kBrushSizes, {ToolBrush}, &CToolOptions::m_nBrushSize},
    {"StampBar", "Stamp", 16, kStampSizes,
     CToolStates::Range(ToolStampSourceSet, ToolStampPainting), &CToolOptions::m_nStampSize},
    {"GradientBar",
     "Gradient",
     16,
     kGradientKinds,
     {ToolGradient, ToolGradientDragging},
     &CToolOptions::m_nGradientKind},
};

}  // namespace

std::span<const CToolCommand> ToolCommands() {
    return kToolCommands;
}

const CToolCommand* FindToolCommand(int id) {
    const auto it = std::find_if(std::begin(kToolCommands), std::end(kToolCommands),
                                 [id](const CToolCommand& c) { return c.id == id; });
    return it == std::end(kToolCommands) ? nullptr : &*it;
}

std::span<const COptionBar> OptionBars() {
    return kOptionBars;
}

int OptionBarIndexFor(int state) {
    for (size_t i = 0; i < std::size(kOptionBars); ++i) {
        if (kOptionBars[i].shownIn.Has(state)) {
            return int(i);
        }
    }
    return -1;
}

int* OptionOf(const COptionBar& bar, CToolOptions& options) {
    return bar.member ? &(options.*bar.member) : options.CurrentLineWidth();
}
