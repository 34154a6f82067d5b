#pragma once

#include <QString>
#include <memory>

class CChildFrame;
class CMainFrame;
class CPictorraApp;
class CPictorraDoc;

// The one kind of document the program has: a CPictorraDoc shown by a CPictorraView in a
// CChildFrame. It makes the windows of each new or opened document and names new pictures.
class CDocTemplate {
public:
    // The template's texts.
    static constexpr const char* kDocName = "Bitmap";
    static constexpr const char* kFileNewName = "Bitmap";
    static constexpr const char* kFilterName = "Pictorra Files (*.bmp,*.png,*.gif,*.jpg)";
    static constexpr const char* kFilterExt = ".bmp;.png;.gif;.jpg";
    static constexpr const char* kRegFileTypeId = "Pictorra.Document";
    static constexpr const char* kRegFileTypeName = "Pictorra.Qpi";

    explicit CDocTemplate(CPictorraApp& app) : m_app(app) {}

    // A document for the program's windows (not yet holding a picture).
    std::unique_ptr<CPictorraDoc> CreateDocument() const;
    // Shows doc in a new child window, which becomes the active one.
    CChildFrame* CreateFrame(std::unique_ptr<CPictorraDoc> doc, CMainFrame& mainFrame);
    // "Bitmap1", "Bitmap2", ...: the titles of new pictures.
    QString NextUntitledTitle() { return QStringLiteral("%1%2").arg(kDocName).arg(++m_nUntitled); }

private:
    CPictorraApp& m_app;
    int m_nUntitled = 0;
};
