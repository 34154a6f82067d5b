#include "app/SplashWnd.h"

#include <QPainter>
#include <QScreen>

#include "app/BrandPicture.h"

namespace {
// 340 x 193 dialog units at the usual dialog font.
constexpr QSize kSplashSize(510, 314);
}  // namespace

CSplashWnd::CSplashWnd(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_pOwner(owner),
      m_picture(MakeBrandPicture(kSplashSize)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kSplashSize);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CSplashWnd::Finish);
}

void CSplashWnd::Start(int milliseconds) {
    QRect area = m_pOwner ? m_pOwner->frameGeometry() : QRect();
    if (area.isEmpty() && screen()) {
        area = screen()->availableGeometry();
    }
    QRect frame(QPoint(), size());
    frame.moveCenter(area.center());
    move(frame.topLeft());
    show();
    raise();
    m_timer.start(milliseconds);
}

void CSplashWnd::Finish() {
    if (m_bFinished) {
        return;
    }
    m_bFinished = true;
    m_timer.stop();
    hide();
    emit finished();
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(rect(), m_picture);
}

void CSplashWnd::mousePressEvent(QMouseEvent*) {
    Finish();
}
