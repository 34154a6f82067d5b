#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "platform/MemoryBudget.h"
#include "support/LimitedChild.h"

namespace {

constexpr int64_t kMiB = int64_t(1) << 20;

// Bytes of a w x h picture at 4 bytes a pixel.
constexpr int64_t Px(int64_t w, int64_t h) {
    return w * h * 4;
}

const ChildScenario kReadLimits("read-limits", [](const QStringList&) {
    const MemoryLimits limited = ReadMemoryLimits();
    return std::to_string(limited.addressSpace) + " " + std::to_string(limited.Lowest());
});

}  // namespace

TEST(MemoryBudget, TheNeedCountsLayersCachesTheSaveAndOneUndoCopy) {
    struct Case {
        const char* what;
        std::vector<QSize> layers;
        int64_t need;
    };
    const std::vector<Case> cases{
        {"no layers", {}, 0},
        // One layer: itself, two caches, the composed picture and the encoder's copy, one undo.
        {"one 1000 x 500 layer", {{1000, 500}}, 6 * Px(1000, 500)},
        {"20000 x 20000", {{20000, 20000}}, 6 * Px(20000, 20000)},
        // The caches span the widest by the tallest, however thin the layers are.
        {"a row and a column",
         {{32768, 1}, {1, 32768}},
         Px(32768, 1) + Px(1, 32768) + 4 * Px(32768, 32768) + Px(32768, 1)},
        {"three layers, the undo copy of the largest",
         {{100, 100}, {300, 200}, {50, 400}},
         Px(100, 100) + Px(300, 200) + Px(50, 400) + 4 * Px(300, 400) + Px(300, 200)},
        {"sizes that are no picture count as nothing",
         {{0, 100}, {100, -5}, {10, 10}},
         6 * Px(10, 10)},
        {"the largest sides a bitmap may have", {{65536, 16384}}, 6 * Px(65536, 16384)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PictureMemoryNeed(c.layers), c.need) << c.what;
    }
}

TEST(MemoryBudget, ThePictureFitsUnderTheLowestBound) {
    const std::vector<QSize> picture{{8192, 8192}};  // 256 MiB a bitmap, 1.5 GiB in all
    const int64_t need = PictureMemoryNeed(picture);
    ASSERT_EQ(need, 1536 * kMiB);
    auto limits = [](int64_t available, int64_t as, int64_t data, int64_t cgroup) {
        MemoryLimits l;
        l.available = available;
        l.addressSpace = as;
        l.data = data;
        l.cgroup = cgroup;
        return l;
    };
    struct Case {
        const char* what;
        MemoryLimits limits;
        int64_t held;
        bool fits;
        int64_t available;
    };
    const std::vector<Case> cases{
        {"nothing known", limits(-1, -1, -1, -1), 0, true, -1},
        {"free memory enough", limits(24 * kGiB, -1, -1, -1), 0, true, 24 * kGiB},
        {"exactly enough", limits(need, -1, -1, -1), 0, true, need},
        {"one byte short", limits(need - 1, -1, -1, -1), 0, false, need - 1},
        {"an address-space limit", limits(24 * kGiB, kGiB, -1, -1), 0, false, kGiB},
        {"a data limit", limits(24 * kGiB, -1, 1024 * kMiB, 8 * kGiB), 0, false, 1024 * kMiB},
        {"a cgroup limit", limits(24 * kGiB, 20 * kGiB, -1, 512 * kMiB), 0, false, 512 * kMiB},
        {"the lowest of all counts", limits(3 * kGiB, 2 * kGiB, 4 * kGiB, kGiB), 0, false, kGiB},
        {"memory held counts as given back", limits(kGiB, -1, -1, -1), 512 * kMiB, true,
         1536 * kMiB},
        {"not enough even with it", limits(kGiB, -1, -1, -1), 256 * kMiB, false, 1280 * kMiB},
        {"a limit used up", limits(24 * kGiB, 0, -1, -1), 0, false, 0},
    };
    for (const Case& c : cases) {
        const MemoryVerdict v = CheckPictureMemory(picture, c.held, c.limits);
        EXPECT_EQ(v.fits, c.fits) << c.what;
        EXPECT_EQ(v.need, need) << c.what;
        EXPECT_EQ(v.available, c.available) << c.what;
    }
    const MemoryVerdict refused = CheckPictureMemory(picture, 0, limits(kGiB, -1, -1, -1));
    EXPECT_EQ(MemoryRefusalMessage("The picture is too large to be opened.", refused),
              "The picture is too large to be opened.\n"
              "It needs about 1.5 GB of memory; 1.0 GB are available.");
    const MemoryVerdict small =
        CheckPictureMemory(std::vector<QSize>{{1000, 1000}}, 0, limits(3 * kMiB, -1, -1, -1));
    EXPECT_EQ(MemoryRefusalMessage("No.", small),
              "No.\nIt needs about 23 MB of memory; 3 MB are available.");
}

TEST(MemoryBudget, TheSystemBoundsAreRead) {
    const MemoryLimits now = ReadMemoryLimits();
    EXPECT_GT(now.available, 0) << "every Linux since 3.14 tells MemAvailable";
    // An address-space limit, in a child so that the test's own process keeps its own: what
    // is left of it is the headroom given.
    const ChildResult child = RunInLimitedChild(3 * kGiB, "read-limits");
    ASSERT_TRUE(child.ended);
    int64_t addressSpace = 0, lowest = 0;
    ASSERT_EQ(std::sscanf(child.text.c_str(), "%ld %ld", &addressSpace, &lowest), 2);
    EXPECT_GT(addressSpace, 3 * kGiB - 64 * kMiB);
    EXPECT_LE(addressSpace, 3 * kGiB);
    EXPECT_LE(lowest, addressSpace);
}
