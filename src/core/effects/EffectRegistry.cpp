#include "effects/EffectRegistry.h"

#include "effects/AdjustBrightness.h"
#include "effects/AdjustContrast.h"
#include "effects/AdjustHSB.h"
#include "effects/Blur.h"
#include "effects/ColorFilter.h"
#include "effects/Emboss.h"
#include "effects/GrayScale.h"
#include "effects/InvertColors.h"
#include "effects/KernelFilters.h"
#include "effects/Mosaic.h"
#include "effects/ReplaceColor.h"
#include "effects/RgbNoise.h"
#include "effects/SetNoise.h"
#include "effects/SetTransparency.h"
#include "effects/Sharpen.h"
#include "effects/SwapChannels.h"
#include "platform/Bitmap.h"

bool ParseEffectRequest(const QString& text, EffectRequest* request, QString* error) {
    const qsizetype colon = text.indexOf(u':');
    request->name = text.left(colon < 0 ? text.size() : colon).trimmed();
    request->values.clear();
    if (request->name.isEmpty()) {
        *error = QStringLiteral("an effect needs a name");
        return false;
    }
    if (colon < 0) {
        return true;
    }
    const QStringList pairs = text.mid(colon + 1).split(u',', Qt::SkipEmptyParts);
    for (const QString& pair : pairs) {
        const qsizetype eq = pair.indexOf(u'=');
        if (eq <= 0) {
            *error = QStringLiteral("'%1' is not key=value").arg(pair);
            return false;
        }
        request->values[pair.left(eq).trimmed().toLower()] = pair.mid(eq + 1).trimmed();
    }
    return true;
}

namespace {

// The parameters of the three-slider dialogs (0..100, middle 50).
std::vector<EffectParameter> ThreeSliders(const QString& a, const QString& b, const QString& c,
                                          int initial = 50) {
    auto slider = [initial](const QString& label) {
        return EffectParameter{label.toLower(), label, 0, 100, initial};
    };
    return {slider(a), slider(b), slider(c)};
}

std::vector<EffectParameter> RedGreenBlue() {
    return ThreeSliders(QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue"));
}

EffectParameter Bound(const char* name, const char* label, int (*fromPrimary)(const EffectContext&),
                      const char* text) {
    EffectParameter p{QString::fromLatin1(name), QString::fromLatin1(label), 0, 255, 0};
    p.contextDefault = fromPrimary;
    p.contextDefaultText = QString::fromLatin1(text);
    return p;
}

int PrimaryRed(const EffectContext& c) {
    return int(ArgbRed(c.primary));
}
int PrimaryGreen(const EffectContext& c) {
    return int(ArgbGreen(c.primary));
}
int PrimaryBlue(const EffectContext& c) {
    return int(ArgbBlue(c.primary));
}

bool Swap(Bitmap& target, bool red, bool green, bool blue) {
    SwapChannels(target, SwapParams{red, green, blue});
    return true;
}

// A fixed-kernel filter: a direct effect without parameters.
template <KernelFilter filter>
EffectInfo KernelEffect(const char* name, const char* menu, int command) {
    EffectInfo info;
    info.name = QString::fromLatin1(name);
    info.menuText = QString::fromLatin1(menu);
    info.commandId = command;
    info.flow = EffectFlow::Direct;
    info.apply = [](Bitmap& target, const std::vector<int>&, const EffectContext& context) {
        ApplyKernelFilter(target, filter, context.progress);
        return true;
    };
    return info;
}

std::vector<EffectInfo> MakeEffects() {
    using V = const std::vector<int>&;
    using C = const EffectContext&;
    std::vector<EffectInfo> e;

    e.push_back({"brightness",
                 "Adjust &Brightness...",
                 {},
                 32806,
                 EffectFlow::LiveAdjustment,
                 "Adjust Brightness",
                 true,
                 false,
                 RedGreenBlue(),
                 [](Bitmap& t, V v, C) {
                     AdjustBrightness(t, BrightnessParams{v[0], v[1], v[2]});
                     return true;
                 }});
    e.push_back({"contrast",
                 "Adjust &Contrast...",
                 {},
                 32807,
                 EffectFlow::LiveAdjustment,
                 "Adjust Contrast",
                 true,
                 false,
                 RedGreenBlue(),
                 [](Bitmap& t, V v, C) {
                     AdjustContrast(t, ContrastParams{v[0], v[1], v[2]});
                     return true;
                 }});
    e.push_back({"hsb",
                 "Adjust &HSB...",
                 {},
                 32809,
                 EffectFlow::LiveAdjustment,
                 "Adjust HSB",
                 false,
                 false,
                 ThreeSliders(QStringLiteral("Hue"), QStringLiteral("Saturation"),
                              QStringLiteral("Brightness")),
                 [](Bitmap& t, V v, C c) {
                     AdjustHSB(t, HSBParams{v[0], v[1], v[2]}, c.progress);
                     return true;
                 }});
    {
        std::vector<EffectParameter> boxes = RedGreenBlue();
        for (EffectParameter& p : boxes) {
            p.maximum = 1;
            p.defaultValue = 1;
        }
        e.push_back({"invert",
                     "&Invert Colors...",
                     {},
                     32812,
                     EffectFlow::DialogThenApply,
                     "Invert Colors",
                     false,
                     false,
                     boxes,
                     [](Bitmap& t, V v, C) {
                         InvertColors(t, InvertParams{v[0] != 0, v[1] != 0, v[2] != 0});
                         return true;
                     }});
    }
    e.push_back({"grayscale",
                 "&Gray Scale",
                 {},
                 32813,
                 EffectFlow::Direct,
                 {},
                 false,
                 false,
                 {},
                 [](Bitmap& t, V, C) {
                     GrayScale(t);
                     return true;
                 }});
    const QString swap = QStringLiteral("Swap");
    e.push_back({"swap-red-blue",
                 "Red and Blue",
                 swap,
                 32924,
                 EffectFlow::Direct,
                 {},
                 false,
                 false,
                 {},
                 [](Bitmap& t, V, C) { return Swap(t, true, false, true); }});
    e.push_back({"swap-red-green",
                 "Red and Green",
                 swap,
                 32925,
                 EffectFlow::Direct,
                 {},
                 false,
                 false,
                 {},
                 [](Bitmap& t, V, C) { return Swap(t, true, true, false); }});
    e.push_back({"swap-blue-green",
                 "Blue and Green",
                 swap,
                 32926,
                 EffectFlow::Direct,
                 {},
                 false,
                 false,
                 {},
                 [](Bitmap& t, V, C) { return Swap(t, false, true, true); }});
    e.push_back({"replace-color",
                 "Replace Color",
                 {},
                 32961,
                 EffectFlow::Direct,
                 {},
                 false,
                 false,
                 {},
                 [](Bitmap& t, V, C c) {
                     ReplaceColor(t, c.primary, c.secondary);
                     return true;
                 }});
    {
        EffectParameter mode{"mode", "Mode", 0, 1, 0};
        mode.choices = QStringList{QStringLiteral("keep"), QStringLiteral("erase")};
        e.push_back({"color-filter",
                     "Color Filter...",
                     {},
                     32938,
                     EffectFlow::LivePreview,
                     "Color Filter",
                     false,
                     false,
                     {Bound("rmin", "Red minimum", PrimaryRed, "primary red"),
                      Bound("rmax", "Red maximum", PrimaryRed, "primary red"),
                      Bound("gmin", "Green minimum", PrimaryGreen, "primary green"),
                      Bound("gmax", "Green maximum", PrimaryGreen, "primary green"),
                      Bound("bmin", "Blue minimum", PrimaryBlue, "primary blue"),
                      Bound("bmax", "Blue maximum", PrimaryBlue, "primary blue"), mode},
                     [](Bitmap& t, V v, C c) {
                         ColorFilterParams p;
                         p.redMin = v[0];
                         p.redMax = v[1];
                         p.greenMin = v[2];
                         p.greenMax = v[3];
                         p.blueMin = v[4];
                         p.blueMax = v[5];
                         p.mode = v[6];
                         p.eraseColor = c.secondary;
                         ColorFilter(t, p);
                         return true;
                     }});
    }
    e.push_back({"set-transparency",
                 "Set Transparency...",
                 {},
                 33001,
                 EffectFlow::LivePreview,
                 "Set Transparency",
                 false,
                 true,
                 {EffectParameter{"strength", "Strength:", 0, 255, 255}},
                 [](Bitmap& t, V v, C) {
                     SetTransparency(t, v[0]);
                     return true;
                 }});
    e.push_back({"sharpen",
                 "Sharpen",
                 {},
                 32814,
                 EffectFlow::Direct,
                 {},
                 false,
                 false,
                 {},
                 [](Bitmap& t, V, C c) {
                     Sharpen(t, c.progress);
                     return true;
                 }});
    e.back().startsGroup = true;  // the neighbourhood filters
    e.push_back({"emboss",
                 "Emboss",
                 {},
                 32815,
                 EffectFlow::Direct,
                 {},
                 false,
                 false,
                 {},
                 [](Bitmap& t, V, C c) {
                     Emboss(t, c.progress);
                     return true;
                 }});
    e.push_back(
        KernelEffect<KernelFilter::ContrastFilter>("contrast-filter", "Contrast Filter", 32842));
    e.push_back(KernelEffect<KernelFilter::HighContrast>("high-contrast", "High Contrast", 32843));
    e.push_back(KernelEffect<KernelFilter::Prewitt>("prewitt", "Prewitt", 32845));
    e.push_back(KernelEffect<KernelFilter::Sobel>("sobel", "Sobel", 32846));
    e.push_back(KernelEffect<KernelFilter::Laplas>("laplas", "Laplas", 32844));
    e.push_back({"blur",
                 "B&lur Image...",
                 {},
                 32810,
                 EffectFlow::SettingDialog,
                 "Blur Setting",
                 false,
                 false,
                 {EffectParameter{"size", "Size:", 3, 9, 3, 2}},
                 [](Bitmap& t, V v, C c) { return Blur(t, v[0], c.progress); }});
    e.push_back({"mosaic",
                 "Mosaic...",
                 {},
                 32927,
                 EffectFlow::SettingDialog,
                 "Mosaic Setting",
                 false,
                 false,
                 {EffectParameter{"size", "Size:", kMosaicMinSize, kMosaicMaxSize, 2}},
                 [](Bitmap& t, V v, C c) {
                     Mosaic(t, v[0], c.progress);
                     return true;
                 }});
    e.back().startsGroup = true;  // mosaic and noise
    e.push_back({"set-noise",
                 "Set Noise...",
                 {},
                 32958,
                 EffectFlow::LiveAdjustment,
                 "Set Strength",
                 false,
                 false,
                 {EffectParameter{"strength", "Strength:", 0, 100, 0}},
                 [](Bitmap& t, V v, C c) {
                     SetNoise(t, v[0], *c.random);
                     return true;
                 }});
    e.push_back({"rgb-noise",
                 "Set RGB Noise...",
                 {},
                 32960,
                 EffectFlow::LiveAdjustment,
                 "RGB Noise",
                 true,
                 false,
                 RedGreenBlue(),
                 [](Bitmap& t, V v, C c) {
                     RgbNoise(t, RgbNoiseParams{v[0], v[1], v[2]}, *c.random);
                     return true;
                 }});
    return e;
}

}  // namespace

const std::vector<EffectInfo>& Effects() {
    static const std::vector<EffectInfo> effects = MakeEffects();
    return effects;
}

const EffectInfo* FindEffect(const QString& name) {
    for (const auto& effect : Effects()) {
        if (effect.name == name) {
            return &effect;
        }
    }
    return nullptr;
}

const EffectInfo* FindEffectByCommand(int commandId) {
    for (const auto& effect : Effects()) {
        if (effect.commandId == commandId) {
            return &effect;
        }
    }
    return nullptr;
}

std::vector<int> EffectInfo::DefaultValues(const EffectContext& context) const {
    std::vector<int> values;
    values.reserve(parameters.size());
    for (const EffectParameter& p : parameters) {
        values.push_back(p.DefaultFor(context));
    }
    return values;
}

const EffectParameter* EffectInfo::Parameter(const QString& key) const {
    for (const EffectParameter& p : parameters) {
        if (p.name == key) {
            return &p;
        }
    }
    return nullptr;
}

bool ResolveEffectValues(const EffectInfo& effect, const EffectRequest& request,
                         const EffectContext& context, std::vector<int>* values, QString* error) {
    *values = effect.DefaultValues(context);
    for (const auto& [key, text] : request.values) {
        const EffectParameter* p = effect.Parameter(key);
        if (!p) {
            *error = effect.parameters.empty()
                         ? QStringLiteral("%1 takes no parameters").arg(effect.name)
                         : QStringLiteral("%1 has no parameter '%2'").arg(effect.name, key);
            return false;
        }
        bool ok = false;
        int value = p->choices.indexOf(text.toLower());
        if (value >= 0) {
            ok = true;
        } else {
            value = text.toInt(&ok);
        }
        if (!ok || !p->Accepts(value)) {
            QString allowed;
            if (!p->choices.isEmpty()) {
                allowed = p->choices.join(QStringLiteral(", "));
            } else if (p->step != 1) {
                QStringList list;
                for (int v = p->minimum; v <= p->maximum; v += p->step) {
                    list << QString::number(v);
                }
                allowed = QStringLiteral("one of ") + list.join(QStringLiteral(", "));
            } else {
                allowed = QStringLiteral("%1..%2").arg(p->minimum).arg(p->maximum);
            }
            *error = QStringLiteral("%1: %2=%3 is not allowed (%4)")
                         .arg(effect.name, key, text, allowed);
            return false;
        }
        (*values)[size_t(p - effect.parameters.data())] = value;
    }
    return true;
}

QString EffectFlowName(EffectFlow flow) {
    switch (flow) {
        case EffectFlow::Direct:
            return QStringLiteral("direct");
        case EffectFlow::DialogThenApply:
            return QStringLiteral("dialog-then-apply");
        case EffectFlow::LiveAdjustment:
            return QStringLiteral("live-adjustment");
        case EffectFlow::LivePreview:
            return QStringLiteral("live-preview");
        case EffectFlow::SettingDialog:
            return QStringLiteral("setting-dialog");
        case EffectFlow::PreviewDialog:
            return QStringLiteral("preview-dialog");
    }
    return {};
}
