#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QScrollBar>
#include <cmath>

#include "ShellFixture.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "document/PictorraDoc.h"
#include "support/TestPictures.h"
#include "support/WidgetTesting.h"
#include "view/PictorraView.h"
#include "view/ScreenCompose.h"

namespace {

uint32_t CheckerAt(int x, int y) {
    const int tx = x % kCheckerTileSide, ty = y % kCheckerTileSide;
    return ((tx / 8) + (ty / 8)) % 2 == 0 ? 0xFFFFFFFFu : 0xFFDCDCDCu;
}

// Straight source-over onto an opaque pixel: Rc = Sc Sa + Dc (1 - Sa).
uint32_t OverOpaque(uint32_t dst, uint32_t src, float alpha) {
    const float sa = float(ArgbAlpha(src)) / 255.0f * alpha;
    auto mix = [sa](uint32_t s, uint32_t d) {
        return uint32_t(std::lround(float(s) * sa + float(d) * (1.0f - sa)));
    };
    return MakeArgb(255, mix(ArgbRed(src), ArgbRed(dst)), mix(ArgbGreen(src), ArgbGreen(dst)),
                    mix(ArgbBlue(src), ArgbBlue(dst)));
}

// A shown three-layer document: 20 x 14 bottom, a 9 x 6 middle layer at (3, 2), a 20 x 14
// top layer with a transparent left half.
std::unique_ptr<CPictorraDoc> ThreeLayers() {
    auto doc = std::make_unique<CPictorraDoc>();
    EXPECT_TRUE(doc->OnNewDocument(20, 14));
    doc->OnFrameActivated();
    doc->SetLayerBitmap(doc->Layer(1), MakePhotoLike(20, 14, 3, false));
    CLayerFrame* middle = doc->AddEmptyLayerOfSize(9, 6);
    doc->SetLayerBitmap(middle, MakePhotoLike(9, 6, 5));
    middle->m_nOffsetX = 3;
    middle->m_nOffsetY = 2;
    doc->SetActiveLayer(2);
    CLayerFrame* top = doc->AddEmptyLayer();
    doc->SetLayerBitmap(top, MakeBitmap(20, 14, [](int x, int y) {
                            return x < 10 ? 0u : MakeArgb(90, 255, uint32_t(y * 10), 0);
                        }));
    return doc;
}

}  // namespace

TEST(ScreenCompose, DrawsTheThreeImagesOverTheCheckerboard) {
    struct Case {
        int active;
        bool activeVisible;
        int opacity;
    };
    const Case cases[] = {
        {1, true, 100}, {2, true, 50}, {3, true, 100}, {2, false, 100}, {2, true, 0}};
    for (const Case& c : cases) {
        auto doc = ThreeLayers();
        doc->SetActiveLayer(c.active);
        doc->Layer(c.active)->m_bVisible = c.activeVisible;
        doc->Layer(c.active)->m_nOpacity = c.opacity;
        doc->RebuildLayerCaches();

        // The part of the picture from (2, 1), 15 x 11, with the checkerboard phase of a
        // window whose picture starts 310 pixels further left.
        const QPoint imageTopLeft(2, 1), phase(312, 5);
        auto out = Bitmap::Create(15, 11);
        ComposeForScreen(*out, imageTopLeft, phase, ImagesToShow(*doc, c.active));

        auto expected = MakeBitmap(15, 11, [&](int x, int y) {
            const int ix = x + imageTopLeft.x(), iy = y + imageTopLeft.y();
            uint32_t p = CheckerAt(phase.x() + x, phase.y() + y);
            for (int n = 1; n <= 3; ++n) {
                const CLayerFrame* layer = doc->Layer(n);
                if (!layer->m_bVisible) {
                    continue;
                }
                const int lx = ix - layer->m_nOffsetX, ly = iy - layer->m_nOffsetY;
                if (lx >= 0 && ly >= 0 && lx < layer->m_pBitmap->Width() &&
                    ly < layer->m_pBitmap->Height()) {
                    p = OverOpaque(p, layer->m_pBitmap->GetPixel(lx, ly),
                                   float(layer->m_nOpacity) / 100.0f);
                }
            }
            return p;
        });
        EXPECT_TRUE(SamePixels(*out, *expected, 1))
            << "active " << c.active << " visible " << c.activeVisible << " opacity " << c.opacity;
    }
}

TEST(ScreenCompose, ALiftedFragmentShowsOnTopStretchedIntoItsRectangle) {
    CPictorraDoc doc;
    ASSERT_TRUE(doc.OnNewDocument(8, 8));
    doc.OnFrameActivated();
    doc.m_pFragment = MakeBitmap(2, 2, [](int x, int y) { return 0xFF000000u | (x * 2 + y + 1); });
    doc.m_rcSelection = CRect{2, 3, 6, 7};
    auto out = Bitmap::Create(8, 8);
    ComposeForScreen(*out, {0, 0}, {0, 0}, ImagesToShow(doc, 1));
    EXPECT_EQ(out->GetPixel(1, 3), 0xFFFFFFFFu) << "the white layer beside it";
    EXPECT_EQ(out->GetPixel(2, 3), 0xFF000001u);
    EXPECT_EQ(out->GetPixel(3, 4), 0xFF000001u) << "each fragment pixel covers 2 x 2";
    EXPECT_EQ(out->GetPixel(5, 3), 0xFF000003u);
    EXPECT_EQ(out->GetPixel(5, 6), 0xFF000004u);
    EXPECT_EQ(out->GetPixel(6, 7), 0xFFFFFFFFu);
}

TEST(ScreenCompose, TheCheckerTileRepeatsEvery319Pixels) {
    const Bitmap& tile = CheckerTile();
    ASSERT_EQ(tile.Size(), QSize(319, 319));
    EXPECT_EQ(tile.GetPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(tile.GetPixel(8, 0), 0xFFDCDCDCu);
    EXPECT_EQ(tile.GetPixel(8, 8), 0xFFFFFFFFu);
    EXPECT_EQ(tile.GetPixel(318, 0), 0xFFDCDCDCu) << "the last square is 7 pixels wide";

    auto out = Bitmap::Create(700, 2);
    ComposeForScreen(*out, {0, 0}, {315, 318}, ShownImages{});
    EXPECT_EQ(out->GetPixel(3, 0), tile.GetPixel(318, 318));
    EXPECT_EQ(out->GetPixel(4, 0), tile.GetPixel(0, 318)) << "the next tile starts";
    EXPECT_EQ(out->GetPixel(4, 1), tile.GetPixel(0, 0));
    EXPECT_EQ(out->GetPixel(4 + 319 + 20, 1), tile.GetPixel(20, 0));
}

TEST(PictorraView, CentresASmallPictureAndRepaintsOnlyWhatChanged) {
    ShellFixture shell;
    shell.FinishStartup();
    QImage picture = MakeTestImage(40, 30);
    const QString path = shell.WritePicture(QStringLiteral("small.png"), picture);
    CChildFrame* child = shell.App().OpenDocumentFile(path);
    ASSERT_NE(child, nullptr);
    child->resize(300, 250);
    QApplication::processEvents();
    CPictorraView& view = child->View();
    const QSize client = view.viewport()->size();
    ASSERT_GT(client.width(), 40);
    EXPECT_EQ(view.m_fOriginX, float(client.width() - 40) / 2);
    EXPECT_EQ(view.m_fOriginY, float(client.height() - 30) / 2);

    const QImage shown = view.viewport()->grab().toImage();
    const QPoint origin(int(view.m_fOriginX), int(view.m_fOriginY));
    EXPECT_EQ(QColor(shown.pixel(origin + QPoint(5, 7))), QColor(picture.pixel(5, 7)))
        << "opaque pixels show as they are";
    const uint32_t checker = CheckerAt(35, 4);
    EXPECT_EQ(shown.pixel(origin + QPoint(35, 4)), OverOpaque(checker, picture.pixel(35, 4), 1.0f))
        << "translucent pixels over the checkerboard";
    EXPECT_EQ(QColor(shown.pixel(1, 1)), view.palette().color(QPalette::Window))
        << "the margins show the window's background";

    // What a stroke touched is all that is composed again.
    ASSERT_TRUE(ProcessEventsUntil([&] { return !view.LastComposedRect().isEmpty(); }));
    view.InvalidateImageRect(QRect(5, 6, 4, 3));
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return view.LastComposedRect() == QRect(origin + QPoint(5, 6), QSize(4, 3)); }));
    // The caches rebuilt: the whole picture, not the margins.
    CPictorraDoc& doc = child->GetDocument();
    doc.InvalidateLayerCaches();
    doc.RebuildLayerCaches();
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return view.LastComposedRect() == QRect(origin, QSize(40, 30)); }));
}

TEST(PictorraView, ADocumentInTheBackgroundShowsItsOwnActiveLayer) {
    ShellFixture shell;
    shell.FinishStartup();
    CChildFrame* first = shell.NewPicture(10, 10);
    CPictorraDoc& doc = first->GetDocument();
    CLayerFrame* red = doc.AddEmptyLayer();
    doc.SetLayerBitmap(red, Bitmap::Create(10, 10, 0xFFFF0000));
    doc.SetActiveLayer(2);
    CChildFrame* second = shell.NewPicture(10, 10);
    ASSERT_EQ(shell.Frame().ActiveChild(), second);
    EXPECT_EQ(doc.ActiveLayerNumber(), 1) << "the shared number is the other document's";
    shell.Frame().MdiArea()->tileSubWindows();
    QApplication::processEvents();

    CPictorraView& view = first->View();
    const QImage shown = view.viewport()->grab().toImage();
    const QPoint middle = view.ImageToClient(QRect(5, 5, 1, 1)).topLeft();
    EXPECT_EQ(QColor(shown.pixel(middle)), QColor(Qt::red));

    // Back in front, the first document takes its number back.
    shell.Frame().MdiArea()->setActiveSubWindow(first);
    EXPECT_EQ(doc.ActiveLayerNumber(), 2);
    EXPECT_EQ(second->GetDocument().m_nSavedActiveLayer, 1);
}
