#pragma once

class CCommandRouter;
class CMainMenus;
class CPictorraDoc;
class QWidget;
struct EffectInfo;

// The commands of the Effects menu, one per effect of the registry. The document's command
// table registers the handlers (RunEffectCommand with CanRunEffect as the enable rule); the
// main frame takes the texts (AddEffectCommands, from CreateActions) and the menu
// (AddEffectsMenu, from CreateMenus) from here.
void AddEffectCommands(CCommandRouter& router);
void AddEffectsMenu(CMainMenus& menus, CCommandRouter& router);

// An effect can run while the document shows a layer.
bool CanRunEffect(const CPictorraDoc& doc);

// The command of effect on doc: a direct effect at once; otherwise its dialog, modal over
// parent, previewing in the document window, and OK or Cancel as the effect's flow has them.
// Set Transparency without a selection opens the active layer's transparency dialog. Runs that
// take long show their progress and can be cancelled (CEffectRunUi).
void RunEffectCommand(CPictorraDoc& doc, const EffectInfo& effect, QWidget* parent);
