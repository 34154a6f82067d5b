#include "document/DocumentHost.h"

#include <cstdio>

void CDocumentHost::Changed(CPictorraDoc&, unsigned) {}

CSelection* CDocumentHost::SelectionOf(const CPictorraDoc&) {
    return nullptr;
}

void CDocumentHost::FinishTextEntry(CPictorraDoc&) {}

void CDocumentHost::MoveTextEntry(CPictorraDoc&, int, int) {}

void CDocumentHost::ShowMessage(const QString& text, MessageIcon) {
    m_messages.append(text);
    if (m_bEcho) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
}
