#pragma once

#include "document/DocumentHost.h"
#include "ui/ToolOptions.h"

class CMainFrame;

// The host the documents of the program share: their notifications go to the windows that
// show them, their messages become message boxes, their active-layer number is the one the
// layers panel holds.
class CMainFrameHost : public CDocumentHost {
public:
    explicit CMainFrameHost(CMainFrame& frame) : m_frame(frame) {}

    void Changed(CPictorraDoc& doc, unsigned changes) override;
    void ShowMessage(const QString& text, MessageIcon icon = MessageIcon::Warning) override;
    int HistoryLimit() const override;
    // The number the layers panel holds.
    int* ActiveLayerNumberStore() override;
    // The outline the document's view keeps.
    CSelection* SelectionOf(const CPictorraDoc& doc) override;
    // The busy cursor over every window of the program while long work runs.
    void BeginBusy() override;
    void EndBusy() override;
    // The main frame's m_nTool.
    int CurrentTool() const override;
    void SetCurrentTool(int tool) override;
    // The colour bar's colours and opacity.
    uint32_t PrimaryColor() const override;
    uint32_t SecondaryColor() const override;
    void SetColors(uint32_t primary, uint32_t secondary) override;
    int Transparency() const override;
    void SetTransparency(int percent) override;
    // The text tool of the document's view.
    void FinishTextEntry(CPictorraDoc& doc) override;
    void MoveTextEntry(CPictorraDoc& doc, int dx, int dy) override;
    // The main frame's tool state and options, for the view and the tools.
    CToolOptions& ToolOptions() const;

private:
    CMainFrame& m_frame;
};
