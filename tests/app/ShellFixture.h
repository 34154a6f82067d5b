#pragma once

#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "app/PictorraApp.h"

class CChildFrame;
class CMainFrame;
class CPictorraDoc;

// The program started as a user starts it, with its settings in a temporary folder. The
// splash picture stays until FinishStartup (or a test's click).
class ShellFixture {
public:
    explicit ShellFixture(const QStringList& files = {});
    ~ShellFixture();

    CPictorraApp& App() { return *m_pApp; }
    CMainFrame& Frame();
    // Ends the splash now; the command-line files open.
    void FinishStartup();
    // A file name in the temporary folder.
    QString Path(const QString& name) const;
    // Writes a PNG of image into the temporary folder and returns its path.
    QString WritePicture(const QString& name, const QImage& image) const;

    // The active child window and its document (the test fails when there is none).
    CChildFrame* Active();
    CPictorraDoc& ActiveDoc();

    // New through the "New Image" dialog with the size typed in.
    CChildFrame* NewPicture(int width, int height);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CPictorraApp> m_pApp;
};

// A small picture with distinct pixels (alpha varying), as a QImage.
QImage MakeTestImage(int width, int height);
