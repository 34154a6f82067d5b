#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/ShellFixture.h"
#include "document/PictorraDoc.h"
#include "panels/LayerDialog.h"
#include "panels/LayerProp.h"
#include "panels/LayerTile.h"
#include "panels/SetTransparencyLayerDlg.h"
#include "support/TestPictures.h"
#include "support/WidgetTesting.h"

namespace {

// The program with a picture of count layers, each filled with its own colour, the first one
// active; the layers panel shows them.
struct PanelFixture {
    explicit PanelFixture(int count) {
        shell.FinishStartup();
        child = shell.NewPicture(20, 10);
        CPictorraDoc& d = doc();
        for (int n = 2; n <= count; ++n) {
            d.SetActiveLayer(n - 1);
            d.AddEmptyLayer();
        }
        for (int n = 1; n <= count; ++n) {
            d.SetLayerBitmap(d.Layer(n), Bitmap::Create(20, 10, 0xFF000000u | uint32_t(n)));
        }
        d.SetActiveLayer(1);
        QApplication::processEvents();
    }
    CPictorraDoc& doc() { return child->GetDocument(); }
    CLayerDialog& panel() { return shell.Frame().LayerBar(); }
    // The bitmaps' marks from the first layer up.
    std::vector<uint32_t> Order() {
        std::vector<uint32_t> order;
        for (int n = 1; n <= doc().LayerCount(); ++n) {
            order.push_back(doc().Layer(n)->m_pBitmap->GetPixel(0, 0) & 0xFF);
        }
        return order;
    }

    ShellFixture shell;
    CChildFrame* child = nullptr;
};

}  // namespace

TEST(LayerDialog, ShowsTheActiveDocumentsLayersAndHoldsTheSharedNumber) {
    PanelFixture f(3);
    CLayerDialog& panel = f.panel();
    EXPECT_EQ(panel.Document(), &f.doc());
    EXPECT_EQ(f.doc().m_pActiveLayerNumber, panel.ActiveNumberStore());
    ASSERT_NE(panel.Tile(2), nullptr);
    EXPECT_EQ(panel.Tile(3), nullptr);
    EXPECT_EQ(panel.Tile(1)->pos(), QPoint(0, 60));

    // The active tile is framed red, the others are not.
    f.doc().SetActiveLayer(2);
    QApplication::processEvents();
    for (int i = 0; i < 3; ++i) {
        const QImage tile = panel.Tile(i)->grab().toImage();
        EXPECT_EQ(QColor(tile.pixel(4, 30)) == QColor(255, 0, 0), i == 1) << "tile " << i;
    }

    // The "V" box hides and shows the layer.
    QCheckBox* box = panel.Tile(2)->VisibleBox();
    EXPECT_TRUE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(f.doc().Layer(3)->m_bVisible, 0);
    f.doc().SetLayerVisible(f.doc().Layer(3), true);
    EXPECT_TRUE(box->isChecked()) << "the box follows changes made elsewhere";

    // Closing the picture leaves the panel empty.
    f.child->CloseWithoutAsking();
    QApplication::processEvents();
    EXPECT_EQ(panel.Document(), nullptr);
    EXPECT_EQ(panel.Tile(0), nullptr);
}

TEST(LayerDialog, TenLayersInAPanel300PixelsHighScrollByWholeTiles) {
    PanelFixture f(10);
    CLayerDialog& panel = f.panel();
    panel.setFloating(true);
    panel.TileArea()->setFixedHeight(300);
    panel.Refill();
    EXPECT_EQ(panel.ScrollMaximum(), 5);
    for (int position : {1, 5, 9}) {
        panel.SetScrollPosition(position);
        const int shown = std::min(position, 5);
        EXPECT_EQ(panel.ScrollPosition(), shown);
        EXPECT_EQ(panel.Tile(0)->y(), -60 * shown);
        EXPECT_EQ(panel.Tile(7)->y(), 60 * (7 - shown));
    }
    // A height that is not a whole number of tiles: the last tile can still be shown whole.
    panel.TileArea()->setFixedHeight(290);
    panel.Refill();
    EXPECT_EQ(panel.ScrollMaximum(), 6);
    panel.SetScrollPosition(6);
    EXPECT_LE(panel.Tile(9)->geometry().bottom(), 289);
}

TEST(LayerDialog, DropGapsAroundTheDraggedTileChangeNothing) {
    PanelFixture f(4);
    CLayerDialog& panel = f.panel();
    // The gap nearest to the drop point; half a tile belongs to the gap above.
    const std::pair<int, int> gaps[] = {{-20, 0}, {10, 0}, {30, 0}, {31, 1}, {95, 2}, {400, 4}};
    for (auto [y, gap] : gaps) {
        EXPECT_EQ(panel.GapAt(y), gap) << y;
    }
    const std::vector<uint32_t> start = f.Order();
    // Dragging the second tile into the gap just above it and just below it.
    for (int gap : {1, 2}) {
        panel.OnTilePressed(1);
        EXPECT_EQ(panel.DropGap(), 1) << "a press alone drops where it started";
        panel.OnDragMove({20, gap * 60 + 5});
        EXPECT_EQ(panel.DropGap(), gap);
        panel.OnDragRelease();
        EXPECT_EQ(f.Order(), start) << "gap " << gap;
        EXPECT_EQ(f.doc().ActiveLayerNumber(), 2);
    }
    // Into the gap below the third tile: the layer lands there and stays active.
    panel.OnTilePressed(1);
    panel.OnDragMove({20, 3 * 60});
    panel.OnDragRelease();
    EXPECT_EQ(f.Order(), (std::vector<uint32_t>{1, 3, 2, 4}));
    EXPECT_EQ(f.doc().ActiveLayerNumber(), 3);
    // A plain click on a tile with the mouse: active, nothing moved.
    QTest::mouseClick(panel.Tile(3), Qt::LeftButton, {}, {20, 30});
    QApplication::processEvents();
    EXPECT_EQ(f.doc().ActiveLayerNumber(), 4);
    EXPECT_EQ(f.Order(), (std::vector<uint32_t>{1, 3, 2, 4}));
}

TEST(LayerDialog, RightClickActivatesTheTileAndDropsTheSelectionBeforeTheMenu) {
    PanelFixture f(3);
    CLayerDialog& panel = f.panel();
    f.doc().SelectRectangle(CRect{2, 2, 8, 8});
    ASSERT_TRUE(f.doc().LiftSelection());
    int activeWhenShown = 0;
    bool selectionWhenShown = true;
    QStringList items;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        activeWhenShown = f.doc().ActiveLayerNumber();
        selectionWhenShown = f.doc().IsSelectionPresent();
        for (QAction* action : menu->actions()) {
            items << action->text();
        }
        menu->close();
    });
    QTest::mouseClick(panel.Tile(2), Qt::RightButton, {}, {20, 30});
    EXPECT_EQ(activeWhenShown, 3);
    EXPECT_FALSE(selectionWhenShown);
    EXPECT_EQ(f.doc().m_pFragment, nullptr) << "the lifted pixels went back";
    EXPECT_EQ(items, (QStringList{"Add Empty layer", "Add duplicate layer", "Delete Layer", "",
                                  "Options..."}));
}

TEST(LayerDialog, LayerOptionsChangeTheLayerLiveAndCancelRestoresIt) {
    PanelFixture f(2);
    CLayerFrame* layer = f.doc().Layer(2);
    layer->m_nOpacity = 80;
    struct Case {
        bool accept;
        int opacityAfter;
        int visibleAfter;
    };
    for (const Case c : {Case{false, 80, 1}, Case{true, 35, 0}}) {
        layer->m_nOpacity = 80;
        layer->m_bVisible = 1;
        int liveOpacity = -1;
        QString label;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CLayerProp*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Layer Options"));
            EXPECT_EQ(dialog->OpacitySlider()->value(), 80);
            dialog->OpacitySlider()->setValue(35);
            dialog->VisibleBox()->setChecked(false);
            liveOpacity = layer->m_nOpacity;
            label = dialog->ValueLabel()->text();
            c.accept ? dialog->accept() : dialog->reject();
        });
        f.panel().OnTileDoubleClicked(1);
        EXPECT_EQ(liveOpacity, 35) << "the slider changes the layer while the dialog is open";
        EXPECT_EQ(label, QStringLiteral("35"));
        EXPECT_EQ(layer->m_nOpacity, c.opacityAfter) << "accept " << c.accept;
        EXPECT_EQ(layer->m_bVisible, c.visibleAfter) << "accept " << c.accept;
    }
}

TEST(LayerDialog, SetTransparencyCancelPutsTheOpacityBack) {
    PanelFixture f(1);
    CLayerFrame* layer = f.doc().Layer(1);
    for (bool accept : {false, true}) {
        layer->m_nOpacity = 60;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CSetTransparencyLayerDlg*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Set Transparency"));
            dialog->StrengthSlider()->setValue(10);
            EXPECT_EQ(layer->m_nOpacity, 10);
            accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(RunSetTransparencyLayerDlg(f.doc(), f.child), accept);
        EXPECT_EQ(layer->m_nOpacity, accept ? 10 : 60);
    }
}
