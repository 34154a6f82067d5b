#include "ui/RecentFileList.h"

#include <QDir>
#include <QFileInfo>

#include "ui/SettingsStore.h"

namespace {
QString Key(int index) {
    return QStringLiteral("Recent File List/File%1").arg(index + 1);
}
}  // namespace

void CRecentFileList::Add(const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    const QString name = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    m_arrNames.removeAll(name);
    m_arrNames.prepend(name);
    while (m_arrNames.size() > m_nSize) {
        m_arrNames.removeLast();
    }
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < Count()) {
        m_arrNames.removeAt(index);
    }
}

QString CRecentFileList::MenuText(int index) const {
    QString name = QDir::toNativeSeparators(m_arrNames[index]);
    name.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}

void CRecentFileList::Load(const CSettingsStore& store) {
    m_arrNames.clear();
    for (int i = 0; i < m_nSize; ++i) {
        if (auto name = store.ReadString(Key(i)); name && !name->isEmpty()) {
            if (!m_arrNames.contains(*name)) {
                m_arrNames.append(*name);
            }
        }
    }
}

void CRecentFileList::Save(CSettingsStore& store) const {
    for (int i = 0; i < m_nSize; ++i) {
        if (i < Count()) {
            store.WriteString(Key(i), m_arrNames[i]);
        } else {
            store.Remove(Key(i));
        }
    }
}
