// The effect frame's flows on a document without windows: what each leaves in the picture and
// in the undo history, with and without a selection.
#include <gtest/gtest.h>

#include <functional>

#include "document/PictorraDoc.h"
#include "effects/Blur.h"
#include "effects/EffectFrame.h"
#include "effects/RandomSequence.h"
#include "effects/SetNoise.h"
#include "platform/Draw.h"
#include "support/TestPictures.h"

namespace {

constexpr int kWidth = 24;
constexpr int kHeight = 16;

// A host that counts the busy cursor's uses.
class CountingHost : public CDocumentHost {
public:
    void BeginBusy() override {
        CDocumentHost::BeginBusy();
        ++m_nBusyCalls;
    }
    int m_nBusyCalls = 0;
};

// A shown document of one layer holding a picture whose alpha varies, so that blending a
// picture over itself (instead of copying it back) would show.
std::unique_ptr<CPictorraDoc> MakeDoc(CDocumentHost* host) {
    auto doc = std::make_unique<CPictorraDoc>(host);
    EXPECT_TRUE(doc->OnNewDocument(kWidth, kHeight));
    doc->OnFrameActivated();
    doc->SetLayerBitmap(doc->ActiveLayer(), MakePhotoLike(kWidth, kHeight, 3));
    return doc;
}

enum class Sel { None, Rectangle, Ellipse };

const char* Name(Sel s) {
    return s == Sel::None ? "no selection" : s == Sel::Rectangle ? "rectangle" : "ellipse";
}

void Select(CPictorraDoc& doc, Sel s) {
    if (s == Sel::Rectangle) {
        doc.SelectRectangle(CRect(3, 2, 15, 11));
    } else if (s == Sel::Ellipse) {
        doc.Selection().Append(CSelectionShape::Ellipse(CRect(2, 1, 20, 14)));
        doc.Selection().m_nSelectionState = CSelection::kStateEllipse;
        doc.m_rcSelection = CRect(2, 1, 20, 14);
        doc.m_bSelection = true;
    }
}

const EffectInfo& Fx(const char* name) {
    const EffectInfo* effect = FindEffect(QString::fromLatin1(name));
    EXPECT_TRUE(effect) << name;
    return *effect;
}

// The layer as the view shows it: a lifted fragment drawn over it at its rectangle.
std::unique_ptr<Bitmap> Shown(const CPictorraDoc& doc) {
    auto shown = doc.m_pActiveBitmap->Clone();
    if (doc.m_pFragment) {
        DrawBitmapRect(*shown, doc.m_rcSelection.ToQRect(), *doc.m_pFragment,
                       doc.m_pFragment->Rect());
    }
    return shown;
}

// What effect with values does to the shown picture: inside the selection's outline only,
// when there is one. The reference lifts by hand and runs the bare algorithm.
std::unique_ptr<Bitmap> Expected(const Bitmap& picture, const CPictorraDoc& shape, Sel s,
                                 const EffectInfo& effect, const std::vector<int>& values,
                                 const EffectContext& context) {
    auto result = picture.Clone();
    if (s == Sel::None) {
        effect.apply(*result, values, context);
        return result;
    }
    const QRegion region = shape.Selection().m_rgnSelection;
    const CRect box = shape.m_rcSelection;
    auto fragment = picture.Copy(box.ToQRect());
    FillOutsideRegion(*fragment, region.translated(-box.left, -box.top));
    effect.apply(*fragment, values, context);
    if (effect.flow == EffectFlow::LivePreview || effect.flow == EffectFlow::PreviewDialog) {
        FillOutsideRegion(*fragment, region.translated(-box.left, -box.top));
    }
    FillRegion(*result, region, 0);
    DrawBitmap(*result, *fragment, box.left, box.top);
    return result;
}

int UndoCount(const CPictorraDoc& doc) {
    return doc.ActiveLayer()->m_History.UndoCount();
}
int RedoCount(const CPictorraDoc& doc) {
    return doc.ActiveLayer()->m_History.RedoCount();
}

// Undo gives back the picture exactly as it was, with the selection not lifted.
::testing::AssertionResult UndoesTo(CPictorraDoc& doc, const Bitmap& before) {
    doc.UndoLastEdit();
    if (doc.m_pFragment) {
        return ::testing::AssertionFailure() << "a fragment is still lifted";
    }
    return SamePixels(*doc.m_pActiveBitmap, before);
}

}  // namespace

TEST(EffectFrame, EffectsAppliedAtOnceChangeTheSelectionOnlyAndUndoInOneStep) {
    for (const char* name : {"sharpen", "blur", "replace-color", "invert"}) {
        for (Sel s : {Sel::None, Sel::Rectangle, Sel::Ellipse}) {
            SCOPED_TRACE(std::string(name) + ", " + Name(s));
            CountingHost host;
            auto doc = MakeDoc(&host);
            host.SetColors(doc->m_pActiveBitmap->GetPixel(5, 5), 0x80FF0000);
            Select(*doc, s);
            const auto before = Shown(*doc);
            const EffectInfo& effect = Fx(name);
            CEffectSession probe(*doc, effect);
            const std::vector<int> values = probe.InitialValues();
            ASSERT_TRUE(ApplyEffect(*doc, effect, values));
            EXPECT_TRUE(SamePixels(*Shown(*doc),
                                   *Expected(*before, *doc, s, effect, values, probe.Context())));
            EXPECT_EQ(UndoCount(*doc), 1);
            EXPECT_GT(host.m_nBusyCalls, 0);
            EXPECT_EQ(host.BusyDepth(), 0);
            const auto after = Shown(*doc);
            EXPECT_TRUE(UndoesTo(*doc, *before));
            doc->RedoLastEdit();
            EXPECT_TRUE(SamePixels(*Shown(*doc), *after));
        }
    }
}

TEST(EffectFrame, EachEffectOnALiftedSelectionIsAStepOfItsOwn) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    Select(*doc, Sel::Ellipse);
    const auto before = Shown(*doc);
    ASSERT_TRUE(ApplyEffect(*doc, Fx("invert"), {1, 1, 1}));
    const auto inverted = Shown(*doc);
    ASSERT_TRUE(ApplyEffect(*doc, Fx("grayscale"), {}));
    EXPECT_EQ(UndoCount(*doc), 2);
    doc->UndoLastEdit();
    ASSERT_TRUE(doc->m_pFragment);
    EXPECT_TRUE(SamePixels(*Shown(*doc), *inverted));
    EXPECT_TRUE(UndoesTo(*doc, *before));
}

TEST(EffectFrame, ASelectionOutsideTheLayerChangesNothing) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    doc->SelectRectangle(CRect(kWidth + 5, 0, kWidth + 9, 4));
    const auto before = doc->m_pActiveBitmap->Clone();
    for (const char* name : {"sharpen", "brightness", "blur", "color-filter"}) {
        const EffectInfo& effect = Fx(name);
        EXPECT_FALSE(ApplyEffect(*doc, effect, CEffectSession(*doc, effect).InitialValues()))
            << name;
        EXPECT_FALSE(doc->IsSelectionPresent()) << name << ": the selection stays";
        doc->SelectRectangle(CRect(kWidth + 5, 0, kWidth + 9, 4));
    }
    EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *before));
}

TEST(EffectFrame, AChangeAToolLeftPendingIsRecordedBeforeTheEffect) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    const auto before = doc->m_pActiveBitmap->Clone();
    // A tool's change previewed on the pending copies, not yet recorded.
    doc->SavePendingUndo();
    doc->m_pActiveBitmap->Clear(0xFF336699);
    const auto painted = doc->m_pActiveBitmap->Clone();
    ASSERT_TRUE(ApplyEffect(*doc, Fx("grayscale"), {}));
    EXPECT_EQ(UndoCount(*doc), 2);
    doc->UndoLastEdit();
    EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *painted));
    EXPECT_TRUE(UndoesTo(*doc, *before));
}

// --- Live adjustments -------------------------------------------------------------------------

TEST(LiveAdjustment, CancelWithoutSelectionLeavesPictureAndHistoryAsBefore) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    // An edit undone: the history holds one entry to redo, which the cancelled dialog keeps.
    ASSERT_TRUE(ApplyEffect(*doc, Fx("grayscale"), {}));
    doc->UndoLastEdit();
    doc->SetModifiedFlag(false);
    const auto before = doc->m_pActiveBitmap->Clone();
    for (const char* name : {"brightness", "contrast", "hsb", "set-noise", "rgb-noise"}) {
        CEffectSession session(*doc, Fx(name));
        ASSERT_EQ(session.Start(session.InitialValues()), CEffectSession::StartResult::Started);
        const int n = int(session.InitialValues().size());
        session.Preview(std::vector<int>(size_t(n), 90));
        session.Preview(std::vector<int>(size_t(n), 20));
        EXPECT_FALSE(SamePixels(*doc->m_pActiveBitmap, *before)) << name << " shows no preview";
        session.Cancel();
        EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *before)) << name;
        EXPECT_EQ(UndoCount(*doc), 0) << name;
        EXPECT_EQ(RedoCount(*doc), 1) << name;
        EXPECT_FALSE(doc->m_pPendingUndo) << name;
        EXPECT_FALSE(doc->IsModified()) << name;
    }
}

TEST(LiveAdjustment, PreviewsStartFromTheUntouchedPixelsAndOkThenUndoRestores) {
    for (Sel s : {Sel::None, Sel::Rectangle, Sel::Ellipse}) {
        SCOPED_TRACE(Name(s));
        CDocumentHost host;
        auto doc = MakeDoc(&host);
        Select(*doc, s);
        const auto before = Shown(*doc);
        const EffectInfo& brightness = Fx("brightness");
        CEffectSession session(*doc, brightness);
        ASSERT_EQ(session.Start({50, 50, 50}), CEffectSession::StartResult::Started);
        // Nothing changes before a control moves.
        EXPECT_TRUE(SamePixels(*Shown(*doc), *before));
        session.Preview({100, 100, 100});
        session.Preview({60, 50, 30});
        const auto expected = Expected(*before, *doc, s, brightness, {60, 50, 30}, {});
        EXPECT_TRUE(SamePixels(*Shown(*doc), *expected));
        session.Accept({60, 50, 30});
        EXPECT_TRUE(SamePixels(*Shown(*doc), *expected));
        EXPECT_EQ(UndoCount(*doc), 1);
        // Nothing stays pending that a later drop of the selection would record.
        EXPECT_FALSE(doc->m_pPendingUndo);
        EXPECT_TRUE(UndoesTo(*doc, *before));
    }
}

TEST(LiveAdjustment, CancelWithASelectionRestoresTheFragmentAndKeepsOneEntry) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    Select(*doc, Sel::Ellipse);
    const auto before = Shown(*doc);
    CEffectSession session(*doc, Fx("contrast"));
    ASSERT_EQ(session.Start({50, 50, 50}), CEffectSession::StartResult::Started);
    ASSERT_TRUE(doc->m_pFragment);
    const auto lifted = doc->m_pFragment->Clone();
    session.Preview({0, 0, 0});
    EXPECT_FALSE(SamePixels(*doc->m_pFragment, *lifted));
    session.Cancel();
    ASSERT_TRUE(doc->m_pFragment);
    EXPECT_TRUE(SamePixels(*doc->m_pFragment, *lifted));
    EXPECT_TRUE(SamePixels(*Shown(*doc), *before));
    EXPECT_EQ(UndoCount(*doc), 1);
    EXPECT_TRUE(UndoesTo(*doc, *before));
}

TEST(LiveAdjustment, NoiseContinuesTheProgramsRandomSequence) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    const auto before = doc->m_pActiveBitmap->Clone();
    host.RandomSequence().SetState(12345);
    CEffectSession session(*doc, Fx("set-noise"));
    ASSERT_EQ(session.Start({0}), CEffectSession::StartResult::Started);
    session.Preview({40});
    const uint32_t state = host.RandomSequence().State();
    session.Preview({40});
    // The second preview draws on from where the first ended, over the untouched pixels.
    auto expected = before->Clone();
    CRandomSequence reference(state);
    SetNoise(*expected, 40, reference);
    EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *expected));
    EXPECT_EQ(host.RandomSequence().State(), reference.State());
    session.Accept({40});
    EXPECT_EQ(host.RandomSequence().State(), reference.State()) << "OK drew again";
}

// --- Setting dialogs --------------------------------------------------------------------------

TEST(SettingDialog, EveryRunAddsAnEntryAndStartsFromTheUntouchedCopy) {
    for (Sel s : {Sel::None, Sel::Ellipse}) {
        for (bool accept : {true, false}) {
            SCOPED_TRACE(std::string(Name(s)) + (accept ? ", OK" : ", Cancel"));
            CDocumentHost host;
            auto doc = MakeDoc(&host);
            Select(*doc, s);
            const auto before = Shown(*doc);
            const EffectInfo& blur = Fx("blur");
            CEffectSession session(*doc, blur);
            ASSERT_EQ(session.InitialValues(), std::vector<int>{3});
            ASSERT_EQ(session.Start({3}), CEffectSession::StartResult::Started);
            EXPECT_TRUE(SamePixels(*Shown(*doc), *Expected(*before, *doc, s, blur, {3}, {})));
            for (int size : {5, 9, 7}) {
                session.Preview({size});
            }
            EXPECT_EQ(UndoCount(*doc), 4);
            EXPECT_EQ(doc->m_nBlurSize, 7);
            const auto blurred = Expected(*before, *doc, s, blur, {7}, {});
            EXPECT_TRUE(SamePixels(*Shown(*doc), *blurred));
            if (accept) {
                session.Accept({7});
                EXPECT_TRUE(SamePixels(*Shown(*doc), *blurred));
            } else {
                session.Cancel();
                EXPECT_TRUE(SamePixels(*Shown(*doc), *before));
            }
            EXPECT_EQ(UndoCount(*doc), 4);
            // Each entry holds the picture the run started from: the untouched one.
            doc->UndoLastEdit();
            EXPECT_TRUE(SamePixels(*Shown(*doc), *before));
        }
    }
}

TEST(SettingDialog, TheDocumentRemembersTheLastSize) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    struct Case {
        const char* effect;
        int* member;
        int used;
    };
    for (const Case& c :
         {Case{"blur", &doc->m_nBlurSize, 9}, Case{"mosaic", &doc->m_nMosaicSize, 6}}) {
        {
            CEffectSession session(*doc, Fx(c.effect));
            EXPECT_EQ(session.InitialValues(), std::vector<int>{*c.member}) << c.effect;
            ASSERT_EQ(session.Start(session.InitialValues()), CEffectSession::StartResult::Started);
            session.Preview({c.used});
            session.Accept({c.used});
        }
        EXPECT_EQ(*c.member, c.used) << c.effect;
        CEffectSession again(*doc, Fx(c.effect));
        EXPECT_EQ(again.InitialValues(), std::vector<int>{c.used}) << c.effect;
    }
    // A remembered value the dialog cannot show is not taken.
    doc->m_nBlurSize = 4;
    EXPECT_EQ(CEffectSession(*doc, Fx("blur")).InitialValues(), std::vector<int>{3});
}

// --- Live preview and dialog-then-apply -------------------------------------------------------

TEST(LivePreview, ColorFilterAppliesAtOnceAndOnlyOkRecords) {
    for (Sel s : {Sel::None, Sel::Ellipse}) {
        for (bool accept : {true, false}) {
            SCOPED_TRACE(std::string(Name(s)) + (accept ? ", OK" : ", Cancel"));
            CDocumentHost host;
            auto doc = MakeDoc(&host);
            host.SetColors(doc->m_pActiveBitmap->GetPixel(8, 6), 0xFF00FF00);
            Select(*doc, s);
            const auto before = Shown(*doc);
            const EffectInfo& filter = Fx("color-filter");
            CEffectSession session(*doc, filter);
            const std::vector<int> initial = session.InitialValues();
            ASSERT_EQ(session.Start(initial), CEffectSession::StartResult::Started);
            EXPECT_TRUE(SamePixels(
                *Shown(*doc), *Expected(*before, *doc, s, filter, initial, session.Context())));
            const std::vector<int> wide{0, 200, 0, 200, 0, 200, 1};
            session.Preview({0, 255, 0, 255, 0, 255, 0});
            session.Preview(wide);
            const auto filtered = Expected(*before, *doc, s, filter, wide, session.Context());
            EXPECT_TRUE(SamePixels(*Shown(*doc), *filtered));
            const int entries = s == Sel::None ? 0 : 1;  // the lift's
            EXPECT_EQ(UndoCount(*doc), entries);
            if (!accept) {
                session.Cancel();
                EXPECT_TRUE(SamePixels(*Shown(*doc), *before));
                EXPECT_EQ(UndoCount(*doc), entries);
                continue;
            }
            session.Accept(wide);
            EXPECT_TRUE(SamePixels(*Shown(*doc), *filtered));
            EXPECT_EQ(UndoCount(*doc), 1);
            EXPECT_TRUE(UndoesTo(*doc, *before));
            doc->RedoLastEdit();
            EXPECT_TRUE(SamePixels(*Shown(*doc), *filtered));
        }
    }
}

TEST(LivePreview, SetTransparencyWorksOnTheLiftedSelectionOnly) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    const auto before = doc->m_pActiveBitmap->Clone();
    {
        CEffectSession session(*doc, Fx("set-transparency"));
        EXPECT_EQ(session.Start({255}), CEffectSession::StartResult::NeedsLayerOpacity);
    }
    EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *before));
    EXPECT_EQ(UndoCount(*doc), 0);

    Select(*doc, Sel::Ellipse);
    CEffectSession session(*doc, Fx("set-transparency"));
    ASSERT_EQ(session.Start({255}), CEffectSession::StartResult::Started);
    session.Preview({0});
    session.Preview({128});
    const CRect box = doc->m_rcSelection;
    const QRegion& region = doc->Selection().m_rgnSelection;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const uint32_t p = before->GetPixel(x, y);
            const uint32_t expected =
                region.contains(QPoint(x, y))
                    ? (p & 0x00FFFFFF) | (uint32_t(float(ArgbAlpha(p)) * float(128 / 255.0)) << 24)
                    : 0u;
            ASSERT_EQ(Hex(doc->m_pFragment->GetPixel(x - box.left, y - box.top)).toStdString(),
                      Hex(expected).toStdString())
                << x << "," << y;
        }
    }
    session.Accept({128});
    EXPECT_EQ(UndoCount(*doc), 1);
    EXPECT_TRUE(UndoesTo(*doc, *before));
}

TEST(DialogThenApply, InvertChangesNothingBeforeOk) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    const auto before = doc->m_pActiveBitmap->Clone();
    {
        CEffectSession session(*doc, Fx("invert"));
        ASSERT_EQ(session.Start({1, 1, 1}), CEffectSession::StartResult::Started);
        session.Preview({1, 0, 0});
        session.Cancel();
    }
    EXPECT_TRUE(SamePixels(*doc->m_pActiveBitmap, *before));
    EXPECT_EQ(UndoCount(*doc), 0);
    CEffectSession session(*doc, Fx("invert"));
    ASSERT_EQ(session.Start({1, 1, 1}), CEffectSession::StartResult::Started);
    EXPECT_TRUE(session.Accept({1, 0, 1}));
    const uint32_t p = before->GetPixel(4, 4);
    EXPECT_EQ(Hex(doc->m_pActiveBitmap->GetPixel(4, 4)).toStdString(),
              Hex(p ^ 0x00FF00FF).toStdString());
    EXPECT_EQ(UndoCount(*doc), 1);
}

TEST(EffectFrame, WithoutWindowsSetTransparencyTakesTheWholeLayer) {
    CDocumentHost host;
    auto doc = MakeDoc(&host);
    const auto before = doc->m_pActiveBitmap->Clone();
    ASSERT_TRUE(ApplyEffect(*doc, Fx("set-transparency"), {0}));
    EXPECT_EQ(ArgbAlpha(doc->m_pActiveBitmap->GetPixel(3, 3)), 0u);
    EXPECT_EQ(UndoCount(*doc), 1);
    EXPECT_TRUE(UndoesTo(*doc, *before));
}
