#pragma once

#include <QSettings>
#include <QString>
#include <cstdint>

#include "ui/CommandIds.h"
#include "ui/RecentFileList.h"

// Every value the program keeps between runs. They are read once at start and written once
// when the main window closes, here and nowhere else. The file mirrors the registry layout of
// the program's other builds: groups "Settings", "TwainSources", "MainWindow" and
// "Recent File List" under the profile Software\Brennic\Pictorra.
struct CAppSettings {
    static constexpr int kMinHistoryStates = 1;
    static constexpr int kMaxHistoryStates = 1000;

    // Settings
    int m_nHistoryStates = 25;  // undo entries kept per layer
    int m_nWebCamSizeX = 640;   // camera picture size; both or neither come from the file
    int m_nWebCamSizeY = 480;
    uint64_t m_nWebCamFrequency = 333333;  // 100-ns units per frame (30 frames a second)
    // TwainSources
    QString m_strScannerSource;
    QString m_strCameraSource;
    // MainWindow: 1 when the main window was maximised at exit; the window's normal geometry
    // and the layout of its bars (QMainWindow::saveGeometry, saveState).
    int m_nWindowState = 1;
    QByteArray m_baGeometry;
    QByteArray m_baBarState;

    CRecentFileList m_RecentFiles{kRecentFileCount};

    // A value that is missing or of the wrong type leaves the member as it is.
    void Load(QSettings& settings);
    void Save(QSettings& settings) const;

    // The settings file of the current user (~/.config/Brennic/Pictorra.ini).
    static QString DefaultFile();
};
