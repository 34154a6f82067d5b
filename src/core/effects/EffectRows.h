#pragma once

#include <array>
#include <cstdint>

#include "platform/Bitmap.h"
#include "platform/Parallel.h"

// Helpers shared by the effects whose result does not depend on the order of the pixels.

// Runs body(row, y) for every row of bitmap, the rows split over the cores. costPerPixel is a
// rough count of operations, so that small pictures stay on the calling thread.
template <typename Body>
void ForEachRow(Bitmap& bitmap, int64_t costPerPixel, Body&& body) {
    ParallelBands(bitmap.Height(), int64_t(bitmap.Width()) * costPerPixel,
                  [&](int first, int last) {
                      for (int y = first; y < last; ++y) {
                          body(bitmap.Row(y), y);
                      }
                  });
}

// A new value for each value of the red, green and blue bytes; alpha is never looked at.
struct ChannelTables {
    std::array<uint8_t, 256> red, green, blue;
};

// Replaces every pixel's red, green and blue through the tables; alpha stays.
void ApplyChannelTables(Bitmap& target, const ChannelTables& tables);
