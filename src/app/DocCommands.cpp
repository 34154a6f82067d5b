#include "app/DocCommands.h"

#include <QFileInfo>
#include <QMessageBox>

#include "app/ChildFrame.h"
#include "app/FileDialogs.h"
#include "app/PictorraApp.h"
#include "document/PictorraDoc.h"
#include "document/SelectionCommands.h"
#include "effects/EffectCommands.h"
#include "effects/EffectRegistry.h"
#include "files/FileFormats.h"
#include "ui/CommandIds.h"

CDocCommands::CDocCommands(CPictorraDoc& doc, CChildFrame& frame, CPictorraApp& app)
    : m_doc(doc), m_frame(frame), m_app(app) {
    OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    OnCommand(ID_FILE_CLOSE, [this] { OnFileClose(); });
    CPictorraDoc* d = &m_doc;
    OnCommand(
        ID_EDIT_UNDO, [d] { d->UndoLastEdit(); }, [d](CCmdUI& ui) { ui.Enable(d->CanUndo()); });
    OnCommand(
        ID_EDIT_REDO, [d] { d->RedoLastEdit(); }, [d](CCmdUI& ui) { ui.Enable(d->CanRedo()); });
    // The table is static: its entries outlive every document.
    for (const CSelectionCommand& command : SelectionCommands()) {
        const CSelectionCommand* c = &command;
        OnCommand(
            c->id, [d, c] { (d->*(c->run))(); },
            [d, c](CCmdUI& ui) { ui.Enable(c->IsEnabled(*d)); });
    }
    // The Effects menu, from the registry (also static).
    for (const EffectInfo& effect : Effects()) {
        const EffectInfo* e = &effect;
        OnCommand(
            e->commandId, [this, e] { RunEffectCommand(m_doc, *e, m_frame.window()); },
            [d](CCmdUI& ui) { ui.Enable(CanRunEffect(*d)); });
    }
}

bool CDocCommands::OnFileSave() {
    // A picture never saved, or opened from a type that cannot be written (Photoshop, Kodak
    // PhotoCD), needs a name and type first.
    const QString& path = m_doc.GetPathName();
    const FileFormatInfo* format = FindFileFormat(path);
    if (m_doc.m_bUntitled || path.isEmpty() || !format || !format->canSave) {
        return OnFileSaveAs();
    }
    return DoSave(path);
}

bool CDocCommands::OnFileSaveAs() {
    const QString proposed = m_doc.GetPathName().isEmpty() ? m_doc.GetTitle() : m_doc.GetPathName();
    const QString path = RunSaveAsDialog(m_frame.window(), proposed, m_app.FileDialogMemory());
    if (path.isEmpty()) {
        return false;
    }
    return DoSave(path);
}

bool CDocCommands::DoSave(const QString& path) {
    if (!m_doc.OnSaveDocument(path)) {
        return false;
    }
    m_doc.m_bUntitled = 0;
    m_app.AddToRecentFileList(path);
    return true;
}

void CDocCommands::OnFileClose() {
    m_frame.close();
}

bool CDocCommands::SaveModified() {
    if (!m_doc.IsModified()) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("Pictorra"),
                    QStringLiteral("Save changes to %1?").arg(m_doc.GetTitle()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    m_frame.window());
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return OnFileSave();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}
