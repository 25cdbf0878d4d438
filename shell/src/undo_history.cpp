#include "undo_history.h"

#include <utility>

namespace shell {

void UndoHistory::record(Step step) {
    m_steps.resize(m_done);
    m_steps.push_back(std::move(step));
    if (m_steps.size() > m_limit) m_steps.pop_front();
    m_done = m_steps.size();
}

const Step* UndoHistory::undoable() const {
    return m_done == 0 ? nullptr : &m_steps[m_done - 1];
}

const Step* UndoHistory::redoable() const {
    return m_done == m_steps.size() ? nullptr : &m_steps[m_done];
}

const Step& UndoHistory::undo() {
    return m_steps[--m_done];
}

const Step& UndoHistory::redo() {
    return m_steps[m_done++];
}

}  // namespace shell
