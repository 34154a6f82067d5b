#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The gamma correction of PNG files. A file's gAMA chunk says with which gamma its colours were
// encoded; the program shows them for a display gamma of 2.2, as it always has:
//     v' = max x (v / max) ^ (1 / (gamma x 2.2)), rounded, max being 255 or 65535,
// on the colour channels of every colour type (grey, grey with alpha, palette, RGB, RGBA, 8 and
// 16 bits) alike; alpha and tRNS transparency stay as stored. The decoder is told to ignore the
// chunk and the correction is made afterwards, so that a transparent grey or colour value is
// matched before its colour changes.
//
// No correction is made, as libpng decides: for a file marked sRGB; for a gAMA chunk that is
// damaged (length, CRC), out of place (after PLTE or IDAT) or out of range (a second one
// counts for nothing); and when gamma x 2.2 or its inverse lies within 5 % of 1 (a file of
// gamma 1/2.2 stays as it is).

// The exponent 1 / (gamma x 2.2) that a PNG file's colours take, or nothing.
std::optional<double> PngGammaExponent(const QByteArray& file);

// v' for every 8-bit v.
std::array<uint8_t, 256> GammaTable8(double exponent);
// For every 16-bit v, v' reduced to 8 bits (the high byte), as 16-bit samples are shown.
std::vector<uint8_t> GammaTable16To8(double exponent);
