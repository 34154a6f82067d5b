#include "paint/Gradient.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Compose.h"

namespace {

// The colours of t = 0 .. 1 in 1024 steps: a pixel's colour is looked up rather than mixed.
class ColorRamp {
public:
    ColorRamp(uint32_t c1, uint32_t c2) : m_colors(kSteps + 1) {
        for (int i = 0; i <= kSteps; ++i) {
            auto mix = [i](uint32_t a, uint32_t b) {
                return uint32_t((a * uint32_t(kSteps - i) + b * uint32_t(i) + kSteps / 2) / kSteps);
            };
            m_colors[size_t(i)] =
                MakeArgb(mix(ArgbAlpha(c1), ArgbAlpha(c2)), mix(ArgbRed(c1), ArgbRed(c2)),
                         mix(ArgbGreen(c1), ArgbGreen(c2)), mix(ArgbBlue(c1), ArgbBlue(c2)));
        }
    }
    // t is clamped to 0 .. 1.
    uint32_t At(double t) const {
        return m_colors[size_t(std::lround(std::clamp(t, 0.0, 1.0) * kSteps))];
    }

private:
    static constexpr int kSteps = 1024;
    std::vector<uint32_t> m_colors;
};

// Calls rowColors(y, left, n, out) for each run of clipped pixels of target and blends the n
// colours it writes over the run.
template <typename RowColors>
void BlendRuns(Bitmap& target, const QRegion& clip, RowColors&& rowColors) {
    const QRegion area = clip.isEmpty() ? QRegion(target.Rect()) : clip & target.Rect();
    std::vector<uint32_t> colors(size_t(target.Width()));
    for (const QRect& r : area) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            rowColors(y, r.left(), r.width(), colors.data());
            BlendRow(target.Row(y) + r.left(), colors.data(), r.width(), 1.0f);
        }
    }
}

}  // namespace

bool LinearGradient(Bitmap& target, QPoint start, QPoint end, uint32_t color1, uint32_t color2,
                    const QRegion& clip) {
    if (start == end) {
        return false;
    }
    const ColorRamp ramp(color1, color2);
    // t of a pixel centre: its distance from the start line in units of the band's width;
    // below 0 beyond the start line, above 1 beyond the end line.
    const double dx = end.x() - start.x();
    const double dy = end.y() - start.y();
    const double length2 = dx * dx + dy * dy;
    const double tx = dx / length2, ty = dy / length2;
    BlendRuns(target, clip, [&](int y, int left, int n, uint32_t* out) {
        double t = (left - start.x()) * tx + (y - start.y()) * ty;
        for (int i = 0; i < n; ++i, t += tx) {
            out[i] = ramp.At(t);
        }
    });
    return true;
}

bool CircularGradient(Bitmap& target, QPoint start, QPoint end, uint32_t color1, uint32_t color2,
                      const QRegion& clip) {
    if (start == end) {
        return false;
    }
    const double ddx = start.x() - end.x();
    const double ddy = start.y() - end.y();
    const int radius = int(std::sqrt(ddx * ddx + ddy * ddy));
    const ColorRamp ramp(color1, color2);
    BlendRuns(target, clip, [&](int y, int left, int n, uint32_t* out) {
        const double ry = y - start.y();
        for (int i = 0; i < n; ++i) {
            const double rx = left + i - start.x();
            out[i] = ramp.At(std::sqrt(rx * rx + ry * ry) / radius);
        }
    });
    return true;
}
