#pragma once

#include <QString>
#include <QStringList>

class CSettingsStore;

// The files opened or saved last, most recent first, as the File menu lists them.
class CRecentFileList {
public:
    explicit CRecentFileList(int size) : m_nSize(size) {}

    // Puts path first (an entry for the same file moves up); the oldest falls off the end.
    void Add(const QString& path);
    void Remove(int index);
    int Count() const { return int(m_arrNames.size()); }
    int Size() const { return m_nSize; }
    const QString& operator[](int index) const { return m_arrNames[index]; }
    const QStringList& Names() const { return m_arrNames; }

    // The menu text of entry index: "&1 /home/me/picture.png".
    QString MenuText(int index) const;

    // Section "Recent File List", values "File1".."FileN".
    void Load(const CSettingsStore& store);
    void Save(CSettingsStore& store) const;

private:
    int m_nSize;
    QStringList m_arrNames;
};
