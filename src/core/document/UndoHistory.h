#pragma once

#include <vector>

// A layer's undo and redo lists. Entries arrive with the undo history; until then a layer's
// history is always empty.
class CLayerHistory {
public:
    bool CanUndo() const { return false; }
    bool CanRedo() const { return false; }
    // Frees both lists.
    void Clear() {}
};
