#pragma once

#include <QDialog>
#include <QSize>
#include <functional>

class QLineEdit;
class QImage;

// The "New Image" dialog: width and height of a new picture, digits only. OK asks the accept
// check (the new document refusing a size it cannot make, with its message) and stays open
// while the check fails, so a mistyped side can be corrected.
class CSizeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSizeDlg(QWidget* parent = nullptr);

    // The size proposed for a picture on the clipboard: its sides, 100 for a side that cannot
    // be read (no picture, or a side of 0).
    static QSize ProposedSize(const QImage& clipboardImage);

    void SetSize(QSize size);
    // The entered sides; an empty field gives 0.
    int EnteredWidth() const;
    int EnteredHeight() const;

    void SetAcceptCheck(std::function<bool(int width, int height)> check) {
        m_check = std::move(check);
    }

    QLineEdit* WidthEdit() const { return m_pWidth; }
    QLineEdit* HeightEdit() const { return m_pHeight; }

    void accept() override;

private:
    QLineEdit* m_pWidth;
    QLineEdit* m_pHeight;
    std::function<bool(int, int)> m_check;
};
