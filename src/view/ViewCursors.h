#pragma once

#include <QCursor>

// The program's own cursors of the canvas.
enum class ViewCursor { Pencil, SelectionCross, Pipette, Fill, Blur, Eraser, Spray };

// The cursor drawn for the program (the resource :/cursors/<name>.svg drawn at 32 x 32, or
// :/cursors/<name>.png), otherwise the nearest standard cursor.
QCursor NamedCursor(ViewCursor cursor);
