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

    // The main frame.
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_VIEW_STATUS_BAR = 59393,
    ID_HELP_INDEX = 57666,
};

inline constexpr int kRecentFileCount = 9;
