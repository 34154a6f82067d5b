#include "document/DocumentHost.h"

#include <cstdio>

void CDocumentHost::Changed(CPictorraDoc&, unsigned) {}

void CDocumentHost::ShowMessage(const QString& text, MessageIcon) {
    m_messages.append(text);
    if (m_bEcho) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
}
