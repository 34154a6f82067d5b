#pragma once

#include <QMdiSubWindow>
#include <memory>

#include "ui/CmdTarget.h"
#include "view/ViewFrame.h"

class CDocCommands;
class CMainFrame;
class CPictorraApp;
class CPictorraDoc;
class CPictorraView;
class CSelection;

// The child window of one open picture. It owns the document, the document's command table
// and the view. The view sets the caption ("<title>  Scale: 100%", a "*" after the title while
// the picture has unsaved changes). The main frame tells it when it becomes or stops being the
// active child: the first activation makes the document's first layer; later ones bring back
// the document's active layer and the tool last used in it.
class CChildFrame : public QMdiSubWindow, public CCmdTarget, public CViewFrame {
    Q_OBJECT
public:
    CChildFrame(std::unique_ptr<CPictorraDoc> doc, CPictorraApp& app, CMainFrame& mainFrame);
    ~CChildFrame() override;

    CPictorraDoc& GetDocument() const { return *m_pDocument; }
    CDocCommands& DocCommands() const { return *m_pCommands; }
    CPictorraView& View() const { return *m_pView; }

    // The caption as shown, the modified sign resolved.
    QString ShownCaption() const;

    // From the main frame: this frame became (true) or stopped being (false) the active child.
    void OnMDIActivate(bool active);
    bool IsFrameActive() const override { return m_bActive; }
    bool WasShown() const { return m_bShownOnce; }

    // From the document, through the host.
    void OnDocumentChanged(unsigned changes);

    void SetCaption(const QString& caption) override;
    CToolOptions& ToolOptions() override;
    void SetStatusText(const QString& text) override;
    void RefreshLayersPanel() override;
    // The selection outline the view keeps (null once the view is gone).
    CSelection* ViewSelection() const;

    // Closes the window without asking about unsaved changes (the question was asked before).
    void CloseWithoutAsking();

    int m_nRememberedTool = 1;  // the tool in use when this frame was last active (pencil)

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnFirstActivation();

    CPictorraApp& m_app;
    CMainFrame& m_mainFrame;
    std::unique_ptr<CPictorraDoc> m_pDocument;
    std::unique_ptr<CDocCommands> m_pCommands;
    CPictorraView* m_pView;
    bool m_bActive = false;
    bool m_bShownOnce = false;
    bool m_bAsked = false;
};
