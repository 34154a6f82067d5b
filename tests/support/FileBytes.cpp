#include "support/FileBytes.h"

#include <zlib.h>

#include <QtEndian>
#include <cstring>

namespace {

QByteArray BigEndian32(uint32_t v) {
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}

QByteArray Header(const PngHeader& h) {
    QByteArray ihdr = BigEndian32(uint32_t(h.width)) + BigEndian32(uint32_t(h.height));
    ihdr.append(char(h.bitDepth));
    ihdr.append(char(h.colorType));
    ihdr.append(3, '\0');  // deflate, adaptive filtering, no interlace
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr);
}

// Deflates rows of rowBytes, each made by row(y) into the buffer given, behind filter byte 0.
template <typename Row>
QByteArray DeflateRows(int height, size_t rowBytes, Row row) {
    z_stream z{};
    deflateInit(&z, Z_BEST_SPEED);
    QByteArray out;
    std::vector<unsigned char> line(rowBytes + 1, 0);
    std::vector<unsigned char> chunk(1 << 16);
    for (int y = 0; y <= height; ++y) {
        const bool last = y == height;
        if (!last) {
            line[0] = 0;
            row(y, line.data() + 1);
        }
        z.next_in = line.data();
        z.avail_in = last ? 0 : uInt(line.size());
        do {
            z.next_out = chunk.data();
            z.avail_out = uInt(chunk.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            out.append(reinterpret_cast<const char*>(chunk.data()),
                       qsizetype(chunk.size() - z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return out;
}

}  // namespace

QByteArray PngChunk(const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type, 4) + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()));
    return BigEndian32(uint32_t(data.size())) + body + BigEndian32(uint32_t(crc));
}

QByteArray MakePngFile(const PngHeader& header, const std::vector<QByteArray>& chunks,
                       const std::vector<QByteArray>& rows) {
    QByteArray file = Header(header);
    for (const QByteArray& c : chunks) {
        file += c;
    }
    const size_t rowBytes = rows.empty() ? 0 : size_t(rows.front().size());
    const QByteArray data = DeflateRows(int(rows.size()), rowBytes, [&](int y, unsigned char* to) {
        std::memcpy(to, rows[size_t(y)].constData(), rowBytes);
    });
    return file + PngChunk("IDAT", data) + PngChunk("IEND", {});
}

QByteArray PngGamma(uint32_t gamma100000) {
    return PngChunk("gAMA", BigEndian32(gamma100000));
}

QByteArray MakeBlankPng(int width, int height) {
    const size_t rowBytes = (size_t(width) + 7) / 8;
    const QByteArray data = DeflateRows(
        height, rowBytes, [rowBytes](int, unsigned char* to) { std::memset(to, 0, rowBytes); });
    return Header({width, height, 1, 0}) + PngChunk("IDAT", data) + PngChunk("IEND", {});
}

QByteArray Samples16(const std::vector<uint16_t>& samples) {
    QByteArray b(qsizetype(samples.size() * 2), '\0');
    for (size_t i = 0; i < samples.size(); ++i) {
        qToBigEndian(samples[i], b.data() + 2 * i);
    }
    return b;
}

QByteArray QpiRowAndColumn(int side) {
    QByteArray b;
    auto ints = [&b](std::initializer_list<int32_t> values) {
        for (int32_t v : values) {
            const int32_t le = qToLittleEndian(v);
            b.append(reinterpret_cast<const char*>(&le), 4);
        }
    };
    const QByteArray pixels(qsizetype(side) * 4, '\x40');
    ints({2, 1, 100, 0, 0, side, 1, 32});
    b += pixels;
    ints({1, 100, 0, 0, 1, side, 32});
    b += pixels;
    ints({side, side});
    return b;
}
