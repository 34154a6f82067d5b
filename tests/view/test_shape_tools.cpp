// The shape, fill, gradient and text tools driven through the view with synthetic mouse and
// key events, offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <algorithm>
#include <functional>

#include "ViewTesting.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/ShellFixture.h"
#include "document/ToolState.h"
#include "paint/TextDraw.h"
#include "panels/ColorBar.h"
#include "panels/SelectTwoColorsDlg.h"
#include "support/TestPictures.h"
#include "support/WidgetTesting.h"
#include "ui/CommandIds.h"
#include "view/tools/TextTool.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;

// A 60 x 40 white picture in a 300 x 200 window, red primary and blue secondary colour.
struct ToolsFixture : ViewFixture {
    ToolsFixture() : ViewFixture(60, 40, {300, 200}) { doc.Host().SetColors(kRed, kBlue); }

    CPictorraView& View() { return *view; }
    Bitmap& Layer() { return *doc.m_pActiveBitmap; }
    void SetTool(int tool) { frame.m_options.m_nTool = tool; }

    // The window point in the middle of image pixel p.
    QPoint At(QPoint p) const { return view->ImageToClient(QRect(p, QSize(1, 1))).center(); }

    void Press(Qt::MouseButton button, QPoint p) {
        QTest::mousePress(view->viewport(), button, {}, At(p));
    }
    void MoveTo(QPoint p) { QTest::mouseMove(view->viewport(), At(p)); }
    void Release(Qt::MouseButton button, QPoint p) {
        QTest::mouseRelease(view->viewport(), button, {}, At(p));
    }
    // A drag through a point between the two ends, as a hand would make it.
    void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
        Press(button, from);
        MoveTo((from + to) / 2);
        MoveTo(to);
        Release(button, to);
    }
    // What the window shows now.
    QImage Screen() { return view->viewport()->grab().toImage(); }
};

// How many pixels of the column x, from y0 to y1, have colour c.
int ColumnRun(const Bitmap& b, int x, int y0, int y1, uint32_t c) {
    int n = 0;
    for (int y = y0; y <= y1; ++y) {
        n += b.GetPixel(x, y) == c;
    }
    return n;
}

}  // namespace

TEST(ShapeTools, FilledRectanglesTakeTheButtonsColoursTheRightButtonSwapsThem) {
    struct Case {
        Qt::MouseButton button;
        uint32_t outline, fill;
    };
    for (const Case& c : {Case{Qt::LeftButton, kRed, kBlue}, Case{Qt::RightButton, kBlue, kRed}}) {
        ToolsFixture f;
        f.SetTool(ToolFilledRectangle);
        f.Drag(c.button, QPoint(5, 5), QPoint(20, 15));
        EXPECT_EQ(Hex(f.Layer().GetPixel(5, 10)), Hex(c.outline)) << c.button;
        EXPECT_EQ(Hex(f.Layer().GetPixel(20, 15)), Hex(c.outline)) << c.button;
        EXPECT_EQ(Hex(f.Layer().GetPixel(12, 10)), Hex(c.fill)) << c.button;
        EXPECT_EQ(f.Layer().GetPixel(21, 10), kWhite) << c.button;
        EXPECT_TRUE(f.doc.CanUndo());
    }
}

TEST(ShapeTools, EachWidthFactorIsThatManyPixelsInThePictureAndTimesTheZoomOnScreen) {
    const int factors[] = {1, 2, 3, 5};
    for (int index = 0; index < 4; ++index) {
        ToolsFixture f;
        f.View().SetZoom(2.0f);
        f.View().ScrollTo(QPoint(0, 0));
        f.SetTool(ToolLine);
        f.frame.m_options.m_nLineWidth[0] = index;
        f.frame.m_options.m_nLineWidth[1] = 3 - index;  // the rectangle's own width is not used
        f.Press(Qt::LeftButton, QPoint(5, 20));
        f.MoveTo(QPoint(25, 20));
        f.MoveTo(QPoint(40, 20));
        // While dragging the line is only on the screen, zoom x factor pixels wide.
        const QImage screen = f.Screen();
        const QPoint column = f.At(QPoint(20, 20));
        int onScreen = 0;
        for (int y = 0; y < screen.height(); ++y) {
            onScreen += screen.pixel(column.x(), y) == kRed;
        }
        EXPECT_EQ(onScreen, 2 * factors[index]) << "index " << index;
        EXPECT_EQ(ColumnRun(f.Layer(), 20, 0, 39, kRed), 0) << "nothing on the layer yet";
        EXPECT_FALSE(f.doc.CanUndo());
        f.Release(Qt::LeftButton, QPoint(40, 20));
        EXPECT_EQ(ColumnRun(f.Layer(), 20, 0, 39, kRed), factors[index]) << "index " << index;
        EXPECT_EQ(f.Layer().GetPixel(41, 20), kWhite);
    }
}

TEST(ShapeTools, ShapesPaintedInASelectionStayInsideItsOutline) {
    ToolsFixture f;
    f.doc.SelectRectangle(CRect{10, 10, 30, 25});
    f.SetTool(ToolFilledEllipse);
    f.Drag(Qt::LeftButton, QPoint(0, 0), QPoint(50, 35));
    ASSERT_NE(f.doc.m_pFragment, nullptr) << "the selection was lifted for the shape";
    auto painted = f.doc.m_pFragment->Clone();
    // Undo gives the picture back as it was before the shape, the selection not lifted.
    f.doc.UndoLastEdit();
    EXPECT_EQ(f.doc.m_pFragment, nullptr);
    EXPECT_TRUE(SamePixels(f.Layer(), *Bitmap::Create(60, 40, kWhite)));
    f.doc.RedoLastEdit();
    ASSERT_NE(f.doc.m_pFragment, nullptr);
    EXPECT_TRUE(SamePixels(*f.doc.m_pFragment, *painted));
    f.doc.DropSelection();
    EXPECT_EQ(f.Layer().GetPixel(20, 17), kBlue);  // the fill, inside the selection
    EXPECT_EQ(f.Layer().GetPixel(25, 5), kWhite);  // the ellipse passes here, outside it
    EXPECT_EQ(f.Layer().GetPixel(8, 17), kWhite);
}

TEST(FillTool, LeftBlendsByTheTransparencyRightFillsWithThePlainSecondary) {
    struct Case {
        const char* name;
        Qt::MouseButton button;
        int percent;
        uint32_t expected;
    };
    const Case cases[] = {
        {"left at 50 %", Qt::LeftButton, 50, 0xFFFF8080},  // red half over the white
        {"left at 100 %", Qt::LeftButton, 100, kRed},
        {"right at 50 %", Qt::RightButton, 50, kBlue},
    };
    for (const Case& c : cases) {
        ToolsFixture f;
        // A black frame around (10, 10) .. (30, 30) on a layer transparent at the right.
        f.doc.SetLayerBitmap(f.doc.Layer(1), MakeBitmap(60, 40, [](int x, int y) {
                                 const bool frame = (x == 10 || x == 30) && y >= 10 && y <= 30;
                                 const bool bar = (y == 10 || y == 30) && x >= 10 && x <= 30;
                                 if (frame || bar) {
                                     return 0xFF000000u;
                                 }
                                 return x >= 50 ? 0x00000000u : kWhite;
                             }));
        f.doc.Host().SetTransparency(c.percent);
        f.SetTool(ToolFill);
        f.Press(c.button, QPoint(20, 20));
        f.Release(c.button, QPoint(20, 20));
        EXPECT_EQ(Hex(f.Layer().GetPixel(11, 29)), Hex(c.expected)) << c.name;
        EXPECT_EQ(f.Layer().GetPixel(10, 20), 0xFF000000u) << c.name;
        EXPECT_EQ(f.Layer().GetPixel(5, 5), kWhite) << c.name;
        EXPECT_EQ(f.Layer().GetPixel(55, 5), kWhite) << c.name << ": the layer became opaque";
    }
}

// Every edit of these tools is one undo entry that gives back the picture exactly, and Redo
// brings the edit back exactly.
TEST(ShapeTools, EachToolsEditIsUndoneAndRedoneExactly) {
    struct Case {
        const char* name;
        int tool;
        std::function<void(ToolsFixture&)> edit;
    };
    auto drag = [](Qt::MouseButton button) {
        return [button](ToolsFixture& f) { f.Drag(button, QPoint(4, 6), QPoint(37, 29)); };
    };
    const Case cases[] = {
        {"line", ToolLine, drag(Qt::LeftButton)},
        {"rectangle", ToolRectangle, drag(Qt::RightButton)},
        {"filled rectangle", ToolFilledRectangle, drag(Qt::LeftButton)},
        {"ellipse", ToolEllipse, drag(Qt::LeftButton)},
        {"filled ellipse", ToolFilledEllipse, drag(Qt::RightButton)},
        {"fill", ToolFill,
         [](ToolsFixture& f) {
             f.Press(Qt::LeftButton, QPoint(30, 30));
             f.Release(Qt::LeftButton, QPoint(30, 30));
         }},
        {"linear gradient", ToolGradient, drag(Qt::LeftButton)},
        {"circular gradient", ToolGradient,
         [&drag](ToolsFixture& f) {
             f.frame.m_options.m_nGradientKind = 1;
             drag(Qt::LeftButton)(f);
         }},
        {"text", ToolText,
         [](ToolsFixture& f) {
             f.Press(Qt::LeftButton, QPoint(10, 20));
             f.Release(Qt::LeftButton, QPoint(10, 20));
             QTest::keyClicks(&f.View(), QStringLiteral("Hi"));
             f.View().FinishTextEntry();
         }},
    };
    for (const Case& c : cases) {
        ToolsFixture f;
        f.doc.SetLayerBitmap(f.doc.Layer(1), MakePhotoLike(60, 40));
        f.frame.m_options.m_nLineWidth = {3, 2, 1, 3, 2};
        f.SetTool(c.tool);
        auto before = f.Layer().Clone();
        c.edit(f);
        auto after = f.Layer().Clone();
        ASSERT_FALSE(SamePixels(*before, *after)) << c.name << " changed nothing";
        f.doc.UndoLastEdit();
        EXPECT_TRUE(SamePixels(f.Layer(), *before)) << c.name;
        EXPECT_FALSE(f.doc.CanUndo()) << c.name << ": one entry";
        f.doc.RedoLastEdit();
        EXPECT_TRUE(SamePixels(f.Layer(), *after)) << c.name;
    }
}

TEST(GradientTool, ADragFromStartToEndRunsBetweenTheColoursAndAClickDoesNothing) {
    ToolsFixture f;
    f.doc.Host().SetColors(0xFF000000, kWhite);
    f.SetTool(ToolGradient);
    auto before = f.Layer().Clone();
    f.Press(Qt::LeftButton, QPoint(20, 20));
    EXPECT_EQ(f.frame.m_options.m_nTool, ToolGradientDragging);
    f.Release(Qt::LeftButton, QPoint(20, 20));
    EXPECT_EQ(f.frame.m_options.m_nTool, ToolGradient);
    EXPECT_TRUE(SamePixels(f.Layer(), *before)) << "start = end changes nothing";
    EXPECT_FALSE(f.doc.CanUndo()) << "and records nothing";

    f.Drag(Qt::LeftButton, QPoint(10, 5), QPoint(50, 5));
    EXPECT_EQ(f.frame.m_options.m_nTool, ToolGradient);
    EXPECT_EQ(f.Layer().GetPixel(3, 30), 0xFF000000u);
    EXPECT_EQ(f.Layer().GetPixel(55, 30), kWhite);
    EXPECT_NEAR(int(ArgbRed(f.Layer().GetPixel(30, 30))), 128, 1);
}

TEST(GradientTool, TheTransparencyScalesBothAlphasAndASelectionKeepsTheGradientInside) {
    ToolsFixture f;
    f.doc.Host().SetColors(0xFF000000, 0xFF000000);
    f.doc.Host().SetTransparency(50);
    f.frame.m_options.m_nGradientKind = 1;
    f.doc.SelectRectangle(CRect{10, 10, 30, 30});
    f.SetTool(ToolGradient);
    f.Drag(Qt::LeftButton, QPoint(20, 20), QPoint(25, 25));
    f.doc.DropSelection();
    // Black at alpha 127 over white, inside the selection only.
    EXPECT_EQ(Hex(f.Layer().GetPixel(12, 12)), Hex(0xFF808080));
    EXPECT_EQ(Hex(f.Layer().GetPixel(20, 20)), Hex(0xFF808080));
    EXPECT_EQ(f.Layer().GetPixel(5, 5), kWhite);
    EXPECT_EQ(f.Layer().GetPixel(35, 20), kWhite);
}

TEST(GradientTool, TheRightButtonChoosesTheColoursAndKeepsTheirAlphasForTheGradient) {
    ToolsFixture f;
    f.doc.Host().SetColors(0xFF102030, 0xFF405060);
    f.View().m_nGradientAlpha1 = 200;
    f.SetTool(ToolGradient);
    uint32_t shown1 = 0, shown2 = 0;
    WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<CSelectTwoColorsDlg*>(w);
        ASSERT_NE(dialog, nullptr);
        shown1 = dialog->Color1();
        shown2 = dialog->Color2();
        dialog->Edit(0, CSelectTwoColorsDlg::A)->setText(QStringLiteral("100"));
        dialog->Edit(1, CSelectTwoColorsDlg::R)->setText(QStringLiteral("255"));
        dialog->accept();
    });
    f.Press(Qt::RightButton, QPoint(20, 20));
    f.Release(Qt::RightButton, QPoint(20, 20));
    CancelPendingModalActions();
    EXPECT_EQ(Hex(shown1), Hex(0xC8102030));
    EXPECT_EQ(Hex(shown2), Hex(0xFF405060));
    EXPECT_EQ(f.View().m_nGradientAlpha1, 100);
    EXPECT_EQ(f.View().m_nGradientAlpha2, 255);
    EXPECT_EQ(Hex(f.doc.Host().PrimaryColor()), Hex(0xFF102030)) << "the colours are opaque";
    EXPECT_EQ(Hex(f.doc.Host().SecondaryColor()), Hex(0xFFFF5060));
    EXPECT_FALSE(f.doc.CanUndo()) << "choosing colours changes no pixels";

    // The next gradient uses the alpha chosen: 100 of 255 black over white at the start.
    f.doc.Host().SetColors(0xFF000000, 0xFF000000);
    f.Drag(Qt::LeftButton, QPoint(10, 5), QPoint(50, 5));
    EXPECT_NEAR(int(ArgbRed(f.Layer().GetPixel(2, 2))), 255 - 100, 1);
}

namespace {

// The white picture of a ToolsFixture with the lines drawn as the text tool draws them.
std::unique_ptr<Bitmap> Written(ToolsFixture& f,
                                const std::vector<std::pair<QPoint, QString>>& lines) {
    auto expected = Bitmap::Create(60, 40, kWhite);
    for (const auto& [at, text] : lines) {
        DrawTextLine(*expected, f.View().m_TextFont, at, text, kRed);
    }
    return expected;
}

CTextTool& TextToolOf(CPictorraView& view) {
    return dynamic_cast<CTextTool&>(*view.ToolFor(ToolText));
}

}  // namespace

TEST(TextTool, BackspaceRedrawsTheLineFromThePictureBeforeIt) {
    ToolsFixture f;
    f.SetTool(ToolText);
    f.Press(Qt::LeftButton, QPoint(5, 20));
    f.Release(Qt::LeftButton, QPoint(5, 20));
    EXPECT_EQ(f.frame.m_options.m_nTool, ToolTextTyping);
    const int h = MeasureText(f.View().m_TextFont, QStringLiteral("0")).height();
    EXPECT_EQ(f.View().m_ptText, QPoint(5, 20 - h / 2));
    QTest::keyClicks(&f.View(), QStringLiteral("ab"));
    QTest::keyClick(&f.View(), Qt::Key_Backspace);
    QTest::keyClicks(&f.View(), QStringLiteral("c"));
    EXPECT_EQ(f.doc.m_strText, QStringLiteral("ac"));
    EXPECT_TRUE(SamePixels(f.Layer(), *Written(f, {{f.View().m_ptText, QStringLiteral("ac")}})))
        << "\"ac\" drawn once, nothing left of the \"b\"";
    // Characters beyond the one-byte range are not typed.
    QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x20AC)));
    QApplication::sendEvent(&f.View(), &euro);
    EXPECT_EQ(f.doc.m_strText, QStringLiteral("ac"));

    // The caret stands after the typed text, as high as the line.
    const QRect caret = TextToolOf(f.View()).CaretOnScreen(f.View());
    const QPoint start = f.View().ImageToClient(QRect(f.View().m_ptText, QSize(1, 1))).topLeft();
    const int typed = MeasureText(f.View().m_TextFont, QStringLiteral("acq")).width() -
                      MeasureText(f.View().m_TextFont, QStringLiteral("q")).width();
    EXPECT_EQ(caret.topLeft(), start + QPoint(typed, 0));
    EXPECT_EQ(caret.width(), 3);
    EXPECT_EQ(caret.height(), MeasureText(f.View().m_TextFont, QStringLiteral("acq")).height());
}

TEST(TextTool, EnterMakesTheLineAStepOfItsOwnAndContinuesBelowIt) {
    ToolsFixture f;
    f.SetTool(ToolText);
    f.Press(Qt::LeftButton, QPoint(5, 10));
    f.Release(Qt::LeftButton, QPoint(5, 10));
    const QPoint first = f.View().m_ptText;
    QTest::keyClicks(&f.View(), QStringLiteral("ab"));
    QTest::keyClick(&f.View(), Qt::Key_Return);
    EXPECT_EQ(f.frame.m_options.m_nTool, ToolTextTyping);
    const QPoint second = f.View().m_ptText;
    EXPECT_EQ(second,
              first + QPoint(0, MeasureText(f.View().m_TextFont, QStringLiteral("ab")).height()));
    QTest::keyClicks(&f.View(), QStringLiteral("cd"));
    // Choosing another tool ends the typing.
    f.View().FinishTextEntry();
    EXPECT_EQ(f.frame.m_options.m_nTool, ToolText);

    const auto both = Written(f, {{first, QStringLiteral("ab")}, {second, QStringLiteral("cd")}});
    const auto firstOnly = Written(f, {{first, QStringLiteral("ab")}});
    const auto blank = Written(f, {});
    EXPECT_TRUE(SamePixels(f.Layer(), *both));
    f.doc.UndoLastEdit();
    EXPECT_TRUE(SamePixels(f.Layer(), *firstOnly)) << "the second line is undone alone";
    f.doc.UndoLastEdit();
    EXPECT_TRUE(SamePixels(f.Layer(), *blank));
    EXPECT_FALSE(f.doc.CanUndo());
    f.doc.RedoLastEdit();
    f.doc.RedoLastEdit();
    EXPECT_TRUE(SamePixels(f.Layer(), *both));
}

TEST(TextTool, APressWithoutTypingLeavesNoStepAndANewPressCommitsTheLine) {
    ToolsFixture f;
    f.SetTool(ToolText);
    f.Press(Qt::LeftButton, QPoint(5, 10));
    f.Release(Qt::LeftButton, QPoint(5, 10));
    f.Press(Qt::LeftButton, QPoint(30, 30));  // nothing typed at the first point
    f.Release(Qt::LeftButton, QPoint(30, 30));
    EXPECT_FALSE(f.doc.CanUndo());
    QTest::keyClicks(&f.View(), QStringLiteral("x "));
    QTest::keyClick(&f.View(), Qt::Key_Backspace);
    QTest::keyClick(&f.View(), Qt::Key_Backspace);  // typed and erased: nothing changed
    f.Press(Qt::LeftButton, QPoint(5, 10));
    EXPECT_FALSE(f.doc.CanUndo());
    QTest::keyClicks(&f.View(), QStringLiteral("y"));
    f.Press(Qt::LeftButton, QPoint(30, 30));  // the "y" becomes a step
    EXPECT_TRUE(f.doc.CanUndo());
    EXPECT_TRUE(f.doc.m_strText.isEmpty());
}

TEST(TextTool, TheFontIsArialOrItsMetricCompatibleSansAndTheFontCommandReplacesIt) {
    ToolsFixture f;
    const QString family = QFontInfo(f.View().m_TextFont).family();
    EXPECT_TRUE(family == QStringLiteral("Arial") || family == QStringLiteral("Liberation Sans"))
        << family.toStdString();
    EXPECT_EQ(f.View().m_TextFont.pointSize(), 10);

    WhenModal([](QWidget* w) {
        auto* dialog = qobject_cast<QFontDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentFont(QFont(QStringLiteral("DejaVu Serif"), 20));
        dialog->accept();
    });
    ASSERT_TRUE(f.View().RunCommand(ID_VIEW_FONT));
    CancelPendingModalActions();
    EXPECT_EQ(f.View().m_TextFont.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(f.View().m_TextFont.pointSize(), 20);
}

TEST(TextTool, TheWindowsEndTheTypingThroughTheDocument) {
    // In the program the document reaches its view's text tool through the main frame: a
    // dropped selection, an effect or a tool command ends the typing as one step.
    ShellFixture shell;
    shell.FinishStartup();
    CChildFrame* child = shell.NewPicture(60, 40);
    ASSERT_NE(child, nullptr);
    CPictorraView& view = child->View();
    CPictorraDoc& doc = child->GetDocument();
    shell.Frame().ToolOptions().m_nTool = ToolText;
    const QPoint at = view.ImageToClient(QRect(10, 10, 1, 1)).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    QTest::keyClicks(&view, QStringLiteral("ab"));
    ASSERT_EQ(doc.m_strText, QStringLiteral("ab"));
    // The opacity slider gives the primary black alpha 127: the line turns grey at once.
    auto darkest = [&doc] {
        int value = 255;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                value = std::min(value, int(ArgbRed(doc.m_pActiveBitmap->GetPixel(x, y))));
            }
        }
        return value;
    };
    ASSERT_LT(darkest(), 60);
    shell.Frame().Colors().OpacitySlider()->setValue(50);
    EXPECT_GE(darkest(), 100);
    EXPECT_EQ(doc.m_strText, QStringLiteral("ab"));
    doc.FinishTextEntry();
    EXPECT_TRUE(doc.m_strText.isEmpty());
    EXPECT_EQ(shell.Frame().ToolOptions().m_nTool, ToolText);
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_TRUE(TextToolOf(view).CaretOnScreen(view).isEmpty());
}
