#include <gtest/gtest.h>

#include "document/PictorraDoc.h"
#include "support/TestPictures.h"

namespace {

// A document with one layer per entry: (width, height, colour, offset, visible, opacity).
struct LayerSpec {
    int w, h;
    uint32_t colour;
    int x = 0, y = 0;
    bool visible = true;
    int opacity = 100;
};

std::unique_ptr<CPictorraDoc> MakeStack(const std::vector<LayerSpec>& layers, int active) {
    auto doc = std::make_unique<CPictorraDoc>();
    EXPECT_TRUE(doc->OnNewDocument(layers[0].w, layers[0].h));
    doc->OnFrameActivated();
    for (size_t i = 0; i < layers.size(); ++i) {
        if (i > 0) {
            doc->SetActiveLayer(int(i));
            doc->AddEmptyLayer();
        }
        CLayerFrame* layer = doc->Layer(int(i) + 1);
        doc->SetLayerBitmap(layer, Bitmap::Create(layers[i].w, layers[i].h, layers[i].colour));
        layer->m_nOffsetX = layers[i].x;
        layer->m_nOffsetY = layers[i].y;
        layer->m_bVisible = layers[i].visible;
        layer->m_nOpacity = layers[i].opacity;
    }
    doc->SetActiveLayer(active);
    doc->InvalidateLayerCaches();
    doc->RebuildLayerCaches();
    return doc;
}

}  // namespace

TEST(Composition, CachesTakeTheLargestSidesAndDrawOffsetLayersClipped) {
    auto doc = MakeStack({{10, 4, 0xFFFF0000}, {3, 8, 0xFF00FF00, 8, 6}, {2, 2, 0xFF0000FF}}, 3);
    EXPECT_EQ(doc->ImageSize(), QSize(10, 8));
    const Bitmap& below = *doc->m_pBelowCache;
    EXPECT_EQ(below.Size(), QSize(10, 8));
    EXPECT_EQ(below.GetPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(below.GetPixel(0, 5), 0u) << "below the short red layer nothing is drawn";
    EXPECT_EQ(below.GetPixel(9, 7), 0xFF00FF00u) << "the green layer is shifted";
    EXPECT_EQ(below.GetPixel(7, 7), 0u);
    EXPECT_EQ(doc->m_pAboveCache->GetPixel(0, 0), 0u) << "nothing lies above the top layer";

    const auto picture = doc->ComposeImage(false);
    EXPECT_EQ(picture->Size(), QSize(10, 8));
    EXPECT_EQ(picture->GetPixel(1, 1), 0xFF0000FFu);
    EXPECT_EQ(picture->GetPixel(0, 5), 0xFFFFFFFFu) << "white behind, when asked";
}

TEST(Composition, HiddenAndHalfOpaqueLayers) {
    // Layer 2 is half opaque blue, layer 3 hidden black; layer 1 is active.
    auto doc = MakeStack(
        {{4, 4, 0xFFFF0000}, {4, 4, 0xFF0000FF, 0, 0, true, 50}, {4, 4, 0xFF000000, 0, 0, false}},
        1);
    EXPECT_EQ(doc->m_pAboveCache->GetPixel(0, 0), 0x800000FFu);
    const auto picture = doc->ComposeImage(true);
    EXPECT_TRUE(SamePixels(*Bitmap::Create(1, 1, picture->GetPixel(2, 2)),
                           *Bitmap::Create(1, 1, 0xFF7F0080), 1));
}

TEST(Composition, AHiddenActiveLayerIsLeftOutOfTheCachesButKeptWhenComposing) {
    auto doc =
        MakeStack({{4, 4, 0xFFFF0000}, {2, 2, 0xFF00FF00, 0, 0, false}, {1, 1, 0xFF0000FF}}, 2);
    EXPECT_EQ(doc->m_pBelowCache->GetPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(doc->m_pAboveCache->GetPixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(doc->m_pAboveCache->GetPixel(1, 1), 0u) << "the active layer is in neither cache";
    EXPECT_EQ(doc->m_pBelowCache->GetPixel(1, 1), 0xFFFF0000u);
    const auto picture = doc->ComposeImage(true);
    EXPECT_EQ(picture->GetPixel(1, 1), 0xFF00FF00u) << "saving includes the hidden active layer";
    EXPECT_EQ(picture->GetPixel(0, 0), 0xFF0000FFu);
}

TEST(Composition, RebuildFollowsChangesOfEveryInput) {
    auto doc = MakeStack({{4, 4, 0xFFFF0000}, {4, 4, 0xFF00FF00}}, 2);
    EXPECT_EQ(doc->m_pBelowCache->GetPixel(0, 0), 0xFFFF0000u);
    doc->Layer(1)->m_nOffsetX = 2;
    doc->RebuildLayerCaches();
    EXPECT_EQ(doc->m_pBelowCache->GetPixel(0, 0), 0u) << "offset";
    doc->SetLayerOpacity(doc->Layer(1), 0);
    EXPECT_EQ(doc->m_pBelowCache->GetPixel(3, 0), 0u) << "opacity";
    doc->SetLayerOpacity(doc->Layer(1), 100);
    doc->SetLayerVisible(doc->Layer(1), false);
    EXPECT_EQ(doc->m_pBelowCache->GetPixel(3, 0), 0u) << "visibility";
    doc->SetLayerVisible(doc->Layer(1), true);
    doc->SetLayerBitmap(doc->Layer(1), Bitmap::Create(4, 4, 0xFF0000FF));
    doc->RebuildLayerCaches();
    EXPECT_EQ(doc->m_pBelowCache->GetPixel(3, 0), 0xFF0000FFu) << "a replaced bitmap";
    doc->SetActiveLayer(1);
    EXPECT_EQ(doc->m_pBelowCache->GetPixel(3, 0), 0u) << "the active layer";
    EXPECT_EQ(doc->m_pAboveCache->GetPixel(3, 0), 0xFF00FF00u);
}
