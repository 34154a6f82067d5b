#include "panels/ExplorerDlg.h"

#include <QTimer>
#include <QUrl>

CExplorerDlg::CExplorerDlg(QWidget* parent) : QTextBrowser(parent), m_pTimer(new QTimer(this)) {
    setFocusPolicy(Qt::NoFocus);
    setOpenExternalLinks(true);
    setSource(QUrl(Pages().front()));
    m_pTimer->setInterval(kPageMilliseconds);
    connect(m_pTimer, &QTimer::timeout, this, &CExplorerDlg::ShowNextPage);
    m_pTimer->start();
}

QStringList CExplorerDlg::Pages() {
    QStringList pages;
    for (int i = 1; i <= 5; ++i) {
        pages << QStringLiteral("qrc:/tips/tip%1.html").arg(i);
    }
    return pages;
}

void CExplorerDlg::ShowNextPage() {
    const QStringList pages = Pages();
    m_nPage = (m_nPage + 1) % int(pages.size());
    setSource(QUrl(pages[m_nPage]));
}
