#include "effects/EffectRegistry.h"

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

const std::vector<EffectInfo>& Effects() {
    static const std::vector<EffectInfo> effects;
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
