#include <gtest/gtest.h>

#include <QPolygon>
#include <QTransform>
#include <cmath>
#include <functional>

#include "document/PictorraDoc.h"
#include "document/SelectionCommands.h"
#include "support/TestPictures.h"

namespace {

// A shown document of one width x height layer at (x, y) holding a picture whose alpha varies
// (so that any blending of pixels over themselves would show).
std::unique_ptr<CPictorraDoc> MakeDoc(CDocumentHost* host, int width = 30, int height = 20,
                                      int x = 0, int y = 0) {
    auto doc = std::make_unique<CPictorraDoc>(host);
    EXPECT_TRUE(doc->OnNewDocument(width, height));
    doc->OnFrameActivated();
    doc->SetLayerBitmap(doc->ActiveLayer(), MakePhotoLike(width, height, 7));
    doc->ActiveLayer()->m_nOffsetX = x;
    doc->ActiveLayer()->m_nOffsetY = y;
    return doc;
}

CRect Box(const QRegion& region) {
    return CRect::FromQRect(region.boundingRect());
}

// The pixels of a region as a string of '#' and '.', row by row, over rect.
std::string Picture(const QRegion& region, const CRect& rect) {
    std::string s;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            s += region.contains(QPoint(x, y)) ? '#' : '.';
        }
        s += '\n';
    }
    return s;
}

// Everything Undo and Redo give back: the active layer, the fragment, the selection.
struct DocState {
    std::unique_ptr<Bitmap> layer;
    int offsetX = 0, offsetY = 0;
    std::unique_ptr<Bitmap> fragment;
    CSelectionState selection;
    QRegion region;
    CRect rect;
    bool selected = false;

    static DocState Of(const CPictorraDoc& doc) {
        DocState s;
        s.layer = doc.m_pActiveBitmap->Clone();
        s.offsetX = doc.ActiveLayer()->m_nOffsetX;
        s.offsetY = doc.ActiveLayer()->m_nOffsetY;
        s.fragment = doc.m_pFragment ? doc.m_pFragment->Clone() : nullptr;
        s.selection = doc.Selection();
        s.region = doc.Selection().m_rgnSelection;
        s.rect = doc.m_rcSelection;
        s.selected = doc.m_bSelection;
        return s;
    }
};

::testing::AssertionResult Same(const DocState& a, const DocState& b) {
    if (auto pixels = SamePixels(*a.layer, *b.layer); !pixels) {
        return ::testing::AssertionFailure() << "layer: " << pixels.message();
    }
    if (a.offsetX != b.offsetX || a.offsetY != b.offsetY) {
        return ::testing::AssertionFailure() << "offsets differ";
    }
    if (bool(a.fragment) != bool(b.fragment)) {
        return ::testing::AssertionFailure() << "one has a fragment, the other not";
    }
    if (a.fragment) {
        if (auto pixels = SamePixels(*a.fragment, *b.fragment); !pixels) {
            return ::testing::AssertionFailure() << "fragment: " << pixels.message();
        }
    }
    if (!(a.selection == b.selection) || a.region != b.region) {
        return ::testing::AssertionFailure() << "outlines differ";
    }
    if (!(a.rect == b.rect) || a.selected != b.selected) {
        return ::testing::AssertionFailure() << "selection rectangles or flags differ";
    }
    return ::testing::AssertionSuccess();
}

// A host that keeps the selection itself, as the view does, and counts the text tool's calls.
class ViewLikeHost : public CDocumentHost {
public:
    CSelection* SelectionOf(const CPictorraDoc&) override { return &m_selection; }
    void FinishTextEntry(CPictorraDoc&) override { ++m_nFinished; }
    void MoveTextEntry(CPictorraDoc&, int dx, int dy) override { m_moved += QPoint(dx, dy); }

    CSelection m_selection;
    int m_nFinished = 0;
    QPoint m_moved;
};

}  // namespace

// --- Shapes and the outline -----------------------------------------------------------------

TEST(SelectionShapes, RectangleAndPointListAreTakenAsTheyAre) {
    const CSelectionShape rect = CSelectionShape::Rectangle(CRect(2, 3, 12, 9));
    EXPECT_EQ(rect.m_arrPoints, (std::vector<QPointF>{{2, 3}, {12, 3}, {12, 9}, {2, 9}, {2, 3}}));
    EXPECT_EQ(rect.m_nMode, kSelectionAdd);
    EXPECT_EQ(rect.m_nKind, 2);
    EXPECT_EQ(rect.Bounds(), CRect(2, 3, 12, 9));

    const QPoint lasso[] = {{1, 1}, {8, 2}, {4, 7}, {1, 1}};
    const CSelectionShape polygon = CSelectionShape::Polygon(lasso, kSelectionCut);
    EXPECT_EQ(polygon.m_arrPoints, (std::vector<QPointF>{{1, 1}, {8, 2}, {4, 7}, {1, 1}}));
    EXPECT_EQ(polygon.m_nMode, kSelectionCut);
    EXPECT_EQ(polygon.Bounds(), CRect(1, 1, 8, 7));
}

TEST(SelectionShapes, EllipseFollowsTheVertexFormula) {
    for (const CRect& r : {CRect(0, 0, 10, 6), CRect(5, 4, 6, 30), CRect(3, 3, 3, 9)}) {
        const CSelectionShape e = CSelectionShape::Ellipse(r);
        const int w = r.Width();
        ASSERT_EQ(e.m_arrPoints.size(), size_t(w * 2 + 3)) << r.left << "," << r.top;
        EXPECT_EQ(e.m_arrPoints.front(), e.m_arrPoints.back()) << "the outline is closed";
        const double a = (w + 1) / 2.0, k = double(r.Height() + 1) / (w + 1);
        const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
        const size_t n = e.m_arrPoints.size();
        for (int x = r.left; x <= r.right; ++x) {
            const double rk = std::sqrt(a * a - (x - cx) * (x - cx)) * k;
            const size_t i = size_t(x - r.left);
            EXPECT_EQ(e.m_arrPoints[i], QPointF(x, cy + rk)) << "lower half at x " << x;
            EXPECT_EQ(e.m_arrPoints[n - 2 - i], QPointF(x, cy - rk)) << "upper half at x " << x;
        }
    }
    // As a region the outline fills the rectangle, reaching each edge, mirrored left to right.
    for (const CRect& r : {CRect(0, 0, 10, 6), CRect(3, 5, 40, 16)}) {
        CSelection s;
        s.Append(CSelectionShape::Ellipse(r));
        EXPECT_EQ(Box(s.m_rgnSelection),
                  r.top > 0 ? CRect(r.left, r.top - 1, r.right, r.bottom) : r)
            << "the upper half's vertices lie half a pixel above the top";
        const QRegion mirrored = QTransform(-1, 0, 0, 1, r.left + r.right, 0).map(s.m_rgnSelection);
        EXPECT_EQ(mirrored, s.m_rgnSelection);
        EXPECT_TRUE(
            s.m_rgnSelection.contains(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2)));
        EXPECT_FALSE(s.m_rgnSelection.contains(QPoint(r.left, r.top)));
    }
}

TEST(SelectionRegion, VerticesAreTruncatedTowardZeroAndFilledByWinding) {
    struct Case {
        const char* what;
        std::vector<QPointF> points;
        CRect box;
    };
    const std::vector<Case> cases{
        {"fractions go down", {{0.9, 0.9}, {3.9, 0.9}, {3.9, 2.9}, {0.9, 2.9}}, CRect(0, 0, 3, 2)},
        {"negative fractions go up",
         {{-1.5, -2.7}, {2, -2.7}, {2, 1}, {-1.5, 1}},
         CRect(-1, -2, 2, 1)},
        {"far-off vertices are held to integers",
         {{-1e300, 0}, {1e300, 0}, {1e300, 1}, {-1e300, 1}},
         CRect(-(1 << 24), 0, 1 << 24, 1)},
    };
    for (const Case& c : cases) {
        CSelection s;
        CSelectionShape shape;
        shape.m_arrPoints = c.points;
        s.Append(shape);
        EXPECT_EQ(Box(s.m_rgnSelection), c.box) << c.what;
        EXPECT_EQ(s.m_rgnSelection.rectCount(), 1) << c.what;
    }

    // A pentagram crosses itself: with winding fill its centre is inside.
    CSelection star;
    const QPoint points[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}, {10, 0}};
    star.Append(CSelectionShape::Polygon(points));
    EXPECT_TRUE(star.m_rgnSelection.contains(QPoint(10, 10)));
}

TEST(SelectionRegion, ShapesAreAddedAndCutInOrder) {
    CSelection s;
    s.Append(CSelectionShape::Rectangle(CRect(0, 0, 6, 2)));
    s.Append(CSelectionShape::Rectangle(CRect(2, 0, 4, 2), kSelectionCut));
    EXPECT_EQ(Picture(s.m_rgnSelection, CRect(0, 0, 6, 2)), "##..##\n##..##\n");
    // A later shape adds back part of what was cut.
    s.Append(CSelectionShape::Rectangle(CRect(3, 1, 4, 2)));
    EXPECT_EQ(Picture(s.m_rgnSelection, CRect(0, 0, 6, 2)), "##..##\n##.###\n");
    EXPECT_EQ(s.ShapesBounds(), CRect(0, 0, 6, 2));
    // Cutting first leaves nothing to cut from.
    CSelection cutFirst;
    cutFirst.Append(CSelectionShape::Rectangle(CRect(2, 0, 4, 2), kSelectionCut));
    cutFirst.Append(CSelectionShape::Rectangle(CRect(0, 0, 3, 1)));
    EXPECT_EQ(Picture(cutFirst.m_rgnSelection, CRect(0, 0, 6, 2)), "###...\n......\n");
}

TEST(SelectionRegion, TheDocumentUsesTheViewsSelection) {
    ViewLikeHost host;
    auto doc = MakeDoc(&host);
    doc->SelectAll();
    EXPECT_EQ(&doc->Selection(), &host.m_selection);
    EXPECT_EQ(host.m_selection.m_nSelectionState, CSelection::kStateRectangle);
    EXPECT_EQ(Box(host.m_selection.m_rgnSelection), CRect(0, 0, 30, 20));
    EXPECT_TRUE(doc->IsSelectionPresent());
}

TEST(SelectionRegion, BoundsAreTheShapesClippedToTheActiveLayer) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 20, 10, 5, 5);
    EXPECT_EQ(doc->GetSelectionBounds(), CRect()) << "no shapes";
    CSelection& s = doc->Selection();
    s.Append(CSelectionShape::Rectangle(CRect(0, 0, 10, 8)));
    s.Append(CSelectionShape::Rectangle(CRect(12, 9, 40, 12)));
    EXPECT_EQ(doc->GetSelectionBounds(), CRect(5, 5, 25, 12));
}

// --- Lifting and dropping -------------------------------------------------------------------

TEST(LiftSelection, ASelectionBeyondTheLayerIsClippedFirst) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 20, 10, 5, 5);
    const auto before = doc->m_pActiveBitmap->Clone();
    doc->SelectRectangle(CRect(0, 2, 15, 40));
    ASSERT_TRUE(doc->LiftSelection());
    EXPECT_EQ(doc->m_rcSelection, CRect(5, 5, 15, 15));
    ASSERT_TRUE(doc->m_pFragment);
    EXPECT_TRUE(SamePixels(*doc->m_pFragment, *before->Copy(QRect(0, 0, 10, 10))));
    EXPECT_TRUE(SamePixels(*doc->Selection().m_pFragmentOriginal, *doc->m_pFragment));
    EXPECT_EQ(Box(doc->Selection().m_rgnSelection), CRect(5, 5, 15, 15));
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(9, y), 0u) << "the hole, row " << y;
        EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(10, y), before->GetPixel(10, y)) << y;
    }
    // The strips cut off were added as cut-out shapes, once: clipping again adds none.
    const size_t shapes = doc->Selection().m_arrShapes.size();
    EXPECT_EQ(shapes, 4u) << "the left, top and bottom strips";
    doc->ClipSelectionToLayer();
    EXPECT_EQ(doc->Selection().m_arrShapes.size(), shapes);

    // Dropped back, the layer is as it was, semi-transparent pixels included.
    doc->DropSelection();
    EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *before));
    EXPECT_FALSE(doc->m_pFragment);
    EXPECT_EQ(doc->m_rcSelection, CRect());
    EXPECT_FALSE(doc->IsSelectionPresent());
}

TEST(LiftSelection, UnselectedPixelsOfTheBoxAreTransparentInTheFragment) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    const auto before = doc->m_pActiveBitmap->Clone();
    CSelection& s = doc->Selection();
    s.Append(CSelectionShape::Ellipse(CRect(4, 2, 24, 16)));
    s.m_nSelectionState = CSelection::kStateEllipse;
    ASSERT_TRUE(doc->LiftSelection());
    const CRect box = doc->m_rcSelection;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const bool inside = s.m_rgnSelection.contains(QPoint(x, y));
            const uint32_t fragment = doc->m_pFragment->GetPixel(x - box.left, y - box.top);
            EXPECT_EQ(fragment, inside ? before->GetPixel(x, y) : 0u) << x << "," << y;
            EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(x, y), inside ? 0u : before->GetPixel(x, y));
        }
    }
}

TEST(LiftSelection, FailsAndDropsASelectionOutsideTheLayer) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 20, 10);
    const auto before = doc->m_pActiveBitmap->Clone();
    doc->SelectRectangle(CRect(25, 0, 40, 5));
    EXPECT_FALSE(doc->LiftSelection());
    EXPECT_FALSE(doc->m_pFragment);
    EXPECT_FALSE(doc->IsSelectionPresent());
    EXPECT_TRUE(doc->Selection().m_arrShapes.empty());
    EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *before));
}

TEST(LiftSelection, IfNeededLiftsOnlyAnOutlineNotLiftedYet) {
    struct Case {
        const char* what;
        bool outline, lifted;
        bool result;
    };
    const Case cases[] = {
        {"nothing selected", false, false, false},
        {"an outline", true, false, true},
        {"lifted already", true, true, true},
    };
    for (const Case& c : cases) {
        CDocumentHost host;
        auto doc = MakeDoc(&host);
        if (c.outline) {
            doc->SelectRectangle(CRect(2, 2, 6, 6));
        }
        if (c.lifted) {
            ASSERT_TRUE(doc->LiftSelection());
        }
        Bitmap* fragment = doc->m_pFragment.get();
        EXPECT_EQ(doc->LiftSelectionIfNeeded(), c.result) << c.what;
        EXPECT_EQ(bool(doc->m_pFragment), c.result) << c.what;
        if (c.lifted) {
            EXPECT_EQ(doc->m_pFragment.get(), fragment) << "the lifted pixels stay";
        }
    }
}

TEST(LiftSelection, CopyingLeavesTheLayerAndMergingKeepsTheOutline) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    const auto before = doc->m_pActiveBitmap->Clone();
    doc->SelectRectangle(CRect(3, 4, 13, 9));
    ASSERT_TRUE(doc->CopySelectionToFragment());
    EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *before));
    EXPECT_TRUE(SamePixels(*doc->m_pFragment, *before->Copy(QRect(3, 4, 10, 5))));
    doc->m_pFragment.reset();

    ASSERT_TRUE(doc->LiftSelection());
    doc->m_pFragment->Clear(0xFF00FF00);
    doc->MergeFragment();
    EXPECT_FALSE(doc->m_pFragment);
    EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(3, 4), 0xFF00FF00u);
    EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(12, 8), 0xFF00FF00u);
    EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(13, 8), before->GetPixel(13, 8));
    EXPECT_EQ(doc->m_rcSelection, CRect(3, 4, 13, 9));
    EXPECT_EQ(doc->Selection().m_nSelectionState, CSelection::kStateRectangle);
    EXPECT_FALSE(doc->Selection().m_rgnSelection.isEmpty());
}

TEST(LiftSelection, AResizedFragmentGoesBackAsShown) {
    for (const bool drop : {false, true}) {
        CDocumentHost host;
        auto d = MakeDoc(&host);
        d->SelectRectangle(CRect(0, 0, 2, 2));
        ASSERT_TRUE(d->LiftSelection());
        d->m_pFragment->Clear(0xFF0000FF);
        d->m_rcSelection = CRect(10, 10, 14, 13);  // a resize handle dragged
        drop ? d->DropSelection() : d->MergeFragment();
        EXPECT_EQ(d->m_pActiveBitmap->GetPixel(13, 12), 0xFF0000FFu) << (drop ? "drop" : "merge");
        EXPECT_NE(d->m_pActiveBitmap->GetPixel(14, 12), 0xFF0000FFu) << (drop ? "drop" : "merge");
    }
}

TEST(LiftSelection, EndingASelectionEndsTheMoveStateAndTheTyping) {
    const std::pair<int, int> tools[] = {{8, 7}, {15, 13}, {18, 17}, {20, 19}, {7, 7}, {30, 30}};
    for (const auto& [tool, after] : tools) {
        ViewLikeHost host;
        auto doc = MakeDoc(&host);
        doc->SelectRectangle(CRect(2, 2, 6, 6));
        ASSERT_TRUE(doc->LiftSelection());
        host.SetCurrentTool(tool);
        host.m_nFinished = 0;
        doc->DropSelection();
        EXPECT_EQ(host.CurrentTool(), after) << tool;
        EXPECT_EQ(host.m_nFinished, 1) << tool;
        EXPECT_FALSE(doc->IsSelectionPresent()) << tool;
    }
}

TEST(LiftSelection, PaintingIsClippedToTheOutline) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    CSelection& s = doc->Selection();
    s.Append(CSelectionShape::Rectangle(CRect(2, 2, 8, 6)));
    s.Append(CSelectionShape::Rectangle(CRect(4, 2, 6, 6), kSelectionCut));
    s.m_nSelectionState = CSelection::kStateRectangle;
    ASSERT_TRUE(doc->LiftSelection());
    doc->m_pFragment->Clear(0xFFFF0000);  // a stroke over the whole fragment
    doc->ClipFragmentToSelection();
    EXPECT_EQ(doc->m_pFragment->GetPixel(1, 1), 0xFFFF0000u);
    EXPECT_EQ(doc->m_pFragment->GetPixel(2, 1), 0u);
    EXPECT_EQ(doc->m_pFragment->GetPixel(5, 3), 0xFFFF0000u);
}

// --- Commands -------------------------------------------------------------------------------

TEST(SelectionCommands, SelectAllSelectsTheActiveLayer) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 100, 50, 10, 20);
    doc->SelectAll();
    EXPECT_EQ(doc->m_rcSelection, CRect(10, 20, 110, 70));
    EXPECT_EQ(Box(doc->Selection().m_rgnSelection), CRect(10, 20, 110, 70));
    EXPECT_EQ(doc->Selection().m_rgnSelection.rectCount(), 1);
    EXPECT_EQ(doc->Selection().m_nSelectionState, CSelection::kStateRectangle);
    EXPECT_TRUE(doc->m_bSelection);
    EXPECT_TRUE(doc->CanUndo());
}

TEST(SelectionCommands, InvertingTwiceRestoresTheShapes) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 10, 6);
    CSelection& s = doc->Selection();
    s.Append(CSelectionShape::Rectangle(CRect(1, 1, 6, 5)));
    s.Append(CSelectionShape::Rectangle(CRect(4, 2, 8, 4), kSelectionCut));
    s.m_nSelectionState = CSelection::kStateRectangle;
    const CSelectionState bitten = s;
    EXPECT_EQ(Picture(s.m_rgnSelection, CRect(0, 0, 10, 6)),
              "..........\n"
              ".#####....\n"
              ".###......\n"
              ".###......\n"
              ".#####....\n"
              "..........\n");

    doc->InvertSelection();
    ASSERT_EQ(s.m_arrShapes.size(), 3u);
    EXPECT_EQ(s.m_arrShapes[0], CSelectionShape::Rectangle(CRect(0, 0, 10, 6)));
    EXPECT_EQ(s.m_arrShapes[1].m_nMode, kSelectionCut);
    EXPECT_EQ(s.m_arrShapes[2].m_nMode, kSelectionAdd);
    EXPECT_EQ(Picture(s.m_rgnSelection, CRect(0, 0, 10, 6)),
              "##########\n"
              "#.....####\n"
              "#...######\n"
              "#...######\n"
              "#.....####\n"
              "##########\n");
    EXPECT_EQ(doc->m_rcSelection, CRect(0, 0, 10, 6));

    doc->InvertSelection();
    EXPECT_EQ(static_cast<const CSelectionState&>(s), bitten);
    EXPECT_EQ(doc->m_rcSelection, CRect(1, 1, 8, 5));

    // Not while the pixels are lifted.
    ASSERT_TRUE(doc->LiftSelection());
    EXPECT_FALSE(doc->CanInvertSelection());
    doc->InvertSelection();
    EXPECT_EQ(s.m_arrShapes.size(), 2u);
}

TEST(SelectionCommands, ArrowsMoveTheOutlineOrTheLayer) {
    struct Case {
        void (CPictorraDoc::*shift)();
        QPoint by;
    };
    const Case cases[] = {{&CPictorraDoc::ShiftLeft, {-1, 0}},
                          {&CPictorraDoc::ShiftRight, {1, 0}},
                          {&CPictorraDoc::ShiftUp, {0, -1}},
                          {&CPictorraDoc::ShiftDown, {0, 1}}};
    for (const Case& c : cases) {
        const int dx = c.by.x(), dy = c.by.y();
        ViewLikeHost host;
        // Nothing selected: the layer moves.
        auto doc = MakeDoc(&host, 30, 20, 4, 5);
        const auto before = doc->m_pActiveBitmap->Clone();
        (doc.get()->*c.shift)();
        EXPECT_EQ(QPoint(doc->ActiveLayer()->m_nOffsetX, doc->ActiveLayer()->m_nOffsetY),
                  QPoint(4 + dx, 5 + dy));
        EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *before));
        EXPECT_TRUE(doc->CanUndo());

        // An outline: only the outline moves.
        doc->SelectRectangle(CRect(6, 7, 10, 9));
        (doc.get()->*c.shift)();
        EXPECT_EQ(doc->m_rcSelection, CRect(6, 7, 10, 9).Offset(dx, dy));
        EXPECT_EQ(doc->m_rcSelectionPrev, doc->m_rcSelection);
        EXPECT_EQ(Box(doc->Selection().m_rgnSelection), CRect(6, 7, 10, 9).Offset(dx, dy));
        EXPECT_EQ(QPoint(doc->ActiveLayer()->m_nOffsetX, doc->ActiveLayer()->m_nOffsetY),
                  QPoint(4 + dx, 5 + dy));

        // Lifted pixels move with the outline and land there.
        ASSERT_TRUE(doc->LiftSelection());
        doc->m_pFragment->SetPixel(0, 0, 0xFF123456);
        (doc.get()->*c.shift)();
        doc->DropSelection();
        const QPoint landed = QPoint(6, 7) + 2 * c.by - QPoint(4 + dx, 5 + dy);
        EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(landed.x(), landed.y()), 0xFF123456u);

        // The text tool's insertion point follows the arrows.
        host.SetCurrentTool(11);
        (doc.get()->*c.shift)();
        EXPECT_EQ(host.m_moved, c.by);
    }
}

TEST(SelectionCommands, IncreaseAndDecreaseMoveOneEdgeWithinLimits) {
    using Doc = CPictorraDoc;
    struct Case {
        const char* what;
        void (Doc::*command)();
        CRect from;
        CRect to;  // equal to from: ignored
    };
    const CRect r(5, 4, 9, 7);
    const Case cases[] = {
        {"increase up", &Doc::IncreaseUp, r, CRect(5, 3, 9, 7)},
        {"increase down", &Doc::IncreaseDown, r, CRect(5, 4, 9, 8)},
        {"increase left", &Doc::IncreaseLeft, r, CRect(4, 4, 9, 7)},
        {"increase right", &Doc::IncreaseRight, r, CRect(5, 4, 10, 7)},
        {"decrease up", &Doc::DecreaseUp, r, CRect(5, 5, 9, 7)},
        {"decrease down", &Doc::DecreaseDown, r, CRect(5, 4, 9, 6)},
        {"decrease left", &Doc::DecreaseLeft, r, CRect(5, 4, 8, 7)},
        {"decrease right", &Doc::DecreaseRight, r, CRect(6, 4, 9, 7)},
        {"increase up at the top edge", &Doc::IncreaseUp, CRect(5, 0, 9, 7), CRect(5, 0, 9, 7)},
        {"increase down at the bottom", &Doc::IncreaseDown, CRect(5, 4, 9, 20), CRect(5, 4, 9, 20)},
        {"increase left at the left edge", &Doc::IncreaseLeft, CRect(0, 4, 9, 7),
         CRect(0, 4, 9, 7)},
        {"increase right at the right", &Doc::IncreaseRight, CRect(5, 4, 30, 7),
         CRect(5, 4, 30, 7)},
        {"decrease down 1 pixel high", &Doc::DecreaseDown, CRect(5, 4, 9, 5), CRect(5, 4, 9, 5)},
        {"decrease up 1 pixel high", &Doc::DecreaseUp, CRect(5, 4, 9, 5), CRect(5, 4, 9, 5)},
        {"decrease left 1 pixel wide", &Doc::DecreaseLeft, CRect(5, 4, 6, 7), CRect(5, 4, 6, 7)},
        {"decrease right 1 pixel wide", &Doc::DecreaseRight, CRect(5, 4, 6, 7), CRect(5, 4, 6, 7)},
    };
    for (const Case& c : cases) {
        CDocumentHost host;
        auto doc = MakeDoc(&host, 30, 20);
        doc->SelectRectangle(c.from);
        doc->m_bAltDown = 1;
        (doc.get()->*c.command)();
        EXPECT_EQ(doc->m_rcSelection, c.to) << c.what;
        EXPECT_EQ(Box(doc->Selection().m_rgnSelection), c.to) << c.what;
        EXPECT_EQ(doc->Selection().m_rgnSelection.rectCount(), 1) << c.what;
        EXPECT_FALSE(doc->CanUndo()) << c.what << ": no undo entry";
        if (std::string(c.what).starts_with("decrease")) {
            EXPECT_EQ(doc->m_bAltDown, 0) << c.what;
        }
    }

    // Without a selection, and with an empty one, nothing happens.
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    doc->m_rcSelection = CRect(5, 4, 9, 7);
    doc->IncreaseUp();
    EXPECT_EQ(doc->m_rcSelection, CRect(5, 4, 9, 7));
    doc->SelectAll();
    doc->InvertSelection();  // everything inverted: nothing is selected
    EXPECT_TRUE(doc->m_rcSelection.IsEmpty());
    for (const Case& c : cases) {
        (doc.get()->*c.command)();
    }
    EXPECT_TRUE(doc->Selection().m_rgnSelection.isEmpty());
}

TEST(SelectionCommands, DeleteClearsTheSelectedPixels) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 30, 20, 3, 2);
    const auto before = doc->m_pActiveBitmap->Clone();
    CSelection& s = doc->Selection();
    s.Append(CSelectionShape::Ellipse(CRect(5, 4, 20, 15)));
    s.m_nSelectionState = CSelection::kStateEllipse;
    const QRegion selected = s.m_rgnSelection.translated(-3, -2);
    doc->DeleteSelection();
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool inside = selected.contains(QPoint(x, y));
            ASSERT_EQ(doc->m_pActiveBitmap->GetPixel(x, y), inside ? 0u : before->GetPixel(x, y))
                << x << "," << y;
        }
    }
    EXPECT_FALSE(doc->IsSelectionPresent());
    EXPECT_FALSE(doc->CanDelete());

    // Lifted pixels are gone with the fragment; the hole stays.
    doc->SelectRectangle(CRect(3, 2, 8, 6));
    ASSERT_TRUE(doc->LiftSelection());
    doc->DeleteSelection();
    EXPECT_FALSE(doc->m_pFragment);
    EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(0, 0), 0u);
    EXPECT_EQ(doc->m_pActiveBitmap->GetPixel(0, 4), before->GetPixel(0, 4));
}

TEST(SelectionCommands, CropKeepsTheSelectedAreaOverWhite) {
    CDocumentHost host;
    auto doc = MakeDoc(&host, 30, 20, 2, 1);
    const auto before = doc->m_pActiveBitmap->Clone();
    CSelection& s = doc->Selection();
    s.Append(CSelectionShape::Ellipse(CRect(6, 5, 18, 13)));
    s.m_nSelectionState = CSelection::kStateEllipse;
    const CRect box = doc->GetSelectionBounds();
    const QRegion selected = s.m_rgnSelection;
    doc->Crop();
    ASSERT_EQ(doc->m_pActiveBitmap->Size(), QSize(box.Width(), box.Height()));
    EXPECT_EQ(QPoint(doc->ActiveLayer()->m_nOffsetX, doc->ActiveLayer()->m_nOffsetY), QPoint(2, 1));
    EXPECT_EQ(doc->ImageSize(), QSize(box.Width(), box.Height()));
    for (int y = 0; y < box.Height(); ++y) {
        for (int x = 0; x < box.Width(); ++x) {
            const QPoint image(box.left + x, box.top + y);
            const uint32_t cropped = doc->m_pActiveBitmap->GetPixel(x, y);
            if (!selected.contains(image)) {
                ASSERT_EQ(cropped, 0xFFFFFFFFu) << x << "," << y;
                continue;
            }
            // The layer's pixel over opaque white: c a + 255 (1 - a).
            const uint32_t p = before->GetPixel(image.x() - 2, image.y() - 1);
            const double a = ArgbAlpha(p) / 255.0;
            ASSERT_EQ(ArgbAlpha(cropped), 255u) << x << "," << y;
            for (const int shift : {0, 8, 16}) {
                const double c = ((p >> shift) & 0xFF) * a + 255.0 * (1.0 - a);
                ASSERT_NEAR(double((cropped >> shift) & 0xFF), c, 1.0) << x << "," << y;
            }
        }
    }
    EXPECT_FALSE(doc->IsSelectionPresent());
    EXPECT_FALSE(doc->m_pFragment);

    // A selection that misses the layer ends without cropping.
    doc->SelectRectangle(CRect(100, 100, 120, 120));
    doc->Crop();
    EXPECT_EQ(doc->m_pActiveBitmap->Size(), QSize(box.Width(), box.Height()));
    EXPECT_FALSE(doc->IsSelectionPresent());
}

TEST(SelectionCommands, ExchangeColorSwapsTheColours) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    host.SetColors(0xFF102030, 0x80405060);
    doc->ExchangeColor();
    EXPECT_EQ(host.PrimaryColor(), 0x80405060u);
    EXPECT_EQ(host.SecondaryColor(), 0xFF102030u);
}

// Every command that changes pixels, offsets or the selection comes back exactly through
// Undo, and goes again exactly through Redo.
TEST(SelectionCommands, PixelChangingCommandsAreUndoneAndRedoneExactly) {
    struct Case {
        const char* what;
        std::function<void(CPictorraDoc&)> prepare;
        void (CPictorraDoc::*command)();
    };
    auto ellipse = [](CPictorraDoc& doc) {
        doc.Selection().Append(CSelectionShape::Ellipse(CRect(4, 3, 22, 17)));
        doc.Selection().m_nSelectionState = CSelection::kStateEllipse;
        doc.m_rcSelection = CRect(4, 3, 22, 17);
        doc.m_bSelection = true;
    };
    auto lifted = [ellipse](CPictorraDoc& doc) {
        ellipse(doc);
        ASSERT_TRUE(doc.LiftSelection());
        doc.m_pFragment->SetPixel(5, 5, 0xFF00FF00);  // painted while lifted
    };
    auto nothing = [](CPictorraDoc&) {};
    const std::vector<Case> cases{
        {"select all", nothing, &CPictorraDoc::SelectAll},
        {"select all over an outline", ellipse, &CPictorraDoc::SelectAll},
        {"select all over lifted pixels", lifted, &CPictorraDoc::SelectAll},
        {"delete", ellipse, &CPictorraDoc::DeleteSelection},
        {"delete lifted", lifted, &CPictorraDoc::DeleteSelection},
        {"cut", ellipse, &CPictorraDoc::Cut},
        {"cut lifted", lifted, &CPictorraDoc::Cut},
        {"crop", ellipse, &CPictorraDoc::Crop},
        {"crop lifted", lifted, &CPictorraDoc::Crop},
        {"shift the layer", nothing, &CPictorraDoc::ShiftRight},
        {"shift the outline", ellipse, &CPictorraDoc::ShiftUp},
        {"shift lifted pixels", lifted, &CPictorraDoc::ShiftLeft},
    };
    for (const Case& c : cases) {
        CDocumentHost host;
        auto doc = MakeDoc(&host, 30, 20, 2, 3);
        c.prepare(*doc);
        const DocState before = DocState::Of(*doc);
        (doc.get()->*c.command)();
        const DocState after = DocState::Of(*doc);
        EXPECT_FALSE(Same(before, after)) << c.what << " changed nothing";
        ASSERT_TRUE(doc->CanUndo()) << c.what;
        doc->UndoLastEdit();
        EXPECT_TRUE(Same(DocState::Of(*doc), before)) << c.what << ", undone";
        doc->RedoLastEdit();
        EXPECT_TRUE(Same(DocState::Of(*doc), after)) << c.what << ", redone";
    }
}

TEST(SelectionCommands, TableHoldsIdsKeysAndEnableRules) {
    struct Case {
        int id;
        QString keys;
    };
    const Case cases[] = {
        {32776, "Ctrl+A"},
        {32816, "Del"},
        {32777, ""},
        {57634, "Ctrl+C, Ctrl+Ins"},
        {57635, "Ctrl+X, Shift+Del"},
        {57637, "Ctrl+V, Shift+Ins"},
        {32902, "Ctrl+I"},
        {32801, "Left"},
        {32802, "Right"},
        {32803, "Up"},
        {32804, "Down"},
        {32876, "Shift+Up"},
        {32877, "Shift+Down"},
        {32878, "Shift+Left"},
        {32881, "Shift+Right"},
        {32886, "Alt+Up"},
        {32888, "Alt+Down"},
        {32889, "Alt+Left"},
        {32891, "Alt+Right"},
        {32786, "Ctrl+Shift+X"},
    };
    ASSERT_EQ(SelectionCommands().size(), std::size(cases));
    for (const Case& c : cases) {
        const CSelectionCommand* command = FindSelectionCommand(c.id);
        ASSERT_TRUE(command) << c.id;
        QStringList keys;
        for (const QKeySequence& k : command->keys) {
            keys << k.toString();
        }
        EXPECT_EQ(keys.join(", "), c.keys) << c.id;
    }

    // Which commands can run with nothing selected, an outline, and lifted pixels.
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    auto enabled = [&](int id) { return FindSelectionCommand(id)->IsEnabled(*doc); };
    const int needSelection[] = {kCmdDelete, kCmdCrop, kCmdCopy, kCmdCut};
    for (const int id : needSelection) {
        EXPECT_FALSE(enabled(id)) << id;
    }
    EXPECT_FALSE(enabled(kCmdInvertSelection));
    for (const int id :
         {kCmdSelectAll, kCmdShiftLeft, kCmdIncreaseUp, kCmdDecreaseRight, kCmdExchangeColor}) {
        EXPECT_TRUE(enabled(id)) << id;
    }
    doc->SelectRectangle(CRect(1, 1, 5, 5));
    for (const int id : needSelection) {
        EXPECT_TRUE(enabled(id)) << id;
    }
    EXPECT_TRUE(enabled(kCmdInvertSelection));
    ASSERT_TRUE(doc->LiftSelection());
    EXPECT_TRUE(enabled(kCmdCopy));
    EXPECT_FALSE(enabled(kCmdInvertSelection));
    // The hue selection tool holds a selection of its own.
    doc->DropSelection();
    host.SetCurrentTool(20);
    EXPECT_TRUE(enabled(kCmdCopy));

    // Running through the table reaches the document.
    host.SetCurrentTool(1);
    (doc.get()->*FindSelectionCommand(kCmdSelectAll)->run)();
    EXPECT_EQ(doc->m_rcSelection, CRect(0, 0, 30, 20));
}
