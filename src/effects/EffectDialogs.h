#pragma once

#include <memory>
#include <vector>

#include "effects/ColorFilterDlg.h"
#include "effects/EffectDlg.h"

// The dialogs of the Effects menu. Those that are only sliders or check boxes are made from
// the effect's parameters in the registry; each has its own class all the same, so that a
// dialog can grow controls of its own later.

// Red, Green and Blue 0..100 at 50 with "Lock"; labels "%d%%".
class CAdjustBrightnessDlg : public CSliderEffectDlg {
    Q_OBJECT
public:
    explicit CAdjustBrightnessDlg(std::vector<int> values, QWidget* parent = nullptr);
};

class CAdjustContrastDlg : public CSliderEffectDlg {
    Q_OBJECT
public:
    explicit CAdjustContrastDlg(std::vector<int> values, QWidget* parent = nullptr);
};

// Hue, Saturation and Brightness 0..100 at 50, no "Lock".
class CAdjustHSBDlg : public CSliderEffectDlg {
    Q_OBJECT
public:
    explicit CAdjustHSBDlg(std::vector<int> values, QWidget* parent = nullptr);
};

// "Red", "Green" and "Blue" check boxes, all on.
class CInvertDlg : public CSliderEffectDlg {
    Q_OBJECT
public:
    explicit CInvertDlg(std::vector<int> values, QWidget* parent = nullptr);
};

// The alpha of a lifted selection, "Strength:" 0..255 at 255.
class CSetTransparencyFragmentDlg : public CSliderEffectDlg {
    Q_OBJECT
public:
    explicit CSetTransparencyFragmentDlg(std::vector<int> values, QWidget* parent = nullptr);
};

// "Blur Setting": the kernel size 3, 5, 7 or 9 on slider positions 1..4.
class CBlurDlg : public CSliderEffectDlg {
    Q_OBJECT
public:
    explicit CBlurDlg(std::vector<int> values, QWidget* parent = nullptr);
};

// "Mosaic Setting": the block size 2..151 on slider positions 1..150.
class CMosaicDlg : public CSliderEffectDlg {
    Q_OBJECT
public:
    explicit CMosaicDlg(std::vector<int> values, QWidget* parent = nullptr);
};

// "Set Strength": the noise strength 0..100 at 0.
class CSetNoiseDlg : public CSliderEffectDlg {
    Q_OBJECT
public:
    explicit CSetNoiseDlg(std::vector<int> values, QWidget* parent = nullptr);
};

// "RGB Noise": Red, Green and Blue 0..100 at 50 with "Lock"; "Apply" and "Cancel".
class CRGBNoiseDlg : public CSliderEffectDlg {
    Q_OBJECT
public:
    explicit CRGBNoiseDlg(std::vector<int> values, QWidget* parent = nullptr);
};

// The dialog of effect opening with values; null for an effect without one (a direct effect).
std::unique_ptr<CEffectDlg> CreateEffectDialog(const EffectInfo& effect, std::vector<int> values,
                                               const EffectContext& context,
                                               QWidget* parent = nullptr);
