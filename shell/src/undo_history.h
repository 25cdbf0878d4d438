#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>

namespace shell {

// How many steps Undo can take back.
inline constexpr std::size_t kUndoSteps = 100;

// A state of the bench as an experiment file holds it: the script that brings a fresh form to
// it. Steps share the states they have in common.
using StateScript = std::shared_ptr<const std::string>;

// The file an experiment was last opened from or saved to (none yet: an empty path), and the
// state it holds, against which unsaved work is told.
struct Document {
    std::string path;
    StateScript saved;
};

// One change a person made: its name for the Edit menu ("Set Point" makes "Undo Set Point"), the
// states before and after it, and for an Open the documents before and after it.
struct Step {
    std::string name;
    StateScript before;
    StateScript after;
    std::optional<Document> documentBefore;
    std::optional<Document> documentAfter;
};

// The steps taken, oldest first, and how many of them are done: Undo takes back the last done
// step, Redo does again the first one undone. Past the limit the oldest steps are forgotten.
class UndoHistory {
public:
    explicit UndoHistory(std::size_t limit) : m_limit(limit) {}

    // A new step; the steps undone before it can no longer be done again.
    void record(Step step);
    // The step Undo would take back, and the one Redo would do again; null when there is none.
    const Step* undoable() const;
    const Step* redoable() const;
    // Moves over that step and returns it; only when there is one.
    const Step& undo();
    const Step& redo();

private:
    std::deque<Step> m_steps;
    std::size_t m_done = 0;
    std::size_t m_limit;
};

}  // namespace shell
