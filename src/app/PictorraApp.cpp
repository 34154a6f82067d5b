#include "app/PictorraApp.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QMimeData>
#include <QStandardPaths>

#include "app/AboutDlg.h"
#include "app/BrandPicture.h"
#include "app/ChildFrame.h"
#include "app/DocTemplate.h"
#include "app/MainFrame.h"
#include "app/SizeDlg.h"
#include "app/SplashWnd.h"
#include "document/PictorraDoc.h"
#include "files/FreeImageLibrary.h"
#include "ui/CommandIds.h"
#include "ui/MainMenus.h"

namespace {
// The paths named on the command line: every argument after the program's name that is not
// an option ("--" ends the options).
QStringList FilesToOpen(const QStringList& arguments) {
    QStringList files;
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (options && a == QLatin1String("--")) {
            options = false;
        } else if (!options || !a.startsWith(u'-')) {
            files.append(a);
        }
    }
    return files;
}

bool SameFile(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}
}  // namespace

CPictorraApp::CPictorraApp(CAppOptions options) : m_options(std::move(options)) {
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(
        ID_EDIT_PASTE_NEW, [this] { OnEditPasteNew(); },
        [this](CCmdUI& ui) { ui.Enable(m_bClipboardImage); });
    for (int i = 0; i < kRecentFileCount; ++i) {
        OnCommand(
            ID_FILE_MRU_FILE1 + i, [this, i] { OnOpenRecentFile(i); },
            [this, i](CCmdUI& ui) { ui.Enable(i < m_settings.m_RecentFiles.Count()); });
    }
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
}

CPictorraApp::~CPictorraApp() {
    // The windows go before the libraries they use.
    m_pMainFrame.reset();
    m_pFreeImage.reset();
}

bool CPictorraApp::InitInstance(const QStringList& arguments) {
    m_pFreeImage = std::make_unique<CFreeImageLibrary>();

    QCoreApplication::setOrganizationName(QStringLiteral("Brennic"));
    QCoreApplication::setApplicationName(QStringLiteral("Pictorra"));
    QApplication::setWindowIcon(MakeAppIcon());
    const QString file = m_options.strSettingsFile.isEmpty() ? CAppSettings::DefaultFile()
                                                             : m_options.strSettingsFile;
    m_pProfile = std::make_unique<QSettings>(file, QSettings::IniFormat);
    ReadSettings();

    m_pDocTemplate = std::make_unique<CDocTemplate>(*this);
    // The settings store's file is written by the program, so it lives in the per-user data
    // folder (the program's own folder is not writable once installed). A settings file given
    // on start (the tests' private folder) keeps it beside that file instead.
    m_strConfigPath = (m_options.strSettingsFile.isEmpty()
                           ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                           : QFileInfo(file).absolutePath()) +
                      QStringLiteral("/config.ini");

    m_pMainFrame = std::make_unique<CMainFrame>(*this);
    m_pDlgNewImage = new CSizeDlg(m_pMainFrame.get());
    m_pDlgAbout = new CAboutDlg(m_pMainFrame.get());

    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto watchClipboard = [this, clipboard] {
        const QMimeData* data = clipboard->mimeData();
        m_bClipboardImage = data && data->hasImage();
    };
    QObject::connect(clipboard, &QClipboard::dataChanged, m_pMainFrame.get(), watchClipboard);
    watchClipboard();

    m_pMainFrame->showMaximized();

    m_arrStartFiles = FilesToOpen(arguments);
    m_pSplash = new CSplashWnd(m_pMainFrame.get());
    QObject::connect(m_pSplash, &CSplashWnd::finished, m_pMainFrame.get(),
                     [this] { OnSplashFinished(); });
    m_pSplash->Start(m_options.nSplashMilliseconds);
    return true;
}

void CPictorraApp::OnSplashFinished() {
    if (m_pSplash) {
        m_pSplash->deleteLater();
        m_pSplash = nullptr;
    }
    const QStringList files = std::exchange(m_arrStartFiles, {});
    int opened = 0;
    for (const QString& path : files) {
        opened += OpenDocumentFile(path) ? 1 : 0;
    }
    // The command line asked for pictures and none could be opened: the program ends.
    if (!files.isEmpty() && opened == 0) {
        m_nExitCode = 1;
        m_pMainFrame->close();
    }
}

int CPictorraApp::ExitInstance() {
    m_pMainFrame.reset();
    m_pFreeImage.reset();
    return m_nExitCode;
}

void CPictorraApp::OnMainFrameClosed() {
    // Closed during the splash: the files named on the command line are not opened anymore.
    m_arrStartFiles.clear();
    if (m_pSplash) {
        m_pSplash->Finish();
    }
    WriteSettings();
}

void CPictorraApp::ReadSettings() {
    m_settings.Load(*m_pProfile);
}

void CPictorraApp::WriteSettings() {
    if (m_pMainFrame) {
        m_settings.m_nWindowState = m_pMainFrame->isMaximized() ? 1 : 0;
    }
    m_settings.Save(*m_pProfile);
}

CChildFrame* CPictorraApp::OpenDocumentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CChildFrame* child : m_pMainFrame->Children()) {
        if (SameFile(child->GetDocument().GetPathName(), absolute)) {
            m_pMainFrame->MdiArea()->setActiveSubWindow(child);
            return child;
        }
    }
    auto doc = m_pDocTemplate->CreateDocument();
    if (!doc->OnOpenDocument(absolute)) {
        return nullptr;
    }
    CChildFrame* frame = m_pDocTemplate->CreateFrame(std::move(doc), *m_pMainFrame);
    AddToRecentFileList(absolute);
    return frame;
}

CChildFrame* CPictorraApp::OnFileNew() {
    auto doc = m_pDocTemplate->CreateDocument();
    CSizeDlg& dialog = *m_pDlgNewImage;
    const QImage clip = m_bClipboardImage ? QGuiApplication::clipboard()->image() : QImage();
    dialog.SetSize(CSizeDlg::ProposedSize(clip));
    dialog.SetAcceptCheck([&doc](int w, int h) { return doc->OnNewDocument(w, h); });
    const bool accepted = dialog.exec() == QDialog::Accepted;
    dialog.SetAcceptCheck({});
    if (!accepted) {
        return nullptr;
    }
    doc->SetTitle(m_pDocTemplate->NextUntitledTitle());
    return m_pDocTemplate->CreateFrame(std::move(doc), *m_pMainFrame);
}

void CPictorraApp::OnFileOpen() {
    for (const QString& path : RunOpenDialog(m_pMainFrame.get(), m_fileDialogs)) {
        OpenDocumentFile(path);
    }
}

void CPictorraApp::OnEditPasteNew() {
    const QImage picture = QGuiApplication::clipboard()->image();
    if (picture.isNull()) {
        return;
    }
    // Only into the picture just made: cancelling New pastes nowhere. The document's Paste
    // puts the picture on a new layer above the white one; dropping the selection commits it.
    if (CChildFrame* frame = OnFileNew()) {
        CPictorraDoc& doc = frame->GetDocument();
        doc.Paste();
        doc.DropSelection();
    }
}

void CPictorraApp::OnOpenRecentFile(int index) {
    CRecentFileList& list = m_settings.m_RecentFiles;
    if (index < 0 || index >= list.Count()) {
        return;
    }
    const QString path = list[index];
    if (!OpenDocumentFile(path)) {
        // Gone or unreadable: it leaves the list.
        const qsizetype i = list.Names().indexOf(path);
        if (i >= 0) {
            list.Remove(int(i));
        }
        m_pMainFrame->Menus().UpdateRecentFiles(list);
    }
}

void CPictorraApp::AddToRecentFileList(const QString& path) {
    m_settings.m_RecentFiles.Add(path);
    if (m_pMainFrame) {
        m_pMainFrame->Menus().UpdateRecentFiles(m_settings.m_RecentFiles);
    }
}

void CPictorraApp::OnAppAbout() {
    m_pDlgAbout->exec();
}

void CPictorraApp::OnAppExit() {
    m_pMainFrame->close();
}

CSplashWnd* CPictorraApp::Splash() const {
    return m_pSplash.data();
}
