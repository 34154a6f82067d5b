#pragma once

#include <QString>
#include <memory>

#include "document/PictorraDoc.h"
#include "ui/ToolOptions.h"
#include "view/PictorraView.h"
#include "view/ViewFrame.h"

// The windows around a view that tests make by hand: the tool state and options of a main
// frame, the caption and the status text.
class TestViewFrame : public CViewFrame {
public:
    bool IsFrameActive() const override { return true; }
    void SetCaption(const QString& caption) override { m_strCaption = caption; }
    CToolOptions& ToolOptions() override { return m_options; }
    void SetStatusText(const QString& text) override { m_strStatus = text; }

    CToolOptions m_options;
    QString m_strCaption;
    QString m_strStatus;
};

// A shown document of one opaque white layer of the given size, in a view of the given
// window size (offscreen), at zoom 1.
struct ViewFixture {
    ViewFixture(int width, int height, QSize window, const CToolRegistry& tools = ProgramTools());
    ~ViewFixture();

    CPictorraDoc doc;
    TestViewFrame frame;
    std::unique_ptr<CPictorraView> view;
};
