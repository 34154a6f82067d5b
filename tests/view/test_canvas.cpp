#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <cmath>

#include "ViewTesting.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/ShellFixture.h"
#include "document/ToolState.h"
#include "support/TestPictures.h"
#include "support/WidgetTesting.h"
#include "ui/CommandIds.h"
#include "view/RegionOutline.h"
#include "view/ScreenCompose.h"
#include "view/ViewCommands.h"
#include "view/ViewCursors.h"
#include "view/ZoomSteps.h"

namespace {

uint32_t CheckerAt(int x, int y) {
    const int tx = ((x % kCheckerTileSide) + kCheckerTileSide) % kCheckerTileSide;
    const int ty = ((y % kCheckerTileSide) + kCheckerTileSide) % kCheckerTileSide;
    return ((tx / 8) + (ty / 8)) % 2 == 0 ? 0xFFFFFFFFu : 0xFFDCDCDCu;
}

uint32_t OverOpaque(uint32_t dst, uint32_t src) {
    const double sa = ArgbAlpha(src) / 255.0;
    auto mix = [sa](uint32_t s, uint32_t d) {
        return uint32_t(std::lround(s * sa + d * (1.0 - sa)));
    };
    return MakeArgb(255, mix(ArgbRed(src), ArgbRed(dst)), mix(ArgbGreen(src), ArgbGreen(dst)),
                    mix(ArgbBlue(src), ArgbBlue(dst)));
}

// Records what the view hands to the tool.
struct RecordingTool : CTool {
    struct Call {
        std::string what;
        QPoint image;
        uint32_t first;
        int tool;
    };
    std::vector<Call>* calls;
    explicit RecordingTool(std::vector<Call>* c) : calls(c) {}
    void OnPress(CToolEvent& ev) override {
        calls->push_back({"press", ev.image, ev.firstColor, ev.tool});
    }
    void OnMove(CToolEvent& ev) override {
        calls->push_back({"move", ev.image, ev.firstColor, ev.tool});
    }
    void OnRelease(CToolEvent& ev) override {
        calls->push_back({"release", ev.image, ev.firstColor, ev.tool});
    }
    void OnRightPress(CToolEvent& ev) override {
        calls->push_back({"right", ev.image, ev.firstColor, ev.tool});
    }
};

}  // namespace

TEST(ZoomSteps, StepsStopAtTheEndsAndLeaveOddZoomsTowardTheNextStep) {
    struct Case {
        float from, in, out;
    };
    const Case cases[] = {
        {32.0f, 32.0f, 16.0f}, {0.01f, 0.025f, 0.01f}, {0.5f, 0.66f, 0.33f},
        {1.0f, 2.0f, 0.66f},   {3.0f, 4.0f, 2.0f},     {0.005f, 0.01f, 0.01f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZoomInStep(c.from), c.in) << c.from;
        EXPECT_EQ(ZoomOutStep(c.from), c.out) << c.from;
    }
}

TEST(ZoomSteps, TheFirstZoomHalvesThirdsAndQuartersUntilThePictureFits) {
    struct Case {
        int room, width;
        float zoom;
        int counter;
    };
    const Case cases[] = {
        {1000, 800, 1.0f, 1},       // fits as it is
        {630, 1000, 0.5f, 0},       // 1/2
        {400, 1000, 1.0f / 3, -1},  // 1/2 is still too wide
        {100, 1000, 0.1f, -8},      // 1/10
        {-50, 1000, 0.01f, -98},    // no room at all: the smallest step
    };
    for (const Case& c : cases) {
        int counter = 1;
        EXPECT_FLOAT_EQ(FirstZoom(1.0f, counter, c.room, c.width), c.zoom) << c.room;
        EXPECT_EQ(counter, c.counter) << c.room;
    }
}

TEST(ZoomSteps, GridSpacing) {
    const std::pair<float, int> cases[] = {{1.0f, 0}, {1.99f, 0}, {2.0f, 4}, {4.0f, 4},
                                           {8.0f, 2}, {16.0f, 1}, {32.0f, 1}};
    for (auto [zoom, spacing] : cases) {
        EXPECT_EQ(GridSpacing(zoom), spacing) << zoom;
    }
}

TEST(ScreenCompose, ZoomedWindowPixelsShowTheImagePixelUnderThem) {
    // A bottom layer with distinct opaque pixels and a translucent active layer at an offset.
    CPictorraDoc doc;
    ASSERT_TRUE(doc.OnNewDocument(30, 20));
    doc.OnFrameActivated();
    doc.SetLayerBitmap(doc.Layer(1), MakeBitmap(30, 20, [](int x, int y) {
                           return MakeArgb(255, uint32_t(x * 8), uint32_t(y * 12), 40);
                       }));
    CLayerFrame* top = doc.AddEmptyLayerOfSize(6, 5);
    doc.SetLayerBitmap(top, MakeBitmap(6, 5, [](int, int) { return 0x80FF0000u; }));
    top->m_nOffsetX = 7;
    top->m_nOffsetY = 4;
    doc.SetActiveLayer(2);
    const ShownImages images = ImagesToShow(doc, 2);
    auto expectedAt = [&](int ix, int iy) {
        uint32_t p = doc.Layer(1)->m_pBitmap->GetPixel(ix, iy);
        if (ix >= 7 && ix < 13 && iy >= 4 && iy < 9) {
            p = OverOpaque(p, 0x80FF0000u);
        }
        return p;
    };

    struct Case {
        double zoom;
        int originX, originY;  // negative once scrolled
    };
    const Case cases[] = {{2, 5, 3}, {8, -13, -21}, {16, -35, 2}, {3.5, 1, -4}};
    for (const Case& c : cases) {
        const ScreenMapping map{c.zoom, c.originX, c.originY};
        const QPoint windowTopLeft(6, 2);
        auto out = Bitmap::Create(40, 30);
        ComposeScreenArea(*out, windowTopLeft, map, {0, 0}, images);
        for (int y = 0; y < out->Height(); ++y) {
            for (int x = 0; x < out->Width(); ++x) {
                const int wx = windowTopLeft.x() + x, wy = windowTopLeft.y() + y;
                const int ix = int(std::floor((wx - c.originX) / c.zoom));
                const int iy = int(std::floor((wy - c.originY) / c.zoom));
                const uint32_t want = ix >= 0 && iy >= 0 && ix < 30 && iy < 20 ? expectedAt(ix, iy)
                                                                               : CheckerAt(wx, wy);
                ASSERT_LE(std::abs(int(ArgbRed(out->GetPixel(x, y))) - int(ArgbRed(want))), 1)
                    << "zoom " << c.zoom << " window (" << wx << ", " << wy << ")";
                ASSERT_LE(std::abs(int(ArgbGreen(out->GetPixel(x, y))) - int(ArgbGreen(want))), 1)
                    << "zoom " << c.zoom << " window (" << wx << ", " << wy << ")";
            }
        }
    }
}

TEST(ScreenCompose, BelowZoomOneAWindowPixelAveragesTheAreaItCovers) {
    // Columns alternate black and white: at zoom 0.5 every window pixel covers one of each.
    CPictorraDoc doc;
    ASSERT_TRUE(doc.OnNewDocument(64, 64));
    doc.OnFrameActivated();
    doc.SetLayerBitmap(doc.Layer(1), MakeBitmap(64, 64, [](int x, int) {
                           return x % 2 ? 0xFFFFFFFFu : 0xFF000000u;
                       }));
    auto out = Bitmap::Create(32, 32);
    ComposeScreenArea(*out, {0, 0}, ScreenMapping{0.5, 0, 0}, {0, 0}, ImagesToShow(doc, 1));
    for (int x = 0; x < 32; ++x) {
        EXPECT_NEAR(int(ArgbGreen(out->GetPixel(x, 5))), 128, 1) << x;
    }
    // Transparent pixels let the checkerboard through, in proportion.
    doc.SetLayerBitmap(doc.Layer(1), MakeBitmap(64, 64, [](int x, int) {
                           return x % 2 ? 0x00000000u : 0xFF000000u;
                       }));
    ComposeScreenArea(*out, {0, 0}, ScreenMapping{0.5, 0, 0}, {0, 0}, ImagesToShow(doc, 1));
    EXPECT_NEAR(int(ArgbGreen(out->GetPixel(1, 1))), 128, 1) << "half black over white";
    EXPECT_NEAR(int(ArgbGreen(out->GetPixel(9, 1))), 110, 1) << "half black over grey";
}

TEST(RegionOutline, FollowsTheBoundaryAndLeavesInnerEdgesOut) {
    auto length = [](const std::vector<QLine>& lines) {
        int total = 0;
        for (const QLine& l : lines) {
            total += std::abs(l.dx()) + std::abs(l.dy());
        }
        return total;
    };
    // A rectangle: its four sides.
    EXPECT_EQ(length(RegionOutline(QRegion(2, 3, 10, 5))), 2 * (10 + 5));
    // An L of two bands: 10 x 4 over 4 x 6: the perimeter of the L.
    const QRegion l = QRegion(0, 0, 10, 4) | QRegion(0, 4, 4, 6);
    EXPECT_EQ(length(RegionOutline(l)), 2 * (10 + 10));
    // A hole: the outer and the inner boundary.
    const QRegion ring = QRegion(0, 0, 10, 10) - QRegion(3, 3, 4, 4);
    EXPECT_EQ(length(RegionOutline(ring)), 40 + 16);
    // Two bands apart: each keeps its own top and bottom.
    const QRegion apart = QRegion(0, 0, 5, 2) | QRegion(0, 6, 5, 2);
    EXPECT_EQ(length(RegionOutline(apart)), 2 * 14);
    EXPECT_TRUE(RegionOutline(QRegion()).empty());
}

TEST(PictorraView, ZoomCommandsStepCheckAndStopAtTheEnds) {
    ViewFixture f(40, 30, {400, 300});
    CPictorraView& view = *f.view;
    auto query = [&](int id) {
        CCmdUI ui(id);
        view.UpdateCommand(ui);
        return ui;
    };
    view.SetZoom(32.0f);
    EXPECT_FALSE(query(ID_VIEW_ZOOM_IN).IsEnabled());
    view.ZoomIn();
    EXPECT_EQ(view.m_fZoom, 32.0f);
    EXPECT_EQ(query(ID_VIEW_ZOOM_32_1).Checked(), true);
    EXPECT_EQ(query(ID_VIEW_ZOOM_16_1).Checked(), false);

    view.SetZoom(0.01f);
    EXPECT_FALSE(query(ID_VIEW_ZOOM_OUT).IsEnabled());
    EXPECT_TRUE(query(ID_VIEW_ZOOM_IN).IsEnabled());
    view.ZoomOut();
    EXPECT_EQ(view.m_fZoom, 0.01f);

    // A first zoom between the steps.
    view.m_fZoom = 0.5f;
    view.ZoomIn();
    EXPECT_EQ(view.m_fZoom, 0.66f);
    view.m_fZoom = 0.5f;
    view.ZoomOut();
    EXPECT_EQ(view.m_fZoom, 0.33f);

    for (const CFixedZoom& fixed : FixedZooms()) {
        view.RunCommand(fixed.id);
        EXPECT_EQ(view.m_fZoom, fixed.zoom) << fixed.text;
        EXPECT_EQ(query(fixed.id).Checked(), true) << fixed.text;
        EXPECT_EQ(f.frame.m_strCaption, QStringLiteral("%1[*]  Scale: %2%")
                                            .arg(f.doc.GetTitle())
                                            .arg(int(fixed.zoom * 100 + 1e-4)))
            << fixed.text;
    }
    view.RunCommand(ID_VIEW_REGION_ZOOM);
    EXPECT_EQ(f.frame.m_options.m_nTool, ToolRegionZoom);
    EXPECT_EQ(query(ID_VIEW_REGION_ZOOM).Checked(), true);
}

TEST(PictorraView, ScrollRangesFollowTheZoom) {
    ViewFixture f(2000, 1000, {400, 300});
    CPictorraView& view = *f.view;
    view.SetZoom(8.0f);
    const QSize page = view.viewport()->size();
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 16000 - page.width());
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 8000 - page.height());
    // Scrolled to the far end, the last image pixel is at the window's right edge.
    view.ScrollTo({view.horizontalScrollBar()->maximum(), 0});
    EXPECT_EQ(view.ClientToImage({page.width() - 1, 0}).x(), 1999);
    view.m_fZoom = 32.0f;
    view.UpdateScrollAndTitle();
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 64000 - page.width());
}

TEST(PictorraView, ZoomKeepsThePointUnderTheAnchorAndRegionZoomFillsTheWindow) {
    ViewFixture f(400, 300, {200, 150});
    CPictorraView& view = *f.view;
    view.SetZoom(4.0f, QPoint(50, 40));
    const QPoint image = view.ClientToImage({50, 40});
    view.SetZoom(8.0f, QPoint(50, 40));
    EXPECT_EQ(view.ClientToImage({50, 40}), image);

    view.SetZoom(1.0f);
    view.ZoomToRegion(QRect(QPoint(100, 60), QPoint(124, 79)));  // 25 x 20
    const QSize client = view.viewport()->size();
    EXPECT_FLOAT_EQ(view.m_fZoom, std::min(client.width() / 25.0f, client.height() / 20.0f));
    EXPECT_TRUE(QRect(QPoint(100, 60), QPoint(124, 79))
                    .contains(view.ClientToImage(view.viewport()->rect().center())));
}

TEST(PictorraView, GridLinesEveryFourTwoOrOnePixelsFromZoomTwoOn) {
    ViewFixture f(64, 64, {300, 300});
    CPictorraView& view = *f.view;
    f.frame.m_options.m_bGrid = 1;
    struct Case {
        float zoom;
        int spacing;  // 0: no grid
    };
    for (const Case c : {Case{1.0f, 0}, Case{2.0f, 4}, Case{8.0f, 2}, Case{16.0f, 1}}) {
        view.SetZoom(c.zoom);
        view.ScrollTo({0, 0});
        const QImage shown = view.viewport()->grab().toImage();
        const QPoint origin = view.ImageToClient(QRect(0, 0, 1, 1)).topLeft();
        // Along an image row away from any horizontal line: black exactly at the lines.
        const int y = origin.y() + int(c.zoom) / 2 + 1;
        int lines = 0;
        for (int x = std::max(0, origin.x());
             x < std::min(shown.width(), origin.x() + 20 * int(c.zoom)); ++x) {
            const bool black = QColor(shown.pixel(x, y)) == QColor(Qt::black);
            const int fromOrigin = x - origin.x();
            const bool wanted = c.spacing != 0 && fromOrigin % int(c.spacing * c.zoom) == 0;
            EXPECT_EQ(black, wanted) << "zoom " << c.zoom << " x " << fromOrigin;
            lines += black;
        }
        if (c.spacing) {
            EXPECT_GT(lines, 0);
        }
    }
}

TEST(PictorraView, AltTurnsPaintingToolsIntoThePickerUntilReleasedOrFocusIsLost) {
    ViewFixture f(40, 30, {200, 150});
    CPictorraView& view = *f.view;
    CToolOptions& options = f.frame.m_options;
    view.activateWindow();
    view.setFocus();
    ASSERT_TRUE(ProcessEventsUntil([&] { return view.hasFocus(); }));

    options.m_nTool = ToolBrush;
    QTest::keyPress(&view, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_EQ(options.m_nTool, ToolColorPicker);
    EXPECT_EQ(options.m_nParkedTool, ToolBrush);
    EXPECT_EQ(f.doc.m_bAltDown, 1);
    QTest::keyRelease(&view, Qt::Key_Alt);
    EXPECT_EQ(options.m_nTool, ToolBrush);
    EXPECT_EQ(options.m_nParkedTool, 0);
    EXPECT_EQ(f.doc.m_bAltDown, 0);

    QTest::keyPress(&view, Qt::Key_Alt, Qt::AltModifier);
    ASSERT_EQ(options.m_nTool, ToolColorPicker);
    QLineEdit elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    elsewhere.setFocus();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !view.hasFocus(); }));
    EXPECT_EQ(options.m_nTool, ToolBrush) << "losing the focus gives the brush back";
    EXPECT_EQ(f.doc.m_bAltDown, 0);

    // Tools that are not painting tools keep their state; the stamp picks its source.
    view.setFocus();
    for (auto [from, held] : {std::pair{ToolRectSelect, ToolRectSelect},
                              std::pair{ToolStampAligned, ToolStampPickSource}}) {
        options.m_nTool = from;
        QTest::keyPress(&view, Qt::Key_Alt, Qt::AltModifier);
        EXPECT_EQ(options.m_nTool, held);
        QTest::keyRelease(&view, Qt::Key_Alt);
    }
}

TEST(PictorraView, MouseGoesToTheToolOfTheStateWithTheButtonsColours) {
    std::vector<RecordingTool::Call> calls;
    CToolRegistry tools;
    tools.Add({ToolPencil, ToolRectSelect},
              [&calls] { return std::make_unique<RecordingTool>(&calls); });
    ViewFixture f(40, 30, {200, 150}, tools);
    CPictorraView& view = *f.view;
    f.doc.Host().SetColors(0xFF112233, 0xFF445566);
    const QPoint inside = view.ImageToClient(QRect(5, 6, 1, 1)).topLeft();
    const QPoint outside = view.ImageToClient(QRect(-3, 6, 1, 1)).topLeft();
    ASSERT_GE(outside.x(), 0);

    // Outside the layer the pencil does nothing; the rectangle selection starts.
    f.frame.m_options.m_nTool = ToolPencil;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, outside);
    EXPECT_TRUE(calls.empty());
    f.frame.m_options.m_nTool = ToolRectSelect;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, outside);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].what, "press");
    EXPECT_EQ(calls[0].image, QPoint(-3, 6));
    EXPECT_EQ(calls[1].what, "release");
    calls.clear();

    f.frame.m_options.m_nTool = ToolPencil;
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, inside);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, inside);
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, inside);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].first, 0xFF112233u) << "the left button paints with the primary colour";
    EXPECT_EQ(calls[0].image, QPoint(5, 6));
    EXPECT_EQ(calls[2].what, "right");
    EXPECT_EQ(calls[2].first, 0xFF445566u) << "the right button with the secondary colour";
    EXPECT_EQ(view.m_ptPressImage, QPoint(5, 6));

    // Every move reports the position, three digits at least.
    QTest::mouseMove(view.viewport(), inside);
    EXPECT_EQ(f.frame.m_strStatus, QStringLiteral("X: 005 Y: 006"));
}

TEST(PictorraView, EscapeDropsTheSelectionAndEndsAPolygonBeingClicked) {
    ViewFixture f(40, 30, {200, 150});
    CPictorraView& view = *f.view;
    f.doc.SelectRectangle(CRect{2, 2, 10, 10});
    ASSERT_TRUE(f.doc.IsSelectionPresent());
    ASSERT_TRUE(f.doc.LiftSelection());
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_FALSE(f.doc.IsSelectionPresent());
    EXPECT_EQ(f.doc.m_pFragment, nullptr);

    struct Case {
        int from, to;
    };
    for (const Case c : {Case{ToolLassoDrawing, ToolLasso}, Case{ToolScissorClosed, ToolScissor},
                         Case{ToolLassoCombineDrawing, ToolLasso}}) {
        f.frame.m_options.m_nTool = c.from;
        view.m_arrPathPoints = {{1, 1}, {5, 5}};
        view.m_arrAnchors = {0};
        QTest::keyClick(&view, Qt::Key_Escape);
        EXPECT_EQ(f.frame.m_options.m_nTool, c.to);
        EXPECT_TRUE(view.m_arrPathPoints.empty());
        EXPECT_TRUE(view.m_arrAnchors.empty());
    }
}

TEST(PictorraView, SelectionOutlinesShowOnDarkAndLightPictures) {
    ViewFixture f(40, 30, {200, 150});
    CPictorraView& view = *f.view;
    // Left half black, right half white: the outline must show on both.
    f.doc.SetLayerBitmap(f.doc.Layer(1), MakeBitmap(40, 30, [](int x, int) {
                             return x < 20 ? 0xFF000000u : 0xFFFFFFFFu;
                         }));
    f.doc.InvalidateLayerCaches();
    f.doc.RebuildLayerCaches();
    f.doc.SelectRectangle(CRect{5, 5, 35, 25});
    view.SetZoom(2.0f);
    const QImage shown = view.viewport()->grab().toImage();
    const QRect frame = view.ImageToClient(QRect(5, 5, 30, 20));
    int whiteOnBlack = 0, blackOnWhite = 0;
    for (int x = frame.left(); x < frame.right(); ++x) {
        const QColor c(shown.pixel(x, frame.top()));
        const bool overBlack = view.ClientToImage({x, frame.top()}).x() < 20;
        whiteOnBlack += overBlack && c == QColor(Qt::white);
        blackOnWhite += !overBlack && c == QColor(Qt::black);
    }
    EXPECT_GT(whiteOnBlack, 4);
    EXPECT_GT(blackOnWhite, 4);
}

// Pictures of the program's window for a person to look at: written when
// PICTORRA_SCREENSHOT_DIR names a folder, skipped otherwise.
TEST(Screenshots, ThreeLayersAtZoomOneAndAtZoomEightWithTheGrid) {
    const QString dir = qEnvironmentVariable("PICTORRA_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        GTEST_SKIP() << "set PICTORRA_SCREENSHOT_DIR to write the screenshots";
    }
    ShellFixture shell;
    shell.FinishStartup();
    CMainFrame& frame = shell.Frame();
    frame.resize(1000, 700);
    frame.show();
    CChildFrame* child = shell.NewPicture(240, 160);
    CPictorraDoc& doc = child->GetDocument();
    doc.SetLayerBitmap(doc.Layer(1), MakePhotoLike(240, 160, 3, false));
    CLayerFrame* middle = doc.AddEmptyLayerOfSize(120, 80);
    doc.SetLayerBitmap(middle, MakeBitmap(120, 80, [](int x, int y) {
                           return (x / 10 + y / 10) % 2 ? 0xC0FF4040u : 0x00000000u;
                       }));
    middle->m_nOffsetX = 30;
    middle->m_nOffsetY = 20;
    doc.SetActiveLayer(2);
    CLayerFrame* top = doc.AddEmptyLayer();
    doc.SetLayerBitmap(top, MakeBitmap(120, 80, [](int x, int y) {
                           const int dx = x - 60, dy = y - 40;
                           return dx * dx + dy * dy < 900 ? 0xA02060FFu : 0x00000000u;
                       }));
    top->m_nOffsetX = 100;
    top->m_nOffsetY = 60;
    doc.SetActiveLayer(3);
    doc.SelectRectangle(CRect{20, 15, 140, 95});
    child->showMaximized();
    QApplication::processEvents();
    CPictorraView& view = child->View();
    view.SetZoom(1.0f);
    QApplication::processEvents();
    EXPECT_TRUE(frame.grab().save(dir + QStringLiteral("/canvas-zoom1.png")));
    frame.ToolOptions().m_bGrid = 1;
    view.SetZoom(8.0f, view.ImageToClient(QRect(100, 60, 1, 1)).topLeft());
    QApplication::processEvents();
    EXPECT_TRUE(frame.grab().save(dir + QStringLiteral("/canvas-zoom8-grid.png")));
}

TEST(PictorraView, TheCursorFollowsTheToolAndThePlace) {
    ViewFixture f(40, 30, {200, 150});
    CPictorraView& view = *f.view;
    f.doc.SelectRectangle(CRect{10, 10, 20, 20});
    const QPoint inSelection = view.ImageToClient(QRect(15, 15, 1, 1)).topLeft();
    const QPoint inLayer = view.ImageToClient(QRect(2, 2, 1, 1)).topLeft();
    const QPoint outside = view.ImageToClient(QRect(-2, 2, 1, 1)).topLeft();
    const Qt::CursorShape cross = NamedCursor(ViewCursor::SelectionCross).shape();
    struct Case {
        int tool;
        QPoint at;
        bool shift;
        Qt::CursorShape shape;
    };
    const Case cases[] = {
        {ToolLine, inLayer, false, Qt::CrossCursor},
        {ToolText, inLayer, false, Qt::IBeamCursor},
        {ToolMoveLayer, inLayer, false, Qt::SizeAllCursor},
        {ToolBrush, inLayer, false, Qt::BlankCursor},
        {ToolBrush, outside, false, Qt::ArrowCursor},
        {ToolRectSelect, inSelection, false, Qt::SizeAllCursor},
        {ToolRectSelect, inLayer, false, cross},
        {ToolRectSelect, outside, false, Qt::ArrowCursor},
        {ToolRectSelect, inSelection, true, cross},
        {ToolStampAligned, inLayer, false, Qt::BlankCursor},
        {ToolRegionZoom, inLayer, false, cross},
        {ToolColorPicker, inLayer, false, NamedCursor(ViewCursor::Pipette).shape()},
        {ToolGradient, inLayer, false, Qt::ArrowCursor},
    };
    for (const Case& c : cases) {
        f.frame.m_options.m_nTool = c.tool;
        f.doc.m_bShiftDown = c.shift;
        EXPECT_EQ(view.CursorAt(c.at).shape(), c.shape) << "tool " << c.tool;
    }
}
