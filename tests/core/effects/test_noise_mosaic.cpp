// Noise and mosaic, the random sequence they draw from, and the rule every neighbourhood and
// noise effect keeps: fully transparent pixels are left exactly as they are.
#include <gtest/gtest.h>

#include "effects/Blur.h"
#include "effects/Emboss.h"
#include "effects/KernelFilters.h"
#include "effects/Mosaic.h"
#include "effects/RandomSequence.h"
#include "effects/RgbNoise.h"
#include "effects/SetNoise.h"
#include "effects/Sharpen.h"
#include "support/TestPictures.h"

namespace {

// A pixel as text, for readable failures.
std::string H(uint32_t argb) {
    return Hex(argb).toStdString();
}

}  // namespace

TEST(RandomSequence, TheCLibraryContractAndJumps) {
    CRandomSequence fresh;
    const int first[] = {16838, 5758, 10113, 17515, 31051, 5627};
    for (int v : first) {
        EXPECT_EQ(fresh.Next(), v);
    }
    CRandomSequence walked(12345), jumped(12345);
    for (int i = 0; i < 1000; ++i) {
        const int v = walked.Next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, CRandomSequence::kMaxValue);
    }
    jumped.Skip(1000);
    EXPECT_EQ(jumped.State(), walked.State());
    EXPECT_EQ(jumped.Next(), walked.Next());
}

namespace {

// The noise loops exactly as written: x outer, y inner, one draw per pixel (or three).
void ReferenceSetNoise(Bitmap& b, int strength, CRandomSequence& random) {
    for (int x = 0; x < b.Width(); ++x) {
        for (int y = 0; y < b.Height(); ++y) {
            const float u = float(random.Next() % 32768) / 32768.0f;
            const int d = int((u - 0.5f) * 4.0f * float(strength));
            const uint32_t p = b.GetPixel(x, y);
            if (ArgbAlpha(p) == 0) {
                continue;
            }
            auto c = [&](uint32_t v) { return uint32_t(std::clamp(int(v) + d, 0, 255)); };
            b.SetPixel(x, y,
                       MakeArgb(ArgbAlpha(p), c(ArgbRed(p)), c(ArgbGreen(p)), c(ArgbBlue(p))));
        }
    }
}

void ReferenceRgbNoise(Bitmap& b, const RgbNoiseParams& s, CRandomSequence& random) {
    for (int x = 0; x < b.Width(); ++x) {
        for (int y = 0; y < b.Height(); ++y) {
            float d[3];
            const int strengths[3] = {s.red, s.green, s.blue};
            for (int c = 0; c < 3; ++c) {
                const float u = float(random.Next() % 32768) / 32768.0f;
                d[c] = (u - 0.5f) * 4.0f * float(strengths[c]);
            }
            const uint32_t p = b.GetPixel(x, y);
            if (ArgbAlpha(p) == 0) {
                continue;
            }
            auto c = [&](uint32_t v, float dc) {
                return uint32_t(std::clamp(int(float(v) + dc), 0, 255));
            };
            b.SetPixel(x, y,
                       MakeArgb(ArgbAlpha(p), c(ArgbRed(p), d[0]), c(ArgbGreen(p), d[1]),
                                c(ArgbBlue(p), d[2])));
        }
    }
}

}  // namespace

TEST(Noise, DrawsInColumnOrderAndContinuesTheSequence) {
    const auto in = MakePhotoLike(37, 21, 9);  // with fully transparent pixels among others
    for (int strength : {0, 1, 37, 100}) {
        CRandomSequence a(77), b(77);
        auto fast = in->Clone(), slow = in->Clone();
        SetNoise(*fast, strength, a);
        ReferenceSetNoise(*slow, strength, b);
        EXPECT_TRUE(SamePixels(*fast, *slow)) << "strength " << strength;
        EXPECT_EQ(a.State(), b.State());
    }
    for (RgbNoiseParams s :
         {RgbNoiseParams{}, RgbNoiseParams{0, 0, 0}, RgbNoiseParams{100, 3, 61}}) {
        CRandomSequence a(5), b(5);
        auto fast = in->Clone(), slow = in->Clone();
        RgbNoise(*fast, s, a);
        ReferenceRgbNoise(*slow, s, b);
        EXPECT_TRUE(SamePixels(*fast, *slow)) << s.red << "," << s.green << "," << s.blue;
        EXPECT_EQ(a.State(), b.State());
    }
}

TEST(Noise, ZeroStrengthChangesNothingAndNoiseStaysInRange) {
    const auto in = MakePhotoLike(16, 9, 2);
    CRandomSequence random;
    auto zero = in->Clone();
    SetNoise(*zero, 0, random);
    EXPECT_TRUE(SamePixels(*zero, *in));
    auto rgbZero = in->Clone();
    RgbNoise(*rgbZero, RgbNoiseParams{0, 0, 0}, random);
    EXPECT_TRUE(SamePixels(*rgbZero, *in));

    auto grey = Bitmap::Create(40, 40, 0xFF808080);
    SetNoise(*grey, 25, random);
    int low = 255, high = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const uint32_t p = grey->GetPixel(x, y);
            ASSERT_TRUE(ArgbRed(p) == ArgbGreen(p) && ArgbGreen(p) == ArgbBlue(p));
            low = std::min(low, int(ArgbRed(p)));
            high = std::max(high, int(ArgbRed(p)));
        }
    }
    EXPECT_GE(low, 128 - 50);
    EXPECT_LE(high, 128 + 50);
    EXPECT_LT(low, 128 - 30);
    EXPECT_GT(high, 128 + 30);
}

TEST(Mosaic, RunsCoverEachAxis) {
    using Runs = std::vector<std::pair<int, int>>;
    struct Case {
        int length, size;
        Runs runs;
    };
    const std::vector<Case> cases{
        {4, 2, {{0, 2}, {2, 4}}},  // the grid block at 0, then the edge run
        {5, 2, {{0, 2}, {2, 4}, {4, 5}}},
        {10, 3, {{0, 3}, {3, 6}, {6, 9}, {9, 10}}},
        {103,
         10,
         {{0, 1},
          {1, 11},
          {11, 21},
          {21, 31},
          {31, 41},
          {41, 51},
          {51, 61},
          {61, 71},
          {71, 81},
          {81, 91},
          {91, 101},
          {101, 103}}},
        {1, 2, {{0, 1}}},  // no grid block: runs of S from the start
        {7, 7, {{0, 7}}},
        {15, 7, {{0, 7}, {7, 14}, {14, 15}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MosaicRuns(c.length, c.size), c.runs) << c.length << " by " << c.size;
    }
    for (int length = 1; length < 60; ++length) {
        for (int size = 2; size < 40; ++size) {
            const Runs runs = MosaicRuns(length, size);
            int next = 0;
            for (auto [first, last] : runs) {
                ASSERT_EQ(first, next) << length << " by " << size;
                ASSERT_GT(last, first);
                ASSERT_LE(last - first, size);
                next = last;
            }
            ASSERT_EQ(next, length);
        }
    }
}

TEST(Mosaic, TwoOnFourByFour) {
    auto b = MakeBitmap(4, 4, [](int x, int y) {
        return MakeArgb(200 + uint32_t(x), uint32_t(x), uint32_t(y), uint32_t(x * 4 + y));
    });
    Mosaic(*b, 2);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            // Each 2 x 2 block takes the colour of its lower-right pixel; alpha stays.
            const uint32_t sx = uint32_t(x / 2 * 2 + 1), sy = uint32_t(y / 2 * 2 + 1);
            EXPECT_EQ(H(b->GetPixel(x, y)), H(MakeArgb(200 + uint32_t(x), sx, sy, sx * 4 + sy)))
                << x << "," << y;
        }
    }
}

TEST(Effects, FullyTransparentPixelsAreLeftAlone) {
    auto picture = MakeBitmap(9, 9, [](int x, int y) {
        return (x + y) % 3 == 0 ? 0x00123456u
                                : MakeArgb(255, uint32_t(20 * x), 200, uint32_t(25 * y));
    });
    CRandomSequence random;
    const std::vector<std::pair<const char*, std::function<void(Bitmap&)>>> effects{
        {"sharpen", [](Bitmap& b) { Sharpen(b); }},
        {"emboss", [](Bitmap& b) { Emboss(b); }},
        {"laplas", [](Bitmap& b) { ApplyKernelFilter(b, KernelFilter::Laplas); }},
        {"blur", [](Bitmap& b) { Blur(b, 5); }},
        {"mosaic", [](Bitmap& b) { Mosaic(b, 2); }},
        {"set noise", [&](Bitmap& b) { SetNoise(b, 100, random); }},
        {"rgb noise",
         [&](Bitmap& b) {
             RgbNoise(b, RgbNoiseParams{100, 100, 100}, random);
         }},
    };
    for (const auto& [name, effect] : effects) {
        auto b = picture->Clone();
        effect(*b);
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 9; ++x) {
                if ((x + y) % 3 == 0) {
                    ASSERT_EQ(H(b->GetPixel(x, y)), H(0x00123456))
                        << name << " at " << x << "," << y;
                }
            }
        }
    }
}
