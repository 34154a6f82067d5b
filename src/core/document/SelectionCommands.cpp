#include "document/SelectionCommands.h"

#include "document/PictorraDoc.h"

const std::vector<CSelectionCommand>& SelectionCommands() {
    using D = CPictorraDoc;
    using K = QKeySequence;
    static const std::vector<CSelectionCommand> commands{
        {kCmdSelectAll,
         QStringLiteral("Select All"),
         {K(Qt::CTRL | Qt::Key_A)},
         &D::SelectAll,
         nullptr},
        {kCmdDelete,
         QStringLiteral("Delete"),
         {K(Qt::Key_Delete)},
         &D::DeleteSelection,
         &D::CanDelete},
        {kCmdCrop, QStringLiteral("Crop"), {}, &D::Crop, &D::CanCrop},
        {kCmdCopy,
         QStringLiteral("Copy"),
         {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)},
         &D::Copy,
         &D::CanCopy},
        {kCmdCut,
         QStringLiteral("Cut"),
         {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)},
         &D::Cut,
         &D::CanCut},
        {kCmdPaste,
         QStringLiteral("Paste"),
         {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)},
         &D::Paste,
         &D::CanPaste},
        {kCmdInvertSelection,
         QStringLiteral("Invert Selection"),
         {K(Qt::CTRL | Qt::Key_I)},
         &D::InvertSelection,
         &D::CanInvertSelection},
        {kCmdShiftLeft, QStringLiteral("Shift Left"), {K(Qt::Key_Left)}, &D::ShiftLeft, nullptr},
        {kCmdShiftRight,
         QStringLiteral("Shift Right"),
         {K(Qt::Key_Right)},
         &D::ShiftRight,
         nullptr},
        {kCmdShiftUp, QStringLiteral("Shift Up"), {K(Qt::Key_Up)}, &D::ShiftUp, nullptr},
        {kCmdShiftDown, QStringLiteral("Shift Down"), {K(Qt::Key_Down)}, &D::ShiftDown, nullptr},
        {kCmdIncreaseUp,
         QStringLiteral("Increase Up"),
         {K(Qt::SHIFT | Qt::Key_Up)},
         &D::IncreaseUp,
         nullptr},
        {kCmdIncreaseDown,
         QStringLiteral("Increase Down"),
         {K(Qt::SHIFT | Qt::Key_Down)},
         &D::IncreaseDown,
         nullptr},
        {kCmdIncreaseLeft,
         QStringLiteral("Increase Left"),
         {K(Qt::SHIFT | Qt::Key_Left)},
         &D::IncreaseLeft,
         nullptr},
        {kCmdIncreaseRight,
         QStringLiteral("Increase Right"),
         {K(Qt::SHIFT | Qt::Key_Right)},
         &D::IncreaseRight,
         nullptr},
        {kCmdDecreaseUp,
         QStringLiteral("Decrease Up"),
         {K(Qt::ALT | Qt::Key_Up)},
         &D::DecreaseUp,
         nullptr},
        {kCmdDecreaseDown,
         QStringLiteral("Decrease Down"),
         {K(Qt::ALT | Qt::Key_Down)},
         &D::DecreaseDown,
         nullptr},
        {kCmdDecreaseLeft,
         QStringLiteral("Decrease Left"),
         {K(Qt::ALT | Qt::Key_Left)},
         &D::DecreaseLeft,
         nullptr},
        {kCmdDecreaseRight,
         QStringLiteral("Decrease Right"),
         {K(Qt::ALT | Qt::Key_Right)},
         &D::DecreaseRight,
         nullptr},
        {kCmdExchangeColor,
         QStringLiteral("Exchange Color"),
         {K(Qt::CTRL | Qt::SHIFT | Qt::Key_X)},
         &D::ExchangeColor,
         nullptr},
    };
    return commands;
}

const CSelectionCommand* FindSelectionCommand(int id) {
    for (const CSelectionCommand& command : SelectionCommands()) {
        if (command.id == id) {
            return &command;
        }
    }
    return nullptr;
}
