#include "files/PngGamma.h"

#include <zlib.h>

#include <cmath>
#include <cstring>

namespace {

// Gamma values are kept as libpng keeps them: fixed point, 100000 being 1.0.
constexpr double kFixedOne = 100000.0;
constexpr double kDisplayGamma = 220000.0;  // 2.2
// A transfer function within 5 % of 1 is no correction.
constexpr double kThreshold = 5000.0;

uint32_t BigEndian32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3];
}

bool Significant(double fixedGamma) {
    return fixedGamma < kFixedOne - kThreshold || fixedGamma > kFixedOne + kThreshold;
}

}  // namespace

std::optional<double> PngGammaExponent(const QByteArray& file) {
    static const char kSignature[] = "\x89PNG\r\n\x1a\n";
    if (file.size() < 8 || std::memcmp(file.constData(), kSignature, 8) != 0) {
        return std::nullopt;
    }
    std::optional<uint32_t> gamma;
    // The chunks before the palette and the pixels: only there do gAMA and sRGB count.
    for (qsizetype pos = 8; file.size() - pos >= 12;) {
        const char* chunk = file.constData() + pos;
        const uint32_t length = BigEndian32(chunk);
        if (length > uint32_t(file.size() - pos - 12)) {
            break;
        }
        const QByteArray type(chunk + 4, 4);
        if (type == "PLTE" || type == "IDAT") {
            break;
        }
        if (type == "sRGB") {
            return std::nullopt;
        }
        if (type == "gAMA" && length == 4 && !gamma) {
            const uInt crc = uInt(crc32(0, reinterpret_cast<const Bytef*>(chunk + 4), 8));
            if (crc == BigEndian32(chunk + 12)) {
                gamma = BigEndian32(chunk + 8);
            }
        }
        pos += qsizetype(length) + 12;
    }
    if (!gamma || *gamma < 16 || *gamma > 625000000) {
        return std::nullopt;
    }
    // Both of libpng's tests: the whole transfer (file gamma x display gamma) and its inverse,
    // the exponent of the table, must each be more than 5 % from 1.
    const double transfer = std::floor(double(*gamma) * kDisplayGamma / kFixedOne + 0.5);
    const double exponent = std::floor(1e15 / double(*gamma) / kDisplayGamma + 0.5);
    if (!Significant(transfer) || !Significant(exponent)) {
        return std::nullopt;
    }
    return exponent / kFixedOne;
}

std::array<uint8_t, 256> GammaTable8(double exponent) {
    std::array<uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) {
        table[size_t(v)] = uint8_t(std::floor(255.0 * std::pow(v / 255.0, exponent) + 0.5));
    }
    return table;
}

std::vector<uint8_t> GammaTable16To8(double exponent) {
    std::vector<uint8_t> table(65536);
    for (int v = 0; v < 65536; ++v) {
        const double corrected = std::floor(65535.0 * std::pow(v / 65535.0, exponent) + 0.5);
        table[size_t(v)] = uint8_t(int(corrected) >> 8);
    }
    return table;
}
