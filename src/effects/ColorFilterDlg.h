#pragma once

#include <array>

#include "effects/ColorFilter.h"
#include "effects/EffectDlg.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSlider;

// "Color Filter": for red, green and blue a minimum and a maximum, each a vertical slider
// (0..255) with its edit box kept in step; "Keep color" or "Erase color"; the range buttons;
// "Synchronously", which moves the same bound of the other two channels along with a slider.
// It opens with every range collapsed to the primary colour and erases with the secondary one.
class CColorFilterDlg : public CEffectDlg {
    Q_OBJECT
public:
    // The bounds in the order of the values: red min, red max, green min, green max, blue
    // min, blue max.
    static constexpr int kBounds = 6;

    CColorFilterDlg(std::vector<int> values, const EffectContext& context,
                    QWidget* parent = nullptr);

    QSlider* BoundSlider(int bound) const { return m_sliders[size_t(bound)]; }
    QLineEdit* BoundEdit(int bound) const { return m_edits[size_t(bound)]; }
    QRadioButton* KeepButton() const { return m_pKeep; }
    QRadioButton* EraseButton() const { return m_pErase; }
    QCheckBox* SynchronousBox() const { return m_pSynchronous; }

    // The bounds and mode as the filter takes them.
    ColorFilterParams Params() const;

private:
    void SetParams(const ColorFilterParams& params);
    // Every edit box whose text is not its bound's number gets it (an empty one too), every
    // slider not at its bound moves there; nothing of it reports back as a change.
    void Synchronize();
    void OnEditChanged(int bound, const QString& text);
    void OnSliderChanged();
    // The bounds or the mode changed: the controls follow and the picture is filtered again.
    void Changed();

    uint32_t m_uDefaultColor;
    uint32_t m_uEraseColor;
    std::array<QSlider*, kBounds> m_sliders{};
    std::array<QLineEdit*, kBounds> m_edits{};
    QRadioButton* m_pKeep;
    QRadioButton* m_pErase;
    QCheckBox* m_pSynchronous;
};
