// The freehand tools driven through the view with synthetic mouse and key events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <functional>

#include "ViewTesting.h"
#include "document/ToolState.h"
#include "support/TestPictures.h"
#include "support/WidgetTesting.h"
#include "view/tools/SprayTool.h"

namespace {

// The window point over image pixel p.
QPoint At(const CPictorraView& view, QPoint p) {
    return view.ImageToClient(QRect(p, QSize(1, 1))).topLeft();
}

// A stroke through the image points given: press at the first, moves to the others, release
// at the last.
void Stroke(CPictorraView& view, const std::vector<QPoint>& points,
            Qt::MouseButton button = Qt::LeftButton) {
    QWidget* w = view.viewport();
    QTest::mousePress(w, button, {}, At(view, points.front()));
    for (size_t i = 1; i < points.size(); ++i) {
        QTest::mouseMove(w, At(view, points[i]));
    }
    QTest::mouseRelease(w, button, {}, At(view, points.back()));
}

void SetLayer(ViewFixture& f, std::unique_ptr<Bitmap> pixels) {
    f.doc.SetLayerBitmap(f.doc.Layer(1), std::move(pixels));
    f.doc.InvalidateLayerCaches();
    f.doc.RebuildLayerCaches();
}

int CountChanged(const Bitmap& before, const Bitmap& after,
                 const std::function<void(int, int, uint32_t, uint32_t)>& each = {}) {
    int changed = 0;
    for (int y = 0; y < before.Height(); ++y) {
        for (int x = 0; x < before.Width(); ++x) {
            if (before.GetPixel(x, y) != after.GetPixel(x, y)) {
                ++changed;
                if (each) {
                    each(x, y, before.GetPixel(x, y), after.GetPixel(x, y));
                }
            }
        }
    }
    return changed;
}

struct ToolCase {
    const char* name;
    int tool;
    std::function<void(CToolOptions&)> options;
};

const ToolCase kStrokeTools[] = {
    {"pencil 1 pixel", ToolPencil, [](CToolOptions& o) { o.m_nPencilShape = 0; }},
    {"pencil disk", ToolPencil, [](CToolOptions& o) { o.m_nPencilShape = 3; }},
    {"pencil diagonal", ToolPencil, [](CToolOptions& o) { o.m_nPencilShape = 9; }},
    {"brush", ToolBrush, [](CToolOptions& o) { o.m_nBrushSize = 3; }},
    {"eraser", ToolEraser, [](CToolOptions& o) { o.m_nEraserSize = 2; }},
    {"spray", ToolSpray, [](CToolOptions& o) { o.m_nSpraySize = 3; }},
    {"blur brush", ToolBlur, [](CToolOptions& o) { o.m_nBlurToolSize = 3; }},
};

}  // namespace

TEST(FreehandTools, EachStrokeIsUndoneAndRedoneExactly) {
    for (const ToolCase& c : kStrokeTools) {
        SCOPED_TRACE(c.name);
        ViewFixture f(60, 40, {200, 150});
        SetLayer(f, MakePhotoLike(60, 40));
        f.doc.Host().SetColors(0xC0204080u, 0xA0FFFFFFu);
        f.frame.m_options.m_nTool = c.tool;
        c.options(f.frame.m_options);
        auto before = f.doc.m_pActiveBitmap->Clone();

        Stroke(*f.view, {{5, 5}, {20, 12}, {40, 30}, {10, 30}});
        auto after = f.doc.m_pActiveBitmap->Clone();
        EXPECT_GT(CountChanged(*before, *after), 20);
        ASSERT_TRUE(f.doc.CanUndo());

        f.doc.UndoLastEdit();
        EXPECT_TRUE(SamePixels(*f.doc.m_pActiveBitmap, *before));
        EXPECT_FALSE(f.doc.CanUndo()) << "one stroke, one entry";
        f.doc.RedoLastEdit();
        EXPECT_TRUE(SamePixels(*f.doc.m_pActiveBitmap, *after));
    }
}

TEST(FreehandTools, RightButtonPaintsWithTheSecondaryColour) {
    for (int tool : {ToolPencil, ToolBrush}) {
        ViewFixture f(40, 30, {200, 150});
        f.doc.Host().SetColors(0xFF0000FFu, 0xFFFF0000u);
        f.frame.m_options.m_nTool = tool;
        f.frame.m_options.m_nPencilShape = 3;
        Stroke(*f.view, {{10, 10}, {20, 10}}, Qt::RightButton);
        const uint32_t centre = f.doc.m_pActiveBitmap->GetPixel(15, 11);
        EXPECT_GT(ArgbRed(centre), 200u) << tool;
        EXPECT_LT(ArgbBlue(centre), 200u) << tool;
        EXPECT_TRUE(f.doc.CanUndo());
    }
}

TEST(FreehandTools, EraserReducesEachPixelOnceAndKeepsTheColours) {
    struct Case {
        uint32_t secondary;
        uint32_t alpha;  // of every touched pixel afterwards
    };
    // 255 x 127 / 255: about half, not a quarter, where the stroke crosses itself.
    for (const Case c : {Case{0x80FFFFFFu, 127}, Case{0xFF000000u, 0}}) {
        ViewFixture f(50, 40, {200, 150});
        SetLayer(f, Bitmap::Create(50, 40, 0xFF336699u));
        f.doc.Host().SetColors(0xFF000000u, c.secondary);
        f.frame.m_options.m_nTool = ToolEraser;
        f.frame.m_options.m_nEraserSize = 1;
        auto before = f.doc.m_pActiveBitmap->Clone();
        // Across, back up and down through the first line, and over it again.
        Stroke(*f.view, {{5, 20}, {40, 20}, {25, 5}, {25, 35}, {5, 20}, {45, 20}});
        const int changed =
            CountChanged(*before, *f.doc.m_pActiveBitmap, [&](int x, int y, uint32_t, uint32_t px) {
                EXPECT_EQ(ArgbAlpha(px), c.alpha) << x << "," << y;
                EXPECT_EQ(px & 0xFFFFFFu, 0x336699u) << x << "," << y;
            });
        EXPECT_GT(changed, 150);
        EXPECT_EQ(ArgbAlpha(f.doc.m_pActiveBitmap->GetPixel(25, 20)), c.alpha);
    }
    // The right button moves the outline and erases nothing.
    ViewFixture f(50, 40, {200, 150});
    f.frame.m_options.m_nTool = ToolEraser;
    auto before = f.doc.m_pActiveBitmap->Clone();
    Stroke(*f.view, {{5, 20}, {40, 20}}, Qt::RightButton);
    EXPECT_TRUE(SamePixels(*f.doc.m_pActiveBitmap, *before));
    EXPECT_FALSE(f.doc.CanUndo());
}

TEST(FreehandTools, PaintingInsideASelectionShowsOnlyInsideTheOutline) {
    for (int tool : {ToolPencil, ToolBrush, ToolEraser}) {
        SCOPED_TRACE(tool);
        ViewFixture f(40, 30, {200, 150});
        f.doc.Host().SetColors(0xFFFF0000u, 0xFF000000u);
        f.frame.m_options.m_nTool = tool;
        f.frame.m_options.m_nPencilShape = 3;
        f.frame.m_options.m_nBrushSize = 3;
        f.frame.m_options.m_nEraserSize = 3;
        // An ellipse: its box has corners the outline leaves out.
        const CRect box{10, 5, 30, 25};
        CSelection& selection = f.doc.Selection();
        selection.Append(CSelectionShape::Ellipse(box));
        selection.m_nSelectionState = CSelection::kStateEllipse;
        f.doc.m_rcSelection = box;
        f.doc.m_bSelection = true;
        const QRegion region = selection.m_rgnSelection;
        auto before = f.doc.m_pActiveBitmap->Clone();

        // Across the whole layer, through the ellipse and its box's corners.
        Stroke(*f.view, {{2, 6}, {38, 6}, {38, 15}, {2, 15}, {2, 24}, {38, 24}});
        ASSERT_NE(f.doc.m_pFragment, nullptr) << "the selection was lifted first";
        const Bitmap& fragment = *f.doc.m_pFragment;
        const CRect lifted = f.doc.m_rcSelection;
        for (int y = 0; y < fragment.Height(); ++y) {
            for (int x = 0; x < fragment.Width(); ++x) {
                if (!region.contains(QPoint(x + lifted.left, y + lifted.top))) {
                    EXPECT_EQ(fragment.GetPixel(x, y), 0u) << x << "," << y;
                }
            }
        }
        // The layer around the selection is untouched; after the drop only the inside shows
        // the paint.
        f.doc.DropSelection();
        int inside = 0;
        CountChanged(*before, *f.doc.m_pActiveBitmap, [&](int x, int y, uint32_t, uint32_t) {
            EXPECT_TRUE(region.contains(QPoint(x, y))) << x << "," << y;
            ++inside;
        });
        EXPECT_GT(inside, 30);
        // Undo of the drop and of the stroke gives back the picture as it was.
        f.doc.UndoLastEdit();
        EXPECT_TRUE(SamePixels(*f.doc.m_pActiveBitmap, *before));
        EXPECT_EQ(f.doc.m_pFragment, nullptr);
        EXPECT_TRUE(f.doc.IsSelectionPresent()) << "the selection comes back with it";
    }
}

TEST(FreehandTools, AStrokeRepaintsOnlyAroundTheSegment) {
    struct Case {
        int tool;
        int reach;  // image pixels around the segment the repaint may cover
    };
    const Case cases[] = {{ToolPencil, 8}, {ToolBrush, 20}, {ToolEraser, 10}};
    for (int i = 0; i < 3; ++i) {
        const Case& c = cases[i];
        ViewFixture f(400, 300, {400, 300});
        CPictorraView& view = *f.view;
        f.frame.m_options.m_nTool = c.tool;
        f.frame.m_options.m_nPencilShape = 3;
        f.frame.m_options.m_nBrushSize = 3;
        QWidget* w = view.viewport();
        // Each case elsewhere: Qt drops a move to where the mouse was last.
        const QPoint from(100 + 30 * i, 100), to = from + QPoint(10, 4);
        QTest::mousePress(w, Qt::LeftButton, {}, At(view, from));
        QApplication::processEvents();
        QTest::mouseMove(w, At(view, to));
        QApplication::processEvents();
        const QRect segment = QRect(from, to).adjusted(-c.reach, -c.reach, c.reach, c.reach);
        EXPECT_TRUE(view.ImageToClient(segment).contains(view.LastComposedRect())) << c.tool;
        // The repaint reached the new end of the segment.
        EXPECT_TRUE(view.LastComposedRect().contains(At(view, to))) << c.tool;
        QTest::mouseRelease(w, Qt::LeftButton, {}, At(view, to));
    }
}

TEST(FreehandTools, BrushAndEraserOutlinesFollowTheCursor) {
    struct Case {
        int tool;
        bool ellipse;
    };
    for (const Case c : {Case{ToolBrush, true}, Case{ToolEraser, false}}) {
        ViewFixture f(40, 30, {200, 150});
        SetLayer(f, Bitmap::Create(40, 30, 0xFF808080u));
        CPictorraView& view = *f.view;
        view.SetZoom(4.0f);
        f.frame.m_options.m_nTool = c.tool;
        f.frame.m_options.m_nBrushSize = 3;
        f.frame.m_options.m_nEraserSize = 3;
        const QPoint cursor = At(view, {20, 15});
        // Qt drops a move to where the mouse was last: come from elsewhere.
        QTest::mouseMove(view.viewport(), cursor + QPoint(9, 9));
        QTest::mouseMove(view.viewport(), cursor);
        const QImage shown = view.viewport()->grab().toImage();
        // Size 3: from 11 (brush) or 6 (eraser) pixels before the cursor's pixel.
        const int before = c.tool == ToolBrush ? 11 : 6;
        const int after = c.tool == ToolBrush ? 15 : 7;
        const QRect r(cursor - QPoint(before, before) * 4, cursor + QPoint(after, after) * 4);
        const QPoint edge = c.ellipse ? QPoint(r.left(), r.center().y()) : r.topLeft();
        const QRgb px = shown.pixel(edge);
        EXPECT_TRUE(px == qRgb(255, 255, 255) || px == qRgb(0, 0, 0)) << c.tool;
        EXPECT_EQ(shown.pixel(r.center()), qRgb(128, 128, 128));
    }
}

TEST(FreehandTools, SprayKeepsSprayingWhileTheMouseStandsStill) {
    struct Case {
        Qt::MouseButton button;
        int timer;
        uint32_t colour;
    };
    const Case cases[] = {{Qt::LeftButton, CSprayTool::kLeftTimer, 0xFF0000FFu},
                          {Qt::RightButton, CSprayTool::kRightTimer, 0xFFFF0000u}};
    for (const Case& c : cases) {
        ViewFixture f(80, 60, {200, 150});
        CPictorraView& view = *f.view;
        f.doc.Host().SetColors(0xFF0000FFu, 0xFFFF0000u);
        f.frame.m_options.m_nTool = ToolSpray;
        f.frame.m_options.m_nSpraySize = 0;  // radius 5
        auto before = f.doc.m_pActiveBitmap->Clone();
        auto dotsNear = [&](QPoint centre) {
            int n = 0;
            CountChanged(*before, *f.doc.m_pActiveBitmap, [&](int x, int y, uint32_t, uint32_t px) {
                EXPECT_EQ(px, c.colour);
                if (std::abs(x - centre.x()) <= 5 && std::abs(y - centre.y()) <= 5) {
                    ++n;
                }
            });
            return n;
        };
        QWidget* w = view.viewport();
        QTest::mousePress(w, c.button, {}, At(view, {20, 20}));
        EXPECT_EQ(f.frame.m_options.m_nTool, ToolSpraying);
        EXPECT_TRUE(view.IsToolTimerRunning(c.timer));
        // The mouse stands still: the timer's ticks add dots, again and again.
        ASSERT_TRUE(ProcessEventsUntil([&] { return dotsNear({20, 20}) > 0; }));
        const int first = dotsNear({20, 20});
        ASSERT_TRUE(ProcessEventsUntil([&] { return dotsNear({20, 20}) > first; }));
        // The centre follows the mouse.
        QTest::mouseMove(w, At(view, {60, 40}));
        ASSERT_TRUE(ProcessEventsUntil([&] { return dotsNear({60, 40}) > 0; }));
        QTest::mouseRelease(w, c.button, {}, At(view, {60, 40}));
        EXPECT_EQ(f.frame.m_options.m_nTool, ToolSpray);
        EXPECT_FALSE(view.IsToolTimerRunning(c.timer));
        f.doc.UndoLastEdit();
        EXPECT_TRUE(SamePixels(*f.doc.m_pActiveBitmap, *before));
    }
}

TEST(FreehandTools, BlurBrushSoftensWhereTheMouseIsOnly) {
    ViewFixture f(60, 40, {200, 150});
    // Vertical stripes: every pixel differs from its left and right neighbours.
    SetLayer(f, MakeBitmap(60, 40, [](int x, int) { return x % 2 ? 0xFFFFFFFFu : 0xFF000000u; }));
    f.frame.m_options.m_nTool = ToolBlur;
    f.frame.m_options.m_nBlurToolSize = 1;
    f.doc.m_nBlurSize = 3;
    auto before = f.doc.m_pActiveBitmap->Clone();
    Stroke(*f.view, {{10, 10}, {30, 10}});
    std::vector<QPoint> changed;
    CountChanged(*before, *f.doc.m_pActiveBitmap,
                 [&](int x, int y, uint32_t, uint32_t) { changed.emplace_back(x, y); });
    // Five pixels at each of the two points, nothing between them.
    EXPECT_EQ(changed.size(), 10u);
    for (QPoint p : changed) {
        EXPECT_TRUE((p - QPoint(10, 10)).manhattanLength() <= 1 ||
                    (p - QPoint(30, 10)).manhattanLength() <= 1)
            << p.x() << "," << p.y();
    }
    // The first pixel, black, is the mean of its 3 x 3 window: two white columns of three.
    EXPECT_EQ(f.doc.m_pActiveBitmap->GetPixel(10, 10), 0xFFAAAAAAu);
}

TEST(FreehandTools, StampKeepsItsOffsetUntilANewAltClick) {
    ViewFixture f(80, 60, {300, 200});
    CPictorraView& view = *f.view;
    SetLayer(f, MakeBitmap(80, 60, [](int x, int y) {
                 return MakeArgb(255, uint32_t(x * 3), uint32_t(y * 4), 90);
             }));
    const auto original = f.doc.m_pActiveBitmap->Clone();
    CToolOptions& options = f.frame.m_options;
    options.m_nTool = ToolStampPickSource;
    options.m_nStampSize = 1;  // radius 5
    // The disk painted around a point p shows the picture at p - offset, one pixel right of
    // and below p.
    auto clonedAt = [&](QPoint p, QPoint offset) {
        const QPoint q = p + QPoint(1, 1);
        return f.doc.m_pActiveBitmap->GetPixel(q.x(), q.y()) ==
               original->GetPixel(q.x() - 1 - offset.x(), q.y() - 1 - offset.y());
    };

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At(view, {10, 10}));
    EXPECT_EQ(options.m_nTool, ToolStampSourceSet);
    EXPECT_TRUE(SamePixels(*f.doc.m_pActiveBitmap, *original))
        << "setting the source paints nothing";
    EXPECT_FALSE(f.doc.CanUndo());

    Stroke(view, {{40, 20}, {44, 20}});
    EXPECT_EQ(view.m_ptStampOffset, QPoint(30, 10));
    EXPECT_EQ(options.m_nTool, ToolStampAligned);
    EXPECT_TRUE(clonedAt({40, 20}, {30, 10}));
    EXPECT_TRUE(clonedAt({44, 20}, {30, 10}));

    // The next stroke, elsewhere, keeps the offset.
    Stroke(view, {{50, 45}, {50, 50}});
    EXPECT_EQ(view.m_ptStampOffset, QPoint(30, 10));
    EXPECT_TRUE(clonedAt({50, 45}, {30, 10}));
    EXPECT_TRUE(clonedAt({50, 50}, {30, 10}));

    // Alt+click sets a new source; the next stroke fixes a new offset.
    QTest::keyPress(&view, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_EQ(options.m_nTool, ToolStampPickSource);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::AltModifier, At(view, {5, 40}));
    QTest::keyRelease(&view, Qt::Key_Alt);
    EXPECT_EQ(options.m_nTool, ToolStampSourceSet);
    EXPECT_EQ(view.m_ptStampSource, QPoint(5, 40));
    Stroke(view, {{25, 42}, {26, 42}});
    EXPECT_EQ(view.m_ptStampOffset, QPoint(20, 2));
    EXPECT_TRUE(clonedAt({25, 42}, {20, 2}));

    // Three strokes, three entries; each comes off exactly.
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(f.doc.CanUndo());
        f.doc.UndoLastEdit();
    }
    EXPECT_TRUE(SamePixels(*f.doc.m_pActiveBitmap, *original));
}

TEST(FreehandTools, StampOnAMovedLayerClonesWhatTheSourceShows) {
    ViewFixture f(80, 60, {300, 200});
    CPictorraView& view = *f.view;
    // The active layer lies at (20, 15) over a white bottom layer: the picture's pixel (x, y)
    // is the layer's (x - 20, y - 15).
    CLayerFrame* top = f.doc.AddEmptyLayerOfSize(40, 30);
    f.doc.SetLayerBitmap(top, MakeBitmap(40, 30, [](int x, int y) {
                             return MakeArgb(255, uint32_t(x * 6), uint32_t(y * 8), 30);
                         }));
    top->m_nOffsetX = 20;
    top->m_nOffsetY = 15;
    f.doc.SetActiveLayer(2);
    f.doc.InvalidateLayerCaches();
    f.doc.RebuildLayerCaches();
    const auto layer = f.doc.m_pActiveBitmap->Clone();
    f.frame.m_options.m_nTool = ToolStampPickSource;
    f.frame.m_options.m_nStampSize = 0;

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At(view, {25, 20}));  // layer (5, 5)
    Stroke(view, {{45, 30}, {46, 30}});                                          // layer (25, 15)
    EXPECT_EQ(view.m_ptStampOffset, QPoint(20, 10));
    // The disk one pixel right of and below layer (25, 15) shows layer (5, 5) and its
    // neighbours: what the picture shows at the source, not what lies at the layer's own
    // (5, 5) of the picture.
    for (QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(-1, -1)}) {
        const QPoint q = QPoint(26, 16) + d;
        const QPoint source = QPoint(5, 5) + d;
        EXPECT_EQ(Hex(f.doc.m_pActiveBitmap->GetPixel(q.x(), q.y())),
                  Hex(layer->GetPixel(source.x(), source.y())))
            << d.x() << "," << d.y();
    }
}
