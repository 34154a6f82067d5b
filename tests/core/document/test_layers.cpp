#include <gtest/gtest.h>

#include "document/PictorraDoc.h"
#include "support/TestPictures.h"

namespace {

// A shown document of the given size whose layers are filled with 0xFF000001, 0xFF000002...
std::unique_ptr<CPictorraDoc> MakeDoc(int layers, int w = 8, int h = 6) {
    auto doc = std::make_unique<CPictorraDoc>();
    EXPECT_TRUE(doc->OnNewDocument(w, h));
    doc->OnFrameActivated();
    doc->m_pActiveBitmap->Clear(0xFF000001);
    for (int n = 2; n <= layers; ++n) {
        doc->SetActiveLayer(n - 1);
        doc->AddEmptyLayer()->m_pBitmap->Clear(0xFF000000u | uint32_t(n));
    }
    doc->SetActiveLayer(1);
    return doc;
}

// The fill marks of the layers from the bottom, e.g. "123".
std::string Order(const CPictorraDoc& doc) {
    std::string s;
    for (int n = 1; n <= doc.LayerCount(); ++n) {
        EXPECT_EQ(doc.Layer(n)->m_nNumber, n) << "numbers follow the positions";
        s += char('0' + (doc.Layer(n)->m_pBitmap->GetPixel(0, 0) & 0xFF));
    }
    return s;
}

}  // namespace

TEST(NewDocument, IsOneOpaqueWhiteLayerMadeAtTheFirstActivation) {
    CPictorraDoc doc;
    ASSERT_TRUE(doc.OnNewDocument(640, 480));
    EXPECT_EQ(doc.LayerCount(), 0);
    EXPECT_TRUE(doc.m_bFirstLayerPending);
    EXPECT_EQ(doc.m_bUntitled, 1);
    EXPECT_EQ(doc.m_FileInfo.strName, "New File");
    doc.OnFrameActivated();
    ASSERT_EQ(doc.LayerCount(), 1);
    EXPECT_FALSE(doc.m_bFirstLayerPending);
    EXPECT_EQ(doc.ActiveLayerNumber(), 1);
    EXPECT_EQ(doc.m_pActiveBitmap, doc.Layer(1)->m_pBitmap.get());
    EXPECT_EQ(doc.m_pActiveBitmap->Size(), QSize(640, 480));
    EXPECT_EQ(doc.m_pActiveBitmap->GetPixel(639, 479), 0xFFFFFFFFu);
    EXPECT_EQ(doc.m_pBelowCache->Size(), QSize(640, 480));
}

TEST(NewDocument, RefusesSidesItCannotMakeWithAMessage) {
    for (const QSize size : {QSize(0, 10), QSize(10, 0), QSize(32769, 10), QSize(10, 40000)}) {
        CDocumentHost host;
        CPictorraDoc doc(&host);
        EXPECT_FALSE(doc.OnNewDocument(size.width(), size.height()));
        ASSERT_EQ(host.Messages().size(), 1) << size.width() << " x " << size.height();
        EXPECT_TRUE(host.Messages()[0].contains("32768"));
        EXPECT_EQ(doc.m_pActiveBitmap, nullptr);
    }
}

TEST(LayerStack, AddAndDuplicateInsertDirectlyAboveTheActiveLayer) {
    auto doc = MakeDoc(2);
    ASSERT_EQ(Order(*doc), "12");
    doc->SetActiveLayer(1);
    CLayerFrame* added = doc->AddEmptyLayer();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->m_nNumber, 2);
    EXPECT_EQ(added->m_pBitmap->GetPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(doc->ActiveLayerNumber(), 1) << "the active layer stays active";
    EXPECT_EQ(doc->Layer(3)->m_pBitmap->GetPixel(0, 0), 0xFF000002u);

    auto dup = MakeDoc(2);
    CLayerFrame* original = dup->Layer(1);
    original->m_nOpacity = 40;
    original->m_nOffsetX = 3;
    CLayerFrame* copy = dup->DuplicateLayer();
    EXPECT_EQ(Order(*dup), "112");
    EXPECT_TRUE(SamePixels(*copy->m_pBitmap, *original->m_pBitmap));
    EXPECT_NE(copy->m_pBitmap.get(), original->m_pBitmap.get());
    EXPECT_EQ(copy->m_nOpacity, 100) << "only the pixels are copied";
    EXPECT_EQ(copy->m_nOffsetX, 0);
}

TEST(LayerStack, DeleteMakesTheLayerBelowActive) {
    struct Case {
        int layers, active;
        std::string after;
        int activeAfter;
    };
    for (const Case& c :
         {Case{1, 1, "1", 1}, Case{3, 1, "23", 1}, Case{3, 2, "13", 1}, Case{3, 3, "12", 2}}) {
        auto doc = MakeDoc(c.layers);
        doc->SetActiveLayer(c.active);
        doc->DeleteLayer();
        EXPECT_EQ(Order(*doc), c.after) << c.layers << " layers, deleting " << c.active;
        EXPECT_EQ(doc->ActiveLayerNumber(), c.activeAfter);
        EXPECT_EQ(doc->m_pActiveBitmap, doc->ActiveLayer()->m_pBitmap.get());
    }
}

TEST(LayerStack, MoveLandsAtTheGapAndBecomesActive) {
    struct Case {
        int from, gap;
        std::string after;
        int active;
    };
    // Gap k lies before position k (0-based); dropping just beside the layer changes nothing.
    for (const Case& c : {Case{1, 0, "1234", 1}, Case{1, 1, "1234", 1}, Case{1, 2, "2134", 2},
                          Case{1, 4, "2341", 4}, Case{4, 0, "4123", 1}, Case{3, 1, "1324", 2},
                          Case{2, 3, "1324", 3}, Case{3, 3, "1234", 3}, Case{3, 4, "1243", 4}}) {
        auto doc = MakeDoc(4);
        doc->SetActiveLayer(c.from);
        doc->MoveLayer(c.from, c.gap);
        EXPECT_EQ(Order(*doc), c.after) << "from " << c.from << " to gap " << c.gap;
        EXPECT_EQ(doc->ActiveLayerNumber(), c.active) << "from " << c.from << " to gap " << c.gap;
        EXPECT_EQ(doc->m_pActiveBitmap, doc->ActiveLayer()->m_pBitmap.get());
    }
}

TEST(LayerStack, FlattenDropsHiddenLayersAndLeavesOnePlainLayer) {
    auto doc = MakeDoc(3, 4, 4);
    doc->Layer(1)->m_pBitmap->Clear(0xFFFF0000);
    doc->Layer(1)->m_nOffsetX = 1;  // the red layer leaves column 0 uncovered
    doc->Layer(2)->m_bVisible = 0;  // green would cover everything
    doc->Layer(2)->m_pBitmap->Clear(0xFF00FF00);
    doc->SetLayerBitmap(doc->Layer(3), Bitmap::Create(2, 2, 0xFF0000FF));
    doc->Layer(3)->m_nOpacity = 50;
    doc->SetActiveLayer(3);
    const auto before = doc->ComposeImage(true);

    doc->FlattenLayers();
    ASSERT_EQ(doc->LayerCount(), 1);
    EXPECT_EQ(doc->ActiveLayerNumber(), 1);
    const CLayerFrame& flat = *doc->Layer(1);
    EXPECT_EQ(flat.m_pBitmap.get(), doc->m_pActiveBitmap);
    EXPECT_EQ(flat.m_nOffsetX, 0);
    EXPECT_EQ(flat.m_nOpacity, 100);
    EXPECT_EQ(flat.m_bVisible, 1);
    EXPECT_EQ(flat.m_pBitmap->GetPixel(0, 3), 0u) << "the hidden green layer is gone";
    EXPECT_TRUE(SamePixels(*flat.m_pBitmap, *before, 1))
        << "the flattened layer looks like the picture did";
    EXPECT_TRUE(SamePixels(*doc->ComposeImage(true), *before, 1));
}

TEST(LayerStack, ActivationParksAndRestoresTheActiveNumber) {
    // Two documents share one active-number store, as they share the layers panel.
    CDocumentHost host;
    CPictorraDoc a(&host), b(&host);
    ASSERT_TRUE(a.OnNewDocument(5, 5));
    a.OnFrameActivated();
    a.AddEmptyLayer();
    a.SetActiveLayer(2);
    a.OnFrameDeactivated();

    ASSERT_TRUE(b.OnNewDocument(5, 5));
    b.OnFrameActivated();
    EXPECT_EQ(b.ActiveLayerNumber(), 1);
    b.OnFrameDeactivated();

    a.OnFrameActivated();
    EXPECT_EQ(a.ActiveLayerNumber(), 2);
    EXPECT_EQ(a.m_pActiveBitmap, a.Layer(2)->m_pBitmap.get());
}
