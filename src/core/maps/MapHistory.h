#pragma once

#include "maps/MapValues.h"

#include <cstddef>
#include <deque>
#include <optional>

// The undo and redo stacks of the map for one connection: each step holds
// the whole map before and after a change the controller accepted. A step is
// undone by turning the controller's map from `after` back into `before`
// (see mapPatch), and only when the controller still holds `after`.
class CMapHistory {
public:
    struct Step {
        vexor::MapValues before{};
        vexor::MapValues after{};
    };

    // Steps kept; the oldest goes when a new one would exceed it.
    static constexpr std::size_t kDepth = 200;

    // A new change; forgets what could be redone. A change that changed
    // nothing is not a step.
    void push(const vexor::MapValues& before, const vexor::MapValues& after);
    void clear();

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    std::size_t undoCount() const { return m_undo.size(); }
    std::size_t redoCount() const { return m_redo.size(); }

    // The step the next undo / redo would play; nothing when there is none.
    std::optional<Step> nextUndo() const;
    std::optional<Step> nextRedo() const;
    // The step was played: it moves to the other stack.
    void undone();
    void redone();

    // What the controller's map should be if nothing else touched it since
    // the last step (nothing when the history is empty).
    std::optional<vexor::MapValues> expected() const;

private:
    std::deque<Step> m_undo;
    std::deque<Step> m_redo;
};
