#include "ui/CmdTarget.h"

bool CCmdTarget::RunCommand(int id) const {
    const auto it = m_table.find(id);
    if (it == m_table.end() || !it->second.run) {
        return false;
    }
    // A copy: the handler may close the window that owns this table.
    const Handler run = it->second.run;
    run();
    return true;
}

bool CCmdTarget::UpdateCommand(CCmdUI& ui) const {
    const auto it = m_table.find(ui.ID());
    if (it == m_table.end() || !it->second.update) {
        return false;
    }
    it->second.update(ui);
    return true;
}

bool CCmdTarget::HasCommand(int id) const {
    const auto it = m_table.find(id);
    return it != m_table.end() && it->second.run;
}

bool CCmdTarget::HasUpdateHandler(int id) const {
    const auto it = m_table.find(id);
    return it != m_table.end() && it->second.update;
}

void CCmdTarget::OnCommand(int id, Handler run, UpdateHandler update) {
    m_table[id] = Entry{std::move(run), std::move(update)};
}

void CCmdTarget::OnUpdateCommand(int id, UpdateHandler update) {
    m_table[id].update = std::move(update);
}

void CCmdTarget::RemoveCommand(int id) {
    m_table.erase(id);
}
