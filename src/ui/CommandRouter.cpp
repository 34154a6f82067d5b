#include "ui/CommandRouter.h"

#include <QAbstractEventDispatcher>
#include <algorithm>

CCommandRouter::CCommandRouter(QObject* parent) : QObject(parent) {
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (m_bIdleUpdates) {
                UpdateAll();
            }
        });
    }
}

std::vector<const CCmdTarget*> CCommandRouter::Chain() const {
    std::vector<const CCmdTarget*> chain;
    if (m_chain) {
        chain = m_chain();
    }
    std::erase(chain, nullptr);
    return chain;
}

QAction* CCommandRouter::Command(int id, const QString& text,
                                 const QList<QKeySequence>& shortcuts) {
    QAction*& action = m_actions[id];
    if (!action) {
        action = new QAction(this);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] {
            Execute(id);
            UpdateAll();
        });
    }
    if (!text.isEmpty()) {
        action->setText(text);
    }
    if (!shortcuts.isEmpty()) {
        action->setShortcuts(shortcuts);
    }
    return action;
}

QAction* CCommandRouter::Find(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

bool CCommandRouter::Execute(int id) {
    if (!Query(id).IsEnabled()) {
        return false;
    }
    for (const CCmdTarget* target : Chain()) {
        if (target->RunCommand(id)) {
            return true;
        }
    }
    return false;
}

CCmdUI CCommandRouter::Query(int id) const {
    CCmdUI ui(id);
    const auto chain = Chain();
    for (const CCmdTarget* target : chain) {
        if (target->UpdateCommand(ui)) {
            return ui;
        }
    }
    ui.Enable(std::any_of(chain.begin(), chain.end(),
                          [id](const CCmdTarget* t) { return t->HasCommand(id); }));
    return ui;
}

void CCommandRouter::UpdateAll() {
    for (const auto& [id, action] : m_actions) {
        Apply(action, Query(id));
    }
    emit Updated();
}

void CCommandRouter::Apply(QAction* action, const CCmdUI& ui) const {
    action->setEnabled(ui.IsEnabled());
    if (ui.Checked()) {
        action->setCheckable(true);
        action->setChecked(*ui.Checked());
    } else if (action->isCheckable()) {
        action->setChecked(false);
    }
    if (ui.Text() && action->text() != *ui.Text()) {
        action->setText(*ui.Text());
    }
}
