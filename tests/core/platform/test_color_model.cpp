#include <gtest/gtest.h>

#include <QString>
#include <cstdlib>

#include "platform/ColorModel.h"

// Beside the types (the global namespace), where the test macros look for them.
static std::ostream& operator<<(std::ostream& os, const CRgbValue& c) {
    return os << "RGB(" << c.r << ", " << c.g << ", " << c.b << ")";
}
static std::ostream& operator<<(std::ostream& os, const CHsvValue& c) {
    return os << "HSV(" << c.h << ", " << c.s << ", " << c.v << ")";
}

TEST(ColorModel, RgbToHsvTruncatesEachResult) {
    struct Case {
        CRgbValue rgb;
        CHsvValue hsv;
    };
    const Case cases[] = {
        {{255, 0, 0}, {0, 100, 100}},     {{0, 255, 0}, {120, 100, 100}},
        {{0, 0, 255}, {240, 100, 100}},   {{128, 128, 128}, {0, 0, 50}},
        {{0, 0, 0}, {0, 0, 0}},           {{255, 255, 255}, {0, 0, 100}},
        {{255, 0, 255}, {300, 100, 100}},  // red largest with G < B: one turn added
        {{255, 128, 0}, {30, 100, 100}},   // 30.1 degrees
        {{10, 20, 30}, {210, 66, 11}},     // S 66.7 and V 11.8 truncated
        {{200, 255, 100}, {81, 60, 100}},  // green largest: 81.3 degrees
        {{255, 0, 1}, {360, 100, 100}},    // -0.2 truncates to 0, then the turn is added
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RgbToHsv(c.rgb), c.hsv) << c.rgb;
    }
}

TEST(ColorModel, HsvToRgbByTheSixSextants) {
    struct Case {
        CHsvValue hsv;
        CRgbValue rgb;
    };
    const Case cases[] = {
        {{0, 100, 100}, {255, 0, 0}},    {{60, 100, 100}, {255, 255, 0}},
        {{120, 100, 100}, {0, 255, 0}},  {{180, 100, 100}, {0, 255, 255}},
        {{240, 100, 100}, {0, 0, 255}},  {{300, 100, 100}, {255, 0, 255}},
        {{360, 100, 100}, {255, 0, 0}},  // a full turn is sextant 0 again
        {{30, 100, 100}, {255, 127, 0}}, {{0, 0, 50}, {127, 127, 127}},
        {{0, 0, 0}, {0, 0, 0}},          {{200, 50, 80}, {102, 170, 204}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HsvToRgb(c.hsv), c.rgb) << c.hsv;
    }
}

TEST(ColorModel, ConversionsRoundTrip) {
    // The corners of the RGB cube come back exactly.
    for (int bits = 0; bits < 8; ++bits) {
        const CRgbValue rgb{bits & 1 ? 255 : 0, bits & 2 ? 255 : 0, bits & 4 ? 255 : 0};
        EXPECT_EQ(HsvToRgb(RgbToHsv(rgb)), rgb);
    }
    // Any other colour comes back close: whole degrees and percentages lose a little.
    int worst = 0;
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                const CRgbValue back = HsvToRgb(RgbToHsv({r, g, b}));
                worst = std::max(
                    {worst, std::abs(back.r - r), std::abs(back.g - g), std::abs(back.b - b)});
            }
        }
    }
    EXPECT_LE(worst, 6);
}

TEST(ColorModel, FieldLimits) {
    struct Case {
        ColorField field;
        int64_t typed;
        int limited;
    };
    const Case cases[] = {
        {ColorField::Red, 300, 255},
        {ColorField::Green, 255, 255},
        {ColorField::Blue, -5, 0},
        {ColorField::Red, 0, 0},
        {ColorField::Hue, 361, 360},
        {ColorField::Hue, 360, 360},
        {ColorField::Saturation, 101, 100},
        {ColorField::Value, 50, 50},
        {ColorField::Hex, 0x1000000, 0xFFFFFF},
        {ColorField::Hex, 0xFF0000, 0xFF0000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColorFieldLimit(c.field, c.typed), c.limited) << int(c.field) << " " << c.typed;
    }
}

TEST(ColorModel, FieldTextsAreNumbersOrRefused) {
    struct Case {
        ColorField field;
        const char* text;
        std::optional<int64_t> value;
    };
    const Case cases[] = {
        {ColorField::Red, "300", 300},
        {ColorField::Red, "", 0},
        {ColorField::Hue, "-7", -7},
        {ColorField::Red, "12a", std::nullopt},
        {ColorField::Red, " 12", std::nullopt},
        {ColorField::Red, "FF", std::nullopt},
        {ColorField::Red, "1234567890", std::nullopt},
        {ColorField::Hex, "FF0000", 0xFF0000},
        {ColorField::Hex, "ff00aB", 0xFF00AB},
        {ColorField::Hex, "", 0},
        {ColorField::Hex, "FF00ZZ", std::nullopt},
        {ColorField::Hex, "-1", std::nullopt},
        {ColorField::Hex, "0x12", std::nullopt},
        {ColorField::Hex, "123456789A", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseColorField(c.field, QString::fromLatin1(c.text)), c.value)
            << "\"" << c.text << "\"";
    }
}

TEST(ColorModel, OpacityAlphaIsTruncated) {
    const std::pair<int, int> cases[] = {{50, 127}, {100, 255}, {0, 0},  {20, 51},
                                         {1, 2},    {99, 252},  {-5, 0}, {150, 255}};
    for (auto [percent, alpha] : cases) {
        EXPECT_EQ(OpacityAlpha(percent), alpha) << percent;
    }
    EXPECT_EQ(WithOpacity(0x12345678, 50), 0x7F345678u);
    EXPECT_EQ(OpacityPercentOfAlpha(127), 49);
    EXPECT_EQ(OpacityPercentOfAlpha(255), 100);
}

TEST(ColorModel, TextColourStandsOutFromTheColour) {
    const std::pair<uint32_t, uint32_t> cases[] = {
        {0xFF000000, 0xFFFFFFFF},
        {0xFF808080, 0xFF000000},  // mid grey: black, not the same grey again
        {0x00FF6400, 0xFF0000FF},  // 100 lies within 29 of 128
        {0xFF639D62, 0xFF00009D},  // 99 and 157 are the ends of the band; 98 is outside
    };
    for (auto [color, text] : cases) {
        EXPECT_EQ(ContrastingTextColor(color), text) << std::hex << color;
    }
}
