// The clipboard of a document: Copy, Cut and Paste. A picture goes on the clipboard twice: as
// a standard image over opaque white, which other programs paste, and in the program's own
// format "application/x-brennic-image", which keeps the transparency: the pixels (rows top to
// bottom, blue, green, red, alpha, no padding) followed by width and height as 32-bit
// little-endian integers.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>
#include <cstring>
#include <functional>

#include "document/PictorraDoc.h"
#include "platform/Compose.h"

namespace {

const QString kPrivateFormat = QStringLiteral("application/x-brennic-image");

const QString kMsgNoClipboard = QStringLiteral("The clipboard cannot be opened.");
const QString kMsgNothingToPaste =
    QStringLiteral("The clipboard holds no picture that can be pasted.");
const QString kMsgNoMemoryToCopy =
    QStringLiteral("There is not enough memory to copy the selection.");
const QString kMsgNoMemoryToPaste =
    QStringLiteral("There is not enough memory to paste the picture.");

QClipboard* Clipboard() {
    return qGuiApp ? QGuiApplication::clipboard() : nullptr;
}

QByteArray EncodePrivateBlock(const Bitmap& picture) {
    const qsizetype pixels = qsizetype(picture.ByteCount());
    QByteArray block(pixels + 8, Qt::Uninitialized);
    std::memcpy(block.data(), picture.Bits(), size_t(pixels));
    qToLittleEndian<qint32>(picture.Width(), block.data() + pixels);
    qToLittleEndian<qint32>(picture.Height(), block.data() + pixels + 4);
    return block;
}

// Asked before a pasted picture of a size is made; shows its own message when it says no.
using PasteCheck = std::function<bool(QSize)>;

// The block's picture, or null when its sizes are not those of a picture we can hold or its
// length does not match them. Nothing is allocated before the sizes are checked; *refused is
// set when fits said no.
std::unique_ptr<Bitmap> DecodePrivateBlock(const QByteArray& block, const PasteCheck& fits,
                                           bool* refused) {
    if (block.size() < 8) {
        return nullptr;
    }
    const char* end = block.constData() + block.size();
    const qint32 width = qFromLittleEndian<qint32>(end - 8);
    const qint32 height = qFromLittleEndian<qint32>(end - 4);
    if (!Bitmap::IsAcceptableSize(width, height) ||
        int64_t(block.size()) != int64_t(width) * height * 4 + 8) {
        return nullptr;
    }
    if (!fits(QSize(width, height))) {
        *refused = true;
        return nullptr;
    }
    auto picture = Bitmap::Create(width, height);
    if (picture) {
        std::memcpy(picture->Bits(), block.constData(), size_t(picture->ByteCount()));
    }
    return picture;
}

// The picture the clipboard offers: the program's own block when it is sound, else the
// standard image. *message says why there is none; it is empty when fits refused the picture
// (and said so).
std::unique_ptr<Bitmap> ReadClipboardPicture(QString* message, const PasteCheck& fits) {
    *message = kMsgNothingToPaste;
    QClipboard* clipboard = Clipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    if (!mime) {
        return nullptr;
    }
    if (mime->hasFormat(kPrivateFormat)) {
        bool refused = false;
        if (auto picture = DecodePrivateBlock(mime->data(kPrivateFormat), fits, &refused)) {
            return picture;
        }
        if (refused) {
            message->clear();
            return nullptr;
        }
    }
    if (mime->hasImage()) {
        const QImage image = qvariant_cast<QImage>(mime->imageData());
        if (!image.isNull()) {
            if (!Bitmap::IsAcceptableSize(image.width(), image.height())) {
                return nullptr;
            }
            if (!fits(image.size())) {
                message->clear();
                return nullptr;
            }
            auto picture = Bitmap::FromImage(image);
            if (!picture) {
                *message = kMsgNoMemoryToPaste;
            }
            return picture;
        }
    }
    return nullptr;
}

}  // namespace

bool CPictorraDoc::PutPictureOnClipboard(const Bitmap& picture) {
    QClipboard* clipboard = Clipboard();
    if (!clipboard) {
        m_pHost->ShowMessage(kMsgNoClipboard, MessageIcon::Warning);
        return false;
    }
    auto opaque = Bitmap::Create(picture.Width(), picture.Height());
    if (!opaque) {
        m_pHost->ShowMessage(kMsgNoMemoryToCopy, MessageIcon::Warning);
        return false;
    }
    const ComposeSource source{&picture, 0, 0, 1.0f};
    ComposeOver(*opaque, std::span(&source, 1), 0xFFFFFFFF);
    // Every pixel is opaque now, so the bytes are a Format_RGB32 image as they are: the
    // image takes the bitmap over instead of a copy of it.
    Bitmap* pixels = opaque.release();
    const QImage image(
        pixels->Bits(), pixels->Width(), pixels->Height(), pixels->Stride(), QImage::Format_RGB32,
        [](void* bitmap) { delete static_cast<Bitmap*>(bitmap); }, pixels);
    auto* mime = new QMimeData;
    mime->setImageData(image);
    mime->setData(kPrivateFormat, EncodePrivateBlock(picture));
    clipboard->setMimeData(mime);
    return true;
}

bool CPictorraDoc::PutFragmentOnClipboard() {
    if (!m_pFragment) {
        return false;
    }
    if (m_rcSelection.IsEmpty() || m_rcSelection.ToQRect().size() == m_pFragment->Size()) {
        return PutPictureOnClipboard(*m_pFragment);
    }
    const auto shown = FragmentAsShown();
    if (!shown) {
        m_pHost->ShowMessage(kMsgNoMemoryToCopy, MessageIcon::Warning);
        return false;
    }
    return PutPictureOnClipboard(*shown);
}

bool CPictorraDoc::CanPaste() const {
    QClipboard* clipboard = Clipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    return mime && (mime->hasImage() || mime->hasFormat(kPrivateFormat));
}

void CPictorraDoc::Copy() {
    if (!CanCopy()) {
        return;
    }
    if (!Clipboard()) {
        m_pHost->ShowMessage(kMsgNoClipboard, MessageIcon::Warning);
        return;
    }
    // Copy never cuts: an outline not lifted yet is copied, and the copy thrown away after.
    const bool copied =
        !m_pFragment && Selection().m_nSelectionState != 0 && CopySelectionForClipboard();
    if (m_pFragment) {
        PutFragmentOnClipboard();
    }
    if (copied) {
        // Drawn back, the copy would blend over its own pixels.
        m_pFragment.reset();
        Selection().m_pFragmentOriginal.reset();
    }
    if (copied || m_pFragment) {
        DropSelection();
    } else {
        ClearSelection();
    }
}

void CPictorraDoc::Cut() {
    if (!CanCut()) {
        return;
    }
    if (!Clipboard()) {
        m_pHost->ShowMessage(kMsgNoClipboard, MessageIcon::Warning);
        return;
    }
    const bool lifted = m_pFragment != nullptr;
    if (!lifted && (Selection().m_nSelectionState == 0 || GetSelectionBounds().IsEmpty())) {
        // Nothing of the layer is selected.
        ClearSelection();
        return;
    }
    // The pixels cut stay within Undo's reach; a moved fragment's pending entry goes first.
    CommitPendingUndo();
    PushUndoState();
    if (!lifted && !LiftSelection()) {
        return;
    }
    if (!PutFragmentOnClipboard()) {
        return;  // the pixels stay lifted rather than vanish
    }
    m_pFragment.reset();
    Selection().m_pFragmentOriginal.reset();
    ClearSelection();
    RebuildLayerCaches();
    Notify(kChangeThumbnails | kChangeSelection);
}

void CPictorraDoc::Paste() {
    if (!IsShown()) {
        return;
    }
    // The new layer may make the picture larger: the whole picture after the paste must fit.
    const auto fits = [this](QSize size) {
        std::vector<QSize> sizes = LayerSizes();
        sizes.push_back(size);
        return CheckMemoryFor(sizes, kMsgNoMemoryToPaste);
    };
    QString message;
    auto picture = ReadClipboardPicture(&message, fits);
    if (!picture) {
        if (!message.isEmpty()) {
            m_pHost->ShowMessage(message, MessageIcon::Warning);
        }
        return;
    }
    SetModifiedFlag();
    DropSelection();
    m_bCtrlDown = 0;
    // The new layer goes directly above the active one and becomes active.
    const int number = ActiveLayerNumber() + 1;
    if (!InsertLayer(number, std::move(picture))) {
        return;
    }
    // The caches follow the new stack (and a larger picture) here.
    SetActiveLayer(number);
    Notify(kChangeImageSize | kChangeThumbnails);
}
