#pragma once

#include <QString>

#include "ui/CmdTarget.h"

class CChildFrame;
class CPictorraApp;
class CPictorraDoc;

// The commands of one document: Save, Save As, Close, Undo, Redo and the Edit and Selections
// commands. The document itself is part of the core and knows no windows; its handlers live
// here and call it. Each group of document commands registers itself in the constructor.
class CDocCommands : public CCmdTarget {
public:
    CDocCommands(CPictorraDoc& doc, CChildFrame& frame, CPictorraApp& app);

    CPictorraDoc& GetDocument() const { return m_doc; }

    // Save: Save As while the picture has no file it can be written to.
    bool OnFileSave();
    // Asks for a name and a type and writes the picture there.
    bool OnFileSaveAs();
    // Closes the window, asking first about unsaved changes.
    void OnFileClose();

    // For a picture with unsaved changes asks "Save changes to <title>?": Save (true when it
    // was saved), Discard (true), Cancel (false). True at once when nothing is unsaved.
    bool SaveModified();

private:
    // Writes path; on success the file heads the recent files.
    bool DoSave(const QString& path);

    CPictorraDoc& m_doc;
    CChildFrame& m_frame;
    CPictorraApp& m_app;
};
