#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/PreferenceDialog.h"
#include "app/ShellFixture.h"
#include "app/ToolCommands.h"
#include "document/PictorraDoc.h"
#include "panels/LayerDialog.h"
#include "support/TestPictures.h"
#include "support/WidgetTesting.h"
#include "ui/BarIcons.h"
#include "ui/BmpWnd.h"
#include "ui/CommandIds.h"
#include "ui/CommandRouter.h"
#include "view/PictorraView.h"
#include "view/ViewCursors.h"

namespace {

// The object names of the option bars shown now.
QStringList ShownOptionBars(const CMainFrame& frame) {
    QStringList shown;
    for (int i = 0; i < CMainFrame::kOptionBarCount; ++i) {
        if (!frame.OptionBar(i)->isHidden()) {
            shown << frame.OptionBar(i)->objectName();
        }
    }
    return shown;
}

// The tool commands whose buttons are checked now.
std::vector<int> CheckedTools(CMainFrame& frame) {
    std::vector<int> checked;
    for (const CToolCommand& tool : ToolCommands()) {
        if (frame.Router().Query(tool.id).Checked().value_or(false)) {
            checked.push_back(tool.id);
        }
    }
    return checked;
}

// What the program is like once the window shows: no splash, the window at a usual size.
struct Shell : ShellFixture {
    Shell() {
        FinishStartup();
        Frame().showNormal();
        Frame().resize(1100, 750);
        QApplication::processEvents();
    }
    CCommandRouter& Router() { return Frame().Router(); }
    CToolOptions& Options() { return Frame().ToolOptions(); }
    // The idle update of the commands, as the event loop runs it.
    void Idle() { Router().UpdateAll(); }
};

}  // namespace

TEST(ToolCommands, EachSetsItsStateChecksOnlyItsButtonAndShowsOnlyItsOptionBar) {
    struct Case {
        int id;
        int state;
        const char* optionBar;  // "" for none
    };
    const Case cases[] = {
        {ID_TOOL_PENCIL, ToolPencil, "PencilBar"},
        {ID_TOOL_LINE, ToolLine, "LineWidthBar"},
        {ID_TOOL_RECTANGLE, ToolRectangle, "LineWidthBar"},
        {ID_TOOL_FILLED_RECTANGLE, ToolFilledRectangle, "LineWidthBar"},
        {ID_TOOL_ELLIPSE, ToolEllipse, "LineWidthBar"},
        {ID_TOOL_FILLED_ELLIPSE, ToolFilledEllipse, "LineWidthBar"},
        {ID_TOOL_RECT_SELECT, ToolRectSelect, ""},
        {ID_TOOL_ELLIPSE_SELECT, ToolEllipseSelect, ""},
        {ID_TOOL_LASSO, ToolLasso, ""},
        {ID_TOOL_FREE_LASSO, ToolFreeLasso, ""},
        {ID_TOOL_SCISSOR, ToolScissor, ""},
        {ID_TOOL_HUE_SELECT, ToolHueSelect, ""},
        {ID_TOOL_COLOR_SELECT, ToolColorPicker, ""},
        {ID_TOOL_TEXT, ToolText, ""},
        {ID_TOOL_FILL, ToolFill, ""},
        {ID_TOOL_BLUR, ToolBlur, "BlurBar"},
        {ID_TOOL_ERASE, ToolEraser, "EraserBar"},
        {ID_TOOL_SPRAY, ToolSpray, "SprayBar"},
        {ID_TOOL_BRUSH, ToolBrush, "BrushBar"},
        {ID_TOOL_STAMP, ToolStampPickSource, "StampBar"},
        {ID_TOOL_GRADIENT, ToolGradient, "GradientBar"},
        {ID_TOOL_MOVE_LAYER, ToolMoveLayer, ""},
    };
    Shell shell;
    shell.NewPicture(40, 30);
    // The case list covers every button of the "Tools" bar.
    EXPECT_EQ(shell.Frame().ToolsBar()->actions().size() - 2, qsizetype(std::size(cases)));
    for (const Case& c : cases) {
        // From the brush, whose bar must go unless it is the tool's own.
        shell.Router().Execute(ID_TOOL_BRUSH);
        ASSERT_TRUE(shell.Router().Execute(c.id)) << c.id;
        shell.Idle();
        EXPECT_EQ(shell.Options().m_nTool, c.state) << c.id;
        EXPECT_EQ(CheckedTools(shell.Frame()), std::vector<int>{c.id}) << c.id;
        EXPECT_TRUE(shell.Router().Command(c.id)->isChecked()) << c.id;
        const QStringList expected =
            *c.optionBar ? QStringList{QLatin1String(c.optionBar)} : QStringList{};
        EXPECT_EQ(ShownOptionBars(shell.Frame()), expected) << c.id;
    }
}

TEST(ToolCommands, ButtonsStayCheckedInTheStatesTheirToolMovesThrough) {
    struct Case {
        int state;
        int checked;  // 0: none
    };
    const Case cases[] = {
        {ToolRectSelectMove, ID_TOOL_RECT_SELECT},
        {ToolRectCombine, ID_TOOL_RECT_SELECT},
        {ToolEllipseSelectMove, ID_TOOL_ELLIPSE_SELECT},
        {ToolLassoDrawing, ID_TOOL_LASSO},
        {ToolLassoCombineDrawing, ID_TOOL_LASSO},
        {ToolFreeLassoMove, ID_TOOL_FREE_LASSO},
        {ToolScissorClosed, ID_TOOL_SCISSOR},
        {ToolScissorEditAnchor, ID_TOOL_SCISSOR},
        {ToolHueSelectMove, ID_TOOL_HUE_SELECT},
        {ToolTextTyping, ID_TOOL_TEXT},
        {ToolSpraying, ID_TOOL_SPRAY},
        {ToolStampSourceSet, ID_TOOL_STAMP},
        {ToolStampPainting, ID_TOOL_STAMP},
        {ToolGradientDragging, ID_TOOL_GRADIENT},
        {ToolMoveLayerDragging, ID_TOOL_MOVE_LAYER},
        {ToolRegionZoom, 0},
    };
    Shell shell;
    for (const Case& c : cases) {
        shell.Options().m_nTool = c.state;
        const std::vector<int> expected =
            c.checked ? std::vector<int>{c.checked} : std::vector<int>{};
        EXPECT_EQ(CheckedTools(shell.Frame()), expected) << c.state;
    }
    shell.NewPicture(20, 20);
    shell.Options().m_nTool = ToolRegionZoom;
    EXPECT_TRUE(shell.Router().Query(ID_VIEW_REGION_ZOOM).Checked().value_or(false));
}

TEST(ToolCommands, OnlyTheLayerMoverAndHueSelectionDropTheSelection) {
    struct Case {
        int id;
        bool drops;
    };
    const Case cases[] = {
        {ID_TOOL_MOVE_LAYER, true},   {ID_TOOL_HUE_SELECT, true}, {ID_TOOL_PENCIL, false},
        {ID_TOOL_RECT_SELECT, false}, {ID_TOOL_BRUSH, false},     {ID_TOOL_GRADIENT, false},
    };
    Shell shell;
    CPictorraDoc& doc = shell.NewPicture(40, 30)->GetDocument();
    for (const Case& c : cases) {
        doc.SelectRectangle(CRect{5, 5, 20, 15});
        ASSERT_TRUE(doc.IsSelectionPresent());
        shell.Router().Execute(c.id);
        EXPECT_EQ(!doc.IsSelectionPresent(), c.drops) << c.id;
    }
}

TEST(ToolCommands, TheCursorOverThePictureChangesWithTheToolAtOnce) {
    Shell shell;
    CPictorraView& view = shell.NewPicture(40, 30)->View();
    QTest::mouseMove(view.viewport(), view.ImageToClient(QRect(20, 15, 1, 1)).center());
    const auto shownCursor = [&view] { return view.viewport()->cursor().pixmap().toImage(); };
    for (const auto& [id, cursor] :
         {std::pair{ID_TOOL_FILL, ViewCursor::Fill}, std::pair{ID_TOOL_PENCIL, ViewCursor::Pencil},
          std::pair{ID_TOOL_ERASE, ViewCursor::Eraser}}) {
        shell.Router().Execute(id);
        EXPECT_EQ(shownCursor(), NamedCursor(cursor).pixmap().toImage()) << id;
    }
}

TEST(OptionBars, ButtonsSetTheirOptionAndAreCheckedWhileItHoldsTheirValue) {
    struct Case {
        int tool;  // the tool command chosen first
        int id;
        int CToolOptions::*member;
        int value;
    };
    const Case cases[] = {
        {ID_TOOL_PENCIL, ID_PENCIL_TIP_0, &CToolOptions::m_nPencilShape, 0},
        {ID_TOOL_PENCIL, ID_PENCIL_TIP_1, &CToolOptions::m_nPencilShape, 1},
        {ID_TOOL_PENCIL, ID_PENCIL_TIP_4, &CToolOptions::m_nPencilShape, 4},
        {ID_TOOL_PENCIL, 32917, &CToolOptions::m_nPencilShape, 9},
        {ID_TOOL_ERASE, ID_ERASER_SIZE_0 + 3, &CToolOptions::m_nEraserSize, 3},
        {ID_TOOL_SPRAY, ID_SPRAY_SIZE_0 + 2, &CToolOptions::m_nSpraySize, 2},
        {ID_TOOL_BLUR, ID_BLUR_SIZE_0 + 1, &CToolOptions::m_nBlurToolSize, 1},
        {ID_TOOL_BRUSH, ID_BRUSH_SIZE_0 + 3, &CToolOptions::m_nBrushSize, 3},
        {ID_TOOL_STAMP, ID_STAMP_SIZE_0 + 2, &CToolOptions::m_nStampSize, 2},
        {ID_TOOL_GRADIENT, ID_GRADIENT_CIRCULAR, &CToolOptions::m_nGradientKind, 1},
        {ID_TOOL_GRADIENT, ID_GRADIENT_LINEAR, &CToolOptions::m_nGradientKind, 0},
    };
    Shell shell;
    for (const Case& c : cases) {
        shell.Router().Execute(c.tool);
        // Click the button on its bar, as the user does.
        QToolBar* bar = nullptr;
        for (int i = 0; i < CMainFrame::kOptionBarCount && !bar; ++i) {
            if (shell.Frame().OptionBar(i)->actions().contains(shell.Router().Command(c.id))) {
                bar = shell.Frame().OptionBar(i);
            }
        }
        ASSERT_NE(bar, nullptr) << c.id;
        ASSERT_FALSE(bar->isHidden()) << c.id;
        QWidget* button = bar->widgetForAction(shell.Router().Command(c.id));
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(shell.Options().*c.member, c.value) << c.id;
        for (QAction* action : bar->actions()) {
            EXPECT_EQ(shell.Router().Query(action->data().toInt()).Checked().value_or(false),
                      action == shell.Router().Command(c.id))
                << c.id << " " << action->text().toStdString();
        }
    }
}

TEST(OptionBars, WidthButtonsChangeOnlyTheCurrentShapeToolsWidth) {
    Shell shell;
    shell.Router().Execute(ID_TOOL_RECTANGLE);
    shell.Router().Execute(ID_LINE_WIDTH_0 + 1);
    shell.Router().Execute(ID_TOOL_LINE);
    shell.Router().Execute(ID_LINE_WIDTH_0 + 3);
    EXPECT_EQ(shell.Options().m_nLineWidth, (std::array<int, 5>{3, 1, 0, 0, 0}));
    EXPECT_TRUE(shell.Router().Query(ID_LINE_WIDTH_0 + 3).Checked().value_or(false));
    shell.Router().Execute(ID_TOOL_RECTANGLE);
    EXPECT_TRUE(shell.Router().Query(ID_LINE_WIDTH_0 + 1).Checked().value_or(false));
    EXPECT_FALSE(shell.Router().Query(ID_LINE_WIDTH_0 + 3).Checked().value_or(false));

    // In other states the width buttons do nothing and none is checked.
    shell.Router().Execute(ID_TOOL_PENCIL);
    shell.Router().Execute(ID_LINE_WIDTH_0 + 2);
    EXPECT_EQ(shell.Options().m_nLineWidth, (std::array<int, 5>{3, 1, 0, 0, 0}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(shell.Router().Query(ID_LINE_WIDTH_0 + i).Checked().value_or(false)) << i;
    }
}

TEST(OptionBars, FollowTheToolThatAltParksAndStatesSetWithoutACommand) {
    Shell shell;
    shell.NewPicture(40, 30);
    shell.Router().Execute(ID_TOOL_BRUSH);
    // Alt over the view: the colour picker for a while, the brush's sizes stay on offer.
    shell.Options().m_nParkedTool = ToolBrush;
    shell.Options().m_nTool = ToolColorPicker;
    shell.Idle();
    EXPECT_EQ(ShownOptionBars(shell.Frame()), QStringList{"BrushBar"});
    // A state the tools enter themselves.
    shell.Options().m_nParkedTool = 0;
    shell.Options().m_nTool = ToolSpraying;
    shell.Idle();
    EXPECT_EQ(ShownOptionBars(shell.Frame()), QStringList{"SprayBar"});
    shell.Router().Execute(ID_VIEW_REGION_ZOOM);
    shell.Idle();
    EXPECT_EQ(ShownOptionBars(shell.Frame()), QStringList{});
}

TEST(StatusBar, PaneTwoHintsAtTheCurrentToolAndPaneOneFollowsTheCursor) {
    const QString selecting = QStringLiteral(
        "SHIFT - Add region, ALT - Delete region, CTRL - Cut Selection, ESC - Remove Selection");
    struct Case {
        int state;
        QString hint;
    };
    const Case cases[] = {
        {ToolRectSelect, selecting},
        {ToolRectSelectMove, selecting},
        {ToolLassoMove, selecting},
        {ToolEllipseSelectMove, selecting},
        {ToolFreeLasso, selecting},
        {ToolScissorMove, selecting},
        {ToolScissorEditAnchor, selecting},
        {ToolScissorClosed, QStringLiteral("ESC - Remove Selection, Enter - Apply Selection")},
        {ToolGradient, QStringLiteral("Right key mouse - Options")},
        {ToolGradientDragging, QStringLiteral("Right key mouse - Options")},
        {ToolPencil, QString()},
        {ToolHueSelect, QString()},
    };
    Shell shell;
    for (const Case& c : cases) {
        shell.Options().m_nTool = c.state;
        shell.Idle();
        EXPECT_EQ(shell.Frame().StatusPane(2)->text(), c.hint) << c.state;
    }
    EXPECT_EQ(shell.Frame().StatusPane(0)->text(), "Ready");
    // Pointing at a tool button prompts with its text in pane 0, leaving the others be.
    QToolBar* tools = shell.Frame().ToolsBar();
    QWidget* pencil = tools->widgetForAction(shell.Router().Command(ID_TOOL_PENCIL));
    QTest::mouseMove(pencil);
    EXPECT_EQ(shell.Frame().StatusPane(0)->text(), "Pencil Tool");
    EXPECT_EQ(shell.Frame().StatusPane(2)->text(), QString());
    QTest::mouseMove(shell.Frame().MdiArea()->viewport());

    CChildFrame* child = shell.NewPicture(40, 30);
    CPictorraView& view = child->View();
    QTest::mouseMove(view.viewport(), view.ImageToClient(QRect(7, 12, 1, 1)).center());
    EXPECT_EQ(shell.Frame().StatusPane(1)->text(), "X: 007 Y: 012");
}

TEST(ChildFrames, ANewPictureStartsWithThePencilWhileAnotherKeepsItsBrush) {
    Shell shell;
    CChildFrame* first = shell.NewPicture(40, 30);
    shell.Router().Execute(ID_TOOL_BRUSH);
    shell.Router().Execute(ID_BRUSH_SIZE_0 + 2);

    CChildFrame* second = shell.NewPicture(30, 20);
    EXPECT_EQ(shell.Options().m_nTool, ToolPencil);
    EXPECT_EQ(ShownOptionBars(shell.Frame()), QStringList{"PencilBar"});
    shell.Router().Execute(ID_TOOL_RECT_SELECT);

    shell.Frame().MdiArea()->setActiveSubWindow(first);
    EXPECT_EQ(shell.Options().m_nTool, ToolBrush);
    EXPECT_EQ(ShownOptionBars(shell.Frame()), QStringList{"BrushBar"});
    EXPECT_TRUE(shell.Router().Query(ID_BRUSH_SIZE_0 + 2).Checked().value_or(false));
    shell.Frame().MdiArea()->setActiveSubWindow(second);
    EXPECT_EQ(shell.Options().m_nTool, ToolRectSelect);
    EXPECT_EQ(ShownOptionBars(shell.Frame()), QStringList{});
}

TEST(Toolbars, TabTwiceBringsBackExactlyTheBarsThatWereShown) {
    Shell shell;
    CMainFrame& frame = shell.Frame();
    CChildFrame* child = shell.NewPicture(40, 30);
    shell.Router().Execute(ID_TOOL_SPRAY);
    shell.Router().Execute(ID_VIEW_EFFECTS_BAR);  // the user hid this one before
    ASSERT_TRUE(frame.EffectsBar()->isHidden());
    if (!frame.ColorBar()) {
        frame.SetColorBar(new QDockWidget(QStringLiteral("Colors"), &frame));
    }
    QDockWidget* colors = frame.ColorBar();
    ASSERT_TRUE(shell.Router().Query(ID_VIEW_COLORS_BAR).Checked().value_or(false));
    const QList<QWidget*> bars{frame.StandardBar(), frame.ToolsBar(), &frame.LayerBar(), colors};

    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    child->View().setFocus();
    QTest::keyClick(&child->View(), Qt::Key_Tab);
    EXPECT_FALSE(frame.ToolbarsShown());
    for (QWidget* bar : bars) {
        EXPECT_TRUE(bar->isHidden()) << bar->objectName().toStdString();
    }
    shell.Idle();
    EXPECT_EQ(ShownOptionBars(frame), QStringList{}) << "the idle update keeps them hidden";
    EXPECT_FALSE(frame.statusBar()->isHidden()) << "the status bar is no tool bar";

    QTest::keyClick(&child->View(), Qt::Key_Tab);
    EXPECT_TRUE(frame.ToolbarsShown());
    for (QWidget* bar : bars) {
        EXPECT_FALSE(bar->isHidden()) << bar->objectName().toStdString();
    }
    EXPECT_TRUE(frame.EffectsBar()->isHidden());
    EXPECT_EQ(ShownOptionBars(frame), QStringList{"SprayBar"});
}

TEST(Toolbars, BarCommandsShowHideAndCheckAndTheLayoutComesBackNextTime) {
    QTemporaryDir dir;
    CAppOptions options;
    options.strSettingsFile = dir.filePath(QStringLiteral("Pictorra.ini"));
    options.nSplashMilliseconds = 0;
    {
        CPictorraApp app(options);
        ASSERT_TRUE(app.InitInstance({QStringLiteral("pictorra")}));
        CMainFrame& frame = *app.MainFrame();
        for (const auto& [id, bar] :
             {std::pair{ID_VIEW_TOOLBAR, static_cast<QWidget*>(frame.StandardBar())},
              std::pair{ID_VIEW_TOOLS_BAR, static_cast<QWidget*>(frame.ToolsBar())},
              std::pair{ID_VIEW_EFFECTS_BAR, static_cast<QWidget*>(frame.EffectsBar())},
              std::pair{ID_VIEW_LAYER_BAR, static_cast<QWidget*>(&frame.LayerBar())}}) {
            EXPECT_TRUE(frame.Router().Query(id).Checked().value_or(false)) << id;
            frame.Router().Execute(id);
            EXPECT_TRUE(bar->isHidden()) << id;
            EXPECT_FALSE(frame.Router().Query(id).Checked().value_or(true)) << id;
            if (id != ID_VIEW_EFFECTS_BAR) {
                frame.Router().Execute(id);
                EXPECT_FALSE(bar->isHidden()) << id;
            }
        }
        // Closed while Tab hid everything: the next run still shows the bars.
        frame.ToggleAllToolbars();
        frame.close();
    }
    CPictorraApp app(options);
    ASSERT_TRUE(app.InitInstance({QStringLiteral("pictorra")}));
    CMainFrame& frame = *app.MainFrame();
    QApplication::processEvents();
    EXPECT_TRUE(frame.EffectsBar()->isHidden());
    EXPECT_FALSE(frame.ToolsBar()->isHidden());
    EXPECT_FALSE(frame.StandardBar()->isHidden());
    EXPECT_FALSE(frame.LayerBar().isHidden());
    EXPECT_EQ(ShownOptionBars(frame), QStringList{"PencilBar"});
}

TEST(Preferences, HistoryStatesAreClampedAsTypedAndStoredOnlyByOk) {
    struct Case {
        const char* typed;
        const char* shown;
        int stored;
    };
    const Case cases[] = {
        {"0", "1", 1},
        {"5000", "1000", 1000},
        {"250", "250", 250},
        {"1000", "1000", 1000},
        {"99999999999999999999", "1000", 1000},
    };
    Shell shell;
    for (const Case& c : cases) {
        shell.App().Settings().m_nHistoryStates = 25;
        QString shown;
        WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<CPreferenceDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Preferences");
            QLineEdit* edit = dialog->HistoryStatesBox()->Editor();
            EXPECT_EQ(edit->text(), "25");
            edit->selectAll();
            QTest::keyClicks(edit, QLatin1String(c.typed));
            shown = edit->text();
            dialog->accept();
        });
        shell.Router().Execute(ID_PREFERENCES);
        EXPECT_EQ(shown, QLatin1String(c.shown)) << c.typed;
        EXPECT_EQ(shell.App().Settings().m_nHistoryStates, c.stored) << c.typed;
    }

    WhenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<CPreferenceDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->HistoryStatesBox()->Editor()->setText(QStringLiteral("7"));
        dialog->reject();
    });
    shell.Router().Execute(ID_PREFERENCES);
    EXPECT_EQ(shell.App().Settings().m_nHistoryStates, 1000) << "Cancel changes nothing";
}

TEST(FrameCommands, GridLayersHelpAndTheCommandsStillToCome) {
    Shell shell;
    CCommandRouter& r = shell.Router();
    for (int id : {ID_FILE_ASSOCIATES, ID_TWAIN_SETTINGS, ID_WEB_CAMERA, ID_SCAN_NOW}) {
        EXPECT_FALSE(r.Query(id).IsEnabled()) << id;
        EXPECT_FALSE(r.Command(id)->associatedObjects().isEmpty()) << id << " is in no menu";
    }
    EXPECT_FALSE(r.Query(ID_LAYER_ADD).IsEnabled()) << "no picture is open";

    CPictorraDoc& doc = shell.NewPicture(40, 30)->GetDocument();
    EXPECT_FALSE(r.Query(ID_VIEW_GRID).Checked().value_or(true));
    r.Execute(ID_VIEW_GRID);
    EXPECT_EQ(shell.Options().m_bGrid, 1);
    EXPECT_TRUE(r.Query(ID_VIEW_GRID).Checked().value_or(false));

    EXPECT_FALSE(r.Query(ID_LAYER_DELETE).IsEnabled()) << "the only layer stays";
    r.Execute(ID_LAYER_ADD);
    r.Execute(ID_LAYER_DUPLICATE);
    EXPECT_EQ(doc.LayerCount(), 3);
    r.Execute(ID_LAYER_DELETE);
    EXPECT_EQ(doc.LayerCount(), 2);
    r.Execute(ID_LAYER_FLATTEN);
    EXPECT_EQ(doc.LayerCount(), 1);
    EXPECT_TRUE(r.Query(ID_LAYER_FLATTEN).IsEnabled()) << "it bakes a lone layer's opacity in";

    r.Execute(ID_HELP_INDEX);
    QTextBrowser* help = shell.Frame().HelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("Show/Hide")) ||
                help->toPlainText().contains(QStringLiteral("Tab")));
    EXPECT_EQ(help->documentTitle(), "Pictorra Help");
}

TEST(Icons, EveryBarButtonAndEveryCursorHasItsOwnPicture) {
    Shell shell;
    CMainFrame& frame = shell.Frame();
    QList<QToolBar*> bars{frame.StandardBar(), frame.EffectsBar(), frame.ToolsBar()};
    for (int i = 0; i < CMainFrame::kOptionBarCount; ++i) {
        bars << frame.OptionBar(i);
    }
    QList<QImage> pictures;
    for (QToolBar* bar : bars) {
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) {
                continue;
            }
            const QIcon icon = action->icon();
            ASSERT_FALSE(icon.isNull()) << action->text().toStdString();
            const QImage picture = icon.pixmap(bar->iconSize()).toImage();
            EXPECT_FALSE(pictures.contains(picture)) << action->text().toStdString();
            pictures << picture;
        }
    }
    for (ViewCursor cursor :
         {ViewCursor::Pencil, ViewCursor::SelectionCross, ViewCursor::Pipette, ViewCursor::Fill,
          ViewCursor::Blur, ViewCursor::Eraser, ViewCursor::Spray}) {
        const QCursor shown = NamedCursor(cursor);
        EXPECT_EQ(shown.shape(), Qt::BitmapCursor) << int(cursor);
        EXPECT_EQ(shown.pixmap().size(), QSize(32, 32)) << int(cursor);
    }

    // A sheet of every picture, for a look.
    if (const QString dir = qEnvironmentVariable("PICTORRA_SCREENSHOT_DIR"); !dir.isEmpty()) {
        QImage sheet(16 * 52, (pictures.size() / 16 + 2) * 52, QImage::Format_ARGB32);
        sheet.fill(QColor(236, 236, 236));
        QPainter painter(&sheet);
        for (qsizetype i = 0; i < pictures.size(); ++i) {
            painter.drawImage(QRect(int(i % 16) * 52 + 2, int(i / 16) * 52 + 2, 48, 48),
                              pictures[i]);
        }
        int x = 2;
        for (const char* name :
             {"pencil", "selection-cross", "pipette", "fill", "blur", "eraser", "spray"}) {
            painter.drawPixmap(x, int(pictures.size() / 16 + 1) * 52 + 2,
                               RenderSvg(QStringLiteral(":/cursors/%1.svg").arg(name), 48));
            x += 52;
        }
        painter.end();
        EXPECT_TRUE(sheet.save(dir + QStringLiteral("/pictorra-icons.png")));
    }
}

TEST(Screenshots, TheMainWindowWithAThreeLayerPicture) {
    const QString dir = qEnvironmentVariable("PICTORRA_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        GTEST_SKIP() << "set PICTORRA_SCREENSHOT_DIR to write the screenshots";
    }
    Shell shell;
    CChildFrame* child = shell.NewPicture(320, 220);
    CPictorraDoc& doc = child->GetDocument();
    doc.SetLayerBitmap(doc.Layer(1), MakePhotoLike(320, 220, 3, false));
    CLayerFrame* middle = doc.AddEmptyLayerOfSize(160, 100);
    doc.SetLayerBitmap(middle, MakeBitmap(160, 100, [](int x, int y) {
                           return (x / 10 + y / 10) % 2 ? 0xC0FF4040u : 0x00000000u;
                       }));
    middle->m_nOffsetX = 40;
    middle->m_nOffsetY = 30;
    doc.SetActiveLayer(2);
    CLayerFrame* top = doc.AddEmptyLayer();
    doc.SetLayerBitmap(top, MakeBitmap(320, 220, [](int x, int y) {
                           const int dx = x - 220, dy = y - 130;
                           return dx * dx + dy * dy < 3600 ? 0xA02060FFu : 0x00000000u;
                       }));
    doc.SetActiveLayer(3);
    shell.Router().Execute(ID_TOOL_BRUSH);
    shell.Router().Execute(ID_BRUSH_SIZE_0 + 1);
    shell.Idle();
    QApplication::processEvents();
    QTest::mouseMove(child->View().viewport(),
                     child->View().ImageToClient(QRect(100, 80, 1, 1)).center());
    shell.Idle();
    QApplication::processEvents();
    EXPECT_TRUE(shell.Frame().grab().save(dir + QStringLiteral("/pictorra-mainframe.png")));
    shell.Router().Execute(ID_VIEW_ALL_TOOLBARS);
    QApplication::processEvents();
    EXPECT_TRUE(shell.Frame().grab().save(dir + QStringLiteral("/pictorra-mainframe-tab.png")));
}

TEST(BmpWnd, StretchesItsOwnCopyOverTheWindowAndDrawsNothingWithoutOne) {
    CBmpWnd preview;
    preview.resize(40, 20);
    QPalette palette = preview.palette();
    palette.setColor(QPalette::Window, Qt::green);
    preview.setPalette(palette);
    preview.setAutoFillBackground(true);
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    preview.SetImage(picture);
    picture.fill(Qt::white);  // the preview keeps what it was given

    QImage shown = preview.grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(2, 2)), QColor(Qt::red));
    EXPECT_EQ(QColor(shown.pixel(19, 19)), QColor(Qt::red));
    EXPECT_EQ(QColor(shown.pixel(20, 0)), QColor(Qt::blue));
    EXPECT_EQ(QColor(shown.pixel(39, 10)), QColor(Qt::blue));

    preview.Clear();
    shown = preview.grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(20, 10)), QColor(Qt::green));
}
