// pictorra-cli: the editor's core without windows, for batch work on many files.
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <optional>

#include "document/PictorraDoc.h"
#include "effects/EffectFrame.h"
#include "effects/EffectRegistry.h"
#include "files/FreeImageLibrary.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitMessage = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "usage:\n"
    "  pictorra-cli convert INPUT OUTPUT [--select L,T,R,B] [--primary AARRGGBB]\n"
    "               [--secondary AARRGGBB] [--apply NAME[:key=value,...]]...\n"
    "  pictorra-cli info FILE\n"
    "  pictorra-cli effects\n";

int Usage(const QString& problem = {}) {
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "pictorra-cli: %s\n", problem.toUtf8().constData());
    }
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

std::optional<uint32_t> ParseColor(const QString& text) {
    bool ok = false;
    const uint32_t value = text.toUInt(&ok, 16);
    if (!ok || text.size() != 8) {
        return std::nullopt;
    }
    return value;
}

// Opens path as the Open command does and shows it (the first layer is made).
bool OpenDocument(CPictorraDoc& doc, const QString& path) {
    if (!doc.OnOpenDocument(path)) {
        return false;
    }
    doc.OnFrameActivated();
    return true;
}

int Info(const QStringList& args) {
    if (args.size() != 1) {
        return Usage(QStringLiteral("info takes one file"));
    }
    CDocumentHost host;
    host.SetEchoMessages(true);
    CPictorraDoc doc(&host);
    if (!OpenDocument(doc, args[0])) {
        return kExitMessage;
    }
    QJsonArray layers;
    for (int n = 1; n <= doc.LayerCount(); ++n) {
        const CLayerFrame* layer = doc.Layer(n);
        layers.append(QJsonObject{{"number", layer->m_nNumber},
                                  {"width", layer->m_pBitmap->Width()},
                                  {"height", layer->m_pBitmap->Height()},
                                  {"offsetX", layer->m_nOffsetX},
                                  {"offsetY", layer->m_nOffsetY},
                                  {"opacity", layer->m_nOpacity},
                                  {"visible", layer->m_bVisible != 0}});
    }
    const QSize size = doc.ImageSize();
    const QJsonObject info{{"width", size.width()}, {"height", size.height()}, {"layers", layers}};
    std::fputs(QJsonDocument(info).toJson(QJsonDocument::Indented).constData(), stdout);
    return kExitOk;
}

int ListEffects() {
    QJsonArray list;
    for (const EffectInfo& effect : Effects()) {
        QJsonArray params;
        for (const EffectParameter& p : effect.parameters) {
            QJsonObject param{{"name", p.name},
                              {"min", p.minimum},
                              {"max", p.maximum},
                              {"default", p.defaultValue}};
            if (p.step != 1) {
                param["step"] = p.step;
            }
            if (!p.choices.isEmpty()) {
                param["choices"] = QJsonArray::fromStringList(p.choices);
            }
            if (p.contextDefault) {
                param["defaultFrom"] = p.contextDefaultText;
            }
            params.append(param);
        }
        list.append(QJsonObject{{"name", effect.name},
                                {"menu", effect.menuText},
                                {"command", effect.commandId},
                                {"flow", EffectFlowName(effect.flow)},
                                {"parameters", params}});
    }
    std::fputs(QJsonDocument(list).toJson(QJsonDocument::Indented).constData(), stdout);
    return kExitOk;
}

// One --apply: the effect and its values, checked before any file is read.
struct EffectStep {
    const EffectInfo* effect;
    EffectRequest request;
    std::vector<int> values;
};

// Runs the effects in order through the effect frame, as the Effects menu does with each
// dialog's values accepted at once: on the lifted selection when there is one, else on the
// active layer.
bool ApplyEffects(CPictorraDoc& doc, const std::vector<EffectStep>& steps) {
    for (const EffectStep& step : steps) {
        if (!ApplyEffect(doc, *step.effect, step.values)) {
            doc.Host().ShowMessage(QStringLiteral("The effect could not be applied."),
                                   MessageIcon::Error);
            return false;
        }
    }
    return true;
}

int Convert(const QStringList& args) {
    QStringList files;
    std::vector<EffectStep> effects;
    std::optional<CRect> select;
    uint32_t primary = 0xFF000000, secondary = 0xFFFFFFFF;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            files << a;
            continue;
        }
        if (i + 1 >= args.size()) {
            return Usage(QStringLiteral("%1 needs a value").arg(a));
        }
        const QString value = args[++i];
        if (a == QLatin1String("--apply")) {
            EffectRequest request;
            QString error;
            if (!ParseEffectRequest(value, &request, &error)) {
                return Usage(error);
            }
            const EffectInfo* effect = FindEffect(request.name);
            if (!effect) {
                return Usage(QStringLiteral("unknown effect '%1' (see 'pictorra-cli effects')")
                                 .arg(request.name));
            }
            effects.push_back({effect, request, {}});
        } else if (a == QLatin1String("--select")) {
            const QStringList parts = value.split(u',');
            bool ok = parts.size() == 4;
            int v[4] = {};
            for (int k = 0; ok && k < 4; ++k) {
                v[k] = parts[k].trimmed().toInt(&ok);
            }
            if (!ok || v[2] <= v[0] || v[3] <= v[1]) {
                return Usage(QStringLiteral("--select takes L,T,R,B with R > L and B > T"));
            }
            select = CRect(v[0], v[1], v[2], v[3]);
        } else if (a == QLatin1String("--primary") || a == QLatin1String("--secondary")) {
            const auto color = ParseColor(value);
            if (!color) {
                return Usage(QStringLiteral("%1 takes a colour as AARRGGBB").arg(a));
            }
            (a == QLatin1String("--primary") ? primary : secondary) = *color;
        } else {
            return Usage(QStringLiteral("unknown option %1").arg(a));
        }
    }
    if (files.size() != 2) {
        return Usage(QStringLiteral("convert takes an input and an output file"));
    }
    // The values depend on the colours (the colour filter starts from the primary colour), so
    // they are resolved once every option is known.
    const EffectContext colours{primary, secondary, nullptr};
    for (EffectStep& step : effects) {
        QString error;
        if (!ResolveEffectValues(*step.effect, step.request, colours, &step.values, &error)) {
            return Usage(error);
        }
    }

    // Every run starts the random sequence afresh (the host's own), so runs repeat exactly;
    // a batch run keeps no undo history.
    CDocumentHost host;
    host.SetEchoMessages(true);
    host.SetColors(primary, secondary);
    host.SetHistoryLimit(0);
    CPictorraDoc doc(&host);
    if (!OpenDocument(doc, files[0])) {
        return kExitMessage;
    }
    // The selection (image pixels, right and bottom exclusive) is lifted before the effects
    // and dropped back before saving.
    if (select) {
        doc.SelectRectangle(*select);
        if (!doc.LiftSelection()) {
            host.ShowMessage(QStringLiteral("The selection lies outside the picture."),
                             MessageIcon::Error);
            return kExitMessage;
        }
    }
    if (!ApplyEffects(doc, effects)) {
        return kExitMessage;
    }
    if (select) {
        doc.DropSelection();
    }
    if (!doc.OnSaveDocument(files[1])) {
        return kExitMessage;
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    // Batch work needs no screen; fonts and painting still come from Qt Gui.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    CFreeImageLibrary freeImage;
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        return Usage();
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("convert")) {
        return Convert(args);
    }
    if (command == QLatin1String("info")) {
        return Info(args);
    }
    if (command == QLatin1String("effects")) {
        return args.isEmpty() ? ListEffects() : Usage(QStringLiteral("effects takes no arguments"));
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    return Usage(QStringLiteral("unknown command '%1'").arg(command));
}
