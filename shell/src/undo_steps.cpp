#include <sstream>

#include "menu_captions.h"
#include "script/experiment_file.h"
#include "shell/bench_shell.h"
#include "step_names.h"
#include "undo_history.h"

namespace shell {

// Every button, check box and double-click of the form becomes a step, named after what it
// does. A field's own typing is not one, but the next step starts from what was typed.
void BenchShell::wireSteps(app::frmBench& form) {
    for (ui::Control* control : form.controls()) {
        if (auto* field = dynamic_cast<ui::TextBox*>(control)) {
            field->Change = [this, inner = field->Change] {
                if (inner) inner();
                if (!m_stepping) typed();
            };
        }
        std::function<void()>* event = nullptr;
        if (auto* button = dynamic_cast<ui::CommandButton*>(control)) {
            event = &button->Click;
        } else if (auto* box = dynamic_cast<ui::CheckBox*>(control)) {
            event = &box->Click;
        } else if (auto* field = dynamic_cast<ui::TextBox*>(control); field && field->DblClick) {
            event = &field->DblClick;
        }
        if (event == nullptr) continue;
        *event = [this, name = stepName(*control), inner = *event] {
            takeStep(name, [&inner] {
                if (inner) inner();
            });
        };
    }
}

// A step starts from the state the last one left, with what was typed since: a check box has
// already changed when its click arrives. A change inside a step (a button a handler presses)
// belongs to that step.
void BenchShell::takeStep(const std::string& name, const std::function<void()>& change) {
    if (m_stepping) {
        change();
        return;
    }
    m_stepping = true;
    const std::shared_ptr<const std::string> before = m_lastState;
    change();
    m_lastState = std::make_shared<const std::string>(currentState());
    m_stepping = false;
    if (*before != *m_lastState) m_history->record({name, before, m_lastState, {}, {}});
    showSteps();
    showDocument();
}

void BenchShell::typed() {
    m_lastState = std::make_shared<const std::string>(currentState());
    showDocument();
}

void BenchShell::undo() {
    if (m_history->undoable() == nullptr) return;
    const Step& step = m_history->undo();
    restore(*step.before);
    if (step.documentBefore) *m_document = *step.documentBefore;
    showSteps();
    showDocument();
}

void BenchShell::redo() {
    if (m_history->redoable() == nullptr) return;
    const Step& step = m_history->redo();
    restore(*step.after);
    if (step.documentAfter) *m_document = *step.documentAfter;
    showSteps();
    showDocument();
}

// The state's own messages were shown when it was made; they are not shown again.
void BenchShell::restore(const std::string& state) {
    std::istringstream script(state);
    script::LoadedExperiment loaded = script::loadExperiment(script);
    if (loaded.error) {
        m_messages.show("The state cannot be brought back: line " +
                        std::to_string(loaded.error->line) + ": " + loaded.error->reason + ".");
        return;
    }
    adopt(std::move(loaded.form));
}

std::string BenchShell::currentState() const {
    return script::writeExperiment(*m_form).script;
}

// The Edit menu names the step each item would take back or do again.
void BenchShell::showSteps() {
    const Step* undoable = m_history->undoable();
    const Step* redoable = m_history->redoable();
    ui::MenuItem& undoItem = *m_undoItem;
    ui::MenuItem& redoItem = *m_redoItem;
    undoItem.setCaption(undoable ? std::string(kUndo) + " " + undoable->name : kUndo);
    undoItem.setEnabled(undoable != nullptr);
    redoItem.setCaption(redoable ? std::string(kRedo) + " " + redoable->name : kRedo);
    redoItem.setEnabled(redoable != nullptr);
}

}  // namespace shell
