#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDropEvent>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>

#include "ShellFixture.h"
#include "app/AboutDlg.h"
#include "app/ChildFrame.h"
#include "app/DocCommands.h"
#include "app/MainFrame.h"
#include "app/SizeDlg.h"
#include "app/SplashWnd.h"
#include "app/StaticLink.h"
#include "document/PictorraDoc.h"
#include "document/SelectionCommands.h"
#include "effects/EffectRegistry.h"
#include "files/FileFormats.h"
#include "support/TestPictures.h"
#include "support/WidgetTesting.h"
#include "ui/CommandIds.h"
#include "ui/CommandRouter.h"
#include "ui/MainMenus.h"
#include "view/PictorraView.h"

namespace {

QStringList MenuTitles(const QMenuBar* bar) {
    QStringList titles;
    for (const QAction* a : bar->actions()) {
        titles << a->text();
    }
    return titles;
}

// The file dialog's name field, as the user types into it.
QLineEdit* FileNameEdit(QFileDialog* dialog) {
    return dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// Types text into the file dialog's name field and presses its Save (Open) button. A dialog
// that refuses stays open no longer than the test: it is cancelled and the test fails.
void EnterFileName(QFileDialog* dialog, const QString& text) {
    QLineEdit* edit = FileNameEdit(dialog);
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClicks(edit, text);
    // While the field has the keyboard focus the list's selection gives way to what is typed;
    // on the offscreen platform the focus may not have arrived yet.
    if (auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"))) {
        list->selectionModel()->clearSelection();
    }
    static_cast<QDialog*>(dialog)->accept();
    if (dialog->isVisible()) {
        ADD_FAILURE() << "the file dialog did not take " << text.toStdString();
        dialog->reject();
    }
}

// Takes the place of the desktop's browser and mail program.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
    Q_INVOKABLE void open(const QUrl& url) { urls << url; }
};

// Saves a picture of widget when PICTORRA_SCREENSHOT_DIR names a folder.
void SaveScreenshot(QWidget* widget, const QString& name) {
    if (const QByteArray dir = qgetenv("PICTORRA_SCREENSHOT_DIR"); !dir.isEmpty()) {
        widget->grab().save(QString::fromLocal8Bit(dir) + u'/' + name);
    }
}

bool SamePixelsAs(const CPictorraDoc& doc, const QImage& image) {
    const auto expected = Bitmap::FromImage(image);
    return doc.LayerCount() >= 1 && SamePixels(*doc.Layer(1)->m_pBitmap, *expected);
}

}  // namespace

TEST(StartUp, APlainStartShowsTheMaximisedMainWindowWithNoPicture) {
    ShellFixture shell;
    EXPECT_TRUE(shell.Frame().isVisible());
    EXPECT_TRUE(shell.Frame().isMaximized());
    ASSERT_NE(shell.App().Splash(), nullptr);
    EXPECT_TRUE(shell.App().Splash()->isVisible()) << "the splash shows without blocking";
    SaveScreenshot(shell.App().Splash(), QStringLiteral("pictorra-splash.png"));
    shell.FinishStartup();
    EXPECT_EQ(shell.App().Splash(), nullptr);
    EXPECT_TRUE(shell.Frame().Children().isEmpty());
    EXPECT_EQ(shell.Frame().Menus().Shown(), CMainMenus::kNoDocumentMenu);
    EXPECT_EQ(MenuTitles(shell.Frame().menuBar()),
              QStringList({"&File", "&Edit", "&View", "&Tools", "&Help"}));
    EXPECT_TRUE(shell.Frame().Router().Chain() ==
                std::vector<const CCmdTarget*>({&shell.Frame(), &shell.App()}));
    EXPECT_FALSE(shell.Frame().Router().Query(ID_FILE_SAVE).IsEnabled());
    EXPECT_TRUE(shell.Frame().Router().Query(ID_FILE_NEW).IsEnabled());
}

TEST(StartUp, AFileOnTheCommandLineOpensAfterTheSplashInAChildWithOneLayer) {
    const QImage picture = MakeTestImage(40, 30);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("start.png"));
    ASSERT_TRUE(picture.save(path));

    ShellFixture shell({path});
    EXPECT_TRUE(shell.Frame().Children().isEmpty()) << "nothing opens while the splash shows";
    shell.FinishStartup();

    ASSERT_EQ(shell.Frame().Children().size(), 1);
    CChildFrame* child = shell.Active();
    CPictorraDoc& doc = child->GetDocument();
    ASSERT_EQ(doc.LayerCount(), 1) << "the first activation made the layer";
    EXPECT_EQ(doc.ActiveLayerNumber(), 1);
    EXPECT_TRUE(SamePixelsAs(doc, picture));
    EXPECT_EQ(child->ShownCaption(), "start.png  Scale: 100%");
    EXPECT_EQ(shell.Frame().Menus().Shown(), CMainMenus::kDocumentMenu);
    EXPECT_EQ(MenuTitles(shell.Frame().menuBar()),
              QStringList({"&File", "&Edit", "&Selections", "&View", "&Tools", "&Effects",
                           "&Window", "&Help"}));
    EXPECT_EQ(shell.App().Settings().m_RecentFiles.Names(), QStringList{path});

    CCommandRouter& router = shell.Frame().Router();
    EXPECT_TRUE(router.Chain() ==
                std::vector<const CCmdTarget*>(
                    {&child->View(), &child->DocCommands(), child, &shell.Frame(), &shell.App()}));
    router.UpdateAll();
    EXPECT_TRUE(router.Find(ID_FILE_SAVE)->isEnabled());
    EXPECT_FALSE(router.Find(ID_EDIT_UNDO)->isEnabled()) << "no undo history yet";
}

TEST(StartUp, WhenNoNamedPictureOpensTheProgramEnds) {
    QString message;
    ShellFixture shell({QStringLiteral("/nonexistent/picture.png")});
    AnswerNextMessageBox(QMessageBox::Ok, &message);
    shell.FinishStartup();
    EXPECT_FALSE(message.isEmpty());
    EXPECT_FALSE(shell.Frame().isVisible());
    EXPECT_EQ(shell.App().ExitInstance(), 1);
}

TEST(StartUp, ClosingTheWindowDuringTheSplashOpensNothingLater) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("late.png"));
    ASSERT_TRUE(MakeTestImage(4, 4).save(path));
    ShellFixture shell({path});
    EXPECT_TRUE(shell.Frame().close());
    EXPECT_EQ(shell.App().Splash(), nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(shell.Frame().Children().isEmpty());
}

TEST(NewImage, ProposesTheClipboardSizeAndRefusesSidesItCannotMake) {
    ShellFixture shell;
    shell.FinishStartup();
    CSizeDlg& dialog = shell.App().NewImageDialog();
    EXPECT_EQ(dialog.windowTitle(), "New Image");

    // Empty clipboard: 100 x 100; a picture on it: its size.
    QStringList proposed;
    WhenModal([&](QWidget*) {
        proposed << dialog.WidthEdit()->text() + "x" + dialog.HeightEdit()->text();
        dialog.reject();
    });
    EXPECT_EQ(shell.App().OnFileNew(), nullptr) << "cancelled";
    QGuiApplication::clipboard()->setImage(MakeTestImage(64, 48));
    WhenModal([&](QWidget*) {
        proposed << dialog.WidthEdit()->text() + "x" + dialog.HeightEdit()->text();
        dialog.reject();
    });
    shell.App().OnFileNew();
    EXPECT_EQ(proposed, QStringList({"100x100", "64x48"}));
    EXPECT_TRUE(shell.Frame().Children().isEmpty());

    // Digits only; a zero side is refused with a message and the dialog stays open for a
    // correction.
    QString refusal, typed;
    bool stayedOpen = false;
    WhenModal([&](QWidget*) {
        dialog.WidthEdit()->clear();
        QTest::keyClicks(dialog.WidthEdit(), QStringLiteral("3x0-"));
        typed = dialog.WidthEdit()->text();
        dialog.HeightEdit()->setText(QStringLiteral("0"));
        AnswerNextMessageBox(QMessageBox::Ok, &refusal);
        dialog.accept();
        stayedOpen = dialog.isVisible();
        dialog.HeightEdit()->setText(QStringLiteral("20"));
        dialog.accept();
    });
    CChildFrame* child = shell.App().OnFileNew();
    EXPECT_EQ(typed, "30");
    EXPECT_TRUE(refusal.contains("between 1 and 32768")) << refusal.toStdString();
    EXPECT_TRUE(stayedOpen);
    ASSERT_NE(child, nullptr);
    CPictorraDoc& doc = child->GetDocument();
    ASSERT_EQ(doc.LayerCount(), 1);
    EXPECT_EQ(doc.m_pActiveBitmap->Size(), QSize(30, 20));
    EXPECT_EQ(doc.m_pActiveBitmap->GetPixel(29, 19), 0xFFFFFFFFu);
    EXPECT_EQ(doc.GetTitle(), "Bitmap1");
    EXPECT_EQ(doc.m_bUntitled, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(shell.NewPicture(5, 5)->GetDocument().GetTitle(), "Bitmap2");
}

TEST(SaveAs, TheTypedNameShotWithThePngFilterWritesShotPng) {
    ShellFixture shell;
    shell.FinishStartup();
    CChildFrame* child = shell.NewPicture(12, 9);
    ASSERT_NE(child, nullptr);
    CPictorraDoc& doc = child->GetDocument();
    doc.m_pActiveBitmap->SetPixel(3, 4, 0xFF112233);
    doc.SetModifiedFlag();
    const QString folder = shell.Path(QString());
    const QString png = QtFilters(kSaveAsFilter)[1];

    QStringList filters;
    QString selectedAtStart;
    auto typeShot = [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        selectedAtStart = dialog->selectedNameFilter();
        dialog->setDirectory(folder);
        dialog->selectNameFilter(png);
        EnterFileName(dialog, QStringLiteral("shot"));
    };
    // Save on a picture never saved is Save As.
    WhenModal(typeShot);
    EXPECT_TRUE(shell.Frame().Router().Execute(ID_FILE_SAVE));
    EXPECT_EQ(filters, QtFilters(kSaveAsFilter));
    EXPECT_EQ(selectedAtStart, QtFilters(kSaveAsFilter)[0]);

    const QString shot = shell.Path(QStringLiteral("shot.png"));
    ASSERT_TRUE(QFileInfo::exists(shot));
    EXPECT_FALSE(QFileInfo::exists(shell.Path(QStringLiteral("shot"))));
    QImage written(shot);
    ASSERT_EQ(written.size(), QSize(12, 9));
    EXPECT_EQ(written.pixel(3, 4), 0xFF112233u);
    EXPECT_EQ(doc.GetTitle(), "shot.png");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_bUntitled, 0);
    EXPECT_EQ(child->ShownCaption(), "shot.png  Scale: 100%");
    EXPECT_EQ(shell.App().FileDialogMemory().m_nSaveFilterIndex, 2) << "the index is kept";
    EXPECT_EQ(shell.App().Settings().m_RecentFiles.Names().value(0), shot);

    // Save now writes shot.png without asking.
    doc.m_pActiveBitmap->SetPixel(0, 0, 0xFF445566);
    doc.SetModifiedFlag();
    EXPECT_EQ(child->ShownCaption(), "shot.png*  Scale: 100%");
    EXPECT_TRUE(child->DocCommands().OnFileSave());
    EXPECT_EQ(QImage(shot).pixel(0, 0), 0xFF445566u);

    // Save As onto the existing file asks first; "No" brings the dialog back.
    QString question, secondFilter;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        secondFilter = dialog->selectedNameFilter();
        WhenModal([&](QWidget* box) {
            question = qobject_cast<QMessageBox*>(box)->text();
            WhenModal([](QWidget* again) { qobject_cast<QDialog*>(again)->reject(); });
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
        });
        EnterFileName(dialog, QStringLiteral("shot"));
    });
    doc.m_pActiveBitmap->SetPixel(0, 0, 0xFF000000);
    EXPECT_FALSE(child->DocCommands().OnFileSaveAs());
    EXPECT_EQ(secondFilter, png) << "the dialog starts with the remembered index";
    EXPECT_EQ(question, "shot.png already exists.\nDo you want to replace it?");
    EXPECT_EQ(QImage(shot).pixel(0, 0), 0xFF445566u) << "the file was not replaced";
}

TEST(SaveAs, AFailedSaveLeavesThePictureUnsavedAndSaysWhy) {
    ShellFixture shell;
    shell.FinishStartup();
    CPictorraDoc& doc = shell.NewPicture(4, 4)->GetDocument();
    doc.SetModifiedFlag();
    QString message;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(shell.Path(QString()));
        AnswerNextMessageBox(QMessageBox::Ok, &message);
        EnterFileName(dialog, QStringLiteral("layers.psd"));
    });
    EXPECT_FALSE(shell.Active()->DocCommands().OnFileSaveAs());
    EXPECT_EQ(message, "Error!");
    EXPECT_FALSE(QFileInfo::exists(shell.Path(QStringLiteral("layers.psd"))));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_bUntitled, 1) << "Save still asks for a name";
}

TEST(Open, ShowsTheOpenFilterAndOpensEverySelectedFile) {
    ShellFixture shell;
    shell.FinishStartup();
    const QString a = shell.WritePicture(QStringLiteral("a.png"), MakeTestImage(8, 6));
    const QString b = shell.WritePicture(QStringLiteral("b.png"), MakeTestImage(5, 7));
    QStringList filters;
    QString atStart;
    auto pick = [&](const QString& typed, int filter) {
        return [&, typed, filter](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            filters = dialog->nameFilters();
            atStart = dialog->selectedNameFilter();
            dialog->setDirectory(shell.Path(QString()));
            dialog->selectNameFilter(filters[filter]);
            EnterFileName(dialog, typed);
        };
    };
    WhenModal(pick(QStringLiteral("\"a.png\" \"b.png\""), 2));
    shell.Frame().Router().Execute(ID_FILE_OPEN);
    EXPECT_EQ(filters, QtFilters(kOpenFilter));
    EXPECT_EQ(atStart, filters[0]) << "All Files at first";
    ASSERT_EQ(shell.Frame().Children().size(), 2);
    EXPECT_EQ(shell.App().FileDialogMemory().m_nOpenFilterIndex, 3);

    // The next Open starts with the remembered filter; a file already open is brought to
    // the front instead of being opened twice.
    WhenModal(pick(QStringLiteral("a.png"), 0));
    shell.Frame().Router().Execute(ID_FILE_OPEN);
    EXPECT_EQ(atStart, filters[2]);
    EXPECT_EQ(shell.Frame().Children().size(), 2);
    EXPECT_EQ(shell.ActiveDoc().GetPathName(), a);
    EXPECT_EQ(shell.App().Settings().m_RecentFiles.Names(), QStringList({b, a}));
}

TEST(RecentFiles, ReopenFromTheMenuAndDropFilesThatAreGone) {
    ShellFixture shell;
    shell.FinishStartup();
    const QString a = shell.WritePicture(QStringLiteral("a.png"), MakeTestImage(3, 3));
    const QString gone = shell.WritePicture(QStringLiteral("gone.png"), MakeTestImage(3, 3));
    ASSERT_NE(shell.App().OpenDocumentFile(gone), nullptr);
    ASSERT_NE(shell.App().OpenDocumentFile(a), nullptr);
    for (CChildFrame* child : shell.Frame().Children()) {
        child->close();
    }
    ASSERT_TRUE(ProcessEventsUntil([&] { return shell.Frame().Children().isEmpty(); }));
    EXPECT_EQ(shell.Frame().Menus().Shown(), CMainMenus::kNoDocumentMenu);

    CCommandRouter& router = shell.Frame().Router();
    router.UpdateAll();
    QAction* first = router.Find(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->text(), "&1 " + a);
    EXPECT_TRUE(router.Find(ID_FILE_MRU_FILE1 + 1)->isEnabled());
    EXPECT_FALSE(router.Find(ID_FILE_MRU_FILE1 + 2)->isEnabled());

    first->trigger();
    ASSERT_EQ(shell.Frame().Children().size(), 1);
    EXPECT_EQ(shell.ActiveDoc().GetPathName(), a);

    ASSERT_TRUE(QFile::remove(gone));
    AnswerNextMessageBox(QMessageBox::Ok);
    router.Find(ID_FILE_MRU_FILE1 + 1)->trigger();
    EXPECT_EQ(shell.App().Settings().m_RecentFiles.Names(), QStringList{a});
    EXPECT_FALSE(router.Find(ID_FILE_MRU_FILE1 + 1)->isVisible());
}

TEST(PasteNew, EnabledWhileTheClipboardHoldsAPictureAndMakesAPictureOfItsSize) {
    ShellFixture shell;
    shell.FinishStartup();
    CCommandRouter& router = shell.Frame().Router();
    EXPECT_FALSE(router.Query(ID_EDIT_PASTE_NEW).IsEnabled());
    QGuiApplication::clipboard()->setText(QStringLiteral("no picture"));
    EXPECT_FALSE(router.Query(ID_EDIT_PASTE_NEW).IsEnabled());

    const QImage picture = MakeTestImage(37, 21);
    QGuiApplication::clipboard()->setImage(picture);
    EXPECT_TRUE(router.Query(ID_EDIT_PASTE_NEW).IsEnabled());
    QString proposed;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CSizeDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        proposed = dialog->WidthEdit()->text() + "x" + dialog->HeightEdit()->text();
        dialog->accept();
    });
    EXPECT_TRUE(router.Execute(ID_EDIT_PASTE_NEW));
    EXPECT_EQ(proposed, "37x21");
    ASSERT_EQ(shell.Frame().Children().size(), 1);
    CPictorraDoc& doc = shell.ActiveDoc();
    // The picture on its own layer above the white one, committed (no selection left).
    ASSERT_EQ(doc.LayerCount(), 2);
    EXPECT_EQ(doc.ActiveLayerNumber(), 2);
    EXPECT_TRUE(SamePixels(*doc.Layer(2)->m_pBitmap, *Bitmap::FromImage(picture)));
    EXPECT_FALSE(doc.IsSelectionPresent());
    EXPECT_EQ(doc.m_pFragment, nullptr);
    const auto composed = doc.ComposeImage(false);
    EXPECT_EQ(composed->Size(), QSize(37, 21));
    EXPECT_EQ(composed->GetPixel(3, 4), picture.pixel(3, 4)) << "an opaque pixel";
    EXPECT_TRUE(doc.IsModified()) << "pasted pixels are unsaved work";

    // Cancelling New pastes nowhere, not into the picture that is open.
    WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    QGuiApplication::clipboard()->setImage(MakeTestImage(37, 21).mirrored());
    shell.App().OnEditPasteNew();
    EXPECT_EQ(shell.Frame().Children().size(), 1);
    EXPECT_EQ(doc.LayerCount(), 2);
    EXPECT_TRUE(SamePixels(*doc.Layer(2)->m_pBitmap, *Bitmap::FromImage(picture)));
}

TEST(Keys, CtrlVPastesIntoTheOpenPictureAndMakesANewOneOtherwise) {
    ShellFixture shell;
    shell.FinishStartup();
    QGuiApplication::clipboard()->setImage(MakeTestImage(6, 5));
    // The keys go to the main window, as when the user works in it.
    QApplication::setActiveWindow(&shell.Frame());
    ASSERT_EQ(QApplication::activeWindow(), &shell.Frame());
    // The program idles after the clipboard changed: the actions follow.
    shell.Frame().Router().UpdateAll();

    // No picture open: Ctrl+V is Paste into a new picture.
    bool asked = false;
    WhenModal([&](QWidget* modal) {
        asked = qobject_cast<CSizeDlg*>(modal) != nullptr;
        qobject_cast<QDialog*>(modal)->accept();
    });
    QTest::keyClick(shell.Frame().MdiArea(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(asked);
    ASSERT_EQ(shell.Frame().Children().size(), 1);
    CPictorraDoc& doc = shell.ActiveDoc();
    EXPECT_EQ(doc.LayerCount(), 2);

    // A picture open: Ctrl+V is the document's Paste, a new layer in the same picture. (The
    // offscreen platform does not give the main window the keys back when a dialog closes.)
    QApplication::setActiveWindow(&shell.Frame());
    shell.Frame().Router().UpdateAll();
    QTest::keyClick(&shell.Active()->View(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(shell.Frame().Children().size(), 1);
    EXPECT_EQ(doc.LayerCount(), 3);
}

TEST(UndoRedo, TheEditMenuUndoesAndRedoesTheLastEditOfTheActiveLayer) {
    ShellFixture shell;
    shell.FinishStartup();
    CPictorraDoc& doc = shell.NewPicture(10, 8)->GetDocument();
    CCommandRouter& router = shell.Frame().Router();
    router.UpdateAll();
    QAction* undo = router.Find(ID_EDIT_UNDO);
    QAction* redo = router.Find(ID_EDIT_REDO);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_FALSE(router.Query(kCmdDelete).IsEnabled()) << "nothing selected";

    router.Find(kCmdSelectAll)->trigger();
    router.Find(kCmdDelete)->trigger();
    EXPECT_EQ(doc.m_pActiveBitmap->GetPixel(4, 4), 0x00000000u);
    EXPECT_TRUE(undo->isEnabled());

    undo->trigger();
    EXPECT_EQ(doc.m_pActiveBitmap->GetPixel(4, 4), 0xFFFFFFFFu);
    EXPECT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(doc.m_pActiveBitmap->GetPixel(4, 4), 0x00000000u);
    EXPECT_TRUE(doc.IsModified());
}

TEST(UndoRedo, UndoWhileTypingEndsTheLineFirstAndLaterTypingBringsNothingBack) {
    ShellFixture shell;
    shell.FinishStartup();
    CChildFrame* child = shell.NewPicture(80, 50);
    ASSERT_NE(child, nullptr);
    CPictorraDoc& doc = child->GetDocument();
    CPictorraView& view = child->View();
    CCommandRouter& router = shell.Frame().Router();
    router.Execute(ID_TOOL_TEXT);
    const auto blank = doc.m_pActiveBitmap->Clone();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.ImageToClient(QRect(5, 15, 1, 1)).center());
    QTest::keyClicks(&view, QStringLiteral("ab"));
    QTest::keyClick(&view, Qt::Key_Backspace);
    QTest::keyClicks(&view, QStringLiteral("c"));
    QTest::keyClick(&view, Qt::Key_Return);
    const auto firstLine = doc.m_pActiveBitmap->Clone();
    ASSERT_FALSE(SamePixels(*firstLine, *blank));
    QTest::keyClicks(&view, QStringLiteral("xy"));
    const auto bothLines = doc.m_pActiveBitmap->Clone();

    router.Execute(ID_EDIT_UNDO);
    EXPECT_TRUE(SamePixels(*doc.m_pActiveBitmap, *firstLine)) << "only the line being typed";
    QTest::keyClicks(&view, QStringLiteral("q"));
    EXPECT_TRUE(SamePixels(*doc.m_pActiveBitmap, *firstLine)) << "nothing undone comes back";
    router.Execute(ID_EDIT_REDO);
    EXPECT_TRUE(SamePixels(*doc.m_pActiveBitmap, *bothLines));
    router.Execute(ID_EDIT_UNDO);
    router.Execute(ID_EDIT_UNDO);
    EXPECT_TRUE(SamePixels(*doc.m_pActiveBitmap, *blank));
}

TEST(UnsavedWork, ClosingAModifiedPictureAsksSaveDiscardOrCancel) {
    ShellFixture shell;
    shell.FinishStartup();
    const QString path = shell.WritePicture(QStringLiteral("work.png"), MakeTestImage(6, 6));
    CChildFrame* child = shell.App().OpenDocumentFile(path);
    ASSERT_NE(child, nullptr);
    QPointer<CChildFrame> alive(child);
    CPictorraDoc& doc = child->GetDocument();

    // Unmodified: closes at once.
    CChildFrame* other = shell.NewPicture(3, 3);
    QPointer<CChildFrame> otherAlive(other);
    shell.Frame().Router().Execute(ID_FILE_CLOSE);
    ASSERT_TRUE(ProcessEventsUntil([&] { return otherAlive.isNull(); }));

    doc.m_pActiveBitmap->SetPixel(1, 1, 0xFF00FF00);
    doc.SetModifiedFlag();
    QString question;
    AnswerNextMessageBox(QMessageBox::Cancel, &question);
    shell.Frame().Router().Execute(ID_FILE_CLOSE);
    EXPECT_EQ(question, "Save changes to work.png?");
    QApplication::processEvents();
    ASSERT_FALSE(alive.isNull()) << "Cancel keeps the picture open";
    EXPECT_TRUE(child->isVisible());

    AnswerNextMessageBox(QMessageBox::Save);
    child->close();
    ASSERT_TRUE(ProcessEventsUntil([&] { return alive.isNull(); }));
    EXPECT_EQ(QImage(path).pixel(1, 1), 0xFF00FF00u) << "Save wrote the change first";
}

TEST(UnsavedWork, SaveWhileTheWholePictureIsLiftedWritesTheEditedPicture) {
    // Select All, Gray Scale, Ctrl+S: the grey pixels live in the lifted selection, and the
    // file and the layer's tile must hold them.
    ShellFixture shell;
    shell.FinishStartup();
    const QString path = shell.WritePicture(QStringLiteral("photo.png"), MakeTestImage(24, 16));
    CChildFrame* child = shell.App().OpenDocumentFile(path);
    ASSERT_NE(child, nullptr);
    CPictorraDoc& doc = child->GetDocument();
    CCommandRouter& router = shell.Frame().Router();
    router.Find(kCmdSelectAll)->trigger();
    router.Find(FindEffect(QStringLiteral("grayscale"))->commandId)->trigger();
    ASSERT_NE(doc.m_pFragment, nullptr);
    const auto shown = doc.ComposeImage(true);
    QApplication::setActiveWindow(&shell.Frame());
    router.UpdateAll();
    QTest::keyClick(&child->View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_NE(doc.m_pFragment, nullptr) << "the selection stays lifted";
    EXPECT_TRUE(SamePixels(*Bitmap::FromImage(QImage(path)), *shown));
    const uint32_t grey = QImage(path).pixel(5, 5);
    EXPECT_EQ(qRed(grey), qGreen(grey));
    EXPECT_EQ(qGreen(grey), qBlue(grey));
    EXPECT_NE(qAlpha(grey), 0);

    // Undo still works as before: the colours come back.
    router.Find(ID_EDIT_UNDO)->trigger();
    EXPECT_TRUE(SamePixelsAs(doc, MakeTestImage(24, 16)));
}

TEST(UnsavedWork, QuittingAsksAboutEveryModifiedPicture) {
    ShellFixture shell;
    shell.FinishStartup();
    shell.NewPicture(4, 4)->GetDocument().SetModifiedFlag();
    shell.NewPicture(4, 4);
    shell.NewPicture(4, 4)->GetDocument().SetModifiedFlag();

    QString question;
    AnswerNextMessageBox(QMessageBox::Cancel, &question);
    shell.Frame().Router().Execute(ID_APP_EXIT);
    EXPECT_EQ(question, "Save changes to Bitmap1?");
    EXPECT_TRUE(shell.Frame().isVisible());
    EXPECT_EQ(shell.Frame().Children().size(), 3) << "Cancel keeps everything open";
    EXPECT_EQ(shell.ActiveDoc().GetTitle(), "Bitmap1") << "the picture asked about is shown";

    QStringList asked;
    WhenModal([&](QWidget* modal) {
        asked << qobject_cast<QMessageBox*>(modal)->text();
        WhenModal([&](QWidget* second) {
            asked << qobject_cast<QMessageBox*>(second)->text();
            qobject_cast<QMessageBox*>(second)->button(QMessageBox::Discard)->click();
        });
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Discard)->click();
    });
    EXPECT_TRUE(shell.Frame().close());
    EXPECT_EQ(asked, QStringList({"Save changes to Bitmap1?", "Save changes to Bitmap3?"}));
    EXPECT_FALSE(shell.Frame().isVisible());
    ASSERT_TRUE(ProcessEventsUntil([&] { return shell.Frame().Children().isEmpty(); }));
    // The settings were written on the way out.
    QSettings written(shell.Path(QStringLiteral("Pictorra.ini")), QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("MainWindow/WindowState")).toString(), "1");
}

TEST(DragAndDrop, FilesDroppedOnTheMainWindowOpenLikeOpen) {
    ShellFixture shell;
    shell.FinishStartup();
    const QString a = shell.WritePicture(QStringLiteral("dropped.png"), MakeTestImage(9, 4));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl(QStringLiteral("https://example.org/x.png"))});
    const QPoint at = shell.Frame().rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&shell.Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&shell.Frame(), &drop);
    ASSERT_TRUE(ProcessEventsUntil([&] { return shell.Frame().Children().size() == 1; }));
    EXPECT_EQ(shell.ActiveDoc().GetPathName(), a);
    EXPECT_EQ(shell.ActiveDoc().LayerCount(), 1);
}

TEST(About, ShowsTheVersionTheFreeImageNoticeAndTwoLinks) {
    ShellFixture shell;
    shell.FinishStartup();
    CAboutDlg& about = shell.App().AboutDialog();
    EXPECT_EQ(about.windowTitle(), "About Pictorra");
    about.adjustSize();
    SaveScreenshot(&about, QStringLiteral("pictorra-about.png"));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("version"))->text(), "Pictorra Version 7.1");
    EXPECT_TRUE(
        about.findChild<QLabel*>(QStringLiteral("freeimage"))->text().contains("FreeImage"));

    // The desktop's handler for the links' schemes stands in for a browser here.
    UrlCatcher opened;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &opened, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &opened, "open");
    CStaticLink* site = about.WebSiteLink();
    EXPECT_EQ(site->TextColor(), QColor::fromRgb(CStaticLink::kUnvisitedColor));
    EXPECT_TRUE(site->font().underline());
    QTest::mouseClick(site, Qt::LeftButton);
    QTest::mouseClick(about.SupportLink(), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    EXPECT_EQ(opened.urls, QList<QUrl>({QUrl(QString::fromLatin1(CAboutDlg::kWebSite)),
                                        QUrl(QString::fromLatin1(CAboutDlg::kSupport))}));
    EXPECT_TRUE(site->IsVisited());
    EXPECT_EQ(site->TextColor(), QColor::fromRgb(CStaticLink::kVisitedColor));

    WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); });
    EXPECT_TRUE(shell.Frame().Router().Execute(ID_APP_ABOUT));
}

TEST(Screenshot, TheMainWindowShowsTheOpenPicture) {
    ShellFixture shell;
    shell.FinishStartup();
    QImage picture(160, 120, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 20; y < 100; ++y) {
        for (int x = 20; x < 140; ++x) {
            picture.setPixel(x, y, qRgba(200, 40 + x, 60 + y, x < 80 ? 255 : 120));
        }
    }
    const QString path = shell.WritePicture(QStringLiteral("shown.png"), picture);
    CChildFrame* child = shell.App().OpenDocumentFile(path);
    ASSERT_NE(child, nullptr);
    QApplication::processEvents();

    const QImage shot = shell.Frame().grab().toImage();
    SaveScreenshot(&shell.Frame(), QStringLiteral("pictorra-main-window.png"));
    // An opaque pixel of the picture appears where the view shows it.
    CPictorraView& view = child->View();
    const QPoint inView = view.ImageToClient(QRect(30, 30, 1, 1)).topLeft();
    const QPoint inWindow = view.viewport()->mapTo(&shell.Frame(), inView);
    EXPECT_EQ(QColor(shot.pixel(inWindow)), QColor(picture.pixel(30, 30)));
}

#include "test_shell.moc"
