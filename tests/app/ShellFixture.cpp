#include "ShellFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/SizeDlg.h"
#include "app/SplashWnd.h"
#include "support/WidgetTesting.h"
#include "ui/CommandIds.h"
#include "ui/CommandRouter.h"

ShellFixture::ShellFixture(const QStringList& files) {
    // Each test starts from an empty clipboard.
    QGuiApplication::clipboard()->clear();
    CAppOptions options;
    options.strSettingsFile = m_dir.filePath(QStringLiteral("Pictorra.ini"));
    options.nSplashMilliseconds = 60 * 60 * 1000;
    m_pApp = std::make_unique<CPictorraApp>(options);
    EXPECT_TRUE(m_pApp->InitInstance(QStringList{QStringLiteral("pictorra")} + files));
}

ShellFixture::~ShellFixture() {
    CancelPendingModalActions();
    m_pApp.reset();
    QGuiApplication::clipboard()->clear();
}

CMainFrame& ShellFixture::Frame() {
    return *m_pApp->MainFrame();
}

void ShellFixture::FinishStartup() {
    if (CSplashWnd* splash = m_pApp->Splash()) {
        splash->Finish();
    }
}

QString ShellFixture::Path(const QString& name) const {
    return m_dir.filePath(name);
}

QString ShellFixture::WritePicture(const QString& name, const QImage& image) const {
    const QString path = Path(name);
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

CChildFrame* ShellFixture::Active() {
    CChildFrame* child = Frame().ActiveChild();
    EXPECT_NE(child, nullptr) << "no picture is open";
    return child;
}

CPictorraDoc& ShellFixture::ActiveDoc() {
    return Active()->GetDocument();
}

CChildFrame* ShellFixture::NewPicture(int width, int height) {
    WhenModal([width, height](QWidget* modal) {
        auto* dialog = qobject_cast<CSizeDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->WidthEdit()->setText(QString::number(width));
        dialog->HeightEdit()->setText(QString::number(height));
        dialog->accept();
    });
    const QList<CChildFrame*> before = Frame().Children();
    Frame().Router().Execute(ID_FILE_NEW);
    CChildFrame* child = Frame().ActiveChild();
    EXPECT_FALSE(before.contains(child));
    return child;
}

QImage MakeTestImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           qRgba(x * 7 % 256, y * 11 % 256, (x + y) * 5 % 256,
                                 x < width / 2 ? 255 : 128 + y % 100));
        }
    }
    return image;
}
