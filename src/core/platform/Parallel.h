#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>

#include "platform/Progress.h"
#include "platform/ThreadPool.h"

// Runs body(first, last) over [0, count) split into one contiguous band per core, on the
// program's thread pool with the calling thread taking part (see CThreadPool). Small jobs
// (below minCost operations in all) run on the calling thread. body must not depend on the
// order in which the bands run.
template <typename Body>
void ParallelBands(int count, int64_t costPerItem, Body&& body, int64_t minCost = 1 << 18) {
    const int64_t total = int64_t(count) * std::max<int64_t>(1, costPerItem);
    const int bands =
        int(std::min<int64_t>({int64_t(CThreadPool::CoreCount()),
                               total / std::max<int64_t>(1, minCost), int64_t(count)}));
    if (bands <= 1) {
        if (count > 0) {
            body(0, count);
        }
        return;
    }
    const int step = (count + bands - 1) / bands;
    const std::function<void(int)> band = [&body, step, count](int b) {
        const int first = b * step;
        const int last = std::min(count, first + step);
        if (first < last) {
            body(first, last);
        }
    };
    CThreadPool::ForThisThread().RunChunks(bands, band);
}

// As ParallelBands for rows [0, count) of long work: each band stops at the next row once
// progress is cancelled, and every row done counts on progress (which may be null).
// body(y) works on row y.
template <typename Body>
void ParallelRows(int count, int64_t costPerRow, CProgress* progress, Body&& body) {
    ParallelBands(count, costPerRow, [&](int first, int last) {
        for (int y = first; y < last && !IsCancelled(progress); ++y) {
            body(y);
            AdvanceProgress(progress);
        }
    });
}
