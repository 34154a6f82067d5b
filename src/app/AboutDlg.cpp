#include "app/AboutDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/BrandPicture.h"
#include "app/StaticLink.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Pictorra"));

    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap::fromImage(MakeBrandPicture({400, 300})));
    auto* version = new QLabel(QStringLiteral("Pictorra Version " PICTORRA_VERSION), this);
    version->setObjectName(QStringLiteral("version"));

    m_pWebSite = new CStaticLink(QStringLiteral("pictorra.example.org"), this);
    m_pWebSite->SetLink(QString::fromLatin1(kWebSite));
    m_pSupport = new CStaticLink(QStringLiteral("support@pictorra.example.org"), this);
    m_pSupport->SetLink(QString::fromLatin1(kSupport));

    auto* notice = new QLabel(
        QStringLiteral("This program uses FreeImage, an open source image library. See "
                       "https://freeimage.sourceforge.io for details. FreeImage is used under "
                       "the FreeImage Public License, version 1.0."),
        this);
    notice->setObjectName(QStringLiteral("freeimage"));
    notice->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(version);
    layout->addWidget(m_pWebSite);
    layout->addWidget(m_pSupport);
    layout->addWidget(notice);
    layout->addWidget(buttons);
    setFixedWidth(440);
}
