#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

// Files written byte by byte, so that a test controls every field.

// PNG files: the colour type, the gAMA, sRGB, PLTE and tRNS chunks and their order, a damaged
// CRC.

// One chunk: length, type, data, CRC.
QByteArray PngChunk(const char* type, const QByteArray& data);

struct PngHeader {
    int width = 1;
    int height = 1;
    int bitDepth = 8;
    int colorType = 2;  // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
};

// A whole file: the signature, IHDR, the chunks given (in that order), one IDAT holding the
// rows (each without its filter byte; filter 0 is written) and IEND.
QByteArray MakePngFile(const PngHeader& header, const std::vector<QByteArray>& chunks,
                       const std::vector<QByteArray>& rows);

// A gAMA chunk of gamma x 100000.
QByteArray PngGamma(uint32_t gamma100000);

// A 1-bit grey file of width x height pixels, all black, compressed row by row as it is made:
// sides of 32768 take a fraction of a second and a few hundred kilobytes.
QByteArray MakeBlankPng(int width, int height);

// 16-bit big-endian samples as PNG stores them.
QByteArray Samples16(const std::vector<uint16_t>& samples);

// A layered (.qpi) file of one side x 1 and one 1 x side layer: a few hundred kilobytes whose
// layer caches would be side x side.
QByteArray QpiRowAndColumn(int side);
