#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "panels/ColorDlg.h"
#include "support/WidgetTesting.h"

namespace {

using F = ColorField;

// The dialog shown and active, so that an edit can take the focus as a user's click gives it.
struct ShownColorDlg {
    explicit ShownColorDlg(uint32_t start) : color(start), dialog(color) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&dialog);
    }
    // Clicks into the edit and types text over what it holds.
    void Type(F field, const QString& text) {
        QLineEdit* edit = dialog.Edit(field);
        edit->setFocus(Qt::MouseFocusReason);
        ASSERT_EQ(dialog.Source(), int(field) + 1) << "the edit did not take the focus";
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // The seven edits' texts, R G B H S V hex.
    QStringList Texts() const {
        QStringList texts;
        for (F f : {F::Red, F::Green, F::Blue, F::Hue, F::Saturation, F::Value, F::Hex}) {
            texts << dialog.Edit(f)->text();
        }
        return texts;
    }

    uint32_t color;
    CColorDlg dialog;
};

QStringList Split(const char* texts) {
    return QString::fromLatin1(texts).split(u' ');
}

}  // namespace

TEST(ColorDlg, OpensWithTheColourInEveryForm) {
    uint32_t color = 0x7F10C0FF;
    CColorDlg dialog(color);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Color"));
    EXPECT_EQ(dialog.Edit(F::Red)->text(), QStringLiteral("16"));
    EXPECT_EQ(dialog.Edit(F::Green)->text(), QStringLiteral("192"));
    EXPECT_EQ(dialog.Edit(F::Blue)->text(), QStringLiteral("255"));
    EXPECT_EQ(dialog.Edit(F::Hue)->text(), QStringLiteral("195"));
    EXPECT_EQ(dialog.Edit(F::Saturation)->text(), QStringLiteral("93"));
    EXPECT_EQ(dialog.Edit(F::Value)->text(), QStringLiteral("100"));
    EXPECT_EQ(dialog.Edit(F::Hex)->text(), QStringLiteral("10C0FF"));
    EXPECT_EQ(dialog.Source(), 0);
}

// What the user types into one edit, and all seven edits afterwards.
TEST(ColorDlg, TypingLimitsTheFieldAndRecomputesTheOthers) {
    struct Case {
        uint32_t start;
        F field;
        const char* typed;
        const char* after;  // R G B H S V hex
    };
    const Case cases[] = {
        {0xFF000000, F::Red, "300", "255 0 0 0 100 100 FF0000"},
        {0xFF000000, F::Hex, "FF0000", "255 0 0 0 100 100 FF0000"},
        {0xFF000000, F::Hex, "ff8000", "255 128 0 30 100 100 ff8000"},  // kept as typed
        {0xFF000000, F::Hex, "1000000", "255 255 255 0 0 100 FFFFFF"},
        {0xFF808080, F::Green, "128", "128 128 128 0 0 50 808080"},
        {0xFF000000, F::Blue, "-5", "0 0 0 0 0 0 000000"},
        {0xFFFF0000, F::Hue, "120", "0 255 0 120 100 100 00FF00"},
        {0xFFFF0000, F::Hue, "999", "255 0 0 360 100 100 FF0000"},
        {0xFFFF0000, F::Value, "50", "127 0 0 0 100 50 7F0000"},
        {0xFFFF0000, F::Saturation, "0", "255 255 255 0 0 100 FFFFFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << std::hex << c.start << " " << int(c.field) << " " << c.typed);
        ShownColorDlg shown(c.start);
        shown.Type(c.field, QString::fromLatin1(c.typed));
        EXPECT_EQ(shown.Texts(), Split(c.after));
    }
}

// A change in an edit that does not have the focus is kept but recomputes nothing.
TEST(ColorDlg, OnlyTheFocusedEditRecomputesTheOthers) {
    ShownColorDlg shown(0xFF000000);
    shown.dialog.Edit(F::Hex)->setFocus(Qt::MouseFocusReason);
    shown.dialog.Edit(F::Red)->setText(QStringLiteral("200"));
    EXPECT_EQ(shown.dialog.Value(F::Red), 200);
    EXPECT_EQ(shown.Texts(), Split("200 0 0 0 0 0 000000"));
    // Losing the focus ends being the source.
    shown.dialog.Edit(F::Hex)->clearFocus();
    EXPECT_EQ(shown.dialog.Source(), 0);
}

TEST(ColorDlg, TextThatIsNoNumberIsRefused) {
    ShownColorDlg shown(0xFF123456);
    // Keys that can make no hexadecimal number are not taken.
    shown.Type(F::Hex, QStringLiteral("GZ"));
    EXPECT_EQ(shown.dialog.Edit(F::Hex)->text(), QString());
    // A text put in some other way (pasted, set) goes back to the last value.
    shown.Type(F::Hex, QStringLiteral("ABCDEF"));
    shown.dialog.Edit(F::Hex)->setText(QStringLiteral("12 34"));
    EXPECT_EQ(shown.Texts(), Split("171 205 239 210 28 93 ABCDEF"));
    shown.dialog.Edit(F::Red)->setText(QStringLiteral("1e3"));
    EXPECT_EQ(shown.dialog.Edit(F::Red)->text(), QStringLiteral("171"));
    EXPECT_EQ(shown.dialog.Value(F::Red), 171);
}

TEST(ColorDlg, OkWritesTheColourOpaqueAndCancelLeavesIt) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        ShownColorDlg shown(0x7F102030);
        shown.Type(F::Green, QStringLiteral("255"));
        ok ? shown.dialog.accept() : shown.dialog.reject();
        EXPECT_EQ(shown.color, ok ? 0xFF10FF30u : 0x7F102030u);
    }
    // Unchanged, OK still makes the colour fully opaque.
    ShownColorDlg shown(0x7F102030);
    shown.dialog.accept();
    EXPECT_EQ(shown.color, 0xFF102030u);
}
