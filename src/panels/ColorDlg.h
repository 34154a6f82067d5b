#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "platform/ColorModel.h"

class QLineEdit;

// "Color": one colour as red, green and blue (0..255), hue (0..360 degrees), saturation and
// value (0..100 percent) and hexadecimal RRGGBB, in seven edits kept in step: the edit that
// has the focus is the source, and a change in it recomputes the others (from R, G or B the
// HSV and hex; from H, S or V the RGB and hex; from hex the RGB and HSV). A typed value
// outside its field's range is rewritten at the nearest end; text that is no number is put
// back as it was. OK writes the colour fully opaque, whatever its alpha was; Cancel leaves it.
//
//     CColorDlg dialog(color, parent);   // color: the caller's 0xAARRGGBB
//     dialog.exec();
class CColorDlg : public QDialog {
    Q_OBJECT
public:
    explicit CColorDlg(uint32_t& color, QWidget* parent = nullptr);

    // The edit of a field and the value it holds now.
    QLineEdit* Edit(ColorField field) const { return m_pEdits[Index(field)]; }
    int Value(ColorField field) const { return m_values[Index(field)]; }
    // The field whose edit has the focus, 1 (R) .. 7 (hex), or 0.
    int Source() const { return m_nSource; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static int Index(ColorField field) { return int(field); }
    void OnTextChanged(ColorField field);
    void SetField(ColorField field, int value);
    void RecomputeFrom(ColorField field);

    uint32_t& m_color;
    std::array<int, 7> m_values{};
    std::array<QLineEdit*, 7> m_pEdits{};
    int m_nSource = 0;
};

// The text a field shows for value: "%d", or "%.6X" for the hexadecimal field.
QString FormatColorField(ColorField field, int value);
