#include "effects/EffectCommands.h"

#include <QMenu>
#include <map>

#include "document/PictorraDoc.h"
#include "effects/EffectDialogs.h"
#include "effects/EffectFrame.h"
#include "effects/EffectRegistry.h"
#include "effects/EffectRunUi.h"
#include "panels/SetTransparencyLayerDlg.h"
#include "ui/CommandRouter.h"
#include "ui/MainMenus.h"

void AddEffectCommands(CCommandRouter& router) {
    for (const EffectInfo& effect : Effects()) {
        router.Command(effect.commandId, effect.menuText);
    }
}

void AddEffectsMenu(CMainMenus& menus, CCommandRouter& router) {
    QMenu* menu = menus.Menu(CMainMenus::kDocumentMenu, QStringLiteral("&Effects"));
    std::map<QString, QMenu*> submenus;
    for (const EffectInfo& effect : Effects()) {
        if (effect.startsGroup && !menu->isEmpty()) {
            menu->addSeparator();
        }
        QMenu* into = menu;
        if (!effect.submenu.isEmpty()) {
            QMenu*& submenu = submenus[effect.submenu];
            if (!submenu) {
                submenu = menu->addMenu(effect.submenu);
                QObject::connect(submenu, &QMenu::aboutToShow, &router, &CCommandRouter::UpdateAll);
            }
            into = submenu;
        }
        into->addAction(router.Command(effect.commandId));
    }
}

bool CanRunEffect(const CPictorraDoc& doc) {
    return doc.IsShown() && doc.ActiveLayer() && doc.m_pActiveBitmap;
}

void RunEffectCommand(CPictorraDoc& doc, const EffectInfo& effect, QWidget* parent) {
    if (!CanRunEffect(doc)) {
        return;
    }
    CEffectSession session(doc, effect);
    // Long runs go to the thread pool, with progress and Cancel, while the windows paint.
    CEffectRunUi runUi(effect, parent);
    session.SetRunner(runUi.Runner());
    const std::vector<int> initial = session.InitialValues();
    if (effect.flow == EffectFlow::Direct) {
        if (session.Start(initial) == CEffectSession::StartResult::Started) {
            session.Accept(initial);
        }
        return;
    }
    if (effect.flow == EffectFlow::DialogThenApply) {
        // The dialog only collects the values; the picture changes on OK.
        auto dialog = CreateEffectDialog(effect, initial, session.Context(), parent);
        if (dialog->exec() == QDialog::Accepted &&
            session.Start(dialog->Values()) == CEffectSession::StartResult::Started) {
            session.Accept(dialog->Values());
        }
        return;
    }
    switch (session.Start(initial)) {
        case CEffectSession::StartResult::NothingToChange:
            return;
        case CEffectSession::StartResult::NeedsLayerOpacity:
            RunSetTransparencyLayerDlg(doc, parent);
            return;
        case CEffectSession::StartResult::Started:
            break;
    }
    auto dialog = CreateEffectDialog(effect, initial, session.Context(), parent);
    runUi.SetDialog(dialog.get());
    dialog->SetChangeHandler(
        [&session](const std::vector<int>& values) { session.Preview(values); });
    const int answer = dialog->exec();
    // OK's own run, if it has one, shows its progress without the dialog.
    runUi.SetDialog(nullptr);
    if (answer == QDialog::Accepted) {
        session.Accept(dialog->Values());
    } else {
        session.Cancel();
    }
}
