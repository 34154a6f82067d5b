#pragma once

#include <QColor>
#include <QLabel>

// A clickable hyperlink text: blue and underlined, the hand cursor over it. A click (or Space
// or Enter while it has the focus) opens the link target -- or, when no target is set, its
// text -- with the desktop's handler; a link that opened turns purple, one that failed beeps.
class CStaticLink : public QLabel {
    Q_OBJECT
public:
    static constexpr QRgb kUnvisitedColor = 0x0000FF;
    static constexpr QRgb kVisitedColor = 0x800080;

    explicit CStaticLink(const QString& text = {}, QWidget* parent = nullptr);

    void SetLink(const QString& target) { m_strLink = target; }
    const QString& Link() const { return m_strLink; }
    bool IsVisited() const { return m_bVisited; }
    QColor TextColor() const { return m_color; }

    // Opens the target; true when the desktop took it.
    bool Open();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetTextColor(QColor color);

    QString m_strLink;
    QColor m_color;
    bool m_bVisited = false;
};
