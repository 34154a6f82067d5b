#pragma once

#include <QDockWidget>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <optional>

class CColorBarPanel;
class CExplorerDlg;
class QAction;
class QLabel;
class QSlider;
class QToolButton;

// The "Colors" bar: the program's two drawing colours -- the primary colour (left button) and
// the secondary colour (right button), 0xAARRGGBB -- and the opacity that gives both their
// alpha. It shows the two swatches, a palette of 16 colours and a spectrum to pick from (left
// button: primary, right button: secondary), the opacity slider with its percentage, a strip
// per colour over a transparency pattern that opens the colour dialog, the two "Set Color"
// buttons (main-frame commands), and the tips panel below.
//
// Everyone reads the colours here at every use and nobody keeps a copy; changing them
// repaints the bar.
class CColorBar : public QDockWidget {
    Q_OBJECT
public:
    // Panel pixels of the painted parts.
    static constexpr QRect kPrimaryStrip{30, 258, 100, 20};
    static constexpr QRect kSecondaryStrip{30, 288, 100, 20};
    static constexpr QRect kSpectrum{40, 40, 142, 142};
    static constexpr int kPaletteSize = 16;
    static constexpr QPoint kBrowserPos{5, 320};
    static constexpr QSize kBrowserSize{325, 550};
    // The palette's colours (opaque) and squares, two rows of eight.
    static uint32_t PaletteColor(int index);
    static QRect PaletteSquare(int index);

    explicit CColorBar(QWidget* parent = nullptr);
    ~CColorBar() override;

    uint32_t PrimaryColor() const { return m_uPrimary; }
    uint32_t SecondaryColor() const { return m_uSecondary; }
    // Both colours as given (alpha included); the bar repaints.
    void SetColors(uint32_t primary, uint32_t secondary);

    // The opacity percentage 0..100, the slider's position.
    int Transparency() const { return m_nTransparency; }
    // Puts the slider and its label at percent without touching the colours (the colour
    // picker does this after taking a colour with its own alpha). A user's move of the
    // slider instead gives both colours the new alpha.
    void SetTransparency(int percent);

    // The colour under a panel point: a palette square's colour, the spectrum's pixel as
    // painted (opaque), or nothing elsewhere.
    std::optional<uint32_t> ColorAt(QPoint panelPoint) const;

    // The "Set Color" buttons run these actions (the main frame's commands); which = 0 is
    // the primary colour's, 1 the secondary's.
    void SetColorButtonActions(QAction* primary, QAction* secondary);
    // The system colour dialog on one colour (the "Set Color" commands). The colour takes
    // the dialog's red, green and blue (after Cancel its own) with the opacity's alpha.
    void ChooseSystemColor(int which);
    // The colour dialog on one colour (a click on its strip); true when accepted.
    bool EditColor(int which);

    // The parts, for the main frame and the tests.
    QWidget* Panel() const;
    QSlider* OpacitySlider() const { return m_pSlider; }
    QLabel* OpacityLabel() const { return m_pLabel; }
    QToolButton* SetColorButton(int which) const { return m_pButtons[which]; }
    CExplorerDlg* Browser() const { return m_pBrowser; }
    // The bar's off-screen picture (200 x 400) as last painted.
    const QImage& Picture() const { return m_image; }

signals:
    // Either colour changed, by whatever means.
    void ColorsChanged();
    // The primary colour or the opacity changed on the bar itself: the text being typed
    // follows it.
    void TextColorChanged();

private:
    friend class CColorBarPanel;
    void OnSliderMoved(int position);
    void OnPress(QPoint point, Qt::MouseButton button);
    // Paints the off-screen picture again and shows it.
    void Repaint();

    uint32_t m_uPrimary = 0xFF000000;
    uint32_t m_uSecondary = 0xFFFFFFFF;
    int m_nTransparency = 100;
    QImage m_image;
    CColorBarPanel* m_pPanel;
    QSlider* m_pSlider;
    QLabel* m_pLabel;
    QToolButton* m_pButtons[2];
    CExplorerDlg* m_pBrowser = nullptr;
};
