// Convolution and edge filters: ConvolvePixel's border shift and zero-channel rule on small
// pictures worked out by hand, and the fast whole-picture loops against a literal per-pixel
// reference on photo-like pictures.
#include <gtest/gtest.h>

#include "effects/Blur.h"
#include "effects/Convolve.h"
#include "effects/Emboss.h"
#include "effects/KernelFilters.h"
#include "effects/Sharpen.h"
#include "support/TestPictures.h"

namespace {

// A pixel as text, for readable failures.
std::string H(uint32_t argb) {
    return Hex(argb).toStdString();
}

}  // namespace

namespace {

constexpr uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

// Pictures written as rows of characters: '#' opaque white, '.' opaque black.
std::unique_ptr<Bitmap> FromRows(const std::vector<std::string>& rows) {
    return MakeBitmap(int(rows[0].size()), int(rows.size()), [&](int x, int y) {
        return rows[size_t(y)][size_t(x)] == '#' ? kWhite : kBlack;
    });
}

std::vector<std::string> ToRows(const Bitmap& b) {
    std::vector<std::string> rows;
    for (int y = 0; y < b.Height(); ++y) {
        std::string row;
        for (int x = 0; x < b.Width(); ++x) {
            const uint32_t p = b.GetPixel(x, y);
            row += p == kWhite ? '#' : p == kBlack ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

// The filters' loop exactly as written for one pixel at a time: x outer, y inner, every pixel
// with non-zero alpha the ConvolvePixel sum over a copy with its own alpha.
std::unique_ptr<Bitmap> ReferenceConvolve(const Bitmap& in, const int32_t* kernel, int kw, int kh) {
    PixelMatrix source;
    EXPECT_TRUE(source.CopyFrom(in));
    auto out = in.Clone();
    for (int x = 0; x < in.Width(); ++x) {
        for (int y = 0; y < in.Height(); ++y) {
            const uint32_t p = in.GetPixel(x, y);
            if (ArgbAlpha(p) != 0) {
                out->SetPixel(
                    x, y,
                    (p & 0xFF000000u) |
                        (ConvolvePixel(x, y, kernel, kw, kh, source, 1.0f) & 0x00FFFFFFu));
            }
        }
    }
    return out;
}

// A photo-like picture with some pixels that cannot contribute (a channel at 0) and some fully
// transparent ones holding a colour.
std::unique_ptr<Bitmap> Awkward(int w, int h) {
    auto b = MakePhotoLike(w, h, 11);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if ((x * 7 + y * 3) % 11 == 0) {
                b->SetPixel(x, y, b->GetPixel(x, y) & 0xFFFF00FFu);
            } else if ((x + y * 5) % 13 == 0) {
                b->SetPixel(x, y, 0x00FFFFFFu);
            }
        }
    }
    return b;
}

}  // namespace

TEST(KernelFilters, OpaqueBlackWhiteVerticalEdge) {
    // Black columns 0..2, white 3..5. The top and bottom rows see the kernel shifted by one
    // row, the left and right columns by one column.
    const std::vector<std::string> edge{"...###", "...###", "...###", "...###"};
    struct Case {
        KernelFilter filter;
        std::vector<std::string> out;
    };
    const std::vector<Case> cases{
        // Interior rows: the white rows' -1 and +1 cancel, sW = 0, black. Top and bottom: only
        // the -1 row is used, sum and sW both negative, so white.
        {KernelFilter::Prewitt, {"..####", "......", "......", "..####"}},
        // Beside the edge only one white column with weights 1, 2, 1 contributes; uniform
        // areas cancel. The last column has only the -1 -2 -1 column left: white.
        {KernelFilter::Sobel, {"..##.#", "..##.#", "..##.#", "..##.#"}},
        {KernelFilter::Laplas, {"..####", "..##.#", "..##.#", "..####"}},
        // Weights summing to 1 keep uniform areas. Black never contributes, so the black
        // column beside the edge gets only white with negative weights over a negative sW:
        // white. The edge moves one column into the black.
        {KernelFilter::ContrastFilter, {"..####", "..####", "..####", "..####"}},
        {KernelFilter::HighContrast, {"..####", "..####", "..####", "..####"}},
    };
    for (const Case& c : cases) {
        auto b = FromRows(edge);
        ApplyKernelFilter(*b, c.filter);
        EXPECT_EQ(ToRows(*b), c.out) << "filter " << int(c.filter);
    }
}

TEST(ConvolvePixel, KernelMeetsTheWindowsFirstRowAndColumn) {
    // Greys 10 .. 90 row by row, kernel weights 1 .. 9: at the top-left and bottom-right
    // corners the weights 1, 2, 4, 5 are used, at the top edge the first two kernel rows.
    PixelMatrix grey;
    ASSERT_TRUE(grey.CopyFrom(*MakeBitmap(3, 3, [](int x, int y) {
        const uint32_t v = 10u * uint32_t(1 + x + 3 * y);
        return MakeArgb(255, v, v, v);
    })));
    const std::array<int32_t, 9> kernel{1, 2, 3, 4, 5, 6, 7, 8, 9};
    struct Case {
        int x, y;
        float factor;
        uint32_t grey;
    };
    const Case cases[] = {
        {0, 0, 1.0f, 38},  // (10 + 40 + 160 + 250) / 12
        {2, 2, 1.0f, 78},  // (50 + 120 + 320 + 450) / 12
        {2, 0, 1.0f, 48},  // (20 + 60 + 200 + 300) / 12
        {1, 0, 1.0f, 43},  // 910 / 21
        {1, 1, 1.0f, 63},  // 2850 / 45
        {1, 1, 0.5f, 31},  // trunc(1425) / 45
    };
    for (const Case& c : cases) {
        EXPECT_EQ(H(ConvolvePixel(c.x, c.y, kernel.data(), 3, 3, grey, c.factor)),
                  H(MakeArgb(255, c.grey, c.grey, c.grey)))
            << c.x << "," << c.y;
    }
}

TEST(KernelFilters, ZeroChannelRuleAndWindowsWithoutContributors) {
    // Opaque pure red never contributes: a window of nothing else is black, alpha kept.
    auto red = Bitmap::Create(4, 3, 0xC8FF0000);
    ApplyKernelFilter(*red, KernelFilter::ContrastFilter);
    EXPECT_TRUE(SamePixels(*red, *Bitmap::Create(4, 3, 0xC8000000)));

    // A grey field with one pure red pixel: the red pixel takes the value its grey neighbours
    // give (weights -1 each over sW = -4), the greys around it keep their value.
    auto field =
        MakeBitmap(5, 5, [](int x, int y) { return x == 2 && y == 2 ? 0xFFFF0000u : 0xFF646464u; });
    ApplyKernelFilter(*field, KernelFilter::ContrastFilter);
    EXPECT_TRUE(SamePixels(*field, *Bitmap::Create(5, 5, 0xFF646464)));

    const std::array<int32_t, 9> ones{1, 1, 1, 1, 1, 1, 1, 1, 1};
    PixelMatrix none;
    ASSERT_TRUE(none.CopyFrom(*Bitmap::Create(3, 3, 0xFF00FF00)));
    EXPECT_EQ(H(ConvolvePixel(1, 1, ones.data(), 3, 3, none, 1.0f)), H(kBlack));
}

TEST(KernelFilters, WholePictureMatchesThePerPixelRoutine) {
    // 320 x 240 runs in bands over the cores, which share the rows at their boundaries.
    for (auto [w, h] : {std::pair{37, 23}, std::pair{3, 3}, std::pair{2, 9}, std::pair{300, 4},
                        std::pair{1, 1}, std::pair{320, 240}}) {
        const auto in = Awkward(w, h);
        for (KernelFilter f : {KernelFilter::ContrastFilter, KernelFilter::HighContrast,
                               KernelFilter::Prewitt, KernelFilter::Sobel, KernelFilter::Laplas}) {
            auto fast = in->Clone();
            ApplyKernelFilter(*fast, f);
            EXPECT_TRUE(SamePixels(*fast, *ReferenceConvolve(*in, KernelOf(f).data(), 3, 3)))
                << w << "x" << h << " filter " << int(f);
        }
    }
}

TEST(Blur, TopLeftCornerAndContributors) {
    // At the corner the window is the 2 x 2 block: (10 + 20 + 30 + 41) / 4 = 25.
    auto corner = MakeBitmap(4, 4, [](int x, int y) {
        const uint32_t v[] = {10, 20, 30, 41};
        const uint32_t c = x < 2 && y < 2 ? v[x + 2 * y] : 200;
        return MakeArgb(255, c, c, c);
    });
    ASSERT_TRUE(Blur(*corner, 3));
    EXPECT_EQ(H(corner->GetPixel(0, 0)), H(0xFF191919));

    // Pure red does not count, nor does a fully transparent white pixel; the transparent
    // pixel itself stays exactly as it was.
    auto mixed = MakeBitmap(3, 1, [](int x, int) {
        const uint32_t v[] = {0xFF646464, 0xFFFF0000, 0x00FFFFFF};
        return v[x];
    });
    ASSERT_TRUE(Blur(*mixed, 3));
    EXPECT_EQ(H(mixed->GetPixel(0, 0)), H(0xFF646464));
    EXPECT_EQ(H(mixed->GetPixel(1, 0)), H(0xFF646464));
    EXPECT_EQ(H(mixed->GetPixel(2, 0)), H(0x00FFFFFF));

    auto picture = Bitmap::Create(2, 2, 0xFF101010);
    EXPECT_FALSE(Blur(*picture, 4));
    EXPECT_TRUE(SamePixels(*picture, *Bitmap::Create(2, 2, 0xFF101010)));
}

TEST(Blur, EverySizeMatchesThePerPixelRoutine) {
    for (int size : kBlurSizes) {
        const std::vector<int32_t> ones(size_t(size * size), 1);
        for (auto [w, h] :
             {std::pair{41, 29}, std::pair{5, 3}, std::pair{1, 12}, std::pair{320, 240}}) {
            const auto in = Awkward(w, h);
            auto fast = in->Clone();
            ASSERT_TRUE(Blur(*fast, size));
            EXPECT_TRUE(SamePixels(*fast, *ReferenceConvolve(*in, ones.data(), size, size)))
                << "size " << size << " on " << w << "x" << h;
        }
    }
}

TEST(Sharpen, InPlaceOrderMatchesTheLiteralLoop) {
    const auto in = Awkward(31, 19);
    auto reference = in->Clone();
    Bitmap& r = *reference;
    for (int y = 1; y < r.Height() - 1; ++y) {
        for (int x = 1; x < r.Width() - 1; ++x) {
            const uint32_t c = r.GetPixel(x, y);
            if (ArgbAlpha(c) == 0) {
                continue;
            }
            const uint32_t n[4] = {r.GetPixel(x, y - 1), r.GetPixel(x - 1, y), r.GetPixel(x + 1, y),
                                   r.GetPixel(x, y + 1)};
            uint32_t out = c & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                int v = 6 * int((c >> shift) & 0xFF);
                for (uint32_t p : n) {
                    v -= int((p >> shift) & 0xFF);
                }
                out |= uint32_t(std::clamp(v / 2, 0, 255)) << shift;
            }
            r.SetPixel(x, y, out);
        }
    }
    auto fast = in->Clone();
    Sharpen(*fast);
    EXPECT_TRUE(SamePixels(*fast, r));
    // The second pixel of a row reads its already sharpened left neighbour.
    auto row =
        MakeBitmap(4, 3, [](int x, int y) { return y == 1 && x == 1 ? 0xFF646464u : 0xFF505050u; });
    Sharpen(*row);
    // (1,1): (600 - 320) / 2 = 140; (2,1): (480 - 80*3 - 140) / 2 = 50.
    EXPECT_EQ(H(row->GetPixel(1, 1)), H(0xFF8C8C8C));
    EXPECT_EQ(H(row->GetPixel(2, 1)), H(0xFF323232));
}

TEST(Emboss, MatchesTheLiteralLoopAndKeepsBorders) {
    for (auto [w, h] : {std::pair{29, 17}, std::pair{320, 240}}) {
        const auto in = Awkward(w, h);
        PixelMatrix n;
        ASSERT_TRUE(n.CopyFrom(*in));
        auto reference = in->Clone();
        for (int y = 1; y < in->Height() - 1; ++y) {
            for (int x = 1; x < in->Width() - 1; ++x) {
                const uint32_t p = in->GetPixel(x, y);
                if (ArgbAlpha(p) == 0) {
                    continue;
                }
                uint32_t out = p & 0xFF000000u;
                for (int shift = 0; shift < 24; shift += 8) {
                    auto c = [&](int cx, int cy) { return int((n.Get(cx, cy) >> shift) & 0xFF); };
                    const int m = std::max({std::abs(c(x + 1, y - 1) - c(x - 1, y + 1)),
                                            std::abs(c(x + 1, y + 1) - c(x - 1, y - 1)),
                                            std::abs(c(x, y - 1) - c(x, y + 1)),
                                            std::abs(c(x + 1, y) - c(x - 1, y))});
                    out |= uint32_t(m) << shift;
                }
                reference->SetPixel(x, y, out);
            }
        }
        auto fast = in->Clone();
        Emboss(*fast);
        EXPECT_TRUE(SamePixels(*fast, *reference)) << w << "x" << h;
    }

    auto edge = FromRows({"..##", "..##", "..##", "..##"});
    Emboss(*edge);
    EXPECT_EQ(ToRows(*edge), (std::vector<std::string>{"..##", ".###", ".###", "..##"}));
}

TEST(SharpenAndEmboss, NarrowPicturesStayAsTheyAre) {
    for (auto [w, h] : {std::pair{1, 5}, std::pair{2, 5}, std::pair{5, 1}, std::pair{5, 2},
                        std::pair{2, 2}, std::pair{1, 1}}) {
        const auto in = MakePhotoLike(w, h, 5);
        auto sharpened = in->Clone();
        Sharpen(*sharpened);
        EXPECT_TRUE(SamePixels(*sharpened, *in)) << "sharpen " << w << "x" << h;
        auto embossed = in->Clone();
        Emboss(*embossed);
        EXPECT_TRUE(SamePixels(*embossed, *in)) << "emboss " << w << "x" << h;
    }
}
