#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/Compose.h"
#include "platform/Draw.h"
#include "support/TestPictures.h"

namespace {

// Straight-alpha source-over with the source alpha scaled by opacity / 100, in doubles. Where
// the result is fully transparent the destination is left as it was.
uint32_t ReferenceOver(uint32_t dst, uint32_t src, int opacity) {
    const double sa = ArgbAlpha(src) / 255.0 * opacity / 100.0;
    const double da = ArgbAlpha(dst) / 255.0;
    const double ra = sa + da * (1 - sa);
    if (std::lround(ra * 255) == 0) {
        return dst;
    }
    auto channel = [&](int shift) {
        const double sc = (src >> shift) & 0xFF, dc = (dst >> shift) & 0xFF;
        return uint32_t(std::lround((sc * sa + dc * da * (1 - sa)) / ra));
    };
    return MakeArgb(uint32_t(std::lround(ra * 255)), channel(16), channel(8), channel(0));
}

bool Within(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(Compose, SourceOverMatchesTheReferenceFormulaWithinOnePerChannel) {
    const std::vector<uint32_t> alphas{0, 1, 2, 64, 127, 128, 200, 254, 255};
    const std::vector<uint32_t> colours{0x000000, 0xFFFFFF, 0xFF0000, 0x10E080, 0x7F7F7F};
    const std::vector<int> opacities{0, 1, 33, 50, 99, 100};
    std::vector<uint32_t> pixels;
    for (uint32_t a : alphas) {
        for (uint32_t c : colours) {
            pixels.push_back((a << 24) | c);
        }
    }
    int checked = 0;
    for (int opacity : opacities) {
        for (uint32_t dst : pixels) {
            for (uint32_t src : pixels) {
                uint32_t row = dst;
                BlendRow(&row, &src, 1, float(opacity) / 100.0f);
                const uint32_t want = ReferenceOver(dst, src, opacity);
                ASSERT_TRUE(Within(row, want, 1))
                    << Hex(src).toStdString() << " over " << Hex(dst).toStdString()
                    << " at opacity " << opacity << " gave " << Hex(row).toStdString()
                    << ", expected " << Hex(want).toStdString();
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, int(opacities.size() * pixels.size() * pixels.size()));
}

TEST(Compose, ExactWhereTheFormulaIsExact) {
    struct Case {
        uint32_t dst, src;
        int opacity;
        uint32_t want;
    };
    for (const Case c : {
             Case{0xFF123456, 0xFFABCDEF, 100, 0xFFABCDEF},  // opaque replaces
             Case{0x00000000, 0x80ABCDEF, 100, 0x80ABCDEF},  // onto transparent: a copy
             Case{0xFF123456, 0x00ABCDEF, 100, 0xFF123456},  // transparent draws nothing
             Case{0x00FFFFFF, 0x00ABCDEF, 100, 0x00FFFFFF},  // nor over transparent
             Case{0xFF123456, 0xFFABCDEF, 0, 0xFF123456},    // opacity 0 draws nothing
             Case{0x00000000, 0xFFABCDEF, 50, 0x80ABCDEF},   // opacity 50 halves alpha
         }) {
        uint32_t row = c.dst;
        BlendRow(&row, &c.src, 1, float(c.opacity) / 100.0f);
        EXPECT_EQ(Hex(row), Hex(c.want))
            << Hex(c.src).toStdString() << " over " << Hex(c.dst).toStdString();
    }
}

TEST(Compose, StackOfOffsetSourcesEqualsBlendingThemOneByOne) {
    auto a = MakePhotoLike(40, 30, 1);
    auto b = MakePhotoLike(25, 35, 2);
    auto c = MakePhotoLike(50, 10, 3);
    const std::vector<ComposeSource> sources{
        {a.get(), 0, 0, 1.0f}, {b.get(), 20, -5, 0.5f}, {c.get(), -10, 22, 0.8f}};

    auto composed = Bitmap::Create(45, 32);
    ComposeOver(*composed, sources);

    auto expected = Bitmap::Create(45, 32);
    for (const auto& s : sources) {
        for (int y = 0; y < expected->Height(); ++y) {
            for (int x = 0; x < expected->Width(); ++x) {
                const int sx = x - s.x, sy = y - s.y;
                if (sx >= 0 && sy >= 0 && sx < s.bitmap->Width() && sy < s.bitmap->Height()) {
                    expected->SetPixel(
                        x, y,
                        ReferenceOver(expected->GetPixel(x, y), s.bitmap->GetPixel(sx, sy),
                                      int(std::lround(s.alpha * 100))));
                }
            }
        }
    }
    EXPECT_TRUE(SamePixels(*composed, *expected, 1));
}

TEST(Compose, LargePicturesSplitOverCoresGiveTheSameResult) {
    auto base = MakePhotoLike(700, 500, 4);
    auto layer = MakePhotoLike(700, 500, 5);
    auto parallel = base->Clone();
    const ComposeSource source{layer.get(), 3, -2, 0.7f};
    ComposeOver(*parallel, std::span(&source, 1));

    auto rowByRow = base->Clone();
    for (int y = 0; y < 500; ++y) {
        if (y + 2 < 500) {
            BlendRow(rowByRow->Row(y) + 3, layer->Row(y + 2), 697, 0.7f);
        }
    }
    EXPECT_TRUE(SamePixels(*parallel, *rowByRow));
}
