#pragma once

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

// Runs body(first, last) over [0, count) split into one contiguous band per core. Small jobs
// (below minPerBand items in all) run on the calling thread. body must not depend on the
// order in which the bands run.
template <typename Body>
void ParallelBands(int count, int64_t costPerItem, Body&& body, int64_t minCost = 1 << 18) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int64_t total = int64_t(count) * std::max<int64_t>(1, costPerItem);
    int bands = int(std::min<int64_t>({int64_t(cores), total / minCost, int64_t(count)}));
    if (bands <= 1) {
        if (count > 0) {
            body(0, count);
        }
        return;
    }
    std::vector<std::thread> workers;
    workers.reserve(size_t(bands - 1));
    const int step = (count + bands - 1) / bands;
    for (int b = 1; b < bands; ++b) {
        const int first = b * step;
        const int last = std::min(count, first + step);
        if (first < last) {
            workers.emplace_back([&body, first, last] { body(first, last); });
        }
    }
    body(0, std::min(count, step));
    for (auto& w : workers) {
        w.join();
    }
}
