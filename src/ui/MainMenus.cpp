#include "ui/MainMenus.h"

#include <QMenu>
#include <QMenuBar>

#include "ui/CommandIds.h"
#include "ui/CommandRouter.h"
#include "ui/RecentFileList.h"

namespace {
// Menus that stay at the right end of the bar.
bool IsTrailing(const QString& title) {
    return title == QLatin1String("&Window") || title == QLatin1String("&Help");
}
}  // namespace

CMainMenus::CMainMenus(QMenuBar* bar, CCommandRouter& router, QWidget* owner)
    : m_pBar(bar), m_router(router), m_pOwner(owner) {
    m_pNoRecentFile = new QAction(QStringLiteral("Recent File"), owner);
    m_pNoRecentFile->setEnabled(false);
}

QMenu* CMainMenus::Menu(MenuBar bar, const QString& title) {
    QList<QMenu*>& menus = m_menus[bar];
    for (QMenu* menu : menus) {
        if (menu->title() == title) {
            return menu;
        }
    }
    auto* menu = new QMenu(title, m_pOwner);
    QObject::connect(menu, &QMenu::aboutToShow, &m_router, &CCommandRouter::UpdateAll);
    qsizetype at = menus.size();
    if (!IsTrailing(title)) {
        while (at > 0 && IsTrailing(menus[at - 1]->title())) {
            --at;
        }
    }
    menus.insert(at, menu);
    if (bar == m_shown && m_pBar->actions().size() > 0) {
        m_pBar->clear();
        for (QMenu* m : menus) {
            m_pBar->addMenu(m);
        }
    }
    return menu;
}

void CMainMenus::Show(MenuBar bar) {
    if (bar == m_shown && !m_pBar->actions().isEmpty()) {
        return;
    }
    m_shown = bar;
    m_pBar->clear();
    for (QMenu* menu : m_menus[bar]) {
        m_pBar->addMenu(menu);
    }
}

void CMainMenus::AddRecentFiles(QMenu* menu) {
    menu->addAction(m_pNoRecentFile);
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* action = m_router.Command(ID_FILE_MRU_FILE1 + i);
        action->setVisible(false);
        menu->addAction(action);
    }
}

void CMainMenus::UpdateRecentFiles(const CRecentFileList& list) {
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* action = m_router.Command(ID_FILE_MRU_FILE1 + i);
        const bool used = i < list.Count();
        action->setVisible(used);
        action->setText(used ? list.MenuText(i) : QString());
    }
    m_pNoRecentFile->setVisible(list.Count() == 0);
}
