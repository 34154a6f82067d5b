#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <cstdint>

class QLineEdit;
class QPushButton;
class QSlider;
class CGradientPreview;

// "Select Gradient Color": the two colours of a gradient chosen together, each as alpha, red,
// green and blue on sliders 0..255 with an edit beside each and one hexadecimal edit
// (AARRGGBB), a "First Color..." / "Second Color..." button for the system colour dialog, and
// a preview of the vertical gradient from colour 1 at the top to colour 2 at the bottom over
// the caller's picture.
//
//     CSelectTwoColorsDlg dialog(picture, primary, secondary, parent);
//     if (dialog.exec() == QDialog::Accepted) { use(dialog.Color1(), dialog.Color2()); }
//
// Cancel leaves the caller's colours as they were (the dialog only reports its own).
class CSelectTwoColorsDlg : public QDialog {
    Q_OBJECT
public:
    // The components of one colour, in the order the dialog stores them.
    enum Component { A = 0, R = 1, G = 2, B = 3 };
    static constexpr int kPreviewSize = 270;

    // background: the picture under the preview (its top-left 270 x 270 pixels; a null image
    // shows a checkerboard). color1, color2: 0xAARRGGBB.
    CSelectTwoColorsDlg(const QImage& background, uint32_t color1, uint32_t color2,
                        QWidget* parent = nullptr);
    ~CSelectTwoColorsDlg() override;

    // The colours as they stand, 0xAARRGGBB (after exec(): what the user accepted).
    uint32_t Color1() const { return ColorOf(0); }
    uint32_t Color2() const { return ColorOf(1); }
    // One component (0..255) of colour 0 (the first) or 1 (the second).
    int ComponentOf(int color, Component component) const { return m_comp[color][component]; }

    // The controls, for the tests.
    QSlider* Slider(int color, Component component) const { return m_pSliders[color][component]; }
    QLineEdit* Edit(int color, Component component) const { return m_pEdits[color][component]; }
    QLineEdit* HexEdit(int color) const { return m_pHexEdits[color]; }
    QPushButton* ChooseButton(int color) const { return m_pChooseButtons[color]; }
    // The preview as it is painted: kPreviewSize square.
    QImage PreviewImage() const;

private:
    uint32_t ColorOf(int color) const;
    // Every control shows the components: edits whose number differs are rewritten, the
    // hexadecimal edits when their text differs, sliders when their position differs.
    void Synchronize();
    void OnEditChanged(int color, Component component);
    void OnSliderMoved();
    void OnHexEdited(int color);
    void OnChooseColor(int color);

    QImage m_background;
    std::array<std::array<int, 4>, 2> m_comp{};
    std::array<std::array<QSlider*, 4>, 2> m_pSliders{};
    std::array<std::array<QLineEdit*, 4>, 2> m_pEdits{};
    std::array<QLineEdit*, 2> m_pHexEdits{};
    std::array<QPushButton*, 2> m_pChooseButtons{};
    CGradientPreview* m_pPreview = nullptr;
    bool m_bSynchronizing = false;
};

// Runs the dialog on color1 and color2 (0xAARRGGBB); on OK writes the chosen colours back and
// returns true, on Cancel leaves both as they were.
bool RunSelectTwoColorsDlg(const QImage& background, uint32_t& color1, uint32_t& color2,
                           QWidget* parent);
