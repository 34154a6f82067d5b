#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "view/Tool.h"

// Which tool serves which tool states. Each view makes its own tool objects from it (a tool
// keeps the state of a stroke in progress, which belongs to one view). The program's list is
// ProgramTools(); tests make lists of their own.
class CToolRegistry {
public:
    using Factory = std::function<std::unique_ptr<CTool>()>;

    // The tool make() builds serves every state in states; a state listed twice keeps its
    // first tool.
    void Add(std::initializer_list<int> states, Factory make);

    // The entry serving state, -1 when no tool does.
    int IndexOf(int state) const;
    int Count() const { return int(m_factories.size()); }
    std::unique_ptr<CTool> Make(int index) const { return m_factories[size_t(index)](); }

private:
    std::vector<Factory> m_factories;
    std::vector<int> m_entryOfState;  // by state; -1 for none
};

// Every tool of the program, listed in one place (view/tools/ProgramTools.cpp).
const CToolRegistry& ProgramTools();
// Fills registry with the program's tools.
void AddProgramTools(CToolRegistry& registry);

// The tools of one view, made the first time their state is current.
class CToolSet {
public:
    explicit CToolSet(const CToolRegistry& registry) : m_registry(registry) {}

    // The tool of state, or null when none serves it.
    CTool* ToolFor(int state);
    // Each tool made so far.
    template <typename F>
    void ForEach(F&& f) {
        for (auto& tool : m_tools) {
            if (tool) {
                f(*tool);
            }
        }
    }

private:
    const CToolRegistry& m_registry;
    std::vector<std::unique_ptr<CTool>> m_tools;
};
