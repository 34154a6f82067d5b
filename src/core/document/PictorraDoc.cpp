#include "document/PictorraDoc.h"

#include <algorithm>

#include "platform/Compose.h"
#include "platform/Draw.h"

CPictorraDoc::CPictorraDoc(CDocumentHost* host) {
    if (host == nullptr) {
        m_pOwnHost = std::make_unique<CDocumentHost>();
        host = m_pOwnHost.get();
    }
    m_pHost = host;
    m_pActiveLayerNumber = m_pHost->ActiveLayerNumberStore();
}

CPictorraDoc::~CPictorraDoc() = default;

bool CPictorraDoc::OnNewDocument(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxNewSide || height > kMaxNewSide) {
        m_pHost->ShowMessage(
            QStringLiteral("Width and height must each be between 1 and %1 pixels.")
                .arg(kMaxNewSide));
        return false;
    }
    auto picture = Bitmap::Create(width, height, 0xFFFFFFFF);
    auto below = Bitmap::Create(width, height);
    auto above = Bitmap::Create(width, height);
    if (!picture || !below || !above) {
        m_pHost->ShowMessage(
            QStringLiteral("There is not enough memory for a picture of %1 x %2 pixels.")
                .arg(width)
                .arg(height),
            MessageIcon::Error);
        return false;
    }
    m_bUntitled = 1;
    m_FileInfo.strPath = m_FileInfo.strName = QStringLiteral("New File");
    m_FileInfo.strCreated = m_FileInfo.strModified = QStringLiteral("New File");
    m_FileInfo.fSizeMB = 0.0f;
    m_FileInfo.nWidth = width;
    m_FileInfo.nHeight = height;
    m_pPendingPicture = std::move(picture);
    m_pActiveBitmap = m_pPendingPicture.get();
    m_pBelowCache = std::move(below);
    m_pAboveCache = std::move(above);
    m_bFirstLayerPending = 1;
    return true;
}

CLayerFrame* CPictorraDoc::Layer(int number) const {
    if (number < 1 || number > LayerCount()) {
        return nullptr;
    }
    return m_arrLayers[size_t(number - 1)].get();
}

QSize CPictorraDoc::ImageSize() const {
    int w = 0, h = 0;
    for (const auto& layer : m_arrLayers) {
        w = std::max(w, layer->m_pBitmap->Width());
        h = std::max(h, layer->m_pBitmap->Height());
    }
    return {w, h};
}

CPictorraDoc::CacheKey CPictorraDoc::MakeCacheKey(int firstIndex, int lastIndex, QSize size) const {
    CacheKey key;
    key.width = size.width();
    key.height = size.height();
    for (int i = std::max(0, firstIndex); i <= lastIndex && i < LayerCount(); ++i) {
        const CLayerFrame& layer = *m_arrLayers[size_t(i)];
        if (layer.m_bVisible && layer.m_nOpacity > 0) {
            key.layers.push_back(
                {layer.m_pBitmap->Serial(), layer.m_nOpacity, layer.m_nOffsetX, layer.m_nOffsetY});
        }
    }
    return key;
}

void CPictorraDoc::ComposeCache(std::unique_ptr<Bitmap>& cache, CacheKey& key, int firstIndex,
                                int lastIndex, QSize size) {
    CacheKey wanted = MakeCacheKey(firstIndex, lastIndex, size);
    if (cache && wanted == key) {
        return;
    }
    if (!cache || cache->Size() != size) {
        cache = Bitmap::Create(size.width(), size.height());
        if (!cache) {
            key = CacheKey();
            return;
        }
    }
    std::vector<ComposeSource> sources;
    for (int i = std::max(0, firstIndex); i <= lastIndex && i < LayerCount(); ++i) {
        const CLayerFrame& layer = *m_arrLayers[size_t(i)];
        if (layer.m_bVisible) {
            sources.push_back({layer.m_pBitmap.get(), layer.m_nOffsetX, layer.m_nOffsetY,
                               float(layer.m_nOpacity) / 100.0f});
        }
    }
    ComposeOver(*cache, sources, 0x00000000);
    key = std::move(wanted);
}

void CPictorraDoc::RebuildLayerCaches() {
    if (m_arrLayers.empty()) {
        return;
    }
    const QSize size = ImageSize();
    const int active = ActiveLayerNumber();
    ComposeCache(m_pBelowCache, m_belowKey, 0, active - 2, size);
    ComposeCache(m_pAboveCache, m_aboveKey, active, LayerCount() - 1, size);
    Notify(kChangeCaches);
}

void CPictorraDoc::InvalidateLayerCaches() {
    m_belowKey = CacheKey();
    m_aboveKey = CacheKey();
}

std::unique_ptr<Bitmap> CPictorraDoc::ComposeImage(bool transparent) {
    // Keep the caches honest even for a caller that changed layers without rebuilding.
    if (!m_arrLayers.empty()) {
        const QSize size = ImageSize();
        const int active = ActiveLayerNumber();
        ComposeCache(m_pBelowCache, m_belowKey, 0, active - 2, size);
        ComposeCache(m_pAboveCache, m_aboveKey, active, LayerCount() - 1, size);
    }
    if (!m_pBelowCache) {
        return nullptr;
    }
    auto picture = Bitmap::Create(m_pBelowCache->Width(), m_pBelowCache->Height());
    if (!picture) {
        return nullptr;
    }
    std::vector<ComposeSource> sources;
    sources.push_back({m_pBelowCache.get(), 0, 0, 1.0f});
    std::unique_ptr<Bitmap> activeAsShown;
    if (const CLayerFrame* layer = ActiveLayer()) {
        const Bitmap* pixels = LayerPixelsAsShown(*layer, &activeAsShown);
        if (!pixels) {
            return nullptr;
        }
        sources.push_back(
            {pixels, layer->m_nOffsetX, layer->m_nOffsetY, float(layer->m_nOpacity) / 100.0f});
    } else if (m_pActiveBitmap) {
        sources.push_back({m_pActiveBitmap, 0, 0, 1.0f});
    }
    if (m_pAboveCache) {
        sources.push_back({m_pAboveCache.get(), 0, 0, 1.0f});
    }
    ComposeOver(*picture, sources, transparent ? 0x00000000 : 0xFFFFFFFF);
    return picture;
}

void CPictorraDoc::MakeFirstLayer() {
    *m_pActiveLayerNumber = m_nSavedActiveLayer;
    m_arrLayers.clear();
    Notify(kChangeStack);
    *m_pActiveLayerNumber = 0;
    InsertLayer(1, std::move(m_pPendingPicture));
    *m_pActiveLayerNumber = 1;
    m_pActiveBitmap = m_arrLayers.front()->m_pBitmap.get();
    m_bFirstLayerPending = 0;
}

void CPictorraDoc::OnFrameActivated() {
    if (m_bFirstLayerPending) {
        MakeFirstLayer();
        Notify(kChangeStack | kChangeActiveLayer | kChangeFirstShown);
        InvalidateLayerCaches();
        RebuildLayerCaches();
    } else if (m_bLayersLoaded) {
        Notify(kChangeStack);
        *m_pActiveLayerNumber = 1;
        m_pActiveBitmap = m_arrLayers.front()->m_pBitmap.get();
        m_bLayersLoaded = 0;
        Notify(kChangeStack | kChangeActiveLayer | kChangeFirstShown);
        InvalidateLayerCaches();
        RebuildLayerCaches();
    } else {
        *m_pActiveLayerNumber = m_nSavedActiveLayer;
        if (const CLayerFrame* layer = ActiveLayer()) {
            m_pActiveBitmap = layer->m_pBitmap.get();
        }
        Notify(kChangeStack | kChangeActiveLayer);
    }
}

void CPictorraDoc::OnFrameDeactivated() {
    m_nSavedActiveLayer = *m_pActiveLayerNumber;
}

void CPictorraDoc::OnCloseDocument() {
    Notify(kChangeStack);
}

void CPictorraDoc::SetTitle(const QString& title) {
    m_strTitle = title;
    Notify(kChangeTitle);
}

void CPictorraDoc::SetModifiedFlag(bool modified) {
    if (m_bModified != modified) {
        m_bModified = modified;
        Notify(kChangeTitle);
    }
}
