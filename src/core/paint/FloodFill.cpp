#include "paint/FloodFill.h"

#include <algorithm>
#include <vector>

#include "platform/Bitmap.h"

namespace {

// A pixel of the area still to be filled; the run of the row around it is filled when it is
// taken from the stack.
struct Pending {
    int x, y;
};

}  // namespace

QRect FloodFill(Bitmap& bitmap, QPoint start, uint32_t color) {
    if (!bitmap.Rect().contains(start)) {
        return {};
    }
    const uint32_t old = bitmap.GetPixel(start.x(), start.y());
    if (old == color) {
        return {};
    }
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    int minX = start.x(), maxX = start.x(), minY = start.y(), maxY = start.y();
    std::vector<Pending> stack;
    stack.push_back({start.x(), start.y()});
    // Pushes the first pixel of every run of old pixels in row y between left and right.
    auto pushRuns = [&](int y, int left, int right) {
        const uint32_t* row = bitmap.Row(y);
        int x = left;
        while (x <= right) {
            while (x <= right && row[x] != old) {
                ++x;
            }
            if (x > right) {
                break;
            }
            stack.push_back({x, y});
            while (x <= right && row[x] == old) {
                ++x;
            }
        }
    };
    while (!stack.empty()) {
        const Pending next = stack.back();
        stack.pop_back();
        uint32_t* row = bitmap.Row(next.y);
        if (row[next.x] != old) {
            continue;  // filled since it was pushed
        }
        int left = next.x;
        while (left > 0 && row[left - 1] == old) {
            --left;
        }
        int right = next.x;
        while (right + 1 < width && row[right + 1] == old) {
            ++right;
        }
        std::fill(row + left, row + right + 1, color);
        minX = std::min(minX, left);
        maxX = std::max(maxX, right);
        minY = std::min(minY, next.y);
        maxY = std::max(maxY, next.y);
        if (next.y > 0) {
            pushRuns(next.y - 1, left, right);
        }
        if (next.y + 1 < height) {
            pushRuns(next.y + 1, left, right);
        }
    }
    return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}
