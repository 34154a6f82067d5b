#include "view/RegionOutline.h"

#include <algorithm>
#include <climits>

namespace {

using Spans = std::vector<std::pair<int, int>>;  // [left, right) of the rectangles of a band

// Where exactly one of two bands' spans lies: the edges between them.
Spans SymmetricDifference(const Spans& a, const Spans& b) {
    std::vector<int> ends;
    ends.reserve((a.size() + b.size()) * 2);
    for (const Spans* spans : {&a, &b}) {
        for (const auto& [l, r] : *spans) {
            ends.push_back(l);
            ends.push_back(r);
        }
    }
    std::sort(ends.begin(), ends.end());
    Spans result;
    for (size_t i = 0; i + 1 < ends.size(); i += 2) {
        if (ends[i] < ends[i + 1]) {
            result.emplace_back(ends[i], ends[i + 1]);
        }
    }
    return result;
}

}  // namespace

std::vector<QLine> RegionOutline(const QRegion& region) {
    std::vector<QLine> lines;
    auto horizontal = [&lines](int y, const Spans& spans) {
        for (const auto& [l, r] : spans) {
            lines.emplace_back(l, y, r, y);
        }
    };
    Spans previous;
    int previousBottom = INT_MIN;
    auto it = region.begin();
    const auto end = region.end();
    // A region's rectangles come in bands: rows of rectangles sharing their top and bottom,
    // left to right, not touching.
    while (it != end) {
        const int top = it->top(), bottom = it->bottom() + 1;
        Spans band;
        for (; it != end && it->top() == top; ++it) {
            const int l = it->left(), r = it->right() + 1;
            band.emplace_back(l, r);
            lines.emplace_back(l, top, l, bottom);
            lines.emplace_back(r, top, r, bottom);
        }
        if (previousBottom == top) {
            horizontal(top, SymmetricDifference(previous, band));
        } else {
            horizontal(previousBottom, previous);
            horizontal(top, band);
        }
        previous = std::move(band);
        previousBottom = bottom;
    }
    horizontal(previousBottom, previous);
    return lines;
}
