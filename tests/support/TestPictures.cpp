#include "support/TestPictures.h"

#include <cmath>
#include <cstdlib>
#include <random>

std::unique_ptr<Bitmap> MakeBitmap(int width, int height,
                                   const std::function<uint32_t(int, int)>& f) {
    auto bitmap = Bitmap::Create(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap->SetPixel(x, y, f(x, y));
        }
    }
    return bitmap;
}

std::unique_ptr<Bitmap> MakePhotoLike(int width, int height, uint32_t variant, bool varyingAlpha) {
    auto bitmap = Bitmap::Create(width, height);
    std::mt19937 rng(variant);
    std::uniform_int_distribution<int> noise(-6, 6);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = bitmap->Row(y);
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width, v = double(y) / height;
            auto channel = [&](double base) {
                return uint32_t(std::clamp(int(base) + noise(rng), 0, 255));
            };
            const uint32_t r = channel(128 + 100 * std::sin(6.0 * u + 2.0 * v));
            const uint32_t g = channel(128 + 90 * std::cos(5.0 * v - 3.0 * u));
            const uint32_t b = channel(60 + 150 * u * v);
            const uint32_t a =
                varyingAlpha ? channel(255 - 200 * std::abs(std::sin(3.0 * (u + v)))) : 255;
            row[x] = MakeArgb(a, r, g, b);
        }
    }
    return bitmap;
}

QString Hex(uint32_t argb) {
    return QStringLiteral("%1").arg(argb, 8, 16, QLatin1Char('0')).toUpper();
}

::testing::AssertionResult SamePixels(const Bitmap& a, const Bitmap& b, int tolerance) {
    if (a.Size() != b.Size()) {
        return ::testing::AssertionFailure() << "sizes differ: " << a.Width() << "x" << a.Height()
                                             << " and " << b.Width() << "x" << b.Height();
    }
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            const uint32_t p = a.GetPixel(x, y), q = b.GetPixel(x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                const int d = std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
                if (d > tolerance) {
                    return ::testing::AssertionFailure()
                           << "first difference at (" << x << ", " << y
                           << "): " << Hex(p).toStdString() << " vs " << Hex(q).toStdString();
                }
            }
        }
    }
    return ::testing::AssertionSuccess();
}
