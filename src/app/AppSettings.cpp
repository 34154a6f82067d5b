#include "app/AppSettings.h"

#include <algorithm>

#include "ui/SettingsStore.h"

namespace {
const QString kHistoryStates = QStringLiteral("Settings/History States");
const QString kWebCamSizeX = QStringLiteral("Settings/WEB Camera Size X");
const QString kWebCamSizeY = QStringLiteral("Settings/WEB Camera Size Y");
const QString kWebCamFrequency = QStringLiteral("Settings/WEB Camera Frequency");
const QString kScannerSource = QStringLiteral("TwainSources/Scanner Twain Src");
const QString kCameraSource = QStringLiteral("TwainSources/Camera DShow Src");
const QString kWindowState = QStringLiteral("MainWindow/WindowState");
const QString kGeometry = QStringLiteral("MainWindow/Geometry");
const QString kBarState = QStringLiteral("MainWindow/BarState");
}  // namespace

void CAppSettings::Load(QSettings& settings) {
    const CSettingsStore store(settings);
    if (auto v = store.ReadDword(kHistoryStates)) {
        // The preferences allow 1..1000; a file may say anything.
        m_nHistoryStates = int(std::clamp<uint32_t>(*v, kMinHistoryStates, kMaxHistoryStates));
    }
    const auto x = store.ReadDword(kWebCamSizeX);
    const auto y = store.ReadDword(kWebCamSizeY);
    if (x && y && *x <= INT32_MAX && *y <= INT32_MAX) {
        m_nWebCamSizeX = int(*x);
        m_nWebCamSizeY = int(*y);
    }
    if (auto v = store.ReadQword(kWebCamFrequency)) {
        m_nWebCamFrequency = *v;
    }
    if (auto v = store.ReadString(kScannerSource)) {
        m_strScannerSource = *v;
    }
    if (auto v = store.ReadString(kCameraSource)) {
        m_strCameraSource = *v;
    }
    if (auto v = store.ReadDword(kWindowState); v && *v <= 1) {
        m_nWindowState = int(*v);
    }
    if (auto v = store.ReadBinary(kGeometry)) {
        m_baGeometry = *v;
    }
    if (auto v = store.ReadBinary(kBarState)) {
        m_baBarState = *v;
    }
    m_RecentFiles.Load(store);
}

void CAppSettings::Save(QSettings& settings) const {
    CSettingsStore store(settings);
    store.WriteDword(kHistoryStates, uint32_t(m_nHistoryStates));
    store.WriteDword(kWebCamSizeX, uint32_t(m_nWebCamSizeX));
    store.WriteDword(kWebCamSizeY, uint32_t(m_nWebCamSizeY));
    store.WriteQword(kWebCamFrequency, m_nWebCamFrequency);
    store.WriteString(kScannerSource, m_strScannerSource);
    store.WriteString(kCameraSource, m_strCameraSource);
    store.WriteDword(kWindowState, uint32_t(m_nWindowState));
    if (!m_baGeometry.isEmpty()) {
        store.WriteBinary(kGeometry, m_baGeometry);
    }
    if (!m_baBarState.isEmpty()) {
        store.WriteBinary(kBarState, m_baBarState);
    }
    m_RecentFiles.Save(store);
    settings.sync();
}

QString CAppSettings::DefaultFile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brennic"),
                     QStringLiteral("Pictorra"))
        .fileName();
}
