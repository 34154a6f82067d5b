#pragma once

#include <functional>
#include <unordered_map>

#include "ui/CmdUI.h"

// An object that handles commands: the view, the document's command table, the child frame,
// the main frame and the application each hold a table of the ids they handle. Adding a
// command is one line in the owner's constructor:
//
//     OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
//     OnCommand(ID_EDIT_UNDO, [this] { Undo(); }, [this](CCmdUI& ui) { ui.Enable(CanUndo()); });
//
// A command with no update handler anywhere is enabled while some object handles it.
class CCmdTarget {
public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CCmdUI&)>;

    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs the handler of id; false when this table has none.
    bool RunCommand(int id) const;
    // Asks the update handler of id; false when this table has none.
    bool UpdateCommand(CCmdUI& ui) const;
    bool HasCommand(int id) const;
    bool HasUpdateHandler(int id) const;

protected:
    // Adds id to the table; a second call for the same id replaces the first.
    void OnCommand(int id, Handler run, UpdateHandler update = {});
    // An update handler without a command handler, for ids that another object runs.
    void OnUpdateCommand(int id, UpdateHandler update);
    // Removes id from the table.
    void RemoveCommand(int id);

private:
    struct Entry {
        Handler run;
        UpdateHandler update;
    };
    std::unordered_map<int, Entry> m_table;
};
