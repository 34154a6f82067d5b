#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>

class Bitmap;

// The text tool's pixel work. Fonts are measured and drawn as on a picture of 96 dots per
// inch, so that a 10-point font is about 13 pixels high whatever the screen.

// The size of text's bounding box: the advance of its last character's end from the start
// and the line height, truncated to whole pixels. An empty text is measured as one blank
// line.
QSize MeasureText(const QFont& font, const QString& text);

// Draws text on one line in color (0xAARRGGBB, blended over the pixels) with the top-left of
// its box at topLeft of target. Returns the part of target that may have changed (empty for
// an empty text).
QRect DrawTextLine(Bitmap& target, const QFont& font, QPoint topLeft, const QString& text,
                   uint32_t color);
