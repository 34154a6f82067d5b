#pragma once

#include <QString>
#include <optional>

// What an update handler says about one command: whether it can run now, whether its menu
// item or button shows as checked, and optionally another menu text. The router starts each
// question from the defaults below and applies the answer to the command's QAction.
class CCmdUI {
public:
    explicit CCmdUI(int id) : m_nID(id) {}

    int ID() const { return m_nID; }
    void Enable(bool enabled = true) { m_bEnabled = enabled; }
    void SetCheck(bool checked = true) { m_bChecked = checked; }
    void SetText(const QString& text) { m_strText = text; }

    bool IsEnabled() const { return m_bEnabled; }
    // Empty when the handler said nothing about the check mark.
    const std::optional<bool>& Checked() const { return m_bChecked; }
    const std::optional<QString>& Text() const { return m_strText; }

private:
    int m_nID;
    bool m_bEnabled = true;
    std::optional<bool> m_bChecked;
    std::optional<QString> m_strText;
};
