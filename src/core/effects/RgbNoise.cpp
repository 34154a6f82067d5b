#include "effects/RgbNoise.h"

#include <algorithm>

namespace {

inline uint8_t AddNoise(uint8_t c, uint32_t state, float strength) {
    const float u = float(CRandomSequence::ValueOf(state)) / 32768.0f;
    const float d = (u - 0.5f) * 4.0f * strength;
    return uint8_t(std::clamp(int(float(c) + d), 0, 255));
}

}  // namespace

void RgbNoise(Bitmap& target, const RgbNoiseParams& params, CRandomSequence& random) {
    const int width = target.Width(), height = target.Height();
    const float sr = float(params.red), sg = float(params.green), sb = float(params.blue);
    // Pixel (x, y) takes draws 3 (x * H + y) .. 3 (x * H + y) + 2.
    const CRandomSequence::Jump alongRow = CRandomSequence::JumpOf(3 * uint64_t(height));
    const CRandomSequence::Jump nextRow = CRandomSequence::JumpOf(3);
    uint32_t columnState = random.State();
    for (int y = 0; y < height; ++y, columnState = nextRow.Apply(columnState)) {
        uint32_t state = columnState;
        uint8_t* p = reinterpret_cast<uint8_t*>(target.Row(y));
        for (int x = 0; x < width; ++x, p += 4, state = alongRow.Apply(state)) {
            if (p[3] == 0) {
                continue;
            }
            const uint32_t red = CRandomSequence::Step(state);
            const uint32_t green = CRandomSequence::Step(red);
            const uint32_t blue = CRandomSequence::Step(green);
            p[2] = AddNoise(p[2], red, sr);
            p[1] = AddNoise(p[1], green, sg);
            p[0] = AddNoise(p[0], blue, sb);
        }
    }
    random.Skip(3 * uint64_t(width) * uint64_t(height));
}
