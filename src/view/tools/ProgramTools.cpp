// The program's tools: which tool object serves which tool states. One line per tool.
#include "document/ToolState.h"
#include "view/ToolRegistry.h"
#include "view/tools/BlurTool.h"
#include "view/tools/BrushTool.h"
#include "view/tools/ColorPickerTool.h"
#include "view/tools/EraserTool.h"
#include "view/tools/FillTool.h"
#include "view/tools/FreeLassoTool.h"
#include "view/tools/GradientTool.h"
#include "view/tools/HueSelectTool.h"
#include "view/tools/LassoTool.h"
#include "view/tools/PencilTool.h"
#include "view/tools/RectSelectTool.h"
#include "view/tools/RegionZoomTool.h"
#include "view/tools/ScissorTool.h"
#include "view/tools/ShapeTool.h"
#include "view/tools/SprayTool.h"
#include "view/tools/StampTool.h"
#include "view/tools/TextTool.h"

void AddProgramTools(CToolRegistry& registry) {
    registry.Add({ToolRegionZoom}, [] { return std::make_unique<CRegionZoomTool>(); });
    registry.Add({ToolRectSelect, ToolRectSelectMove, ToolRectCombine, ToolEllipseSelect,
                  ToolEllipseSelectMove, ToolEllipseCombine},
                 [] { return std::make_unique<CRectSelectTool>(); });
    registry.Add(
        {ToolLasso, ToolLassoDrawing, ToolLassoMove, ToolLassoCombine, ToolLassoCombineDrawing},
        [] { return std::make_unique<CLassoTool>(); });
    registry.Add({ToolFreeLasso, ToolFreeLassoDrawing, ToolFreeLassoCombine,
                  ToolFreeLassoCombineDrawing, ToolFreeLassoMove},
                 [] { return std::make_unique<CFreeLassoTool>(); });
    registry.Add({ToolHueSelect, ToolHueSelectMove},
                 [] { return std::make_unique<CHueSelectTool>(); });
    registry.Add({ToolScissor, ToolScissorDrawing, ToolScissorCombine, ToolScissorCombineDrawing,
                  ToolScissorMove, ToolScissorClosed, ToolScissorEditAnchor},
                 [] { return std::make_unique<CScissorTool>(); });
    registry.Add({ToolColorPicker}, [] { return std::make_unique<CColorPickerTool>(); });
    registry.Add({ToolPencil}, [] { return std::make_unique<CPencilTool>(); });
    registry.Add({ToolBrush}, [] { return std::make_unique<CBrushTool>(); });
    registry.Add({ToolEraser}, [] { return std::make_unique<CEraserTool>(); });
    registry.Add({ToolSpray, ToolSpraying}, [] { return std::make_unique<CSprayTool>(); });
    registry.Add({ToolBlur}, [] { return std::make_unique<CBlurTool>(); });
    registry.Add({ToolStampSourceSet, ToolStampAligned, ToolStampPickSource, ToolStampPainting},
                 [] { return std::make_unique<CStampTool>(); });
    registry.Add({ToolLine, ToolRectangle, ToolFilledRectangle, ToolEllipse, ToolFilledEllipse},
                 [] { return std::make_unique<CShapeTool>(); });
    registry.Add({ToolFill}, [] { return std::make_unique<CFillTool>(); });
    registry.Add({ToolGradient, ToolGradientDragging},
                 [] { return std::make_unique<CGradientTool>(); });
    registry.Add({ToolText, ToolTextTyping}, [] { return std::make_unique<CTextTool>(); });
}
