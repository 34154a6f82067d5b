// The selection tools driven through the view with synthetic mouse and key events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include "ViewTesting.h"
#include "document/ToolState.h"
#include "effects/EffectFrame.h"
#include "platform/Hls.h"
#include "support/TestPictures.h"
#include "support/WidgetTesting.h"
#include "view/HueSelectDlg.h"
#include "view/tools/HueSelectTool.h"

namespace {

// The mouse over the view, in image pixels.
struct Mouse {
    explicit Mouse(CPictorraView& v) : view(v) {}
    CPictorraView& view;

    QPoint At(QPoint image) const {
        return view.ImageToClient(QRect(image, QSize(1, 1))).topLeft();
    }
    void Send(QEvent::Type type, QPoint image, Qt::MouseButton button, Qt::MouseButtons held) {
        QWidget* w = view.viewport();
        const QPointF p(At(image));
        QMouseEvent e(type, p, w->mapToGlobal(p), button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        m_held |= b;
        Send(QEvent::MouseButtonPress, p, b, m_held);
    }
    void Move(QPoint p) { Send(QEvent::MouseMove, p, Qt::NoButton, m_held); }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        m_held &= ~b;
        Send(QEvent::MouseButtonRelease, p, b, m_held);
    }
    void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        Press(p, b);
        Release(p, b);
    }
    // Press at from, move in steps to to, release there.
    void Drag(QPoint from, QPoint to, int steps = 4) {
        Press(from);
        for (int i = 1; i <= steps; ++i) {
            Move(from + (to - from) * i / steps);
        }
        Release(to);
    }
    Qt::MouseButtons m_held;
};

// The program's windows give the document the view's selection and the main frame's tool
// state; this host does the same for a view made by hand.
struct LinkedHost : CDocumentHost {
    CToolOptions* options = nullptr;
    CPictorraView* view = nullptr;
    int CurrentTool() const override { return options->m_nTool; }
    void SetCurrentTool(int tool) override { options->m_nTool = tool; }
    CSelection* SelectionOf(const CPictorraDoc&) override {
        return view ? &view->Selection() : nullptr;
    }
};

// A shown 60 x 40 opaque white picture in a 200 x 150 window at zoom 1.
struct SelectFixture {
    SelectFixture() : doc(&host) {
        host.options = &frame.m_options;
        EXPECT_TRUE(doc.OnNewDocument(60, 40));
        doc.OnFrameActivated();
        view = std::make_unique<CPictorraView>(doc, frame);
        host.view = view.get();
        view->setFrameStyle(0);
        view->resize(200, 150);
        view->show();
        view->OnInitialUpdate();
        QApplication::processEvents();
        mouse = std::make_unique<Mouse>(*view);
    }
    ~SelectFixture() {
        host.view = nullptr;
        view.reset();
    }
    void Use(int tool) { frame.m_options.m_nTool = tool; }
    int Tool() const { return frame.m_options.m_nTool; }
    CSelection& Sel() { return view->Selection(); }
    bool Selected(int x, int y) { return Sel().m_rgnSelection.contains(QPoint(x, y)); }
    void Key(Qt::Key key, bool down) {
        if (down) {
            QTest::keyPress(view.get(), key);
        } else {
            QTest::keyRelease(view.get(), key);
        }
    }
    // The layer painted with distinct opaque pixels.
    void PaintLayer() {
        doc.SetLayerBitmap(doc.Layer(1), MakeBitmap(60, 40, [](int x, int y) {
                               return MakeArgb(255, uint32_t(x * 4), uint32_t(y * 6), 77);
                           }));
        doc.RebuildLayerCaches();
    }
    uint32_t LayerPixel(int x, int y) { return doc.m_pActiveBitmap->GetPixel(x, y); }
    LinkedHost host;
    CPictorraDoc doc;
    TestViewFrame frame;
    std::unique_ptr<CPictorraView> view;
    std::unique_ptr<Mouse> mouse;
};

}  // namespace

TEST(SelectionTools, RectangleAndEllipseDragsMakeTheirSelections) {
    SelectFixture f;
    f.Use(ToolRectSelect);
    f.mouse->Drag({30, 20}, {10, 5});
    EXPECT_EQ(f.doc.m_rcSelection, CRect(10, 5, 31, 21)) << "normalized, right and bottom + 1";
    EXPECT_EQ(f.Sel().m_nSelectionState, CSelection::kStateRectangle);
    EXPECT_TRUE(f.doc.m_bSelection);
    EXPECT_TRUE(f.Selected(10, 5));
    EXPECT_TRUE(f.Selected(30, 20));
    EXPECT_FALSE(f.Selected(31, 20));
    EXPECT_EQ(f.view->StatusText(), QStringLiteral("X: 010 Y: 005 [21, 16]"));

    // A drag past the picture is clamped to it.
    QTest::keyClick(f.view.get(), Qt::Key_Escape);
    f.Use(ToolEllipseSelect);
    f.mouse->Drag({40, 10}, {75, 50});
    EXPECT_EQ(f.doc.m_rcSelection, CRect(40, 10, 60, 40));
    EXPECT_EQ(f.Sel().m_nSelectionState, CSelection::kStateEllipse);
    EXPECT_TRUE(f.Selected(50, 25)) << "the middle";
    EXPECT_FALSE(f.Selected(41, 11)) << "a corner outside the ellipse";

    // The right button cancels a rectangle being dragged; the release then does nothing.
    QTest::keyClick(f.view.get(), Qt::Key_Escape);
    f.Use(ToolRectSelect);
    f.mouse->Press({5, 5});
    f.mouse->Move({20, 20});
    f.mouse->Press({20, 20}, Qt::RightButton);
    f.mouse->Release({20, 20}, Qt::RightButton);
    f.mouse->Release({20, 20});
    EXPECT_FALSE(f.doc.m_bSelection);
    EXPECT_FALSE(f.doc.IsSelectionPresent());
    EXPECT_TRUE(f.Sel().m_arrShapes.empty());
}

TEST(SelectionTools, APressOutsideTheSelectionDropsItAndThePressInsideMovesTheOutline) {
    SelectFixture f;
    f.PaintLayer();
    const uint32_t before = f.LayerPixel(12, 12);
    f.Use(ToolRectSelect);
    f.mouse->Drag({10, 10}, {19, 19});
    ASSERT_EQ(f.doc.m_rcSelection, CRect(10, 10, 20, 20));
    f.mouse->Drag({15, 15}, {25, 18});
    EXPECT_EQ(f.doc.m_rcSelection, CRect(20, 13, 30, 23));
    EXPECT_TRUE(f.Selected(29, 22));
    EXPECT_FALSE(f.Selected(12, 12));
    EXPECT_EQ(f.doc.m_rcSelectionPrev, f.doc.m_rcSelection);
    EXPECT_EQ(f.doc.m_pFragment, nullptr) << "only the outline moved";
    EXPECT_EQ(f.LayerPixel(12, 12), before);

    f.mouse->Click({50, 35});
    EXPECT_FALSE(f.doc.IsSelectionPresent());
    EXPECT_TRUE(f.Sel().m_rgnSelection.isEmpty());
}

TEST(SelectionTools, ALassoClosesWithinTwoPixelsOfItsFirstPoint) {
    struct Case {
        QPoint last;  // the closing click, relative to the first point
        bool closes;
    };
    const Case cases[] = {{{2, 2}, true},  {{-2, -2}, true}, {{0, 0}, true},
                          {{3, 0}, false}, {{0, -3}, false}, {{2, 3}, false}};
    for (const Case& c : cases) {
        SelectFixture f;
        f.Use(ToolLasso);
        const QPoint first(10, 10);
        f.mouse->Click(first);
        EXPECT_EQ(f.Tool(), ToolLassoDrawing);
        // The last point follows the mouse without a button.
        f.mouse->Move({40, 12});
        EXPECT_EQ(f.view->m_arrPathPoints.back(), QPoint(40, 12));
        f.mouse->Click({40, 12});
        f.mouse->Click({40, 30});
        f.mouse->Click({12, 32});
        f.mouse->Move(first + c.last);
        f.mouse->Click(first + c.last);
        if (c.closes) {
            EXPECT_EQ(f.Tool(), ToolLasso) << c.last.x() << ", " << c.last.y();
            EXPECT_EQ(f.Sel().m_nSelectionState, CSelection::kStateLasso);
            EXPECT_TRUE(f.view->m_arrPathPoints.empty());
            EXPECT_TRUE(f.Selected(25, 20));
            EXPECT_FALSE(f.Selected(45, 20));
            EXPECT_TRUE(f.doc.m_bSelection);
            const CRect want(10, 10, 41, 33);
            EXPECT_EQ(f.doc.m_rcSelection, f.doc.m_rcSelection.Union(want))
                << "the polyline's box holds the selection";
        } else {
            EXPECT_EQ(f.Tool(), ToolLassoDrawing) << c.last.x() << ", " << c.last.y();
            EXPECT_EQ(f.Sel().m_nSelectionState, 0);
        }
    }
}

TEST(SelectionTools, TheRightButtonTakesBackLassoPointsUntilNoneIsLeft) {
    SelectFixture f;
    f.Use(ToolLasso);
    f.mouse->Click({10, 10});
    f.mouse->Click({30, 10});
    ASSERT_EQ(f.view->m_arrPathPoints.size(), 3u);
    f.mouse->Click({25, 25}, Qt::RightButton);
    EXPECT_EQ(f.view->m_arrPathPoints.size(), 2u);
    EXPECT_EQ(f.view->m_arrPathPoints.back(), QPoint(25, 25)) << "now follows the mouse";
    f.mouse->Click({25, 25}, Qt::RightButton);
    EXPECT_TRUE(f.view->m_arrPathPoints.empty());
    EXPECT_EQ(f.Tool(), ToolLasso);
    EXPECT_FALSE(f.doc.IsSelectionPresent());
}

TEST(SelectionTools, AFreeLassoDragSelectsTheAreaItEncloses) {
    SelectFixture f;
    f.Use(ToolFreeLasso);
    f.mouse->Press({10, 5});
    EXPECT_EQ(f.Tool(), ToolFreeLassoDrawing);
    for (QPoint p : {QPoint(50, 5), QPoint(50, 35), QPoint(10, 35)}) {
        f.mouse->Move(p);
    }
    EXPECT_EQ(f.view->m_arrPathPoints.size(), 4u);
    f.mouse->Release({10, 35});
    EXPECT_EQ(f.Tool(), ToolFreeLasso);
    EXPECT_EQ(f.Sel().m_nSelectionState, CSelection::kStateLasso);
    EXPECT_TRUE(f.Selected(30, 20));
    EXPECT_FALSE(f.Selected(55, 20));
    EXPECT_EQ(f.doc.m_rcSelection, CRect(10, 5, 51, 36));
    EXPECT_TRUE(f.view->m_arrPathPoints.empty());

    // A click without a drag encloses nothing and selects nothing.
    f.mouse->Click({2, 38});  // outside: drops the selection
    f.mouse->Click({2, 38});
    EXPECT_FALSE(f.doc.IsSelectionPresent());
}

TEST(SelectionTools, ShiftAddsAndAltSubtractsShapes) {
    struct Case {
        int tool;
        Qt::Key key;
        int combining;  // the state the modifier press turns the tool into
    };
    const Case cases[] = {{ToolRectSelect, Qt::Key_Shift, ToolRectCombine},
                          {ToolRectSelect, Qt::Key_Alt, ToolRectCombine},
                          {ToolEllipseSelect, Qt::Key_Shift, ToolEllipseCombine},
                          {ToolLasso, Qt::Key_Alt, ToolLassoCombine},
                          {ToolFreeLasso, Qt::Key_Shift, ToolFreeLassoCombine}};
    for (const Case& c : cases) {
        SelectFixture f;
        f.Use(ToolRectSelect);
        f.mouse->Drag({10, 10}, {29, 29});
        f.Use(c.tool == ToolRectSelect || c.tool == ToolEllipseSelect ? c.tool : c.tool);
        const bool add = c.key == Qt::Key_Shift;
        f.Key(c.key, true);
        // The second shape overlaps the first on its right: 20..39 x 15..24.
        if (c.tool == ToolLasso) {
            f.mouse->Click({20, 15});
            EXPECT_EQ(f.Tool(), ToolLassoCombineDrawing);
            for (QPoint p : {QPoint(40, 15), QPoint(40, 25), QPoint(20, 25), QPoint(21, 16)}) {
                f.mouse->Move(p);
                f.mouse->Click(p);
            }
        } else if (c.tool == ToolFreeLasso) {
            f.mouse->Press({20, 15});
            EXPECT_EQ(f.Tool(), ToolFreeLassoCombineDrawing);
            for (QPoint p : {QPoint(40, 15), QPoint(40, 25), QPoint(20, 25)}) {
                f.mouse->Move(p);
            }
            f.mouse->Release({20, 25});
        } else {
            f.mouse->Press({20, 15});
            EXPECT_EQ(f.Tool(), c.combining);
            f.mouse->Move({39, 24});
            f.mouse->Release({39, 24});
        }
        f.Key(c.key, false);
        const int drawing = c.tool;
        EXPECT_EQ(f.Tool(), drawing) << "tool " << c.tool;
        EXPECT_TRUE(f.Selected(12, 12)) << "tool " << c.tool;
        EXPECT_EQ(f.Selected(35, 20), add) << "tool " << c.tool << " beyond the first shape";
        EXPECT_EQ(f.Selected(25, 20), add) << "tool " << c.tool << " where both overlap";
        EXPECT_TRUE(f.Selected(25, 27)) << "tool " << c.tool << " below the second shape";
        EXPECT_EQ(f.doc.m_rcSelection, add ? CRect(10, 10, 40, 30) : CRect(10, 10, 30, 30))
            << "tool " << c.tool;
    }
}

TEST(SelectionTools, SubtractingFromALiftedSelectionClearsThoseLiftedPixels) {
    SelectFixture f;
    f.PaintLayer();
    f.Use(ToolRectSelect);
    f.mouse->Drag({10, 10}, {29, 29});
    ASSERT_TRUE(f.doc.LiftSelection());
    f.Key(Qt::Key_Alt, true);
    f.mouse->Drag({20, 10}, {29, 29});
    f.Key(Qt::Key_Alt, false);
    ASSERT_NE(f.doc.m_pFragment, nullptr);
    const Bitmap& fragment = *f.doc.m_pFragment;
    EXPECT_EQ(ArgbAlpha(fragment.GetPixel(5, 5)), 255u) << "kept";
    EXPECT_EQ(fragment.GetPixel(15, 5), 0x00000000u) << "cut out of the fragment";
    EXPECT_TRUE(f.view->Selection().m_pFragmentOriginal->SamePixels(fragment));
    f.doc.DropSelection();
    EXPECT_EQ(ArgbAlpha(f.LayerPixel(15, 15)), 255u);
    EXPECT_EQ(f.LayerPixel(25, 15), 0x00000000u) << "the cut-out pixels are gone";
}

TEST(SelectionTools, CtrlDragMovesTheLiftedPixelsAndUndoPutsThemBack) {
    SelectFixture f;
    f.PaintLayer();
    auto original = f.doc.m_pActiveBitmap->Clone();
    f.Use(ToolRectSelect);
    f.mouse->Drag({10, 10}, {19, 19});
    f.Key(Qt::Key_Control, true);
    f.mouse->Drag({15, 15}, {35, 20});
    f.Key(Qt::Key_Control, false);
    EXPECT_EQ(f.Tool(), ToolRectSelectMove);
    ASSERT_NE(f.doc.m_pFragment, nullptr);
    EXPECT_EQ(f.doc.m_rcSelection, CRect(30, 15, 40, 25));
    EXPECT_EQ(f.LayerPixel(12, 12), 0x00000000u) << "the hole left behind";
    EXPECT_EQ(f.doc.m_pFragment->GetPixel(0, 0), original->GetPixel(10, 10));

    // Dropping puts them down where they were moved to.
    QTest::keyClick(f.view.get(), Qt::Key_Escape);
    EXPECT_EQ(f.doc.m_pFragment, nullptr);
    EXPECT_EQ(f.LayerPixel(30, 15), original->GetPixel(10, 10));
    EXPECT_EQ(f.Tool(), ToolRectSelect);

    // Undo: first the pixels float again at the moved place, then they are back home.
    f.doc.UndoLastEdit();
    ASSERT_NE(f.doc.m_pFragment, nullptr);
    EXPECT_EQ(f.doc.m_rcSelection, CRect(30, 15, 40, 25));
    EXPECT_EQ(f.LayerPixel(12, 12), 0x00000000u);
    f.doc.UndoLastEdit();
    EXPECT_EQ(f.doc.m_pFragment, nullptr);
    EXPECT_EQ(f.doc.m_rcSelection, CRect(10, 10, 20, 20));
    EXPECT_TRUE(SamePixels(*f.doc.m_pActiveBitmap, *original));
}

TEST(SelectionTools, UndoWhileAMovedSelectionWaitsToBeRecordedLosesNothingAfterwards) {
    // After Undo the moved selection's pending entry is stale: recorded by the next command it
    // would bring back the layer with its hole and no pixels to fill it.
    const struct {
        const char* name;
        std::function<void(CPictorraDoc&)> command;
    } commands[] = {
        {"effect",
         [](CPictorraDoc& d) { ApplyEffect(d, *FindEffect(QStringLiteral("grayscale")), {}); }},
        {"select all", [](CPictorraDoc& d) { d.SelectAll(); }},
        {"delete", [](CPictorraDoc& d) { d.DeleteSelection(); }},
        {"crop", [](CPictorraDoc& d) { d.Crop(); }},
        {"cut", [](CPictorraDoc& d) { d.Cut(); }},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.name);
        SelectFixture f;
        f.PaintLayer();
        const auto original = f.doc.m_pActiveBitmap->Clone();
        f.Use(ToolRectSelect);
        f.mouse->Drag({10, 10}, {19, 19});
        f.Key(Qt::Key_Control, true);
        f.mouse->Drag({15, 15}, {35, 20});
        f.Key(Qt::Key_Control, false);
        ASSERT_NE(f.doc.m_pFragment, nullptr);

        f.doc.UndoLastEdit();
        EXPECT_EQ(f.doc.m_pFragment, nullptr);
        EXPECT_TRUE(SamePixels(*f.doc.m_pActiveBitmap, *original));
        // Redo gives the moved pixels back, and Undo takes them away again.
        f.doc.RedoLastEdit();
        ASSERT_NE(f.doc.m_pFragment, nullptr);
        EXPECT_EQ(f.doc.m_rcSelection, CRect(30, 15, 40, 25));
        f.doc.UndoLastEdit();

        // Every step back from the command shows the picture as it was before it: the
        // command's own entry, then the lift's, and no layer with a hole in between.
        c.command(f.doc);
        int steps = 0;
        while (f.doc.CanUndo()) {
            f.doc.UndoLastEdit();
            ++steps;
            std::unique_ptr<Bitmap> holder;
            EXPECT_TRUE(
                SamePixels(*f.doc.LayerPixelsAsShown(*f.doc.ActiveLayer(), &holder), *original))
                << "after " << steps << " steps back";
        }
        EXPECT_EQ(f.doc.m_pFragment, nullptr);
    }
}

TEST(SelectionTools, ResizingFromTheTopLeftHandleStopsTenPixelsFromTheOtherEdges) {
    SelectFixture f;
    f.Use(ToolRectSelect);
    f.mouse->Drag({10, 10}, {29, 29});
    ASSERT_EQ(f.doc.m_rcSelection, CRect(10, 10, 30, 30));
    f.mouse->Press({10, 10});
    EXPECT_EQ(f.view->m_bResizing, 1);
    EXPECT_EQ(f.view->m_nResizeHandle, 1);
    f.mouse->Move({5, 8});
    EXPECT_EQ(f.doc.m_rcSelection, CRect(5, 8, 30, 30));
    EXPECT_TRUE(f.Selected(6, 9)) << "the shapes follow";
    EXPECT_EQ(f.view->StatusText(), QStringLiteral("X: 005 Y: 008 [25, 22]"));
    f.mouse->Move({45, 38});
    EXPECT_EQ(f.doc.m_rcSelection, CRect(20, 20, 30, 30));
    EXPECT_TRUE(f.Selected(20, 20));
    EXPECT_TRUE(f.Selected(29, 29));
    EXPECT_FALSE(f.Selected(19, 25));
    f.mouse->Release({45, 38});
    EXPECT_EQ(f.view->m_bResizing, 0);
    EXPECT_EQ(f.doc.m_rcSelection, CRect(20, 20, 30, 30)) << "the release starts nothing";
    EXPECT_EQ(f.Sel().m_arrShapes.size(), 1u);

    // A lifted selection's pixels are scaled with it.
    f.PaintLayer();
    f.Key(Qt::Key_Control, true);
    f.mouse->Click({25, 25});
    f.Key(Qt::Key_Control, false);
    ASSERT_NE(f.doc.m_pFragment, nullptr);
    const uint32_t corner = f.doc.m_pFragment->GetPixel(9, 9);
    f.mouse->Press({30, 30});
    EXPECT_EQ(f.view->m_nResizeHandle, 5);
    f.mouse->Move({40, 40});
    f.mouse->Release({40, 40});
    QTest::keyClick(f.view.get(), Qt::Key_Escape);
    EXPECT_EQ(f.LayerPixel(39, 39), corner);
}

TEST(SelectionTools, SavingAMovedOrStretchedLiftedSelectionWritesWhatTheWindowShows) {
    const struct {
        const char* file;
        bool stretch;
    } cases[] = {{"a.png", false}, {"a.png", true}, {"a.qpi", false}, {"a.qpi", true}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << (c.stretch ? " stretched" : " moved"));
        SelectFixture f;
        f.PaintLayer();
        f.Use(ToolRectSelect);
        f.mouse->Drag({10, 10}, {29, 29});
        f.Key(Qt::Key_Control, true);
        if (c.stretch) {
            f.mouse->Click({25, 25});
            f.Key(Qt::Key_Control, false);
            f.mouse->Press({30, 30});
            ASSERT_EQ(f.view->m_nResizeHandle, 5);
            f.mouse->Move({45, 36});
            f.mouse->Release({45, 36});
            ASSERT_EQ(f.doc.m_rcSelection, CRect(10, 10, 45, 36));
        } else {
            f.mouse->Drag({15, 15}, {37, 22});
            f.Key(Qt::Key_Control, false);
            ASSERT_EQ(f.doc.m_rcSelection, CRect(32, 17, 52, 37));
        }
        ASSERT_NE(f.doc.m_pFragment, nullptr);

        const QString path = dir.filePath(QString::fromLatin1(c.file));
        ASSERT_TRUE(f.doc.OnSaveDocument(path));
        EXPECT_NE(f.doc.m_pFragment, nullptr) << "the selection stays lifted";
        CPictorraDoc reopened;
        ASSERT_TRUE(reopened.OnOpenDocument(path));
        reopened.OnFrameActivated();
        f.doc.DropSelection();
        EXPECT_TRUE(SamePixels(*reopened.m_pActiveBitmap, *f.doc.m_pActiveBitmap));
    }
}

TEST(SelectionTools, TheCursorShowsTheHandlesOfASelection) {
    SelectFixture f;
    f.Use(ToolRectSelect);
    f.mouse->Drag({10, 10}, {29, 29});
    struct Case {
        QPoint image;
        Qt::CursorShape shape;
    };
    const Case cases[] = {{{10, 20}, Qt::SizeHorCursor},   {{30, 20}, Qt::SizeHorCursor},
                          {{20, 10}, Qt::SizeVerCursor},   {{20, 30}, Qt::SizeVerCursor},
                          {{10, 10}, Qt::SizeFDiagCursor}, {{30, 30}, Qt::SizeFDiagCursor},
                          {{30, 10}, Qt::SizeBDiagCursor}, {{10, 30}, Qt::SizeBDiagCursor},
                          {{20, 20}, Qt::SizeAllCursor}};
    for (const Case& c : cases) {
        EXPECT_EQ(f.view->CursorAt(f.mouse->At(c.image)).shape(), c.shape)
            << c.image.x() << ", " << c.image.y();
    }
}

TEST(ColorPicker, TakesTheLayerOrTheLiftedPixelButNeverATransparentOne) {
    SelectFixture f;
    f.PaintLayer();
    f.Use(ToolRectSelect);
    f.mouse->Drag({10, 10}, {29, 29});
    ASSERT_TRUE(f.doc.LiftSelection());
    // Make a hole in the fragment and paint one lifted pixel.
    f.doc.m_pFragment->SetPixel(2, 2, 0x00000000u);
    f.doc.m_pFragment->SetPixel(4, 4, 0x80123456u);
    f.doc.m_pActiveBitmap->SetPixel(12, 12, 0xFF00FF00u);
    f.Use(ToolColorPicker);
    CDocumentHost& host = f.doc.Host();
    struct Case {
        QPoint at;
        Qt::MouseButton button;
        uint32_t primary, secondary;
        int opacity;  // the colour bar's slider: the picked alpha in percent
    };
    const Case cases[] = {
        {{12, 12}, Qt::LeftButton, 0xFF00FF00u, 0xFFFFFFFFu, 100},  // transparent lifted pixel
        {{14, 14}, Qt::RightButton, 0xFF00FF00u, 0x80123456u, 50},  // a lifted pixel
        {{0, 0},
         Qt::LeftButton,
         f.LayerPixel(0, 0),
         0x80123456u,
         int(f.LayerPixel(0, 0) >> 24) * 100 / 255},  // the picture's corner
        {{40, 5},
         Qt::RightButton,
         f.LayerPixel(0, 0),
         f.LayerPixel(40, 5),
         int(f.LayerPixel(40, 5) >> 24) * 100 / 255},
    };
    for (const Case& c : cases) {
        f.mouse->Click(c.at, c.button);
        EXPECT_EQ(Hex(host.PrimaryColor()), Hex(c.primary)) << c.at.x() << ", " << c.at.y();
        EXPECT_EQ(Hex(host.SecondaryColor()), Hex(c.secondary)) << c.at.x() << ", " << c.at.y();
        EXPECT_EQ(host.Transparency(), c.opacity) << c.at.x() << ", " << c.at.y();
    }
}

namespace {

uint32_t OfHue(int hue) {
    const uint32_t c = ColorHLSToRGB(uint16_t(hue), 120, 240);
    return MakeArgb(255, ColorrefRed(c), ColorrefGreen(c), ColorrefBlue(c));
}

}  // namespace

TEST(HueSelection, OkLiftsThePixelsOfSimilarHueAndLeavesTheSecondaryColour) {
    SelectFixture f;
    // A hue-230 block 10..19 x 10..19 with a hue-5 notch inside it and a hue-80 hole; hue
    // 120 around.
    f.doc.SetLayerBitmap(f.doc.Layer(1), MakeBitmap(60, 40, [](int x, int y) {
                             if (x < 10 || x >= 20 || y < 10 || y >= 20) {
                                 return OfHue(120);
                             }
                             if (x == 15 && y == 15) {
                                 return OfHue(80);
                             }
                             return x == 19 ? OfHue(5) : OfHue(230);
                         }));
    f.doc.RebuildLayerCaches();
    f.doc.Host().SetColors(0xFF000000u, 0xFF0000FFu);
    const uint32_t hole = f.LayerPixel(15, 15);
    const uint32_t notch = f.LayerPixel(19, 12);
    struct Case {
        int range;
        bool ok;
    };
    // Range 0 and Cancel change nothing; OK with range 15 takes the block and the notch.
    for (const Case c : {Case{0, true}, Case{15, false}, Case{15, true}}) {
        f.Use(ToolHueSelect);
        f.mouse->Click({12, 12});
        auto* tool = dynamic_cast<CHueSelectTool*>(f.view->ToolFor(ToolHueSelect));
        ASSERT_NE(tool, nullptr);
        CHueSelectDlg* dialog = tool->Dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Hue Selection"));
        EXPECT_EQ(dialog->Range(), 0);
        dialog->SetRange(c.range);
        if (c.ok) {
            dialog->accept();
        } else {
            dialog->reject();
        }
        QApplication::processEvents();
        EXPECT_EQ(tool->Dialog(), nullptr);
        if (c.range == 0 || !c.ok) {
            EXPECT_EQ(f.Tool(), ToolHueSelect) << c.range;
            EXPECT_FALSE(f.doc.IsSelectionPresent()) << c.range;
            EXPECT_EQ(f.doc.m_pFragment, nullptr) << c.range;
            EXPECT_EQ(f.LayerPixel(12, 12), OfHue(230)) << c.range;
        }
    }
    EXPECT_EQ(f.Tool(), ToolHueSelectMove);
    EXPECT_TRUE(f.doc.IsSelectionPresent());
    EXPECT_EQ(f.doc.m_rcSelection, CRect(10, 10, 20, 20));
    ASSERT_NE(f.doc.m_pFragment, nullptr);
    EXPECT_EQ(f.doc.m_pFragment->GetPixel(2, 2), OfHue(230));
    EXPECT_EQ(f.doc.m_pFragment->GetPixel(9, 2), notch) << "hue 5 is within 15 of 230";
    EXPECT_EQ(f.doc.m_pFragment->GetPixel(5, 5), 0x00000000u) << "the hole is not taken";
    EXPECT_EQ(f.LayerPixel(12, 12), 0xFF0000FFu) << "the secondary colour where it was";
    EXPECT_EQ(f.LayerPixel(15, 15), hole) << "the box's other pixels stay in the layer";

    // The hue selection moves like the others, and the pixels go down where it was moved.
    f.mouse->Drag({15, 15}, {45, 25});
    EXPECT_EQ(f.doc.m_rcSelection, CRect(40, 20, 50, 30));
    QTest::keyClick(f.view.get(), Qt::Key_Escape);
    EXPECT_EQ(f.Tool(), ToolHueSelect);
    EXPECT_EQ(f.LayerPixel(42, 22), OfHue(230));
    EXPECT_EQ(f.LayerPixel(45, 25), OfHue(120)) << "the hole let the picture through";
}

TEST(Scissor, TheOutlineClosesWithinTwoPixelsOfItsFirstPoint) {
    struct Case {
        QPoint last;
        bool closes;
    };
    const Case cases[] = {{{2, 2}, true},  {{-2, 2}, true}, {{2, -2}, true},
                          {{3, 0}, false}, {{0, 3}, false}, {{-3, -3}, false}};
    for (const Case& c : cases) {
        SelectFixture f;
        f.Use(ToolScissor);
        const QPoint first(10, 10);
        f.mouse->Click(first);
        EXPECT_EQ(f.Tool(), ToolScissorDrawing);
        f.mouse->Move({40, 10});
        EXPECT_EQ(f.view->m_arrPathPoints.back(), QPoint(40, 10)) << "follows the mouse";
        f.mouse->Click({40, 10});
        f.mouse->Click({40, 30});
        f.mouse->Click(first + c.last);
        EXPECT_EQ(f.Tool(), c.closes ? ToolScissorClosed : ToolScissorDrawing)
            << c.last.x() << ", " << c.last.y();
        if (c.closes) {
            EXPECT_EQ(f.view->m_arrPathPoints.back(), first);
            EXPECT_EQ(size_t(f.view->m_arrAnchors.back()), f.view->m_arrPathPoints.size() - 1);
            EXPECT_TRUE(f.doc.m_bSelection);
        }
    }
}

TEST(Scissor, TheSegmentsFollowAStrongEdgeAndEnterMakesTheSelection) {
    SelectFixture f;
    // A dark rectangle 15..44 x 10..29 on white.
    const QRect dark(15, 10, 30, 20);
    f.doc.SetLayerBitmap(f.doc.Layer(1), MakeBitmap(60, 40, [&](int x, int y) {
                             return dark.contains(x, y) ? 0xFF303030u : 0xFFF0F0F0u;
                         }));
    f.doc.RebuildLayerCaches();
    auto nearBorder = [&](QPoint p) {
        const int dx = std::min(std::abs(p.x() - dark.left()), std::abs(p.x() - dark.right()));
        const int dy = std::min(std::abs(p.y() - dark.top()), std::abs(p.y() - dark.bottom()));
        const bool alongX = p.x() >= dark.left() - 2 && p.x() <= dark.right() + 2;
        const bool alongY = p.y() >= dark.top() - 2 && p.y() <= dark.bottom() + 2;
        return (dx <= 2 && alongY) || (dy <= 2 && alongX);
    };
    f.Use(ToolScissor);
    // Opposite corners: the straight line would cut through the middle.
    f.mouse->Click({15, 10});
    f.mouse->Click({44, 29});
    f.mouse->Click({15, 29});
    EXPECT_EQ(f.view->m_arrAnchors.size(), 3u);
    f.mouse->Click({16, 11});
    ASSERT_EQ(f.Tool(), ToolScissorClosed);
    for (const QPoint& p : f.view->m_arrPathPoints) {
        EXPECT_TRUE(nearBorder(p)) << p.x() << ", " << p.y();
    }
    QTest::keyClick(f.view.get(), Qt::Key_Return);
    EXPECT_EQ(f.Tool(), ToolScissorMove);
    EXPECT_EQ(f.Sel().m_nSelectionState, CSelection::kStateScissor);
    EXPECT_TRUE(f.view->m_arrPathPoints.empty());
    EXPECT_TRUE(f.view->m_arrAnchors.empty());
    EXPECT_TRUE(f.Selected(30, 20));
    EXPECT_TRUE(f.Selected(17, 12));
    EXPECT_FALSE(f.Selected(30, 33));
    EXPECT_FALSE(f.Selected(5, 5));

    // Dropped, the tool draws again.
    f.mouse->Click({2, 38});
    EXPECT_FALSE(f.doc.IsSelectionPresent());
    EXPECT_EQ(f.Tool(), ToolScissor);
}

TEST(Scissor, TheRightButtonTakesBackSegmentsAndDraggedAnchorsReshapeTheOutline) {
    SelectFixture f;
    f.Use(ToolScissor);
    f.mouse->Click({10, 10});
    f.mouse->Click({40, 10});
    f.mouse->Click({40, 30});
    ASSERT_EQ(f.view->m_arrAnchors.size(), 3u);
    f.mouse->Click({35, 25}, Qt::RightButton);
    EXPECT_EQ(f.view->m_arrAnchors.size(), 2u);
    EXPECT_EQ(f.view->m_arrPathPoints[size_t(f.view->m_arrAnchors.back())], QPoint(40, 10));
    EXPECT_EQ(f.view->m_arrPathPoints.back(), QPoint(35, 25)) << "follows the mouse";
    f.mouse->Click({35, 25}, Qt::RightButton);
    f.mouse->Click({35, 25}, Qt::RightButton);
    EXPECT_TRUE(f.view->m_arrPathPoints.empty());
    EXPECT_EQ(f.Tool(), ToolScissor);

    // A closed triangle; its middle anchor dragged down takes its segments along.
    f.mouse->Click({10, 10});
    f.mouse->Click({40, 10});
    f.mouse->Click({40, 30});
    f.mouse->Click({11, 11});
    ASSERT_EQ(f.Tool(), ToolScissorClosed);
    const size_t anchors = f.view->m_arrAnchors.size();
    f.mouse->Press({41, 11});
    EXPECT_EQ(f.Tool(), ToolScissorEditAnchor);
    EXPECT_EQ(f.view->m_nEditAnchor, 1);
    f.mouse->Move({50, 5});
    f.mouse->Release({50, 5});
    EXPECT_EQ(f.Tool(), ToolScissorClosed);
    ASSERT_EQ(f.view->m_arrAnchors.size(), anchors);
    const auto& points = f.view->m_arrPathPoints;
    const auto& anchor = f.view->m_arrAnchors;
    EXPECT_EQ(points[size_t(anchor[1])], QPoint(50, 5));
    EXPECT_EQ(points[size_t(anchor[2])], QPoint(40, 30)) << "the next anchor shifted with it";
    EXPECT_EQ(size_t(anchor.back()), points.size() - 1);
    for (size_t i = 1; i < points.size(); ++i) {
        EXPECT_LE(std::abs(points[i].x() - points[i - 1].x()), 1) << i;
        EXPECT_LE(std::abs(points[i].y() - points[i - 1].y()), 1) << i;
    }
    // A plain point of the outline becomes an anchor when it is dragged.
    f.mouse->Press(points[size_t(anchor[2]) + 8]);
    EXPECT_EQ(f.view->m_arrAnchors.size(), anchors + 1);
    f.mouse->Release(f.view->m_arrPathPoints[size_t(f.view->m_arrAnchors[3])]);
}
