#pragma once

#include <array>
#include <cstdint>
#include <utility>

#include "platform/Bitmap.h"
#include "platform/Parallel.h"

// Helpers shared by the effects whose result does not depend on the order of the pixels.

// Runs body(row, y) for every row of bitmap, the rows split over the cores. costPerPixel is a
// rough count of operations, so that small pictures stay on the calling thread. With
// progress (which may be null), the rows stop once it is cancelled and each row done counts.
template <typename Body>
void ForEachRow(Bitmap& bitmap, int64_t costPerPixel, CProgress* progress, Body&& body) {
    ParallelRows(bitmap.Height(), int64_t(bitmap.Width()) * costPerPixel, progress,
                 [&](int y) { body(bitmap.Row(y), y); });
}
template <typename Body>
void ForEachRow(Bitmap& bitmap, int64_t costPerPixel, Body&& body) {
    ForEachRow(bitmap, costPerPixel, nullptr, std::forward<Body>(body));
}

// A new value for each value of the red, green and blue bytes; alpha is never looked at.
struct ChannelTables {
    std::array<uint8_t, 256> red, green, blue;
};

// Replaces every pixel's red, green and blue through the tables; alpha stays.
void ApplyChannelTables(Bitmap& target, const ChannelTables& tables);
