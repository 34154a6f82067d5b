#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QToolButton>

#include "app/MainFrame.h"
#include "app/MainFrameHost.h"
#include "app/ShellFixture.h"
#include "document/PictorraDoc.h"
#include "document/SelectionCommands.h"
#include "panels/ColorBar.h"
#include "panels/ColorDlg.h"
#include "panels/ExplorerDlg.h"
#include "support/WidgetTesting.h"
#include "ui/CommandIds.h"
#include "ui/CommandRouter.h"

namespace {

// The program started, its colour bar shown.
struct BarFixture {
    BarFixture() {
        shell.FinishStartup();
        shell.Frame().show();
        QApplication::processEvents();
    }
    CColorBar& bar() { return shell.Frame().Colors(); }
    CDocumentHost& host() { return shell.Frame().Host(); }
    void Click(QPoint point, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(bar().Panel(), button, {}, point);
    }

    ShellFixture shell;
};

QPoint Centre(const QRect& r) {
    return r.center();
}

}  // namespace

TEST(ColorBar, StartsBlackOnWhiteAtFullOpacity) {
    BarFixture f;
    EXPECT_EQ(f.bar().windowTitle(), QStringLiteral("Colors"));
    EXPECT_EQ(f.host().PrimaryColor(), 0xFF000000u);
    EXPECT_EQ(f.host().SecondaryColor(), 0xFFFFFFFFu);
    EXPECT_EQ(f.bar().OpacitySlider()->value(), 100);
    EXPECT_EQ(f.bar().OpacitySlider()->minimum(), 0);
    EXPECT_EQ(f.bar().OpacitySlider()->maximum(), 100);
    EXPECT_EQ(f.bar().OpacitySlider()->pageStep(), 10);
    EXPECT_EQ(f.bar().OpacityLabel()->text(), QStringLiteral("100%"));
    EXPECT_TRUE(f.bar().isVisible());
}

// Clicks on the bar: which colour each one sets, with the alpha of the opacity slider.
TEST(ColorBar, PaletteAndSpectrumClicksSetPrimaryOrSecondary) {
    struct Case {
        const char* what;
        int opacity;
        QPoint point;
        Qt::MouseButton button;
        uint32_t primary;
        uint32_t secondary;
    };
    const QPoint white = Centre(CColorBar::PaletteSquare(15));
    const Case cases[] = {
        {"white, left", 100, white, Qt::LeftButton, 0xFFFFFFFF, 0xFFFFFFFF},
        {"white, right", 100, white, Qt::RightButton, 0xFF000000, 0xFFFFFFFF},
        {"maroon, right", 100, Centre(CColorBar::PaletteSquare(1)), Qt::RightButton, 0xFF000000,
         0xFF800000},
        {"red at half opacity", 50, Centre(CColorBar::PaletteSquare(9)), Qt::LeftButton, 0x7FFF0000,
         0x7FFFFFFF},
        {"silver's top-left pixel", 100, CColorBar::PaletteSquare(7).topLeft(), Qt::LeftButton,
         0xFFC0C0C0, 0xFFFFFFFF},
        {"between two squares", 100, CColorBar::PaletteSquare(3).topRight() + QPoint(2, 0),
         Qt::LeftButton, 0xFF000000, 0xFFFFFFFF},
        {"below the spectrum", 100, QPoint(100, 186), Qt::LeftButton, 0xFF000000, 0xFFFFFFFF},
        {"the swatches", 100, QPoint(15, 15), Qt::RightButton, 0xFF000000, 0xFFFFFFFF},
        {"spectrum's white corner", 100, QPoint(40, 40), Qt::LeftButton, 0xFFFFFFFF, 0xFFFFFFFF},
        {"spectrum's black edge", 100, QPoint(120, 181), Qt::RightButton, 0xFF000000, 0xFF000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BarFixture f;
        f.bar().OpacitySlider()->setValue(c.opacity);
        f.Click(c.point, c.button);
        EXPECT_EQ(f.host().PrimaryColor(), c.primary);
        EXPECT_EQ(f.host().SecondaryColor(), c.secondary);
    }
}

TEST(ColorBar, SpectrumGivesThePixelShownUnderTheMouse) {
    BarFixture f;
    const QImage shown = f.bar().Panel()->grab().toImage();
    for (const QPoint point : {QPoint(60, 70), QPoint(111, 111), QPoint(170, 150)}) {
        f.Click(point);
        EXPECT_EQ(f.host().PrimaryColor(), shown.pixel(point)) << point.x() << "," << point.y();
    }
    // The middle row holds pure hues: something strongly coloured, not grey.
    const QColor middle = QColor::fromRgb(f.host().PrimaryColor());
    EXPECT_GT(middle.hsvSaturation(), 200);
}

TEST(ColorBar, OpacitySliderGivesBothColoursItsAlpha) {
    BarFixture f;
    f.host().SetColors(0xFF123456, 0x10ABCDEF);
    const std::pair<int, uint32_t> cases[] = {{50, 127}, {100, 255}, {0, 0}, {20, 51}};
    for (auto [position, alpha] : cases) {
        f.bar().OpacitySlider()->setValue(position);
        EXPECT_EQ(f.bar().OpacityLabel()->text(), QStringLiteral("%1%").arg(position));
        EXPECT_EQ(f.host().PrimaryColor(), alpha << 24 | 0x123456u) << position;
        EXPECT_EQ(f.host().SecondaryColor(), alpha << 24 | 0xABCDEFu) << position;
        EXPECT_EQ(f.host().Transparency(), position);
    }
    // Moving the slider from outside (the colour picker) leaves the colours' alphas alone.
    f.host().SetTransparency(30);
    EXPECT_EQ(f.bar().OpacitySlider()->value(), 30);
    EXPECT_EQ(f.bar().OpacityLabel()->text(), QStringLiteral("30%"));
    EXPECT_EQ(f.host().PrimaryColor(), 0x33123456u);  // still the alpha of 20%
}

// The strips under the slider open the colour dialog on their colour.
TEST(ColorBar, StripClickEditsItsColourInTheColourDialog) {
    struct Case {
        QRect strip;
        bool ok;
        uint32_t primary;
        uint32_t secondary;
    };
    const Case cases[] = {
        {CColorBar::kPrimaryStrip, true, 0xFF00FF00, 0x7F0000FF},
        {CColorBar::kSecondaryStrip, true, 0x7FFF0000, 0xFF00FF00},
        {CColorBar::kPrimaryStrip, false, 0x7FFF0000, 0x7F0000FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.strip.top() << (c.ok ? " OK" : " Cancel"));
        BarFixture f;
        f.host().SetColors(0x7FFF0000, 0x7F0000FF);
        WhenModal([&c](QWidget* modal) {
            auto* dialog = qobject_cast<CColorDlg*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->Edit(ColorField::Hex)->text(), c.strip == CColorBar::kPrimaryStrip
                                                                 ? QStringLiteral("FF0000")
                                                                 : QStringLiteral("0000FF"));
            dialog->Edit(ColorField::Hex)->setFocus();
            dialog->Edit(ColorField::Hex)->setText(QStringLiteral("00FF00"));
            c.ok ? dialog->accept() : dialog->reject();
        });
        f.Click(c.strip.center());
        CancelPendingModalActions();
        EXPECT_EQ(f.host().PrimaryColor(), c.primary);
        EXPECT_EQ(f.host().SecondaryColor(), c.secondary);
    }
}

// "Set Color": the system colour dialog, while a picture is open; the result takes the
// opacity's alpha, and so does the colour after Cancel.
TEST(ColorBar, SetColorButtonsUseTheSystemDialogWhileAPictureIsOpen) {
    BarFixture f;
    CCommandRouter& router = f.shell.Frame().Router();
    router.UpdateAll();
    EXPECT_FALSE(f.bar().SetColorButton(0)->isEnabled());
    EXPECT_EQ(f.bar().SetColorButton(0)->text(), QStringLiteral("Set Color"));

    f.shell.NewPicture(10, 10);
    router.UpdateAll();
    ASSERT_TRUE(f.bar().SetColorButton(1)->isEnabled());
    f.bar().OpacitySlider()->setValue(50);
    f.host().SetColors(0xFF102030, 0xFF405060);
    for (const bool ok : {true, false}) {
        WhenModal([ok](QWidget* modal) {
            auto* dialog = qobject_cast<QColorDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->currentColor(), ok ? QColor(0x40, 0x50, 0x60) : QColor(1, 2, 3));
            dialog->setCurrentColor(QColor(1, 2, 3));
            ok ? dialog->accept() : dialog->reject();
        });
        QTest::mouseClick(f.bar().SetColorButton(1), Qt::LeftButton);
        CancelPendingModalActions();
        EXPECT_EQ(f.host().SecondaryColor(), 0x7F010203u);
        EXPECT_EQ(f.host().PrimaryColor(), 0xFF102030u);
    }
    f.host().SetColors(0xFF102030, 0xFF405060);
    WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    QTest::mouseClick(f.bar().SetColorButton(0), Qt::LeftButton);
    CancelPendingModalActions();
    EXPECT_EQ(f.host().PrimaryColor(), 0x7F102030u);
}

// Whoever sets the colours through the host -- the colour picker, Exchange Color -- the bar
// shows them.
TEST(ColorBar, ShowsColoursSetFromOutside) {
    BarFixture f;
    f.shell.NewPicture(10, 10);
    f.host().SetColors(0xFFFF0000, 0xFF0000FF);
    ASSERT_TRUE(f.shell.Frame().Router().Execute(kCmdExchangeColor));
    EXPECT_EQ(f.host().PrimaryColor(), 0xFF0000FFu);
    EXPECT_EQ(f.host().SecondaryColor(), 0xFFFF0000u);
    const QImage shown = f.bar().Panel()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(14, 14)), QColor(0, 0, 255));   // primary swatch
    EXPECT_EQ(QColor(shown.pixel(26, 26)), QColor(255, 0, 0));   // secondary swatch
    EXPECT_EQ(QColor(shown.pixel(33, 270)), QColor(0, 0, 255));  // the strips
    EXPECT_EQ(QColor(shown.pixel(33, 300)), QColor(255, 0, 0));
}

TEST(ColorBar, StripsShowTheColourOverThePatternWithItsValue) {
    BarFixture f;
    f.host().SetColors(0x00FFFFFF, 0xFF808080);
    const QImage& picture = f.bar().Picture();
    // A transparent primary leaves the pattern: both of its shades appear.
    QSet<QRgb> shades;
    for (int x = 30; x < 50; ++x) {
        shades.insert(picture.pixel(x, 268));
    }
    EXPECT_GE(shades.size(), 2);
    // Mid grey is written in black, the contrasting colour of 128.
    bool black = false;
    for (int y = 290; y < 306; ++y) {
        for (int x = 50; x < 130; ++x) {
            black = black || QColor(picture.pixel(x, y)) == QColor(0, 0, 0);
        }
    }
    EXPECT_TRUE(black);
}

TEST(ExplorerDlg, TurnsToTheNextTipEachMinuteAndWrapsAround) {
    CExplorerDlg browser;
    QTimer* timer = browser.PageTimer();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 60000);
    const QStringList pages = CExplorerDlg::Pages();
    ASSERT_EQ(pages.size(), 5);
    QStringList titles;
    for (int tick = 0; tick <= pages.size(); ++tick) {
        EXPECT_EQ(browser.PageIndex(), tick % pages.size());
        EXPECT_EQ(browser.source().toString(), pages[tick % pages.size()]);
        // Every page is a real tip with a heading of its own.
        EXPECT_GT(browser.toPlainText().size(), 80);
        titles << browser.toPlainText().section(u'\n', 0, 0);
        QTimerEvent tickEvent(timer->timerId());
        QCoreApplication::sendEvent(timer, &tickEvent);
    }
    titles.removeDuplicates();
    EXPECT_EQ(titles.size(), pages.size());
    EXPECT_EQ(browser.focusPolicy(), Qt::NoFocus);
}

// Pictures of the bar and of the main window with it, written to PICTORRA_SCREENSHOT_DIR
// (skipped without it).
TEST(Screenshots, ColorBar) {
    const QString dir = qEnvironmentVariable("PICTORRA_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        GTEST_SKIP() << "set PICTORRA_SCREENSHOT_DIR to write the screenshots";
    }
    BarFixture f;
    f.shell.Frame().resize(1100, 800);
    f.shell.NewPicture(300, 200);
    f.bar().OpacitySlider()->setValue(60);
    f.Click(CColorBar::PaletteSquare(9).center());
    f.Click(CColorBar::PaletteSquare(12).center(), Qt::RightButton);
    QApplication::processEvents();
    EXPECT_TRUE(f.bar().grab().save(dir + QStringLiteral("/color_bar.png")));
    EXPECT_TRUE(f.shell.Frame().grab().save(dir + QStringLiteral("/main_window_colors.png")));
}
