// Saving while a selection is lifted: the file holds what the window shows, the fragment in
// place on its layer, and the document keeps its lifted selection and its history.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "document/LayerThumbnail.h"
#include "document/PictorraDoc.h"
#include "effects/EffectFrame.h"
#include "support/TestPictures.h"

namespace {

enum class Placement { InPlace, Moved, Resized };

// A two-layer picture: a photo-like bottom layer (active) under a half-transparent stripe.
std::unique_ptr<CPictorraDoc> MakeDoc() {
    auto doc = std::make_unique<CPictorraDoc>();
    EXPECT_TRUE(doc->OnNewDocument(64, 48));
    doc->OnFrameActivated();
    doc->SetLayerBitmap(doc->Layer(1), MakePhotoLike(64, 48));
    doc->AddEmptyLayer();
    doc->SetLayerBitmap(doc->Layer(2), MakeBitmap(64, 48, [](int x, int) {
                            return x >= 40 && x < 50 ? 0x8000FF00u : 0u;
                        }));
    doc->SetActiveLayer(1);
    doc->RebuildLayerCaches();
    return doc;
}

// Select a rectangle, turn it grey (which lifts it) and then move or stretch it as the
// selection tools do.
void LiftGreyAndPlace(CPictorraDoc& doc, Placement placement) {
    doc.SelectRectangle(CRect(8, 6, 30, 26));
    ASSERT_TRUE(ApplyEffect(doc, *FindEffect(QStringLiteral("grayscale")), {}));
    ASSERT_TRUE(doc.m_pFragment);
    CSelection& selection = doc.Selection();
    const CRect old = doc.m_rcSelection;
    if (placement == Placement::Moved) {
        doc.m_rcSelection = old.Offset(17, 9);
        selection.Offset(17, 9);
    } else if (placement == Placement::Resized) {
        const CRect next(old.left, old.top, old.left + 35, old.top + 13);
        selection.Scale(QPoint(old.left, old.top), next.Width(), old.Width(), next.Height(),
                        old.Height());
        doc.m_rcSelection = next;
    }
    selection.BuildRegion();
}

}  // namespace

TEST(SaveAsShown, TheFileHoldsTheLiftedSelectionInPlaceAndTheDocumentKeepsIt) {
    const struct {
        const char* file;
        Placement placement;
    } cases[] = {
        {"a.png", Placement::InPlace}, {"a.png", Placement::Moved}, {"a.png", Placement::Resized},
        {"a.qpi", Placement::InPlace}, {"a.qpi", Placement::Moved}, {"a.qpi", Placement::Resized},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << " placement " << int(c.placement));
        auto doc = MakeDoc();
        const auto original = doc->ComposeImage(true);
        LiftGreyAndPlace(*doc, c.placement);
        const auto fragment = doc->m_pFragment->Clone();
        const CRect rect = doc->m_rcSelection;

        const QString path = dir.filePath(QString::fromLatin1(c.file));
        ASSERT_TRUE(doc->OnSaveDocument(path));

        // The window's document is as it was: still lifted, still undoable.
        ASSERT_TRUE(doc->m_pFragment);
        EXPECT_TRUE(SamePixels(*doc->m_pFragment, *fragment));
        EXPECT_EQ(doc->m_rcSelection, rect);
        EXPECT_TRUE(doc->IsSelectionPresent());
        EXPECT_TRUE(doc->CanUndo());
        EXPECT_FALSE(doc->IsModified());

        CPictorraDoc reopened;
        ASSERT_TRUE(reopened.OnOpenDocument(path));
        reopened.OnFrameActivated();

        // What the file should hold: the selection put down where it is shown.
        const auto shown = doc->ComposeImage(true);
        doc->DropSelection();
        const auto dropped = doc->ComposeImage(true);
        EXPECT_TRUE(SamePixels(*shown, *dropped));
        EXPECT_TRUE(SamePixels(*reopened.ComposeImage(true), *dropped));
        if (QString::fromLatin1(c.file).endsWith(QLatin1String(".qpi"))) {
            ASSERT_EQ(reopened.LayerCount(), 2);
            for (int n = 1; n <= 2; ++n) {
                EXPECT_TRUE(SamePixels(*reopened.Layer(n)->m_pBitmap, *doc->Layer(n)->m_pBitmap))
                    << "layer " << n;
            }
        }

        // Undo still takes the steps back to the picture before the grey.
        while (doc->CanUndo()) {
            doc->UndoLastEdit();
        }
        EXPECT_TRUE(SamePixels(*doc->ComposeImage(true), *original));
    }
}

TEST(SaveAsShown, TheLayerThumbnailShowsTheLiftedSelection) {
    for (Placement placement : {Placement::InPlace, Placement::Moved, Placement::Resized}) {
        SCOPED_TRACE(int(placement));
        auto doc = MakeDoc();
        LiftGreyAndPlace(*doc, placement);
        const QSize size(70, 50);
        const QImage lifted = MakeLayerThumbnail(*doc, *doc->Layer(1), size);
        const QImage upper = MakeLayerThumbnail(*doc, *doc->Layer(2), size);
        doc->DropSelection();
        EXPECT_EQ(lifted, MakeLayerThumbnail(*doc, *doc->Layer(1), size));
        // Only the layer under the selection shows it.
        EXPECT_EQ(upper, MakeLayerThumbnail(*doc, *doc->Layer(2), size));
    }
}
