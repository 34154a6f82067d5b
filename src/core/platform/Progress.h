#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>

// The token of one run of long work (an effect on a big picture): the work counts what it has
// done on it and looks at it to learn that the user cancelled; the window that waits reads
// the fraction done and cancels. Every member may be called from any thread at any time, and
// each is one relaxed atomic operation, cheap enough for every row of a picture.
//
// The unit is the work's own (rows, usually). An effect's total is the rows of its target
// unless the effect sets another one (SetTotal(2 * height) for two passes over the rows).
class CProgress {
public:
    void SetTotal(int64_t units) { m_nTotal.store(std::max<int64_t>(0, units), kOrder); }
    int64_t Total() const { return m_nTotal.load(kOrder); }
    void Advance(int64_t units = 1) { m_nDone.fetch_add(units, kOrder); }
    int64_t Done() const { return m_nDone.load(kOrder); }
    // Done / Total in 0..1; 0 while no total is known.
    double Fraction() const {
        const int64_t total = Total();
        return total > 0 ? std::clamp(double(Done()) / double(total), 0.0, 1.0) : 0.0;
    }

    // Asks the work to stop soon. What it leaves behind is for its caller to undo.
    void Cancel() { m_bCancelled.store(true, kOrder); }
    bool IsCancelled() const { return m_bCancelled.load(kOrder); }

private:
    // The counters carry no data between threads: whoever waits for the work learns of its
    // end through the pool or a lock, which orders everything the work wrote.
    static constexpr std::memory_order kOrder = std::memory_order_relaxed;
    std::atomic<int64_t> m_nTotal{0};
    std::atomic<int64_t> m_nDone{0};
    std::atomic<bool> m_bCancelled{false};
};

// The same for work that may run without a token (null: never cancelled, nothing counted).
inline bool IsCancelled(const CProgress* progress) {
    return progress && progress->IsCancelled();
}
inline void AdvanceProgress(CProgress* progress, int64_t units = 1) {
    if (progress) {
        progress->Advance(units);
    }
}
