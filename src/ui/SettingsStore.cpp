#include "ui/SettingsStore.h"

#include <QVariant>
#include <algorithm>

std::optional<uint64_t> CSettingsStore::ReadUnsigned(const QString& key, uint64_t maximum) const {
    const QVariant value = m_settings.value(key);
    bool ok = false;
    uint64_t number = 0;
    switch (value.typeId()) {
        case QMetaType::QString: {
            // The file keeps plain decimal digits; a sign, blanks or anything else is another
            // type of value.
            const QString text = value.toString();
            const bool digitsOnly =
                !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                               [](QChar c) { return c >= u'0' && c <= u'9'; });
            if (digitsOnly) {
                number = text.toULongLong(&ok);
            }
            break;
        }
        case QMetaType::Int:
        case QMetaType::LongLong:
            if (value.toLongLong() >= 0) {
                number = value.toULongLong(&ok);
            }
            break;
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            number = value.toULongLong(&ok);
            break;
        default:
            break;
    }
    if (!ok || number > maximum) {
        return std::nullopt;
    }
    return number;
}

std::optional<uint32_t> CSettingsStore::ReadDword(const QString& key) const {
    if (auto v = ReadUnsigned(key, UINT32_MAX)) {
        return uint32_t(*v);
    }
    return std::nullopt;
}

std::optional<uint64_t> CSettingsStore::ReadQword(const QString& key) const {
    return ReadUnsigned(key, UINT64_MAX);
}

std::optional<QString> CSettingsStore::ReadString(const QString& key) const {
    const QVariant value = m_settings.value(key);
    if (value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return value.toString();
}

std::optional<QByteArray> CSettingsStore::ReadBinary(const QString& key) const {
    const QVariant value = m_settings.value(key);
    if (value.typeId() != QMetaType::QByteArray) {
        return std::nullopt;
    }
    return value.toByteArray();
}

void CSettingsStore::WriteDword(const QString& key, uint32_t value) {
    m_settings.setValue(key, QString::number(value));
}

void CSettingsStore::WriteQword(const QString& key, uint64_t value) {
    m_settings.setValue(key, QString::number(value));
}

void CSettingsStore::WriteString(const QString& key, const QString& value) {
    m_settings.setValue(key, value);
}

void CSettingsStore::Remove(const QString& key) {
    m_settings.remove(key);
}

void CSettingsStore::WriteBinary(const QString& key, const QByteArray& value) {
    m_settings.setValue(key, value);
}
