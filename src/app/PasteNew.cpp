#include "app/PasteNew.h"

#include <QImage>

#include "document/PictorraDoc.h"
#include "platform/Draw.h"

void PasteIntoNewDocument(CPictorraDoc& doc, const QImage& picture) {
    CLayerFrame* layer = doc.Layer(1);
    auto pasted = Bitmap::FromImage(picture);
    if (!layer || !pasted) {
        return;
    }
    auto bitmap = layer->m_pBitmap->Clone();
    if (!bitmap) {
        return;
    }
    DrawBitmap(*bitmap, *pasted, 0, 0, 1.0f, CompositeMode::SourceCopy);
    doc.SetLayerBitmap(layer, std::move(bitmap));
    doc.SetModifiedFlag(true);
    doc.RebuildLayerCaches();
}
