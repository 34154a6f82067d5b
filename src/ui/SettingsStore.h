#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <cstdint>
#include <optional>

// Typed values over QSettings, the program's counterpart of registry values: a value is read
// only when it is present and of the asked type (a 32-bit or 64-bit unsigned number, a text,
// or binary data); anything else reads as absent, so the caller keeps its default. Keys are
// "group/name" as the registry's "key\value".
class CSettingsStore {
public:
    explicit CSettingsStore(QSettings& settings) : m_settings(settings) {}

    std::optional<uint32_t> ReadDword(const QString& key) const;
    std::optional<uint64_t> ReadQword(const QString& key) const;
    std::optional<QString> ReadString(const QString& key) const;
    std::optional<QByteArray> ReadBinary(const QString& key) const;

    void WriteDword(const QString& key, uint32_t value);
    void WriteQword(const QString& key, uint64_t value);
    void WriteString(const QString& key, const QString& value);
    void WriteBinary(const QString& key, const QByteArray& value);
    void Remove(const QString& key);

private:
    std::optional<uint64_t> ReadUnsigned(const QString& key, uint64_t maximum) const;

    QSettings& m_settings;
};
