#include "ui/BmpWnd.h"

#include <QPainter>

#include "platform/Bitmap.h"

CBmpWnd::CBmpWnd(QWidget* parent) : QWidget(parent) {}

void CBmpWnd::SetImage(const QImage& image) {
    // A copy of its own: the caller's picture may change or go while this one is shown.
    m_image = image.isNull() ? QImage() : image.copy();
    update();
}

void CBmpWnd::SetBitmap(const Bitmap& bitmap) {
    SetImage(bitmap.View());
}

void CBmpWnd::paintEvent(QPaintEvent*) {
    if (m_image.isNull()) {
        return;
    }
    QPainter painter(this);
    // A plain copy of the pixels, alpha included, as the stretching blit of a preview does.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(rect(), m_image);
}
