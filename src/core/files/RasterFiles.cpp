#include "files/RasterFiles.h"

#include <FreeImage.h>

#include <QSaveFile>
#include <climits>
#include <cstring>
#include <optional>

#include "files/PngGamma.h"
#include "platform/MemoryBudget.h"
#include "platform/Parallel.h"

namespace {

// FreeImage handles released when they go out of scope.
struct DibDeleter {
    void operator()(FIBITMAP* dib) const { FreeImage_Unload(dib); }
};
using Dib = std::unique_ptr<FIBITMAP, DibDeleter>;

struct MemoryDeleter {
    void operator()(FIMEMORY* m) const { FreeImage_CloseMemory(m); }
};
using Memory = std::unique_ptr<FIMEMORY, MemoryDeleter>;

// A view of bytes that FreeImage reads without copying them.
Memory OpenMemory(const QByteArray& bytes) {
    return Memory(FreeImage_OpenMemory(
        reinterpret_cast<BYTE*>(const_cast<char*>(bytes.constData())), DWORD(bytes.size())));
}

// Brings a FreeImage picture of 8 bits a channel or less, or of another sample type than
// 16-bit integers, to 32-bit B, G, R, A.
Dib To32Bits(Dib dib) {
    if (FreeImage_GetImageType(dib.get()) != FIT_BITMAP) {
        dib.reset(FreeImage_ConvertToStandardType(dib.get(), TRUE));
        if (!dib) {
            return nullptr;
        }
    }
    if (FreeImage_GetBPP(dib.get()) == 32) {
        return dib;
    }
    return Dib(FreeImage_ConvertTo32Bits(dib.get()));
}

// 16-bit grey, RGB and RGBA straight into a bitmap, each colour sample through shade (16 bits
// to 8), alpha by its high byte. Grey is shown as it is stored, not stretched between the
// picture's darkest and lightest values as FreeImage's conversion of grey would.
template <typename Shade>
void Copy16BitRows(FIBITMAP* dib, Bitmap& bitmap, Shade shade) {
    const FREE_IMAGE_TYPE type = FreeImage_GetImageType(dib);
    const int width = bitmap.Width(), height = bitmap.Height();
    ParallelBands(height, width, [&](int first, int last) {
        for (int y = first; y < last; ++y) {
            uint32_t* out = bitmap.Row(y);
            const BYTE* line = FreeImage_GetScanLine(dib, unsigned(height - 1 - y));
            if (type == FIT_UINT16) {
                const auto* in = reinterpret_cast<const uint16_t*>(line);
                for (int x = 0; x < width; ++x) {
                    const uint32_t v = shade(in[x]);
                    out[x] = MakeArgb(255, v, v, v);
                }
            } else if (type == FIT_RGB16) {
                const auto* in = reinterpret_cast<const FIRGB16*>(line);
                for (int x = 0; x < width; ++x) {
                    out[x] = MakeArgb(255, shade(in[x].red), shade(in[x].green), shade(in[x].blue));
                }
            } else {
                const auto* in = reinterpret_cast<const FIRGBA16*>(line);
                for (int x = 0; x < width; ++x) {
                    out[x] = MakeArgb(uint32_t(in[x].alpha >> 8), shade(in[x].red),
                                      shade(in[x].green), shade(in[x].blue));
                }
            }
        }
    });
}

bool Is16BitType(FREE_IMAGE_TYPE type) {
    return type == FIT_UINT16 || type == FIT_RGB16 || type == FIT_RGBA16;
}

// The decoded picture as a bitmap; gamma, when given, corrects the colour channels (and not
// alpha). Null when the memory cannot be had or FreeImage cannot convert the picture;
// *noMemory tells the first.
std::unique_ptr<Bitmap> ToBitmap(Dib dib, std::optional<double> gamma, bool* noMemory) {
    *noMemory = false;
    const int width = int(FreeImage_GetWidth(dib.get()));
    const int height = int(FreeImage_GetHeight(dib.get()));
    if (Is16BitType(FreeImage_GetImageType(dib.get()))) {
        auto bitmap = Bitmap::Create(width, height);
        if (!bitmap) {
            *noMemory = true;
            return nullptr;
        }
        if (gamma) {
            const std::vector<uint8_t> table = GammaTable16To8(*gamma);
            Copy16BitRows(dib.get(), *bitmap, [&table](uint16_t v) { return uint32_t(table[v]); });
        } else {
            Copy16BitRows(dib.get(), *bitmap, [](uint16_t v) { return uint32_t(v >> 8); });
        }
        return bitmap;
    }
    dib = To32Bits(std::move(dib));
    if (!dib) {
        return nullptr;
    }
    auto bitmap = Bitmap::Create(width, height);
    if (!bitmap) {
        *noMemory = true;
        return nullptr;
    }
    // FreeImage keeps rows bottom-up in the same B, G, R, A byte order.
    for (int y = 0; y < height; ++y) {
        std::memcpy(bitmap->Row(y), FreeImage_GetScanLine(dib.get(), unsigned(height - 1 - y)),
                    size_t(width) * 4);
    }
    if (gamma) {
        const std::array<uint8_t, 256> table = GammaTable8(*gamma);
        ParallelBands(height, width, [&](int first, int last) {
            for (int y = first; y < last; ++y) {
                auto* px = reinterpret_cast<uint8_t*>(bitmap->Row(y));
                for (int x = 0; x < width; ++x, px += 4) {
                    px[0] = table[px[0]];
                    px[1] = table[px[1]];
                    px[2] = table[px[2]];
                }
            }
        });
    }
    return bitmap;
}

// The size a GIF file's first picture is decoded at: the logical screen, or the first image
// when it reaches beyond it. FreeImage cannot read it without decoding.
std::optional<QSize> GifSize(const QByteArray& bytes) {
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.constData());
    const qsizetype n = bytes.size();
    auto le16 = [b](qsizetype at) { return int(b[at]) | (int(b[at + 1]) << 8); };
    if (n < 13 || (std::memcmp(b, "GIF87a", 6) != 0 && std::memcmp(b, "GIF89a", 6) != 0)) {
        return std::nullopt;
    }
    QSize size(le16(6), le16(8));
    qsizetype pos = 13;
    if (b[10] & 0x80) {
        pos += 3 * (qsizetype(2) << (b[10] & 7));
    }
    while (pos < n) {
        if (b[pos] == 0x2C) {  // image descriptor: left, top, width, height
            if (pos + 9 <= n) {
                size = size.expandedTo(QSize(le16(pos + 5), le16(pos + 7)));
            }
            break;
        }
        if (b[pos] != 0x21 || pos + 2 > n) {  // anything but an extension ends the search
            break;
        }
        // An extension: label, then sub-blocks of a length byte and the data, up to length 0.
        pos += 2;
        while (pos < n && b[pos] != 0) {
            pos += qsizetype(b[pos]) + 1;
        }
        ++pos;
    }
    return size;
}

// The size the decoder will make of the file, read without decoding any pixels; nothing when
// it cannot be known beforehand.
std::optional<QSize> HeaderSize(FREE_IMAGE_FORMAT fif, FIMEMORY* memory, const QByteArray& bytes) {
    if (fif == FIF_GIF) {
        return GifSize(bytes);
    }
    if (!FreeImage_FIFSupportsNoPixels(fif)) {
        return std::nullopt;
    }
    Dib header(FreeImage_LoadFromMemory(fif, memory, FIF_LOAD_NOPIXELS));
    FreeImage_SeekMemory(memory, 0, SEEK_SET);
    if (!header) {
        return std::nullopt;
    }
    return QSize(int(std::min<unsigned>(FreeImage_GetWidth(header.get()), INT_MAX)),
                 int(std::min<unsigned>(FreeImage_GetHeight(header.get()), INT_MAX)));
}

// Many programs write 32-bit BMP files whose fourth byte is unused (all zero); such a picture
// is opaque, not invisible.
void MakeOpaqueIfAlphaUnused(Bitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint32_t* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (row[x] >> 24) {
                return;
            }
        }
    }
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint32_t* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            row[x] |= 0xFF000000u;
        }
    }
}

FREE_IMAGE_FORMAT FreeImageFormat(FileFormat format) {
    switch (format) {
        case FileFormat::Bmp:
            return FIF_BMP;
        case FileFormat::Jpeg:
            return FIF_JPEG;
        case FileFormat::Gif:
            return FIF_GIF;
        case FileFormat::Png:
            return FIF_PNG;
        case FileFormat::Tiff:
            return FIF_TIFF;
        case FileFormat::Targa:
            return FIF_TARGA;
        case FileFormat::Icon:
            return FIF_ICO;
        case FileFormat::Photoshop:
            return FIF_PSD;
        case FileFormat::PhotoCD:
            return FIF_PCD;
        case FileFormat::Qpi:
            break;
    }
    return FIF_UNKNOWN;
}

}  // namespace

std::unique_ptr<Bitmap> DecodeRaster(const QByteArray& bytes, FileFormat expected, QString* error) {
    auto fail = [error](const QString& message) {
        if (error) {
            *error = message;
        }
        return nullptr;
    };
    const QString badFormat = QString::fromLatin1(kMsgBadFormat);
    const QString tooLarge = QString::fromLatin1(kMsgTooLarge);
    Memory memory = OpenMemory(bytes);
    if (!memory) {
        return fail(badFormat);
    }
    FREE_IMAGE_FORMAT fif = FreeImage_GetFileTypeFromMemory(memory.get(), 0);
    if (fif == FIF_UNKNOWN) {
        // Kodak PhotoCD files carry no signature that FreeImage recognises.
        fif = FreeImageFormat(expected);
        if (fif != FIF_PCD) {
            return fail(badFormat);
        }
    }
    if (!FreeImage_FIFSupportsReading(fif)) {
        return fail(badFormat);
    }
    // The size first, so that a hostile header cannot make the decoder allocate: a picture
    // that cannot be held, or whose size cannot be known before decoding, is not decoded.
    const std::optional<QSize> size = HeaderSize(fif, memory.get(), bytes);
    if (!size) {
        return fail(badFormat);
    }
    if (!Bitmap::IsAcceptableSize(size->width(), size->height())) {
        return fail(tooLarge);
    }
    if (const MemoryVerdict verdict = CheckPictureMemory(std::span(&*size, 1)); !verdict.fits) {
        return fail(MemoryRefusalMessage(tooLarge, verdict));
    }
    // The PNG decoder's own gamma step would run before its transparency test; the gamma is
    // applied to the decoded colours instead (PngGamma.h).
    const std::optional<double> gamma = fif == FIF_PNG ? PngGammaExponent(bytes) : std::nullopt;
    Dib dib(FreeImage_LoadFromMemory(fif, memory.get(), fif == FIF_PNG ? PNG_IGNOREGAMMA : 0));
    // A decoder that makes more than its header said is not to be trusted with the rest.
    if (!dib || !FreeImage_HasPixels(dib.get()) ||
        FreeImage_GetWidth(dib.get()) > unsigned(size->width()) ||
        FreeImage_GetHeight(dib.get()) > unsigned(size->height())) {
        return fail(badFormat);
    }
    const bool bmp32 = fif == FIF_BMP && FreeImage_GetBPP(dib.get()) == 32;
    bool noMemory = false;
    auto bitmap = ToBitmap(std::move(dib), gamma, &noMemory);
    if (!bitmap) {
        return fail(noMemory ? tooLarge : badFormat);
    }
    if (bmp32) {
        MakeOpaqueIfAlphaUnused(*bitmap);
    }
    return bitmap;
}

bool EncodeRaster(const Bitmap& picture, FileFormat format, QByteArray* out) {
    if (format == FileFormat::Icon) {
        *out = EncodeIcon(picture);
        return true;
    }
    const FREE_IMAGE_FORMAT fif = FreeImageFormat(format);
    if (fif == FIF_UNKNOWN || !FreeImage_FIFSupportsWriting(fif)) {
        return false;
    }
    const int width = picture.Width(), height = picture.Height();
    Dib dib(FreeImage_Allocate(width, height, 32));
    if (!dib) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        std::memcpy(FreeImage_GetScanLine(dib.get(), height - 1 - y), picture.Row(y),
                    size_t(width) * 4);
    }
    if (format == FileFormat::Jpeg || format == FileFormat::Gif) {
        dib.reset(FreeImage_ConvertTo24Bits(dib.get()));
        if (dib && format == FileFormat::Gif) {
            dib.reset(FreeImage_ColorQuantize(dib.get(), FIQ_WUQUANT));
        }
        if (!dib) {
            return false;
        }
    }
    Memory memory(FreeImage_OpenMemory());
    if (!memory || !FreeImage_SaveToMemory(fif, dib.get(), memory.get(), 0)) {
        return false;
    }
    BYTE* data = nullptr;
    DWORD size = 0;
    if (!FreeImage_AcquireMemory(memory.get(), &data, &size)) {
        return false;
    }
    *out = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
    return true;
}

namespace {
void Put16(QByteArray& b, uint32_t v) {
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
void Put32(QByteArray& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
}  // namespace

QByteArray EncodeIcon(const Bitmap& picture) {
    const uint32_t w = uint32_t(picture.Width()), h = uint32_t(picture.Height());
    const uint32_t pixelBytes = w * 4 * h;
    const uint32_t maskBytes = ((w + 31) / 32) * 4 * h;
    QByteArray b;
    b.reserve(qsizetype(62 + pixelBytes + maskBytes));
    Put16(b, 0);  // reserved
    Put16(b, 1);  // icon
    Put16(b, 1);  // one image
    b.append(char(w & 0xFF));
    b.append(char(h & 0xFF));
    b.append(char(0));  // colour count
    b.append(char(0));  // reserved
    Put16(b, 0);        // planes
    Put16(b, 32);       // bits per pixel
    Put32(b, 40 + pixelBytes + maskBytes);
    Put32(b, 22);  // image offset
    // BITMAPINFOHEADER: the height counts the colour pixels and the mask together.
    Put32(b, 40);
    Put32(b, w);
    Put32(b, 2 * h);
    Put16(b, 1);
    Put16(b, 32);
    for (int i = 0; i < 6; ++i) {
        Put32(b, 0);
    }
    for (int y = int(h) - 1; y >= 0; --y) {
        b.append(reinterpret_cast<const char*>(picture.Row(y)), qsizetype(w) * 4);
    }
    b.append(qsizetype(maskBytes), char(0xFF));
    return b;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
