// Files that used to open wrong: PNG gamma and transparency, 16-bit grey, 1-bit Photoshop.
#include <gtest/gtest.h>

#include <FreeImage.h>

#include <QtEndian>
#include <cmath>

#include "files/RasterFiles.h"
#include "support/FileBytes.h"
#include "support/TestPictures.h"

namespace {

std::unique_ptr<Bitmap> Decode(const QByteArray& bytes, FileFormat format = FileFormat::Png) {
    QString error;
    auto bitmap = DecodeRaster(bytes, format, &error);
    EXPECT_TRUE(bitmap) << error.toStdString();
    return bitmap;
}

// What FreeImage's own PNG decoder shows of an RGB file, gamma step included: the correction
// the program has always applied to RGB files.
std::unique_ptr<Bitmap> DecodedByFreeImage(const QByteArray& bytes) {
    FIMEMORY* memory = FreeImage_OpenMemory(
        reinterpret_cast<BYTE*>(const_cast<char*>(bytes.constData())), DWORD(bytes.size()));
    FIBITMAP* dib = FreeImage_LoadFromMemory(FIF_PNG, memory, 0);
    FIBITMAP* dib32 = dib ? FreeImage_ConvertTo32Bits(dib) : nullptr;
    std::unique_ptr<Bitmap> bitmap;
    if (dib32) {
        const int w = int(FreeImage_GetWidth(dib32)), h = int(FreeImage_GetHeight(dib32));
        bitmap = Bitmap::Create(w, h);
        for (int y = 0; y < h; ++y) {
            std::memcpy(bitmap->Row(y), FreeImage_GetScanLine(dib32, unsigned(h - 1 - y)),
                        size_t(w) * 4);
        }
        FreeImage_Unload(dib32);
    }
    if (dib) {
        FreeImage_Unload(dib);
    }
    FreeImage_CloseMemory(memory);
    return bitmap;
}

// A 256 x 1 file of grey values 0..255 in the colour type given, with chunks before the
// pixels.
QByteArray Ramp(int colorType, int bitDepth, std::vector<QByteArray> chunks) {
    std::vector<uint16_t> samples;
    for (int v = 0; v < 256; ++v) {
        // 16-bit samples whose high byte is v: v x 257 spans 0..65535 as v spans 0..255.
        const uint16_t s = uint16_t(bitDepth == 16 ? v * 257 : v);
        const uint16_t alpha = uint16_t(bitDepth == 16 ? (255 - v) * 257 : 255 - v);
        switch (colorType) {
            case 0:
            case 3:
                samples.insert(samples.end(), {s});
                break;
            case 2:
                samples.insert(samples.end(), {s, s, s});
                break;
            case 4:
                samples.insert(samples.end(), {s, alpha});
                break;
            case 6:
                samples.insert(samples.end(), {s, s, s, alpha});
                break;
        }
    }
    QByteArray row;
    if (bitDepth == 16) {
        row = Samples16(samples);
    } else {
        for (uint16_t s : samples) {
            row.append(char(s));
        }
    }
    return MakePngFile({256, 1, bitDepth, colorType}, chunks, {row});
}

QByteArray GreyPalette() {
    QByteArray palette;
    for (int v = 0; v < 256; ++v) {
        palette.append(3, char(v));
    }
    return PngChunk("PLTE", palette);
}

}  // namespace

TEST(PngGamma, EveryColourTypeTakesTheGammaAsRgbAlwaysHasAndKeepsItsTransparency) {
    for (uint32_t gamma : {100000u, 80000u, 45455u}) {
        SCOPED_TRACE(gamma);
        // RGB as FreeImage's decoder corrects it: the reference for every other colour type.
        const auto reference = DecodedByFreeImage(Ramp(2, 8, {PngGamma(gamma)}));
        ASSERT_TRUE(reference);
        if (gamma == 100000) {
            // 1.0 shown on a 2.2 display: 255 x (v / 255) ^ (1 / 2.2).
            EXPECT_EQ(reference->GetPixel(32, 0), 0xFF636363u);
            EXPECT_EQ(reference->GetPixel(64, 0), 0xFF888888u);
        }
        const QByteArray transparentGrey = PngChunk("tRNS", QByteArray("\x00\x40", 2));
        QByteArray paletteAlpha(256, '\xff');
        paletteAlpha[64] = '\0';
        paletteAlpha[65] = '\x80';
        struct Case {
            const char* what;
            QByteArray file;
            int tolerance;                       // 16-bit samples are corrected before reduction
            std::function<uint32_t(int)> alpha;  // the alpha the file stores for value v
        };
        const auto opaque = [](int) { return 255u; };
        const auto fading = [](int v) { return uint32_t(255 - v); };
        const auto keyed = [](int v) { return v == 64 ? 0u : 255u; };
        const std::vector<Case> cases{
            {"RGB", Ramp(2, 8, {PngGamma(gamma)}), 0, opaque},
            {"RGBA", Ramp(6, 8, {PngGamma(gamma)}), 0, fading},
            {"grey", Ramp(0, 8, {PngGamma(gamma)}), 0, opaque},
            {"grey with a transparent value", Ramp(0, 8, {PngGamma(gamma), transparentGrey}), 0,
             keyed},
            {"grey and alpha", Ramp(4, 8, {PngGamma(gamma)}), 0, fading},
            {"palette with transparency",
             Ramp(3, 8, {PngGamma(gamma), GreyPalette(), PngChunk("tRNS", paletteAlpha)}), 0,
             [](int v) { return v == 64   ? 0u
                                : v == 65 ? 0x80u
                                          : 255u; }},
            {"16-bit RGB", Ramp(2, 16, {PngGamma(gamma)}), 1, opaque},
            {"16-bit RGBA", Ramp(6, 16, {PngGamma(gamma)}), 1, fading},
            {"16-bit grey", Ramp(0, 16, {PngGamma(gamma)}), 1, opaque},
            {"16-bit grey and alpha", Ramp(4, 16, {PngGamma(gamma)}), 1, fading},
        };
        for (const Case& c : cases) {
            const auto got = Decode(c.file);
            ASSERT_TRUE(got) << c.what;
            for (int v = 0; v < 256; ++v) {
                const uint32_t px = got->GetPixel(v, 0);
                const uint32_t want = reference->GetPixel(v, 0) & 0x00FFFFFF;
                ASSERT_EQ(ArgbAlpha(px), c.alpha(v)) << c.what << ", value " << v;
                ASSERT_TRUE(SamePixels(*Bitmap::Create(1, 1, px | 0xFF000000),
                                       *Bitmap::Create(1, 1, want | 0xFF000000), c.tolerance))
                    << c.what << ", value " << v << ": " << Hex(px).toStdString() << " for "
                    << Hex(want).toStdString();
            }
        }
    }
}

TEST(PngGamma, WhetherToCorrectIsDecidedAsTheDecoderAlwaysDid) {
    const QByteArray srgb = PngChunk("sRGB", QByteArray(1, '\0'));
    QByteArray damaged = PngGamma(100000);
    damaged[damaged.size() - 1] = char(damaged[damaged.size() - 1] ^ 1);
    const QByteArray rgbPalette = PngChunk("PLTE", QByteArray("\x00\x00\x00\xff\xff\xff", 6));
    struct Case {
        const char* what;
        std::vector<QByteArray> chunks;
    };
    const std::vector<Case> cases{
        {"no gAMA", {}},
        {"gAMA 1.0", {PngGamma(100000)}},
        {"just beyond 5 % below 1/2.2", {PngGamma(43181)}},
        {"just within 5 % below", {PngGamma(43182)}},
        {"the inverse just within 5 % above", {PngGamma(47728)}},
        {"beyond 5 % above", {PngGamma(48000)}},
        {"2.2", {PngGamma(220000)}},
        {"out of range", {PngGamma(1)}},
        {"zero", {PngGamma(0)}},
        {"marked sRGB after", {PngGamma(100000), srgb}},
        {"marked sRGB before", {srgb, PngGamma(100000)}},
        {"after a suggested palette", {rgbPalette, PngGamma(100000)}},
        {"a damaged CRC", {damaged}},
        {"a chunk of 5 bytes", {PngChunk("gAMA", QByteArray("\x00\x01\x86\xa0\x00", 5))}},
    };
    for (const Case& c : cases) {
        const QByteArray file = Ramp(2, 8, c.chunks);
        const auto reference = DecodedByFreeImage(file);
        ASSERT_TRUE(reference) << c.what;
        EXPECT_TRUE(SamePixels(*Decode(file), *reference)) << c.what;
    }
}

TEST(RasterFiles, SixteenBitGreyOpensAsStored) {
    // Not stretched between the darkest and the lightest value the picture holds.
    struct Case {
        const char* what;
        std::vector<uint16_t> samples;
        std::vector<uint32_t> shown;
    };
    const std::vector<Case> cases{
        {"one mid grey", {0x8000, 0x8000, 0x8000}, {0xFF808080, 0xFF808080, 0xFF808080}},
        {"a narrow range", {1000, 1500, 2000}, {0xFF030303, 0xFF050505, 0xFF070707}},
        {"black to white", {0, 0x7FFF, 0xFFFF}, {0xFF000000, 0xFF7F7F7F, 0xFFFFFFFF}},
    };
    for (const Case& c : cases) {
        const auto got = Decode(MakePngFile({3, 1, 16, 0}, {}, {Samples16(c.samples)}));
        ASSERT_TRUE(got) << c.what;
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(Hex(got->GetPixel(x, 0)), Hex(c.shown[size_t(x)])) << c.what << " " << x;
        }
    }
}

TEST(RasterFiles, OneBitPhotoshopFilesShowSetBitsBlack) {
    // Bitmap mode: one channel of 1 bit, a set bit is black ink on white paper.
    constexpr int kWidth = 10, kHeight = 3;
    const std::vector<QByteArray> rows{QByteArray("\x80\x40", 2), QByteArray("\xff\xc0", 2),
                                       QByteArray("\x00\x00", 2)};
    auto be16 = [](int v) {
        QByteArray b(2, '\0');
        qToBigEndian(uint16_t(v), b.data());
        return b;
    };
    auto be32 = [](int v) {
        QByteArray b(4, '\0');
        qToBigEndian(uint32_t(v), b.data());
        return b;
    };
    const QByteArray header = QByteArray("8BPS") + be16(1) + QByteArray(6, '\0') + be16(1) +
                              be32(kHeight) + be32(kWidth) + be16(1) + be16(0) +
                              be32(0) /* colour mode data */ + be32(0) /* resources */ +
                              be32(0) /* layers */;
    QByteArray raw = header + be16(0), packed = header + be16(1);
    for (const QByteArray& row : rows) {
        raw += row;
        packed += be16(3);  // each row one literal run of two bytes
    }
    for (const QByteArray& row : rows) {
        packed += QByteArray(1, '\x01') + row;
    }
    for (const auto& [what, file] : {std::pair{"raw", raw}, std::pair{"packed", packed}}) {
        const auto got = Decode(file, FileFormat::Photoshop);
        ASSERT_TRUE(got) << what;
        ASSERT_EQ(got->Size(), QSize(kWidth, kHeight));
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const bool set = (uint8_t(rows[size_t(y)][x / 8]) >> (7 - x % 8)) & 1;
                EXPECT_EQ(Hex(got->GetPixel(x, y)), Hex(set ? 0xFF000000 : 0xFFFFFFFF))
                    << what << " at " << x << "," << y;
            }
        }
    }
}
