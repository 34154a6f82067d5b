#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <functional>
#include <map>
#include <vector>

#include "ui/CmdTarget.h"

// Sends commands to the objects that handle them. Every command id has one QAction (menus,
// tool bars and shortcuts share it); triggering it routes the id along the chain -- the active
// view, its document, the child frame, the main frame, the application -- to the first object
// whose table holds it. Enabled and checked states are asked along the same chain: the first
// object with an update handler for the id decides; without one the command is enabled while
// some object in the chain handles it. The states are refreshed whenever the program is idle
// and before a menu opens.
class CCommandRouter : public QObject {
    Q_OBJECT
public:
    using ChainProvider = std::function<std::vector<const CCmdTarget*>()>;

    explicit CCommandRouter(QObject* parent = nullptr);

    // The objects a command visits, in order; null entries are skipped.
    void SetChain(ChainProvider chain) { m_chain = std::move(chain); }
    std::vector<const CCmdTarget*> Chain() const;

    // The action of id, made on the first call. Text and shortcuts are set when given.
    QAction* Command(int id, const QString& text = {}, const QList<QKeySequence>& shortcuts = {});
    // The action of id, or null when no one asked for it yet.
    QAction* Find(int id) const;

    // Runs id on the first object of the chain that handles it. Does nothing (and returns
    // false) when the command is disabled or nobody handles it.
    bool Execute(int id);
    // The state of id as the chain answers it now.
    CCmdUI Query(int id) const;
    // Applies the current state to every action.
    void UpdateAll();

    // Refreshes the actions each time the event loop is about to wait (on by default).
    void SetIdleUpdates(bool enabled) { m_bIdleUpdates = enabled; }

signals:
    // Every action's state was just refreshed (UpdateAll ran).
    void Updated();

private:
    void Apply(QAction* action, const CCmdUI& ui) const;

    ChainProvider m_chain;
    std::map<int, QAction*> m_actions;
    bool m_bIdleUpdates = true;
};
