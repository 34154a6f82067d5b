#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <vector>

class Bitmap;
class CProgress;
class CRandomSequence;

// How an effect reaches the pixels from its menu command; the effect frame of the document
// runs each kind.
enum class EffectFlow {
    Direct,           // no dialog: applied once at once
    DialogThenApply,  // a dialog collects the parameters; OK applies once
    LiveAdjustment,   // every control change recomputes from the untouched pixels
    LivePreview,      // as a preview dialog, applied on every change without a Preview button
    SettingDialog,    // every slider move applies again and records a history entry
    PreviewDialog,    // a Preview button applies; OK applies and records the entry
};

// What an effect reads from the program around it when it runs.
struct EffectContext {
    uint32_t primary = 0xFF000000;    // the colour bar's primary (foreground) colour
    uint32_t secondary = 0xFFFFFFFF;  // and its secondary (background) colour
    // The program's one random sequence; the noise effects draw from it (never null for them).
    CRandomSequence* random = nullptr;
    // The token of a run that may be cancelled, null otherwise. An effect that takes long on a
    // big picture looks at it at every row (IsCancelled) and may then return at once, leaving
    // the target half done: whoever cancelled puts the untouched pixels back. It counts the
    // rows it finished (AdvanceProgress); the total is the target's height unless it sets one.
    CProgress* progress = nullptr;
};

// One parameter of an effect, as its dialog's control and the command line take it. Values are
// minimum, minimum + step, ... up to maximum.
struct EffectParameter {
    QString name;   // the command-line key, lower case
    QString label;  // the dialog's text for the control
    int minimum = 0;
    int maximum = 0;
    int defaultValue = 0;
    int step = 1;
    // Named values (for example "keep" and "erase"); the value is the index.
    QStringList choices = {};
    // When set, the default follows the colours of the moment (the colour filter starts from
    // the primary colour); contextDefaultText says so in listings.
    int (*contextDefault)(const EffectContext&) = nullptr;
    QString contextDefaultText = {};

    int DefaultFor(const EffectContext& context) const {
        return contextDefault ? contextDefault(context) : defaultValue;
    }
    bool Accepts(int value) const {
        return value >= minimum && value <= maximum && (value - minimum) % step == 0;
    }
};

// An effect asked for by name with some of its parameters ("blur:size=5").
struct EffectRequest {
    QString name;
    std::map<QString, QString> values;
};

// Splits "name" or "name:key=value,key=value". False with *error set when malformed.
bool ParseEffectRequest(const QString& text, EffectRequest* request, QString* error);

// Runs the effect on target with one value per parameter, in the parameters' order. False,
// with target unchanged, when the values do not suit the effect (ResolveEffectValues checks
// them beforehand).
using EffectApply = bool (*)(Bitmap& target, const std::vector<int>& values,
                             const EffectContext& context);

// Every effect the program has, in menu order.
struct EffectInfo {
    QString name;      // the command-line name
    QString menuText;  // the Effects menu item ("&" marks the mnemonic)
    QString submenu;   // the submenu the item sits in, or empty
    int commandId = 0;
    EffectFlow flow = EffectFlow::Direct;
    QString dialogCaption;  // empty for a direct effect
    // The dialog's "Lock" box ties its three sliders together.
    bool lockSliders = false;
    // Works on a lifted selection only; without one the command opens the layer's own dialog
    // (set transparency: the layer opacity). The command-line tool takes the whole layer.
    bool selectionOnly = false;
    std::vector<EffectParameter> parameters;
    EffectApply apply = nullptr;
    // The Effects menu puts a separator before this item.
    bool startsGroup = false;

    std::vector<int> DefaultValues(const EffectContext& context) const;
    const EffectParameter* Parameter(const QString& key) const;
};

const std::vector<EffectInfo>& Effects();
const EffectInfo* FindEffect(const QString& name);
const EffectInfo* FindEffectByCommand(int commandId);

// The values of request for effect: the defaults, with the request's keys put in. False with
// *error set for an unknown key, a value that is not a number or choice of its parameter, or a
// value outside its range.
bool ResolveEffectValues(const EffectInfo& effect, const EffectRequest& request,
                         const EffectContext& context, std::vector<int>* values, QString* error);

// The flow's name in listings ("direct", "live-adjustment", ...).
QString EffectFlowName(EffectFlow flow);
