#pragma once

// The numeric ids of the program's commands. Menu items, tool-bar buttons and shortcuts carry
// them; the command router sends each to the first object whose table holds it. Add new ids
// here, grouped by the object that handles them.
enum CommandId : int {
    // The application object: commands that exist without a document.
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_MRU_FILE1 = 57616,  // .. ID_FILE_MRU_FILE1 + 8: the nine recent files
    ID_EDIT_PASTE_NEW = 32818,  // paste the clipboard's picture into a new document
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,

    // The document (its Edit and Selections commands are listed with them in the core,
    // document/SelectionCommands.h).
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,

    // The view: zoom.
    ID_VIEW_ZOOM_IN = 32771,
    ID_VIEW_ZOOM_OUT = 32772,
    ID_VIEW_REGION_ZOOM = 32957,
    ID_VIEW_ZOOM_1_100 = 32975,
    ID_VIEW_ZOOM_1_40 = 32976,
    ID_VIEW_ZOOM_1_20 = 32977,
    ID_VIEW_ZOOM_1_10 = 32978,
    ID_VIEW_ZOOM_1_6 = 32979,
    ID_VIEW_ZOOM_1_3 = 32980,
    ID_VIEW_ZOOM_1_1 = 32974,
    ID_VIEW_ZOOM_2_1 = 32981,
    ID_VIEW_ZOOM_4_1 = 32982,
    ID_VIEW_ZOOM_8_1 = 32983,
    ID_VIEW_ZOOM_16_1 = 32984,
    ID_VIEW_ZOOM_32_1 = 32985,
    // The view: the text tool's font.
    ID_VIEW_FONT = 32805,

    // The document: the geometric transforms of the Tools menu and the "Effects" bar.
    ID_TOOLS_FLIP_VERTICAL = 32796,
    ID_TOOLS_FLIP_HORIZONTAL = 32797,
    ID_TOOLS_ROTATE_LEFT = 32798,
    ID_TOOLS_ROTATE_RIGHT = 32799,
    ID_TOOLS_ROTATE_ANGLE = 32800,

    // The main frame.
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_HELP_INDEX = 57666,
    ID_VIEW_TOOLS_BAR = 32778,
    ID_VIEW_EFFECTS_BAR = 32779,
    ID_VIEW_COLORS_BAR = 32780,
    ID_VIEW_LAYER_BAR = 32857,
    ID_VIEW_ALL_TOOLBARS = 32848,  // Show/Hide All Toolbars (Tab)
    ID_VIEW_GRID = 32922,          // Grid in edit area
    ID_LAYER_ADD = 32854,
    ID_LAYER_DUPLICATE = 32856,
    ID_LAYER_DELETE = 32858,
    ID_LAYER_OPTIONS = 32859,
    ID_LAYER_FLATTEN = 32862,
    ID_PREFERENCES = 32931,
    ID_FILE_ASSOCIATES = 32775,
    ID_TWAIN_SETTINGS = 32823,
    ID_WEB_CAMERA = 32824,
    ID_SCAN_NOW = 32825,

    // The main frame: the tool commands (their table is app/ToolCommands.cpp).
    ID_TOOL_PENCIL = 32774,
    ID_TOOL_LINE = 32789,
    ID_TOOL_RECTANGLE = 32792,
    ID_TOOL_FILLED_RECTANGLE = 32793,
    ID_TOOL_ELLIPSE = 32794,
    ID_TOOL_FILLED_ELLIPSE = 32795,
    ID_TOOL_RECT_SELECT = 32781,
    ID_TOOL_ELLIPSE_SELECT = 32782,
    ID_TOOL_LASSO = 32783,
    ID_TOOL_FREE_LASSO = 32939,
    ID_TOOL_SCISSOR = 32942,
    ID_TOOL_HUE_SELECT = 32784,
    ID_TOOL_COLOR_SELECT = 32785,
    ID_TOOL_TEXT = 32791,
    ID_TOOL_FILL = 32788,
    ID_TOOL_BLUR = 32790,
    ID_TOOL_ERASE = 32787,
    ID_TOOL_SPRAY = 32863,
    ID_TOOL_BRUSH = 32907,
    ID_TOOL_STAMP = 32944,
    ID_TOOL_GRADIENT = 32986,
    ID_TOOL_MOVE_LAYER = 32860,

    // The main frame: the buttons of the eight option bars, in bar order.
    ID_PENCIL_TIP_0 = 32829,  // the ten tips: 32829, 32826, 32827, 32828, 32912 .. 32917
    ID_PENCIL_TIP_1 = 32826,
    ID_PENCIL_TIP_2 = 32827,
    ID_PENCIL_TIP_3 = 32828,
    ID_PENCIL_TIP_4 = 32912,
    ID_ERASER_SIZE_0 = 32831,  // .. + 3
    ID_LINE_WIDTH_0 = 32835,   // .. + 3
    ID_SPRAY_SIZE_0 = 32865,   // .. + 3
    ID_BLUR_SIZE_0 = 32908,    // .. + 3
    ID_BRUSH_SIZE_0 = 32918,   // .. + 3
    ID_STAMP_SIZE_0 = 32945,   // .. + 3
    ID_GRADIENT_LINEAR = 32988,
    ID_GRADIENT_CIRCULAR = 32989,
    ID_COLOR_PRIMARY = 1040,  // the colour bar's "Set Color" buttons
    ID_COLOR_SECONDARY = 1041,
};

inline constexpr int kRecentFileCount = 9;
