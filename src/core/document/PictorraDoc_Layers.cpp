// The layer commands of a document: insertion, duplication, deletion, moving, flattening and
// the visibility and opacity of a layer.
#include <algorithm>

#include "document/PictorraDoc.h"
#include "platform/Compose.h"

void CPictorraDoc::Renumber() {
    for (size_t i = 0; i < m_arrLayers.size(); ++i) {
        m_arrLayers[i]->m_nNumber = int(i) + 1;
    }
}

CLayerFrame* CPictorraDoc::InsertLayer(int number, std::unique_ptr<Bitmap> bitmap) {
    if (!bitmap || number < 1 || number > LayerCount() + 1) {
        return nullptr;
    }
    auto layer = std::make_unique<CLayerFrame>(number, std::move(bitmap));
    CLayerFrame* result = layer.get();
    m_arrLayers.insert(m_arrLayers.begin() + (number - 1), std::move(layer));
    Renumber();
    Notify(kChangeStack);
    return result;
}

CLayerFrame* CPictorraDoc::AddEmptyLayer() {
    if (!m_pActiveBitmap) {
        return nullptr;
    }
    return AddEmptyLayerOfSize(m_pActiveBitmap->Width(), m_pActiveBitmap->Height());
}

CLayerFrame* CPictorraDoc::AddEmptyLayerOfSize(int width, int height) {
    auto bitmap = Bitmap::Create(width, height, 0xFFFFFFFF);
    if (!bitmap) {
        m_pHost->ShowMessage(QStringLiteral("There is not enough memory for a new layer."),
                             MessageIcon::Error);
        return nullptr;
    }
    CLayerFrame* layer = InsertLayer(ActiveLayerNumber() + 1, std::move(bitmap));
    RebuildLayerCaches();
    return layer;
}

CLayerFrame* CPictorraDoc::DuplicateLayer() {
    if (!m_pActiveBitmap) {
        return nullptr;
    }
    auto copy = m_pActiveBitmap->Clone();
    if (!copy) {
        m_pHost->ShowMessage(QStringLiteral("There is not enough memory for a new layer."),
                             MessageIcon::Error);
        return nullptr;
    }
    CLayerFrame* layer = InsertLayer(ActiveLayerNumber() + 1, std::move(copy));
    RebuildLayerCaches();
    return layer;
}

void CPictorraDoc::DeleteLayer() {
    if (LayerCount() < 2) {
        return;
    }
    const int active = ActiveLayerNumber();
    if (active < 1 || active > LayerCount()) {
        return;
    }
    m_arrLayers.erase(m_arrLayers.begin() + (active - 1));
    Renumber();
    *m_pActiveLayerNumber = std::max(1, active - 1);
    m_pActiveBitmap = ActiveLayer()->m_pBitmap.get();
    Notify(kChangeStack | kChangeActiveLayer);
    RebuildLayerCaches();
}

void CPictorraDoc::MoveLayer(int fromNumber, int gap) {
    const int count = LayerCount();
    const int i = fromNumber - 1;
    if (i < 0 || i >= count || gap < 0 || gap > count) {
        return;
    }
    int landed = i;
    if (i < gap) {
        // Layers i+1 .. gap-1 move one place towards the bottom; the layer lands at gap - 1.
        std::rotate(m_arrLayers.begin() + i, m_arrLayers.begin() + i + 1,
                    m_arrLayers.begin() + gap);
        landed = gap - 1;
    } else if (gap < i) {
        std::rotate(m_arrLayers.begin() + gap, m_arrLayers.begin() + i,
                    m_arrLayers.begin() + i + 1);
        landed = gap;
    }
    Renumber();
    *m_pActiveLayerNumber = landed + 1;
    m_pActiveBitmap = m_arrLayers[size_t(landed)]->m_pBitmap.get();
    Notify(kChangeStack | kChangeActiveLayer);
    RebuildLayerCaches();
}

void CPictorraDoc::SetActiveLayer(int number) {
    *m_pActiveLayerNumber = number;
    if (number > 0) {
        if (CLayerFrame* layer = Layer(number)) {
            m_pActiveBitmap = layer->m_pBitmap.get();
        }
    }
    RebuildLayerCaches();
    Notify(kChangeActiveLayer);
}

void CPictorraDoc::FlattenLayers() {
    if (m_arrLayers.empty()) {
        return;
    }
    const QSize size = ImageSize();
    auto flat = Bitmap::Create(size.width(), size.height());
    if (!flat) {
        m_pHost->ShowMessage(QStringLiteral("There is not enough memory to flatten the layers."),
                             MessageIcon::Error);
        return;
    }
    std::vector<ComposeSource> sources;
    for (const auto& layer : m_arrLayers) {
        if (layer->m_bVisible) {
            sources.push_back({layer->m_pBitmap.get(), layer->m_nOffsetX, layer->m_nOffsetY,
                               float(layer->m_nOpacity) / 100.0f});
        }
    }
    ComposeOver(*flat, sources, 0x00000000);

    CLayerFrame& first = *m_arrLayers.front();
    first.m_pBitmap = std::move(flat);
    // The flattened pixels already carry every layer's position, opacity and visibility.
    first.m_nOffsetX = first.m_nOffsetY = 0;
    first.m_nOpacity = 100;
    first.m_bVisible = 1;
    first.m_History.Clear();
    m_arrLayers.resize(1);
    Renumber();
    *m_pActiveLayerNumber = 1;
    m_pActiveBitmap = first.m_pBitmap.get();
    Notify(kChangeStack | kChangeActiveLayer | kChangeImageSize);
    RebuildLayerCaches();
}

std::unique_ptr<Bitmap> CPictorraDoc::SetLayerBitmap(CLayerFrame* layer,
                                                     std::unique_ptr<Bitmap> bitmap) {
    const bool active = layer->m_pBitmap.get() == m_pActiveBitmap;
    std::swap(layer->m_pBitmap, bitmap);
    if (active) {
        m_pActiveBitmap = layer->m_pBitmap.get();
    }
    return bitmap;
}

void CPictorraDoc::SetLayerVisible(CLayerFrame* layer, bool visible) {
    if (layer) {
        layer->m_bVisible = visible ? 1 : 0;
        RebuildLayerCaches();
    }
}

void CPictorraDoc::SetLayerOpacity(CLayerFrame* layer, int percent) {
    if (layer) {
        layer->m_nOpacity = std::clamp(percent, 0, 100);
        RebuildLayerCaches();
        Notify(kChangeThumbnails);
    }
}
