#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/AppSettings.h"
#include "ui/RecentFileList.h"

namespace {

// Settings read from an INI file holding text (the file a user or another build left). Each
// call writes a file of its own: QSettings keeps files it has read and may not notice a
// rewrite of the same size within the same second.
CAppSettings LoadFrom(const QTemporaryDir& dir, const QByteArray& text) {
    static int files = 0;
    const QString path = dir.filePath(QStringLiteral("Pictorra%1.ini").arg(++files));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
    file.close();
    QSettings settings(path, QSettings::IniFormat);
    CAppSettings values;
    values.Load(settings);
    return values;
}

}  // namespace

TEST(AppSettings, ReadsOnlyValuesOfTheRightTypeAndKeepsDefaultsOtherwise) {
    struct Case {
        const char* text;  // the "Settings" group's lines
        int historyStates;
        int camX, camY;
        uint64_t frequency;
    };
    const Case cases[] = {
        {"", 25, 640, 480, 333333},
        {"History%20States=40\n", 40, 640, 480, 333333},
        {"History%20States=abc\n", 25, 640, 480, 333333},
        {"History%20States=-5\n", 25, 640, 480, 333333},
        {"History%20States=4294967296\n", 25, 640, 480, 333333},  // no 32-bit number
        {"History%20States=0\n", 1, 640, 480, 333333},            // the preferences' range
        {"History%20States=5000\n", 1000, 640, 480, 333333},
        {"History%20States=1, 2\n", 25, 640, 480, 333333},        // a list, not a number
        {"WEB%20Camera%20Size%20X=320\n", 25, 640, 480, 333333},  // both or neither
        {"WEB%20Camera%20Size%20X=320\nWEB%20Camera%20Size%20Y=x\n", 25, 640, 480, 333333},
        {"WEB%20Camera%20Size%20X=320\nWEB%20Camera%20Size%20Y=240\n", 25, 320, 240, 333333},
        {"WEB%20Camera%20Frequency=12345678901234\n", 25, 640, 480, 12345678901234u},
        {"WEB%20Camera%20Frequency=1.5\n", 25, 640, 480, 333333},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const CAppSettings s = LoadFrom(dir, QByteArray("[Settings]\n") + c.text);
        EXPECT_EQ(s.m_nHistoryStates, c.historyStates) << c.text;
        EXPECT_EQ(s.m_nWebCamSizeX, c.camX) << c.text;
        EXPECT_EQ(s.m_nWebCamSizeY, c.camY) << c.text;
        EXPECT_EQ(s.m_nWebCamFrequency, c.frequency) << c.text;
    }

    const CAppSettings strings = LoadFrom(dir,
                                          "[TwainSources]\n"
                                          "Scanner%20Twain%20Src=Flatbed 2000\n"
                                          "Camera%20DShow%20Src=a, b\n"
                                          "[MainWindow]\nWindowState=7\n");
    EXPECT_EQ(strings.m_strScannerSource, "Flatbed 2000");
    EXPECT_EQ(strings.m_strCameraSource, "") << "a list is no text value";
    EXPECT_EQ(strings.m_nWindowState, 1);
}

TEST(AppSettings, WhatIsSavedReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Pictorra.ini"));
    {
        CAppSettings s;
        s.m_nHistoryStates = 7;
        s.m_nWebCamSizeX = 1280;
        s.m_nWebCamSizeY = 720;
        s.m_nWebCamFrequency = uint64_t(1) << 40;
        s.m_strScannerSource = QStringLiteral("Scanner, with a comma");
        s.m_strCameraSource = QStringLiteral("Camera");
        s.m_nWindowState = 0;
        for (int i = 1; i <= 11; ++i) {
            s.m_RecentFiles.Add(QStringLiteral("/pictures/%1.png").arg(i));
        }
        QSettings settings(path, QSettings::IniFormat);
        s.Save(settings);
    }
    QSettings settings(path, QSettings::IniFormat);
    CAppSettings r;
    r.Load(settings);
    EXPECT_EQ(r.m_nHistoryStates, 7);
    EXPECT_EQ(r.m_nWebCamSizeX, 1280);
    EXPECT_EQ(r.m_nWebCamSizeY, 720);
    EXPECT_EQ(r.m_nWebCamFrequency, uint64_t(1) << 40);
    EXPECT_EQ(r.m_strScannerSource, "Scanner, with a comma");
    EXPECT_EQ(r.m_strCameraSource, "Camera");
    EXPECT_EQ(r.m_nWindowState, 0);
    ASSERT_EQ(r.m_RecentFiles.Count(), 9) << "nine recent files are kept";
    EXPECT_EQ(r.m_RecentFiles[0], "/pictures/11.png");
    EXPECT_EQ(r.m_RecentFiles[8], "/pictures/3.png");
}

TEST(AppSettings, TheWindowLayoutIsBinaryDataAndNothingElse) {
    QTemporaryDir dir;
    const QByteArray layout("\x00\x01layout\xff", 10);
    {
        CAppSettings s;
        s.m_baGeometry = QByteArray("geometry");
        s.m_baBarState = layout;
        QSettings settings(dir.filePath(QStringLiteral("Layout.ini")), QSettings::IniFormat);
        s.Save(settings);
    }
    QSettings settings(dir.filePath(QStringLiteral("Layout.ini")), QSettings::IniFormat);
    CAppSettings r;
    r.Load(settings);
    EXPECT_EQ(r.m_baGeometry, QByteArray("geometry"));
    EXPECT_EQ(r.m_baBarState, layout);

    // Text or a number where the layout belongs is no layout.
    const CAppSettings wrong = LoadFrom(dir, "[MainWindow]\nBarState=abc\nGeometry=12\n");
    EXPECT_TRUE(wrong.m_baBarState.isEmpty());
    EXPECT_TRUE(wrong.m_baGeometry.isEmpty());
}

TEST(RecentFileList, ReopenedFilesMoveUpAndMenuTextsEscapeAmpersands) {
    CRecentFileList list(3);
    for (const char* name : {"/a/1.png", "/a/2.png", "/a/3.png", "/a/1.png", "/a/4.png"}) {
        list.Add(QString::fromLatin1(name));
    }
    EXPECT_EQ(list.Names(), QStringList({"/a/4.png", "/a/1.png", "/a/3.png"}));
    list.Add(QStringLiteral("/a/b/../Tom & Jerry.png"));
    EXPECT_EQ(list.MenuText(0), "&1 /a/Tom && Jerry.png");
    list.Remove(0);
    list.Remove(5);
    EXPECT_EQ(list.Names(), QStringList({"/a/4.png", "/a/1.png"}));
}
