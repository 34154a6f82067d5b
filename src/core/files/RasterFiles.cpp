#include "files/RasterFiles.h"

#include <FreeImage.h>

#include <QSaveFile>
#include <cstring>

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

// Brings any FreeImage picture to 32-bit B, G, R, A.
Dib To32Bits(Dib dib) {
    const FREE_IMAGE_TYPE type = FreeImage_GetImageType(dib.get());
    if (type != FIT_BITMAP && type != FIT_RGB16 && type != FIT_RGBA16) {
        dib.reset(FreeImage_ConvertToStandardType(dib.get(), TRUE));
        if (!dib) {
            return nullptr;
        }
    }
    if (FreeImage_GetImageType(dib.get()) == FIT_BITMAP && FreeImage_GetBPP(dib.get()) == 32) {
        return dib;
    }
    return Dib(FreeImage_ConvertTo32Bits(dib.get()));
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
    auto fail = [error](const char* message) {
        if (error) {
            *error = QString::fromLatin1(message);
        }
        return nullptr;
    };
    Memory memory = OpenMemory(bytes);
    if (!memory) {
        return fail(kMsgBadFormat);
    }
    FREE_IMAGE_FORMAT fif = FreeImage_GetFileTypeFromMemory(memory.get(), 0);
    if (fif == FIF_UNKNOWN) {
        // Kodak PhotoCD files carry no signature that FreeImage recognises.
        fif = FreeImageFormat(expected);
        if (fif != FIF_PCD) {
            return fail(kMsgBadFormat);
        }
    }
    if (!FreeImage_FIFSupportsReading(fif)) {
        return fail(kMsgBadFormat);
    }
    // Read the size first, so that a hostile header cannot make the decoder allocate.
    if (FreeImage_FIFSupportsNoPixels(fif)) {
        Dib header(FreeImage_LoadFromMemory(fif, memory.get(), FIF_LOAD_NOPIXELS));
        if (!header) {
            return fail(kMsgBadFormat);
        }
        if (!Bitmap::IsAcceptableSize(FreeImage_GetWidth(header.get()),
                                      FreeImage_GetHeight(header.get()))) {
            return fail(kMsgTooLarge);
        }
        FreeImage_SeekMemory(memory.get(), 0, SEEK_SET);
    }
    Dib dib(FreeImage_LoadFromMemory(fif, memory.get(), 0));
    if (!dib || !FreeImage_HasPixels(dib.get())) {
        return fail(kMsgBadFormat);
    }
    const bool bmp32 = fif == FIF_BMP && FreeImage_GetBPP(dib.get()) == 32;
    dib = To32Bits(std::move(dib));
    if (!dib) {
        return fail(kMsgBadFormat);
    }
    const int width = int(FreeImage_GetWidth(dib.get()));
    const int height = int(FreeImage_GetHeight(dib.get()));
    auto bitmap = Bitmap::Create(width, height);
    if (!bitmap) {
        return fail(kMsgTooLarge);
    }
    // FreeImage keeps rows bottom-up in the same B, G, R, A byte order.
    for (int y = 0; y < height; ++y) {
        std::memcpy(bitmap->Row(y), FreeImage_GetScanLine(dib.get(), height - 1 - y),
                    size_t(width) * 4);
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
