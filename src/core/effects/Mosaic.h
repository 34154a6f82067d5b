#pragma once

#include <utility>
#include <vector>

#include "platform/Bitmap.h"

class CProgress;

// The block sizes of the mosaic dialog: slider 1..150, size = position + 1.
constexpr int kMosaicMinSize = 2;
constexpr int kMosaicMaxSize = 151;

// How the mosaic cuts one axis of length L into runs [first, last), for block size S. With
// n = L / S, the grid starts at o = (L mod n) / 2 (o = L when n = 0), and its blocks start at
// o, o + S, ... while below L - S. Before the grid lies a strip of o < S / 2 pixels and after
// it one of 1..S pixels; each strip is one run. Without any grid block the axis is cut into
// runs of S from 0, the last one shorter.
std::vector<std::pair<int, int>> MosaicRuns(int length, int size);

// Mosaic with block size S (S < 2 changes nothing): the picture is cut into the cells of the
// runs of both axes, and every pixel of a cell takes the blue, green and red of the cell's
// middle pixel (first + (last - first) / 2 on each axis; for a grid block (x + S/2, y + S/2)),
// keeping its own alpha. Fully transparent pixels stay.
void Mosaic(Bitmap& target, int size, CProgress* progress = nullptr);
