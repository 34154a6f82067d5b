// The effect dialogs on the offscreen platform: their controls and starting values, the Lock
// box, sliders and edit boxes in step; and the Effects menu driving them in the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/ShellFixture.h"
#include "document/PictorraDoc.h"
#include "effects/EffectDialogs.h"
#include "effects/EffectFrame.h"
#include "panels/SetTransparencyLayerDlg.h"
#include "support/TestPictures.h"
#include "support/WidgetTesting.h"
#include "ui/CommandRouter.h"

namespace {

const EffectInfo& Fx(const char* name) {
    return *FindEffect(QString::fromLatin1(name));
}

// A dialog as its command opens it on doc, with every change it reports collected.
struct OpenDialog {
    std::unique_ptr<CEffectDlg> dialog;
    std::vector<std::vector<int>> changes;

    OpenDialog(CPictorraDoc& doc, const char* name) {
        CEffectSession session(doc, Fx(name));
        dialog = CreateEffectDialog(Fx(name), session.InitialValues(), session.Context());
        dialog->SetChangeHandler([this](const std::vector<int>& v) { changes.push_back(v); });
    }
    template <class T>
    T* Find(const char* objectName) const {
        T* child = dialog->findChild<T*>(QString::fromLatin1(objectName));
        EXPECT_TRUE(child) << objectName;
        return child;
    }
    QString Label(const char* slider) const {
        return Find<QLabel>((std::string(slider) + "Label").c_str())->text();
    }
};

std::unique_ptr<CPictorraDoc> MakeDoc(CDocumentHost* host = nullptr) {
    auto doc = std::make_unique<CPictorraDoc>(host);
    EXPECT_TRUE(doc->OnNewDocument(8, 6));
    doc->OnFrameActivated();
    return doc;
}

std::vector<int> V(std::initializer_list<int> values) {
    return values;
}

// Saves a picture of widget when PICTORRA_SCREENSHOT_DIR names a folder.
void SaveScreenshot(QWidget* widget, const QString& name) {
    if (const QByteArray dir = qgetenv("PICTORRA_SCREENSHOT_DIR"); !dir.isEmpty()) {
        widget->grab().save(QString::fromLocal8Bit(dir) + u'/' + name);
    }
}

}  // namespace

TEST(EffectDialogs, OpenWithTheirCaptionsRangesAndStartingValues) {
    struct Slider {
        const char* name;
        int minimum, maximum, position;
        const char* label;
    };
    struct Case {
        const char* effect;
        const char* caption;
        const char* okText;
        std::vector<Slider> sliders;
        bool lock;
    };
    const std::vector<Slider> rgb{
        {"red", 0, 100, 50, "50%"}, {"green", 0, 100, 50, "50%"}, {"blue", 0, 100, 50, "50%"}};
    const std::vector<Case> cases{
        {"brightness", "Adjust Brightness", "OK", rgb, true},
        {"contrast", "Adjust Contrast", "OK", rgb, true},
        {"hsb",
         "Adjust HSB",
         "OK",
         {{"hue", 0, 100, 50, "50%"},
          {"saturation", 0, 100, 50, "50%"},
          {"brightness", 0, 100, 50, "50%"}},
         false},
        {"rgb-noise", "RGB Noise", "Apply", rgb, true},
        {"set-noise", "Set Strength", "OK", {{"strength", 0, 100, 0, "0%"}}, false},
        {"set-transparency", "Set Transparency", "OK", {{"strength", 0, 255, 255, "255"}}, false},
        // The remembered sizes below: blur 5 (position 2), mosaic 2 (position 1).
        {"blur", "Blur Setting", "OK", {{"size", 1, 4, 2, "5"}}, false},
        {"mosaic", "Mosaic Setting", "OK", {{"size", 1, 150, 1, "2"}}, false},
    };
    auto doc = MakeDoc();
    doc->m_nBlurSize = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.effect);
        OpenDialog d(*doc, c.effect);
        EXPECT_EQ(d.dialog->windowTitle(), QString::fromLatin1(c.caption));
        EXPECT_EQ(d.dialog->OkButton()->text(), QString::fromLatin1(c.okText));
        EXPECT_EQ(d.dialog->CancelButton()->text(), QStringLiteral("Cancel"));
        for (const Slider& s : c.sliders) {
            const QSlider* slider = d.Find<QSlider>(s.name);
            ASSERT_TRUE(slider);
            EXPECT_EQ(slider->minimum(), s.minimum) << s.name;
            EXPECT_EQ(slider->maximum(), s.maximum) << s.name;
            EXPECT_EQ(slider->value(), s.position) << s.name;
            EXPECT_EQ(d.Label(s.name), QString::fromLatin1(s.label));
        }
        const auto* lock = d.dialog->findChild<QCheckBox*>(QStringLiteral("lock"));
        EXPECT_EQ(lock != nullptr, c.lock);
        if (lock) {
            EXPECT_TRUE(lock->isChecked());
        }
        EXPECT_TRUE(d.changes.empty()) << "opening changed the values";
        SaveScreenshot(d.dialog.get(), QStringLiteral("effect-%1.png").arg(c.effect));
    }

    OpenDialog invert(*doc, "invert");
    EXPECT_EQ(invert.dialog->windowTitle(), QStringLiteral("Invert Colors"));
    for (const char* box : {"red", "green", "blue"}) {
        EXPECT_TRUE(invert.Find<QCheckBox>(box)->isChecked()) << box;
    }
    invert.Find<QCheckBox>("green")->click();
    EXPECT_EQ(invert.dialog->Values(), V({1, 0, 1}));
}

TEST(EffectDialogs, LockTiesTheThreeSlidersTogether) {
    auto doc = MakeDoc();
    OpenDialog d(*doc, "brightness");
    auto* red = d.Find<QSlider>("red");
    auto* green = d.Find<QSlider>("green");
    auto* blue = d.Find<QSlider>("blue");
    auto* lock = d.Find<QCheckBox>("lock");

    green->setValue(70);
    EXPECT_EQ(red->value(), 70);
    EXPECT_EQ(blue->value(), 70);
    EXPECT_EQ(d.Label("red"), QStringLiteral("70%"));
    ASSERT_EQ(d.changes.size(), 1u) << "one recomputation per move";
    EXPECT_EQ(d.changes.back(), V({70, 70, 70}));

    lock->click();  // off: nothing to recompute
    EXPECT_EQ(d.changes.size(), 1u);
    blue->setValue(20);
    EXPECT_EQ(red->value(), 70);
    EXPECT_EQ(d.changes.back(), V({70, 70, 20}));
    red->setValue(90);
    EXPECT_EQ(d.changes.back(), V({90, 70, 20}));

    lock->click();  // on again: green and blue take red's position at once
    EXPECT_EQ(green->value(), 90);
    EXPECT_EQ(blue->value(), 90);
    EXPECT_EQ(d.Label("blue"), QStringLiteral("90%"));
    EXPECT_EQ(d.changes.back(), V({90, 90, 90}));
    EXPECT_EQ(d.changes.size(), 4u);
}

TEST(EffectDialogs, SettingSlidersGiveTheSizes) {
    auto doc = MakeDoc();
    struct Case {
        const char* effect;
        int position;
        int size;
    };
    for (const Case& c :
         {Case{"blur", 1, 3}, Case{"blur", 4, 9}, Case{"mosaic", 150, 151}, Case{"mosaic", 7, 8}}) {
        OpenDialog d(*doc, c.effect);
        auto* slider = d.Find<QSlider>("size");
        EXPECT_FALSE(slider->hasTracking()) << "every run is a history entry";
        slider->setValue(c.position == slider->value() ? c.position + 1 : c.position);
        slider->setValue(c.position);
        EXPECT_EQ(d.changes.back(), V({c.size})) << c.effect << " at " << c.position;
        EXPECT_EQ(d.Label("size"), QString::number(c.size));
    }
}

TEST(ColorFilterDlg, EditsAndSlidersStayInStep) {
    CDocumentHost host;
    host.SetColors(0xFF102030, 0xFFFFFFFF);
    auto doc = MakeDoc(&host);
    OpenDialog d(*doc, "color-filter");
    auto* dlg = static_cast<CColorFilterDlg*>(d.dialog.get());
    const int start[] = {16, 16, 32, 32, 48, 48};
    for (int b = 0; b < CColorFilterDlg::kBounds; ++b) {
        EXPECT_EQ(dlg->BoundEdit(b)->text(), QString::number(start[b])) << b;
        EXPECT_EQ(dlg->BoundSlider(b)->value(), start[b]) << b;
    }
    EXPECT_TRUE(dlg->KeepButton()->isChecked());
    EXPECT_FALSE(dlg->SynchronousBox()->isChecked());
    EXPECT_TRUE(d.changes.empty());
    SaveScreenshot(dlg, QStringLiteral("effect-color-filter.png"));

    struct Typed {
        int bound;
        const char* text;
        std::vector<int> values;  // afterwards: rmin rmax gmin gmax bmin bmax mode
        const char* shown;        // the edit box afterwards
    };
    const Typed typing[] = {
        {1, "300", {16, 255, 32, 32, 48, 48, 0}, "255"},   // above 255: 255
        {0, "200", {200, 255, 32, 32, 48, 48, 0}, "200"},  // a minimum below the maximum
        {1, "100", {100, 100, 32, 32, 48, 48, 0}, "100"},  // the minimum follows a lower maximum
        {2, "90", {100, 100, 90, 90, 48, 48, 0}, "90"},    // the maximum follows a higher minimum
        {4, "-7", {100, 100, 90, 90, 0, 48, 0}, "0"},      // below 1: 0
        {5, "abc", {100, 100, 90, 90, 0, 0, 0}, "0"},      // no number: 0
    };
    for (const Typed& t : typing) {
        QLineEdit* edit = dlg->BoundEdit(t.bound);
        edit->setText(QString::fromLatin1(t.text));
        EXPECT_EQ(dlg->Values(), t.values) << t.text;
        EXPECT_EQ(edit->text(), QString::fromLatin1(t.shown)) << t.text;
        for (int b = 0; b < CColorFilterDlg::kBounds; ++b) {
            EXPECT_EQ(dlg->BoundSlider(b)->value(), t.values[size_t(b)]) << t.text << " " << b;
        }
        EXPECT_EQ(d.changes.back(), t.values) << t.text;
    }

    // A slider writes its edit box; with "Synchronously" the same bound of the other
    // channels moves by as much.
    dlg->BoundSlider(3)->setValue(120);
    EXPECT_EQ(dlg->Values(), V({100, 100, 90, 120, 0, 0, 0}));
    EXPECT_EQ(dlg->BoundEdit(3)->text(), QStringLiteral("120"));
    dlg->SynchronousBox()->click();
    dlg->BoundSlider(3)->setValue(130);
    EXPECT_EQ(dlg->Values(), V({100, 110, 90, 130, 0, 10, 0}));
    EXPECT_EQ(dlg->BoundEdit(5)->text(), QStringLiteral("10"));
    EXPECT_EQ(dlg->BoundSlider(1)->value(), 110);

    // The range buttons act on all three channels; the modes are the last value.
    d.Find<QPushButton>("defaultColor")->click();
    EXPECT_EQ(dlg->Values(), V({16, 16, 32, 32, 48, 48, 0}));
    d.Find<QPushButton>("increase10")->click();
    EXPECT_EQ(dlg->Values(), V({6, 26, 22, 42, 38, 58, 0}));
    dlg->BoundEdit(0)->setText(QStringLiteral("100"));
    dlg->BoundEdit(1)->setText(QStringLiteral("106"));
    d.Find<QPushButton>("decrease5")->click();
    EXPECT_EQ(dlg->Values(), V({103, 103, 27, 37, 43, 53, 0}));
    dlg->EraseButton()->click();
    EXPECT_EQ(d.changes.back().back(), 1);
    EXPECT_EQ(dlg->BoundEdit(0)->text(), QStringLiteral("103"));
}

// --- In the program ---------------------------------------------------------------------------

namespace {

// The program with one picture open, photo-like, through New.
struct EffectShell : ShellFixture {
    CPictorraDoc* doc = nullptr;
    std::unique_ptr<Bitmap> picture;

    EffectShell() {
        FinishStartup();
        NewPicture(16, 12);
        doc = &ActiveDoc();
        picture = MakePhotoLike(16, 12, 5, false);
        doc->SetLayerBitmap(doc->ActiveLayer(), picture->Clone());
        doc->RebuildLayerCaches();
    }
    bool Run(int id) { return Frame().Router().Execute(id); }
};

QStringList MenuIds(const QMenu* menu) {
    QStringList items;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            items << QStringLiteral("-");
        } else if (a->menu()) {
            items << a->text() + u':' + MenuIds(a->menu()).join(u' ');
        } else {
            items << QString::number(a->data().toInt());
        }
    }
    return items;
}

}  // namespace

TEST(EffectsMenu, HoldsTheRegistrysCommandsInGroups) {
    EffectShell shell;
    QMenu* effects = nullptr;
    for (QAction* a : shell.Frame().menuBar()->actions()) {
        if (a->text() == QStringLiteral("&Effects")) {
            effects = a->menu();
        }
    }
    ASSERT_TRUE(effects);
    EXPECT_EQ(MenuIds(effects).join(u' '),
              QStringLiteral("32806 32807 32809 32812 32813 Swap:32924 32925 32926 32961 32938 "
                             "33001 - 32814 32815 32842 32843 32845 32846 32844 32810 - 32927 "
                             "32958 32960"));
    CCommandRouter& router = shell.Frame().Router();
    EXPECT_EQ(router.Find(32806)->text(), QStringLiteral("Adjust &Brightness..."));
    router.UpdateAll();
    EXPECT_TRUE(router.Find(32814)->isEnabled());
    shell.Active()->CloseWithoutAsking();
    ASSERT_TRUE(ProcessEventsUntil([&] { return shell.Frame().ActiveChild() == nullptr; }));
    EXPECT_FALSE(router.Query(32814).IsEnabled()) << "an effect without a picture";
}

TEST(EffectsMenu, ADirectEffectIsOneUndoStep) {
    EffectShell shell;
    ASSERT_TRUE(shell.Run(32813));  // Gray Scale
    const uint32_t p = shell.picture->GetPixel(3, 4);
    const uint32_t g = (ArgbRed(p) + ArgbGreen(p) + ArgbBlue(p)) / 3;
    EXPECT_EQ(Hex(shell.doc->m_pActiveBitmap->GetPixel(3, 4)).toStdString(),
              Hex(MakeArgb(ArgbAlpha(p), g, g, g)).toStdString());
    EXPECT_EQ(shell.doc->Host().BusyDepth(), 0);
    EXPECT_FALSE(QApplication::overrideCursor()) << "the busy cursor stayed";
    ASSERT_TRUE(shell.Run(57643));  // Undo
    EXPECT_TRUE(SamePixels(*shell.doc->m_pActiveBitmap, *shell.picture));
}

TEST(EffectsMenu, ALiveDialogPreviewsInTheDocumentAndCancelRestores) {
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        EffectShell shell;
        uint32_t shown = 0;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CAdjustBrightnessDlg*>(modal);
            ASSERT_TRUE(dialog) << modal->metaObject()->className();
            dialog->findChild<QSlider*>(QStringLiteral("red"))->setValue(100);
            shown = shell.doc->m_pActiveBitmap->GetPixel(0, 0);
            (ok ? dialog->OkButton() : dialog->CancelButton())->click();
        });
        ASSERT_TRUE(shell.Run(32806));
        const uint32_t p = shell.picture->GetPixel(0, 0);
        auto up = [](uint32_t c) { return std::min(c + 150, 255u); };
        const uint32_t bright =
            MakeArgb(ArgbAlpha(p), up(ArgbRed(p)), up(ArgbGreen(p)), up(ArgbBlue(p)));
        EXPECT_EQ(Hex(shown).toStdString(), Hex(bright).toStdString()) << "no preview";
        if (ok) {
            EXPECT_EQ(shell.doc->m_pActiveBitmap->GetPixel(0, 0), bright);
            ASSERT_TRUE(shell.doc->CanUndo());
            shell.Run(57643);
        } else {
            EXPECT_FALSE(shell.doc->CanUndo());
        }
        EXPECT_TRUE(SamePixels(*shell.doc->m_pActiveBitmap, *shell.picture));
    }
}

TEST(EffectsMenu, BlurRunsAtEverySizeChosenAndTheDocumentKeepsIt) {
    EffectShell shell;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CBlurDlg*>(modal);
        ASSERT_TRUE(dialog);
        auto* slider = dialog->findChild<QSlider*>(QStringLiteral("size"));
        slider->setValue(2);
        slider->setValue(4);
        dialog->OkButton()->click();
    });
    ASSERT_TRUE(shell.Run(32810));
    EXPECT_EQ(shell.doc->m_nBlurSize, 9);
    EXPECT_EQ(shell.doc->ActiveLayer()->m_History.UndoCount(), 3);
    WhenModal([&](QWidget* modal) {
        auto* slider = modal->findChild<QSlider*>(QStringLiteral("size"));
        ASSERT_TRUE(slider);
        EXPECT_EQ(slider->value(), 4);
        static_cast<QDialog*>(modal)->reject();
    });
    ASSERT_TRUE(shell.Run(32810));
    EXPECT_FALSE(SamePixels(*shell.doc->m_pActiveBitmap, *shell.picture))
        << "Cancel took back the accepted blur";
}

TEST(EffectsMenu, SetTransparencyWithoutSelectionOpensTheLayerDialog) {
    EffectShell shell;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CSetTransparencyLayerDlg*>(modal);
        ASSERT_TRUE(dialog) << modal->metaObject()->className();
        dialog->StrengthSlider()->setValue(40);
        dialog->accept();
    });
    ASSERT_TRUE(shell.Run(33001));
    EXPECT_EQ(shell.doc->ActiveLayer()->m_nOpacity, 40);
    EXPECT_TRUE(SamePixels(*shell.doc->m_pActiveBitmap, *shell.picture));

    shell.doc->SelectRectangle(CRect(2, 2, 10, 8));
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CSetTransparencyFragmentDlg*>(modal);
        ASSERT_TRUE(dialog) << modal->metaObject()->className();
        dialog->findChild<QSlider*>(QStringLiteral("strength"))->setValue(0);
        dialog->OkButton()->click();
    });
    ASSERT_TRUE(shell.Run(33001));
    ASSERT_TRUE(shell.doc->m_pFragment);
    EXPECT_EQ(ArgbAlpha(shell.doc->m_pFragment->GetPixel(3, 3)), 0u);
}
