#include "app/MainFrameHost.h"

#include <QApplication>
#include <QMessageBox>

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/PictorraApp.h"
#include "panels/ColorBar.h"
#include "panels/LayerDialog.h"
#include "view/PictorraView.h"

void CMainFrameHost::Changed(CPictorraDoc& doc, unsigned changes) {
    if (CChildFrame* child = m_frame.FindChild(&doc)) {
        child->OnDocumentChanged(changes);
    }
    m_frame.LayerBar().OnDocumentChanged(doc, changes);
}

void CMainFrameHost::ShowMessage(const QString& text, MessageIcon icon) {
    CDocumentHost::ShowMessage(text, icon);
    QMessageBox::Icon boxIcon = QMessageBox::Warning;
    switch (icon) {
        case MessageIcon::Information:
            boxIcon = QMessageBox::Information;
            break;
        case MessageIcon::Warning:
            boxIcon = QMessageBox::Warning;
            break;
        case MessageIcon::Error:
            boxIcon = QMessageBox::Critical;
            break;
        case MessageIcon::Question:
            boxIcon = QMessageBox::Question;
            break;
    }
    // Over the dialog that is open, if any, so that it stays reachable.
    QWidget* parent = QApplication::activeModalWidget();
    QMessageBox box(boxIcon, QStringLiteral("Pictorra"), text, QMessageBox::Ok,
                    parent ? parent : &m_frame);
    box.exec();
}

int CMainFrameHost::HistoryLimit() const {
    return m_frame.App().Settings().m_nHistoryStates;
}

int CMainFrameHost::CurrentTool() const {
    return m_frame.ToolOptions().m_nTool;
}

void CMainFrameHost::SetCurrentTool(int tool) {
    m_frame.ToolOptions().m_nTool = tool;
}

CToolOptions& CMainFrameHost::ToolOptions() const {
    return m_frame.ToolOptions();
}

CSelection* CMainFrameHost::SelectionOf(const CPictorraDoc& doc) {
    const CChildFrame* child = m_frame.FindChild(&doc);
    return child ? child->ViewSelection() : nullptr;
}

int* CMainFrameHost::ActiveLayerNumberStore() {
    return m_frame.LayerBar().ActiveNumberStore();
}

void CMainFrameHost::BeginBusy() {
    CDocumentHost::BeginBusy();
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CMainFrameHost::EndBusy() {
    QApplication::restoreOverrideCursor();
    CDocumentHost::EndBusy();
}

uint32_t CMainFrameHost::PrimaryColor() const {
    return m_frame.Colors().PrimaryColor();
}

uint32_t CMainFrameHost::SecondaryColor() const {
    return m_frame.Colors().SecondaryColor();
}

void CMainFrameHost::SetColors(uint32_t primary, uint32_t secondary) {
    m_frame.Colors().SetColors(primary, secondary);
}

int CMainFrameHost::Transparency() const {
    return m_frame.Colors().Transparency();
}

void CMainFrameHost::SetTransparency(int percent) {
    m_frame.Colors().SetTransparency(percent);
}

void CMainFrameHost::FinishTextEntry(CPictorraDoc& doc) {
    if (CChildFrame* child = m_frame.FindChild(&doc)) {
        child->View().FinishTextEntry();
    }
}

void CMainFrameHost::MoveTextEntry(CPictorraDoc& doc, int dx, int dy) {
    if (CChildFrame* child = m_frame.FindChild(&doc)) {
        child->View().MoveTextEntry(dx, dy);
    }
}
