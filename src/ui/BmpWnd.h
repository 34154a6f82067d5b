#pragma once

#include <QImage>
#include <QWidget>

class Bitmap;

// A picture preview for dialogs (the camera's live picture, the masks and borders): it keeps
// its own copy of a picture and stretches it over the whole window, aspect ratio not kept.
// Nothing is drawn while it has no picture.
class CBmpWnd : public QWidget {
    Q_OBJECT
public:
    explicit CBmpWnd(QWidget* parent = nullptr);

    // Takes a copy of the picture (a null image clears it) and repaints.
    void SetImage(const QImage& image);
    void SetBitmap(const Bitmap& bitmap);
    void Clear() { SetImage(QImage()); }
    const QImage& Image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};
