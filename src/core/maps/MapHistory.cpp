#include "maps/MapHistory.h"

void CMapHistory::push(const vexor::MapValues& before, const vexor::MapValues& after) {
    if (before == after)
        return;
    m_redo.clear();
    m_undo.push_back({before, after});
    while (m_undo.size() > kDepth)
        m_undo.pop_front();
}

void CMapHistory::clear() {
    m_undo.clear();
    m_redo.clear();
}

std::optional<CMapHistory::Step> CMapHistory::nextUndo() const {
    if (m_undo.empty())
        return std::nullopt;
    return m_undo.back();
}

std::optional<CMapHistory::Step> CMapHistory::nextRedo() const {
    if (m_redo.empty())
        return std::nullopt;
    return m_redo.back();
}

void CMapHistory::undone() {
    if (m_undo.empty())
        return;
    m_redo.push_back(m_undo.back());
    m_undo.pop_back();
}

void CMapHistory::redone() {
    if (m_redo.empty())
        return;
    m_undo.push_back(m_redo.back());
    m_redo.pop_back();
}

std::optional<vexor::MapValues> CMapHistory::expected() const {
    if (!m_undo.empty())
        return m_undo.back().after;
    if (!m_redo.empty())
        return m_redo.back().before;
    return std::nullopt;
}
