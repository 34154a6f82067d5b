#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <vector>

class CPictorraDoc;

// The command ids of the Edit and Selections menus that the document handles.
enum SelectionCommandId : int {
    kCmdSelectAll = 32776,
    kCmdDelete = 32816,
    kCmdCrop = 32777,
    kCmdCopy = 57634,
    kCmdCut = 57635,
    kCmdPaste = 57637,
    kCmdInvertSelection = 32902,
    kCmdShiftLeft = 32801,
    kCmdShiftRight = 32802,
    kCmdShiftUp = 32803,
    kCmdShiftDown = 32804,
    kCmdIncreaseUp = 32876,
    kCmdIncreaseDown = 32877,
    kCmdIncreaseLeft = 32878,
    kCmdIncreaseRight = 32881,
    kCmdDecreaseUp = 32886,
    kCmdDecreaseDown = 32888,
    kCmdDecreaseLeft = 32889,
    kCmdDecreaseRight = 32891,
    kCmdExchangeColor = 32786,
};

// One of those commands as the program's command table takes it: its id, name, shortcuts,
// what it does and when it can run.
struct CSelectionCommand {
    int id;
    QString name;
    QList<QKeySequence> keys;
    void (CPictorraDoc::*run)();
    // Null: always enabled.
    bool (CPictorraDoc::*enabled)() const;

    bool IsEnabled(const CPictorraDoc& doc) const { return !enabled || (doc.*enabled)(); }
};

// Every selection and clipboard command of the document, in menu order.
const std::vector<CSelectionCommand>& SelectionCommands();
const CSelectionCommand* FindSelectionCommand(int id);
