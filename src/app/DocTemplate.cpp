#include "app/DocTemplate.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/MainFrameHost.h"
#include "app/PictorraApp.h"
#include "document/PictorraDoc.h"

std::unique_ptr<CPictorraDoc> CDocTemplate::CreateDocument() const {
    return std::make_unique<CPictorraDoc>(&m_app.MainFrame()->Host());
}

CChildFrame* CDocTemplate::CreateFrame(std::unique_ptr<CPictorraDoc> doc, CMainFrame& mainFrame) {
    auto* frame = new CChildFrame(std::move(doc), m_app, mainFrame);
    mainFrame.AddChild(frame);
    return frame;
}
