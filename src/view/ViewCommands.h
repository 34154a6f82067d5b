#pragma once

#include <span>

class CCommandRouter;
class CMainMenus;

// One of the fixed zoom commands ("1:100" .. "32:1"), checked while the zoom equals its value.
struct CFixedZoom {
    int id;
    const char* text;
    float zoom;
};
std::span<const CFixedZoom> FixedZooms();

// The view's commands in the main window: their texts and keys (from CreateActions) and
// their place in the View menu of the document menu bar (from CreateMenus). The view
// registers the handlers itself.
void AddViewCommands(CCommandRouter& router);
void AddViewMenus(CMainMenus& menus, CCommandRouter& router);
