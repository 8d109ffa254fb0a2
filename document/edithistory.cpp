// CEditHistory: steps[0 .. done - 1] are applied, the rest were undone and can be redone. Each
// state between steps has an id, so "saved" survives undo and redo and is lost only when the
// saved state itself is forgotten (a new step after undo, or the oldest steps dropped).
#include "document/edithistory.h"

#include <utility>

void CEditHistory::Clear()
{
    m_steps.clear();
    m_ids.clear();
    m_done = 0;
    m_bytes = 0;
    m_baseId = m_nextId++;
    m_saved = m_baseId;
}

void CEditHistory::Record(CEditStep step)
{
    while (m_steps.size() > m_done) {
        m_bytes -= m_steps.back().Bytes();
        m_steps.pop_back();
        m_ids.pop_back();
    }
    m_bytes += step.Bytes();
    m_steps.push_back(std::move(step));
    m_ids.push_back(m_nextId++);
    m_done++;
    // Oldest first; a single step larger than the limit goes as well.
    while (m_bytes > m_limit && !m_steps.empty()) {
        m_bytes -= m_steps.front().Bytes();
        m_steps.pop_front();
        m_baseId = m_ids.front();
        m_ids.pop_front();
        m_done--;
    }
}
