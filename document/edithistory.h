// CEditHistory: the document's undo and redo list of edit steps, bounded in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "document/editstep.h"

class CEditHistory {
public:
    // The memory the steps may hold together; the oldest steps go beyond it.
    static constexpr std::size_t DEFAULT_LIMIT = std::size_t(256) << 20;

    explicit CEditHistory(std::size_t limit = DEFAULT_LIMIT) : m_limit(limit) {}

    // A new start (a loaded or new space): nothing to undo or redo, and this state is saved.
    void Clear();
    // A step just made: the steps that were undone are forgotten.
    void Record(CEditStep step);

    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    // The step Undo or Redo would apply; only valid while CanUndo / CanRedo.
    const CEditStep& NextUndo() const { return m_steps[m_done - 1]; }
    const CEditStep& NextRedo() const { return m_steps[m_done]; }
    // Move over the step once it has been applied.
    void StepBack() { m_done--; }
    void StepForward() { m_done++; }

    // The present state is the one last saved (or loaded).
    void MarkSaved() { m_saved = StateId(); }
    // No state is the saved one any more (the space changed outside the history).
    void ForgetSaved() { m_saved = NO_STATE; }
    bool IsAtSaved() const { return m_saved == StateId(); }

    std::size_t Count() const { return m_steps.size(); }
    std::size_t Bytes() const { return m_bytes; }
    std::size_t Limit() const { return m_limit; }

private:
    static constexpr std::uint64_t NO_STATE = ~std::uint64_t(0);
    std::uint64_t StateId() const { return m_done == 0 ? m_baseId : m_ids[m_done - 1]; }

    std::deque<CEditStep> m_steps;
    std::deque<std::uint64_t> m_ids;  // the state after each step
    std::size_t m_done = 0;           // steps applied: m_steps[0 .. m_done - 1]
    std::uint64_t m_baseId = 0;       // the state before the oldest kept step
    std::uint64_t m_nextId = 1;
    std::uint64_t m_saved = 0;
    std::size_t m_bytes = 0;
    std::size_t m_limit;
};
