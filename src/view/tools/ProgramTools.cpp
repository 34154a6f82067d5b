// The program's tools: which tool object serves which tool states. One line per tool.
#include "document/ToolState.h"
#include "view/ToolRegistry.h"
#include "view/tools/RegionZoomTool.h"

void AddProgramTools(CToolRegistry& registry) {
    registry.Add({ToolRegionZoom}, [] { return std::make_unique<CRegionZoomTool>(); });
}
