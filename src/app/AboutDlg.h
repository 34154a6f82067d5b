#pragma once

#include <QDialog>

class CStaticLink;

// "About Pictorra": the program's picture, its version, links to the web site and to
// support, and the notice that the program uses FreeImage.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kWebSite = "https://pictorra.example.org";
    static constexpr const char* kSupport = "mailto:support@pictorra.example.org";

    explicit CAboutDlg(QWidget* parent = nullptr);

    CStaticLink* WebSiteLink() const { return m_pWebSite; }
    CStaticLink* SupportLink() const { return m_pSupport; }

private:
    CStaticLink* m_pWebSite;
    CStaticLink* m_pSupport;
};
