#pragma once

#include <QString>

// What the view asks of the window around it (the child frame).
class CViewFrame {
public:
    virtual ~CViewFrame() = default;
    // The frame is the active child window: the document's active layer number is the shared
    // one, otherwise the number the document parked.
    virtual bool IsFrameActive() const = 0;
    // The frame's caption; "[*]" marks where the modified sign goes.
    virtual void SetCaption(const QString& caption) = 0;
};
