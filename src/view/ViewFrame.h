#pragma once

#include <QString>

struct CToolOptions;

// What the view asks of the windows around it: the child frame, and through it the main frame.
class CViewFrame {
public:
    virtual ~CViewFrame() = default;
    // The frame is the active child window: the document's active layer number is the shared
    // one, otherwise the number the document parked.
    virtual bool IsFrameActive() const = 0;
    // The frame's caption; "[*]" marks where the modified sign goes.
    virtual void SetCaption(const QString& caption) = 0;
    // The main frame's current tool state and tool options, read at every event.
    virtual CToolOptions& ToolOptions() = 0;
    // Status bar pane 1: the cursor's position and the sizes being dragged.
    virtual void SetStatusText(const QString& text) = 0;
    // The layers panel repaints, so that its thumbnails follow a stroke.
    virtual void RefreshLayersPanel() {}
};
