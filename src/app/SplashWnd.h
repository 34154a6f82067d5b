#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

// The picture shown while the program starts. It stays for a while (3 seconds) without
// holding up the event loop, or until clicked, then closes and says so once.
class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    explicit CSplashWnd(QWidget* owner);

    // Shows the window centred over its owner and closes it after milliseconds.
    void Start(int milliseconds);
    // Closes it now (a click does the same).
    void Finish();
    bool IsFinished() const { return m_bFinished; }

signals:
    void finished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QWidget* m_pOwner;
    QImage m_picture;
    QTimer m_timer;
    bool m_bFinished = false;
};
