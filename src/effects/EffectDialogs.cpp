#include "effects/EffectDialogs.h"

#include <QPushButton>

namespace {

const EffectInfo& Named(const char* name) {
    // Every dialog here belongs to an effect of the registry; a renamed one is a programming
    // error that the dialog tests catch.
    return *FindEffect(QString::fromLatin1(name));
}

}  // namespace

CAdjustBrightnessDlg::CAdjustBrightnessDlg(std::vector<int> values, QWidget* parent)
    : CSliderEffectDlg(Named("brightness"), std::move(values), parent) {}

CAdjustContrastDlg::CAdjustContrastDlg(std::vector<int> values, QWidget* parent)
    : CSliderEffectDlg(Named("contrast"), std::move(values), parent) {}

CAdjustHSBDlg::CAdjustHSBDlg(std::vector<int> values, QWidget* parent)
    : CSliderEffectDlg(Named("hsb"), std::move(values), parent) {}

CInvertDlg::CInvertDlg(std::vector<int> values, QWidget* parent)
    : CSliderEffectDlg(Named("invert"), std::move(values), parent) {}

CSetTransparencyFragmentDlg::CSetTransparencyFragmentDlg(std::vector<int> values, QWidget* parent)
    : CSliderEffectDlg(Named("set-transparency"), std::move(values), parent) {}

CBlurDlg::CBlurDlg(std::vector<int> values, QWidget* parent)
    : CSliderEffectDlg(Named("blur"), std::move(values), parent) {}

CMosaicDlg::CMosaicDlg(std::vector<int> values, QWidget* parent)
    : CSliderEffectDlg(Named("mosaic"), std::move(values), parent) {}

CSetNoiseDlg::CSetNoiseDlg(std::vector<int> values, QWidget* parent)
    : CSliderEffectDlg(Named("set-noise"), std::move(values), parent) {}

CRGBNoiseDlg::CRGBNoiseDlg(std::vector<int> values, QWidget* parent)
    : CSliderEffectDlg(Named("rgb-noise"), std::move(values), parent) {
    OkButton()->setText(QStringLiteral("Apply"));
}

namespace {

using DialogMaker = std::unique_ptr<CEffectDlg> (*)(std::vector<int>, const EffectContext&,
                                                    QWidget*);

template <class Dialog>
std::unique_ptr<CEffectDlg> Make(std::vector<int> values, const EffectContext&, QWidget* parent) {
    return std::make_unique<Dialog>(std::move(values), parent);
}

std::unique_ptr<CEffectDlg> MakeColorFilter(std::vector<int> values, const EffectContext& context,
                                            QWidget* parent) {
    return std::make_unique<CColorFilterDlg>(std::move(values), context, parent);
}

const std::pair<const char*, DialogMaker> kDialogs[] = {
    {"brightness", Make<CAdjustBrightnessDlg>},
    {"contrast", Make<CAdjustContrastDlg>},
    {"hsb", Make<CAdjustHSBDlg>},
    {"invert", Make<CInvertDlg>},
    {"color-filter", MakeColorFilter},
    {"set-transparency", Make<CSetTransparencyFragmentDlg>},
    {"blur", Make<CBlurDlg>},
    {"mosaic", Make<CMosaicDlg>},
    {"set-noise", Make<CSetNoiseDlg>},
    {"rgb-noise", Make<CRGBNoiseDlg>},
};

}  // namespace

std::unique_ptr<CEffectDlg> CreateEffectDialog(const EffectInfo& effect, std::vector<int> values,
                                               const EffectContext& context, QWidget* parent) {
    for (const auto& [name, make] : kDialogs) {
        if (effect.name == QLatin1String(name)) {
            return make(std::move(values), context, parent);
        }
    }
    // An effect added to the registry later gets a dialog made from its parameters.
    if (effect.flow == EffectFlow::Direct) {
        return nullptr;
    }
    return std::make_unique<CSliderEffectDlg>(effect, std::move(values), parent);
}
