#pragma once

#include <QCursor>

// The program's own cursors of the canvas.
enum class ViewCursor { Pencil, SelectionCross, Pipette, Fill, Blur, Eraser, Spray };

// The cursor drawn for the program (the resource :/cursors/<name>.png, 32 x 32, when the
// program carries it), otherwise the nearest standard cursor.
QCursor NamedCursor(ViewCursor cursor);
