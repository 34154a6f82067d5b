// The one registry of effects: what the menus, dialogs and the command-line tool rely on.
#include <gtest/gtest.h>

#include <set>

#include "effects/EffectRegistry.h"
#include "effects/RandomSequence.h"
#include "support/TestPictures.h"

namespace {

// A pixel as text, for readable failures.
std::string H(uint32_t argb) {
    return Hex(argb).toStdString();
}

}  // namespace

TEST(EffectRegistry, NamesParametersAndCommandsOfEveryEffect) {
    // The command-line names with their keys in dialog order, and the command ids.
    const std::vector<std::tuple<QString, int, QStringList>> expected{
        {"brightness", 32806, {"red", "green", "blue"}},
        {"contrast", 32807, {"red", "green", "blue"}},
        {"hsb", 32809, {"hue", "saturation", "brightness"}},
        {"invert", 32812, {"red", "green", "blue"}},
        {"grayscale", 32813, {}},
        {"swap-red-blue", 32924, {}},
        {"swap-red-green", 32925, {}},
        {"swap-blue-green", 32926, {}},
        {"replace-color", 32961, {}},
        {"color-filter", 32938, {"rmin", "rmax", "gmin", "gmax", "bmin", "bmax", "mode"}},
        {"set-transparency", 33001, {"strength"}},
        {"sharpen", 32814, {}},
        {"emboss", 32815, {}},
        {"contrast-filter", 32842, {}},
        {"high-contrast", 32843, {}},
        {"prewitt", 32845, {}},
        {"sobel", 32846, {}},
        {"laplas", 32844, {}},
        {"blur", 32810, {"size"}},
        {"set-noise", 32958, {"strength"}},
        {"rgb-noise", 32960, {"red", "green", "blue"}},
        {"mosaic", 32927, {"size"}},
    };
    EXPECT_EQ(Effects().size(), expected.size());
    std::set<int> commands;
    for (const auto& [name, command, keys] : expected) {
        const EffectInfo* e = FindEffect(name);
        ASSERT_TRUE(e) << name.toStdString();
        EXPECT_EQ(e->commandId, command) << name.toStdString();
        EXPECT_EQ(FindEffectByCommand(command), e);
        EXPECT_TRUE(commands.insert(command).second);
        EXPECT_TRUE(e->apply) << name.toStdString();
        EXPECT_FALSE(e->menuText.isEmpty());
        EXPECT_EQ(e->flow == EffectFlow::Direct, e->dialogCaption.isEmpty()) << name.toStdString();
        QStringList names;
        for (const EffectParameter& p : e->parameters) {
            names << p.name;
            EXPECT_TRUE(p.Accepts(p.defaultValue))
                << name.toStdString() << " " << p.name.toStdString();
        }
        EXPECT_EQ(names, keys) << name.toStdString();
    }
}

TEST(EffectRegistry, DialogRangesAndDefaults) {
    struct Case {
        const char* effect;
        const char* key;
        int minimum, maximum, defaultValue, step;
    };
    const Case cases[] = {
        {"brightness", "green", 0, 100, 50, 1},
        {"hsb", "hue", 0, 100, 50, 1},
        {"invert", "blue", 0, 1, 1, 1},
        {"set-transparency", "strength", 0, 255, 255, 1},
        {"blur", "size", 3, 9, 3, 2},
        {"mosaic", "size", 2, 151, 2, 1},
        {"set-noise", "strength", 0, 100, 0, 1},
        {"rgb-noise", "red", 0, 100, 50, 1},
    };
    for (const Case& c : cases) {
        const EffectParameter* p =
            FindEffect(QString::fromLatin1(c.effect))->Parameter(QString::fromLatin1(c.key));
        ASSERT_TRUE(p) << c.effect << " " << c.key;
        EXPECT_EQ(p->minimum, c.minimum) << c.effect;
        EXPECT_EQ(p->maximum, c.maximum) << c.effect;
        EXPECT_EQ(p->defaultValue, c.defaultValue) << c.effect;
        EXPECT_EQ(p->step, c.step) << c.effect;
    }
    EXPECT_TRUE(FindEffect("brightness")->lockSliders);
    EXPECT_TRUE(FindEffect("rgb-noise")->lockSliders);
    EXPECT_FALSE(FindEffect("hsb")->lockSliders);
    EXPECT_EQ(FindEffect("blur")->flow, EffectFlow::SettingDialog);
    EXPECT_EQ(FindEffect("color-filter")->flow, EffectFlow::LivePreview);
    EXPECT_EQ(FindEffect("set-noise")->dialogCaption, "Set Strength");
    // The colour filter starts from the primary colour.
    const EffectContext context{0xFF102030, 0xFFFFFFFF, nullptr};
    EXPECT_EQ(FindEffect("color-filter")->DefaultValues(context),
              (std::vector<int>{0x10, 0x10, 0x20, 0x20, 0x30, 0x30, 0}));
}

TEST(EffectRegistry, RequestsAreCheckedAgainstTheRanges) {
    struct Case {
        const char* text;
        bool ok;
        std::vector<int> values;  // when ok
        const char* error;        // part of the message otherwise
    };
    const std::vector<Case> cases{
        {"brightness:red=100,blue=0", true, {100, 50, 0}, ""},
        {"brightness:RED=7", true, {7, 50, 50}, ""},
        {"brightness:red=101", false, {}, "0..100"},
        {"brightness:red=-1", false, {}, "0..100"},
        {"brightness:red=lots", false, {}, "not allowed"},
        {"brightness:alpha=3", false, {}, "no parameter 'alpha'"},
        {"grayscale:level=2", false, {}, "takes no parameters"},
        {"blur:size=9", true, {9}, ""},
        {"blur:size=4", false, {}, "one of 3, 5, 7, 9"},
        {"blur:size=11", false, {}, "one of 3, 5, 7, 9"},
        {"mosaic:size=1", false, {}, "2..151"},
        {"color-filter:mode=erase,rmax=255", true, {0, 255, 0, 0, 0, 0, 1}, ""},
        {"color-filter:mode=1", true, {0, 0, 0, 0, 0, 0, 1}, ""},
        {"color-filter:mode=blend", false, {}, "keep, erase"},
        {"invert:green=0", true, {1, 0, 1}, ""},
        {"invert:green=2", false, {}, "0..1"},
    };
    const EffectContext context;
    for (const Case& c : cases) {
        EffectRequest request;
        QString error;
        ASSERT_TRUE(ParseEffectRequest(QString::fromLatin1(c.text), &request, &error)) << c.text;
        std::vector<int> values;
        const bool ok =
            ResolveEffectValues(*FindEffect(request.name), request, context, &values, &error);
        EXPECT_EQ(ok, c.ok) << c.text << ": " << error.toStdString();
        if (ok) {
            EXPECT_EQ(values, c.values) << c.text;
        } else {
            EXPECT_TRUE(error.contains(QString::fromLatin1(c.error)))
                << c.text << ": " << error.toStdString();
        }
    }
}

TEST(EffectRegistry, ApplyRunsTheEffectWithTheContextColours) {
    auto b = Bitmap::Create(2, 1, 0xFF000000);
    b->SetPixel(1, 0, 0xFF0A0B0C);
    CRandomSequence random;
    const EffectContext context{0xFF000000, 0xFF00FF00, &random};
    const EffectInfo* replace = FindEffect("replace-color");
    ASSERT_TRUE(replace->apply(*b, {}, context));
    EXPECT_EQ(H(b->GetPixel(0, 0)), H(0xFF00FF00));
    EXPECT_EQ(H(b->GetPixel(1, 0)), H(0xFF0A0B0C));
    const EffectInfo* noise = FindEffect("set-noise");
    ASSERT_TRUE(noise->apply(*b, {50}, context));
    EXPECT_NE(random.State(), CRandomSequence().State());
}
