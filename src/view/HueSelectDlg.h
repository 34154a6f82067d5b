#pragma once

#include <QDialog>
#include <QPoint>
#include <functional>

class QSpinBox;

// "Hue Selection": the range of hues (Range:, 0 .. 16960, starting at 0) a hue selection
// takes around the hue of the pixel clicked. Modeless; every change of the range is told to
// whoever shows the dialog at once, so that the pixels taken can be shown while choosing.
class CHueSelectDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxRange = 16960;

    explicit CHueSelectDlg(QWidget* parent = nullptr);

    int Range() const;
    void SetRange(int range);
    QSpinBox* RangeBox() const { return m_pRange; }

    // Called with the new range at every change.
    std::function<void(int)> m_onRangeChanged;

private:
    QSpinBox* m_pRange;
};
