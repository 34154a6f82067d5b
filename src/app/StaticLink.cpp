#include "app/StaticLink.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>

CStaticLink::CStaticLink(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setTextFormat(Qt::PlainText);
    SetTextColor(QColor::fromRgb(kUnvisitedColor));
}

bool CStaticLink::Open() {
    const QString target = m_strLink.isEmpty() ? text() : m_strLink;
    if (!QDesktopServices::openUrl(QUrl::fromUserInput(target))) {
        QApplication::beep();
        return false;
    }
    m_bVisited = true;
    SetTextColor(QColor::fromRgb(kVisitedColor));
    return true;
}

void CStaticLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Open();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void CStaticLink::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        Open();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CStaticLink::SetTextColor(QColor color) {
    m_color = color;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
    update();
}
