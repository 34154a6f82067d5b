#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>

#include "ui/ToolOptions.h"

// A set of tool states (1 .. 49) as one bit each.
class CToolStates {
public:
    constexpr CToolStates(std::initializer_list<int> states) {
        for (int s : states) {
            m_bits |= uint64_t(1) << s;
        }
    }
    // The states first .. last.
    static constexpr CToolStates Range(int first, int last) {
        CToolStates states{};
        for (int s = first; s <= last; ++s) {
            states.m_bits |= uint64_t(1) << s;
        }
        return states;
    }
    constexpr CToolStates operator|(CToolStates other) const {
        CToolStates states{};
        states.m_bits = m_bits | other.m_bits;
        return states;
    }
    constexpr bool Has(int state) const {
        return state >= 0 && state < 64 && (m_bits >> state & 1) != 0;
    }

private:
    uint64_t m_bits = 0;
};

// What a tool command does besides setting the tool state (every one of them also shows the
// tool's own option bar and hides the others).
enum ToolStep : unsigned {
    kStepFinishText = 1u << 0,     // end the text being typed (before the new state)
    kStepDropSelection = 1u << 1,  // drop the selection, committing a lifted fragment
};

// One tool command of the "Tools" bar and the Tools menu.
struct CToolCommand {
    int id;
    const char* text;     // menu text, tool tip and status prompt
    const char* icon;     // :/icons/<icon>.svg
    int state;            // the tool state it sets
    CToolStates checked;  // the button is checked while the state is one of these
    unsigned steps;       // ToolStep flags
};
// Every tool command, in the order of the "Tools" bar (Region Zoom is a view command and not
// listed).
std::span<const CToolCommand> ToolCommands();
// The tool command with this id, or null.
const CToolCommand* FindToolCommand(int id);

// One button of an option bar: it sets the bar's option to value.
struct COptionButton {
    int id;
    const char* text;
    const char* icon;
    int value;
};

// One of the eight option bars, each shown while its tool is current.
struct COptionBar {
    const char* name;   // object name (the saved bar state refers to it)
    const char* title;  // window title
    int iconSize;       // the buttons' picture size
    std::span<const COptionButton> buttons;
    CToolStates shownIn;
    // The option the buttons set; null for the width bar, whose buttons set the entry of the
    // current shape tool.
    int CToolOptions::*member;
};
std::span<const COptionBar> OptionBars();

// The option bar a tool state shows (its index in OptionBars()), or -1 when it has none.
int OptionBarIndexFor(int state);

// The option an option button edits for the current tool, or null: the width buttons do
// nothing unless a shape tool is current.
int* OptionOf(const COptionBar& bar, CToolOptions& options);
