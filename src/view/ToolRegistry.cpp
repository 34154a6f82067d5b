#include "view/ToolRegistry.h"

void CToolRegistry::Add(std::initializer_list<int> states, Factory make) {
    const int index = int(m_factories.size());
    m_factories.push_back(std::move(make));
    for (int state : states) {
        if (state < 0) {
            continue;
        }
        if (size_t(state) >= m_entryOfState.size()) {
            m_entryOfState.resize(size_t(state) + 1, -1);
        }
        if (m_entryOfState[size_t(state)] < 0) {
            m_entryOfState[size_t(state)] = index;
        }
    }
}

int CToolRegistry::IndexOf(int state) const {
    return state >= 0 && size_t(state) < m_entryOfState.size() ? m_entryOfState[size_t(state)] : -1;
}

const CToolRegistry& ProgramTools() {
    static const CToolRegistry registry = [] {
        CToolRegistry r;
        AddProgramTools(r);
        return r;
    }();
    return registry;
}

CTool* CToolSet::ToolFor(int state) {
    const int index = m_registry.IndexOf(state);
    if (index < 0) {
        return nullptr;
    }
    if (size_t(index) >= m_tools.size()) {
        m_tools.resize(size_t(m_registry.Count()));
    }
    auto& tool = m_tools[size_t(index)];
    if (!tool) {
        tool = m_registry.Make(index);
    }
    return tool.get();
}
