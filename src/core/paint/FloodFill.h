#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

class Bitmap;

// Replaces the area of equal pixels around start with color: every pixel reachable from start
// through its four neighbours whose value (all four channels) equals start's exactly. No
// tolerance. Works on whole runs of a row with a stack of runs on the heap, so a picture of
// any size fills without deep recursion. A start outside the bitmap, or a color equal to the
// area's, changes nothing. Returns the bounding box of the replaced pixels (empty when none).
QRect FloodFill(Bitmap& bitmap, QPoint start, uint32_t color);
