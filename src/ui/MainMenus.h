#pragma once

#include <QList>
#include <QString>
#include <map>

class CCommandRouter;
class CRecentFileList;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The two menu bars of the main window: menu 128 while no document is open, menu 129 while one
// is. Each is a list of top-level menus that the menu bar shows in turn. Commands add their
// items to the menu they belong to:
//
//     menus.Menu(CMainMenus::kDocumentMenu, "&Effects")->addAction(router.Command(id, "Sharpen"));
class CMainMenus {
public:
    enum MenuBar { kNoDocumentMenu = 128, kDocumentMenu = 129 };

    CMainMenus(QMenuBar* bar, CCommandRouter& router, QWidget* owner);

    // The top-level menu titled title of bar, made (before "&Window" and "&Help") when missing.
    QMenu* Menu(MenuBar bar, const QString& title);
    void Show(MenuBar bar);
    MenuBar Shown() const { return m_shown; }

    // Puts the nine recent-file items into menu's current position, shared by both bars.
    void AddRecentFiles(QMenu* menu);
    void UpdateRecentFiles(const CRecentFileList& list);

private:
    QMenuBar* m_pBar;
    CCommandRouter& m_router;
    QWidget* m_pOwner;
    std::map<MenuBar, QList<QMenu*>> m_menus;
    MenuBar m_shown = kNoDocumentMenu;
    QAction* m_pNoRecentFile = nullptr;
};
