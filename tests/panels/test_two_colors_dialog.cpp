#include <gtest/gtest.h>

#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "panels/SelectTwoColorsDlg.h"
#include "support/WidgetTesting.h"

namespace {

using D = CSelectTwoColorsDlg;
constexpr uint32_t kColor1 = 0x80FF2000;  // half-transparent orange-red
constexpr uint32_t kColor2 = 0xFF0010C0;  // opaque blue

QString Hex(uint32_t color) {
    return QStringLiteral("%1").arg(color, 8, 16, QLatin1Char('0'));
}

// Every control shows the colour's components.
void ExpectShows(const D& dialog, int color, uint32_t argb) {
    const int comps[4] = {int(argb >> 24), int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF),
                          int(argb & 0xFF)};
    for (D::Component c : {D::A, D::R, D::G, D::B}) {
        SCOPED_TRACE(testing::Message() << "colour " << color << " component " << int(c));
        EXPECT_EQ(dialog.ComponentOf(color, c), comps[c]);
        EXPECT_EQ(dialog.Slider(color, c)->value(), comps[c]);
        EXPECT_EQ(dialog.Edit(color, c)->text(), QString::number(comps[c]));
    }
    EXPECT_EQ(dialog.HexEdit(color)->text(), Hex(argb));
}

}  // namespace

TEST(SelectTwoColorsDlg, StartsWithBothColoursOnEveryControl) {
    D dialog(QImage(), kColor1, kColor2);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Gradient Color"));
    EXPECT_EQ(dialog.Color1(), kColor1);
    EXPECT_EQ(dialog.Color2(), kColor2);
    ExpectShows(dialog, 0, kColor1);
    ExpectShows(dialog, 1, kColor2);
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(dialog.Slider(c, D::A)->minimum(), 0);
        EXPECT_EQ(dialog.Slider(c, D::A)->maximum(), 255);
    }
    EXPECT_EQ(dialog.ChooseButton(0)->text(), QStringLiteral("First Color..."));
    EXPECT_EQ(dialog.ChooseButton(1)->text(), QStringLiteral("Second Color..."));
}

// Each way of changing one component changes that component alone and every control follows.
TEST(SelectTwoColorsDlg, EditsSlidersAndHexChangeOneColour) {
    struct Case {
        const char* what;
        std::function<void(D&)> change;
        int color;
        uint32_t expected;
    };
    const Case cases[] = {
        {"typed red", [](D& d) { d.Edit(0, D::R)->setText(QStringLiteral("17")); }, 0, 0x80112000},
        {"typed above 255 becomes 255",
         [](D& d) {
             d.Edit(1, D::G)->clear();
             QTest::keyClicks(d.Edit(1, D::G), QStringLiteral("300"));
         },
         1, 0xFF00FFC0},
        {"letters are not typed",
         [](D& d) { QTest::keyClicks(d.Edit(1, D::B), QStringLiteral("x")); }, 1, kColor2},
        {"alpha slider", [](D& d) { d.Slider(1, D::A)->setValue(7); }, 1, 0x070010C0},
        {"blue slider", [](D& d) { d.Slider(0, D::B)->setValue(255); }, 0, 0x80FF20FF},
        {"hex AARRGGBB",
         [](D& d) {
             d.HexEdit(0)->setText(QStringLiteral("C0123456"));
             emit d.HexEdit(0)->editingFinished();
         },
         0, 0xC0123456},
        {"short hex padded with zeros",
         [](D& d) {
             d.HexEdit(1)->setText(QStringLiteral("ff"));
             emit d.HexEdit(1)->editingFinished();
         },
         1, 0x000000FF},
        {"emptied hex is put back",
         [](D& d) {
             d.HexEdit(1)->clear();
             emit d.HexEdit(1)->editingFinished();
         },
         1, kColor2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        D dialog(QImage(), kColor1, kColor2);
        c.change(dialog);
        const uint32_t other = c.color == 0 ? kColor2 : kColor1;
        EXPECT_EQ(c.color == 0 ? dialog.Color1() : dialog.Color2(), c.expected);
        EXPECT_EQ(c.color == 0 ? dialog.Color2() : dialog.Color1(), other);
        ExpectShows(dialog, c.color, c.expected);
        ExpectShows(dialog, 1 - c.color, other);
    }
}

TEST(SelectTwoColorsDlg, PreviewRunsFromColourOneAtTheTopToColourTwoAtTheBottom) {
    QImage background(300, 300, QImage::Format_ARGB32);
    background.fill(QColor(0, 255, 0));
    D dialog(background, 0xFFFF0000, 0x00000000);
    const QImage preview = dialog.PreviewImage();
    ASSERT_EQ(preview.size(), QSize(270, 270));
    // Opaque red on top; the transparent end lets the green background through.
    EXPECT_EQ(QColor(preview.pixel(135, 0)), QColor(255, 0, 0));
    EXPECT_GE(QColor(preview.pixel(135, 269)).green(), 250);
    EXPECT_LE(QColor(preview.pixel(135, 269)).red(), 4);
    const QColor middle(preview.pixel(135, 135));
    EXPECT_NEAR(middle.red(), 128, 12);
    EXPECT_NEAR(middle.green(), 128, 12);
}

TEST(SelectTwoColorsDlg, SystemColourDialogSetsRedGreenBlueAndKeepsAlpha) {
    D dialog(QImage(), kColor1, kColor2);
    WhenModal([](QWidget* modal) {
        auto* box = qobject_cast<QColorDialog*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->currentColor(), QColor(0xFF, 0x20, 0x00));
        box->setCurrentColor(QColor(1, 2, 3));
        box->accept();
    });
    QTest::mouseClick(dialog.ChooseButton(0), Qt::LeftButton);
    CancelPendingModalActions();
    EXPECT_EQ(dialog.Color1(), 0x80010203u);
    EXPECT_EQ(dialog.Color2(), kColor2);
    ExpectShows(dialog, 0, 0x80010203u);
}

TEST(SelectTwoColorsDlg, OkGivesBothColoursAndCancelKeepsThem) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        uint32_t color1 = kColor1;
        uint32_t color2 = kColor2;
        WhenModal([ok](QWidget* modal) {
            auto* dialog = qobject_cast<D*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->Slider(0, D::G)->setValue(0x44);
            dialog->Slider(1, D::A)->setValue(0x55);
            ok ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(RunSelectTwoColorsDlg(QImage(), color1, color2, nullptr), ok);
        CancelPendingModalActions();
        EXPECT_EQ(color1, ok ? 0x80FF4400u : kColor1);
        EXPECT_EQ(color2, ok ? 0x550010C0u : kColor2);
    }
}
