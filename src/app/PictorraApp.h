#pragma once

#include <QPointer>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

#include "app/AppSettings.h"
#include "app/FileDialogs.h"
#include "ui/CmdTarget.h"

class CAboutDlg;
class CChildFrame;
class CDocTemplate;
class CFreeImageLibrary;
class CMainFrame;
class CSizeDlg;
class CSplashWnd;
class QImage;

// How the program starts; the tests change these.
struct CAppOptions {
    QString strSettingsFile;         // empty: the current user's settings file
    int nSplashMilliseconds = 3000;  // how long the splash picture stays
};

// The program: starts the libraries, reads the settings, makes the main window, shows the
// splash picture and then opens the files named on the command line; handles the commands
// that need no document (New, Open, Paste into a new picture, recent files, About, Exit).
class CPictorraApp : public CCmdTarget {
public:
    explicit CPictorraApp(CAppOptions options = {});
    ~CPictorraApp() override;

    // Start-up. arguments are the command line, the program's name first. False ends the
    // program at once.
    bool InitInstance(const QStringList& arguments);
    // Shut-down, after the event loop ended; returns the program's exit code.
    int ExitInstance();

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CAppSettings& Settings() { return m_settings; }
    CDocTemplate& DocTemplate() const { return *m_pDocTemplate; }
    CFileDialogMemory& FileDialogMemory() { return m_fileDialogs; }
    CSizeDlg& NewImageDialog() const { return *m_pDlgNewImage; }
    CAboutDlg& AboutDialog() const { return *m_pDlgAbout; }
    // The splash picture while start-up shows it, null afterwards.
    CSplashWnd* Splash() const;
    // The settings store's file (config.ini) in the per-user data folder.
    const QString& ConfigPath() const { return m_strConfigPath; }

    // Opens path in a new child window, or activates the one that already shows it. The path
    // of Open, the command line, dropped files and recent files. Null when it failed (the
    // document told the user why).
    CChildFrame* OpenDocumentFile(const QString& path);
    // New: the "New Image" dialog, then a white picture of that size; null when cancelled.
    CChildFrame* OnFileNew();
    void OnFileOpen();
    // A new picture of the clipboard picture's size holding it.
    void OnEditPasteNew();
    void OnOpenRecentFile(int index);
    void OnAppAbout();
    void OnAppExit();

    // The file heads the recent files (after a successful open or save).
    void AddToRecentFileList(const QString& path);
    bool ClipboardHasImage() const { return m_bClipboardImage; }

    // The main window closed (every picture closed with it).
    void OnMainFrameClosed();

    // Reads and writes every value the program keeps between runs.
    void ReadSettings();
    void WriteSettings();

private:
    void OnSplashFinished();

    CAppOptions m_options;
    std::unique_ptr<CFreeImageLibrary> m_pFreeImage;
    std::unique_ptr<QSettings> m_pProfile;
    CAppSettings m_settings;
    QString m_strConfigPath;
    std::unique_ptr<CDocTemplate> m_pDocTemplate;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    CSizeDlg* m_pDlgNewImage = nullptr;  // owned by the main frame
    CAboutDlg* m_pDlgAbout = nullptr;
    QPointer<CSplashWnd> m_pSplash;
    CFileDialogMemory m_fileDialogs;
    QStringList m_arrStartFiles;
    bool m_bClipboardImage = false;
    int m_nExitCode = 0;
};
