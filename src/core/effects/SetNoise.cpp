#include "effects/SetNoise.h"

#include <algorithm>

void SetNoise(Bitmap& target, int strength, CRandomSequence& random) {
    const int width = target.Width(), height = target.Height();
    const float s = float(strength);
    // Pixel (x, y) takes draw number x * H + y: down a column one draw, along a row H draws.
    const CRandomSequence::Jump alongRow = CRandomSequence::JumpOf(uint64_t(height));
    uint32_t columnState = random.State();
    for (int y = 0; y < height; ++y) {
        columnState = CRandomSequence::Step(columnState);
        uint32_t state = columnState;
        uint8_t* p = reinterpret_cast<uint8_t*>(target.Row(y));
        for (int x = 0; x < width; ++x, p += 4, state = alongRow.Apply(state)) {
            if (p[3] == 0) {
                continue;
            }
            const float u = float(CRandomSequence::ValueOf(state)) / 32768.0f;
            const int d = int((u - 0.5f) * 4.0f * s);
            p[0] = uint8_t(std::clamp(p[0] + d, 0, 255));
            p[1] = uint8_t(std::clamp(p[1] + d, 0, 255));
            p[2] = uint8_t(std::clamp(p[2] + d, 0, 255));
        }
    }
    random.Skip(uint64_t(width) * uint64_t(height));
}
